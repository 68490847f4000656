// Reference pictures: PNG files read and written with GDI+.
#include <objidl.h>
// objidl.h first: GDI+ needs IStream, which WIN32_LEAN_AND_MEAN leaves out of windows.h.
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <cstring>

#include "harness.h"

namespace quellan::testing {

namespace {
const CLSID kPngEncoder{0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

struct GdiPlus {
  ULONG_PTR token = 0;
  GdiPlus() {
    const Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
  }
  ~GdiPlus() { Gdiplus::GdiplusShutdown(token); }
};

Picture LoadPng(const std::wstring& path) {
  Gdiplus::Bitmap bitmap(path.c_str());
  Gdiplus::BitmapData data{};
  Gdiplus::Rect all(0, 0, static_cast<INT>(bitmap.GetWidth()), static_cast<INT>(bitmap.GetHeight()));
  if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB, &data) != Gdiplus::Ok) return {};
  Picture picture{all.Width, all.Height, std::vector<std::uint32_t>(static_cast<std::size_t>(all.Width) * all.Height)};
  for (int y = 0; y < all.Height; ++y)
    for (int x = 0; x < all.Width; ++x)
      picture.pixels[static_cast<std::size_t>(y) * all.Width + x] =
          static_cast<const std::uint32_t*>(data.Scan0)[y * data.Stride / 4 + x] & 0xFFFFFFu;
  bitmap.UnlockBits(&data);
  return picture;
}

void SavePng(Picture picture, const std::wstring& path) {
  Gdiplus::Bitmap bitmap(picture.width, picture.height, picture.width * 4, PixelFormat32bppRGB,
                         reinterpret_cast<BYTE*>(picture.pixels.data()));
  bitmap.Save(path.c_str(), &kPngEncoder, nullptr);
}
}  // namespace

::testing::AssertionResult MatchesReference(const Picture& shown, const std::string& reference) {
  const GdiPlus session;
  const std::wstring path(reference.begin(), reference.end());
  const Picture expected = LoadPng(path);
  if (shown == expected) return ::testing::AssertionSuccess();
  const std::wstring stem = path.substr(path.find_last_of(L"/\\") + 1, path.size() - path.find_last_of(L"/\\") - 5);
  Picture difference = shown;
  for (std::size_t i = 0; i < shown.pixels.size(); ++i)
    difference.pixels[i] = i < expected.pixels.size() && expected.pixels[i] == shown.pixels[i] ? 0xFFFFFFu : 0xFF0000u;
  SavePng(shown, stem + L"-actual.png");
  SavePng(difference, stem + L"-difference.png");
  return ::testing::AssertionFailure() << "differs from " << reference << ": see "
                                       << std::string(stem.begin(), stem.end())
                                       << "-actual.png and -difference.png in the test's working directory";
}

}  // namespace quellan::testing

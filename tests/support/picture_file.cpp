// Reference pictures: PNG files beside the tests, read as the binary PPM files (P6) the build makes of them.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "harness.h"

namespace quellan::harness {

namespace {
std::string Ppm(const Picture& picture) {
  std::string bytes = "P6\n" + std::to_string(picture.width) + ' ' + std::to_string(picture.height) + "\n255\n";
  for (const std::uint32_t pixel : picture.pixels) bytes += {char(pixel >> 16), char(pixel >> 8), char(pixel)};
  return bytes;
}
}  // namespace

::testing::AssertionResult MatchesReference(const Picture& shown, const std::string& reference) {
  const std::string expected(std::istreambuf_iterator<char>(std::ifstream(reference, std::ios::binary).rdbuf()), {});
  const std::string actual = Ppm(shown);
  if (actual == expected) return ::testing::AssertionSuccess();
  // Pixel by pixel where the sizes agree; every pixel differs where they do not.
  Picture difference = shown;
  std::size_t differing = 0;
  for (std::size_t i = 0, at = actual.size() - 3 * shown.pixels.size(); i < shown.pixels.size(); ++i, at += 3) {
    const bool same = expected.size() == actual.size() && !expected.compare(at, 3, actual, at, 3);
    differing += !same;
    difference.pixels[i] = same ? 0xFFFFFFu : 0xFF0000u;
  }
  const std::size_t name = reference.find_last_of("/\\") + 1;
  const std::string stem = reference.substr(name, reference.size() - 4 - name);
  std::ofstream(stem + "-actual.ppm", std::ios::binary) << actual;
  std::ofstream(stem + "-difference.ppm", std::ios::binary) << Ppm(difference);
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  return ::testing::AssertionFailure()
         << differing << " of " << shown.pixels.size() << " pixels (" << shown.width << " x " << shown.height
         << ") differ from the reference " << stem << ".png. The picture shown and its differing pixels (red) are "
         << folder << "\\" << stem << "-actual.ppm and " << stem
         << "-difference.ppm; if the new picture is right, scripts/update-references makes it the reference.";
}

}  // namespace quellan::harness

// The localised message box shown for real, read and closed with its first button by the modal driver.
#include "text/vie_msgbox.h"

#include <gtest/gtest.h>

#include <map>

#include "harness.h"

namespace quellan::modVie {
namespace {

using Dressing = std::map<int, std::u16string>;  // control id: its text
const char16_t kDong[] = u"\u0110\u00F3ng", kThoat[] = u"Tho\u00E1t", kThuLai[] = u"Th\u1EED l\u1EA1i";

// The controls that wore the box's font (Tahoma, 13 units, weight 500), marked where it still exists.
Dressing Dressed(const std::vector<harness::Child>& children) {
  Dressing dressed;
  for (const harness::Child& child : children)
    if (child.font.lfHeight == 13 && child.font.lfWeight == 500 && !lstrcmpW(child.font.lfFaceName, L"Tahoma"))
      dressed[child.id] = child.text + (GetObjectType(child.hfont) ? u" (font not deleted)" : u"");
  return dressed;
}

// A plain pop-up window, the owner of a box; with `shown`, a window with an OK button activated while a box shows.
win32::UniqueWindow MakePopup(bool shown = false) {
  win32::UniqueWindow popup(CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 200, 40, 0, 0, 0, 0));
  if (!shown) return popup;
  CreateWindowExW(0, L"Button", L"OK", WS_CHILD, 0, 0, 9, 9, popup.get(), reinterpret_cast<HMENU>(IDOK), 0, 0);
  ShowWindow(popup.get(), SW_SHOW);
  return popup;
}

// Boxes showing every button relabelled, their first button, and what is relabelled (the rest keeps its caption).
const std::tuple<UINT, int, Dressing> kBoxes[] = {
    {MB_ICONINFORMATION, IDOK, {{IDOK, kDong}}},
    {MB_OKCANCEL, IDOK, {{IDOK, kDong}, {IDCANCEL, kThoat}}},
    {MB_ABORTRETRYIGNORE, IDABORT, {{IDRETRY, kThuLai}}},
    {MB_YESNOCANCEL, IDYES, {{IDYES, u"C\u00F3"}, {IDNO, u"Kh\u00F4ng"}, {IDCANCEL, kThoat}}},
    {MB_CANCELTRYCONTINUE, IDCANCEL, {{IDCANCEL, kThoat}}}};

// A window of another class activated before the box (here, as the box is created) keeps its captions.
win32::UniqueWindow g_first;
LRESULT CALLBACK ActivateAnotherFirst(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && !g_first && harness::ClassName(reinterpret_cast<HWND>(wParam)) == u"#32770")
    g_first = MakePopup(true);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Each of those boxes with a text like the about box's: text and title converted, the font on the message text and
// relabelled buttons only, deleted once the box is gone, owner and result passed on; a window activated before the
// box keeps its own.
TEST(VieMsgBox, DressesEachBoxAndReturnsTheButtonChosen) {
  const std::u16string typed =
      u"Tho6ng tin ve62 Quellan!\r\nChu71c na8ng: Ta81t Autorun...\r\n\r\nTa1c gia3: Ngu7o72i d9a61t\r\n";
  const std::u16string shown =
      u"Th\u00F4ng tin v\u1EC1 Quellan!\r\nCh\u1EE9c n\u0103ng: T\u1EAFt Autorun...\r\n\r\n"
      u"T\u00E1c gi\u1EA3: Ng\u01B0\u1EDDi \u0111\u1EA5t\r\n";
  const win32::UniqueHook hook(SetWindowsHookExW(WH_CBT, &ActivateAnotherFirst, nullptr, GetCurrentThreadId()));
  const win32::UniqueWindow owner = MakePopup();
  for (auto [flags, press, dressing] : kBoxes) {
    SCOPED_TRACE(flags);
    g_first.reset();
    const harness::ModalDriver driver;
    EXPECT_EQ(VieMsgBox(typed, flags, u"Tho6ng tin ve62 Quellan!", owner.get()), press);
    const harness::ModalSeen& seen = driver.Seen();
    EXPECT_EQ(std::tuple(seen.boxes, seen.owner, seen.title),
              std::tuple(1, owner.get(), u"Th\u00F4ng tin v\u1EC1 Quellan!"));
    dressing[0xFFFF] = shown;  // the message text
    EXPECT_EQ(Dressed(seen.children), dressing);
    EXPECT_EQ(harness::WindowText(GetDlgItem(g_first.get(), IDOK)), u"OK");
  }
}

}  // namespace
}  // namespace quellan::modVie

#include "ui/main/about.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/vni.h"
#include "ui/effect/frm_eff.h"
#include "ui/forms/handles.h"
#include "ui/main/about_text.h"

namespace quellan::mainwindow {
namespace {

std::wstring TextOf(HWND hwnd) {
  wchar_t text[2048] = {};
  GetWindowTextW(hwnd, text, 2048);
  return text;
}

// What the timer saw while `about` ran: first the box (which it reads and closes), then the effect
// (which it clicks away).
struct AboutRun {
  HWND main = nullptr, box = nullptr, boxOwner = nullptr, effect = nullptr;
  bool mainDisabledUnderBox = false, effectUnderBox = false, boxGoneBeforeEffect = false, icon = false;
  std::wstring title{}, text{};
  std::vector<std::wstring> buttons{};
  int ticks = 0;
} g_run;

void CALLBACK Drive(HWND, UINT, UINT_PTR, DWORD) {
  const std::shared_ptr<effect::frmEff> shared = effect::frmEff::Shared();
  HWND box = FindWindowW(L"#32770", nullptr);
  if (++g_run.ticks > 400) {  // watchdog: whatever is still up goes
    if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
    if (shared) DestroyWindow(shared->hwnd());
  } else if (!g_run.box && box) {
    g_run =
        AboutRun{g_run.main, box, GetWindow(box, GW_OWNER), nullptr, !IsWindowEnabled(g_run.main), shared != nullptr};
    g_run.title = TextOf(box);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t name[16] = {};
      GetClassNameW(child, name, 16);
      if (lstrcmpiW(name, L"Button") == 0) g_run.buttons.push_back(TextOf(child));
      if (lstrcmpiW(name, L"Static") == 0 && SendMessageW(child, STM_GETICON, 0, 0)) g_run.icon = true;
      if (lstrcmpiW(name, L"Static") == 0 && !TextOf(child).empty()) g_run.text = TextOf(child);
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  } else if (g_run.box && !g_run.effect && shared && IsWindowVisible(shared->hwnd())) {
    g_run.effect = shared->hwnd();
    g_run.boxGoneBeforeEffect = !IsWindow(g_run.box);
    INPUT click[2] = {{INPUT_MOUSE, {}}, {INPUT_MOUSE, {}}};
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
  }
}

TEST(AboutBox, ShowsTheVietnameseAboutBoxThenTheEffect) {
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
  forms::UniqueWindow main(CreateWindowExW(0, L"STATIC", L"frmMain", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300,
                                           280, nullptr, nullptr, nullptr, nullptr));
  g_run = AboutRun{main.get()};
  const UINT_PTR timer = SetTimer(nullptr, 0, 25, Drive);
  about(main.get());
  KillTimer(nullptr, timer);

  ASSERT_LE(g_run.ticks, 400) << "the box or the effect did not end";
  EXPECT_EQ(g_run.boxOwner, main.get());
  EXPECT_TRUE(g_run.mainDisabledUnderBox) << "the box is not modal to the main window";
  EXPECT_EQ(g_run.title, L"Th\u00F4ng tin v\u1EC1 Quellan!");  // Thông tin về
  // This test program's version resource says 1.12.
  const std::wstring start = L"Ti\u1EC7n \u00EDch: Quellan\r\nPhi\u00EAn b\u1EA3n: 1.12\r\n";  // Tiện ích, Phiên bản
  EXPECT_EQ(g_run.text.substr(0, start.size()), start);
  const std::u16string shown = modVie::VniToUnicode(BuildAboutText(u"Quellan", 1, 12, BuiltIdentity()).text);
  EXPECT_EQ(g_run.text, std::wstring(shown.begin(), shown.end()));
  EXPECT_TRUE(g_run.icon) << "no information icon";
  EXPECT_EQ(g_run.buttons, std::vector<std::wstring>{L"\u0110\u00F3ng"});  // Đóng
  EXPECT_FALSE(g_run.effectUnderBox);
  ASSERT_NE(g_run.effect, nullptr) << "no effect after the box";
  EXPECT_TRUE(g_run.boxGoneBeforeEffect);
  EXPECT_FALSE(IsWindow(g_run.effect)) << "about returned before the effect ended";
  EXPECT_EQ(effect::frmEff::Shared(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(main.get()));
}

}  // namespace
}  // namespace quellan::mainwindow

// frmMain under Wine against the prefix's real registry, driven by real input.
#include "ui/main/frm_main.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "main_window.h"
#include "policy/reg_file.h"
#include "ui/main/about_text.h"

namespace quellan::mainwindow {
namespace {

// Counts the WM_SETTINGCHANGE "Policy" notices the main window receives while the hook lives.
int g_notices = 0;
LRESULT CALLBACK CountNotices(int code, WPARAM w, LPARAM l) {
  const auto* m = reinterpret_cast<const CWPSTRUCT*>(l);
  g_notices += m->message == WM_SETTINGCHANGE && m->lParam && ClassName(m->hwnd) == u"QuellanMain" &&
               lstrcmpW(reinterpret_cast<const wchar_t*>(m->lParam), L"Policy") == 0;
  return CallNextHookEx(nullptr, code, w, l);
}
win32::UniqueHook NoticeCounter() {
  g_notices = 0;
  return win32::UniqueHook(SetWindowsHookExW(WH_CALLWNDPROC, CountNotices, nullptr, GetCurrentThreadId()));
}

TEST_F(MainWindow, MenusAndClicksTickOnlyThroughTheRightButtonAndSaveWritesTheTicks) {
  const win32::UniqueHook hook = NoticeCounter();
  Seed(kTypes, 0x1FF);
  Open();
  ModalDriver driver(0);  // "Select all", then each box's first button
  MoveTo(OverEntry("lstDrvs", 3));
  Press(Mouse::Right);  // the menu opens as the button goes down
  ASSERT_TRUE(PumpUntil([&] { return driver.Seen().menus == 1; }, 3000, form->hwnd()));
  Release(Mouse::Right);
  Pump(60, form->hwnd());
  EXPECT_EQ(driver.Seen().items, (std::vector<std::u16string>{u"Select all", u"Deselect all"}));
  EXPECT_EQ(std::get<0>(Ticks()), 0x3FFFFFFu);
  EXPECT_EQ(Tip("lstDrvs"), u"AutoRun for Drive A is Disabled") << "ticked from the last entry to the first";
  // Left clicks toggle, middle clicks do nothing, and neither opens a menu.
  Click(OverEntry("lstDrvs", 1));
  Click(OverEntry("lstDrvs", 5), Mouse::Middle);
  Click(OverEntry("lstDrvTypes", 5), Mouse::Middle);
  Click(OverEntry("lstDrvTypes", 2));
  Pump(120, form->hwnd());
  EXPECT_EQ(driver.Seen().menus, 1);
  EXPECT_EQ(Tip("lstDrvs"), u"AutoRun for Drive B is Enabled");
  EXPECT_EQ(Tip("lstDrvTypes"), u"AutoRun for Removable Drives is Enabled");
  EXPECT_EQ(reg.writes, 0) << "ticking writes nothing";

  ClickOn("btSaveSet");
  ASSERT_TRUE(driver.WaitBoxes(1, form->hwnd()));
  // An information box with one OK button, owned by the window, which is disabled behind it.
  EXPECT_EQ(std::tuple(driver.Seen().text, driver.Seen().title, driver.Seen().icon, driver.Seen().buttons,
                       driver.Seen().owner),
            std::tuple(u"Settings has saved...", u"Quellan!!!", LoadIconW(nullptr, IDI_INFORMATION),
                       std::vector<std::u16string>{u"OK"}, form->hwnd()));
  // The types merged into the stored mask, bit 7 and above kept.
  EXPECT_EQ(std::tuple(Stored(kCdrom), Stored(kLetters), Stored(kTypes), Stored(kDefaultTypes)),
            std::tuple(0u, 0x3FFFFFDu, 0x1FBu, 0x1FBu));
  EXPECT_TRUE(PumpUntil([] { return g_notices == 1; }, 3000, form->hwnd())) << "other programs not told";

  for (const char* list : {"lstDrvs", "lstDrvTypes"}) {
    ModalDriver deselect(1);
    Click(OverEntry(list, 1), Mouse::Right);
    ASSERT_TRUE(PumpUntil([&] { return deselect.Seen().menus == 1; }, 3000, form->hwnd()));
    Pump(60, form->hwnd());
  }
  EXPECT_EQ(Ticks(), std::tuple(0u, 0u));
  EXPECT_EQ(std::tuple(Tip("lstDrvs"), Tip("lstDrvTypes")),
            std::tuple(u"AutoRun for Drive Z is Enabled", u"AutoRun for RAM Disk Drives is Enabled"))
      << "unticked from the first to the last";
}

TEST_F(MainWindow, RefreshThrowsTheTicksAwayAndTheCheckBoxEnablesSaving) {
  Seed(kCdrom, 0), Seed(kLetters, 0x8), Seed(kTypes, 0x20);
  Open();
  EnableWindow(Control("btSaveSet"), FALSE);
  Click(OverEntry("lstDrvs", 0));
  Click(OverEntry("lstDrvTypes", 5));
  ClickOn("chkGlobal");
  ASSERT_EQ(std::tuple(std::get<0>(Ticks()), Checked()), std::tuple(0x9u, BST_UNCHECKED));
  EXPECT_TRUE(IsWindowEnabled(Control("btSaveSet")));
  ClickOn("btRefresh");
  // The stored policy again, in lists not filled twice, and nothing written.
  EXPECT_EQ(std::tuple(Ticks(), Checked(), SendMessageW(Control("lstDrvs"), LB_GETCOUNT, 0, 0), reg.writes),
            std::tuple(std::tuple(0x8u, 0x20u), BST_CHECKED, 26, 0));
  EXPECT_EQ(Tip("lstDrvs"), u"") << "a refresh starts the status afresh";
  // A stored AutoRun that is text ends the read: the check box keeps its value, the lists stay unticked.
  RegSetKeyValueW(kCdrom.root, kCdrom.path, kCdrom.name, REG_SZ, L"Disabled", 18);
  form->trefresh();
  EXPECT_EQ(std::tuple(Ticks(), Checked()), std::tuple(std::tuple(0u, 0u), BST_CHECKED));
}

// A save that wrote nothing says so and tells no other program that the policy changed (one that
// did: above).
TEST_F(MainWindow, ASaveThatWroteNothingNotifiesNoOne) {
  const win32::UniqueHook hook = NoticeCounter();
  reg.refused = true;
  Open();
  ModalDriver box;
  ClickOn("btSaveSet");
  ASSERT_TRUE(box.WaitBoxes(1, form->hwnd()));
  Pump(400, form->hwnd());
  EXPECT_EQ(std::tuple(reg.writes, g_notices, box.Seen().text.substr(0, 33), box.Seen().icon),
            std::tuple(0, 0, u"Some settings could not be saved:", LoadIconW(nullptr, IDI_WARNING)));
}

// The pictures hold every control's place, kind, font, colours and text at 96 and 144 DPI; the frame,
// the caption, the tips, the place on the screen and the pointer lie outside them.
TEST_F(MainWindow, LaidOutAtTheDisplayDpiCentredAndFreedAfterwards) {
  const long gdi = win32::GdiCounter::Live();
  Open();
  const LONG frame = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME;
  EXPECT_EQ(GetWindowLongW(form->hwnd(), GWL_STYLE) & frame, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  EXPECT_EQ(WindowText(form->hwnd()), u"Quellan \u00A9 QUELLAN.EXAMPLE");
  EXPECT_EQ(std::tuple(Tip("CAP"), Tip("link1"), Tip("link2")),
            std::tuple(u"About...", u"Homepage...", u"Send IM to author..."));
  RECT r;
  GetWindowRect(form->hwnd(), &r);
  EXPECT_EQ(std::tuple(r.left, r.top, r.right, r.bottom), std::tuple(367, 238, 656, 530))
      << "not centred on the screen";
  // The hand over what a click opens; the pointer's own shape elsewhere.
  std::string hands;
  for (const char* name : {"CAP", "Label9", "link1", "Label10", "link2", "btRefresh"}) {
    MoveTo(ScreenPoint(Control(name)));
    Pump(60, form->hwnd());
    hands += GetCursor() == LoadCursorW(nullptr, IDC_HAND) ? "hand " : "arrow ";
  }
  EXPECT_EQ(hands, "hand arrow hand arrow hand arrow ");
  EXPECT_TRUE(Shows("main-96"));
  Open(144);
  EXPECT_TRUE(Shows("main-144"));
  form.reset();
  EXPECT_EQ(win32::GdiCounter::Live(), gdi);
}

TEST_F(MainWindow, TabOrderAndSpace) {
  Open();
  EXPECT_EQ(GetFocus(), Control("lstDrvs")) << "the first tab stop has the focus at start";
  for (const char* expected : {"chkGlobal", "lstDrvTypes", "btRefresh", "btSaveSet", "lstDrvs"}) {
    Key(VK_TAB);
    Pump(40, form->hwnd());
    EXPECT_EQ(GetFocus(), Control(expected)) << expected;
  }
  const ModalDriver menus;
  for (WORD key : {VK_HOME, VK_DOWN, VK_DOWN, VK_SPACE, VK_APPS, VK_TAB, VK_SPACE}) Key(key);
  Key(VK_F10, true);  // no key opens a list's menu; F10 enters the menu bar, which Escape leaves
  Key(VK_ESCAPE);
  Pump(60, form->hwnd());
  EXPECT_EQ(std::tuple(Checked(), std::get<0>(Ticks()), menus.Seen().menus), std::tuple(BST_UNCHECKED, 1u << 2, 0));
}

// A value under HKEY_LOCAL_MACHINE overrides the user's: the window says so under its layout, growing
// only while there is something to say, and the save's report repeats it after its first line.
TEST_F(MainWindow, AMachineWidePolicyIsShownAndRepeatedOnSave) {
  const Value machine{HKEY_LOCAL_MACHINE, kExplorer, L"NoDriveTypeAutoRun"};
  Seed(machine, 0x24);
  Open();
  const std::u16string says = u"AutoRun is disabled for Removable and CD/DVD drives on this computer";
  EXPECT_TRUE(Shows("main-notice"));
  ModalDriver box;
  ClickOn("btSaveSet");
  ASSERT_TRUE(box.WaitBoxes(1, form->hwnd()));
  EXPECT_EQ(box.Seen().text.substr(0, 23 + says.size()), u"Settings has saved...\r\n" + says);
  RegDeleteKeyValueW(machine.root, machine.path, machine.name);
  ClickOn("btRefresh");
  SetFocus(Control("lstDrvs"));
  EXPECT_TRUE(Shows("main-96")) << "not shrunk back";
}

TEST_F(MainWindow, TheSystemMenuExportsTheTicksAsARegistrationFile) {
  Seed(kTypes, 0xFFFFFF91u);
  Open();
  Click(OverEntry("lstDrvs", 2));
  Pump(100, form->hwnd());
  // Over an existing longer file, once the dialog's "replace?" is answered yes; into a folder that is not there.
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  std::ofstream(folder / "exported.reg") << std::string(5000, 'x');
  for (const auto& [path, written, boxes, failure] :
       {std::tuple{folder / "exported.reg", policy::RegFileBytes({0, 4, -111, -111}, {}), 2, std::u16string::npos},
        std::tuple{folder / "missing" / "exported.reg", std::string(), 2, std::size_t{0}}}) {
    // The Save dialog is given the file name (in whichever name field it has) and its first button, Save.
    ModalDriver driver(-1, nullptr, [&, path = path](HWND dialog) {
      for (int name : {1148, 1152}) SetDlgItemTextW(dialog, name, path.c_str());
    });
    PostMessageW(form->hwnd(), WM_SYSCOMMAND, 0x10, 0);
    Pump(1500, form->hwnd());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}), written);
    EXPECT_EQ(std::tuple(driver.Seen().boxes, driver.Seen().text.find(u"Could not export to")),
              std::tuple(boxes, failure))
        << "the dialog, then a box to replace the file or for a failure";
    std::filesystem::remove(path);
  }
}

// Each item chosen in the system menu (opened as Alt+Space opens it) writes the other state at once and tells other
// programs; the ticks are read whenever the menu opens; a refused write is reported and the tick shows what is stored.
TEST_F(MainWindow, TheSystemMenuSwitchesAutoPlayAndAutoRunCommandsAsStored) {
  const win32::UniqueHook hook = NoticeCounter();
  Seed(kAutoplay, 2), RegSetKeyValueW(kNoAutorun.root, kNoAutorun.path, kNoAutorun.name, REG_BINARY, "\1\0\0\0", 4);
  Open();
  const HMENU system = GetSystemMenu(form->hwnd(), FALSE);
  const int ap = GetMenuItemCount(system) - 2, ar = ap + 1, on = MF_CHECKED;
  using Shown = std::tuple<std::optional<DWORD>, std::optional<DWORD>, UINT, UINT, int>;  // stored, ticked, notices
  const auto shown = [&] {
    return Shown(Stored(kAutoplay), Stored(kNoAutorun), GetMenuState(system, ap, MF_BYPOSITION) & on,
                 GetMenuState(system, ar, MF_BYPOSITION) & on, g_notices);
  };
  const auto choose = [&](int item, const Shown& expected, int boxes = 0) {  // item -1: the menu opened only
    ModalDriver driver(item);
    PostMessageW(form->hwnd(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
    PumpUntil([&] { return driver.Seen().menus + driver.Seen().boxes == 1 + boxes && shown() == expected; }, 3000,
              form->hwnd());
    EXPECT_EQ(shown(), expected) << item;
    return driver.Seen();
  };
  const std::vector<std::u16string> items = choose(-1, {2, {}, 0, 0, 0}).items;  // another number or type: off, kept
  EXPECT_EQ(std::vector(items.end() - 4, items.end()),
            (std::vector<std::u16string>{u"", u"Export as .reg file...", u"Turn off AutoPlay pop-ups",
                                         u"Run no AutoRun commands"}));
  choose(ap, {1, {}, on, 0, 1}), choose(ar, {1, 1, on, on, 2}), choose(ap, {0, 1, 0, on, 3});
  choose(ar, {0, {}, 0, 0, 4}), choose(ap, {1, {}, on, 0, 5}), choose(ar, {1, 1, on, on, 6});
  Seed(kAutoplay, 0), RegDeleteKeyValueW(kNoAutorun.root, kNoAutorun.path, kNoAutorun.name);  // behind its back
  choose(-1, {0, {}, 0, 0, 6});
  reg.refused = true;
  EXPECT_NE(choose(ar, {0, {}, 0, 0, 6}, 1).text.find(u"\"NoAutorun\" in HKEY_CURRENT_USER\\Software\\"),
            std::u16string::npos);
}

TEST_F(MainWindow, TheTitleShowsTheVietnameseAboutBoxThenTheEffect) {
  Open();
  Picture shown;
  ModalDriver driver(-1, L"QuellanEffect", [&shown](HWND box) {  // the effect covers the screen until a press
    // Read from the box's own surface, drawn in full, not from a screen that may not show all of it yet.
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r;
    GetClientRect(box, &r);
    shown = Capture(win32::WindowDc(box).get(), r);
  });
  // The system's message font smaller than the box's own, so that the box must grow to its text.
  NONCLIENTMETRICSW system{}, smaller;
  system.cbSize = sizeof system;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof system, &system, 0);
  (smaller = system).lfMessageFont.lfHeight = -9;
  SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof smaller, &smaller, 0);
  Click(ScreenPoint(Control("CAP")));
  EXPECT_TRUE(PumpUntil([&] { return driver.Seen().boxes == 1 && driver.Seen().others == 1; }, 5000, form->hwnd()));
  SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof system, &system, 0);
  Pump(100, form->hwnd());
  EXPECT_EQ(driver.Seen().title, u"Th\u00F4ng tin v\u1EC1 Quellan!");
  EXPECT_EQ(
      std::tuple(driver.Seen().icon, driver.Seen().buttons, driver.Seen().owner),
      std::tuple(LoadIconW(nullptr, IDI_INFORMATION), std::vector<std::u16string>{u"\u0110\u00F3ng"}, form->hwnd()));
  EXPECT_TRUE(MatchesReference(shown, QUELLAN_REFERENCES "/about.ppm"));
  EXPECT_EQ(BuildAboutText(u"Q", 1, 12, {}).text.substr(0, 35), u"Tie65n i1ch: Q\r\nPhie6n ba3n: 1.12\r\n");
  EXPECT_EQ(FindThreadWindow(L"QuellanEffect"), nullptr) << "the effect ended with the press";
  EXPECT_TRUE(IsWindowEnabled(form->hwnd()));
}

}  // namespace
}  // namespace quellan::mainwindow

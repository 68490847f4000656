// frmMain under Wine, driven by real input: the window is built from its layout table, starts from
// the stored policy, and its menus, buttons and lists change the ticks and the registry as the
// user expects.
#include "ui/main/frm_main.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../forms/ui_driver.h"
#include "policy/memory_registry.h"
#include "policy/win32_registry.h"
#include "ui/button/orvane_button.h"
#include "ui/forms/application.h"
#include "ui/forms/handles.h"
#include "ui/forms/twips.h"

namespace quellan::mainwindow {
namespace {

using policy::kHkeyCurrentUser;
using policy::kHkeyLocalMachine;
using policy::kHkeyUsers;
using policy::kRegDword;
using policy::kRegSz;
using policy::MemoryRegistry;
using testing::Click;
using testing::Key;
using testing::MenuDriver;
using testing::MessageBoxDriver;
using testing::Mouse;
using testing::Pump;
using testing::PumpUntil;
using testing::ScreenPoint;

const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string kDefaultExplorer = ".DEFAULT\\" + kExplorer;
const std::string kCdrom = "System\\CurrentControlSet\\Services\\CDRom";

std::vector<std::uint8_t> DwordBytes(std::uint32_t v) {
  return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
          static_cast<std::uint8_t>(v >> 24)};
}

std::optional<std::uint32_t> StoredDword(const MemoryRegistry& reg, std::uint32_t root, const std::string& path,
                                         const std::string& name) {
  const auto value = reg.Find(root, path, name);
  if (!value || value->type != kRegDword || value->data.size() != 4) return std::nullopt;
  std::uint32_t v = 0;
  std::memcpy(&v, value->data.data(), 4);
  return v;
}

// The ticks of a list as a bit mask (entry i is bit i).
std::uint32_t TickMask(const policy::CheckListModel& list) {
  std::uint32_t mask = 0;
  for (int i = 0; i < list.ListCount(); ++i)
    if (list.Selected(i)) mask |= 1u << i;
  return mask;
}

int Writes(const MemoryRegistry& reg) {
  int n = 0;
  for (const auto& call : reg.Calls()) n += call.call == policy::RegCall::SetValueEx;
  return n;
}

// A screen point over entry `index` of a list (on its text, right of the tick box).
POINT OverEntry(HWND list, int index) {
  RECT r{};
  SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  return ScreenPoint(list, POINT{r.left + 40, (r.top + r.bottom) / 2});
}

class MainWindowTest : public ::testing::Test {
 protected:
  void Open(int dpi = 96) {
    form = std::make_unique<frmMain>(reg, dpi);
    ASSERT_TRUE(form->Load());
    SetForegroundWindow(form->hwnd());
    Pump(60, form->hwnd());
  }
  void TearDown() override {
    form.reset();
    Pump(10);
  }
  HWND Control(const char* name) const { return form->Control(name); }
  void Seed(std::uint32_t root, const std::string& path, const std::string& name, std::uint32_t value) {
    reg.Seed(root, path, name, kRegDword, DwordBytes(value));
  }
  // Presses a button of the window with the left button and waits for what it started to finish.
  void PressButton(const char* name) {
    Click(ScreenPoint(Control(name)));
    Pump(80, form->hwnd());
  }
  std::u16string Tip(const char* name) const { return form->ToolTips().Text(Control(name)); }

  MemoryRegistry reg;
  std::unique_ptr<frmMain> form;
};

TEST_F(MainWindowTest, StartsFromTheStoredPolicy) {
  struct Case {
    const char* what;
    std::optional<std::uint32_t> autoRun, letters, types;
    int expectedGlobal;
    std::uint32_t expectedLetters, expectedTypes;
  } cases[] = {
      {"nothing stored", {}, {}, {}, 1, 0, 0},
      {"C only, Unknown and Network", 0, 4, 0x91, 1, 0x4, 0x11},
      {"CD-ROM AutoRun on, high bits stored", 5, 0xFC000004u, 0x3FF, 0, 0x4, 0x7F},
      {"every letter", 1, 0xFFFFFFFFu, 0, 0, 0x3FFFFFF, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.autoRun) Seed(kHkeyLocalMachine, kCdrom, "AutoRun", *c.autoRun);
    if (c.letters) Seed(kHkeyCurrentUser, kExplorer, "NoDriveAutoRun", *c.letters);
    if (c.types) Seed(kHkeyCurrentUser, kExplorer, "NoDriveTypeAutoRun", *c.types);
    Open();
    EXPECT_EQ(form->chkGlobalModel().Value(), c.expectedGlobal);
    EXPECT_EQ(SendMessageW(Control("chkGlobal"), BM_GETCHECK, 0, 0), c.expectedGlobal ? BST_CHECKED : BST_UNCHECKED);
    EXPECT_EQ(TickMask(form->lstDrvsModel()), c.expectedLetters);
    EXPECT_EQ(TickMask(form->lstDrvTypesModel()), c.expectedTypes);
    EXPECT_EQ(SendMessageW(Control("lstDrvs"), LB_GETCOUNT, 0, 0), 26);
    EXPECT_EQ(SendMessageW(Control("lstDrvTypes"), LB_GETCOUNT, 0, 0), 7);
    EXPECT_EQ(Writes(reg), 0);
    form.reset();
  }
}

TEST_F(MainWindowTest, UnreadableValueAbandonsOnlyTheReadingStep) {
  // A stored text with no numeric reading stops the reading of the policy where it stands; the
  // lists were filled by the step before and the window still opens.
  Seed(kHkeyLocalMachine, kCdrom, "AutoRun", 7);
  const std::string text = "many";
  reg.Seed(kHkeyCurrentUser, kExplorer, "NoDriveAutoRun", kRegSz,
           std::vector<std::uint8_t>(text.begin(), text.end() + 1));
  Seed(kHkeyCurrentUser, kExplorer, "NoDriveTypeAutoRun", 0x7F);
  Open();
  EXPECT_TRUE(IsWindowVisible(form->hwnd()));
  EXPECT_EQ(form->chkGlobalModel().Value(), 0) << "set before the failing read";
  EXPECT_EQ(form->lstDrvsModel().ListCount(), 26);
  EXPECT_EQ(form->lstDrvTypesModel().ListCount(), 7);
  EXPECT_EQ(TickMask(form->lstDrvTypesModel()), 0u) << "after the failing read: left unticked";
  EXPECT_EQ(testing::FindThreadWindow(L"#32770"), nullptr) << "no message";
}

TEST_F(MainWindowTest, ListsAreFilledAndTickedBeforeTheWindowIsFirstShown) {
  Seed(kHkeyCurrentUser, kExplorer, "NoDriveAutoRun", 4);
  static LRESULT entriesWhenShown = -1;
  static HWND main = nullptr;
  entriesWhenShown = -1;
  // Looks at the letter list when the main window receives its first WM_SHOWWINDOW.
  HHOOK hook = SetWindowsHookExW(
      WH_CALLWNDPROC,
      [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
        wchar_t name[32] = {};
        GetClassNameW(m->hwnd, name, 32);
        if (code == HC_ACTION && m->message == WM_SHOWWINDOW && m->wParam && lstrcmpW(name, L"QuellanMain") == 0 &&
            entriesWhenShown < 0) {
          HWND list = FindWindowExW(FindWindowExW(m->hwnd, nullptr, L"QuellanFrame", nullptr), nullptr,
                                    L"QuellanCheckList", nullptr);
          entriesWhenShown = 0;
          for (; list; list = FindWindowExW(GetParent(list), list, L"QuellanCheckList", nullptr))
            entriesWhenShown += SendMessageW(list, LB_GETCOUNT, 0, 0);
          main = m->hwnd;
        }
        return CallNextHookEx(nullptr, code, wp, lp);
      },
      nullptr, GetCurrentThreadId());
  Open();
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(main, form->hwnd());
  EXPECT_EQ(entriesWhenShown, 26 + 7);
}

TEST_F(MainWindowTest, SelectAllOnTheLettersThenSaveWritesEveryLetterAndConfirms) {
  Open();
  {
    MenuDriver menu(0);  // "Select all"
    testing::MoveTo(OverEntry(Control("lstDrvs"), 3));
    testing::Press(Mouse::Right);
    // The menu opens as the button goes down, before it is released.
    ASSERT_TRUE(PumpUntil([&] { return menu.Seen().opened == 1; }, 3000, form->hwnd()));
    testing::Release(Mouse::Right);
    Pump(60, form->hwnd());
    EXPECT_EQ(menu.Seen().items, (std::vector<std::u16string>{u"Select all", u"Deselect all"}));
  }
  EXPECT_EQ(TickMask(form->lstDrvsModel()), 0x3FFFFFFu);
  EXPECT_EQ(TickMask(form->lstDrvTypesModel()), 0u);
  // Ticked from the last entry to the first: "A" was the last one to change.
  EXPECT_EQ(Tip("lstDrvs"), u"AutoRun for Drive A is Disabled");
  EXPECT_EQ(Writes(reg), 0) << "ticking writes nothing";

  MessageBoxDriver box;
  PressButton("btSaveSet");
  ASSERT_TRUE(
      PumpUntil([&] { return box.Seen().opened == 1 && !testing::FindThreadWindow(L"#32770"); }, 3000, form->hwnd()));
  EXPECT_EQ(box.Seen().text, u"Settings has saved...");
  EXPECT_EQ(box.Seen().title, u"Quellan!!!");
  EXPECT_EQ(box.Seen().buttons, 1);
  EXPECT_TRUE(box.Seen().icon);
  EXPECT_EQ(StoredDword(reg, kHkeyCurrentUser, kExplorer, "NoDriveAutoRun"), 0x3FFFFFFu);
  EXPECT_EQ(StoredDword(reg, kHkeyLocalMachine, kCdrom, "AutoRun"), 0u);
  EXPECT_EQ(StoredDword(reg, kHkeyCurrentUser, kExplorer, "NoDriveTypeAutoRun"), 0u);
  EXPECT_EQ(StoredDword(reg, kHkeyUsers, kDefaultExplorer, "NoDriveTypeAutoRun"), 0u);
  EXPECT_EQ(TickMask(form->lstDrvsModel()), 0x3FFFFFFu) << "no refresh follows a save";
}

TEST_F(MainWindowTest, DeselectAllOnTheTypesLeavesTheLettersAlone) {
  Seed(kHkeyCurrentUser, kExplorer, "NoDriveAutoRun", 0x24);
  Seed(kHkeyCurrentUser, kExplorer, "NoDriveTypeAutoRun", 0xFF);
  Open();
  MenuDriver menu(1);  // "Deselect all"
  Click(OverEntry(Control("lstDrvTypes"), 1), Mouse::Right);
  ASSERT_TRUE(PumpUntil([&] { return menu.Seen().opened == 1; }, 3000, form->hwnd()));
  Pump(60, form->hwnd());
  EXPECT_EQ(TickMask(form->lstDrvTypesModel()), 0u);
  EXPECT_EQ(TickMask(form->lstDrvsModel()), 0x24u);
  // Unticked from the first entry to the last.
  EXPECT_EQ(Tip("lstDrvTypes"), u"AutoRun for RAM Disk Drives is Enabled");
  EXPECT_EQ(Tip("lstDrvs"), u"") << "the letters were not touched";
}

TEST_F(MainWindowTest, OnlyTheRightButtonOpensAMenu) {
  Open();
  struct Case {
    const char* list;
    Mouse button;
    int entry;
    bool toggles;
  } cases[] = {
      {"lstDrvs", Mouse::Left, 2, true},
      {"lstDrvs", Mouse::Middle, 4, false},
      {"lstDrvTypes", Mouse::Left, 5, true},
      {"lstDrvTypes", Mouse::Middle, 0, false},
  };
  MenuDriver spy(-1);  // dismisses and counts any menu
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    const policy::CheckListModel& model =
        std::strcmp(c.list, "lstDrvs") == 0 ? form->lstDrvsModel() : form->lstDrvTypesModel();
    const bool before = model.Selected(c.entry);
    Click(OverEntry(Control(c.list), c.entry), c.button);
    Pump(120, form->hwnd());
    EXPECT_EQ(model.Selected(c.entry), c.toggles ? !before : before);
  }
  // Nor does the keyboard: the context-menu key over a focused list.
  SetFocus(Control("lstDrvs"));
  Key(VK_APPS);
  Pump(150, form->hwnd());
  for (const std::u16string& item : spy.Seen().allItems) EXPECT_NE(item, u"Select all");
  EXPECT_EQ(Tip("lstDrvs"), u"AutoRun for Drive C is Disabled") << "what the left click on C did";
  EXPECT_EQ(Tip("lstDrvTypes"), u"AutoRun for CD/DVD Drives is Disabled");
  EXPECT_EQ(Writes(reg), 0);
}

TEST_F(MainWindowTest, RefreshThrowsTheTicksAwayAndWritesNothing) {
  Seed(kHkeyLocalMachine, kCdrom, "AutoRun", 0);
  Seed(kHkeyCurrentUser, kExplorer, "NoDriveAutoRun", 0x8);
  Seed(kHkeyCurrentUser, kExplorer, "NoDriveTypeAutoRun", 0x20);
  Open();
  Click(OverEntry(Control("lstDrvs"), 0));
  Click(OverEntry(Control("lstDrvTypes"), 5));
  Click(ScreenPoint(Control("chkGlobal")));
  Pump(80, form->hwnd());
  ASSERT_EQ(TickMask(form->lstDrvsModel()), 0x9u);
  ASSERT_EQ(TickMask(form->lstDrvTypesModel()), 0u);
  ASSERT_EQ(form->chkGlobalModel().Value(), 0);
  PressButton("btRefresh");
  EXPECT_EQ(TickMask(form->lstDrvsModel()), 0x8u);
  EXPECT_EQ(TickMask(form->lstDrvTypesModel()), 0x20u);
  EXPECT_EQ(form->chkGlobalModel().Value(), 1);
  EXPECT_EQ(SendMessageW(Control("lstDrvs"), LB_GETCOUNT, 0, 0), 26) << "no duplicated entries";
  EXPECT_EQ(Writes(reg), 0);
  for (const auto& call : reg.Calls()) EXPECT_NE(call.call, policy::RegCall::CreateKeyEx);
  EXPECT_EQ(Tip("lstDrvs"), u"") << "a refresh starts the status afresh";
}

TEST_F(MainWindowTest, SavingTwiceWritesTwiceAndConfirmsTwice) {
  Seed(kHkeyCurrentUser, kExplorer, "NoDriveTypeAutoRun", 0x91);
  Open();
  MessageBoxDriver box;
  for (int round = 1; round <= 2; ++round) {
    PressButton("btSaveSet");
    ASSERT_TRUE(PumpUntil([&] { return box.Seen().opened == round && !testing::FindThreadWindow(L"#32770"); }, 3000,
                          form->hwnd()))
        << "round " << round;
    EXPECT_EQ(Writes(reg), 4 * round);
  }
  EXPECT_EQ(box.Seen().text, u"Settings has saved...");
  EXPECT_EQ(StoredDword(reg, kHkeyCurrentUser, kExplorer, "NoDriveTypeAutoRun"), 0x91u);
  EXPECT_EQ(StoredDword(reg, kHkeyUsers, kDefaultExplorer, "NoDriveTypeAutoRun"), 0x91u);
}

TEST_F(MainWindowTest, RefusedWriteIsReportedAndTheOthersAreStillWritten) {
  Open();
  policy::InjectedFailure refuse;
  refuse.call = policy::RegCall::CreateKeyEx;
  refuse.root = kHkeyLocalMachine;
  refuse.status = policy::kErrorAccessDenied;
  reg.InjectFailure(refuse);
  MessageBoxDriver box;
  PressButton("btSaveSet");
  ASSERT_TRUE(
      PumpUntil([&] { return box.Seen().opened == 1 && !testing::FindThreadWindow(L"#32770"); }, 3000, form->hwnd()));
  EXPECT_EQ(box.Seen().title, u"Quellan!!!");
  EXPECT_NE(box.Seen().text, u"Settings has saved...");
  EXPECT_NE(box.Seen().text.find(u"AutoRun"), std::u16string::npos) << "the refused value is listed";
  EXPECT_NE(box.Seen().text.find(u"HKEY_LOCAL_MACHINE"), std::u16string::npos);
  EXPECT_FALSE(reg.Find(kHkeyLocalMachine, kCdrom, "AutoRun").has_value());
  EXPECT_EQ(StoredDword(reg, kHkeyCurrentUser, kExplorer, "NoDriveAutoRun"), 0u);
  EXPECT_EQ(StoredDword(reg, kHkeyUsers, kDefaultExplorer, "NoDriveTypeAutoRun"), 0u);
}

// A top-level window that counts the WM_SETTINGCHANGE "Policy" notices it receives.
struct SettingWatcher {
  SettingWatcher() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
      if (m == WM_SETTINGCHANGE && l && lstrcmpW(reinterpret_cast<const wchar_t*>(l), L"Policy") == 0) ++received;
      return DefWindowProcW(h, m, w, l);
    };
    wc.lpszClassName = L"QuellanTestSettingWatcher";
    RegisterClassW(&wc);
    received = 0;
    window.reset(
        CreateWindowW(wc.lpszClassName, L"watcher", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr));
  }
  static inline int received = 0;
  forms::UniqueWindow window;
};

TEST_F(MainWindowTest, ASuccessfulSaveTellsOtherProgramsThePolicyChanged) {
  struct Case {
    const char* what;
    bool refuseAll;
    int notices;
  } cases[] = {{"every write refused", true, 0}, {"written", false, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SettingWatcher watcher;
    Open();
    if (c.refuseAll) {
      policy::InjectedFailure refuse;
      refuse.call = policy::RegCall::CreateKeyEx;
      refuse.times = -1;
      reg.InjectFailure(refuse);
    }
    MessageBoxDriver box;
    PressButton("btSaveSet");
    ASSERT_TRUE(
        PumpUntil([&] { return box.Seen().opened == 1 && !testing::FindThreadWindow(L"#32770"); }, 3000, form->hwnd()));
    PumpUntil([&] { return SettingWatcher::received > 0; }, c.notices ? 3000 : 400);
    EXPECT_EQ(SettingWatcher::received, c.notices);
    reg.ClearFailures();
    form.reset();
  }
}

TEST_F(MainWindowTest, CheckBoxClickKeepsSaveEnabledAndChangesOnlyTheTick) {
  Open();
  button::OrvaneButton* save = form->btSaveSet();
  ASSERT_NE(save, nullptr);
  EXPECT_TRUE(save->Enabled()) << "enabled from the start";
  save->Enabled(false);
  Click(ScreenPoint(Control("chkGlobal")));
  Pump(80, form->hwnd());
  EXPECT_EQ(form->chkGlobalModel().Value(), 0);
  EXPECT_TRUE(save->Enabled());
  EXPECT_TRUE(IsWindowEnabled(save->hwnd()));
  // A refresh that changes the value runs the same handler.
  save->Enabled(false);
  form->trefresh();
  EXPECT_EQ(form->chkGlobalModel().Value(), 1);
  EXPECT_TRUE(save->Enabled());
  EXPECT_EQ(Writes(reg), 0);
}

TEST_F(MainWindowTest, ControlsLieWhereTheTableSaysAtTheDisplayDpi) {
  for (int dpi : {96, 144}) {
    SCOPED_TRACE(dpi);
    Open(dpi);
    RECT client;
    GetClientRect(form->hwnd(), &client);
    EXPECT_EQ(client.right, forms::TwipsToPixels(4245, dpi));
    EXPECT_EQ(client.bottom, forms::TwipsToPixels(4005, dpi));
    for (const ControlSpec& item : MainControls()) {
      HWND hwnd = Control(item.name);
      ASSERT_NE(hwnd, nullptr) << item.name;
      RECT r;
      GetWindowRect(hwnd, &r);
      MapWindowPoints(nullptr, form->hwnd(), reinterpret_cast<POINT*>(&r), 2);
      const PixelRect expected = WindowRect(item, dpi);
      EXPECT_EQ(r.left, expected.left) << item.name;
      EXPECT_EQ(r.top, expected.top) << item.name;
      EXPECT_EQ(r.right - r.left, expected.width) << item.name;
      EXPECT_EQ(r.bottom - r.top, expected.height) << item.name;
      const bool inFrame = item.container == Container::Frame;
      EXPECT_EQ(GetParent(hwnd), inFrame ? Control("fraSet") : form->hwnd()) << item.name;
    }
    form.reset();
  }
}

TEST_F(MainWindowTest, FixedSingleBorderCentredWithItsCaption) {
  Open();
  const LONG style = GetWindowLongW(form->hwnd(), GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_EQ(GetMenu(form->hwnd()), nullptr) << "no menu bar";
  RECT r;
  GetWindowRect(form->hwnd(), &r);
  EXPECT_LE(std::abs((r.left + r.right) - GetSystemMetrics(SM_CXSCREEN)), 1);
  EXPECT_LE(std::abs((r.top + r.bottom) - GetSystemMetrics(SM_CYSCREEN)), 1);
  EXPECT_EQ(testing::WindowText(form->hwnd()), WindowCaption());
  EXPECT_EQ(testing::WindowText(Control("link2")), Link2Caption());
  EXPECT_EQ(form->btRefresh()->Caption(), u"Refresh");
  EXPECT_EQ(form->btSaveSet()->Caption(), u"Save Setting");
  EXPECT_EQ(form->btSaveSet()->Font()->name, u"Tahoma");
  EXPECT_EQ(form->btSaveSet()->Font()->size, 8.25f);
  for (const char* name : {"CAP", "link1", "link2"}) EXPECT_EQ(Tip(name), FindControl(name)->toolTip) << name;
}

TEST_F(MainWindowTest, TabVisitsTheControlsInTabIndexOrder) {
  Open();
  EXPECT_EQ(GetFocus(), Control("lstDrvs")) << "the first tab stop has the focus at start";
  const char* order[] = {"chkGlobal", "lstDrvTypes", "btRefresh", "btSaveSet", "lstDrvs"};
  for (const char* expected : order) {
    Key(VK_TAB);
    Pump(40, form->hwnd());
    EXPECT_EQ(GetFocus(), Control(expected)) << "Tab to " << expected;
  }
  const char* backwards[] = {"btSaveSet", "btRefresh"};
  for (const char* expected : backwards) {
    Key(VK_TAB, true);
    Pump(40, form->hwnd());
    EXPECT_EQ(GetFocus(), Control(expected)) << "Shift+Tab to " << expected;
  }
}

TEST_F(MainWindowTest, SpaceTogglesTheCurrentEntryAndTheCheckBox) {
  Open();
  HWND letters = Control("lstDrvs");
  ASSERT_EQ(GetFocus(), letters);
  Key(VK_HOME);
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_SPACE);
  Pump(60, form->hwnd());
  EXPECT_EQ(SendMessageW(letters, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(TickMask(form->lstDrvsModel()), 1u << 2);
  EXPECT_EQ(Tip("lstDrvs"), u"AutoRun for Drive C is Disabled");
  Key(VK_TAB);
  Key(VK_SPACE);
  Pump(60, form->hwnd());
  EXPECT_EQ(form->chkGlobalModel().Value(), 0);
  EXPECT_EQ(Writes(reg), 0);
}

TEST_F(MainWindowTest, FrameAndTransparentLabelsShowTheWindowsColour) {
  Open();
  Pump(100, form->hwnd());
  const COLORREF yellow = RGB(255, 255, 192);
  forms::WindowDc dc(form->hwnd());
  struct Probe {
    const char* what;
    int twipsX, twipsY;  // window client coordinates
  } probes[] = {
      {"frame, between the buttons", 2115, 765 + 2600},
      {"frame, right of the letter list", 4170, 765 + 1000},
      {"title label, left of the title", 150, 60},
      {"Label10 after its text", 2050, 765 + 650},
  };
  for (const Probe& p : probes) {
    const int x = forms::TwipsToPixels(p.twipsX, 96), y = forms::TwipsToPixels(p.twipsY, 96);
    EXPECT_EQ(GetPixel(dc.get(), x, y), yellow) << p.what;
  }
  // The title is drawn in orange and link2 in blue somewhere inside their rectangles.
  struct Ink {
    const char* name;
    COLORREF colour;
  } inks[] = {{"CAP", RGB(255, 128, 0)}, {"link2", RGB(0, 0, 255)}, {"link1", RGB(0, 0, 255)}};
  for (const Ink& ink : inks) {
    const PixelRect r = WindowRect(*FindControl(ink.name), 96);
    int found = 0;
    for (int y = r.top; y < r.top + r.height; ++y)
      for (int x = r.left; x < r.left + r.width; ++x) found += GetPixel(dc.get(), x, y) == ink.colour;
    EXPECT_GT(found, 10) << ink.name;
  }
}

TEST_F(MainWindowTest, HandCursorOverTheTitleAndTheLinksOnly) {
  Open();
  const HCURSOR hand = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND));
  struct Case {
    const char* name;
    bool hand;
  } cases[] = {{"CAP", true},   {"Label9", false},  {"link1", true}, {"lstDrvs", false},
               {"link2", true}, {"Label10", false}, {"CAP", true}};
  for (const Case& c : cases) {
    const POINT at = ScreenPoint(Control(c.name), POINT{3, 3});
    testing::MoveTo(POINT{at.x + 1, at.y});
    testing::MoveTo(at);
    Pump(40, form->hwnd());
    EXPECT_EQ(GetCursor() == hand, c.hand) << c.name;
  }
}

TEST_F(MainWindowTest, ClickingTheTitleShowsTheAboutBoxThenTheEffect) {
  Open();
  MessageBoxDriver box;
  testing::WindowClicker effect(L"QuellanEffect");  // the effect covers the screen until a press
  // The handler returns only when the box and the effect are over.
  Click(ScreenPoint(Control("CAP")));
  ASSERT_TRUE(PumpUntil([&] { return box.Seen().opened == 1 && effect.Clicks() == 1; }, 5000, form->hwnd()));
  Pump(100, form->hwnd());
  EXPECT_NE(box.Seen().title.find(u"Quellan"), std::u16string::npos);
  EXPECT_EQ(testing::FindThreadWindow(L"QuellanEffect"), nullptr);
  EXPECT_TRUE(IsWindowEnabled(form->hwnd()));
  EXPECT_EQ(Writes(reg), 0);
}

TEST_F(MainWindowTest, OpeningAndClosingLeavesNoGdiObjectsBehind) {
  const long before = forms::GdiCounter::Live();
  for (int i = 0; i < 3; ++i) {
    Open();
    form->trefresh();
    form.reset();
  }
  EXPECT_EQ(forms::GdiCounter::Live(), before);
}

// The program's own version resource gives the application object its title and version.
TEST(MainWindowProgram, VersionResourceNamesTheProductAndItsVersion) {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring exe(path, n);
  exe = exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"..\\..\\..\\src\\app\\Quellan.exe";
  ASSERT_NE(GetFileAttributesW(exe.c_str()), INVALID_FILE_ATTRIBUTES) << "built before this test";
  DWORD ignored = 0;
  ASSERT_GT(GetFileVersionInfoSizeW(exe.c_str(), &ignored), 0u) << "the executable carries a version resource";
  const forms::ApplicationInfo info = forms::ApplicationInfoOf(exe.c_str());
  EXPECT_EQ(info.title, u"Quellan");
  EXPECT_EQ(info.major, 1);
  EXPECT_EQ(info.minor, 0);
  HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST), nullptr);
  EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON), nullptr);
  FreeLibrary(module);
}

// The four policy locations in the real registry of the Wine prefix, as they were before a test;
// put back afterwards (a value that did not exist is deleted again).
class RealPolicyValues {
 public:
  RealPolicyValues() {
    for (Saved& s : m_saved) {
      DWORD size = sizeof(s.value);
      s.existed = RegGetValueW(s.root, s.path, s.name, RRF_RT_ANY, &s.type, &s.value, &size) == ERROR_SUCCESS;
      s.size = size;
    }
  }
  ~RealPolicyValues() {
    for (const Saved& s : m_saved) {
      HKEY key = nullptr;
      if (RegOpenKeyExW(s.root, s.path, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) continue;
      if (s.existed)
        RegSetValueExW(key, s.name, 0, s.type, reinterpret_cast<const BYTE*>(&s.value), s.size);
      else
        RegDeleteValueW(key, s.name);
      RegCloseKey(key);
    }
  }
  static std::optional<DWORD> Read(HKEY root, const wchar_t* path, const wchar_t* name) {
    DWORD value = 0, size = sizeof(value);
    if (RegGetValueW(root, path, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) return std::nullopt;
    return value;
  }

 private:
  struct Saved {
    HKEY root;
    const wchar_t* path;
    const wchar_t* name;
    bool existed = false;
    DWORD type = 0;
    DWORD size = 0;
    BYTE value[64] = {};
  };
  Saved m_saved[4] = {
      {HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Services\\CDRom", L"AutoRun"},
      {HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", L"NoDriveAutoRun"},
      {HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", L"NoDriveTypeAutoRun"},
      {HKEY_USERS, L".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
       L"NoDriveTypeAutoRun"},
  };
};

TEST(MainWindowRealRegistry, SaveReachesTheSystemRegistryAndRefreshReadsItBack) {
  RealPolicyValues restore;
  const wchar_t* explorer = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
  policy::Win32Registry registry;
  {
    frmMain form(registry, 96);
    ASSERT_TRUE(form.Load());
    SetForegroundWindow(form.hwnd());
    Pump(60, form.hwnd());
    {
      MenuDriver menu(0);  // "Select all"
      Click(OverEntry(form.Control("lstDrvs"), 0), Mouse::Right);
      ASSERT_TRUE(PumpUntil([&] { return menu.Seen().opened == 1; }, 3000, form.hwnd()));
      Pump(60, form.hwnd());
    }
    Click(OverEntry(form.Control("lstDrvs"), 1));  // untick "B"
    MessageBoxDriver box;
    Click(ScreenPoint(form.Control("btSaveSet")));
    ASSERT_TRUE(
        PumpUntil([&] { return box.Seen().opened == 1 && !testing::FindThreadWindow(L"#32770"); }, 3000, form.hwnd()));
    EXPECT_EQ(box.Seen().text, u"Settings has saved...");
  }
  EXPECT_EQ(RealPolicyValues::Read(HKEY_CURRENT_USER, explorer, L"NoDriveAutoRun"), 0x3FFFFFDu);
  EXPECT_EQ(RealPolicyValues::Read(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Services\\CDRom", L"AutoRun"),
            std::optional<DWORD>(0));
  // A new window starts from what was saved.
  frmMain again(registry, 96);
  ASSERT_TRUE(again.Load(SW_HIDE));
  EXPECT_EQ(TickMask(again.lstDrvsModel()), 0x3FFFFFDu);
}

}  // namespace
}  // namespace quellan::mainwindow

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
#include "ui/button/orvane_button.h"
#include "ui/forms/application.h"
#include "ui/forms/handles.h"
#include "ui/forms/twips.h"

namespace quellan::mainwindow {
namespace {

using policy::kHkeyCurrentUser;
using policy::kHkeyLocalMachine;
using policy::kHkeyUsers;
using testing::Click;
using testing::Key;
using testing::ModalDriver;
using testing::Mouse;
using testing::Pump;
using testing::ScreenPoint;

const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string kDefaultExplorer = ".DEFAULT\\" + kExplorer;
const std::string kCdrom = "System\\CurrentControlSet\\Services\\CDRom";

// The ticks of a list as a bit mask (entry i is bit i).
std::uint32_t TickMask(const policy::CheckListModel& list) {
  std::uint32_t mask = 0;
  for (int i = 0; i < list.ListCount(); ++i)
    if (list.Selected(i)) mask |= 1u << i;
  return mask;
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
    form = std::make_unique<frmMain>(*reg, dpi);
    ASSERT_TRUE(form->Load());
    SetForegroundWindow(form->hwnd());
    Pump(60, form->hwnd());
  }
  void TearDown() override {
    form.reset();
    Pump(10);
  }
  HWND Control(const char* name) const { return form->Control(name); }
  void Seed(std::uint32_t root, const std::string& path, const std::string& name, std::uint32_t v) {
    reg->Seed(root, path, name, policy::kRegDword,
              {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)});
  }
  std::optional<std::uint32_t> Stored(std::uint32_t root, const std::string& path, const std::string& name) const {
    const auto value = reg->Find(root, path, name);
    std::uint32_t v = 0;
    if (!value || value->type != policy::kRegDword || value->data.size() != 4) return std::nullopt;
    std::memcpy(&v, value->data.data(), 4);
    return v;
  }
  int Writes() const {
    int n = 0;
    for (const auto& call : reg->Calls()) n += call.call == policy::RegCall::SetValueEx;
    return n;
  }
  // Clicks a control and lets what it started run.
  void ClickOn(const char* name, int pumpMs = 80) {
    Click(ScreenPoint(Control(name)));
    Pump(pumpMs, form->hwnd());
  }
  // Opens a list's menu with the right button over one entry and lets the driver act on it.
  void RightClickEntry(const char* list, int entry, ModalDriver& menu) {
    Click(OverEntry(Control(list), entry), Mouse::Right);
    ASSERT_TRUE(testing::PumpUntil([&] { return menu.Seen().menus == 1; }, 3000, form->hwnd()));
    Pump(60, form->hwnd());
  }
  std::u16string Tip(const char* name) const { return form->ToolTips().Text(Control(name)); }

  std::unique_ptr<policy::MemoryRegistry> reg = std::make_unique<policy::MemoryRegistry>();
  std::unique_ptr<frmMain> form;
};

TEST_F(MainWindowTest, StartsFromTheStoredPolicy) {
  struct Case {
    const char* what;
    std::optional<std::uint32_t> autoRun, letters, types;
    bool lettersAsText;  // stored as a text with no numeric reading
    int global;
    std::uint32_t tickedLetters, tickedTypes;
  } cases[] = {
      {"nothing stored", {}, {}, {}, false, 1, 0, 0},
      {"C only, Unknown and Network", 0, 4, 0x91, false, 1, 0x4, 0x11},
      {"CD-ROM AutoRun on, high bits stored", 5, 0xFC000004u, 0x3FF, false, 0, 0x4, 0x7F},
      // An unreadable value stops the reading where it stands, silently; the window still opens.
      {"letters unreadable", 7, 0, 0x7F, true, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.autoRun) Seed(kHkeyLocalMachine, kCdrom, "AutoRun", *c.autoRun);
    if (c.letters) Seed(kHkeyCurrentUser, kExplorer, "NoDriveAutoRun", *c.letters);
    if (c.lettersAsText)
      reg->Seed(kHkeyCurrentUser, kExplorer, "NoDriveAutoRun", policy::kRegSz, {'m', 'a', 'n', 'y', 0});
    if (c.types) Seed(kHkeyCurrentUser, kExplorer, "NoDriveTypeAutoRun", *c.types);
    Open();
    EXPECT_EQ(SendMessageW(Control("chkGlobal"), BM_GETCHECK, 0, 0), c.global ? BST_CHECKED : BST_UNCHECKED);
    EXPECT_EQ(TickMask(form->lstDrvsModel()), c.tickedLetters);
    EXPECT_EQ(TickMask(form->lstDrvTypesModel()), c.tickedTypes);
    EXPECT_EQ(SendMessageW(Control("lstDrvs"), LB_GETCOUNT, 0, 0), 26);
    EXPECT_EQ(SendMessageW(Control("lstDrvTypes"), LB_GETCOUNT, 0, 0), 7);
    EXPECT_EQ(Writes(), 0);
    EXPECT_TRUE(IsWindowVisible(form->hwnd()));
    EXPECT_EQ(testing::FindThreadWindow(L"#32770"), nullptr) << "no message";
    form.reset();
    reg = std::make_unique<policy::MemoryRegistry>();
  }
}

TEST_F(MainWindowTest, ListsAreFilledBeforeTheWindowIsFirstShown) {
  static LRESULT entriesWhenShown = -1;
  entriesWhenShown = -1;
  // Counts the entries of both lists when the main window receives its first WM_SHOWWINDOW.
  forms::UniqueHook hook(SetWindowsHookExW(
      WH_CALLWNDPROC,
      [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
        wchar_t name[32] = {};
        GetClassNameW(m->hwnd, name, 32);
        if (m->message == WM_SHOWWINDOW && m->wParam && lstrcmpW(name, L"QuellanMain") == 0 && entriesWhenShown < 0) {
          HWND frame = FindWindowExW(m->hwnd, nullptr, L"QuellanFrame", nullptr);
          entriesWhenShown = 0;
          for (HWND l = nullptr; (l = FindWindowExW(frame, l, L"QuellanCheckList", nullptr));)
            entriesWhenShown += SendMessageW(l, LB_GETCOUNT, 0, 0);
        }
        return CallNextHookEx(nullptr, code, wp, lp);
      },
      nullptr, GetCurrentThreadId()));
  Open();
  EXPECT_EQ(entriesWhenShown, 26 + 7);
}

TEST_F(MainWindowTest, SelectAllOnTheLettersThenSaveWritesEveryLetterAndConfirms) {
  Open();
  ModalDriver driver(0);  // "Select all", then the box's OK
  testing::MoveTo(OverEntry(Control("lstDrvs"), 3));
  testing::Press(Mouse::Right);
  // The menu opens as the button goes down, before it is released.
  ASSERT_TRUE(testing::PumpUntil([&] { return driver.Seen().menus == 1; }, 3000, form->hwnd()));
  testing::Release(Mouse::Right);
  Pump(60, form->hwnd());
  EXPECT_EQ(driver.Seen().items, (std::vector<std::u16string>{u"Select all", u"Deselect all"}));
  EXPECT_EQ(TickMask(form->lstDrvsModel()), 0x3FFFFFFu);
  EXPECT_EQ(TickMask(form->lstDrvTypesModel()), 0u);
  // Ticked from the last entry to the first: "A" was the last one to change.
  EXPECT_EQ(Tip("lstDrvs"), u"AutoRun for Drive A is Disabled");
  EXPECT_EQ(Writes(), 0) << "ticking writes nothing";

  ClickOn("btSaveSet");
  ASSERT_TRUE(driver.WaitBoxes(1, form->hwnd()));
  EXPECT_EQ(driver.Seen().text, u"Settings has saved...");
  EXPECT_EQ(driver.Seen().title, u"Quellan!!!");
  EXPECT_EQ(driver.Seen().buttons, 1);
  EXPECT_TRUE(driver.Seen().icon);
  EXPECT_EQ(Stored(kHkeyCurrentUser, kExplorer, "NoDriveAutoRun"), 0x3FFFFFFu);
  EXPECT_EQ(Stored(kHkeyLocalMachine, kCdrom, "AutoRun"), 0u);
  EXPECT_EQ(Stored(kHkeyCurrentUser, kExplorer, "NoDriveTypeAutoRun"), 0u);
  EXPECT_EQ(Stored(kHkeyUsers, kDefaultExplorer, "NoDriveTypeAutoRun"), 0u);
  EXPECT_EQ(TickMask(form->lstDrvsModel()), 0x3FFFFFFu) << "no refresh follows a save";
}

TEST_F(MainWindowTest, DeselectAllOnTheTypesLeavesTheLettersAlone) {
  Seed(kHkeyCurrentUser, kExplorer, "NoDriveAutoRun", 0x24);
  Seed(kHkeyCurrentUser, kExplorer, "NoDriveTypeAutoRun", 0xFF);
  Open();
  ModalDriver menu(1);  // "Deselect all"
  RightClickEntry("lstDrvTypes", 1, menu);
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
  ModalDriver spy(-1);  // dismisses and counts any menu
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    const auto& model = std::strcmp(c.list, "lstDrvs") == 0 ? form->lstDrvsModel() : form->lstDrvTypesModel();
    const bool before = model.Selected(c.entry);
    Click(OverEntry(Control(c.list), c.entry), c.button);
    Pump(120, form->hwnd());
    EXPECT_EQ(model.Selected(c.entry), c.toggles ? !before : before);
  }
  EXPECT_EQ(spy.Seen().menus, 0);
  // Nor does the keyboard: the context-menu key over a focused list.
  SetFocus(Control("lstDrvs"));
  Key(VK_APPS);
  Pump(150, form->hwnd());
  EXPECT_NE(spy.Seen().items, (std::vector<std::u16string>{u"Select all", u"Deselect all"}));
  EXPECT_EQ(Tip("lstDrvs"), u"AutoRun for Drive C is Disabled") << "what the left click on C did";
  EXPECT_EQ(Tip("lstDrvTypes"), u"AutoRun for CD/DVD Drives is Disabled");
  EXPECT_EQ(Writes(), 0);
}

TEST_F(MainWindowTest, RefreshThrowsTheTicksAwayAndWritesNothing) {
  Seed(kHkeyLocalMachine, kCdrom, "AutoRun", 0);
  Seed(kHkeyCurrentUser, kExplorer, "NoDriveAutoRun", 0x8);
  Seed(kHkeyCurrentUser, kExplorer, "NoDriveTypeAutoRun", 0x20);
  Open();
  form->btSaveSet()->Enabled(false);
  Click(OverEntry(Control("lstDrvs"), 0));
  Click(OverEntry(Control("lstDrvTypes"), 5));
  ClickOn("chkGlobal");
  ASSERT_EQ(TickMask(form->lstDrvsModel()), 0x9u);
  ASSERT_EQ(TickMask(form->lstDrvTypesModel()), 0u);
  ASSERT_EQ(form->chkGlobalModel().Value(), 0);
  EXPECT_TRUE(form->btSaveSet()->Enabled()) << "the check box's click enables saving";
  ClickOn("btRefresh");
  EXPECT_EQ(TickMask(form->lstDrvsModel()), 0x8u);
  EXPECT_EQ(TickMask(form->lstDrvTypesModel()), 0x20u);
  EXPECT_EQ(form->chkGlobalModel().Value(), 1);
  EXPECT_EQ(SendMessageW(Control("lstDrvs"), LB_GETCOUNT, 0, 0), 26) << "no duplicated entries";
  for (const auto& call : reg->Calls()) EXPECT_NE(call.call, policy::RegCall::CreateKeyEx);
  EXPECT_EQ(Writes(), 0);
  EXPECT_EQ(Tip("lstDrvs"), u"") << "a refresh starts the status afresh";
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
    window.reset(CreateWindowW(wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr));
  }
  static inline int received = 0;
  forms::UniqueWindow window;
};

// A refused write is reported and the other values are still written; each save that wrote
// tells other programs the policy changed, and saving again writes again.
TEST_F(MainWindowTest, SavesReportRefusedWritesAndNotifyOnlyWhenTheyWrote) {
  struct Case {
    const char* what;
    std::uint32_t refusedRoot;  // 0: every root
    int times;                  // refusals (-1: all, 0: none)
    int saves;
  } cases[] = {
      {"machine key refused", kHkeyLocalMachine, 1, 1}, {"every write refused", 0, -1, 1}, {"saved twice", 0, 0, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    reg = std::make_unique<policy::MemoryRegistry>();
    Seed(kHkeyCurrentUser, kExplorer, "NoDriveTypeAutoRun", 0x91);
    SettingWatcher watcher;
    Open();
    policy::InjectedFailure refuse;
    refuse.call = policy::RegCall::CreateKeyEx;
    refuse.root = c.refusedRoot ? c.refusedRoot : refuse.root;
    refuse.times = c.times;
    refuse.status = policy::kErrorAccessDenied;
    if (c.times) reg->InjectFailure(refuse);
    ModalDriver box;
    for (int round = 1; round <= c.saves; ++round) {
      ClickOn("btSaveSet");
      ASSERT_TRUE(box.WaitBoxes(round, form->hwnd()));
      EXPECT_EQ(Writes(), c.times < 0 ? 0 : 4 * round - (c.times > 0));
    }
    const int notices = c.times < 0 ? 0 : c.saves;
    testing::PumpUntil([&] { return SettingWatcher::received >= notices; }, notices ? 3000 : 400);
    EXPECT_EQ(SettingWatcher::received, notices);
    EXPECT_EQ(box.Seen().title, u"Quellan!!!");
    EXPECT_EQ(box.Seen().text == u"Settings has saved...", c.times == 0);
    if (c.times >= 0) {  // what was not refused is written
      EXPECT_EQ(Stored(kHkeyCurrentUser, kExplorer, "NoDriveAutoRun"), 0u);
      EXPECT_EQ(Stored(kHkeyUsers, kDefaultExplorer, "NoDriveTypeAutoRun"), 0x91u);
    }
    if (c.times > 0) {
      EXPECT_NE(box.Seen().text.find(u"AutoRun"), std::u16string::npos) << "the refused value is listed";
      EXPECT_NE(box.Seen().text.find(u"HKEY_LOCAL_MACHINE"), std::u16string::npos);
      EXPECT_FALSE(reg->Find(kHkeyLocalMachine, kCdrom, "AutoRun").has_value());
    }
    form.reset();
  }
}

TEST_F(MainWindowTest, ControlsLieWhereTheTableSaysAtTheDisplayDpiAndClosingFreesAllGdiObjects) {
  const long gdiBefore = forms::GdiCounter::Live();
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
      EXPECT_EQ((PixelRect{r.left, r.top, r.right - r.left, r.bottom - r.top}), expected) << item.name;
      const bool inFrame = item.container == Container::Frame;
      EXPECT_EQ(GetParent(hwnd), inFrame ? Control("fraSet") : form->hwnd()) << item.name;
    }
    form->trefresh();
    form.reset();
  }
  EXPECT_EQ(forms::GdiCounter::Live(), gdiBefore);
}

TEST_F(MainWindowTest, FixedSingleBorderCentredWithItsCaptionsAndColours) {
  Open();
  const LONG style = GetWindowLongW(form->hwnd(), GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME),
            WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  EXPECT_EQ(GetMenu(form->hwnd()), nullptr) << "no menu bar";
  RECT r;
  GetWindowRect(form->hwnd(), &r);
  EXPECT_LE(std::abs((r.left + r.right) - GetSystemMetrics(SM_CXSCREEN)), 1);
  EXPECT_LE(std::abs((r.top + r.bottom) - GetSystemMetrics(SM_CYSCREEN)), 1);
  EXPECT_EQ(testing::WindowText(form->hwnd()), WindowCaption());
  EXPECT_EQ(testing::WindowText(Control("link2")), Link2Caption());
  EXPECT_EQ(form->btRefresh()->Caption(), u"Refresh");
  EXPECT_EQ(form->btSaveSet()->Caption(), u"Save Setting");
  EXPECT_EQ(form->btSaveSet()->Font()->size, 8.25f);
  for (const char* name : {"CAP", "link1", "link2"}) EXPECT_EQ(Tip(name), FindControl(name)->toolTip) << name;
  // The frame and the transparent labels show the window's yellow; the title is drawn in orange
  // and the links in blue.
  Pump(100, form->hwnd());
  forms::WindowDc dc(form->hwnd());
  // Client points (in twips) on the frame between the buttons, on the title label left of its
  // text, and on Label10 after its text.
  for (const auto& [x, y] : {std::pair{2115, 3365}, std::pair{150, 60}, std::pair{2050, 1415}})
    EXPECT_EQ(GetPixel(dc.get(), x / 15, y / 15), RGB(255, 255, 192)) << x << "," << y;
  for (const auto& [name, colour] :
       {std::pair{"CAP", RGB(255, 128, 0)}, std::pair{"link1", RGB(0, 0, 255)}, std::pair{"link2", RGB(0, 0, 255)}}) {
    const PixelRect r = WindowRect(*FindControl(name), 96);
    int found = 0;
    for (int y = r.top; y < r.top + r.height; ++y)
      for (int x = r.left; x < r.left + r.width; ++x) found += GetPixel(dc.get(), x, y) == colour;
    EXPECT_GT(found, 10) << name;
  }
}

TEST_F(MainWindowTest, TabOrderAndSpace) {
  Open();
  EXPECT_EQ(GetFocus(), Control("lstDrvs")) << "the first tab stop has the focus at start";
  for (const char* expected : {"chkGlobal", "lstDrvTypes", "btRefresh", "btSaveSet", "lstDrvs"}) {
    Key(VK_TAB);
    Pump(40, form->hwnd());
    EXPECT_EQ(GetFocus(), Control(expected)) << "Tab to " << expected;
  }
  Key(VK_TAB, true);
  Pump(40, form->hwnd());
  EXPECT_EQ(GetFocus(), Control("btSaveSet")) << "Shift+Tab";
  // Space on the current letter and on the check box, through the dialog manager.
  Key(VK_TAB);
  Pump(40, form->hwnd());
  for (WORD key : {VK_HOME, VK_DOWN, VK_DOWN, VK_SPACE, VK_TAB, VK_SPACE}) Key(key);
  Pump(60, form->hwnd());
  EXPECT_EQ(form->chkGlobalModel().Value(), 0);
  EXPECT_EQ(TickMask(form->lstDrvsModel()), 1u << 2);
  EXPECT_EQ(Tip("lstDrvs"), u"AutoRun for Drive C is Disabled");
}

TEST_F(MainWindowTest, HandCursorOverTheTitleAndTheLinksOnly) {
  Open();
  const HCURSOR hand = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND));
  for (const auto& [name, isHand] : {std::pair{"CAP", true}, std::pair{"Label9", false}, std::pair{"link1", true},
                                     std::pair{"lstDrvs", false}, std::pair{"link2", true}, std::pair{"CAP", true}}) {
    const POINT at = ScreenPoint(Control(name), POINT{3, 3});
    testing::MoveTo(POINT{at.x + 1, at.y});
    testing::MoveTo(at);
    Pump(40, form->hwnd());
    EXPECT_EQ(GetCursor() == hand, isHand) << name;
  }
}

TEST_F(MainWindowTest, ClickingTheTitleShowsTheAboutBoxThenTheEffect) {
  Open();
  ModalDriver driver(-1, L"QuellanEffect");  // the effect covers the screen until a press
  Click(ScreenPoint(Control("CAP")));
  ASSERT_TRUE(
      testing::PumpUntil([&] { return driver.Seen().boxes == 1 && driver.Seen().others == 1; }, 5000, form->hwnd()));
  Pump(100, form->hwnd());
  EXPECT_NE(driver.Seen().title.find(u"Quellan"), std::u16string::npos);
  EXPECT_EQ(testing::FindThreadWindow(L"QuellanEffect"), nullptr);
  EXPECT_TRUE(IsWindowEnabled(form->hwnd()));
}

// The program's own version resource gives the application object its title and version.
TEST(MainWindowProgram, VersionResourceNamesTheProductAndItsVersion) {
  wchar_t path[MAX_PATH];
  std::wstring exe(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
  exe = exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"..\\..\\..\\src\\app\\Quellan.exe";
  DWORD ignored = 0;
  ASSERT_GT(GetFileVersionInfoSizeW(exe.c_str(), &ignored), 0u) << "built, with a version resource";
  const forms::ApplicationInfo info = forms::ApplicationInfoOf(exe.c_str());
  EXPECT_EQ(info.title, u"Quellan");
  EXPECT_EQ(info.major * 100 + info.minor, 100);
  HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST), nullptr);
  EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON), nullptr);
  FreeLibrary(module);
}

}  // namespace
}  // namespace quellan::mainwindow

// The host layer's windows and controls under Wine, with real input: forms, labels, the check
// list and the check box bound to their models, tool tips, pop-up menus, the message pump and the
// application object.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "policy/check_box_model.h"
#include "policy/check_list_model.h"
#include "ui/forms/application.h"
#include "ui/forms/check_box.h"
#include "ui/forms/check_list.h"
#include "ui/forms/colour.h"
#include "ui/forms/form.h"
#include "ui/forms/frame.h"
#include "ui/forms/label.h"
#include "ui/forms/message_loop.h"
#include "ui/forms/popup_menu.h"
#include "ui/forms/tool_tip.h"
#include "ui_driver.h"

namespace quellan::forms {
namespace {

using testing::Click;
using testing::Mouse;
using testing::Pump;
using testing::PumpUntil;
using testing::ScreenPoint;

constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kYellow = RGB(255, 255, 192);

class TestForm : public Form {
 public:
  explicit TestForm(const FormLook& look, bool show = true) {
    CreateForm(L"QuellanTestForm", look);
    if (show) Show();
  }
  void Show() {
    ShowWindow(m_hwnd, SW_SHOW);
    SetForegroundWindow(m_hwnd);
    Pump(30);
  }
};

FormLook Look(int width = 300, int height = 200, std::uint32_t back = kRed) {
  return FormLook{u"test form", width, height, back, true, false, false, nullptr};
}

// Columns of a window's client area holding the given colour.
std::vector<int> ColumnsWith(HWND hwnd, COLORREF colour) {
  RECT r;
  GetClientRect(hwnd, &r);
  WindowDc dc(hwnd);
  std::vector<int> columns;
  for (int x = 0; x < r.right; ++x)
    for (int y = 0; y < r.bottom; ++y)
      if (GetPixel(dc.get(), x, y) == colour) {
        columns.push_back(x);
        break;
      }
  return columns;
}

TEST(Form, ClientAreaHasTheSizeAskedForAndTheStyleItsLook) {
  struct Case {
    int width, height;
    bool minimize, maximize, resizable;
  } cases[] = {{283, 267, true, false, false}, {425, 401, false, true, true}, {160, 30, false, false, false}};
  for (const Case& c : cases) {
    FormLook look = Look(c.width, c.height);
    look.minimizeButton = c.minimize;
    look.maximizeButton = c.maximize;
    look.resizable = c.resizable;
    TestForm form(look);
    RECT client;
    GetClientRect(form.hwnd(), &client);
    EXPECT_EQ(client.right, c.width);
    EXPECT_EQ(client.bottom, c.height);
    const LONG style = GetWindowLongW(form.hwnd(), GWL_STYLE);
    EXPECT_EQ((style & WS_MINIMIZEBOX) != 0, c.minimize);
    EXPECT_EQ((style & WS_MAXIMIZEBOX) != 0, c.maximize);
    EXPECT_EQ((style & WS_THICKFRAME) != 0, c.resizable);
    EXPECT_TRUE(style & WS_CAPTION);
    const RECT bounds = Form::CentredBounds(look);
    RECT window;
    GetWindowRect(form.hwnd(), &window);
    EXPECT_EQ(window.left, bounds.left);
    EXPECT_EQ(window.top, bounds.top);
    EXPECT_LE(std::abs(bounds.left + bounds.right - GetSystemMetrics(SM_CXSCREEN)), 1);
  }
}

TEST(Form, FrameAndTransparentLabelShowTheContainersColour) {
  TestForm form(Look());
  Frame frame;
  frame.Create(form.hwnd(), RECT{0, 100, 300, 200}, u"hidden caption", kYellow, 7);
  Label onForm, onFrame, opaque;
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  onForm.Create(form.hwnd(), RECT{10, 10, 150, 30}, u"on the form", font, {0, 0, true, false}, 96);
  onFrame.Create(frame.hwnd(), RECT{10, 10, 150, 30}, u"on the frame", font, {0, 0, true, false}, 96);
  opaque.Create(form.hwnd(), RECT{10, 50, 150, 70}, u"opaque", font, {0, RGB(0, 0, 255), false, false}, 96);
  UpdateWindow(form.hwnd());
  Pump(50);
  WindowDc dc(form.hwnd());
  struct Probe {
    const char* what;
    int x, y;
    COLORREF colour;
  } probes[] = {
      {"form", 200, 50, kRed},
      {"frame: no border, no caption", 1, 101, kYellow},
      {"frame", 200, 150, kYellow},
      {"transparent label on the form", 145, 25, kRed},
      {"transparent label on the frame", 145, 125, kYellow},
      {"opaque label", 145, 65, RGB(0, 0, 255)},
  };
  for (const Probe& p : probes) EXPECT_EQ(GetPixel(dc.get(), p.x, p.y), p.colour) << p.what;
  EXPECT_EQ(testing::WindowText(frame.hwnd()), u"hidden caption");
  EXPECT_TRUE(GetWindowLongW(frame.hwnd(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
}

TEST(Label, AlignmentColourAndCaption) {
  TestForm form(Look(300, 100, kYellow));
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  Label left, centred;
  left.Create(form.hwnd(), RECT{0, 0, 300, 40}, u"iii", font, {RGB(0, 0, 255), 0, true, false}, 96);
  centred.Create(form.hwnd(), RECT{0, 50, 300, 90}, u"iii", font, {RGB(0, 0, 255), 0, true, true}, 96);
  Pump(50);
  const std::vector<int> leftInk = ColumnsWith(left.hwnd(), RGB(0, 0, 255));
  const std::vector<int> centredInk = ColumnsWith(centred.hwnd(), RGB(0, 0, 255));
  ASSERT_FALSE(leftInk.empty());
  ASSERT_FALSE(centredInk.empty());
  EXPECT_LT(leftInk.front(), 10);
  EXPECT_GT(centredInk.front(), 130);
  EXPECT_LT(centredInk.back(), 170);
  centred.SetCaption(u"");
  Pump(50);
  EXPECT_TRUE(ColumnsWith(centred.hwnd(), RGB(0, 0, 255)).empty());
  EXPECT_EQ(testing::WindowText(centred.hwnd()), u"");
}

TEST(Label, ClickNeedsPressAndReleaseOverItAndMovesReportTwips) {
  TestForm form(Look());
  Label label;
  label.Create(form.hwnd(), RECT{20, 20, 120, 60}, u"link", nullptr, {0, kYellow, false, true}, 144);
  int clicks = 0;
  std::vector<MouseArgs> moves;
  label.Click = [&] { ++clicks; };
  label.MouseMove = [&](int b, int s, float x, float y) { moves.push_back({b, s, x, y}); };
  Click(ScreenPoint(label.hwnd(), POINT{10, 4}));
  Pump(50);
  EXPECT_EQ(clicks, 1);
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(moves.front().button, 0);
  EXPECT_FLOAT_EQ(moves.front().x, 100.0f);  // 10 pixels at 144 DPI
  EXPECT_FLOAT_EQ(moves.front().y, 40.0f);
  // Pressed over it, released elsewhere: no click.
  testing::MoveTo(ScreenPoint(label.hwnd()));
  testing::Press(Mouse::Left);
  Pump(30);
  testing::MoveTo(ScreenPoint(form.hwnd(), POINT{250, 150}));
  Pump(30);
  EXPECT_EQ(moves.back().button, kLeftButton) << "moves while held are still reported (capture)";
  testing::Release(Mouse::Left);
  Pump(30);
  EXPECT_EQ(clicks, 1);
  // The right button makes no click.
  Click(ScreenPoint(label.hwnd()), Mouse::Right);
  Pump(30);
  EXPECT_EQ(clicks, 1);
}

class CheckListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TestForm>(Look(300, 200, kYellow));
    for (const char16_t* text : {u"A", u"B", u"C", u"D"}) model.AddItem(text);
    list = std::make_unique<CheckList>(model);
    list->Create(form->hwnd(), RECT{10, 10, 200, 180}, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), 96, 5);
    model.ItemCheck = [&](int i) { checks.push_back(i); };
    list->MouseDown = [&](int b, int s, float x, float y) { downs.push_back({b, s, x, y}); };
    Pump(30);
  }
  void TearDown() override {
    list.reset();
    form.reset();
  }
  POINT Entry(int i, int x = 60) const {
    const RECT r = list->ItemRect(i);
    return ScreenPoint(list->hwnd(), POINT{x, (r.top + r.bottom) / 2});
  }
  // Dark pixels inside the tick box of an entry: the tick mark.
  int TickInk(int i) const {
    const RECT r = list->ItemRect(i);
    WindowDc dc(list->hwnd());
    int ink = 0;
    for (int y = r.top + 2; y < r.bottom - 2; ++y)
      for (int x = r.left + 5; x < r.left + 14; ++x) ink += GetPixel(dc.get(), x, y) == RGB(0, 0, 0);
    return ink;
  }

  policy::CheckListModel model;
  std::unique_ptr<TestForm> form;
  std::unique_ptr<CheckList> list;
  std::vector<int> checks;
  std::vector<MouseArgs> downs;
};

TEST_F(CheckListTest, ShowsTheModelsEntriesAndFollowsItsChanges) {
  auto texts = [&] {
    std::vector<std::u16string> out;
    const int n = static_cast<int>(SendMessageW(list->hwnd(), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      wchar_t text[32] = {};
      SendMessageW(list->hwnd(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      out.emplace_back(reinterpret_cast<const char16_t*>(text));
    }
    return out;
  };
  EXPECT_EQ(texts(), (std::vector<std::u16string>{u"A", u"B", u"C", u"D"})) << "entries made before the control";
  model.AddItem(u"No Root Directory");
  EXPECT_EQ(texts().back(), u"No Root Directory");
  model.Clear();
  EXPECT_TRUE(texts().empty());
  model.AddItem(u"Z");
  EXPECT_EQ(texts(), (std::vector<std::u16string>{u"Z"}));
  const LONG style = GetWindowLongW(list->hwnd(), GWL_STYLE);
  EXPECT_TRUE(style & WS_TABSTOP);
  EXPECT_TRUE(style & LBS_OWNERDRAWFIXED);
  EXPECT_FALSE(style & (LBS_SORT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL));
}

TEST_F(CheckListTest, ClicksAndSpaceToggleTicksThroughTheModel) {
  struct Step {
    const char* what;
    int entry;  // -1: below the last entry
    bool key;   // Space instead of a click
    std::vector<bool> ticks;
  } steps[] = {
      {"click on C's text", 2, false, {false, false, true, false}},
      {"click on A's box", 0, false, {true, false, true, false}},
      {"click on C again", 2, false, {true, false, false, false}},
      {"Space on the current entry (C)", 2, true, {true, false, true, false}},
      {"click below the entries", -1, false, {true, false, true, false}},
  };
  std::vector<int> expectedChecks;
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    if (s.key) {
      testing::Key(VK_SPACE);
    } else if (s.entry < 0) {
      Click(ScreenPoint(list->hwnd(), POINT{60, 150}));
    } else {
      Click(Entry(s.entry, s.entry == 0 ? 8 : 60));
    }
    Pump(60);
    if (s.entry >= 0) expectedChecks.push_back(s.entry);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(model.Selected(i), s.ticks[i]) << "entry " << i;
    EXPECT_EQ(checks, expectedChecks);
  }
  EXPECT_GT(TickInk(0), 5) << "A shows its tick";
  EXPECT_EQ(TickInk(1), 0) << "B shows none";
  // A tick set by code is drawn too.
  model.SetSelected(1, true);
  Pump(50);
  EXPECT_GT(TickInk(1), 5);
}

TEST_F(CheckListTest, EveryPressIsRaisedWithButtonShiftAndTwips) {
  struct Case {
    Mouse button;
    bool shift;
    int expectedButton, expectedShift;
  } cases[] = {{Mouse::Right, false, 2, 0},
               {Mouse::Middle, false, 4, 0},
               {Mouse::Left, false, 1, 0},
               {Mouse::Right, true, 2, 1}};
  for (const Case& c : cases) {
    downs.clear();
    if (c.shift) {
      INPUT down{};
      down.type = INPUT_KEYBOARD;
      down.ki.wVk = VK_SHIFT;
      SendInput(1, &down, sizeof(down));
    }
    Click(ScreenPoint(list->hwnd(), POINT{30, 12}), c.button);
    if (c.shift) {
      INPUT up{};
      up.type = INPUT_KEYBOARD;
      up.ki.wVk = VK_SHIFT;
      up.ki.dwFlags = KEYEVENTF_KEYUP;
      SendInput(1, &up, sizeof(up));
    }
    Pump(60);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].button, c.expectedButton);
    EXPECT_EQ(downs[0].shift, c.expectedShift);
    EXPECT_FLOAT_EQ(downs[0].x, 30 * 15.0f);
    EXPECT_FLOAT_EQ(downs[0].y, 12 * 15.0f);
  }
}

TEST(CheckBox, ShowsTheModelAndClicksSetIt) {
  TestForm form(Look(300, 100, kYellow));
  policy::CheckBoxModel model;
  int clicks = 0;
  model.Click = [&] { ++clicks; };
  CheckBox box(model);
  box.Create(form.hwnd(), RECT{10, 10, 290, 40}, u"Disable", static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)),
             SystemColour(COLOR_BTNTEXT), RGB(255, 255, 192), 3);
  Pump(30);
  EXPECT_EQ(box.Shown(), BST_UNCHECKED);
  struct Case {
    int set;  // -1: a real click
    int value, shown, clicks;
  } cases[] = {
      {1, 1, BST_CHECKED, 1},       {-1, 0, BST_UNCHECKED, 2}, {-1, 1, BST_CHECKED, 3},
      {2, 2, BST_INDETERMINATE, 4}, {-1, 1, BST_CHECKED, 5},   {1, 1, BST_CHECKED, 5},
  };
  for (const Case& c : cases) {
    if (c.set >= 0) {
      model.SetValue(c.set);
    } else {
      Click(ScreenPoint(box.hwnd(), POINT{8, 15}));
    }
    Pump(50);
    EXPECT_EQ(model.Value(), c.value);
    EXPECT_EQ(box.Shown(), c.shown);
    EXPECT_EQ(clicks, c.clicks);
  }
  // Its background is the colour it was given.
  WindowDc dc(box.hwnd());
  EXPECT_EQ(GetPixel(dc.get(), 275, 3), RGB(255, 255, 192));
}

TEST(ToolTip, TextsPerTool) {
  TestForm form(Look());
  Label a, b;
  a.Create(form.hwnd(), RECT{0, 0, 50, 20}, u"a", nullptr, {0, kYellow, false, false}, 96);
  b.Create(form.hwnd(), RECT{0, 30, 50, 50}, u"b", nullptr, {0, kYellow, false, false}, 96);
  ToolTip tips;
  tips.Create(form.hwnd());
  ASSERT_NE(tips.hwnd(), nullptr);
  tips.Add(a.hwnd(), u"About...");
  tips.Add(b.hwnd(), u"");
  EXPECT_EQ(tips.Text(a.hwnd()), u"About...");
  EXPECT_EQ(tips.Text(b.hwnd()), u"");
  tips.SetText(b.hwnd(), u"AutoRun for Drive \u00C7 is Disabled");
  EXPECT_EQ(tips.Text(b.hwnd()), u"AutoRun for Drive \u00C7 is Disabled");
  EXPECT_EQ(tips.Text(a.hwnd()), u"About...");
  EXPECT_EQ(tips.Text(form.hwnd()), u"") << "not a tool";
}

TEST(PopupMenu, ReturnsTheItemChosenOrNothing) {
  TestForm form(Look());
  PopupMenu menu({{11, u"Select all"}, {12, u"Deselect all"}});
  EXPECT_EQ(GetMenuItemCount(menu.handle()), 2);
  struct Case {
    int choose;
    UINT expected;
  } cases[] = {{1, 12}, {0, 11}, {-1, 0}};
  for (const Case& c : cases) {
    testing::MoveTo(ScreenPoint(form.hwnd()));
    testing::MenuDriver driver(c.choose);
    EXPECT_EQ(menu.Open(form.hwnd()), c.expected);
    EXPECT_EQ(driver.Seen().items, (std::vector<std::u16string>{u"Select all", u"Deselect all"}));
  }
}

TEST(MessageLoop, DoEventsDispatchesWhatIsWaitingAndKeepsQuitForTheOuterLoop) {
  TestForm form(Look());
  static int nulls = 0;
  nulls = 0;
  SetTimer(form.hwnd(), 1, USER_TIMER_MINIMUM, [](HWND h, UINT, UINT_PTR id, DWORD) {
    ++nulls;
    KillTimer(h, id);
  });
  Sleep(30);
  EXPECT_TRUE(DoEvents(form.hwnd()));
  EXPECT_EQ(nulls, 1);
  PostQuitMessage(7);
  EXPECT_FALSE(DoEvents(form.hwnd()));
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST(Form, ReactivationGivesTheFocusBackToTheControlThatHadIt) {
  TestForm form(Look(), false);
  policy::CheckListModel m1, m2;
  CheckList first(m1), second(m2);
  first.Create(form.hwnd(), RECT{0, 0, 100, 100}, nullptr, 96, 1);
  second.Create(form.hwnd(), RECT{150, 0, 250, 100}, nullptr, 96, 2);
  form.Show();
  EXPECT_EQ(GetFocus(), first.hwnd()) << "the first tab stop at the first activation";
  SetFocus(second.hwnd());
  TestForm other(Look(50, 50));
  EXPECT_NE(GetFocus(), second.hwnd());
  SetForegroundWindow(form.hwnd());
  Pump(30);
  EXPECT_EQ(GetFocus(), second.hwnd());
}

TEST(Application, TitleAndVersionComeFromTheVersionResource) {
  const ApplicationInfo own = Application();
  EXPECT_EQ(own.title, u"QuellanFormsTest");
  EXPECT_EQ(own.major, 3);
  EXPECT_EQ(own.minor, 14);

  // A file without a version resource, and no file at all, give the product's own values.
  wchar_t directory[MAX_PATH], plain[MAX_PATH];
  GetTempPathW(MAX_PATH, directory);
  GetTempFileNameW(directory, L"qap", 0, plain);
  std::ofstream(plain) << "not a module";
  for (const wchar_t* path : {static_cast<const wchar_t*>(plain), L"Z:\\no\\such\\module.exe"}) {
    const ApplicationInfo info = ApplicationInfoOf(path);
    const ApplicationInfo builtIn = BuiltInApplicationInfo();
    EXPECT_EQ(info.title, u"Quellan");
    EXPECT_EQ(info.title, builtIn.title);
    EXPECT_EQ(info.major, builtIn.major);
    EXPECT_EQ(info.minor, builtIn.minor);
  }
  DeleteFileW(plain);
  EXPECT_EQ(BuiltInApplicationInfo().major, 1);
  EXPECT_EQ(BuiltInApplicationInfo().minor, 0);
}

}  // namespace
}  // namespace quellan::forms

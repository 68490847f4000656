// The host layer's windows and controls under Wine, with real input: forms, frames, labels, the
// check list and the check box bound to their models, pop-up menus, the message pump and the
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
#include "ui_driver.h"

namespace quellan::forms {
namespace {

using testing::Click;
using testing::Mouse;
using testing::Pump;
using testing::ScreenPoint;

constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kYellow = RGB(255, 255, 192);
constexpr COLORREF kBlue = RGB(0, 0, 255);
const HFONT kGuiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

class TestForm : public Form {
 public:
  explicit TestForm(const FormLook& look, bool show = true) {
    CreateForm(L"QuellanTestForm", look);
    if (show) Show();
  }
  explicit TestForm(std::uint32_t back = kRed, bool show = true)
      : TestForm(FormLook{u"test form", 300, 200, back, true, false, false, nullptr}, show) {}
  void Show() {
    ShowWindow(m_hwnd, SW_SHOW);
    SetForegroundWindow(m_hwnd);
    Pump(30);
  }
};

// The first and last columns of a window's client area holding the colour ({-1, -1}: none).
std::pair<int, int> InkColumns(HWND hwnd, COLORREF colour) {
  RECT r;
  GetClientRect(hwnd, &r);
  WindowDc dc(hwnd);
  std::pair<int, int> columns{-1, -1};
  for (int x = 0; x < r.right; ++x)
    for (int y = 0; y < r.bottom; ++y)
      if (GetPixel(dc.get(), x, y) == colour) {
        columns = {columns.first < 0 ? x : columns.first, x};
        break;
      }
  return columns;
}

TEST(Form, FrameAndLabelsShowTheirOwnOrTheContainersColour) {
  TestForm form;
  Frame frame;
  frame.Create(form.hwnd(), RECT{0, 100, 300, 200}, u"hidden caption", kYellow, 7);
  Label onForm, onFrame, opaque, centred;
  onForm.Create(form.hwnd(), RECT{10, 10, 150, 30}, u"on the form", kGuiFont, {0, 0, true, false}, 96);
  onFrame.Create(frame.hwnd(), RECT{10, 10, 150, 30}, u"on the frame", kGuiFont, {0, 0, true, false}, 96);
  opaque.Create(form.hwnd(), RECT{10, 50, 150, 70}, u"opaque", kGuiFont, {0, kBlue, false, false}, 96);
  centred.Create(frame.hwnd(), RECT{0, 70, 300, 90}, u"iii", kGuiFont, {kBlue, 0, true, true}, 96);
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
      {"transparent label on the form", 145, 25, kRed},
      {"transparent label on the frame", 145, 125, kYellow},
      {"opaque label", 145, 65, kBlue},
  };
  for (const Probe& p : probes) EXPECT_EQ(GetPixel(dc.get(), p.x, p.y), p.colour) << p.what;
  EXPECT_TRUE(GetWindowLongW(frame.hwnd(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
  // Centred text lies around the middle.
  const auto [from, to] = InkColumns(centred.hwnd(), kBlue);
  EXPECT_GT(from, 130);
  EXPECT_LT(to, 170);
}

TEST(Label, ClickNeedsPressAndReleaseOverItAndMovesReportTwips) {
  TestForm form;
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
  // Pressed over it and released elsewhere, or the right button: no click.
  testing::Press(Mouse::Left);
  testing::MoveTo(ScreenPoint(form.hwnd(), POINT{250, 150}));
  Pump(30);
  EXPECT_EQ(moves.back().button, kLeftButton) << "moves while held are still reported (capture)";
  testing::Release(Mouse::Left);
  Click(ScreenPoint(label.hwnd()), Mouse::Right);
  Pump(30);
  EXPECT_EQ(clicks, 1);
}

class CheckListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char16_t* text : {u"A", u"B", u"C", u"D"}) model.AddItem(text);
    list.Create(form.hwnd(), RECT{10, 10, 200, 180}, kGuiFont, 96, 5);
    model.ItemCheck = [&](int i) { checks.push_back(i); };
    Pump(30);
  }
  POINT Entry(int i, int x = 60) {
    const RECT r = list.ItemRect(i);
    return ScreenPoint(list.hwnd(), POINT{x, (r.top + r.bottom) / 2});
  }
  // Dark pixels inside the tick box of an entry: the tick mark.
  int TickInk(int i) {
    const RECT r = list.ItemRect(i);
    WindowDc dc(list.hwnd());
    int ink = 0;
    for (int y = r.top + 2; y < r.bottom - 2; ++y)
      for (int x = r.left + 5; x < r.left + 14; ++x) ink += GetPixel(dc.get(), x, y) == RGB(0, 0, 0);
    return ink;
  }

  TestForm form{kYellow};
  policy::CheckListModel model;
  CheckList list{model};
  std::vector<int> checks;
};

TEST_F(CheckListTest, ClicksAndSpaceToggleTicksThroughTheModelAndDrawThem) {
  struct Step {
    const char* what;
    POINT at;  // {0, 0}: Space on the current entry
    int entry;
    std::vector<bool> ticks;
  } steps[] = {
      {"click on C's text", Entry(2), 2, {false, false, true, false}},
      {"click on A's box", Entry(0, 8), 0, {true, false, true, false}},
      {"click on C again", Entry(2), 2, {true, false, false, false}},
      {"Space on the current entry (C)", {0, 0}, 2, {true, false, true, false}},
      {"click below the entries", ScreenPoint(list.hwnd(), POINT{60, 150}), -1, {true, false, true, false}},
  };
  std::vector<int> expectedChecks;
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    if (s.at.x == 0)
      testing::Key(VK_SPACE);
    else
      Click(s.at);
    Pump(60);
    if (s.entry >= 0) expectedChecks.push_back(s.entry);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(model.Selected(i), s.ticks[i]) << "entry " << i;
    EXPECT_EQ(checks, expectedChecks);
  }
  EXPECT_GT(TickInk(0), 5) << "A shows its tick";
  EXPECT_EQ(TickInk(1), 0) << "B shows none";
  model.SetSelected(1, true);
  Pump(50);
  EXPECT_GT(TickInk(1), 5) << "a tick set by code is drawn too";
}

TEST(CheckBox, ShowsTheModelIncludingGrayedAndClicksSetIt) {
  TestForm form(kYellow);
  policy::CheckBoxModel model;
  int clicks = 0;
  model.Click = [&] { ++clicks; };
  CheckBox box(model);
  box.Create(form.hwnd(), RECT{10, 10, 290, 40}, u"Disable", kGuiFont, SystemColour(COLOR_BTNTEXT), kYellow, 3);
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
    if (c.set >= 0)
      model.SetValue(c.set);
    else
      Click(ScreenPoint(box.hwnd(), POINT{8, 15}));
    Pump(50);
    EXPECT_EQ(model.Value(), c.value);
    EXPECT_EQ(box.Shown(), c.shown);
    EXPECT_EQ(clicks, c.clicks);
  }
  WindowDc dc(box.hwnd());
  EXPECT_EQ(GetPixel(dc.get(), 275, 3), kYellow) << "the background it was given";
}

TEST(PopupMenu, ReturnsTheItemChosenOrNothing) {
  TestForm form;
  PopupMenu menu({{11, u"Select all"}, {12, u"Deselect all"}});
  for (const auto& [choose, expected] : {std::pair{1, 12u}, std::pair{0, 11u}, std::pair{-1, 0u}}) {
    testing::MoveTo(ScreenPoint(form.hwnd()));
    testing::ModalDriver driver(choose);
    EXPECT_EQ(menu.Open(form.hwnd()), expected);
    EXPECT_EQ(driver.Seen().items, (std::vector<std::u16string>{u"Select all", u"Deselect all"}));
  }
}

TEST(MessageLoop, DoEventsDispatchesWhatIsWaitingAndKeepsQuitForTheOuterLoop) {
  TestForm form;
  static int ticks = 0;
  ticks = 0;
  SetTimer(form.hwnd(), 1, USER_TIMER_MINIMUM, [](HWND h, UINT, UINT_PTR id, DWORD) {
    ++ticks;
    KillTimer(h, id);
  });
  Sleep(30);
  EXPECT_TRUE(DoEvents(form.hwnd()));
  EXPECT_EQ(ticks, 1);
  PostQuitMessage(7);
  EXPECT_FALSE(DoEvents(form.hwnd()));
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST(Form, ReactivationGivesTheFocusBackToTheControlThatHadIt) {
  TestForm form(kRed, false);
  policy::CheckListModel m1, m2;
  CheckList first(m1), second(m2);
  first.Create(form.hwnd(), RECT{0, 0, 100, 100}, nullptr, 96, 1);
  second.Create(form.hwnd(), RECT{150, 0, 250, 100}, nullptr, 96, 2);
  form.Show();
  EXPECT_EQ(GetFocus(), first.hwnd()) << "the first tab stop at the first activation";
  SetFocus(second.hwnd());
  TestForm other;
  EXPECT_NE(GetFocus(), second.hwnd());
  SetForegroundWindow(form.hwnd());
  Pump(30);
  EXPECT_EQ(GetFocus(), second.hwnd());
}

TEST(Application, TitleAndVersionComeFromTheVersionResourceOrTheBuiltInValues) {
  const ApplicationInfo own = Application();
  EXPECT_EQ(own.title, u"QuellanFormsTest");
  EXPECT_EQ(own.major * 100 + own.minor, 314);
  // A file without a version resource, and no file at all, give the product's own values.
  wchar_t directory[MAX_PATH], plain[MAX_PATH];
  GetTempPathW(MAX_PATH, directory);
  GetTempFileNameW(directory, L"qap", 0, plain);
  std::ofstream(plain) << "not a module";
  for (const wchar_t* path : {static_cast<const wchar_t*>(plain), L"Z:\\no\\such\\module.exe"}) {
    const ApplicationInfo info = ApplicationInfoOf(path);
    EXPECT_EQ(info.title, u"Quellan");
    EXPECT_EQ(info.major * 100 + info.minor, 100);
  }
  DeleteFileW(plain);
}

}  // namespace
}  // namespace quellan::forms

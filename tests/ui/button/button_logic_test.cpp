#include "ui/button/button_logic.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace quellan::button {
namespace {

// Recorded steps as text: platform calls ("Draw 3", "Timer 100", "Capture", "Release", "Focus",
// "Enable 0", "Text x") and events raised to the container ("MouseDown 1 0 5 6", "Changed Font").
using Sequence = std::vector<std::string>;
using MouseHandler = std::function<void(std::int16_t&, std::int16_t&, float&, float&)>;

// A stand-in for the control's window that behaves as the system does where it matters to the
// decisions: moving the focus to the window delivers EnterFocus at once, and disabling the focused
// window takes the focus away (ExitFocus). The pointer is over the control when the test says so.
class Harness : public ButtonPlatform {
 public:
  explicit Harness(std::shared_ptr<const forms::FontObject> ambient = forms::MakeFont(u"Tahoma", 8.25f))
      : control(*this, std::move(ambient)), input(control, *this) {
    ButtonEvents& e = control.Events();
    e.Click = [this] { Add("Click"); };
    e.DblClick = [this] { Add("DblClick"); };
    e.KeyDown = [this](std::int16_t& k, std::int16_t& s) { Add("KeyDown", k, s); };
    e.KeyPress = [this](std::int16_t& k) { Add("KeyPress", k); };
    e.KeyUp = [this](std::int16_t& k, std::int16_t& s) { Add("KeyUp", k, s); };
    e.MouseDown = Mouse("MouseDown");
    e.MouseMove = Mouse("MouseMove");
    e.MouseUp = Mouse("MouseUp");
    e.PropertyChanged = [this](const char* name) { log.push_back(std::string("Changed ") + name); };
  }
  void Focus() {
    if (!std::exchange(focused, true)) control.UserControl_EnterFocus();
  }
  void Unfocus() {
    if (std::exchange(focused, false)) control.UserControl_ExitFocus();
  }
  Sequence Take() { return std::exchange(log, Sequence{}); }

  ButtonLogic control;
  ButtonInput input;
  Sequence log;
  bool over = false;
  int interval = 0;
  bool focused = false;
  MouseHandler change;  // the container's changes to the mouse events' arguments

 private:
  template <class... Args>
  void Add(const char* op, Args... args) {
    std::ostringstream line;
    line << op;
    ((line << ' ' << +args), ...);
    log.push_back(line.str());
  }
  MouseHandler Mouse(const char* event) {
    return [this, event](std::int16_t& b, std::int16_t& s, float& x, float& y) {
      Add(event, b, s, x, y);
      if (change) change(b, s, x, y);
    };
  }
  void Render(const ButtonLook& look) override { Add("Draw", look.state); }
  void SetTimerInterval(int ms) override { Add("Timer", interval = ms); }
  void SetCapture() override { Add("Capture"); }
  void ReleaseCapture() override { Add("Release"); }
  void TakeFocus() override {
    Add("Focus");
    Focus();
  }
  bool IsMouseOver() override { return over; }
  void SetEnabled(bool enabled) override {
    Add("Enable", enabled);
    if (!enabled) Unfocus();
  }
  void SetText(const std::u16string& caption) override {
    log.push_back("Text " + std::string(caption.begin(), caption.end()));
  }
};

TEST(ButtonLogic, LookFollowsStateAndEnabled) {
  // clang-format off
  struct Row {
    int state;
    bool enabled;
    std::uint32_t fore;
    ButtonLook look;
  } rows[] = {
      {1, true, 0x80000012, {1, 0x0010, 0x80000012}}, {2, true, 0x80000012, {2, 0x0010, 0x80000012}},
      {3, true, 0x000000FF, {3, 0x0210, 0x000000FF}}, {5, true, 0x80000012, {5, 0x0010, 0x80000012}},
      {1, false, 0x000000FF, {4, 0x0010, 0x80000010}}, {3, false, 0x80000012, {4, 0x0010, 0x80000010}},
  };
  // clang-format on
  for (const Row& row : rows)
    EXPECT_EQ(LookFor(row.state, row.enabled, row.fore), row.look) << row.state << row.enabled;
}

// One raw input to the host's rule: a press (or the system's double-click press), a release over
// the control or outside it, a move over or outside with `button` held, a Timer1 tick (only while
// it runs), the pointer leaving without a move, focus in and out, loss of the capture, Enabled,
// Resize and Show, keys typed. Every mouse input carries Shift 1 at X 3, Y 4.
struct In {
  enum Kind { Down, Double, Up, UpOutside, Move, MoveOut, Tick, Leave, Focus, Lost, Enabled, Resize, Keys } kind;
  std::int16_t button = 0;  // Focus and Enabled: 1 on, 0 off
  std::int16_t stillHeld = 0;
};

void Feed(Harness& h, const std::vector<In>& inputs) {
  for (const In& in : inputs) {
    const In::Kind k = in.kind;
    if (k == In::Move || k == In::MoveOut || k == In::Leave) h.over = k == In::Move;
    if (k == In::Down || k == In::Double) h.input.ButtonDown(in.button, 1, 3, 4, k == In::Double);
    if (k == In::Up || k == In::UpOutside) h.input.ButtonUp(in.button, 1, 3, 4, k == In::Up, in.stillHeld);
    if (k == In::Move || k == In::MoveOut) h.input.MouseMove(in.button, 1, 3, 4);
    if (k == In::Tick && h.interval > 0) h.control.Timer1_Timer();
    if (k == In::Focus) in.button ? h.Focus() : h.Unfocus();
    if (k == In::Lost) h.input.CaptureLost();
    if (k == In::Enabled) h.control.Enabled(in.button != 0);
    if (k == In::Resize) h.control.UserControl_Resize(), h.control.UserControl_Show();
    if (k == In::Keys) {
      std::int16_t code = 32, shift = 3, ascii = 13;
      h.control.UserControl_KeyDown(code, shift);
      h.control.UserControl_KeyPress(ascii);
      h.control.UserControl_KeyUp(code, shift);
    }
  }
}

TEST(ButtonInput, EachPathGivesItsSequence) {
  const MouseHandler toRight = [](std::int16_t& b, std::int16_t&, float&, float&) { b = kRightButton; };
  const MouseHandler toLeft = [](std::int16_t& b, std::int16_t&, float&, float&) { b = kLeftButton; };
  // A left click after which the focus went elsewhere (m_LeftDown clear, unfocused).
  const std::vector<In> clickedAway{{In::Down, 1}, {In::Up, 1}, {In::Focus, 0}};
  const char* down = "MouseDown 1 1 3 4";
  const char* up = "MouseUp 1 1 3 4";
  const char* drag = "MouseMove 1 1 3 4";
  // clang-format off
  struct Row {
    const char* name;
    std::vector<In> prepare;  // not recorded
    std::vector<In> run;
    Sequence expected;
    MouseHandler change = {};  // set after prepare
  } rows[] = {
      {"hover, leave without a move: idle at the next tick, then no more ticks", {},
       {{In::Move}, {In::Tick}, {In::Leave}, {In::Tick}, {In::Tick}},
       {"MouseMove 0 1 3 4", "Timer 100", "Draw 2", "Timer 0", "Draw 1"}},
      {"click on an unfocused control: pressed, focused after release, hot with the next move", {},
       {{In::Down, 1}, {In::Up, 1}, {In::Move}},
       {"Capture", down, "Draw 3", "Focus", up, "Draw 5", "Release", "Click", "MouseMove 0 1 3 4", "Timer 100", "Draw 2"}},
      {"drag out and back, release outside: no click, no timer", {},
       {{In::Down, 1}, {In::MoveOut, 1}, {In::Move, 1}, {In::MoveOut, 1}, {In::UpOutside, 1}},
       {"Capture", down, "Draw 3", "Focus", drag, "Draw 2", drag, "Draw 3", drag, "Draw 2", up, "Draw 5", "Release"}},
      {"left double click: one Click, two MouseDown, two MouseUp, no DblClick", {},
       {{In::Down, 1}, {In::Up, 1}, {In::Double, 1}, {In::Up, 1}},
       {"Capture", down, "Draw 3", "Focus", up, "Draw 5", "Release", "Click", "Capture", "MouseDown 1 0 0 0", "Draw 3",
        up, "Draw 5", "Release"}},
      {"double click after the focus left: only its release", clickedAway, {{In::Double, 1}, {In::Up, 1}},
       {up, "Draw 1", "Release"}},
      {"right press, moves and ticks: nothing drawn, no timer, no focus, no click", clickedAway,
       {{In::Down, 2}, {In::MoveOut, 2}, {In::Tick}, {In::Up, 2}},
       {"Capture", "MouseDown 2 1 3 4", "MouseMove 2 1 3 4", "MouseUp 2 1 3 4", "Draw 1", "Release"}},
      {"a second right press is an ordinary press", {{In::Down, 2}, {In::Up, 2}}, {{In::Double, 2}},
       {"Capture", "MouseDown 2 1 3 4"}},
      {"capture lost during a press: the release makes no click", {}, {{In::Down, 1}, {In::Lost}, {In::Up, 1}},
       {"Capture", down, "Draw 3", "Focus", up, "Draw 5", "Release"}},
      {"releases without a press on the control are dropped", {}, {{In::Up, 1}, {In::Up, 2}}, {}},
      {"capture ends with the last held button, Click comes last", {},
       {{In::Down, 1}, {In::Down, 2}, {In::Move, 3}, {In::Up, 2, 1}, {In::Up, 1}},
       {"Capture", down, "Draw 3", "Focus", "Capture", "MouseDown 2 1 3 4", "MouseMove 3 1 3 4", "Timer 100", "Draw 2",
        "MouseUp 2 1 3 4", "Draw 5", up,
        "Draw 5", "Release", "Click"}},
      {"focus arriving draws focused, leaving while hovered draws idle until the next move", {{In::Move}},
       {{In::Focus, 1}, {In::Focus, 0}, {In::Tick}, {In::Move}},
       {"Draw 5", "Draw 1", "MouseMove 0 1 3 4", "Timer 100", "Draw 2"}},
      {"a right press clears the left press: the double click that follows does nothing", {{In::Down, 1}, {In::Up, 1}},
       {{In::Down, 2}, {In::Up, 2}, {In::Double, 1}, {In::Up, 1}},
       {"Capture", "MouseDown 2 1 3 4", "MouseUp 2 1 3 4", "Draw 5", "Release", up, "Draw 5", "Release"}},
      {"resize and show of a focused control draw idle; keys only raise key events", {{In::Focus, 1}},
       {{In::Resize}, {In::Keys}}, {"Draw 1", "Draw 1", "KeyDown 32 3", "KeyPress 13", "KeyUp 32 3"}},
      {"a tick during a drag outside falls back to focused until the next move", {{In::Move}, {In::Down, 1}},
       {{In::MoveOut, 1}, {In::Tick}, {In::MoveOut, 1}}, {drag, "Draw 2", "Timer 0", "Draw 5", drag, "Draw 2"}},
      {"disabled: the running timer still ticks, enabling draws idle", {{In::Focus, 1}, {In::Move}},
       {{In::Enabled, 0}, {In::Tick}, {In::Leave}, {In::Tick}, {In::Enabled, 1}},
       {"Enable 0", "Draw 4", "Draw 4", "Changed Enabled", "Timer 0", "Draw 4", "Enable 1", "Draw 1", "Changed Enabled"}},
      // The control goes on with the arguments as the container's handler left them.
      {"left press made right: focus draws focused", {}, {{In::Down, 1}}, {"Capture", down, "Focus", "Draw 5"}, toRight},
      {"right press made left: drawn pressed", {}, {{In::Down, 2}}, {"Capture", "MouseDown 2 1 3 4", "Draw 3"}, toLeft},
      {"hover made right: no timer", {}, {{In::Move}}, {"MouseMove 0 1 3 4"}, toRight},
      {"double click's press made right: not drawn", {{In::Down, 1}, {In::Up, 1}}, {{In::Double, 1}},
       {"Capture", "MouseDown 1 0 0 0"}, toRight},
  };
  // clang-format on
  for (const Row& row : rows) {
    Harness h;
    Feed(h, row.prepare);
    h.change = row.change;
    h.Take();
    Feed(h, row.run);
    EXPECT_EQ(h.Take(), row.expected) << row.name;
  }
  // Creation starts Timer1; the first tick with the pointer elsewhere stops it for good.
  Harness h;
  h.input.Created();
  Feed(h, {{In::Tick}, {In::Tick}});
  EXPECT_EQ(h.Take(), (Sequence{"Timer 100", "Timer 0", "Draw 1"}));
  // With no handlers set the control still does its own part.
  h.control.Events() = ButtonEvents{};
  Feed(h, {{In::Down, 1}, {In::Move, 0}, {In::Up, 1}});
  EXPECT_EQ(h.Take(), (Sequence{"Capture", "Draw 3", "Focus", "Timer 100", "Draw 2", "Draw 5", "Release"}));
}

TEST(ButtonProperties, EverySetterRedrawsIdleThenReportsEvenWhenUnchanged) {
  // clang-format off
  struct Row {
    std::function<void(ButtonLogic&)> set;
    bool focused;
    Sequence expected;
  } rows[] = {
      {[](ButtonLogic& c) { c.ForeColor(0x000000FF); }, true, {"Draw 1", "Changed ForeColor"}},
      {[](ButtonLogic& c) { c.ForeColor(kDefaultForeColor); }, false, {"Draw 1", "Changed ForeColor"}},
      {[](ButtonLogic& c) { c.Caption(u"Save"); }, true, {"Text Save", "Draw 1", "Changed Caption"}},
      {[](ButtonLogic& c) { c.Caption(u"UniButton"); }, false, {"Text UniButton", "Draw 1", "Changed Caption"}},
      {[](ButtonLogic& c) { c.Font(forms::MakeFont(u"Arial", 10)); }, true, {"Draw 1", "Changed Font"}},
      {[](ButtonLogic& c) { c.Font(c.Font()); }, false, {"Draw 1", "Changed Font"}},
      {[](ButtonLogic& c) { c.Font(nullptr); }, false, {}},  // refused: the control keeps a font
      {[](ButtonLogic& c) { c.Enabled(true); }, true, {"Enable 1", "Draw 1", "Changed Enabled"}},
      {[](ButtonLogic& c) { c.Enabled(false); }, false, {"Enable 0", "Draw 4", "Changed Enabled"}},
      // Disabling the focused window takes its focus away first, which redraws too.
      {[](ButtonLogic& c) { c.Enabled(false); }, true, {"Enable 0", "Draw 4", "Draw 4", "Changed Enabled"}},
  };
  // clang-format on
  for (const Row& row : rows) {
    Harness h;
    if (row.focused) h.Focus();
    h.Take();
    row.set(h.control);
    EXPECT_EQ(h.Take(), row.expected) << (row.expected.empty() ? "null font" : row.expected.back());
  }
  // The font object is shared: changing it in place redraws nothing; assigning one keeps that very object.
  Harness h;
  h.control.Font()->size = 20.25f;
  EXPECT_EQ(h.Take(), Sequence{});
  auto assigned = forms::MakeFont(u"Verdana", 9);
  h.control.Font(assigned);
  EXPECT_EQ(h.control.Font(), assigned);
}

TEST(ButtonPersistence, ReadTakesStoredValuesAndDefaultsForMissingOrMistypedOnes) {
  const forms::FontObject ambient = *forms::MakeFont(u"Tahoma", 8.25f);
  const forms::FontObject bold = *forms::MakeFont(u"Tahoma", 8.25f, 700);
  // clang-format off
  struct Row {
    const char16_t* text;  // null: a newly placed instance (InitProperties)
    std::uint32_t fore;
    bool enabled;
    forms::FontObject font;
    std::u16string caption;
  } rows[] = {
      {u"", kDefaultForeColor, true, ambient, u"UniButton"},
      {nullptr, kDefaultForeColor, true, ambient, u"UniButton"},
      {u"Caption = \"Save\" Font { Name = \"Tahoma\" Size = 8.25 Weight = 700 }", kDefaultForeColor, true, bold, u"Save"},
      {u"ForeColor = 255\nEnabled = false\nCaption = \"\"", 255, false, ambient, u""},
      {u"ForeColor = \"red\"\nEnabled = \"yes\"\nFont = 3\nCaption = 12", kDefaultForeColor, true, ambient, u"UniButton"},
  };
  // clang-format on
  for (const Row& row : rows) {
    auto ambientFont = std::make_shared<forms::FontObject>(ambient);
    Harness h(ambientFont);
    h.control.Caption(u"Other");
    h.control.Font(forms::MakeFont(u"Verdana", 12));
    h.Take();
    if (row.text) {
      auto stored = forms::PropertySet::Parse(row.text);
      ASSERT_TRUE(stored);
      h.control.UserControl_ReadProperties(*stored);
    } else {
      h.control.UserControl_InitProperties();
    }
    EXPECT_EQ(h.Take(), Sequence{});  // loading neither draws nor reports
    EXPECT_EQ(h.control.ForeColor(), row.fore);
    EXPECT_EQ(h.control.Enabled(), row.enabled);
    EXPECT_EQ(*h.control.Font(), row.font);
    EXPECT_NE(h.control.Font(), ambientFont);  // its own font object, never the container's
    EXPECT_EQ(h.control.Caption(), row.caption);
  }
}

TEST(ButtonPersistence, WriteLeavesOutDefaultsAndReadsBackTheSameControl) {
  auto ambient = forms::MakeFont(u"MS Sans Serif", 8.25f);
  // clang-format off
  struct Row {
    std::function<void(ButtonLogic&)> setUp;
    std::u16string storedNames;
  } rows[] = {
      {[](ButtonLogic&) {}, u""},
      {[](ButtonLogic& c) { c.Caption(u"UniButton"); }, u""},
      {[](ButtonLogic& c) { c.Font(forms::MakeFont(u"Tahoma", 8.25f)); c.Caption(u"Refresh"); }, u"Font Caption "},
      {[](ButtonLogic& c) {
         c.Caption(u"\"Quoted\"\n\u0110\u00f3ng");
         c.Enabled(false);
         c.ForeColor(0x80000010);
         c.Font()->italic = true;  // changed in place: now differs from the ambient font
       }, u"ForeColor Enabled Font Caption "},
  };
  // clang-format on
  for (const Row& row : rows) {
    Harness h(ambient);
    row.setUp(h.control);
    forms::PropertySet stored;
    h.control.UserControl_WriteProperties(stored);
    std::u16string names;
    for (const auto& entry : stored.Entries()) names += std::u16string(entry.first.begin(), entry.first.end()) + u" ";
    EXPECT_EQ(names, row.storedNames);

    auto reread = forms::PropertySet::Parse(stored.Serialise());
    ASSERT_TRUE(reread);
    Harness loaded(ambient);
    loaded.control.UserControl_ReadProperties(*reread);
    forms::PropertySet again;  // the loaded control saves the same set
    loaded.control.UserControl_WriteProperties(again);
    EXPECT_EQ(again, stored);
  }
}

}  // namespace
}  // namespace quellan::button

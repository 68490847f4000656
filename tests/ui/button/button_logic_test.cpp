#include "ui/button/button_logic.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace quellan::button {
namespace {

// One recorded step: a decision carried out through the platform (Draw, Timer, Capture, Release,
// Focus, Enable, Text) or an event raised to the container (Click, MouseDown, ..., Changed).
struct Step {
  std::string op;
  int a = 0;
  int b = 0;
  float x = 0.0f;
  float y = 0.0f;
  std::string text = {};

  friend bool operator==(const Step& l, const Step& r) {
    return l.op == r.op && l.a == r.a && l.b == r.b && l.x == r.x && l.y == r.y && l.text == r.text;
  }
};
using Sequence = std::vector<Step>;

void PrintTo(const Step& s, std::ostream* os) {
  *os << "{" << s.op << " " << s.a << " " << s.b << " " << s.x << " " << s.y << (s.text.empty() ? "" : " ") << s.text
      << "}";
}

Step Draw(int state) { return {"Draw", state}; }
Step Timer(int ms) { return {"Timer", ms}; }
Step Raise(const char* event, int a = 0, int b = 0, float x = 0, float y = 0) { return {event, a, b, x, y}; }
Step Changed(const char* name) { return {"Changed", 0, 0, 0, 0, name}; }
Step Text(const char* caption) { return {"Text", 0, 0, 0, 0, caption}; }
Step Enable(bool on) { return {"Enable", on}; }
const Step kCapture{"Capture"};
const Step kRelease{"Release"};
const Step kFocus{"Focus"};

using MouseHandler = std::function<void(std::int16_t&, std::int16_t&, float&, float&)>;

// A stand-in for the control's window that behaves as the system does where it matters to the
// decisions: moving the focus to the window delivers EnterFocus at once, and disabling the focused
// window takes the focus away (ExitFocus). The pointer is over the control when the test says so.
class Harness : public ButtonPlatform {
 public:
  explicit Harness(std::shared_ptr<const forms::FontObject> ambient = forms::MakeFont(u"Tahoma", 8.25f))
      : control(*this, std::move(ambient)), input(control, *this) {
    ButtonEvents& e = control.Events();
    e.Click = [this] { log.push_back(Raise("Click")); };
    e.DblClick = [this] { log.push_back(Raise("DblClick")); };
    e.KeyDown = [this](std::int16_t& k, std::int16_t& s) { log.push_back(Raise("KeyDown", k, s)); };
    e.KeyPress = [this](std::int16_t& k) { log.push_back(Raise("KeyPress", k)); };
    e.KeyUp = [this](std::int16_t& k, std::int16_t& s) { log.push_back(Raise("KeyUp", k, s)); };
    e.MouseDown = Mouse("MouseDown", onMouseDown);
    e.MouseMove = Mouse("MouseMove", onMouseMove);
    e.MouseUp = Mouse("MouseUp", onMouseUp);
    e.PropertyChanged = [this](const char* name) { log.push_back(Changed(name)); };
  }

  void Focus() {
    if (focused) return;
    focused = true;
    control.UserControl_EnterFocus();
  }
  void Unfocus() {
    if (!focused) return;
    focused = false;
    control.UserControl_ExitFocus();
  }
  Sequence Take() { return std::exchange(log, {}); }

  ButtonLogic control;
  ButtonInput input;
  Sequence log;
  bool over = false;
  int interval = 0;
  bool focused = false;
  bool captured = false;
  MouseHandler onMouseDown, onMouseMove, onMouseUp;  // the container's changes to the arguments

 private:
  MouseHandler Mouse(const char* event, const MouseHandler& change) {
    return [this, event, &change](std::int16_t& b, std::int16_t& s, float& x, float& y) {
      log.push_back(Raise(event, b, s, x, y));
      if (change) change(b, s, x, y);
    };
  }
  void Render(const ButtonLook& look) override { log.push_back(Draw(look.state)); }
  void SetTimerInterval(int ms) override {
    interval = ms;
    log.push_back(Timer(ms));
  }
  void SetCapture() override {
    captured = true;
    log.push_back(kCapture);
  }
  void ReleaseCapture() override {
    captured = false;
    log.push_back(kRelease);
  }
  void TakeFocus() override {
    log.push_back(kFocus);
    Focus();
  }
  bool IsMouseOver() override { return over; }
  void SetEnabled(bool enabled) override {
    log.push_back(Enable(enabled));
    if (!enabled) Unfocus();
  }
  void SetText(const std::u16string& caption) override {
    log.push_back(Text(std::string(caption.begin(), caption.end()).c_str()));
  }
};

// ---- the control's handlers, one row per notification and condition ----

enum : int { kLeftDown = 1, kFocused = 2, kOver = 4, kDisabled = 8 };  // conditions and flags

void Down(ButtonLogic& c, std::int16_t button, std::int16_t shift = 0, float x = 5, float y = 6) {
  c.UserControl_MouseDown(button, shift, x, y);
}
void Move(ButtonLogic& c, std::int16_t button) {
  std::int16_t shift = 1;
  float x = 3, y = 4;
  c.UserControl_MouseMove(button, shift, x, y);
}

TEST(ButtonLogic, EachNotificationRaisesAndDrawsAsItsRowSays) {
  using Notify = std::function<void(ButtonLogic&)>;
  const Notify up = [](ButtonLogic& c) {
    std::int16_t b = 1, s = 2;
    float x = 7.5f, y = -2;
    c.UserControl_MouseUp(b, s, x, y);
  };
  const Notify tick = [](ButtonLogic& c) { c.Timer1_Timer(); };
  const Notify dblClick = [](ButtonLogic& c) { c.UserControl_DblClick(); };
  const Notify keys = [](ButtonLogic& c) {
    std::int16_t code = 32, shift = 3, ascii = 13;
    c.UserControl_KeyDown(code, shift);
    c.UserControl_KeyPress(ascii);
    c.UserControl_KeyUp(code, shift);
  };
  const Step mouseUp = Raise("MouseUp", 1, 2, 7.5f, -2);
  const Step hover = Raise("MouseMove", 0, 1, 3, 4);
  // clang-format off
  struct Row {
    const char* name;
    int given;
    Notify notify;
    Sequence expected;
    int after;  // kLeftDown and kFocused afterwards
  } rows[] = {
      {"Resize", kFocused | kOver, [](ButtonLogic& c) { c.UserControl_Resize(); }, {Draw(1)}, kFocused},
      {"Show", 0, [](ButtonLogic& c) { c.UserControl_Show(); }, {Draw(1)}, 0},
      {"MouseDown left", kOver, [](ButtonLogic& c) { Down(c, 1); }, {Raise("MouseDown", 1, 0, 5, 6), Draw(3)},
       kLeftDown},
      {"MouseDown right", kLeftDown | kFocused, [](ButtonLogic& c) { Down(c, 2, 1); },
       {Raise("MouseDown", 2, 1, 5, 6)}, kFocused},
      {"MouseDown middle", kLeftDown, [](ButtonLogic& c) { Down(c, 4); }, {Raise("MouseDown", 4, 0, 5, 6)}, 0},
      {"MouseDown left+right", kLeftDown, [](ButtonLogic& c) { Down(c, 3); }, {Raise("MouseDown", 3, 0, 5, 6)}, 0},
      {"MouseDown disabled", kDisabled, [](ButtonLogic& c) { Down(c, 1); }, {Raise("MouseDown", 1, 0, 5, 6), Draw(4)},
       kLeftDown},
      {"MouseMove left over", kLeftDown | kOver, [](ButtonLogic& c) { Move(c, 1); },
       {Raise("MouseMove", 1, 1, 3, 4), Draw(3)}, kLeftDown},
      {"MouseMove left outside", kLeftDown, [](ButtonLogic& c) { Move(c, 1); },
       {Raise("MouseMove", 1, 1, 3, 4), Draw(2)}, kLeftDown},
      {"MouseMove right", kOver, [](ButtonLogic& c) { Move(c, 2); }, {Raise("MouseMove", 2, 1, 3, 4)}, 0},
      {"MouseMove none", kOver, [](ButtonLogic& c) { Move(c, 0); }, {hover, Timer(100), Draw(2)}, 0},
      {"MouseMove middle", kOver, [](ButtonLogic& c) { Move(c, 4); },
       {Raise("MouseMove", 4, 1, 3, 4), Timer(100), Draw(2)}, 0},
      {"MouseMove left+right", kOver, [](ButtonLogic& c) { Move(c, 3); },
       {Raise("MouseMove", 3, 1, 3, 4), Timer(100), Draw(2)}, 0},
      {"MouseUp focused", kLeftDown | kFocused, up, {mouseUp, Draw(5)}, kLeftDown | kFocused},
      {"MouseUp unfocused", kLeftDown, up, {mouseUp, Draw(1)}, kLeftDown},
      {"Timer1 pointer over", kOver, tick, {}, 0},
      {"Timer1 pointer gone", 0, tick, {Timer(0), Draw(1)}, 0},
      {"Timer1 pointer gone focused", kFocused, tick, {Timer(0), Draw(5)}, kFocused},
      {"Timer1 disabled", kDisabled, tick, {Timer(0), Draw(4)}, 0},
      {"EnterFocus", 0, [](ButtonLogic& c) { c.UserControl_EnterFocus(); }, {Draw(5)}, kFocused},
      {"EnterFocus after left press", kLeftDown, [](ButtonLogic& c) { c.UserControl_EnterFocus(); }, {},
       kLeftDown | kFocused},
      {"ExitFocus", kLeftDown | kFocused | kOver, [](ButtonLogic& c) { c.UserControl_ExitFocus(); }, {Draw(1)}, 0},
      {"DblClick after left press", kLeftDown | kFocused, dblClick, {kCapture, Raise("MouseDown", 1), Draw(3)},
       kLeftDown | kFocused},
      {"DblClick without left press", kFocused, dblClick, {}, kFocused},
      {"Click", 0, [](ButtonLogic& c) { c.UserControl_Click(); }, {Raise("Click")}, 0},
      {"keys", kFocused, keys, {Raise("KeyDown", 32, 3), Raise("KeyPress", 13), Raise("KeyUp", 32, 3)}, kFocused},
  };
  // clang-format on
  for (const Row& row : rows) {
    Harness h;
    if (row.given & kDisabled) h.control.Enabled(false);
    if (row.given & kLeftDown) Down(h.control, kLeftButton);
    if (row.given & kFocused) h.Focus();
    h.over = (row.given & kOver) != 0;
    h.Take();
    row.notify(h.control);
    EXPECT_EQ(h.Take(), row.expected) << row.name;
    EXPECT_EQ(h.control.LeftDown(), (row.after & kLeftDown) != 0) << row.name;
    EXPECT_EQ(h.control.HasFocus(), (row.after & kFocused) != 0) << row.name;
  }
}

TEST(ButtonLogic, LookFollowsStateAndEnabled) {
  struct Row {
    int state;
    bool enabled;
    std::uint32_t fore;
    ButtonLook look;
  } rows[] = {
      {1, true, 0x80000012, {1, 0x0010, 0x80000012}},  {2, true, 0x80000012, {2, 0x0010, 0x80000012}},
      {3, true, 0x000000FF, {3, 0x0210, 0x000000FF}},  {5, true, 0x80000012, {5, 0x0010, 0x80000012}},
      {1, false, 0x000000FF, {4, 0x0010, 0x80000010}}, {3, false, 0x80000012, {4, 0x0010, 0x80000010}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(LookFor(row.state, row.enabled, row.fore), row.look) << row.state << " enabled " << row.enabled;
  }
}

// ---- whole paths through the host's input rule ----

// One input: a press (or the system's double-click press), a release over the control or outside
// it, a move over or outside with `button` held, a Timer1 tick (only while it runs), the pointer
// leaving without a move, focus in and out, loss of the capture, Enabled written.
struct In {
  enum Kind { Down, Double, Up, UpOutside, Move, MoveOut, Tick, Leave, Focus, Unfocus, Lost, Disable, Enable } kind;
  std::int16_t button = 0;
  float x = 10;
  float y = 10;
  std::int16_t stillHeld = 0;
};

void Feed(Harness& h, const std::vector<In>& inputs) {
  for (const In& in : inputs) {
    if (in.kind == In::Move || in.kind == In::MoveOut) h.over = in.kind == In::Move;
    switch (in.kind) {
      case In::Down:
      case In::Double:
        h.input.ButtonDown(in.button, 0, in.x, in.y, in.kind == In::Double);
        break;
      case In::Up:
      case In::UpOutside:
        h.input.ButtonUp(in.button, 0, in.x, in.y, in.kind == In::Up, in.stillHeld);
        break;
      case In::Move:
      case In::MoveOut:
        h.input.MouseMove(in.button, 0, in.x, in.y);
        break;
      case In::Tick:
        if (h.interval > 0) h.control.Timer1_Timer();
        break;
      case In::Leave:
        h.over = false;
        break;
      case In::Focus:
        h.Focus();
        break;
      case In::Unfocus:
        h.Unfocus();
        break;
      case In::Lost:
        h.input.CaptureLost();
        break;
      case In::Disable:
      case In::Enable:
        h.control.Enabled(in.kind == In::Enable);
        break;
    }
  }
}

TEST(ButtonInput, EachPathGivesItsSequence) {
  // A left click after which the focus went elsewhere (m_LeftDown clear, unfocused).
  const std::vector<In> clickedAway{{In::Down, 1}, {In::Up, 1}, {In::Unfocus}};
  const Step down = Raise("MouseDown", 1, 0, 10, 10);
  const Step up = Raise("MouseUp", 1, 0, 10, 10);
  const Step hover = Raise("MouseMove", 0, 0, 10, 10);
  const Step drag = Raise("MouseMove", 1, 0, 10, 10);
  // clang-format off
  struct Row {
    const char* name;
    std::vector<In> prepare;  // not recorded
    std::vector<In> run;
    Sequence expected;
  } rows[] = {
      {"hover, leave without a move: idle at the next tick, then no more ticks", {},
       {{In::Move, 0, 4, 5}, {In::Tick}, {In::Leave}, {In::Tick}, {In::Tick}},
       {Raise("MouseMove", 0, 0, 4, 5), Timer(100), Draw(2), Timer(0), Draw(1)}},
      {"click on an unfocused control: pressed, focused after release, hot with the next move", {},
       {{In::Down, 1, 8, 9}, {In::Up, 1}, {In::Move}},
       {kCapture, Raise("MouseDown", 1, 0, 8, 9), Draw(3), kFocus, up, Draw(5), kRelease, Raise("Click"), hover,
        Timer(100), Draw(2)}},
      {"drag out and back, release outside: no click, no timer", {},
       {{In::Down, 1}, {In::MoveOut, 1}, {In::Move, 1}, {In::MoveOut, 1}, {In::UpOutside, 1}},
       {kCapture, down, Draw(3), kFocus, drag, Draw(2), drag, Draw(3), drag, Draw(2), up, Draw(5), kRelease}},
      {"left double click: one Click, two MouseDown, two MouseUp, no DblClick", {},
       {{In::Down, 1}, {In::Up, 1}, {In::Double, 1}, {In::Up, 1}},
       {kCapture, down, Draw(3), kFocus, up, Draw(5), kRelease, Raise("Click"), kCapture, Raise("MouseDown", 1),
        Draw(3), up, Draw(5), kRelease}},
      {"double click after the focus left: only its release", clickedAway, {{In::Double, 1}, {In::Up, 1}},
       {up, Draw(1), kRelease}},
      {"right press, moves and ticks: nothing drawn, no timer, no focus, no click", clickedAway,
       {{In::Down, 2}, {In::MoveOut, 2}, {In::Tick}, {In::Up, 2}},
       {kCapture, Raise("MouseDown", 2, 0, 10, 10), Raise("MouseMove", 2, 0, 10, 10), Raise("MouseUp", 2, 0, 10, 10),
        Draw(1), kRelease}},
      {"middle press: moves with it held hover", clickedAway, {{In::Down, 4}, {In::Move, 4}, {In::Up, 4}},
       {kCapture, Raise("MouseDown", 4, 0, 10, 10), Raise("MouseMove", 4, 0, 10, 10), Timer(100), Draw(2),
        Raise("MouseUp", 4, 0, 10, 10), Draw(1), kRelease}},
      {"a second right press is an ordinary press", {{In::Down, 2}, {In::Up, 2}}, {{In::Double, 2}},
       {kCapture, Raise("MouseDown", 2, 0, 10, 10)}},
      {"capture lost during a press: the release makes no click", {}, {{In::Down, 1}, {In::Lost}, {In::Up, 1}},
       {kCapture, down, Draw(3), kFocus, up, Draw(5), kRelease}},
      {"releases without a press on the control are dropped", {}, {{In::Up, 1}, {In::Up, 2}}, {}},
      {"capture ends with the last held button, Click comes last", {},
       {{In::Down, 1}, {In::Down, 2}, {In::Up, 2, 10, 10, 1}, {In::Up, 1}},
       {kCapture, down, Draw(3), kFocus, kCapture, Raise("MouseDown", 2, 0, 10, 10), Raise("MouseUp", 2, 0, 10, 10),
        Draw(5), up, Draw(5), kRelease, Raise("Click")}},
      {"focus leaving while hovered draws idle until the next move", {{In::Focus}, {In::Move}},
       {{In::Unfocus}, {In::Tick}, {In::Move}}, {Draw(1), hover, Timer(100), Draw(2)}},
      {"a tick during a drag outside falls back to focused until the next move", {{In::Move}, {In::Down, 1}},
       {{In::MoveOut, 1}, {In::Tick}, {In::MoveOut, 1}}, {drag, Draw(2), Timer(0), Draw(5), drag, Draw(2)}},
      {"disabled: the running timer still ticks, enabling draws idle", {{In::Focus}, {In::Move}},
       {{In::Disable}, {In::Tick}, {In::Leave}, {In::Tick}, {In::Enable}},
       {Enable(false), Draw(4), Draw(4), Changed("Enabled"), Timer(0), Draw(4), Enable(true), Draw(1),
        Changed("Enabled")}},
  };
  // clang-format on
  for (const Row& row : rows) {
    Harness h;
    Feed(h, row.prepare);
    h.Take();
    Feed(h, row.run);
    EXPECT_EQ(h.Take(), row.expected) << row.name;
  }
  // Creation starts Timer1; the first tick with the pointer elsewhere stops it for good.
  Harness h;
  h.input.Created();
  Feed(h, {{In::Tick}, {In::Tick}});
  EXPECT_EQ(h.Take(), (Sequence{Timer(100), Timer(0), Draw(1)}));
}

TEST(ButtonInput, TheControlActsOnArgumentsAsTheContainerLeftThem) {
  const MouseHandler toRight = [](std::int16_t& b, std::int16_t&, float&, float&) { b = kRightButton; };
  const MouseHandler toLeft = [](std::int16_t& b, std::int16_t&, float&, float&) { b = kLeftButton; };
  // clang-format off
  struct Row {
    const char* name;
    std::vector<In> prepare;
    const MouseHandler& onDown;
    const MouseHandler& onMove;
    std::vector<In> run;
    Sequence expected;
    bool leftDown;
  } rows[] = {
      {"left press made right", {}, toRight, {}, {{In::Down, 1}},
       {kCapture, Raise("MouseDown", 1, 0, 10, 10), kFocus, Draw(5)}, false},
      {"right press made left", {}, toLeft, {}, {{In::Down, 2}},
       {kCapture, Raise("MouseDown", 2, 0, 10, 10), Draw(3)}, true},
      {"hover move made right", {}, {}, toRight, {{In::Move, 0}}, {Raise("MouseMove", 0, 0, 10, 10)}, false},
      {"double click's own press made right", {{In::Down, 1}, {In::Up, 1}}, toRight, {}, {{In::Double, 1}},
       {kCapture, Raise("MouseDown", 1)}, false},
  };
  // clang-format on
  for (const Row& row : rows) {
    Harness h;
    Feed(h, row.prepare);
    h.onMouseDown = row.onDown;
    h.onMouseMove = row.onMove;
    h.Take();
    Feed(h, row.run);
    EXPECT_EQ(h.Take(), row.expected) << row.name;
    EXPECT_EQ(h.control.LeftDown(), row.leftDown) << row.name;
    EXPECT_EQ(h.interval, 0) << row.name;
  }
}

TEST(ButtonInput, UnsetHandlersAreSkipped) {
  Harness h;
  h.control.Events() = ButtonEvents{};
  Feed(h, {{In::Down, 1}, {In::Move, 0}, {In::Up, 1}});
  EXPECT_EQ(h.Take(), (Sequence{kCapture, Draw(3), kFocus, Timer(100), Draw(2), Draw(5), kRelease}));
}

// ---- properties ----

TEST(ButtonProperties, EverySetterRedrawsIdleThenReportsEvenWhenUnchanged) {
  // clang-format off
  struct Row {
    const char* name;
    std::function<void(ButtonLogic&)> set;
    Sequence expected;
    Sequence expectedFocused;  // when it differs
  } rows[] = {
      {"ForeColor", [](ButtonLogic& c) { c.ForeColor(0x000000FF); }, {Draw(1), Changed("ForeColor")}, {}},
      {"ForeColor same", [](ButtonLogic& c) { c.ForeColor(kDefaultForeColor); }, {Draw(1), Changed("ForeColor")}, {}},
      {"Caption", [](ButtonLogic& c) { c.Caption(u"Save"); }, {Text("Save"), Draw(1), Changed("Caption")}, {}},
      {"Caption same", [](ButtonLogic& c) { c.Caption(u"UniButton"); },
       {Text("UniButton"), Draw(1), Changed("Caption")}, {}},
      {"Font", [](ButtonLogic& c) { c.Font(forms::MakeFont(u"Arial", 10)); }, {Draw(1), Changed("Font")}, {}},
      {"Font same object", [](ButtonLogic& c) { c.Font(c.Font()); }, {Draw(1), Changed("Font")}, {}},
      {"Font null refused", [](ButtonLogic& c) { c.Font(nullptr); }, {}, {}},
      {"Enabled true", [](ButtonLogic& c) { c.Enabled(true); }, {Enable(true), Draw(1), Changed("Enabled")}, {}},
      // Disabling the focused window takes its focus away first, which redraws too.
      {"Enabled false", [](ButtonLogic& c) { c.Enabled(false); }, {Enable(false), Draw(4), Changed("Enabled")},
       {Enable(false), Draw(4), Draw(4), Changed("Enabled")}},
  };
  // clang-format on
  for (const Row& row : rows) {
    for (bool focused : {false, true}) {
      Harness h;
      if (focused) h.Focus();
      h.Take();
      row.set(h.control);
      const Sequence& expected = focused && !row.expectedFocused.empty() ? row.expectedFocused : row.expected;
      EXPECT_EQ(h.Take(), expected) << row.name << (focused ? " focused" : "");
    }
  }
}

TEST(ButtonProperties, FontIsSharedAndChangingItRedrawsNothing) {
  Harness h;
  std::shared_ptr<forms::FontObject> font = h.control.Font();
  font->size = 20.25f;
  EXPECT_EQ(h.Take(), Sequence{});
  EXPECT_EQ(h.control.Font()->size, 20.25f);
  auto assigned = forms::MakeFont(u"Verdana", 9);
  h.control.Font(assigned);
  EXPECT_EQ(h.control.Font(), assigned);
}

// ---- stored properties ----

TEST(ButtonPersistence, ReadTakesStoredValuesAndDefaultsForMissingOrMistypedOnes) {
  const forms::FontObject ambient = *forms::MakeFont(u"Tahoma", 8.25f);
  const forms::FontObject bold = *forms::MakeFont(u"Tahoma", 8.25f, 700);
  struct Row {
    const char* text;
    std::uint32_t fore;
    bool enabled;
    forms::FontObject font;
    std::u16string caption;
  } rows[] = {
      {"", kDefaultForeColor, true, ambient, u"UniButton"},
      {"Caption = \"Save Setting\" Font { Name = \"Tahoma\" Size = 8.25 Weight = 700 }", kDefaultForeColor, true, bold,
       u"Save Setting"},
      {"ForeColor = 255\nEnabled = false\nCaption = \"\"", 255, false, ambient, u""},
      {"ForeColor = -2147483630\nEnabled = 0", 0x80000012, false, ambient, u"UniButton"},
      {"ForeColor = \"red\"\nEnabled = \"yes\"\nFont = 3\nCaption = 12", kDefaultForeColor, true, ambient,
       u"UniButton"},
  };
  for (const Row& row : rows) {
    const std::string ascii = row.text;
    auto stored = forms::PropertySet::Parse(std::u16string(ascii.begin(), ascii.end()));
    ASSERT_TRUE(stored) << row.text;
    auto ambientFont = std::make_shared<forms::FontObject>(ambient);
    Harness h(ambientFont);
    h.control.UserControl_ReadProperties(*stored);
    EXPECT_EQ(h.Take(), Sequence{}) << row.text;
    EXPECT_EQ(h.control.ForeColor(), row.fore) << row.text;
    EXPECT_EQ(h.control.Enabled(), row.enabled) << row.text;
    EXPECT_EQ(*h.control.Font(), row.font) << row.text;
    EXPECT_NE(h.control.Font(), ambientFont) << row.text;  // its own font object, never the container's
    EXPECT_EQ(h.control.Caption(), row.caption) << row.text;
  }
  // A newly placed instance takes the same defaults, without drawing.
  auto ambientFont = forms::MakeFont(u"Arial", 9);
  Harness h(ambientFont);
  h.control.Caption(u"Other");
  h.control.Font(forms::MakeFont(u"Verdana", 12));
  h.Take();
  h.control.UserControl_InitProperties();
  EXPECT_EQ(h.Take(), Sequence{});
  EXPECT_EQ(h.control.Caption(), u"UniButton");
  EXPECT_EQ(*h.control.Font(), *ambientFont);
  EXPECT_NE(h.control.Font(), ambientFont);
}

TEST(ButtonPersistence, WriteLeavesOutDefaultsAndReadsBackTheSameControl) {
  auto ambient = forms::MakeFont(u"MS Sans Serif", 8.25f);
  // clang-format off
  struct Row {
    const char* name;
    std::function<void(ButtonLogic&)> setUp;
    std::vector<std::string> storedNames;
  } rows[] = {
      {"all defaults", [](ButtonLogic&) {}, {}},
      {"caption set back to the default", [](ButtonLogic& c) { c.Caption(u"UniButton"); }, {}},
      {"main window's button", [](ButtonLogic& c) {
         c.Font(forms::MakeFont(u"Tahoma", 8.25f));
         c.Caption(u"Refresh");
       }, {"Font", "Caption"}},
      {"everything", [](ButtonLogic& c) {
         c.Caption(u"\"Quoted\"\n\u0110\u00f3ng");
         c.Enabled(false);
         c.ForeColor(0x80000010);
         c.Font()->italic = true;  // changed in place: now differs from the ambient font
       }, {"ForeColor", "Enabled", "Font", "Caption"}},
  };
  // clang-format on
  for (const Row& row : rows) {
    Harness h(ambient);
    row.setUp(h.control);
    forms::PropertySet stored;
    h.control.UserControl_WriteProperties(stored);
    std::vector<std::string> names;
    for (const auto& entry : stored.Entries()) names.push_back(entry.first);
    EXPECT_EQ(names, row.storedNames) << row.name;

    // Saving into a set that still holds older values removes those now at their defaults.
    forms::PropertySet older;
    older.Set("ForeColor", std::int64_t{1});
    older.Set("Enabled", std::int64_t{1});
    older.Set("Font", forms::FontObject{u"Stale", 30});
    older.Set("Caption", std::int64_t{1});
    h.control.UserControl_WriteProperties(older);
    EXPECT_EQ(older.Serialise(), stored.Serialise()) << row.name;

    auto reread = forms::PropertySet::Parse(stored.Serialise());
    ASSERT_TRUE(reread) << row.name;
    Harness loaded(ambient);
    loaded.control.UserControl_ReadProperties(*reread);
    EXPECT_EQ(loaded.control.Caption(), h.control.Caption()) << row.name;
    EXPECT_EQ(loaded.control.ForeColor(), h.control.ForeColor()) << row.name;
    EXPECT_EQ(loaded.control.Enabled(), h.control.Enabled()) << row.name;
    EXPECT_EQ(*loaded.control.Font(), *h.control.Font()) << row.name;
  }
}

}  // namespace
}  // namespace quellan::button

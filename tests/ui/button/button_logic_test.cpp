#include "ui/button/button_logic.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "call_sequence.h"

namespace quellan::button {
namespace {

// The control's window: taking the focus delivers EnterFocus at once, disabling takes it away. Platform
// calls and raised events are recorded in one sequence; every press and move is at (3, 4) with Shift 1.
class Fake : public ButtonPlatform {
  auto Log(Op op) {
    return [this, op](auto&&... args) { log.emplace_back(op, args...); };
  }

 public:
  Fake() {
    control.Events() = {Log(Click),     Log(DblClick),  Log(KeyDown), Log(KeyPress), Log(KeyUp),
                        Log(MouseDown), Log(MouseMove), Log(MouseUp), Log(Changed)};
    control.UserControl_ReadProperties({});  // a freshly placed control
  }
  void Focus(bool on) {
    if (std::exchange(focused, on) != on) on ? control.UserControl_EnterFocus() : control.UserControl_ExitFocus();
  }
  Sequence Take() { return std::exchange(log, {}); }
  void Down(std::int16_t button, bool doubleClick = false) { input.ButtonDown(button, 1, 3, 4, doubleClick); }
  void Up(std::int16_t button, std::int16_t stillHeld = 0) { input.ButtonUp(button, 1, 3, 4, true, stillHeld); }
  void Move(std::int16_t held) { over = true, input.MouseMove(held, 1, 3, 4); }
  void Space(bool down, std::int16_t shift) {
    std::int16_t key = kKeySpace;
    down ? control.UserControl_KeyDown(key, shift) : control.UserControl_KeyUp(key, shift);
  }

  forms::FontObject ambient = *forms::MakeFont(u"MS Sans Serif", 8.25f);
  ButtonLogic control{*this};
  ButtonInput input{control, *this};
  Sequence log;
  bool over = false, focused = false;

 private:
  void Render(const ButtonLook& look) override { log.push_back({quellan::button::Draw, look.state}); }
  void SetTimerInterval(int ms) override { log.push_back({Timer, ms}); }
  void SetCapture() override { log.push_back({Capture}); }
  void ReleaseCapture() override { log.push_back({Release}); }
  void TakeFocus() override { log.push_back({quellan::button::Focus}), Focus(true); }
  bool IsMouseOver() override { return over; }
  void SetEnabled(bool enabled) override { log.push_back({Enable, enabled}), Focus(focused && enabled); }
  void SetText(const std::u16string& text) override { log.push_back({Text, std::string(text.begin(), text.end())}); }
  const forms::FontObject& AmbientFont() override { return ambient; }
};

TEST(ButtonLogic, PathsRealInputCannotReachOrTimeGiveTheirSequence) {  // the others run in the Win32 test
  // clang-format off
  const struct { const char* name; void (*act)(Fake&); Sequence expected; } rows[] = {
      {"a double click after the focus left: only its release",
       [](Fake& h) { h.Down(1); h.Up(1); h.Focus(false); h.log.clear(); h.Down(1, true); h.Up(1); },
       {{MouseUp, 1, 1, 3, 4}, {Draw, 1}, {Release}}},
      {"a right press clears the left press, so a left double click then does nothing; a right one is a press",
       [](Fake& h) { h.Down(1); h.Up(1); h.log.clear(); h.Down(2); h.Up(2); h.Down(2, true); h.Up(2);
                     h.Down(1, true); h.Up(1); },
       {{Capture}, {MouseDown, 2, 1, 3, 4}, {MouseUp, 2, 1, 3, 4}, {Draw, 5}, {Release}, {Capture},
        {MouseDown, 2, 1, 3, 4}, {MouseUp, 2, 1, 3, 4}, {Draw, 5}, {Release}, {MouseUp, 1, 1, 3, 4}, {Draw, 5},
        {Release}}},
      {"releases without a press on the control are dropped", [](Fake& h) { h.Up(1); h.Up(2); }, {}},
      {"capture ends with the last held button, Click comes last",
       [](Fake& h) { h.Down(1); h.Down(2); h.Move(3); h.Up(2, 1); h.Up(1); },
       {{Capture}, {MouseDown, 1, 1, 3, 4}, {Draw, 3}, {Focus}, {Capture}, {MouseDown, 2, 1, 3, 4},
        {MouseMove, 3, 1, 3, 4}, {Timer, 100}, {Draw, 2}, {MouseUp, 2, 1, 3, 4}, {Draw, 5}, {MouseUp, 1, 1, 3, 4},
        {Draw, 5}, {Release}, {Click}}},
      {"every property write redraws idle, even focused and unchanged, then reports",
       [](Fake& h) { ButtonLogic& c = h.control; h.Focus(true); h.log.clear(); c.ForeColor(c.ForeColor());
                     c.Font(c.Font()); c.Font(nullptr); c.Caption(c.Caption()); c.Enabled(true); },
       {{Draw, 1}, {Changed, "ForeColor"}, {Draw, 1}, {Changed, "Font"}, {Text, "UniButton"}, {Draw, 1},
        {Changed, "Caption"}, {Enable, 1}, {Draw, 1}, {Changed, "Enabled"}}},
      {"disabled: focus goes, the running timer still ticks, enabling draws idle",
       [](Fake& h) { ButtonLogic& c = h.control; h.Focus(true); h.Move(0); h.log.clear();
                     c.Enabled(false); c.Timer1_Timer(); h.over = false; c.Timer1_Timer(); c.Enabled(true); },
       {{Enable, 0}, {Draw, 4}, {Draw, 4}, {Changed, "Enabled"}, {Timer, 0}, {Draw, 4}, {Enable, 1}, {Draw, 1},
        {Changed, "Enabled"}}},
      {"Space with Alt held is the system's: no look, no Click",
       [](Fake& h) { h.Focus(true); h.log.clear(); h.Space(true, 4); h.Space(false, 4);
                     h.Space(true, 4); h.Space(false, 0); },
       {{KeyDown, 32, 4}, {KeyUp, 32, 4}, {KeyDown, 32, 4}, {KeyUp, 32, 0}}},
  };
  // clang-format on
  for (const auto& row : rows) {
    Fake h;
    row.act(h);
    EXPECT_EQ(h.Take(), row.expected) << row.name;
  }
}

auto Fields(const StoredProperties& s) { return std::tie(s.ForeColor, s.Enabled, s.Font, s.Caption); }

TEST(ButtonLogic, WriteLeavesDefaultsOutAndReadGivesDefaultsForMissingNames) {
  const forms::FontObject tahoma = *forms::MakeFont(u"Tahoma", 8.25f), italic{u"MS Sans Serif", 8.25f, 400, true};
  // What the control writes after set (the ambient font is MS Sans Serif), and what reading it gives back.
  // clang-format off
  const struct { void (*set)(ButtonLogic&); StoredProperties stored; } rows[] = {
      {[](ButtonLogic&) {}, {}},
      {[](ButtonLogic& c) { c.Font(forms::MakeFont(u"Tahoma", 8.25f)), c.Caption(u"Refresh"); },
       {{}, {}, tahoma, u"Refresh"}},
      {[](ButtonLogic& c) { c.Font()->italic = true, c.Caption(u""), c.Enabled(false), c.ForeColor(255); },
       {255, false, italic, u""}},
  };
  // clang-format on
  for (const auto& row : rows) {
    Fake h, loaded;
    row.set(h.control);
    StoredProperties written{1, true, tahoma, u"stale"};
    h.control.UserControl_WriteProperties(written);
    EXPECT_EQ(Fields(written), Fields(row.stored)) << &row - rows;

    ButtonLogic& c = loaded.control;
    c.UserControl_ReadProperties({7, false, italic, u"Other"});  // each value then replaced
    c.UserControl_ReadProperties(row.stored);
    EXPECT_EQ(loaded.Take(), Sequence{});  // loading neither draws nor reports
    EXPECT_EQ(std::make_tuple(c.ForeColor(), c.Enabled(), *c.Font(), c.Caption()),
              std::make_tuple(row.stored.ForeColor.value_or(0x80000012), row.stored.Enabled.value_or(true),
                              row.stored.Font.value_or(loaded.ambient), row.stored.Caption.value_or(u"UniButton")));
  }
}

}  // namespace
}  // namespace quellan::button

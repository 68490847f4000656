#include "ui/button/button_logic.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <utility>

namespace quellan::button {
namespace {

// The control's window: taking the focus delivers EnterFocus at once, disabling takes it away. Platform
// calls and raised events are recorded in one line: "Capture, MouseDown 1 1 3 4, Draw 3".
class Fake : public ButtonPlatform {
  auto Log(const char* name) {
    return [this, name](auto&&... args) { Add(name, args...); };
  }

 public:
  Fake() {
    control.Events() = {Log("Click"),     Log("DblClick"),  Log("KeyDown"), Log("KeyPress"), Log("KeyUp"),
                        Log("MouseDown"), Log("MouseMove"), Log("MouseUp"), Log("Changed")};
    control.UserControl_ReadProperties({});  // a freshly placed control
  }
  void Focus(bool on) {
    if (std::exchange(focused, on) != on) on ? control.UserControl_EnterFocus() : control.UserControl_ExitFocus();
  }
  std::string Take() { return std::exchange(log, std::string()); }

  forms::FontObject ambient = *forms::MakeFont(u"MS Sans Serif", 8.25f);
  ButtonLogic control{*this};
  ButtonInput input{control, *this};
  std::string log;
  bool over = false, focused = false;

 private:
  template <class... Args>
  void Add(const char* op, Args&&... args) {
    std::ostringstream line;
    line << (log.empty() ? "" : ", ") << op;
    ((line << ' ' << +args), ...);
    log += line.str();
  }
  void Render(const ButtonLook& look) override { Add("Draw", look.state); }
  void SetTimerInterval(int ms) override { Add("Timer", ms); }
  void SetCapture() override { Add("Capture"); }
  void ReleaseCapture() override { Add("Release"); }
  void TakeFocus() override { Add("Focus"), Focus(true); }
  bool IsMouseOver() override { return over; }
  void SetEnabled(bool enabled) override { Add("Enable", enabled), Focus(focused && enabled); }
  void SetText(const std::u16string& text) override { Add("Text", std::string(text.begin(), text.end()).c_str()); }
  const forms::FontObject& AmbientFont() override { return ambient; }
};

// Runs a script and gives what the steps after '|' recorded: dN press of button N, DN double-click
// press, uN release over the control (uN/M: buttons M still held), mN move over it with buttons N
// held, l pointer gone without a move, t Timer1 tick, fN focus in (1) or out, eN Enabled, w every
// property rewritten as it is (and a null Font), kN/KN Space down/up with the Shift argument N.
std::string Recorded(const std::string& script) {
  Fake h;
  std::istringstream steps(script);
  for (std::string s; steps >> s;) {
    const char op = s[0];
    const auto n = static_cast<std::int16_t>(s.size() > 1 ? s[1] - '0' : 0);
    ButtonLogic& c = h.control;
    if (op == 'm' || op == 'l') h.over = op == 'm';
    if (op == 'd' || op == 'D') h.input.ButtonDown(n, 1, 3, 4, op == 'D');
    if (op == 'u') h.input.ButtonUp(n, 1, 3, 4, true, static_cast<std::int16_t>(s.size() > 3 ? s[3] - '0' : 0));
    if (op == 'm') h.input.MouseMove(n, 1, 3, 4);
    if (op == 't') c.Timer1_Timer();
    if (op == 'f') h.Focus(n != 0);
    if (op == 'e') c.Enabled(n != 0);
    if (op == 'w') c.ForeColor(c.ForeColor()), c.Font(c.Font()), c.Font(nullptr), c.Caption(c.Caption()), c.Enabled(1);
    std::int16_t space = kKeySpace, shift = n;
    if (op == 'k' || op == 'K')
      (c.*(op == 'k' ? &ButtonLogic::UserControl_KeyDown : &ButtonLogic::UserControl_KeyUp))(space, shift);
    if (op == '|') h.Take();
  }
  return h.Take();
}

TEST(ButtonLogic, PathsRealInputCannotReachOrTimeGiveTheirSequence) {  // the others run in the Win32 test
  const std::string press = "Capture, MouseDown 1 1 3 4, Draw 3, Focus, ", release = "MouseUp 1 1 3 4, Draw 5, ";
  const std::string right = "Capture, MouseDown 2 1 3 4", rightUp = ", MouseUp 2 1 3 4, Draw 5, Release, ";
  // clang-format off
  const struct { const char *name, *script; std::string expected; } rows[] = {
      {"a double click after the focus left: only its release", "d1 u1 f0 | D1 u1", "MouseUp 1 1 3 4, Draw 1, Release"},
      {"a right press clears the left press, so a left double click then does nothing; a right one is a press",
       "d1 u1 | d2 u2 D2 u2 D1 u1", right + rightUp + right + rightUp + release + "Release"},
      {"releases without a press on the control are dropped", "| u1 u2", ""},
      {"capture ends with the last held button, Click comes last", "| d1 d2 m3 u2/1 u1",
       press + right + ", MouseMove 3 1 3 4, Timer 100, Draw 2, MouseUp 2 1 3 4, Draw 5, " + release +
       "Release, Click"},
      {"focus arriving draws focused, leaving idle even while hovered; hot with the next move", "m0 | f1 t f0 m0",
       "Draw 5, Draw 1, MouseMove 0 1 3 4, Timer 100, Draw 2"},
      {"every property write redraws idle, even focused and unchanged, then reports", "f1 | w",
       "Draw 1, Changed ForeColor, Draw 1, Changed Font, Text UniButton, Draw 1, Changed Caption, Enable 1, Draw 1, "
       "Changed Enabled"},
      {"disabled: focus goes, the running timer still ticks, enabling draws idle", "f1 m0 | e0 t l t e1",
       "Enable 0, Draw 4, Draw 4, Changed Enabled, Timer 0, Draw 4, Enable 1, Draw 1, Changed Enabled"},
      {"Space with Alt held is the system's: no look, no Click", "f1 | k4 K4 k4 K0",
       "KeyDown 32 4, KeyUp 32 4, KeyDown 32 4, KeyUp 32 0"},
  };
  // clang-format on
  for (const auto& row : rows) EXPECT_EQ(Recorded(row.script), row.expected) << row.name;
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
    EXPECT_EQ(loaded.Take(), "");  // loading neither draws nor reports
    EXPECT_EQ(std::make_tuple(c.ForeColor(), c.Enabled(), *c.Font(), c.Caption()),
              std::make_tuple(row.stored.ForeColor.value_or(0x80000012), row.stored.Enabled.value_or(true),
                              row.stored.Font.value_or(loaded.ambient), row.stored.Caption.value_or(u"UniButton")));
  }
}

}  // namespace
}  // namespace quellan::button

#pragma once
// What the button did, one row per platform call or event raised, compared as a whole the way Wine's tests compare
// the messages a window received: {Draw, 3} a redraw in state 3, {MouseDown, 1, 0, 65, 18} an event with its
// arguments, {Changed, "Font"} a property reported changed.
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

namespace quellan::button {

// clang-format off
enum Op { Draw, NoTheme, Timer, Capture, Release, Focus, Enable, Text, Changed, Click, DblClick, KeyDown, KeyPress,
          KeyUp, MouseDown, MouseMove, MouseUp };
inline const char* const kOpNames[] = {"Draw", "NoTheme", "Timer", "Capture", "Release", "Focus", "Enable", "Text",
    "Changed", "Click", "DblClick", "KeyDown", "KeyPress", "KeyUp", "MouseDown", "MouseMove", "MouseUp"};
// clang-format on

struct Call {
  template <class... Number, class = std::enable_if_t<(std::is_arithmetic_v<Number> && ...)>>
  Call(Op op, Number... args) : op(op), args{static_cast<int>(args)...} {}
  Call(Op op, std::string name) : op(op), name(std::move(name)) {}
  bool operator==(const Call& o) const { return op == o.op && args == o.args && name == o.name; }
  Op op;
  std::vector<int> args;
  std::string name;
};
using Sequence = std::vector<Call>;

inline std::ostream& operator<<(std::ostream& out, const Call& call) {
  out << kOpNames[call.op];
  for (const int arg : call.args) out << ' ' << arg;
  return out << (call.name.empty() ? "" : " ") << call.name;
}

}  // namespace quellan::button

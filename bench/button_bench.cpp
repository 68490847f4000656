// OrvaneButton's costs: how fast it redraws a 130 x 37 pixel face (themed and classic) compared
// with the bare DrawFrameControl + DrawTextW calls on the same surface, and how many hover-timer
// ticks it takes once the pointer has left it and while the pointer rests on it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "ui/button/orvane_button.h"

namespace quellan::button {

struct OrvaneButtonAccess {
  static void DrawButton(OrvaneButton& b, int state) { b.m_logic.DrawButton(state); }
  static ButtonLook LastLook(const OrvaneButton& b) { return b.m_lastLook; }
};

namespace {

constexpr RECT kButtonRect{20, 20, 150, 57};  // 130 x 37 pixels
constexpr POINT kFarAway{700, 600};

class Host : public forms::Window {
 public:
  Host() {
    RegisterClassOnce(L"QuellanBenchHost", 0, nullptr, GetSysColorBrush(COLOR_WINDOW));
    Create(L"QuellanBenchHost", L"bench", WS_POPUP | WS_VISIBLE, 0, 100, 100, 300, 100, nullptr);
  }
};

double Seconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Runs per second of each of `runs`, measured in interleaved rounds of `count` runs each so that
// a disturbance of the shared machine hits all alike; the best round of each counts.
std::vector<double> RunsPerSecond(const std::vector<std::function<void()>>& runs, int count, int rounds) {
  std::vector<double> best(runs.size(), 1e300);
  for (int r = 0; r < rounds; ++r) {
    for (size_t k = 0; k < runs.size(); ++k) {
      const double start = Seconds();
      for (int i = 0; i < count; ++i) runs[k]();
      best[k] = std::min(best[k], Seconds() - start);
    }
  }
  for (double& seconds : best) seconds = count / seconds;
  return best;
}

// Timer ticks that reach the control's window while the message loop runs for `seconds`.
int TicksDuring(HWND hwnd, double seconds) {
  int ticks = 0;
  const double end = Seconds() + seconds;
  while (Seconds() < end) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_TIMER && msg.hwnd == hwnd) ++ticks;
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return ticks;
}

void PointerTo(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT input{};
  input.type = INPUT_MOUSE;
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  input.mi.dx = static_cast<LONG>((screen.x * 65536LL + width - 1) / width);
  input.mi.dy = static_cast<LONG>((screen.y * 65536LL + height - 1) / height);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

void Row(const char* name, double value, const char* goal) { std::printf("%s\t%.3f\t%s\n", name, value, goal); }

}  // namespace
}  // namespace quellan::button

int main() {
  using namespace quellan;
  using namespace quellan::button;
  PointerTo(kFarAway);
  Host host;
  forms::PropertySet stored;
  stored.Set("Caption", std::u16string(u"Save Setting"));
  auto button = OrvaneButton::Create(host.hwnd(), 1, kButtonRect, stored, forms::MakeFont(u"Tahoma", 8.25f), 96);
  if (!button) return 1;

  // The bare calls: the classic face and the caption on the control's own surface, which a redraw
  // has left with the caption font selected.
  OrvaneButtonAccess::DrawButton(*button, kStateNormal);
  HDC dc = button->Surface().Dc();
  RECT r{0, 0, button->Surface().Width(), button->Surface().Height()};
  auto bare = [&] {
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH);
    DrawTextW(dc, L"Save Setting", -1, &r, kCaptionFormat);
  };
  int state = 0;
  const auto noThemes = std::make_shared<const ThemeLibrary>(L"quellan-no-theme-library.dll");
  auto themed = [&] {
    button->UseThemeLibrary(ThemeLibrary::System());
    OrvaneButtonAccess::DrawButton(*button, 1 + (state++ % 5));
  };
  auto classic = [&] {
    button->UseThemeLibrary(noThemes);
    OrvaneButtonAccess::DrawButton(*button, 1 + (state++ % 5));
  };
  const std::vector<double> rates = RunsPerSecond({bare, themed, classic}, 1000, 9);
  std::fprintf(stderr, "bare calls %.0f/s, themed%s %.0f/s, classic %.0f/s\n", rates[0],
               ThemeLibrary::System()->Usable() ? "" : " (no visual styles)", rates[1], rates[2]);
  Row("button redraw themed / bare calls", rates[1] / rates[0], ">=0.8");
  Row("button redraw classic / bare calls", rates[2] / rates[0], ">=0.8");

  // Idle cost: hover, leave, and count the ticks once the control has gone back to idle.
  RECT window;
  GetWindowRect(button->hwnd(), &window);
  PointerTo({(window.left + window.right) / 2, (window.top + window.bottom) / 2});
  const double hoverTicks = TicksDuring(button->hwnd(), 1.0);
  PointerTo(kFarAway);
  TicksDuring(button->hwnd(), 0.3);  // the first tick after leaving stops the timer
  const double idleTicks = TicksDuring(button->hwnd(), 1.0);
  Row("button timer ticks/s after the pointer left", idleTicks, "<=0");
  Row("button timer ticks/s while hovering", hoverTicks, "<=11");
  return 0;
}

// OrvaneButton's costs: how fast it redraws a 130 x 37 pixel face compared with the same drawing
// calls made bare on a surface of that size (classic: DrawFrameControl + DrawTextW; themed:
// OpenThemeData + DrawThemeBackground + CloseThemeData + DrawTextW), all measured side by side in
// one run, and how many hover-timer ticks it takes once the pointer has left it and while the
// pointer rests on it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "ui/button/orvane_button.h"
#include "ui/forms/font_handle.h"

namespace {

constexpr RECT kButtonRect{20, 20, 150, 57};  // 130 x 37 pixels
constexpr POINT kFarAway{700, 600};

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

int main() {
  using namespace quellan;
  using namespace quellan::button;
  PointerTo(kFarAway);
  win32::UniqueWindow host(CreateWindowExW(0, L"Static", L"bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100,
                                           300, 100, nullptr, nullptr, nullptr, nullptr));
  const ThemeLibrary noThemes(L"quellan-no-theme-library.dll");
  const auto font = forms::MakeFont(u"Tahoma", 8.25f);
  OrvaneButton button;
  if (!button.Create(host.get(), 1, kButtonRect, {{}, {}, *font, u"Save Setting"}, font, 96)) return 1;
  // A property write redraws the idle look.
  auto redraw = [&](const ThemeLibrary& library) {
    button.UseThemeLibrary(library);
    button.ForeColor(button.ForeColor());
  };

  // The bare calls on a surface like the control's: a screen-compatible bitmap with the caption
  // font selected.
  RECT r{0, 0, kButtonRect.right - kButtonRect.left, kButtonRect.bottom - kButtonRect.top};
  win32::WindowDc screen(nullptr);
  win32::MemoryDc surface(screen.get());
  win32::Bitmap bitmap(CreateCompatibleBitmap(screen.get(), r.right, r.bottom));
  win32::SelectedObject selectBitmap(surface.get(), bitmap.get());
  win32::Font captionFont = forms::CreateFontHandle(*font, 96);
  win32::SelectedObject selectFont(surface.get(), captionFont.get());
  const HDC dc = surface.get();
  SetBkMode(dc, TRANSPARENT);
  auto bareClassic = [&] {
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH);
    DrawTextW(dc, L"Save Setting", -1, &r, kCaptionFormat);
  };
  using OpenThemeDataFn = HANDLE(WINAPI*)(HWND, LPCWSTR);
  using DrawThemeBackgroundFn = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
  using CloseThemeDataFn = HRESULT(WINAPI*)(HANDLE);
  const win32::UniqueModule uxtheme(LoadLibraryW(L"uxtheme.dll"));
  const auto open = win32::EntryPoint<OpenThemeDataFn>(uxtheme.get(), "OpenThemeData");
  const auto draw = win32::EntryPoint<DrawThemeBackgroundFn>(uxtheme.get(), "DrawThemeBackground");
  const auto close = win32::EntryPoint<CloseThemeDataFn>(uxtheme.get(), "CloseThemeData");
  if (!open || !draw || !close) return 1;
  bool themed = false;
  auto bareThemed = [&] {
    if (HANDLE theme = open(button.hwnd(), L"Button")) {
      themed = draw(theme, dc, kPartPushButton, kStateNormal, &r, &r) == S_OK;
      close(theme);
    }
    DrawTextW(dc, L"Save Setting", -1, &r, kCaptionFormat);
  };
  const std::vector<double> rates = RunsPerSecond(
      {bareClassic, [&] { redraw(noThemes); }, bareThemed, [&] { redraw(ThemeLibrary::System()); }}, 1000, 9);
  std::fprintf(stderr, "classic: bare %.0f/s, button %.0f/s; themed%s: bare %.0f/s, button %.0f/s\n", rates[0],
               rates[1], themed ? "" : " (no visual styles: the open fails)", rates[2], rates[3]);
  Row("button redraw classic / bare classic calls", rates[1] / rates[0], ">=0.8");
  Row("button redraw themed / bare themed calls", rates[3] / rates[2], ">=0.8");

  // Idle cost: hover, leave, and count the ticks once the control has gone back to idle.
  RECT window;
  GetWindowRect(button.hwnd(), &window);
  PointerTo({(window.left + window.right) / 2, (window.top + window.bottom) / 2});
  const double hoverTicks = TicksDuring(button.hwnd(), 1.0);
  PointerTo(kFarAway);
  TicksDuring(button.hwnd(), 0.3);  // the first tick after leaving stops the timer
  const double idleTicks = TicksDuring(button.hwnd(), 1.0);
  Row("button timer ticks/s after the pointer left", idleTicks, "<=0");
  Row("button timer ticks/s while hovering", hoverTicks, "<=11");
  return 0;
}

#pragma once
// The one driver of real windows in the Win32 tests: message pumping, real pointer and keyboard input, a driver for
// the modal loops a handler starts (pop-up menus, message boxes, full-screen windows) acting from a thread timer,
// reading a window's children and their fonts, screen capture.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "win32/handles.h"

namespace quellan::harness {

// Dispatches messages for about `milliseconds`; keyboard messages for `dialog` (if given) go through its dialog
// manager, as in the program's message loop. PumpUntil stops early once `done` is true, and returns done().
void Pump(int milliseconds = 30, HWND dialog = nullptr);
bool PumpUntil(const std::function<bool()>& done, int milliseconds = 3000, HWND dialog = nullptr);

// A point in a window's client coordinates (by default the centre of its client area) on screen.
POINT ScreenPoint(HWND hwnd, POINT client = {-1, -1});

enum class Mouse { Left, Right, Middle };
void MoveTo(POINT screen);
void Press(Mouse button);
void Release(Mouse button);
void Click(POINT screen, Mouse button = Mouse::Left);
void Key(WORD virtualKey, bool shift = false);  // pressed and released, with Shift held around it

// A visible top-level window of the given class of this thread (or of another process), or null.
HWND FindThreadWindow(const wchar_t* className, DWORD process = 0);
std::u16string WindowText(HWND hwnd);
std::u16string ClassName(HWND hwnd);

// A direct child of a window, with its font as it was when read (all zero without one).
struct Child {
  int id;
  std::u16string className, text;
  LOGFONTW font;
  HFONT hfont;
  HWND hwnd;
};
std::vector<Child> Children(HWND parent);

// Pixels as 0x00RRGGBB, row by row from the top.
struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  bool operator==(const Picture& o) const { return width == o.width && height == o.height && pixels == o.pixels; }
};
// A rectangle of a DC (of the whole screen with a null DC), in that DC's coordinates; what the screen shows of a
// window's client area.
Picture Capture(HDC dc, const RECT& area);
Picture CaptureClient(HWND hwnd);
// Whether a picture equals the PPM file `reference`; when not, writes the picture and its differing pixels (red) as
// PPM files in the working directory, named in the failure message.
::testing::AssertionResult MatchesReference(const Picture& shown, const std::string& reference);

// What the driver saw: pop-up menus, message boxes and other windows handled; the last menu's item captions; the
// last box's title, message, icon, visible buttons' captions, its children as shown and its owner.
struct ModalSeen {
  int menus = 0, boxes = 0, others = 0;
  std::vector<std::u16string> items, buttons;
  std::u16string title, text;
  HICON icon = nullptr;
  std::vector<Child> children;
  HWND owner = nullptr;
};

// While alive, handles what opens on this thread: each pop-up menu is recorded and its item `chooseMenuItem` clicked
// (below zero: dismissed); each message box recorded and closed with its first button; each visible window of class
// `clickClass` clicked once. `inspect` is called with each box before it is closed.
class ModalDriver {
 public:
  explicit ModalDriver(int chooseMenuItem = -1, const wchar_t* clickClass = nullptr,
                       std::function<void(HWND box)> inspect = nullptr);
  ~ModalDriver();
  const ModalSeen& Seen() const { return m_seen; }
  bool WaitBoxes(int boxes, HWND dialog);  // pumps until `boxes` message boxes have been seen and closed

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void OnMenu(HWND menuWindow);
  void OnBox(HWND box);
  int m_choose;
  const wchar_t* m_clickClass;
  std::function<void(HWND)> m_inspect;
  ModalSeen m_seen;
  UINT_PTR m_timer = 0;
  HWND m_menu = nullptr, m_box = nullptr, m_other = nullptr;
};

}  // namespace quellan::harness

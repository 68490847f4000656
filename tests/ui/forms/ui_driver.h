#pragma once
// Drives real windows in the tests: real pointer and keyboard input (SetCursorPos, SendInput),
// message pumping, and drivers for the modal loops that a handler starts (pop-up menus, message
// boxes), which act from a thread timer while the modal loop runs.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace quellan::testing {

// Dispatches messages for about `milliseconds` (at least one pass). Keyboard messages for
// `dialog` (if given) go through its dialog manager, as in the program's message loop.
void Pump(int milliseconds = 30, HWND dialog = nullptr);
// Pumps until `done` returns true or `milliseconds` pass; returns done().
bool PumpUntil(const std::function<bool()>& done, int milliseconds = 3000, HWND dialog = nullptr);

// The centre of a window's client area, or a point given in its client coordinates, on screen.
POINT ScreenPoint(HWND hwnd);
POINT ScreenPoint(HWND hwnd, POINT client);

enum class Mouse { Left, Right, Middle };
void MoveTo(POINT screen);
void Press(Mouse button);
void Release(Mouse button);
// Moves there, presses and releases.
void Click(POINT screen, Mouse button = Mouse::Left);
// A key pressed and released; with shift, Shift is held around it.
void Key(WORD virtualKey, bool shift = false);

// A top-level window of this thread of the given class that is visible now, or null.
HWND FindThreadWindow(const wchar_t* className);

// What a modal loop showed while a driver ran.
struct ModalSeen {
  int opened = 0;                        // menus or boxes found
  std::vector<std::u16string> items;     // the last menu's item captions
  std::vector<std::u16string> allItems;  // the item captions of every menu seen
  std::u16string title;                  // the last box's title
  std::u16string text;                   // the last box's message text
  int buttons = 0;                       // the last box's buttons
  bool icon = false;                     // the last box shows an icon
};

// While alive, watches for the pop-up menus this thread opens. Each menu is recorded and then
// either an item is chosen by clicking it (chooseIndex >= 0) or the menu is dismissed.
class MenuDriver {
 public:
  explicit MenuDriver(int chooseIndex);
  ~MenuDriver();
  const ModalSeen& Seen() const { return m_seen; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  int m_choose;
  ModalSeen m_seen;
  UINT_PTR m_timer = 0;
  HWND m_handled = nullptr;
};

// While alive, watches for message boxes of this thread; each is recorded and closed by clicking
// its first button, and then a harmless message is posted so that the box's loop ends.
class MessageBoxDriver {
 public:
  MessageBoxDriver();
  ~MessageBoxDriver();
  const ModalSeen& Seen() const { return m_seen; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  ModalSeen m_seen;
  UINT_PTR m_timer = 0;
  HWND m_closing = nullptr;  // the box clicked, until it has gone
  HWND m_owner = nullptr;
};

// While alive, clicks the first visible window of this thread of the given class each time one
// appears (for windows that run their own loop until a mouse press).
class WindowClicker {
 public:
  explicit WindowClicker(const wchar_t* className);
  ~WindowClicker();
  int Clicks() const { return m_clicks; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  const wchar_t* m_className;
  HWND m_clicked = nullptr;
  int m_clicks = 0;
  UINT_PTR m_timer = 0;
};

std::u16string WindowText(HWND hwnd);

}  // namespace quellan::testing

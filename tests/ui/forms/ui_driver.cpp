#include "ui_driver.h"

#include <memory>

namespace quellan::testing {

namespace {
MenuDriver* g_menuDriver = nullptr;
MessageBoxDriver* g_boxDriver = nullptr;
WindowClicker* g_clicker = nullptr;
constexpr UINT kDriverInterval = 25;

void Dispatch(HWND dialog, MSG& msg) {
  if (dialog && IsWindow(dialog) && IsDialogMessageW(dialog, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

void SendMouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof(input));
}

struct FindData {
  const wchar_t* className;
  HWND found;
};
}  // namespace

std::u16string WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return std::u16string(text.begin(), text.end());
}

void Pump(int milliseconds, HWND dialog) {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) Dispatch(dialog, msg);
    if (static_cast<int>(GetTickCount() - start) >= milliseconds) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (true);
}

bool PumpUntil(const std::function<bool()>& done, int milliseconds, HWND dialog) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (static_cast<int>(GetTickCount() - start) >= milliseconds) return done();
    Pump(5, dialog);
  }
  return true;
}

POINT ScreenPoint(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  return ScreenPoint(hwnd, POINT{client.right / 2, client.bottom / 2});
}

POINT ScreenPoint(HWND hwnd, POINT client) {
  ClientToScreen(hwnd, &client);
  return client;
}

void MoveTo(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  SendMouse(MOUSEEVENTF_MOVE);  // a zero move makes the window under the pointer see it
}

void Press(Mouse button) {
  SendMouse(button == Mouse::Left    ? MOUSEEVENTF_LEFTDOWN
            : button == Mouse::Right ? MOUSEEVENTF_RIGHTDOWN
                                     : MOUSEEVENTF_MIDDLEDOWN);
}

void Release(Mouse button) {
  SendMouse(button == Mouse::Left    ? MOUSEEVENTF_LEFTUP
            : button == Mouse::Right ? MOUSEEVENTF_RIGHTUP
                                     : MOUSEEVENTF_MIDDLEUP);
}

void Click(POINT screen, Mouse button) {
  MoveTo(screen);
  Press(button);
  Release(button);
}

void Key(WORD virtualKey, bool shift) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  if (shift) add(VK_SHIFT, false);
  add(virtualKey, false);
  add(virtualKey, true);
  if (shift) add(VK_SHIFT, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

HWND FindThreadWindow(const wchar_t* className) {
  FindData data{className, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* d = reinterpret_cast<FindData*>(lp);
        wchar_t name[64] = {};
        GetClassNameW(hwnd, name, 64);
        if (lstrcmpiW(name, d->className) == 0 && IsWindowVisible(hwnd)) {
          d->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&data));
  return data.found;
}

MenuDriver::MenuDriver(int chooseIndex) : m_choose(chooseIndex) {
  g_menuDriver = this;
  m_timer = SetTimer(nullptr, 0, kDriverInterval, &MenuDriver::Tick);
}

MenuDriver::~MenuDriver() {
  KillTimer(nullptr, m_timer);
  g_menuDriver = nullptr;
}

void CALLBACK MenuDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
  MenuDriver* self = g_menuDriver;
  if (!self) return;
  HWND menuWindow = FindThreadWindow(L"#32768");
  if (!menuWindow && self->m_choose < 0) {
    // A menu mode without a pop-up window (the keyboard's menu-bar mode) is left at once.
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (GetGUIThreadInfo(GetCurrentThreadId(), &info) && (info.flags & GUI_INMENUMODE)) EndMenu();
  }
  // The menu acted on is closing: its loop handles the input sent once this tick returns.
  if (!menuWindow || menuWindow == self->m_handled) return;
  HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
  if (!menu) return;
  self->m_handled = menuWindow;
  ++self->m_seen.opened;
  self->m_seen.items.clear();
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
    self->m_seen.items.emplace_back(reinterpret_cast<const char16_t*>(text));
    self->m_seen.allItems.push_back(self->m_seen.items.back());
  }
  RECT item{};
  if (self->m_choose >= 0 && GetMenuItemRect(nullptr, menu, static_cast<UINT>(self->m_choose), &item)) {
    Click(POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2}, Mouse::Left);
  } else {
    EndMenu();
  }
}

MessageBoxDriver::MessageBoxDriver() {
  g_boxDriver = this;
  m_timer = SetTimer(nullptr, 0, kDriverInterval, &MessageBoxDriver::Tick);
}

MessageBoxDriver::~MessageBoxDriver() {
  KillTimer(nullptr, m_timer);
  g_boxDriver = nullptr;
}

void CALLBACK MessageBoxDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
  MessageBoxDriver* self = g_boxDriver;
  if (!self) return;
  if (self->m_closing && (!IsWindow(self->m_closing) || !IsWindowVisible(self->m_closing))) {
    // The box's loop looks at its end condition only when a message arrives.
    PostMessageW(self->m_owner ? self->m_owner : self->m_closing, WM_NULL, 0, 0);
    self->m_closing = nullptr;
  }
  HWND box = FindThreadWindow(L"#32770");
  if (!box || box == self->m_closing) return;
  ModalSeen& seen = self->m_seen;
  ++seen.opened;
  seen.title = WindowText(box);
  seen.text.clear();
  seen.buttons = 0;
  seen.icon = false;
  HWND firstButton = nullptr;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (lstrcmpiW(name, L"Static") == 0) {
      if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        seen.icon = true;
      else if (!WindowText(child).empty())
        seen.text = WindowText(child);
    } else if (lstrcmpiW(name, L"Button") == 0 && IsWindowVisible(child)) {
      ++seen.buttons;
      if (!firstButton) firstButton = child;
    }
  }
  self->m_closing = box;
  self->m_owner = GetWindow(box, GW_OWNER);
  if (firstButton) Click(ScreenPoint(firstButton), Mouse::Left);
}

WindowClicker::WindowClicker(const wchar_t* className) : m_className(className) {
  g_clicker = this;
  m_timer = SetTimer(nullptr, 0, kDriverInterval, &WindowClicker::Tick);
}

WindowClicker::~WindowClicker() {
  KillTimer(nullptr, m_timer);
  g_clicker = nullptr;
}

void CALLBACK WindowClicker::Tick(HWND, UINT, UINT_PTR, DWORD) {
  WindowClicker* self = g_clicker;
  if (!self) return;
  HWND target = FindThreadWindow(self->m_className);
  if (!target || target == self->m_clicked) return;
  self->m_clicked = target;
  ++self->m_clicks;
  Click(ScreenPoint(target, POINT{20, 20}), Mouse::Left);
}

}  // namespace quellan::testing

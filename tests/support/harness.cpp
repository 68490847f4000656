#include "harness.h"

namespace quellan::harness {

namespace {
ModalDriver* g_driver = nullptr;

// Each button's "up" flag follows its "down" flag.
const DWORD kButtonDown[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_MIDDLEDOWN};
}  // namespace

std::u16string WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return std::u16string(text.begin(), text.end());
}

bool PumpUntil(const std::function<bool()>& done, int milliseconds, HWND dialog) {
  for (const DWORD start = GetTickCount(); !done(); MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT)) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (dialog && IsWindow(dialog) && IsDialogMessageW(dialog, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (static_cast<int>(GetTickCount() - start) >= milliseconds) return done();
  }
  return true;
}

void Pump(int milliseconds, HWND dialog) {
  PumpUntil([] { return false; }, milliseconds, dialog);
}

POINT ScreenPoint(HWND hwnd, POINT client) {
  RECT r;
  if (client.x < 0 && GetClientRect(hwnd, &r)) client = POINT{r.right / 2, r.bottom / 2};
  ClientToScreen(hwnd, &client);
  return client;
}

void MoveTo(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);  // a zero move makes the window under the pointer see it
}

void Press(Mouse button) { mouse_event(kButtonDown[int(button)], 0, 0, 0, 0); }
void Release(Mouse button) { mouse_event(kButtonDown[int(button)] << 1, 0, 0, 0, 0); }

void Click(POINT screen, Mouse button) {
  MoveTo(screen);
  Press(button);
  Release(button);
}

void Key(WORD virtualKey, bool shift) {
  if (shift) keybd_event(VK_SHIFT, 0, 0, 0);
  keybd_event(static_cast<BYTE>(virtualKey), 0, 0, 0);
  keybd_event(static_cast<BYTE>(virtualKey), 0, KEYEVENTF_KEYUP, 0);
  if (shift) keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
}

HWND FindThreadWindow(const wchar_t* className, DWORD process) {
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, className, nullptr));) {
    DWORD owner = 0;
    const DWORD thread = GetWindowThreadProcessId(w, &owner);
    if ((process ? owner == process : thread == GetCurrentThreadId()) && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

ModalDriver::ModalDriver(int chooseMenuItem, const wchar_t* clickClass, std::function<void(HWND box)> inspect)
    : m_choose(chooseMenuItem),
      m_clickClass(clickClass),
      m_inspect(std::move(inspect)),
      m_timer(SetTimer(nullptr, 0, 25, &ModalDriver::Tick)) {
  g_driver = this;
}

ModalDriver::~ModalDriver() {
  KillTimer(nullptr, m_timer);
  g_driver = nullptr;
}

bool ModalDriver::WaitBoxes(int boxes, HWND dialog) {
  return PumpUntil([&] { return m_seen.boxes >= boxes && !FindThreadWindow(L"#32770"); }, 3000, dialog);
}

void CALLBACK ModalDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
  ModalDriver* self = g_driver;
  if (!self) return;
  if (self->m_box && !IsWindowVisible(self->m_box)) {
    // The box's loop looks at its end condition only when a message arrives.
    PostMessageW(self->m_seen.owner ? self->m_seen.owner : self->m_box, WM_NULL, 0, 0);
    self->m_box = nullptr;
  }
  if (HWND menu = FindThreadWindow(L"#32768"); menu && menu != self->m_menu) self->OnMenu(menu);
  if (HWND box = FindThreadWindow(L"#32770"); box && box != self->m_box) self->OnBox(box);
  if (HWND other = self->m_clickClass ? FindThreadWindow(self->m_clickClass) : nullptr;
      other && other != self->m_other) {
    self->m_other = other;
    ++self->m_seen.others;
    Click(ScreenPoint(other, POINT{20, 20}));
  }
}

void ModalDriver::OnMenu(HWND menuWindow) {
  HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
  if (!menu) return;
  m_menu = menuWindow;  // it closes once the input sent below is handled
  ++m_seen.menus;
  m_seen.items.clear();
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
    m_seen.items.emplace_back(reinterpret_cast<const char16_t*>(text));
  }
  RECT item{};
  if (m_choose >= 0 && GetMenuItemRect(nullptr, menu, static_cast<UINT>(m_choose), &item))
    Click(POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
  else
    EndMenu();
}

void ModalDriver::OnBox(HWND box) {
  ++m_seen.boxes;
  m_seen.title = WindowText(box), m_seen.text.clear(), m_seen.icon = nullptr, m_seen.buttons.clear();
  m_seen.children = Children(box);
  m_seen.owner = GetWindow(box, GW_OWNER);
  HWND firstButton = nullptr;
  for (const Child& child : m_seen.children) {
    const bool isStatic = lstrcmpiW(win32::Wide(child.className), L"Static") == 0;
    if (isStatic && (GetWindowLongW(child.hwnd, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
      m_seen.icon = reinterpret_cast<HICON>(SendMessageW(child.hwnd, STM_GETICON, 0, 0));
    else if (isStatic && !child.text.empty())
      m_seen.text = child.text;
    else if (lstrcmpiW(win32::Wide(child.className), L"Button") == 0 && IsWindowVisible(child.hwnd))
      m_seen.buttons.push_back(child.text), firstButton = firstButton ? firstButton : child.hwnd;
  }
  if (m_inspect) m_inspect(box);
  m_box = box;
  if (firstButton) Click(ScreenPoint(firstButton));
}

std::u16string ClassName(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return reinterpret_cast<const char16_t*>(name);
}

std::vector<Child> Children(HWND parent) {
  std::vector<Child> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const HFONT hfont = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
    LOGFONTW font{};
    GetObjectW(hfont, sizeof font, &font);
    children.push_back({GetDlgCtrlID(child), ClassName(child), WindowText(child), font, hfont, child});
  }
  return children;
}

Picture Capture(HDC dc, const RECT& area) {
  Picture picture{area.right - area.left, area.bottom - area.top, {}};
  win32::WindowDc screen(nullptr);
  const HDC source = dc ? dc : screen.get();
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), picture.width, -picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  win32::MemoryDc memory(source);
  win32::Bitmap dib(CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  {
    win32::SelectedObject selected(memory.get(), dib.get());
    BitBlt(memory.get(), 0, 0, picture.width, picture.height, source, area.left, area.top, SRCCOPY);
  }
  GdiFlush();
  picture.pixels.assign(static_cast<const std::uint32_t*>(bits),
                        static_cast<const std::uint32_t*>(bits) + std::size_t(picture.width) * picture.height);
  for (std::uint32_t& p : picture.pixels) p &= 0x00FFFFFFu;
  return picture;
}

Picture CaptureClient(HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return Capture(nullptr, client);
}

}  // namespace quellan::harness

#include "text/vie_msgbox.h"

#include <algorithm>
#include <string>
#include <utility>

#include "text/vni.h"
#include "win32/handles.h"

namespace quellan::modVie {

namespace {

// What a VieMsgBox call holds while its box is shown: the hook, which removes itself when the box
// is activated, the font the hook makes, which the box's controls use until MessageBoxW has
// destroyed them, and what the box needs until it has grown to its text.
struct PendingBox {
  win32::UniqueHook hook;
  win32::Font font;
  HWND text = nullptr;             // the message text control
  WNDPROC boxProcedure = nullptr;  // the box's own procedure while the box waits to be shown
};

// The box this thread is showing. The hook sees only this thread's windows, so each thread has
// its own slot.
thread_local PendingBox* MsgBox = nullptr;

// The box's own English button captions, searched in this order, and the Vietnamese ones put in
// their place. Other buttons (Abort, Ignore, Try Again, Continue, Help) keep their captions.
struct CaptionChange {
  const char* systemCaption;
  const char16_t* newCaption;
};

constexpr CaptionChange kCaptionTable[] = {
    {"OK", u"\u0110\u00F3ng"},         // Dong
    {"&Yes", u"C\u00F3"},              // Co
    {"&No", u"Kh\u00F4ng"},            // Khong
    {"&Retry", u"Th\u1EED l\u1EA1i"},  // Thu lai
    {"Cancel", u"Tho\u00E1t"},         // Thoat
};

void SetFont(HWND control, HFONT font) { SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), 1); }

// The box was laid out for its text in the system's message font. Where the text needs more room in
// the box's own font (a system whose message font is smaller would cut the last lines), the text
// control grows to it, the buttons move down by as much (and along by half a widening, so they stay
// centred) and the box grows with them.
void GrowToText(HWND box, HWND text, HFONT font) {
  RECT given{};
  GetWindowRect(text, &given);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&given), 2);
  std::wstring shown(static_cast<std::size_t>(GetWindowTextLengthW(text)) + 1, L'\0');
  shown.resize(static_cast<std::size_t>(GetWindowTextW(text, &shown[0], static_cast<int>(shown.size()))));
  RECT needed{0, 0, given.right - given.left, 0};
  {
    win32::WindowDc dc(text);
    win32::SelectedObject selected(dc.get(), font);
    const UINT prefix = (GetWindowLongW(text, GWL_STYLE) & SS_NOPREFIX) ? DT_NOPREFIX : 0;
    DrawTextW(dc.get(), shown.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | prefix);
  }
  const int dx = std::max(0, static_cast<int>(needed.right - (given.right - given.left)));
  const int dy = std::max(0, static_cast<int>(needed.bottom - (given.bottom - given.top)));
  if (dx == 0 && dy == 0) return;
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(text, nullptr, 0, 0, given.right - given.left + dx, given.bottom - given.top + dy, flags | SWP_NOMOVE);
  for (HWND button = nullptr; (button = FindWindowExA(box, button, "Button", nullptr));) {
    RECT r{};
    GetWindowRect(button, &r);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(button, nullptr, r.left + dx / 2, r.top + dy, 0, 0, flags | SWP_NOSIZE);
  }
  RECT frame{};
  GetWindowRect(box, &frame);
  SetWindowPos(box, nullptr, frame.left - dx / 2, frame.top - dy / 2, frame.right - frame.left + dx,
               frame.bottom - frame.top + dy, flags);
}

// The box's procedure from its activation until it is shown.
LRESULT CALLBACK GrowWhenShown(HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
  const WNDPROC procedure = MsgBox->boxProcedure;
  if (msg == WM_SHOWWINDOW && wParam) {
    SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    GrowToText(box, MsgBox->text, MsgBox->font.get());
  }
  return CallWindowProcW(procedure, box, msg, wParam, lParam);
}

// A dialog-class window of this thread: the box MessageBoxW made, not another window activated first.
bool IsMessageBox(HWND hwnd) {
  wchar_t className[8] = {};
  return GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId() && GetClassNameW(hwnd, className, 8) &&
         lstrcmpW(className, L"#32770") == 0;
}

// Dresses the box once, at its activation: the first message box activated in this thread since the
// hook went in is the one MessageBoxW has just made.
LRESULT CALLBACK MsgBoxHookProc(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallNextHookEx(MsgBox->hook.get(), code, wParam, lParam);
  const HWND box = reinterpret_cast<HWND>(wParam);
  if (code != HCBT_ACTIVATE || !IsMessageBox(box)) return result;

  // Height 13 is a cell height in logical units; weight 500 is between regular and bold.
  MsgBox->font.reset(CreateFontA(13, 0, 0, 0, 500, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma"));
  const HFONT font = MsgBox->font.get();

  // With an icon the box has two Static children, the icon first; the message text is the last.
  const HWND firstStatic = FindWindowExA(box, nullptr, "Static", nullptr);
  const HWND secondStatic = firstStatic ? FindWindowExA(box, firstStatic, "Static", nullptr) : nullptr;
  if ((MsgBox->text = secondStatic ? secondStatic : firstStatic)) {
    SetFont(MsgBox->text, font);
    // Some systems (Wine) activate the box while they are still placing its buttons: then it grows
    // once it is shown, laid out.
    if (IsWindowVisible(box)) {
      GrowToText(box, MsgBox->text, font);
    } else {
      MsgBox->boxProcedure =
          reinterpret_cast<WNDPROC>(SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GrowWhenShown)));
    }
  }

  for (const CaptionChange& change : kCaptionTable) {
    const HWND button = FindWindowExA(box, nullptr, "Button", change.systemCaption);
    if (button == nullptr) continue;
    SetFont(button, font);
    SetWindowTextW(button, win32::Wide(change.newCaption));
  }

  MsgBox->hook.reset();
  return result;
}

}  // namespace

int VieMsgBox(const std::u16string& prompt, std::uint32_t flags, const std::u16string& title, HWND owner) {
  // A box that never got activated (MessageBoxW failed) leaves its hook in place; the owner removes
  // it on return, so it cannot dress whatever window this thread activates next.
  PendingBox pending;
  PendingBox* const outer = std::exchange(MsgBox, &pending);
  pending.hook.reset(SetWindowsHookExA(WH_CBT, &MsgBoxHookProc, GetModuleHandleA(nullptr), GetCurrentThreadId()));
  const std::u16string text = VniToUnicode(prompt);
  const std::u16string caption = VniToUnicode(title);
  const int result = MessageBoxW(owner, win32::Wide(text), win32::Wide(caption), flags);
  MsgBox = outer;
  return result;
}

}  // namespace quellan::modVie

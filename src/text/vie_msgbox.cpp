#include "text/vie_msgbox.h"

#include <utility>

#include "text/vni.h"
#include "win32/handles.h"

namespace quellan::modVie {

namespace {

// What a VieMsgBox call holds while its box is shown: the hook, which removes itself when the box
// is activated, and the font the hook makes, which the box's controls use until MessageBoxW has
// destroyed them.
struct PendingBox {
  win32::UniqueHook hook;
  win32::Font font;
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

// Dresses the box once, at its activation: the first window activated in this thread since the
// hook went in is the box that MessageBoxW has just made.
LRESULT CALLBACK MsgBoxHookProc(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallNextHookEx(MsgBox->hook.get(), code, wParam, lParam);
  if (code != HCBT_ACTIVATE) return result;

  const HWND box = reinterpret_cast<HWND>(wParam);
  // Height 13 is a cell height in logical units; weight 500 is between regular and bold.
  MsgBox->font.reset(CreateFontA(13, 0, 0, 0, 500, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma"));
  const HFONT font = MsgBox->font.get();

  // With an icon the box has two Static children, the icon first; the message text is the last.
  const HWND firstStatic = FindWindowExA(box, nullptr, "Static", nullptr);
  const HWND secondStatic = firstStatic ? FindWindowExA(box, firstStatic, "Static", nullptr) : nullptr;
  SetFont(secondStatic ? secondStatic : firstStatic, font);

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

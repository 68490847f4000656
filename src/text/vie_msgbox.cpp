#include "text/vie_msgbox.h"

#include <memory>
#include <type_traits>
#include <utility>

#include "text/vni.h"

namespace quellan::modVie {

namespace {

struct FontDeleter {
  void operator()(HFONT font) const { DeleteObject(font); }
};
using OwnedFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// The hook of the box being shown; it removes itself when the box is activated. The hook sees
// only this thread's windows, so each thread has its own slot.
thread_local HHOOK MsgBoxHook = nullptr;

// Where the hook leaves the font it makes: the owner of the VieMsgBox call whose box is pending,
// which deletes the font once the box is gone.
thread_local OwnedFont* MsgBoxFont = nullptr;

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

HFONT CreateBoxFont() {
  // Height 13 is a cell height in logical units; weight 500 is between regular and bold.
  return CreateFontA(13, 0, 0, 0, 500, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
}

void SetFont(HWND control, HFONT font) { SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), 1); }

// Dresses the box once, at its activation: the first window activated in this thread since the
// hook went in is the box that MessageBoxW has just made.
LRESULT CALLBACK MsgBoxHookProc(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallNextHookEx(MsgBoxHook, code, wParam, lParam);
  if (code != HCBT_ACTIVATE) return result;

  const HWND box = reinterpret_cast<HWND>(wParam);
  const HFONT font = CreateBoxFont();
  if (MsgBoxFont != nullptr) MsgBoxFont->reset(font);

  // With an icon the box has two Static children, the icon first; the message text is the last.
  const HWND firstStatic = FindWindowExA(box, nullptr, "Static", nullptr);
  const HWND secondStatic = firstStatic ? FindWindowExA(box, firstStatic, "Static", nullptr) : nullptr;
  SetFont(secondStatic ? secondStatic : firstStatic, font);

  for (const CaptionChange& change : kCaptionTable) {
    const HWND button = FindWindowExA(box, nullptr, "Button", change.systemCaption);
    if (button == nullptr) continue;
    SetFont(button, font);
    SetWindowTextW(button, reinterpret_cast<const wchar_t*>(change.newCaption));
  }

  UnhookWindowsHookEx(std::exchange(MsgBoxHook, nullptr));
  return result;
}

}  // namespace

int VieMsgBox(const std::u16string& prompt, std::uint32_t flags, const std::u16string& title, HWND owner) {
  // The font outlives the hook: the box's controls use it until MessageBoxW has destroyed them.
  OwnedFont font;
  OwnedFont* const outerFont = std::exchange(MsgBoxFont, &font);

  MsgBoxHook = SetWindowsHookExA(WH_CBT, &MsgBoxHookProc, GetModuleHandleA(nullptr), GetCurrentThreadId());
  const std::u16string text = VniToUnicode(prompt);
  const std::u16string caption = VniToUnicode(title);
  const int result = MessageBoxW(owner, reinterpret_cast<const wchar_t*>(text.c_str()),
                                 reinterpret_cast<const wchar_t*>(caption.c_str()), flags);

  // A box that never got activated (MessageBoxW failed) leaves the hook in place; it would dress
  // whatever window this thread activates next, so it goes now.
  if (MsgBoxHook != nullptr) UnhookWindowsHookEx(std::exchange(MsgBoxHook, nullptr));
  MsgBoxFont = outerFont;
  return result;
}

}  // namespace quellan::modVie

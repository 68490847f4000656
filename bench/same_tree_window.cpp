// The floor for the main window's start-up: the same window tree as frmMain (the same classes,
// styles, parents, z-order, rectangles, fonts, texts and list entries, from the same layout table)
// made with plain CreateWindowExW calls, shown, painted, and served by a bare message loop. Where
// the program registers a class of its own, a bare class of that name stands in: DefWindowProcW,
// or the system class's procedure for the program's superclasses of BUTTON and LISTBOX. It reads
// no registry and draws nothing of its own, so owner-drawn content stays blank.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "policy/drive_lists.h"
#include "ui/forms/font.h"
#include "ui/forms/font_handle.h"
#include "ui/forms/twips.h"
#include "ui/main/main_layout.h"

namespace {

using namespace quellan;
using namespace quellan::mainwindow;

constexpr UINT kCreateToolTips = WM_APP + 1;
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_MINIMIZEBOX;
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_CLIPSIBLINGS | LBS_NOTIFY |
                             LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS;
constexpr int kListItemHeight = 14;  // pixels at 96 DPI, as the check lists size their entries

// The window class and styles of each kind of control.
struct ControlWindow {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};
ControlWindow WindowOf(Kind kind) {
  switch (kind) {
    case Kind::Frame:
      return {L"QuellanFrame", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT};
    case Kind::Button:
      return {L"QuellanOrvaneButton", kButtonStyle, 0};
    case Kind::CheckList:
      return {L"QuellanCheckList", kListStyle, WS_EX_CLIENTEDGE};
    case Kind::CheckBox:
      return {L"QuellanCheckBox", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_3STATE, 0};
    case Kind::Label:
      break;
  }
  return {L"QuellanLabel", kLabelStyle, 0};
}

WNDPROC g_listProcedure, g_buttonProcedure;
LRESULT CALLBACK ListProcedure(HWND h, UINT m, WPARAM w, LPARAM l) {
  return CallWindowProcW(g_listProcedure, h, m, w, l);
}
LRESULT CALLBACK CheckBoxProcedure(HWND h, UINT m, WPARAM w, LPARAM l) {
  return CallWindowProcW(g_buttonProcedure, h, m, w, l);
}

HWND g_form, g_controls[16];

HWND Control(const char* name) { return g_controls[RowIndex(name)]; }

LRESULT CALLBACK FormProcedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kCreateToolTips) {
    // The tool tips come after the first paint, as in frmMain: one tip window for five tools.
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    HWND tips =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr, GetModuleHandleW(nullptr), nullptr);
    for (const char* name : {"link2", "link1", "CAP", "lstDrvs", "lstDrvTypes"}) {
      TOOLINFOW info{};
      info.cbSize = TTTOOLINFOW_V1_SIZE;
      info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      info.hwnd = GetParent(Control(name));
      info.uId = reinterpret_cast<UINT_PTR>(Control(name));
      const char16_t* tip = MainControls()[RowIndex(name)].toolTip;
      info.lpszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(tip ? tip : u""));
      SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    return 0;
  }
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void RegisterBare(const wchar_t* name, WNDPROC procedure, UINT style, HBRUSH back, HICON icon = nullptr) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = back;
  wc.hIcon = icon;
  wc.hIconSm = icon;
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

// A superclass of a system class, named as the program names its own, whose procedure only
// passes every message on.
WNDPROC RegisterSuperclass(const wchar_t* name, const wchar_t* base, WNDPROC procedure) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  GetClassInfoExW(nullptr, base, &wc);
  const WNDPROC baseProcedure = wc.lpfnWndProc;
  wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = name;
  wc.lpszMenuName = nullptr;
  RegisterClassExW(&wc);
  return baseProcedure;
}

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const auto px = [dpi](int twips) { return forms::TwipsToPixels(twips, dpi); };
  const FormAttributes& form = MainForm();

  HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  HBRUSH yellow = CreateSolidBrush(kRgbLightYellow);
  RegisterBare(L"QuellanMain", &FormProcedure, 0, yellow, icon);
  RegisterBare(L"QuellanFrame", &DefWindowProcW, 0, yellow);
  RegisterBare(L"QuellanLabel", &DefWindowProcW, 0, yellow);
  RegisterBare(L"QuellanOrvaneButton", &DefWindowProcW, CS_DBLCLKS, GetSysColorBrush(COLOR_BTNFACE));
  g_listProcedure = RegisterSuperclass(L"QuellanCheckList", L"LISTBOX", &ListProcedure);
  g_buttonProcedure = RegisterSuperclass(L"QuellanCheckBox", L"BUTTON", &CheckBoxProcedure);

  const LayoutFont fonts[] = {form.font, MainControls()[RowIndex("chkGlobal")].font,
                              MainControls()[RowIndex("CAP")].font};
  // Made as frmMain makes them, from the same descriptions.
  win32::Font handles[3];
  for (int i = 0; i < 3; ++i)
    handles[i] = forms::CreateFontHandle(*forms::MakeFont(fonts[i].face, fonts[i].points, fonts[i].weight), dpi);
  const auto fontOf = [&](const LayoutFont& font) {
    for (int i = 0; i < 3; ++i)
      if (font.points == fonts[i].points && font.weight == fonts[i].weight) return handles[i].get();
    return handles[0].get();
  };

  RECT outer{0, 0, px(form.clientWidth), px(form.clientHeight)};
  AdjustWindowRectEx(&outer, kFormStyle, FALSE, 0);
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  g_form = CreateWindowExW(WS_EX_CONTROLPARENT, L"QuellanMain", Wide(form.caption), kFormStyle,
                           (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                           width, height, nullptr, nullptr, instance, nullptr);
  SendMessageW(g_form, WM_SETFONT, reinterpret_cast<WPARAM>(handles[0].get()), FALSE);

  // Each container's children in the order of their tab indexes, which is the z-order frmMain gives
  // them, since a new child goes below its siblings.
  const auto rows = MainControls();
  for (const std::size_t i : CreationOrder()) {
    const ControlRow& c = rows[i];
    const ControlWindow w = WindowOf(c.kind);
    const PixelBox box = Pixels(c, dpi);
    HWND& hwnd = g_controls[i];
    hwnd = CreateWindowExW(w.exStyle, w.className, Wide(c.caption), w.style, box.left, box.top, box.width, box.height,
                           c.parent == Parent::Frame ? Control("fraSet") : g_form,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlIdBase + i)), instance, nullptr);
    if (c.kind == Kind::CheckBox || c.kind == Kind::CheckList)
      SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(c.font)), FALSE);
    if (c.kind == Kind::CheckList) SendMessageW(hwnd, LB_SETITEMHEIGHT, 0, MulDiv(kListItemHeight, dpi, 96));
  }
  // The notice of a machine-wide policy: hidden, empty and of no size while there is none.
  CreateWindowExW(0, L"QuellanLabel", L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, g_form,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlIdBase + rows.size())), instance, nullptr);

  for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
    const wchar_t entry[2] = {static_cast<wchar_t>(letter), L'\0'};
    SendMessageW(Control("lstDrvs"), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  }
  for (const policy::DriveTypeRow& row : policy::kDriveTypes)
    SendMessageW(Control("lstDrvTypes"), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.text));
  SendMessageW(Control("chkGlobal"), BM_SETCHECK, BST_CHECKED, 0);

  ShowWindow(g_form, showCommand);
  UpdateWindow(g_form);
  PostMessageW(g_form, kCreateToolTips, 0, 0);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(g_form, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

#include "ui/main/links.h"

#include <exdisp.h>
#include <shldisp.h>
#include <shlobj.h>

#include <string>

#include "ui/main/maker_identity.h"
#include "win32/handles.h"
#include "win32/system_library.h"

namespace quellan::mainwindow {

namespace {
// The show command handed to the shell with both links: 0 (SW_HIDE), as the program always did.
constexpr int kShowCommand = 0;
constexpr const char* kMessengerCommand = "ymsgr:sendIM?";
constexpr const char* kMessengerGreeting = "&m=Hello hello^^";
constexpr WORD kHandCursor = 32649;  // IDC_HAND
constexpr const char* kNotOpenedText =
    "Quellan runs with administrator rights, and Windows could not open this address for you without "
    "them, so it was not opened. Press Ctrl+C to copy this message, and open the address yourself:\r\n\r\n";
constexpr CLSID kShellWindows{0x9ba05972, 0xf6a8, 0x11cf, {0xa4, 0x42, 0x00, 0xa0, 0xc9, 0x0a, 0x8f, 0x39}};

// True when the process's token is elevated, so that whatever it starts would run elevated too.
bool RunsElevated() {
  win32::UniqueHandle<HANDLE, win32::CloseWith<&CloseHandle>> token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.out())) return false;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  return GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size) &&
         elevation.TokenIsElevated != 0;
}

// A COM interface pointer, released when it goes.
template <class T>
struct Com {
  T* p = nullptr;
  ~Com() {
    if (p) p->Release();
  }
  void** out() { return reinterpret_cast<void**>(&p); }
};

// An argument of IShellDispatch2::ShellExecute: a string, or missing for a null one.
struct Argument {
  VARIANT v{};
  decltype(&SysFreeString) free;
  Argument(const char* text, decltype(&SysAllocString) allocate, decltype(&SysFreeString) release) : free(release) {
    if (!text) return;
    const std::string ascii(text);
    v.vt = VT_BSTR;
    v.bstrVal = allocate(std::wstring(ascii.begin(), ascii.end()).c_str());
  }
  ~Argument() {
    if (v.vt == VT_BSTR) free(v.bstrVal);
  }
  Argument(const Argument&) = delete;
  Argument& operator=(const Argument&) = delete;
};

// Hands the address to the desktop's shell, which opens it as the signed-in user: a browser or
// messenger started by this process directly would run elevated too. False if any step fails.
bool ShellExecuteAsDesktopUser(const char* operation, const char* file, const char* parameters, const char* directory,
                               int show) {
  // ole32 and oleaut32 are loaded at the first link click that needs them, as shell32 is.
  static const HMODULE ole32 = win32::LoadSystemLibrary(L"ole32.dll");
  static const HMODULE oleaut32 = win32::LoadSystemLibrary(L"oleaut32.dll");
  const auto initialize = win32::EntryPoint<decltype(&CoInitializeEx)>(ole32, "CoInitializeEx");
  const auto uninitialize = win32::EntryPoint<decltype(&CoUninitialize)>(ole32, "CoUninitialize");
  const auto create = win32::EntryPoint<decltype(&CoCreateInstance)>(ole32, "CoCreateInstance");
  const auto allocate = win32::EntryPoint<decltype(&SysAllocString)>(oleaut32, "SysAllocString");
  const auto release = win32::EntryPoint<decltype(&SysFreeString)>(oleaut32, "SysFreeString");
  if (!initialize || !uninitialize || !create || !allocate || !release) return false;
  const HRESULT com = initialize(nullptr, COINIT_APARTMENTTHREADED);
  bool done = false;
  {
    Com<IShellWindows> windows;
    Com<IDispatch> desktop, background;
    Com<IServiceProvider> services;
    Com<IShellBrowser> browser;
    Com<IShellView> view;
    Com<IShellFolderViewDual> folderView;
    Com<IDispatch> application;
    Com<IShellDispatch2> shell;
    VARIANT location{}, root{};
    location.vt = VT_I4;
    location.lVal = CSIDL_DESKTOP;
    long hwnd = 0;
    Argument fileArgument(file, allocate, release), arguments(parameters, allocate, release),
        folder(directory, allocate, release), verb(operation, allocate, release);
    VARIANT showArgument{};
    showArgument.vt = VT_I4;
    showArgument.lVal = show;
    done = SUCCEEDED(create(kShellWindows, nullptr, CLSCTX_LOCAL_SERVER, __uuidof(IShellWindows), windows.out())) &&
           windows.p->FindWindowSW(&location, &root, SWC_DESKTOP, &hwnd, SWFO_NEEDDISPATCH, &desktop.p) == S_OK &&
           SUCCEEDED(desktop.p->QueryInterface(__uuidof(IServiceProvider), services.out())) &&
           SUCCEEDED(services.p->QueryService(__uuidof(IShellBrowser), __uuidof(IShellBrowser), browser.out())) &&
           SUCCEEDED(browser.p->QueryActiveShellView(&view.p)) &&
           SUCCEEDED(view.p->GetItemObject(SVGIO_BACKGROUND, __uuidof(IDispatch), background.out())) &&
           SUCCEEDED(background.p->QueryInterface(__uuidof(IShellFolderViewDual), folderView.out())) &&
           SUCCEEDED(folderView.p->get_Application(&application.p)) &&
           SUCCEEDED(application.p->QueryInterface(__uuidof(IShellDispatch2), shell.out())) &&
           fileArgument.v.vt == VT_BSTR &&
           SUCCEEDED(shell.p->ShellExecute(fileArgument.v.bstrVal, arguments.v, folder.v, verb.v, showArgument));
  }
  if (SUCCEEDED(com)) uninitialize();
  return done;
}

// shell32 is loaded at the first link click rather than at start-up: it is large, and most runs
// never open a link. The result is not looked at, as with a direct call. An elevated process goes
// through the desktop's shell only: started from here, the handler the user's own settings name for
// the address would run elevated. When that fails it opens nothing and shows the address instead.
void CallShellExecuteA(HWND owner, const ShellRoute& route, const char* operation, const char* file,
                       const char* parameters, const char* directory, int show) {
  if (route.runsElevated()) {
    if (route.openAsDesktopUser(operation, file, parameters, directory, show)) return;
    const std::string text = std::string(kNotOpenedText) + file;
    MessageBoxW(owner, std::wstring(text.begin(), text.end()).c_str(), L"Quellan!!!", MB_OK | MB_ICONWARNING);
    return;
  }
  using ShellExecuteAFn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  static const auto shellExecute =
      win32::EntryPoint<ShellExecuteAFn>(win32::LoadSystemLibrary(L"shell32.dll"), "ShellExecuteA");
  if (shellExecute) shellExecute(owner, operation, file, parameters, directory, show);
}
}  // namespace

const ShellRoute kSystemRoute{&RunsElevated, &ShellExecuteAsDesktopUser};

void OpenHomePage(HWND owner, const ShellRoute& route) {
  CallShellExecuteA(owner, route, "", identity::kHomePageUrl, "", "", kShowCommand);
}

void OpenMessenger(HWND owner, const ShellRoute& route) {
  const std::string address = std::string(kMessengerCommand) + identity::kMessengerId + kMessengerGreeting;
  CallShellExecuteA(owner, route, nullptr, address.c_str(), nullptr, nullptr, kShowCommand);
}

void sethand() {
  // Any handle but null is a cursor: system cursor handles may have the top bit set, so a signed
  // comparison with zero would turn some valid ones away. Without a hand cursor the pointer keeps
  // its shape.
  if (HCURSOR hand = LoadCursorA(nullptr, MAKEINTRESOURCEA(kHandCursor))) SetCursor(hand);
}

}  // namespace quellan::mainwindow

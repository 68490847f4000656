#pragma once
// Owners of the Win32 handles the windows use. GDI objects and memory DCs are counted, because
// Wine's GetGuiResources reports 0 and the tests still prove that every creation is matched by a
// deletion.
#include <windows.h>

#include <string>

#include "win32/unique_handle.h"

namespace quellan::win32 {

// Live GDI objects and DCs made through the owners below.
struct GdiCounter {
  static long Live();
  static void Created();
  static void Deleted();
};

void DeleteCountedObject(HGDIOBJ object);
void DeleteCountedDc(HDC dc);

// A created pen, brush, font or bitmap; counted, deleted with DeleteObject.
template <class T>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(T object) { reset(object); }
  T get() const { return static_cast<T>(m_object.get()); }
  explicit operator bool() const { return static_cast<bool>(m_object); }
  void reset(T object = nullptr) {
    if (object) GdiCounter::Created();
    m_object.reset(object);
  }

 private:
  UniqueHandle<HGDIOBJ, CloseWith<&DeleteCountedObject>> m_object;
};

using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Brush = GdiObject<HBRUSH>;

// A memory DC made with CreateCompatibleDC; counted, deleted with DeleteDC.
class MemoryDc {
 public:
  MemoryDc() = default;
  explicit MemoryDc(HDC compatibleWith);
  HDC get() const { return m_dc.get(); }
  explicit operator bool() const { return static_cast<bool>(m_dc); }

 private:
  UniqueHandle<HDC, CloseWith<&DeleteCountedDc>> m_dc;
};

// A window's DC (with a null window, the whole screen's) from GetDC, given back with ReleaseDC;
// counted.
struct ReleaseWindowDc {
  HWND hwnd = nullptr;
  void operator()(HDC dc) const {
    ReleaseDC(hwnd, dc);
    GdiCounter::Deleted();
  }
};
class WindowDc : public UniqueHandle<HDC, ReleaseWindowDc> {
 public:
  explicit WindowDc(HWND hwnd) : UniqueHandle(GetDC(hwnd), ReleaseWindowDc{hwnd}) {
    if (get()) GdiCounter::Created();
  }
};

// Selects an object into a DC for the lifetime of this owner, then puts the previous one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (m_previous && m_previous != HGDI_ERROR) SelectObject(m_dc, m_previous);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC m_dc;
  HGDIOBJ m_previous;
};

inline void DestroyWindowIfAlive(HWND hwnd) {
  if (IsWindow(hwnd)) DestroyWindow(hwnd);
}
using UniqueWindow = UniqueHandle<HWND, CloseWith<&DestroyWindowIfAlive>>;
using UniqueMenu = UniqueHandle<HMENU, CloseWith<&DestroyMenu>>;
using UniqueHook = UniqueHandle<HHOOK, CloseWith<&UnhookWindowsHookEx>>;
using UniqueModule = UniqueHandle<HMODULE, CloseWith<&FreeLibrary>>;

// GetProcAddress's result as the entry point's own type (through a plain function pointer type,
// the conversion the compiler accepts without a cast-function-type warning); null when the module
// or the entry point is missing. For DLLs the program starts without (uxtheme) or loads late
// (shell32).
template <class Function>
Function EntryPoint(HMODULE module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The program's UTF-16 text as the wide-character entry points take it.
inline const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

}  // namespace quellan::win32

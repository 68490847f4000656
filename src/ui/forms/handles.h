#pragma once
// Owners for Win32 handles: each handle is released exactly once, on every path.
// GDI objects and device contexts are counted, because Wine's GetGuiResources reports 0 and the
// tests still need to prove that every creation is matched by a deletion.
#include <windows.h>

#include <utility>

namespace quellan::forms {

template <class Handle, auto Release>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : m_handle(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : m_handle(std::exchange(other.m_handle, Handle{})) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.m_handle, Handle{}));
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return m_handle; }
  explicit operator bool() const { return m_handle != Handle{}; }
  Handle release() { return std::exchange(m_handle, Handle{}); }
  void reset(Handle handle = Handle{}) {
    if (m_handle != Handle{}) Release(m_handle);
    m_handle = handle;
  }

 private:
  Handle m_handle{};
};

// Live GDI objects and memory DCs made through the owners below.
struct GdiCounter {
  static long Live();
  static void Created();
  static void Deleted();
};

namespace detail {
void DeleteCountedObject(HGDIOBJ object);
void DeleteCountedDc(HDC dc);
}  // namespace detail

// A created pen, brush, font or bitmap; counted, deleted with DeleteObject.
template <class T>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(T object) : m_object(object) {
    if (object) GdiCounter::Created();
  }
  T get() const { return static_cast<T>(m_object.get()); }
  explicit operator bool() const { return static_cast<bool>(m_object); }
  void reset(T object = nullptr) {
    m_object.reset();
    if (object) {
      GdiCounter::Created();
      m_object.reset(object);
    }
  }

 private:
  UniqueHandle<HGDIOBJ, &detail::DeleteCountedObject> m_object;
};

using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Brush = GdiObject<HBRUSH>;

// A memory device context made with CreateCompatibleDC; counted, deleted with DeleteDC.
class MemoryDc {
 public:
  MemoryDc() = default;
  explicit MemoryDc(HDC compatibleWith);
  HDC get() const { return m_dc.get(); }
  explicit operator bool() const { return static_cast<bool>(m_dc); }

 private:
  UniqueHandle<HDC, &detail::DeleteCountedDc> m_dc;
};

// A window's (or, with a null window, the whole screen's) DC from GetDC, released with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : m_hwnd(hwnd), m_dc(GetDC(hwnd)) {}
  ~WindowDc() {
    if (m_dc) ReleaseDC(m_hwnd, m_dc);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return m_dc; }

 private:
  HWND m_hwnd;
  HDC m_dc;
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
using UniqueWindow = UniqueHandle<HWND, &DestroyWindowIfAlive>;

inline void UnhookCbt(HHOOK hook) { UnhookWindowsHookEx(hook); }
using UniqueHook = UniqueHandle<HHOOK, &UnhookCbt>;

}  // namespace quellan::forms

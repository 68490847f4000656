#pragma once
// The one owner of every handle the program acquires: a registry key, a GDI object, a DC, a hook,
// a theme. The handle is released exactly once, on every path, by the Close function object it
// was given. Portable (no <windows.h>), so the registry routines use it natively as well.
#include <utility>

namespace quellan::win32 {

template <class Handle, class Close>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle, Close close = Close{}) : m_handle(handle), m_close(std::move(close)) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept
      : m_handle(std::exchange(other.m_handle, Handle{})), m_close(std::move(other.m_close)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset(std::exchange(other.m_handle, Handle{}));
      m_close = std::move(other.m_close);
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return m_handle; }
  explicit operator bool() const { return m_handle != Handle{}; }
  // Releases what is held and hands out the slot for a call that returns a handle through a pointer.
  Handle* out() {
    reset();
    return &m_handle;
  }
  Handle release() { return std::exchange(m_handle, Handle{}); }
  void reset(Handle handle = Handle{}) {
    if (m_handle != Handle{}) m_close(m_handle);
    m_handle = handle;
  }

 private:
  Handle m_handle{};
  Close m_close{};
};

// A Close object for a plain release function: UniqueHandle<HKEY, CloseWith<&RegCloseKey>>.
template <auto Release>
struct CloseWith {
  template <class Handle>
  void operator()(Handle handle) const {
    Release(handle);
  }
};

}  // namespace quellan::win32

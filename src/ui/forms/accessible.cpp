#include "ui/forms/accessible.h"

#include <oleacc.h>

#include <new>

#include "win32/handles.h"
#include "win32/system_library.h"

namespace quellan::forms {

namespace {

// Posted by the object to its window: a client's default action runs from the window's own message
// loop, so that a client in another process is not held up by what it starts (a box, a link).
constexpr UINT kDoDefaultAction = WM_APP + 0x100;

// The entry points the objects need, from the system folder at the first request: none of them is
// wanted while the program starts, and most sessions never ask.
struct Library {
  decltype(&LresultFromObject) lresultFromObject;
  decltype(&AccessibleObjectFromWindow) objectFromWindow;
  decltype(&SysAllocString) allocString;
};

const Library& AccessibilityLibrary() {
  static const Library library = [] {
    // Handing the object to a client in another process marshals it, which takes an apartment on
    // this, the window's, thread.
    const HMODULE ole32 = win32::LoadSystemLibrary(L"ole32.dll");
    if (const auto initialize = win32::EntryPoint<decltype(&CoInitializeEx)>(ole32, "CoInitializeEx"))
      initialize(nullptr, COINIT_APARTMENTTHREADED);
    const HMODULE oleacc = win32::LoadSystemLibrary(L"oleacc.dll");
    return Library{
        win32::EntryPoint<decltype(&LresultFromObject)>(oleacc, "LresultFromObject"),
        win32::EntryPoint<decltype(&AccessibleObjectFromWindow)>(oleacc, "AccessibleObjectFromWindow"),
        win32::EntryPoint<decltype(&SysAllocString)>(win32::LoadSystemLibrary(L"oleaut32.dll"), "SysAllocString")};
  }();
  return library;
}

void SetI4(VARIANT* v, long value) {
  v->vt = VT_I4;
  v->lVal = value;
}

HRESULT SetText(BSTR* out, const wchar_t* text) {
  *out = nullptr;
  if (!text || !*text) return S_FALSE;
  *out = AccessibilityLibrary().allocString(text);
  return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

// The IAccessible a control hands out. It holds no state of its own: every answer comes from the
// control at the time of the call, and once the control is gone every call fails.
class AccessibleObject final : public IAccessible {
 public:
  AccessibleObject(HWND hwnd, AccessibleSource& source) : m_hwnd(hwnd), m_source(&source) {}
  void Disconnect() { m_source = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid != __uuidof(IUnknown) && riid != __uuidof(IDispatch) && riid != __uuidof(IAccessible))
      return E_NOINTERFACE;
    *out = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --m_references;
    if (left == 0) delete this;
    return left;
  }

  // Clients call IAccessible's methods directly; nothing here is scripted by name.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!m_source) return RPC_E_DISCONNECTED;
    const auto fromWindow = AccessibilityLibrary().objectFromWindow;
    return fromWindow ? fromWindow(m_hwnd, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                   reinterpret_cast<void**>(parent))
                      : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    if (!m_source) return RPC_E_DISCONNECTED;
    *count = m_source->AccessibleChildCount();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    // The entries are simple elements, answered through this object with their child ids.
    return For(child, out, [&](long) {
      *out = nullptr;
      return S_FALSE;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return For(child, name, [&](long c) {
      const std::u16string text = m_source->AccessibleName(c);
      return SetText(name, reinterpret_cast<const wchar_t*>(text.c_str()));
    });
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return For(child, role, [&](long c) {
      SetI4(role, m_source->AccessibleRole(c));
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return For(child, state, [&](long c) {
      long shown = m_source->AccessibleState(c);
      if (c == CHILDID_SELF) {
        if (GetWindowLongW(m_hwnd, GWL_STYLE) & WS_TABSTOP) shown |= STATE_SYSTEM_FOCUSABLE;
        if (GetFocus() == m_hwnd) shown |= STATE_SYSTEM_FOCUSED;
        if (!IsWindowEnabled(m_hwnd)) shown |= STATE_SYSTEM_UNAVAILABLE;
        if (!IsWindowVisible(m_hwnd)) shown |= STATE_SYSTEM_INVISIBLE;
      }
      SetI4(state, shown);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return For(child, action, [&](long c) { return SetText(action, m_source->DefaultAction(c)); });
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (const HRESULT valid = Check(child); FAILED(valid)) return valid;
    if (!m_source->DefaultAction(child.lVal)) return DISP_E_MEMBERNOTFOUND;
    return PostMessageW(m_hwnd, kDoDefaultAction, static_cast<WPARAM>(child.lVal), 0) ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (!focus) return E_POINTER;
    focus->vt = VT_EMPTY;
    if (!m_source) return RPC_E_DISCONNECTED;
    if (GetFocus() != m_hwnd) return S_FALSE;
    SetI4(focus, m_source->FocusedChild());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (!selection) return E_POINTER;
    selection->vt = VT_EMPTY;
    if (!m_source) return RPC_E_DISCONNECTED;
    for (long c = 1; c <= m_source->AccessibleChildCount(); ++c)
      if (m_source->AccessibleState(c) & STATE_SYSTEM_SELECTED) {
        SetI4(selection, c);
        return S_OK;
      }
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    if (!left || !top || !width || !height) return E_POINTER;
    return For(child, left, [&](long c) {
      RECT r{};
      if (c == CHILDID_SELF) {
        GetWindowRect(m_hwnd, &r);
      } else {
        r = m_source->ChildRect(c);
        MapWindowPoints(m_hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
      }
      *left = r.left, *top = r.top, *width = r.right - r.left, *height = r.bottom - r.top;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    if (!end) return E_POINTER;
    end->vt = VT_EMPTY;
    // Among the entries only: the window's own object leads to the control's siblings.
    return For(start, end, [&](long c) {
      long to = 0;
      if (c == CHILDID_SELF)
        to = direction == NAVDIR_FIRSTCHILD ? 1 : direction == NAVDIR_LASTCHILD ? m_source->AccessibleChildCount() : 0;
      else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN)
        to = c + 1;
      else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP)
        to = c - 1;
      if (to < 1 || to > m_source->AccessibleChildCount()) return S_FALSE;
      SetI4(end, to);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
    if (!hit) return E_POINTER;
    hit->vt = VT_EMPTY;
    if (!m_source) return RPC_E_DISCONNECTED;
    POINT at{x, y};
    RECT window{};
    GetWindowRect(m_hwnd, &window);
    if (!PtInRect(&window, at)) return S_FALSE;
    ScreenToClient(m_hwnd, &at);
    SetI4(hit, m_source->ChildAt(at));
    return S_OK;
  }

  // Nothing more to say than role, name, state and action, and nothing a client may set.
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* out) override { return Unsupported(out); }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* out) override { return Unsupported(out); }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override { return Unsupported(out); }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* out) override { return Unsupported(out); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (topic) *topic = 0;
    return Unsupported(file);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override {
    return m_source ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~AccessibleObject() = default;

  // S_OK when `child` names the control or one of its entries and the control is still there.
  HRESULT Check(const VARIANT& child) const {
    if (!m_source) return RPC_E_DISCONNECTED;
    const bool named = child.vt == VT_I4 && child.lVal >= 0 && child.lVal <= m_source->AccessibleChildCount();
    return named ? S_OK : E_INVALIDARG;
  }
  // `answer(child)` for a child of a live control; the error a client gets otherwise.
  template <class Out, class Answer>
  HRESULT For(const VARIANT& child, Out* out, Answer answer) const {
    if (!out) return E_POINTER;
    const HRESULT valid = Check(child);
    return FAILED(valid) ? valid : answer(child.lVal);
  }
  HRESULT Unsupported(BSTR* out) const {
    if (!out) return E_POINTER;
    *out = nullptr;
    return m_source ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
  }

  HWND m_hwnd;
  AccessibleSource* m_source;  // null once the control is gone
  ULONG m_references = 1;
};

bool Accessible::Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_GETOBJECT: {
      // The identifier is a DWORD: sign-extended in a 64-bit lParam it would not compare equal.
      if (static_cast<DWORD>(lp) != static_cast<DWORD>(OBJID_CLIENT)) return false;
      const auto lresultFromObject = AccessibilityLibrary().lresultFromObject;
      if (!lresultFromObject || !AccessibilityLibrary().allocString) return false;
      if (!m_object) m_object = new (std::nothrow) AccessibleObject(hwnd, m_source);
      if (!m_object) return false;
      result = lresultFromObject(__uuidof(IAccessible), wp, static_cast<IAccessible*>(m_object));
      return true;
    }
    case kDoDefaultAction:
      m_source.DoDefaultAction(static_cast<long>(wp));
      result = 0;
      return true;
    case WM_NCDESTROY:
      Disconnect();
      return false;
    default:
      return false;
  }
}

void Accessible::Disconnect() {
  if (!m_object) return;
  m_object->Disconnect();
  m_object->Release();
  m_object = nullptr;
}

}  // namespace quellan::forms

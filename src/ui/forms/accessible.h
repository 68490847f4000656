#pragma once
// What the program's own controls tell accessibility clients (screen readers, through MSAA). A
// control answers WM_GETOBJECT for its client area with an IAccessible object that asks the control,
// at each call, for the role, name, state and default action of itself (child CHILDID_SELF) and of
// its entries (children 1, 2, ...). oleacc.dll, which hands the object to the client, is loaded at
// the first request, never at start-up.
#include <windows.h>

#include <string>

namespace quellan::forms {

// What a control says about itself and its entries (children 1 to AccessibleChildCount()).
class AccessibleSource {
 public:
  virtual long AccessibleRole(long child) const = 0;
  virtual std::u16string AccessibleName(long child) const = 0;
  // The states of the control's kind (checked, linked, ...), and of an entry all its states; the
  // object adds what the window shows of the control itself (focusable, focused, unavailable, invisible).
  virtual long AccessibleState(long) const { return 0; }
  // The default action's name ("Check", "Jump"), null for none; DoDefaultAction does what a click does.
  virtual const wchar_t* DefaultAction(long) const { return nullptr; }
  virtual void DoDefaultAction(long) {}
  virtual long AccessibleChildCount() const { return 0; }
  // An entry's rectangle in client coordinates; the entry under a client point, or CHILDID_SELF.
  virtual RECT ChildRect(long) const { return {}; }
  virtual long ChildAt(POINT) const { return CHILDID_SELF; }
  // The entry that has the focus while the control has it (CHILDID_SELF: the control itself).
  virtual long FocusedChild() const { return CHILDID_SELF; }

 protected:
  ~AccessibleSource() = default;
};

class AccessibleObject;

// A control's accessible object: made at the first WM_GETOBJECT, kept while the window lives, and
// cut off from the control when the window goes, so that a client still holding it gets errors
// rather than a dangling control.
class Accessible {
 public:
  explicit Accessible(AccessibleSource& source) : m_source(source) {}
  ~Accessible() { Disconnect(); }
  Accessible(const Accessible&) = delete;
  Accessible& operator=(const Accessible&) = delete;

  // Answers WM_GETOBJECT for the client area and runs a default action the object posted; cuts the
  // object off at WM_NCDESTROY. True when `msg` was answered, with `result`.
  bool Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

 private:
  void Disconnect();

  AccessibleSource& m_source;
  AccessibleObject* m_object = nullptr;  // one reference held
};

}  // namespace quellan::forms

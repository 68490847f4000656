// What frmMain's controls tell a screen reader, read as a client reads it: the object each control
// hands out at WM_GETOBJECT, and the WinEvents the window raises.
#include "ui/main/frm_main.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <memory>
#include <tuple>
#include <vector>

#include "harness.h"
#include "policy/win32_registry.h"

namespace quellan::mainwindow {
namespace {

using namespace quellan::harness;

const wchar_t kExplorer[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

struct Com {
  IAccessible* p = nullptr;
  ~Com() {
    if (p) p->Release();
  }
};

VARIANT Child(long id) {
  VARIANT v{};
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

std::u16string Text(BSTR text) {
  std::u16string out = text ? reinterpret_cast<const char16_t*>(text) : u"";
  SysFreeString(text);
  return out;
}

// Role, name, state and default action of one child of an object, as a screen reader reads them.
struct Read {
  long role, state;
  std::u16string name, action;
  bool operator==(const Read&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Read& r) {
  return os << "role " << r.role << " state 0x" << std::hex << r.state << std::dec << " name \""
            << std::string(r.name.begin(), r.name.end()) << "\" action \""
            << std::string(r.action.begin(), r.action.end()) << '"';
}
Read ReadChild(IAccessible* object, long id) {
  VARIANT role{}, state{};
  BSTR name = nullptr, action = nullptr;
  object->get_accRole(Child(id), &role);
  object->get_accState(Child(id), &state);
  object->get_accName(Child(id), &name);
  object->get_accDefaultAction(Child(id), &action);
  return {role.lVal, state.lVal, Text(name), Text(action)};
}

// The events raised for the two lists, each with whether the entry was ticked when it was raised.
struct Event {
  DWORD event;
  HWND hwnd;
  LONG object, child;
  bool ticked;
  bool operator==(const Event&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Event& e) {
  return os << std::hex << e.event << std::dec << ' ' << e.hwnd << ' ' << e.object << ' ' << e.child << ' ' << e.ticked;
}
std::vector<Event> g_events;
HWND g_lists[2];

Com ObjectOf(HWND hwnd) {
  Com object;
  const LRESULT reference = SendMessageW(hwnd, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
  if (reference > 0) ObjectFromLresult(reference, __uuidof(IAccessible), 0, reinterpret_cast<void**>(&object.p));
  return object;
}

void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
  if (hwnd != g_lists[0] && hwnd != g_lists[1]) return;
  const Com list = ObjectOf(hwnd);
  VARIANT state{};
  if (list.p) list.p->get_accState(Child(child), &state);
  g_events.push_back({event, hwnd, object, child, (state.lVal & STATE_SYSTEM_CHECKED) != 0});
}

class Accessible : public ::testing::Test {
 protected:
  void SetUp() override {
    const DWORD letters = 0x4, types = 0, cdrom = 0;  // C ticked, no type, "All Drives" ticked
    RegSetKeyValueW(HKEY_CURRENT_USER, kExplorer, L"NoDriveAutoRun", REG_DWORD, &letters, sizeof letters);
    RegSetKeyValueW(HKEY_CURRENT_USER, kExplorer, L"NoDriveTypeAutoRun", REG_DWORD, &types, sizeof types);
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Services\\CDRom", L"AutoRun", REG_DWORD, &cdrom,
                    sizeof cdrom);
    form = std::make_unique<frmMain>(reg, 96);
    ASSERT_TRUE(form->Load());
    SetForegroundWindow(form->hwnd());
    Pump(60, form->hwnd());
    g_lists[0] = Control("lstDrvs"), g_lists[1] = Control("lstDrvTypes");
  }
  HWND Control(std::string_view name) const {
    const HWND frame = GetDlgItem(form->hwnd(), kControlIdBase + static_cast<int>(RowIndex("fraSet")));
    const std::size_t row = RowIndex(name);
    return GetDlgItem(MainControls()[row].parent == Parent::Frame ? frame : form->hwnd(), kControlIdBase + row);
  }

  policy::Win32Registry reg;
  std::unique_ptr<frmMain> form;
};

TEST_F(Accessible, EveryControlSaysWhatItIsWhatItHoldsAndWhatItDoes) {
  const long focusable = STATE_SYSTEM_FOCUSABLE, entry = focusable | STATE_SYSTEM_SELECTABLE;
  const long checked = STATE_SYSTEM_CHECKED, link = STATE_SYSTEM_LINKED, text = STATE_SYSTEM_READONLY;
  // An empty name stands for the control's own text as drawn.
  const struct {
    const char* control;
    long child, children;
    Read read;
  } rows[] = {
      {"fraSet", 0, 0, {ROLE_SYSTEM_GROUPING, 0, u"AutoRun Settings", u""}},
      {"chkGlobal", 0, 0, {ROLE_SYSTEM_CHECKBUTTON, focusable | checked, u"", u"Uncheck"}},
      {"lstDrvs", 0, 26, {ROLE_SYSTEM_LIST, focusable | STATE_SYSTEM_FOCUSED, u"Disable for Drive Letters:", u""}},
      {"lstDrvs", 1, 26, {ROLE_SYSTEM_CHECKBUTTON, entry | STATE_SYSTEM_FOCUSED, u"A", u"Check"}},
      {"lstDrvs", 3, 26, {ROLE_SYSTEM_CHECKBUTTON, entry | checked, u"C", u"Uncheck"}},
      {"lstDrvTypes", 0, 7, {ROLE_SYSTEM_LIST, focusable, u"Disable for Drive Type:", u""}},
      {"lstDrvTypes", 3, 7, {ROLE_SYSTEM_CHECKBUTTON, entry, u"Removable", u"Check"}},
      {"Label9", 0, 0, {ROLE_SYSTEM_STATICTEXT, text, u"", u""}},
      {"Label10", 0, 0, {ROLE_SYSTEM_STATICTEXT, text, u"", u""}},
      {"CAP", 0, 0, {ROLE_SYSTEM_LINK, link, u"", u"Jump"}},
      {"link1", 0, 0, {ROLE_SYSTEM_LINK, link, u"", u"Jump"}},
      {"link2", 0, 0, {ROLE_SYSTEM_LINK, link, u"", u"Jump"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.control << " child " << row.child);
    const Com object = ObjectOf(Control(row.control));
    ASSERT_TRUE(object.p);
    Read expected = row.read;
    if (expected.name.empty()) expected.name = WindowText(Control(row.control));
    EXPECT_EQ(ReadChild(object.p, row.child), expected);
    long children = -1;
    object.p->get_accChildCount(&children);
    EXPECT_EQ(children, row.children);
  }
  // The check box's default action is its click; the state follows.
  const Com box = ObjectOf(Control("chkGlobal"));
  EXPECT_EQ(box.p->accDoDefaultAction(Child(0)), S_OK);
  Pump(60, form->hwnd());
  EXPECT_EQ(std::tuple(SendMessageW(Control("chkGlobal"), BM_GETCHECK, 0, 0), ReadChild(box.p, 0).state),
            std::tuple(BST_UNCHECKED, focusable));
  // An object a client still holds once the window is gone answers, but with an error.
  DestroyWindow(form->hwnd());
  VARIANT role{};
  EXPECT_EQ(box.p->get_accRole(Child(0), &role), RPC_E_DISCONNECTED);
}

TEST_F(Accessible, ListsAnnounceTheFocusAndEveryTickAndTickByTheirDefaultAction) {
  g_events.clear();
  const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_STATECHANGE, nullptr, Record,
                                             GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  for (WORD key : {VK_HOME, VK_DOWN, VK_SPACE}) Key(key);  // B focused, then ticked
  Pump(100, form->hwnd());
  const Com types = ObjectOf(Control("lstDrvTypes"));
  ASSERT_TRUE(types.p);
  EXPECT_EQ(types.p->accDoDefaultAction(Child(3)), S_OK);  // "Removable"
  Pump(60, form->hwnd());
  EXPECT_EQ(ReadChild(types.p, 3).action, u"Uncheck");
  wchar_t tip[256] = {};
  TTTOOLINFOW info{TTTOOLINFOW_V1_SIZE,
                   0,
                   GetParent(Control("lstDrvTypes")),
                   reinterpret_cast<UINT_PTR>(Control("lstDrvTypes")),
                   {},
                   {},
                   tip,
                   0,
                   {}};
  SendMessageW(FindWindowW(TOOLTIPS_CLASSW, nullptr), TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(tip, L"AutoRun for Removable Drives is Disabled") << "the sentence a click shows";
  form->trefresh();  // the stored C ticked again, the rest unticked
  Pump(60, form->hwnd());
  UnhookWinEvent(hook);
  const HWND letters = g_lists[0], kinds = g_lists[1];
  EXPECT_EQ(g_events, (std::vector<Event>{{EVENT_OBJECT_FOCUS, letters, OBJID_CLIENT, 1, false},
                                          {EVENT_OBJECT_FOCUS, letters, OBJID_CLIENT, 2, false},
                                          {EVENT_OBJECT_STATECHANGE, letters, OBJID_CLIENT, 2, true},
                                          {EVENT_OBJECT_STATECHANGE, kinds, OBJID_CLIENT, 3, true},
                                          {EVENT_OBJECT_STATECHANGE, letters, OBJID_CLIENT, 3, true}}));
}

}  // namespace
}  // namespace quellan::mainwindow

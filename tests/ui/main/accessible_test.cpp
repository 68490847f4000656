// frmMain's controls as a screen reader reads them: the objects they hand out at WM_GETOBJECT, and their WinEvents.
#include "ui/main/frm_main.h"

#include <oleacc.h>

#include "main_window.h"

namespace quellan::mainwindow {
namespace {

using Object = std::unique_ptr<IAccessible, decltype([](IAccessible* p) { p->Release(); })>;

VARIANT Child(long id) {
  VARIANT v{};
  v.vt = VT_I4, v.lVal = id;
  return v;
}

Object ObjectOf(HWND hwnd) {
  void* object = nullptr;
  ObjectFromLresult(SendMessageW(hwnd, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT)), __uuidof(IAccessible), 0,
                    &object);
  return Object(static_cast<IAccessible*>(object));
}

// Role, state, name and default action of a child, as a screen reader reads them.
using Read = std::tuple<long, long, std::u16string, std::u16string>;
Read ReadChild(IAccessible* object, long id) {
  VARIANT role{}, state{};
  BSTR text[2] = {};
  object->get_accRole(Child(id), &role), object->get_accState(Child(id), &state);
  object->get_accName(Child(id), &text[0]), object->get_accDefaultAction(Child(id), &text[1]);
  const auto words = [](BSTR t) { return std::u16string(t ? reinterpret_cast<const char16_t*>(t) : u""); };
  Read read{role.lVal, state.lVal, words(text[0]), words(text[1])};
  for (BSTR t : text) SysFreeString(t);
  return read;
}

// The lists' events, each as it is raised: event, window, object, child, and whether the entry reads as ticked.
using Event = std::tuple<DWORD, HWND, LONG, LONG, bool>;
std::vector<Event> g_events;
HWND g_lists[2];
void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
  if (hwnd != g_lists[0] && hwnd != g_lists[1]) return;
  g_events.emplace_back(event, hwnd, object, child,
                        (std::get<1>(ReadChild(ObjectOf(hwnd).get(), child)) & STATE_SYSTEM_CHECKED) != 0);
}

TEST_F(MainWindow, EveryControlSaysWhatItIsWhatItHoldsAndWhatItDoes) {
  Seed(kLetters, 0x4), Seed(kTypes, 0), Seed(kCdrom, 0);  // C ticked, no type, "All Drives" ticked
  Open();
  const long focusable = STATE_SYSTEM_FOCUSABLE, entry = focusable | STATE_SYSTEM_SELECTABLE;
  // An empty name stands for the control's text as drawn.
  const std::tuple<const char*, long, long, Read> rows[] = {
      {"fraSet", 0, 0, {ROLE_SYSTEM_GROUPING, 0, u"AutoRun Settings", u""}},
      {"chkGlobal", 0, 0, {ROLE_SYSTEM_CHECKBUTTON, focusable | STATE_SYSTEM_CHECKED, u"", u"Uncheck"}},
      {"lstDrvs", 0, 26, {ROLE_SYSTEM_LIST, focusable | STATE_SYSTEM_FOCUSED, u"Disable for Drive Letters:", u""}},
      {"lstDrvs", 1, 26, {ROLE_SYSTEM_CHECKBUTTON, entry | STATE_SYSTEM_FOCUSED, u"A", u"Check"}},
      {"lstDrvs", 3, 26, {ROLE_SYSTEM_CHECKBUTTON, entry | STATE_SYSTEM_CHECKED, u"C", u"Uncheck"}},
      {"lstDrvTypes", 0, 7, {ROLE_SYSTEM_LIST, focusable, u"Disable for Drive Type:", u""}},
      {"lstDrvTypes", 3, 7, {ROLE_SYSTEM_CHECKBUTTON, entry, u"Removable", u"Check"}},
      {"Label9", 0, 0, {ROLE_SYSTEM_STATICTEXT, STATE_SYSTEM_READONLY, u"", u""}},
      {"CAP", 0, 0, {ROLE_SYSTEM_LINK, STATE_SYSTEM_LINKED, u"", u"Jump"}},
      {"link2", 0, 0, {ROLE_SYSTEM_LINK, STATE_SYSTEM_LINKED, u"", u"Jump"}},
  };
  for (auto [control, child, children, expected] : rows) {
    const Object object = ObjectOf(Control(control));
    ASSERT_TRUE(object);
    if (std::get<2>(expected).empty()) std::get<2>(expected) = WindowText(Control(control));
    long count = -1;
    object->get_accChildCount(&count);
    EXPECT_EQ(std::tuple(ReadChild(object.get(), child), count), std::tuple(expected, children));
  }
  // Default actions do what a click does: the box unticks, the title opens the about box.
  ModalDriver driver(-1, L"QuellanEffect");
  const Object box = ObjectOf(Control("chkGlobal"));
  EXPECT_EQ(std::tuple(box->accDoDefaultAction(Child(0)), ObjectOf(Control("CAP"))->accDoDefaultAction(Child(0))),
            std::tuple(S_OK, S_OK));
  EXPECT_TRUE(PumpUntil([&] { return driver.Seen().boxes == 1 && driver.Seen().others == 1; }, 5000, form->hwnd()));
  EXPECT_EQ(std::tuple(SendMessageW(Control("chkGlobal"), BM_GETCHECK, 0, 0), std::get<1>(ReadChild(box.get(), 0))),
            std::tuple(BST_UNCHECKED, focusable));
  // An object a client still holds once the window is gone does nothing and says so.
  DestroyWindow(form->hwnd());
  EXPECT_EQ(box->accDoDefaultAction(Child(0)), RPC_E_DISCONNECTED);
}

TEST_F(MainWindow, ListsAnnounceTheFocusAndEveryTickAndTickByTheirDefaultAction) {
  Seed(kLetters, 0x4), Seed(kTypes, 0), Seed(kCdrom, 0);
  Open();
  g_lists[0] = Control("lstDrvs"), g_lists[1] = Control("lstDrvTypes");
  const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_STATECHANGE, GetModuleHandleW(nullptr),
                                             Record, GetCurrentProcessId(), 0, WINEVENT_INCONTEXT);
  for (WORD key : {VK_HOME, VK_DOWN, VK_SPACE}) Key(key);  // B focused, then ticked
  Pump(100, form->hwnd());
  EXPECT_EQ(ObjectOf(Control("lstDrvTypes"))->accDoDefaultAction(Child(3)), S_OK);  // "Removable"
  Pump(60, form->hwnd());
  EXPECT_EQ(Tip("lstDrvTypes"), u"AutoRun for Removable Drives is Disabled") << "the sentence a click shows";
  form->trefresh();  // the stored C ticked again, the rest unticked
  Pump(60, form->hwnd());
  UnhookWinEvent(hook);
  EXPECT_EQ(g_events, (std::vector<Event>{{EVENT_OBJECT_FOCUS, g_lists[0], OBJID_CLIENT, 1, false},
                                          {EVENT_OBJECT_FOCUS, g_lists[0], OBJID_CLIENT, 2, false},
                                          {EVENT_OBJECT_STATECHANGE, g_lists[0], OBJID_CLIENT, 2, true},
                                          {EVENT_OBJECT_STATECHANGE, g_lists[1], OBJID_CLIENT, 3, true},
                                          {EVENT_OBJECT_STATECHANGE, g_lists[0], OBJID_CLIENT, 3, true}}));
}

}  // namespace
}  // namespace quellan::mainwindow

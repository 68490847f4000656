#include "ui/main/frm_main.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <map>
#include <span>
#include <string_view>

#include "policy/autoplay_switches.h"
#include "policy/drive_lists.h"
#include "policy/machine_policy.h"
#include "ui/forms/font.h"
#include "ui/forms/font_handle.h"
#include "ui/forms/twips.h"
#include "ui/main/about.h"
#include "ui/main/export_file.h"
#include "ui/main/links.h"
#include "ui/main/main_resources.h"

namespace quellan::mainwindow {

namespace {

const wchar_t kMainClass[] = L"QuellanMain";
// Posted once the window is first shown: the tool tips are made then, off the start-up path, since
// nobody can hover over a control before the window is on the screen.
constexpr UINT kCreateToolTips = WM_APP + 1;
// The system menu's export item and switches (in kAutoplaySwitches order); system commands keep their
// low four bits for the system.
constexpr UINT kExportCommand = 0x0010;
constexpr UINT kSwitchCommands[] = {0x0020, 0x0030};
static_assert(std::size(kSwitchCommands) == policy::kAutoplaySwitches.size());
// The notice of a machine-wide policy: dark red, under the layout, as wide as the bottom link.
constexpr std::uint32_t kNoticeColour = 0x0000A0u;  // RGB(160, 0, 0)
constexpr int kNoticeGap = 90;                      // twips above and below the notice

std::vector<forms::PopupMenu::Item> MenuItems() { return {{1, kMenuItems[0]}, {2, kMenuItems[1]}}; }

// The sentence a list's tool tip shows after a tick changed.
std::u16string Status(const std::u16string& before, const std::u16string& entry, const char16_t* after, bool ticked) {
  return before + entry + after + (ticked ? u"Disabled" : u"Enabled");
}

// A label's caption as a screen reader should say it: without the sign drawn before it.
std::u16string Spoken(const std::u16string& caption) {
  return caption.starts_with(u"\u00BB ") ? caption.substr(2) : caption;
}

DWORD WINAPI BroadcastThread(void*) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Policy"), SMTO_ABORTIFHUNG, 5000,
                      &ignored);
  return 0;
}

// Tells other programs (Explorer among them) that the policy values have changed. The message
// carries a text, which the platform passes only with a synchronous send, so the send runs on a
// thread of its own and the window never waits for another program.
void BroadcastPolicyChange() {
  if (HANDLE thread = CreateThread(nullptr, 0, &BroadcastThread, nullptr, 0, nullptr)) CloseHandle(thread);
}

}  // namespace

frmMain::frmMain(policy::RegistryApi& registry, int dpi)
    : m_registry(registry),
      m_dpi(dpi > 0 ? dpi : 96),
      m_menus{forms::PopupMenu(MenuItems()), forms::PopupMenu(MenuItems())} {}

frmMain::~frmMain() {
  // The window goes first, while every control object it holds is still alive.
  if (m_hwnd && IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
}

bool frmMain::Load(int showCommand) {
  const FormAttributes& form = MainForm();
  m_icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUELLAN));
  CreateForm(kMainClass, forms::FormLook{form.caption, forms::TwipsToPixels(form.clientWidth, m_dpi),
                                         forms::TwipsToPixels(form.clientHeight, m_dpi), form.backColour, m_icon});
  if (!m_hwnd) return false;
  SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(form.font)), FALSE);
  const HMENU system = GetSystemMenu(m_hwnd, FALSE);
  AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(system, MF_STRING, kExportCommand, L"Export as .reg file...");
  for (std::size_t i = 0; i < std::size(kSwitchCommands); ++i)
    AppendMenuW(system, MF_STRING, kSwitchCommands[i],
                win32::Wide(std::u16string(policy::kAutoplaySwitches[i].caption)));
  CreateControls();
  Form_Load();
  Centre();
  ShowWindow(m_hwnd, showCommand);
  UpdateWindow(m_hwnd);
  PostMessageW(m_hwnd, kCreateToolTips, 0, 0);
  return true;
}

// --- Controls ---------------------------------------------------------------------------------

// One line per control: the member its row of the layout makes and the handlers it raises.
void frmMain::CreateControls() {
  std::map<std::string_view, Control> members;
  const auto bind = [&members](const char* name, auto& member) -> auto& {
    members.emplace(name, &member);
    return member;
  };
  bind("fraSet", m_fraSet);
  bind("btRefresh", m_btRefresh).Events().Click = [this] { btRefresh_Click(); };
  bind("lstDrvTypes", m_lstDrvTypes).ItemCheck = [this](int index) { lstDrvTypes_ItemCheck(index); };
  m_lstDrvTypes.MouseDown = [this](forms::MouseButton button) { lstDrvTypes_MouseDown(button); };
  bind("chkGlobal", m_chkGlobal).Click = [this] { chkGlobal_Click(); };
  bind("lstDrvs", m_lstDrvs).ItemCheck = [this](int index) { lstDrvs_ItemCheck(index); };
  m_lstDrvs.MouseDown = [this](forms::MouseButton button) { lstDrvs_MouseDown(button); };
  bind("btSaveSet", m_btSaveSet).Events().Click = [this] { btSaveSet_Click(); };
  bind("Label10", m_Label10);
  bind("Label9", m_Label9);
  bind("link2", m_link2).Click = [this] { link2_Click(); };
  bind("link1", m_link1).Click = [this] { link1_Click(); };
  bind("CAP", m_CAP).Click = [this] { CAP_Click(); };
  for (forms::Label* clickable : {&m_link2, &m_link1, &m_CAP}) clickable->MouseMove = [this] { sethand(); };

  // Made in tab order, the controls need no restacking; the frame, first in it, exists before its children.
  const std::span<const ControlRow> rows = MainControls();
  for (const std::size_t i : CreationOrder())
    if (const auto member = members.find(rows[i].name); member != members.end())
      CreateControl(rows[i], kControlIdBase + static_cast<int>(i), member->second);
  // Hidden until there is something to say, so a refresh without a notice has nothing to undo.
  m_notice.Create(m_hwnd, kControlIdBase + static_cast<int>(rows.size()), RECT{}, u"", FontFor(MainForm().font),
                  forms::LabelLook{kNoticeColour, MainForm().backColour, false, false}, false);
}

// One creation path per kind; a row whose member is of another kind makes nothing.
void frmMain::CreateControl(const ControlRow& row, int id, Control member) {
  const HWND parent = Container(row);
  const PixelBox box = Pixels(row, m_dpi);
  const RECT bounds{box.left, box.top, box.left + box.width, box.top + box.height};
  const LayoutFont& f = row.font;
  switch (row.kind) {
    case Kind::Frame:
      if (forms::Frame* const* frame = std::get_if<forms::Frame*>(&member))
        (*frame)->Create(parent, id, bounds, row.caption, row.backColour);
      break;
    case Kind::Button:
      if (button::OrvaneButton* const* button = std::get_if<button::OrvaneButton*>(&member)) {
        // A button's caption and font are its stored properties; the window's font is the ambient one.
        const LayoutFont& ambient = MainForm().font;
        (*button)->Create(parent, id, bounds,
                          button::StoredProperties{{}, {}, forms::FontObject{f.face, f.points, f.weight}, row.caption},
                          forms::MakeFont(ambient.face, ambient.points, ambient.weight), m_dpi);
      }
      break;
    case Kind::CheckList:
      if (forms::CheckList* const* list = std::get_if<forms::CheckList*>(&member)) {
        (*list)->Create(parent, id, bounds, FontFor(f), m_dpi);
        if (row.labelledBy) (*list)->SetAccessibleName(Spoken(MainControls()[RowIndex(row.labelledBy)].caption));
      }
      break;
    case Kind::CheckBox:
      if (forms::CheckBox* const* box = std::get_if<forms::CheckBox*>(&member))
        (*box)->Create(parent, id, bounds, row.caption, FontFor(f), row.foreColour, row.backColour);
      break;
    case Kind::Label:
      if (forms::Label* const* label = std::get_if<forms::Label*>(&member))
        (*label)->Create(parent, id, bounds, row.caption, FontFor(f),
                         forms::LabelLook{row.foreColour, row.backColour, row.transparent, row.centred});
      break;
  }
}

HWND frmMain::Container(const ControlRow& row) const { return row.parent == Parent::Frame ? m_fraSet.hwnd() : m_hwnd; }

HFONT frmMain::FontFor(const LayoutFont& font) {
  for (const auto& [described, made] : m_fonts)
    if (std::u16string_view(described.face) == font.face && described.points == font.points &&
        described.weight == font.weight)
      return made.get();
  m_fonts.emplace_back(font, forms::CreateFontHandle(*forms::MakeFont(font.face, font.points, font.weight), m_dpi));
  return m_fonts.back().second.get();
}

void frmMain::CreateToolTips() {
  if (m_tips.hwnd()) return;
  m_tips.Create(m_hwnd);
  for (const ControlRow& row : MainControls())
    if (row.toolTip) m_tips.Add(GetDlgItem(Container(row), kControlIdBase + RowIndex(row.name)), row.toolTip);
  m_tips.Add(m_lstDrvs.hwnd(), m_status[0]);
  m_tips.Add(m_lstDrvTypes.hwnd(), m_status[1]);
}

void frmMain::ShowStatus(int list, const std::u16string& sentence) {
  m_status[list] = sentence;
  m_tips.SetText(list == 0 ? m_lstDrvs.hwnd() : m_lstDrvTypes.hwnd(), sentence);
}

LRESULT frmMain::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kCreateToolTips) {
    CreateToolTips();
    return 0;
  }
  if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == kExportCommand) {
    ExportRegFile(m_hwnd, m_registry, Ticks());
    return 0;
  }
  for (std::size_t i = 0; i < std::size(kSwitchCommands); ++i)
    if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == kSwitchCommands[i]) {
      SwitchChosen(i);
      return 0;
    }
  // Read every time the system menu opens, so that a value another tool changed shows.
  if (msg == WM_INITMENUPOPUP && HIWORD(lp)) ShowSwitchTicks();
  return Form::OnMessage(msg, wp, lp);
}

policy::AutorunTicks frmMain::Ticks() const {
  policy::AutorunTicks ticks{m_chkGlobal.Value(), 0, 0};
  for (int i = 0; i < m_lstDrvs.ListCount(); ++i)
    if (m_lstDrvs.Selected(i)) ticks.letters |= policy::LetterBit(m_lstDrvs.List(i));
  for (int i = 0; i < std::min(m_lstDrvTypes.ListCount(), policy::kDriveTypeCount); ++i)
    if (m_lstDrvTypes.Selected(i)) ticks.types |= 1u << i;
  return ticks;
}

void frmMain::ShowNotice(const std::u16string& notice) {
  // Nothing shown and nothing to show: the window already has its layout size.
  if (notice.empty() && !IsWindowVisible(m_notice.hwnd())) return;
  const FormAttributes& form = MainForm();
  const Twips& link2 = MainControls()[RowIndex("link2")].twips;
  const auto px = [this](int twips) { return forms::TwipsToPixels(twips, m_dpi); };
  RECT r{px(link2.left), px(form.clientHeight), px(link2.left + link2.width), px(form.clientHeight)};
  if (!notice.empty()) {
    win32::WindowDc dc(m_notice.hwnd());
    win32::SelectedObject font(dc.get(), FontFor(form.font));
    DrawTextW(dc.get(), win32::Wide(notice), -1, &r, DT_CALCRECT | DT_WORDBREAK);
    r.right = px(link2.left + link2.width);
  }
  m_notice.SetCaption(notice);
  MoveWindow(m_notice.hwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  ShowWindow(m_notice.hwnd(), notice.empty() ? SW_HIDE : SW_SHOWNA);
  SetClientSize(px(form.clientWidth), notice.empty() ? px(form.clientHeight) : r.bottom + px(kNoticeGap));
}

void frmMain::ShowSwitchTicks() {
  const HMENU system = GetSystemMenu(m_hwnd, FALSE);
  const policy::SwitchStates on = policy::ReadAutoplaySwitches(m_registry);
  for (std::size_t i = 0; i < on.size(); ++i)
    CheckMenuItem(system, kSwitchCommands[i], MF_BYCOMMAND | (on[i] ? MF_CHECKED : MF_UNCHECKED));
}

// Written at once, like a save: other programs are told, a failure is reported in the save's words,
// and the tick then shows what is stored, whatever became of the write.
void frmMain::SwitchChosen(std::size_t index) {
  policy::LocationWrite write = policy::FlipAutoplaySwitch(m_registry, policy::kAutoplaySwitches[index]);
  if (write.status == policy::kErrorSuccess)
    BroadcastPolicyChange();
  else
    MessageBoxW(m_hwnd, win32::Wide(policy::FailureReport(m_registry, {&write, 1})),
                win32::Wide(std::u16string(policy::kSaveTitle)), MB_ICONWARNING);
  ShowSwitchTicks();
}

// --- Handlers ---------------------------------------------------------------------------------

void frmMain::Form_Load() { trefresh(); }

void frmMain::trefresh() {
  m_lstDrvs.Clear();
  m_lstDrvTypes.Clear();
  policy::FillDriveLists(m_lstDrvs, m_lstDrvTypes);
  // A stored text with no numeric reading ends the read: the ticks after it stay as filled, unticked.
  policy::AutorunTicks stored{m_chkGlobal.Value(), 0, 0};
  policy::ReadAutorunPolicy(m_registry, stored);
  m_chkGlobal.SetValue(stored.allDrives);
  for (int i = 0; i < m_lstDrvs.ListCount(); ++i)
    m_lstDrvs.SetSelected(i, (policy::LetterBit(m_lstDrvs.List(i)) & stored.letters) != 0);
  for (int i = 0; i < m_lstDrvTypes.ListCount(); ++i)
    m_lstDrvTypes.SetSelected(i, (static_cast<std::uint32_t>(m_lstDrvTypes.ItemData(i)) & stored.types) != 0);
  // The lists' tips report the user's own changes; the ticks a refresh sets are the stored policy.
  ShowStatus(0, u"");
  ShowStatus(1, u"");
  ShowNotice(policy::MachinePolicyNotice(policy::ReadMachinePolicy(m_registry)));
}

void frmMain::btRefresh_Click() { trefresh(); }

void frmMain::btSaveSet_Click() {
  const policy::SaveOutcome outcome = policy::SaveAutorunPolicy(m_registry, Ticks());
  const std::u16string text =
      policy::WithNotice(outcome.text, policy::MachinePolicyNotice(policy::ReadMachinePolicy(m_registry)));
  if (outcome.anyWriteSucceeded) BroadcastPolicyChange();
  MessageBoxW(m_hwnd, win32::Wide(text), win32::Wide(outcome.title), outcome.style);
}

void frmMain::chkGlobal_Click() { m_btSaveSet.Enabled(true); }

void frmMain::lstDrvs_ItemCheck(int Index) {
  ShowStatus(0, Status(u"AutoRun for Drive ", m_lstDrvs.List(Index), u" is ", m_lstDrvs.Selected(Index)));
}

void frmMain::lstDrvTypes_ItemCheck(int Index) {
  ShowStatus(1, Status(u"AutoRun for ", m_lstDrvTypes.List(Index), u" Drives is ", m_lstDrvTypes.Selected(Index)));
}

void frmMain::lstDrvs_MouseDown(forms::MouseButton Button) {
  if (Button == forms::kRightButton) OpenMenu(0);
}

void frmMain::lstDrvTypes_MouseDown(forms::MouseButton Button) {
  if (Button == forms::kRightButton) OpenMenu(1);
}

void frmMain::OpenMenu(int menu) {
  using Handler = void (frmMain::*)();
  static const Handler kHandlers[2][2] = {{&frmMain::m11_Click, &frmMain::m12_Click},
                                          {&frmMain::m21_Click, &frmMain::m22_Click}};
  const UINT chosen = m_menus[menu].Open(m_hwnd);
  if (chosen == 1 || chosen == 2) (this->*kHandlers[menu][chosen - 1])();
}

// "Select all" ticks from the last entry to the first; "Deselect all" unticks first to last.
void frmMain::m11_Click() {
  for (int i = m_lstDrvs.ListCount() - 1; i >= 0; --i) m_lstDrvs.SetSelected(i, true);
}

void frmMain::m12_Click() {
  for (int i = 0; i < m_lstDrvs.ListCount(); ++i) m_lstDrvs.SetSelected(i, false);
}

void frmMain::m21_Click() {
  for (int i = m_lstDrvTypes.ListCount() - 1; i >= 0; --i) m_lstDrvTypes.SetSelected(i, true);
}

void frmMain::m22_Click() {
  for (int i = 0; i < m_lstDrvTypes.ListCount(); ++i) m_lstDrvTypes.SetSelected(i, false);
}

void frmMain::CAP_Click() { about(); }
void frmMain::link1_Click() { OpenHomePage(m_hwnd); }
void frmMain::link2_Click() { OpenMessenger(m_hwnd); }
void frmMain::about() { mainwindow::about(m_hwnd); }
void frmMain::sethand() { mainwindow::sethand(); }

}  // namespace quellan::mainwindow

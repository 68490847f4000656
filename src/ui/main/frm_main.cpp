#include "ui/main/frm_main.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include "policy/autorun_policy.h"
#include "policy/drive_lists.h"
#include "ui/button/orvane_button.h"
#include "ui/forms/font_handle.h"
#include "ui/forms/property_set.h"
#include "ui/forms/twips.h"
#include "ui/main/about.h"
#include "ui/main/item_check_status.h"
#include "ui/main/links.h"
#include "ui/main/main_resources.h"

namespace quellan::mainwindow {

namespace {

const wchar_t kMainClass[] = L"QuellanMain";
constexpr int kControlIdBase = 1000;  // control n of the table has id 1000 + n
constexpr UINT kMenuIdBase = 2000;    // item k of menu m has id 2000 + 10 m + k + 1
// Posted once the window is first shown: the tool tips are made then, off the start-up path, since
// nobody can hover over a control before the window is on the screen.
constexpr UINT kCreateToolTips = WM_APP + 1;

UINT MenuItemId(std::size_t menu, std::size_t item) { return kMenuIdBase + static_cast<UINT>(10 * menu + item + 1); }

RECT ToRect(const PixelRect& r) { return RECT{r.left, r.top, r.left + r.width, r.top + r.height}; }

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

}  // namespace

frmMain::frmMain(policy::RegistryApi& registry, int dpi) : m_registry(registry), m_dpi(dpi > 0 ? dpi : 96) {
  m_drvs.ItemCheck = [this](int index) { lstDrvs_ItemCheck(index); };
  m_drvTypes.ItemCheck = [this](int index) { lstDrvTypes_ItemCheck(index); };
  m_global.Click = [this] { chkGlobal_Click(); };
}

frmMain::~frmMain() {
  m_drvs.ItemCheck = nullptr;
  m_drvTypes.ItemCheck = nullptr;
  m_global.Click = nullptr;
  // The window goes first, while every control object it holds is still alive.
  if (m_hwnd && IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
}

bool frmMain::Load(int showCommand) {
  const FormSpec& form = MainForm();
  m_icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUELLAN));
  forms::FormLook look{form.caption,
                       forms::TwipsToPixels(form.clientWidth, m_dpi),
                       forms::TwipsToPixels(form.clientHeight, m_dpi),
                       form.backColour,
                       form.minimizeButton,
                       form.maximizeButton,
                       form.resizable,
                       m_icon};
  CreateForm(kMainClass, look);
  if (!m_hwnd) return false;
  SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(form.font)), FALSE);
  CreateControls();
  Form_Load();
  ShowWindow(m_hwnd, showCommand);
  UpdateWindow(m_hwnd);
  PostMessageW(m_hwnd, kCreateToolTips, 0, 0);
  return true;
}

HFONT frmMain::FontFor(const FontSpec& font) {
  const FontSpec& f = font.face ? font : MainForm().font;
  const auto key = std::make_tuple(std::u16string(f.face), f.points, f.weight);
  auto found = m_fonts.find(key);
  if (found == m_fonts.end()) found = m_fonts.emplace(key, forms::CreateFontHandle(*FontObjectFor(f), m_dpi)).first;
  return found->second.get();
}

std::shared_ptr<forms::FontObject> frmMain::FontObjectFor(const FontSpec& font) const {
  const FontSpec& f = font.face ? font : MainForm().font;
  return forms::MakeFont(f.face, f.points, f.weight);
}

void frmMain::CreateControls() {
  const auto& controls = MainControls();
  for (std::size_t i = 0; i < controls.size(); ++i) CreateControl(controls[i], kControlIdBase + static_cast<int>(i));

  const auto& menus = MainMenus();
  for (std::size_t m = 0; m < menus.size(); ++m) {
    std::vector<forms::PopupMenu::Item> items;
    for (std::size_t k = 0; k < menus[m].items.size(); ++k)
      items.push_back({MenuItemId(m, k), menus[m].items[k].caption});
    m_menus[m] = std::make_unique<forms::PopupMenu>(items);
  }
  ArrangeTabOrder();
}

void frmMain::CreateControl(const ControlSpec& item, int id) {
  const HWND parent = item.container == Container::Frame ? m_fraSet.hwnd() : m_hwnd;
  const RECT bounds = ToRect(ContainerRect(item, m_dpi));
  const std::string name = item.name;
  HWND created = nullptr;
  switch (item.type) {
    case ControlType::Frame:
      m_fraSet.Create(parent, bounds, item.caption, item.backColour, id);
      created = m_fraSet.hwnd();
      break;
    case ControlType::CheckList: {
      forms::CheckList& list = name == "lstDrvs" ? m_lstDrvs : m_lstDrvTypes;
      list.Create(parent, bounds, FontFor(item.font), m_dpi, id);
      if (name == "lstDrvs")
        list.MouseDown = [this](int b, int s, float x, float y) { lstDrvs_MouseDown(b, s, x, y); };
      else
        list.MouseDown = [this](int b, int s, float x, float y) { lstDrvTypes_MouseDown(b, s, x, y); };
      created = list.hwnd();
      break;
    }
    case ControlType::CheckBox:
      m_chkGlobal.Create(parent, bounds, item.caption, FontFor(item.font), item.foreColour, item.backColour, id);
      created = m_chkGlobal.hwnd();
      break;
    case ControlType::Button: {
      forms::PropertyParseError error;
      const auto stored = forms::PropertySet::Parse(item.storedProperties, &error);
      auto button = button::OrvaneButton::Create(parent, id, bounds, stored ? *stored : forms::PropertySet{},
                                                 FontObjectFor(MainForm().font), m_dpi);
      if (!button) break;
      created = button->hwnd();
      if (name == "btRefresh") {
        button->Events().Click = [this] { btRefresh_Click(); };
        m_btRefresh = std::move(button);
      } else {
        button->Events().Click = [this] { btSaveSet_Click(); };
        m_btSaveSet = std::move(button);
      }
      break;
    }
    case ControlType::Label: {
      forms::Label& label = name == "Label10"  ? m_Label10
                            : name == "Label9" ? m_Label9
                            : name == "link1"  ? m_link1
                            : name == "link2"  ? m_link2
                                               : m_CAP;
      const forms::LabelLook look{item.foreColour, item.backColour, item.background == Background::Transparent,
                                  item.alignment == Alignment::Centre};
      label.Create(parent, bounds, item.caption, FontFor(item.font), look, m_dpi);
      if (name == "CAP") {
        label.Click = [this] { CAP_Click(); };
        label.MouseMove = [this](int b, int s, float x, float y) { CAP_MouseMove(b, s, x, y); };
      } else if (name == "link1") {
        label.Click = [this] { link1_Click(); };
        label.MouseMove = [this](int b, int s, float x, float y) { link1_MouseMove(b, s, x, y); };
      } else if (name == "link2") {
        label.Click = [this] { link2_Click(); };
        label.MouseMove = [this](int b, int s, float x, float y) { link2_MouseMove(b, s, x, y); };
      }
      created = label.hwnd();
      break;
    }
  }
  m_controls[name] = created;
}

void frmMain::CreateToolTips() {
  if (m_tips.hwnd()) return;
  m_tips.Create(m_hwnd);
  for (const ControlSpec& item : MainControls())
    if (!item.toolTip.empty()) m_tips.Add(Control(item.name), item.toolTip);
  // The lists' tips tell what the last change of a tick did (see the ItemCheck handlers).
  m_tips.Add(Control("lstDrvs"), m_pendingStatus[0]);
  m_tips.Add(Control("lstDrvTypes"), m_pendingStatus[1]);
}

LRESULT frmMain::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kCreateToolTips) {
    CreateToolTips();
    return 0;
  }
  return Form::OnMessage(msg, wp, lp);
}

void frmMain::ShowStatus(int list, const std::u16string& sentence) {
  m_pendingStatus[list] = sentence;
  m_tips.SetText(Control(list == 0 ? "lstDrvs" : "lstDrvTypes"), sentence);
}

// The dialog manager walks each container's children in z-order, so the children are stacked in
// the order of their tab indexes; only the lists, the check box and the buttons are tab stops.
void frmMain::ArrangeTabOrder() {
  std::vector<const ControlSpec*> order;
  for (const ControlSpec& item : MainControls()) order.push_back(&item);
  std::stable_sort(order.begin(), order.end(),
                   [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
  std::map<HWND, HWND> lastInContainer;
  for (const ControlSpec* item : order) {
    HWND hwnd = Control(item->name);
    if (!hwnd) continue;
    HWND parent = GetParent(hwnd);
    auto last = lastInContainer.find(parent);
    const HWND after = last == lastInContainer.end() ? HWND_TOP : last->second;
    SetWindowPos(hwnd, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    lastInContainer[parent] = hwnd;
  }
}

HWND frmMain::Control(const char* name) const {
  const auto found = m_controls.find(name);
  return found == m_controls.end() ? nullptr : found->second;
}

// --- Handlers ---------------------------------------------------------------------------------

void frmMain::Form_Load() { trefresh(); }

// Each step runs even when the one before it failed; a failure is not reported.
void frmMain::trefresh() {
  const std::array<void (*)(frmMain&), 4> steps{
      [](frmMain& f) { f.m_drvs.Clear(); },
      [](frmMain& f) { f.m_drvTypes.Clear(); },
      [](frmMain& f) { policy::FillDriveLists(f.m_drvs, f.m_drvTypes); },
      [](frmMain& f) { policy::ReadAutorunPolicy(f.m_registry, f.m_global, f.m_drvs, f.m_drvTypes); },
  };
  for (const auto& step : steps) {
    try {
      step(*this);
    } catch (...) {
      // abandoned; the next step still runs
    }
  }
  // The lists' tips report the user's own changes; the ticks a refresh sets are the stored policy.
  ShowStatus(0, u"");
  ShowStatus(1, u"");
}

void frmMain::btRefresh_Click() { trefresh(); }

void frmMain::btSaveSet_Click() {
  const policy::SaveOutcome outcome = policy::SaveAutorunPolicy(m_registry, m_global, m_drvs, m_drvTypes);
  if (outcome.anyWriteSucceeded) BroadcastPolicyChange();
  MessageBoxW(m_hwnd, Wide(outcome.text), Wide(outcome.title), outcome.style);
}

void frmMain::chkGlobal_Click() {
  if (m_btSaveSet) m_btSaveSet->Enabled(true);
}

void frmMain::lstDrvs_ItemCheck(int Index) { ShowStatus(0, DriveStatus(m_drvs.List(Index), m_drvs.Selected(Index))); }

void frmMain::lstDrvTypes_ItemCheck(int Index) {
  ShowStatus(1, DriveTypeStatus(m_drvTypes.List(Index), m_drvTypes.Selected(Index)));
}

void frmMain::lstDrvs_MouseDown(int Button, int, float, float) {
  if (Button == forms::kRightButton) OpenMenu(0);
}

void frmMain::lstDrvTypes_MouseDown(int Button, int, float, float) {
  if (Button == forms::kRightButton) OpenMenu(1);
}

void frmMain::OpenMenu(std::size_t menuIndex) {
  using Handler = void (frmMain::*)();
  static const Handler handlers[2][2] = {{&frmMain::m11_Click, &frmMain::m12_Click},
                                         {&frmMain::m21_Click, &frmMain::m22_Click}};
  const UINT chosen = m_menus[menuIndex] ? m_menus[menuIndex]->Open(m_hwnd) : 0;
  for (std::size_t k = 0; k < 2; ++k)
    if (chosen == MenuItemId(menuIndex, k)) (this->*handlers[menuIndex][k])();
}

// "Select all" ticks from the last entry to the first; "Deselect all" unticks first to last.
void frmMain::m11_Click() {
  for (int i = m_drvs.ListCount() - 1; i >= 0; --i) m_drvs.SetSelected(i, true);
}

void frmMain::m12_Click() {
  for (int i = 0; i < m_drvs.ListCount(); ++i) m_drvs.SetSelected(i, false);
}

void frmMain::m21_Click() {
  for (int i = m_drvTypes.ListCount() - 1; i >= 0; --i) m_drvTypes.SetSelected(i, true);
}

void frmMain::m22_Click() {
  for (int i = 0; i < m_drvTypes.ListCount(); ++i) m_drvTypes.SetSelected(i, false);
}

void frmMain::CAP_Click() { about(); }
void frmMain::link1_Click() { OpenHomePage(m_hwnd); }
void frmMain::link2_Click() { OpenMessenger(m_hwnd); }
void frmMain::CAP_MouseMove(int, int, float, float) { sethand(); }
void frmMain::link1_MouseMove(int, int, float, float) { sethand(); }
void frmMain::link2_MouseMove(int, int, float, float) { sethand(); }
void frmMain::about() { mainwindow::about(m_hwnd); }
void frmMain::sethand() { mainwindow::sethand(); }

namespace {
DWORD WINAPI BroadcastThread(void*) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Policy"), SMTO_ABORTIFHUNG, 5000,
                      &ignored);
  return 0;
}
}  // namespace

// The message carries a text, which the platform passes only with a synchronous send; the send
// runs on a thread of its own so that the window never waits for another program.
void frmMain::BroadcastPolicyChange() {
  if (HANDLE thread = CreateThread(nullptr, 0, &BroadcastThread, nullptr, 0, nullptr)) CloseHandle(thread);
}

}  // namespace quellan::mainwindow

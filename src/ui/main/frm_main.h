#pragma once
// frmMain: the program's one working window, built from the layout table (main_layout.h): a
// borderless frame holding the check box, the two check lists, their captions and the two buttons,
// and on the window itself the title and the two links. Its handlers carry the names the program
// gives them; the registry it reads and writes is handed in, so that a test can give it one that
// refuses a write.
#include <windows.h>

#include <array>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "policy/autorun_policy.h"
#include "policy/registry_api.h"
#include "ui/button/orvane_button.h"
#include "ui/forms/check_box.h"
#include "ui/forms/check_list.h"
#include "ui/forms/form.h"
#include "ui/forms/frame.h"
#include "ui/forms/label.h"
#include "ui/forms/popup_menu.h"
#include "ui/forms/tool_tip.h"
#include "ui/main/main_layout.h"
#include "win32/handles.h"

namespace quellan::mainwindow {

class frmMain : public forms::Form {
 public:
  // dpi: the display's real DPI, which turns the layout's twips into pixels.
  frmMain(policy::RegistryApi& registry, int dpi);
  ~frmMain() override;

  // Creates the window and its controls hidden, runs Form_Load (the lists are filled and ticked
  // before anything is shown), then shows the window centred. False if the window could not be made.
  bool Load(int showCommand = SW_SHOWNORMAL);

  // Public procedures of the window.
  void trefresh();
  void about();
  void sethand();

  // The ticks the window shows, as a save would write them.
  policy::AutorunTicks Ticks() const;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // A member that a row of the layout makes, of the row's kind.
  using Control =
      std::variant<forms::Frame*, button::OrvaneButton*, forms::CheckList*, forms::CheckBox*, forms::Label*>;
  void CreateControls();
  void CreateControl(const ControlRow& row, int id, Control member);
  HWND Container(const ControlRow& row) const;
  HFONT FontFor(const LayoutFont& font);
  void CreateToolTips();
  // Shows the sentence as the tool tip of lstDrvs (list 0) or lstDrvTypes (list 1).
  void ShowStatus(int list, const std::u16string& sentence);
  void OpenMenu(int menu);
  // Shows the machine-wide policy's notice under the layout, growing the window for it, or hides
  // it and gives the window its layout size when there is nothing to say.
  void ShowNotice(const std::u16string& notice);
  // Ticks the system menu's switches as stored, and writes the one chosen.
  void ShowSwitchTicks();
  void SwitchChosen(std::size_t index);

  // Handlers, as the program names them.
  void Form_Load();
  void btRefresh_Click();
  void btSaveSet_Click();
  void chkGlobal_Click();
  void lstDrvs_ItemCheck(int Index);
  void lstDrvTypes_ItemCheck(int Index);
  void lstDrvs_MouseDown(forms::MouseButton Button);
  void lstDrvTypes_MouseDown(forms::MouseButton Button);
  void m11_Click();
  void m12_Click();
  void m21_Click();
  void m22_Click();
  void CAP_Click();
  void link1_Click();
  void link2_Click();

  policy::RegistryApi& m_registry;
  int m_dpi;
  HICON m_icon = nullptr;
  // The fonts the layout asks for, made once each; they outlive the controls that use them.
  std::vector<std::pair<LayoutFont, win32::Font>> m_fonts;

  forms::Frame m_fraSet;
  button::OrvaneButton m_btRefresh;
  forms::CheckList m_lstDrvTypes;
  forms::CheckBox m_chkGlobal;
  forms::CheckList m_lstDrvs;
  button::OrvaneButton m_btSaveSet;
  forms::Label m_Label10;
  forms::Label m_Label9;
  forms::Label m_link2;
  forms::Label m_link1;
  forms::Label m_CAP;
  forms::Label m_notice;  // what a machine-wide policy overrides; not part of the layout
  forms::ToolTip m_tips;
  std::array<std::u16string, 2> m_status;   // the lists' tips, kept for when the tips are made
  std::array<forms::PopupMenu, 2> m_menus;  // m1 over lstDrvs, m2 over lstDrvTypes
};

}  // namespace quellan::mainwindow

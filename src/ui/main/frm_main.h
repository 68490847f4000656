#pragma once
// frmMain: the program's one working window. It is built from the layout table (main_layout.h):
// a borderless frame holding the check box, the two check lists, their captions and the two
// buttons, and on the window itself the title and the two links. Its handlers carry the names the
// program gives them; the registry it reads and writes is handed in, so that a test can give it a
// registry that refuses a write.
#include <windows.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "policy/check_box_model.h"
#include "policy/check_list_model.h"
#include "policy/registry_api.h"
#include "ui/forms/check_box.h"
#include "ui/forms/check_list.h"
#include "ui/forms/font.h"
#include "ui/forms/form.h"
#include "ui/forms/frame.h"
#include "ui/forms/handles.h"
#include "ui/forms/label.h"
#include "ui/forms/popup_menu.h"
#include "ui/forms/tool_tip.h"
#include "ui/main/main_layout.h"

namespace quellan::button {
class OrvaneButton;
}

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

  // The window of a control of the layout table, by its name ("lstDrvs", "CAP", ...).
  HWND Control(const char* name) const;
  policy::CheckListModel& lstDrvsModel() { return m_drvs; }
  policy::CheckListModel& lstDrvTypesModel() { return m_drvTypes; }
  policy::CheckBoxModel& chkGlobalModel() { return m_global; }
  button::OrvaneButton* btSaveSet() const { return m_btSaveSet.get(); }
  button::OrvaneButton* btRefresh() const { return m_btRefresh.get(); }
  const forms::ToolTip& ToolTips() const { return m_tips; }
  int Dpi() const { return m_dpi; }

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void CreateControls();
  void CreateToolTips();
  // Shows the status sentence of list 0 (letters) or 1 (types) as that list's tool tip.
  void ShowStatus(int list, const std::u16string& sentence);
  void CreateControl(const ControlSpec& item, int id);
  void ArrangeTabOrder();
  HFONT FontFor(const FontSpec& font);
  std::shared_ptr<forms::FontObject> FontObjectFor(const FontSpec& font) const;
  void OpenMenu(std::size_t menuIndex);

  // Handlers, as the program names them.
  void Form_Load();
  void btRefresh_Click();
  void btSaveSet_Click();
  void chkGlobal_Click();
  void lstDrvs_ItemCheck(int Index);
  void lstDrvTypes_ItemCheck(int Index);
  void lstDrvs_MouseDown(int Button, int Shift, float X, float Y);
  void lstDrvTypes_MouseDown(int Button, int Shift, float X, float Y);
  void m11_Click();
  void m12_Click();
  void m21_Click();
  void m22_Click();
  void CAP_Click();
  void link1_Click();
  void link2_Click();
  void CAP_MouseMove(int Button, int Shift, float X, float Y);
  void link1_MouseMove(int Button, int Shift, float X, float Y);
  void link2_MouseMove(int Button, int Shift, float X, float Y);

  // Tells other programs (Explorer among them) that the policy values have changed.
  static void BroadcastPolicyChange();

  policy::RegistryApi& m_registry;
  int m_dpi;

  policy::CheckListModel m_drvs;
  policy::CheckListModel m_drvTypes;
  policy::CheckBoxModel m_global;

  // Fonts made for the layout's font descriptions, by face, size and weight.
  std::map<std::tuple<std::u16string, float, int>, forms::Font> m_fonts;
  HICON m_icon = nullptr;

  forms::Frame m_fraSet;
  std::unique_ptr<button::OrvaneButton> m_btRefresh;
  forms::CheckList m_lstDrvTypes{m_drvTypes};
  forms::CheckBox m_chkGlobal{m_global};
  forms::CheckList m_lstDrvs{m_drvs};
  std::unique_ptr<button::OrvaneButton> m_btSaveSet;
  forms::Label m_Label10;
  forms::Label m_Label9;
  forms::Label m_link2;
  forms::Label m_link1;
  forms::Label m_CAP;
  forms::ToolTip m_tips;
  std::array<std::u16string, 2> m_pendingStatus;             // kept for the tips until they exist
  std::array<std::unique_ptr<forms::PopupMenu>, 2> m_menus;  // m1, m2
  std::map<std::string, HWND> m_controls;
};

}  // namespace quellan::mainwindow

#pragma once
// The main window as data: the window's attributes, its eleven controls in the program's order and the
// items of its two hidden menus. Lengths are twips relative to the container; frmMain turns them
// into pixels at the display's real DPI, so the table is the one place to compare with the window
// on screen.
#include <array>
#include <cstdint>
#include <string>

#include "ui/button/stored_properties.h"

namespace quellan::mainwindow {

// The controls, in the program's order; the value is the row of the table and the control's id offset.
enum ControlId {
  kFraSet,
  kBtRefresh,
  kLstDrvTypes,
  kChkGlobal,
  kLstDrvs,
  kBtSaveSet,
  kLabel10,
  kLabel9,
  kLink2,
  kLink1,
  kCAP,
  kControlCount
};

struct FontSpec {
  const char16_t* face;
  float points;
  int weight;
};

// Colours in the program's form (RGB, or 0x80000000 | system colour index).
constexpr std::uint32_t kRgbLightYellow = 0xC0FFFFu;  // RGB(255, 255, 192)
constexpr std::uint32_t kSysButtonText = 0x80000012u;

struct ControlSpec {
  const char* name;
  bool inFrame;            // a child of fraSet rather than of the window
  std::u16string caption;  // a button's caption is in its stored set
  int left, top, width, height;
  int tabIndex;
  FontSpec font;
  std::uint32_t foreColour;
  std::uint32_t backColour;
  bool transparent;  // a label drawn over its container's background
  bool centred;
  const char16_t* toolTip;            // null: none
  button::StoredProperties stored{};  // the buttons' stored property sets
};

struct FormSpec {
  std::u16string caption;
  int clientWidth, clientHeight;  // twips
  std::uint32_t backColour;
  FontSpec font;
};

const FormSpec& MainForm();
const std::array<ControlSpec, kControlCount>& MainControls();
// The two items of each hidden menu, m1 (over lstDrvs) and m2 (over lstDrvTypes).
inline constexpr const char16_t* kMenuItems[2] = {u"Select all", u"Deselect all"};

}  // namespace quellan::mainwindow

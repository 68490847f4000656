#pragma once
// The main window as data: the window's attributes, its controls one row each (row n with the id
// kControlIdBase + n, made in the order of their tab indexes) and the items of its two hidden
// menus. Lengths are twips relative to the container, turned into pixels at the display's real DPI
// by Pixels, so the table is the one place to compare with the window on screen.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quellan::mainwindow {

enum class Kind { Frame, Button, CheckList, CheckBox, Label };
// Where a control lives: on the window itself, or in the frame (the table's one Kind::Frame row).
enum class Parent { Form, Frame };

struct LayoutFont {
  const char16_t* face;
  float points;
  int weight;
};

struct Twips {
  int left, top, width, height;
};

// Colours in the program's form (RGB, or 0x80000000 | system colour index).
constexpr std::uint32_t kRgbLightYellow = 0xC0FFFFu;  // RGB(255, 255, 192)
constexpr std::uint32_t kSysButtonText = 0x80000012u;
constexpr LayoutFont kTahoma825{u"Tahoma", 8.25f, 400};

struct ControlRow {
  const char* name;
  Kind kind;
  Parent parent;
  Twips twips;
  int tabIndex;
  std::u16string caption = {};                 // a button's: its stored Caption
  LayoutFont font = kTahoma825;                // a button's: its stored Font
  std::uint32_t foreColour = kSysButtonText;   // labels and the check box
  std::uint32_t backColour = kRgbLightYellow;  // the frame, the check box and opaque labels
  bool transparent = false;                    // a label drawn over its container's background
  bool centred = false;                        // a label's caption centred
  const char16_t* toolTip = nullptr;
  const char* labelledBy = nullptr;  // a list's: the label whose words name it for screen readers
};

struct FormAttributes {
  std::u16string caption;
  int clientWidth, clientHeight;  // twips
  std::uint32_t backColour;
  LayoutFont font;
};

constexpr int kControlIdBase = 1000;

const FormAttributes& MainForm();
std::span<const ControlRow> MainControls();
// The position of the row named `name` (its control's id is kControlIdBase + it); past the end if none.
std::size_t RowIndex(std::string_view name);
// The rows' positions in the order of their tab indexes, the order the window makes them in: a new
// child goes below its siblings, so the z-order the dialog manager walks for Tab follows.
std::vector<std::size_t> CreationOrder();

struct PixelBox {
  int left, top, width, height;
};
// A row's rectangle in its container at `dpi`: each length rounded to the nearest pixel, as placed.
PixelBox Pixels(const ControlRow& row, int dpi);

// The two items of each hidden menu, m1 (over lstDrvs) and m2 (over lstDrvTypes).
inline constexpr const char16_t* kMenuItems[2] = {u"Select all", u"Deselect all"};

}  // namespace quellan::mainwindow

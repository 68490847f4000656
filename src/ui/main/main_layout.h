#pragma once
// The main window as data: the window's attributes, its eleven controls in creation order and its
// two hidden menus. Lengths are twips relative to the container; frmMain turns them into pixels at
// the display's real DPI with the small functions below, so the table is the one place to compare
// with the window on screen.
#include <array>
#include <cstdint>
#include <string>

namespace quellan::mainwindow {

enum class ControlType { Frame, Button, CheckList, CheckBox, Label };
enum class Container { Window, Frame };
enum class Alignment { Left, Centre };

// A font of the table; a null face means "the window's font".
struct FontSpec {
  const char16_t* face;
  float points;
  int weight;
};
constexpr FontSpec kWindowFont{nullptr, 0.0f, 0};

// Colour in the program's form (RGB, or 0x80000000 | system colour index).
constexpr std::uint32_t kRgbLightYellow = 0xC0FFFFu;  // RGB(255, 255, 192)
constexpr std::uint32_t kRgbBlue = 0xFF0000u;         // RGB(0, 0, 255)
constexpr std::uint32_t kRgbOrange = 0x0080FFu;       // RGB(255, 128, 0)
// The platform's colours for a kind of control, in the system-colour form.
constexpr std::uint32_t kSysButtonText = 0x80000012u;  // labels, check box
constexpr std::uint32_t kSysButtonFace = 0x8000000Fu;
constexpr std::uint32_t kSysWindowText = 0x80000008u;  // lists
constexpr std::uint32_t kSysWindow = 0x80000005u;

enum class Background { System, Opaque, Transparent };

struct ControlSpec {
  const char* name;
  ControlType type;
  Container container;
  std::u16string caption;
  int left, top, width, height;  // twips, relative to the container's client area
  int tabIndex;
  FontSpec font;
  std::uint32_t foreColour;
  Background background;
  std::uint32_t backColour;
  Alignment alignment;
  std::u16string toolTip;           // empty: none
  bool clickable;                   // raises Click and MouseMove to the window (the about box and the links)
  const char* classId;              // programmatic identifier of a user control; null for built-in controls
  std::u16string storedProperties;  // the user control's stored property set, textual form
};

struct FormSpec {
  std::u16string caption;
  int clientWidth, clientHeight;  // twips
  std::uint32_t backColour;
  FontSpec font;
  bool minimizeButton, maximizeButton, resizable;
};

struct MenuItemSpec {
  const char* name;
  std::u16string caption;
};
struct MenuSpec {
  const char* name;
  const char* openedOver;  // the control whose right-button press opens it
  std::array<MenuItemSpec, 2> items;
};

constexpr std::size_t kControlCount = 11;
constexpr int kFrameTop = 765;  // twips; the frame has no border, its client area is its rectangle

const FormSpec& MainForm();
const std::array<ControlSpec, kControlCount>& MainControls();  // in creation order
const std::array<MenuSpec, 2>& MainMenus();

// The control of the table with that name, or null.
const ControlSpec* FindControl(const char* name);

// A control's rectangle in pixels.
struct PixelRect {
  int left, top, width, height;
  bool operator==(const PixelRect& o) const {
    return left == o.left && top == o.top && width == o.width && height == o.height;
  }
};
// Relative to its container's client area.
PixelRect ContainerRect(const ControlSpec& control, int dpi);
// Relative to the window's client area (a frame child is offset by the frame's own position).
PixelRect WindowRect(const ControlSpec& control, int dpi);

// The controls that take the keyboard focus, in the order Tab visits them: by tab index, counting
// only focusable controls (lists, the check box, the buttons), never labels or the frame.
std::array<const ControlSpec*, 5> TabStops();

// Texts built from the maker's identity: the window caption ("Quellan © " and the address in
// capitals), link1 (notice and the address in small letters) and link2 (address, "®", e-mail).
std::u16string WindowCaption();
std::u16string Link1Caption();
std::u16string Link2Caption();

// UTF-8 text (as the build writes the identity strings) to UTF-16; malformed bytes become U+FFFD.
std::u16string Utf8ToUtf16(const std::string& text);

}  // namespace quellan::mainwindow

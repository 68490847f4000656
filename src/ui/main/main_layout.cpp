#include "ui/main/main_layout.h"

#include <algorithm>

#include "ui/forms/twips.h"
#include "ui/main/maker_identity.h"

namespace quellan::mainwindow {

namespace {

constexpr LayoutFont kTahoma12Bold{u"Tahoma", 12.0f, 700};
constexpr LayoutFont kTahoma2025Bold{u"Tahoma", 20.25f, 700};
constexpr std::uint32_t kBlue = 0xFF0000u;    // RGB(0, 0, 255)
constexpr std::uint32_t kOrange = 0x0080FFu;  // RGB(255, 128, 0)

std::u16string AsciiCase(std::u16string text, bool upper) {
  for (char16_t& c : text) {
    if (upper && c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (!upper && c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return text;
}

}  // namespace

const FormAttributes& MainForm() {
  static const FormAttributes form{u"Quellan \u00A9 " + AsciiCase(identity::kWebAddress, true), 4245, 4005,
                                   kRgbLightYellow, kTahoma825};
  return form;
}

// chkGlobal, Label10 and Label9 are wider than the program first had them, and Label9 starts further
// left, so that each text stays on one line up to 144 DPI in the Tahoma that Wine has; they reach no
// further than the frame's right edge. A row a control, as in a dialog template.
std::span<const ControlRow> MainControls() {
  // clang-format off
  static const ControlRow controls[] = {
      {.name = "fraSet", .kind = Kind::Frame, .parent = Parent::Form, .twips = {0, 765, 4240, 2985}, .tabIndex = 0,
       .caption = u"AutoRun Settings "},
      {.name = "btRefresh", .kind = Kind::Button, .parent = Parent::Frame, .twips = {135, 2385, 1950, 555},
       .tabIndex = 6, .caption = u"Refresh"},
      {.name = "lstDrvTypes", .kind = Kind::CheckList, .parent = Parent::Frame, .twips = {135, 690, 1935, 1605},
       .tabIndex = 3, .labelledBy = "Label10"},
      {.name = "chkGlobal", .kind = Kind::CheckBox, .parent = Parent::Frame, .twips = {135, 90, 4095, 300},
       .tabIndex = 2, .caption = u"Disable Autorun for All Drives", .font = kTahoma12Bold},
      {.name = "lstDrvs", .kind = Kind::CheckList, .parent = Parent::Frame, .twips = {2175, 690, 1935, 1605},
       .tabIndex = 1, .labelledBy = "Label9"},
      {.name = "btSaveSet", .kind = Kind::Button, .parent = Parent::Frame, .twips = {2160, 2385, 1950, 555},
       .tabIndex = 7, .caption = u"Save Setting"},
      {.name = "Label10", .kind = Kind::Label, .parent = Parent::Frame, .twips = {135, 450, 1950, 255}, .tabIndex = 5,
       .caption = u"\u00BB Disable for Drive Type:", .transparent = true},
      {.name = "Label9", .kind = Kind::Label, .parent = Parent::Frame, .twips = {2090, 450, 2150, 255}, .tabIndex = 4,
       .caption = u"\u00BB Disable for Drive Letters:", .transparent = true},
      {.name = "link2", .kind = Kind::Label, .parent = Parent::Form, .twips = {135, 3735, 3975, 240}, .tabIndex = 10,
       .caption = std::u16string(identity::kWebAddress) + u" \u00AE " + identity::kAuthorEmail, .foreColour = kBlue,
       .centred = true, .toolTip = u"Send IM to author..."},
      {.name = "link1", .kind = Kind::Label, .parent = Parent::Form, .twips = {1530, 450, 2535, 240}, .tabIndex = 9,
       .caption = std::u16string(identity::kRightsNotice) + u" " + AsciiCase(identity::kWebAddress, false),
       .foreColour = kBlue, .centred = true, .toolTip = u"Homepage..."},
      {.name = "CAP", .kind = Kind::Label, .parent = Parent::Form, .twips = {90, 0, 3345, 465}, .tabIndex = 8,
       .caption = identity::kProductName, .font = kTahoma2025Bold, .foreColour = kOrange, .transparent = true,
       .centred = true, .toolTip = u"About..."},
  };
  // clang-format on
  return controls;
}

std::vector<std::size_t> CreationOrder() {
  const std::span<const ControlRow> rows = MainControls();
  std::vector<std::size_t> order(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&rows](std::size_t a, std::size_t b) { return rows[a].tabIndex < rows[b].tabIndex; });
  return order;
}

std::size_t RowIndex(std::string_view name) {
  std::size_t i = 0;
  while (i < MainControls().size() && name != MainControls()[i].name) ++i;
  return i;
}

PixelBox Pixels(const ControlRow& row, int dpi) {
  const auto px = [dpi](int twips) { return forms::TwipsToPixels(twips, dpi); };
  return {px(row.twips.left), px(row.twips.top), px(row.twips.width), px(row.twips.height)};
}

}  // namespace quellan::mainwindow

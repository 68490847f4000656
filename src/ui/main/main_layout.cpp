#include "ui/main/main_layout.h"

#include "ui/main/maker_identity.h"

namespace quellan::mainwindow {

namespace {

constexpr FontSpec kTahoma825{u"Tahoma", 8.25f, 400};
constexpr FontSpec kTahoma12Bold{u"Tahoma", 12.0f, 700};
constexpr FontSpec kTahoma2025Bold{u"Tahoma", 20.25f, 700};
constexpr std::uint32_t kBlue = 0xFF0000u;    // RGB(0, 0, 255)
constexpr std::uint32_t kOrange = 0x0080FFu;  // RGB(255, 128, 0)
constexpr std::uint32_t kSysButtonFace = 0x8000000Fu;
constexpr std::uint32_t kSysWindowText = 0x80000008u;
constexpr std::uint32_t kSysWindow = 0x80000005u;

std::u16string AsciiCase(std::u16string text, bool upper) {
  for (char16_t& c : text) {
    if (upper && c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (!upper && c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return text;
}

// Only the font and the caption of the window's buttons differ from the control's defaults.
button::StoredProperties ButtonStored(const char16_t* caption) {
  return {std::nullopt, std::nullopt, forms::FontObject{u"Tahoma", 8.25f, 400}, caption};
}

}  // namespace

const FormSpec& MainForm() {
  static const FormSpec form{u"Quellan \u00A9 " + AsciiCase(identity::kWebAddress, true), 4245, 4005, kRgbLightYellow,
                             kTahoma825};
  return form;
}

const std::array<ControlSpec, kControlCount>& MainControls() {
  const std::uint32_t text = kSysButtonText;
  const std::uint32_t face = kSysButtonFace;
  const std::uint32_t yellow = kRgbLightYellow;
  const FontSpec window = kTahoma825;
  // chkGlobal, Label10 and Label9 are wider than the program first had them, and Label9 starts further
  // left, so that each text stays on one line up to 144 DPI in the Tahoma that Wine has; they reach
  // no further than the frame's right edge.
  static const std::array<ControlSpec, kControlCount> controls{{
      {"fraSet", false, u"AutoRun Settings ", 0, 765, 4240, 2985, 0, window, text, yellow, false, false, nullptr},
      {"btRefresh", true, u"", 135, 2385, 1950, 555, 6, window, text, face, false, true, nullptr,
       ButtonStored(u"Refresh")},
      {"lstDrvTypes", true, u"", 135, 690, 1935, 1605, 3, window, kSysWindowText, kSysWindow, false, false, nullptr},
      {"chkGlobal", true, u"Disable Autorun for All Drives", 135, 90, 4095, 300, 2, kTahoma12Bold, text, yellow, false,
       false, nullptr},
      {"lstDrvs", true, u"", 2175, 690, 1935, 1605, 1, window, kSysWindowText, kSysWindow, false, false, nullptr},
      {"btSaveSet", true, u"", 2160, 2385, 1950, 555, 7, window, text, face, false, true, nullptr,
       ButtonStored(u"Save Setting")},
      {"Label10", true, u"\u00BB Disable for Drive Type:", 135, 450, 1950, 255, 5, window, text, face, true, false,
       nullptr},
      {"Label9", true, u"\u00BB Disable for Drive Letters:", 2090, 450, 2150, 255, 4, window, text, face, true, false,
       nullptr},
      {"link2", false, std::u16string(identity::kWebAddress) + u" \u00AE " + identity::kAuthorEmail, 135, 3735, 3975,
       240, 10, window, kBlue, yellow, false, true, u"Send IM to author..."},
      {"link1", false, std::u16string(identity::kRightsNotice) + u" " + AsciiCase(identity::kWebAddress, false), 1530,
       450, 2535, 240, 9, window, kBlue, yellow, false, true, u"Homepage..."},
      {"CAP", false, identity::kProductName, 90, 0, 3345, 465, 8, kTahoma2025Bold, kOrange, face, true, true,
       u"About..."},
  }};
  return controls;
}

}  // namespace quellan::mainwindow

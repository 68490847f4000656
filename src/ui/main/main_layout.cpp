#include "ui/main/main_layout.h"

#include <algorithm>
#include <cstring>

#include "ui/forms/twips.h"
#include "ui/main/maker_identity.h"

namespace quellan::mainwindow {

namespace {

constexpr FontSpec kTahoma825{u"Tahoma", 8.25f, 400};
constexpr FontSpec kTahoma12Bold{u"Tahoma", 12.0f, 700};
constexpr FontSpec kTahoma2025Bold{u"Tahoma", 20.25f, 700};

std::u16string AsciiCase(std::u16string text, bool upper) {
  for (char16_t& c : text) {
    if (upper && c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (!upper && c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return text;
}

// The stored property set of one of the window's two buttons: only its font and caption differ
// from the control's defaults.
std::u16string ButtonProperties(const std::u16string& caption) {
  return u"Font {\n  Name = \"Tahoma\"\n  Size = 8.25\n  Weight = 400\n}\nCaption = \"" + caption + u"\"\n";
}

std::array<ControlSpec, kControlCount> BuildControls() {
  using CT = ControlType;
  using C = Container;
  const std::uint32_t text = kSysButtonText;
  const std::uint32_t face = kSysButtonFace;
  const std::uint32_t yellow = kRgbLightYellow;
  return {{
      {"fraSet", CT::Frame, C::Window, u"AutoRun Settings ", 0, 765, 4240, 2985, 0, kWindowFont, text,
       Background::Opaque, yellow, Alignment::Left, u"", false, nullptr, u""},
      {"btRefresh", CT::Button, C::Frame, u"Refresh", 135, 2385, 1950, 555, 6, kTahoma825, text, Background::System,
       face, Alignment::Centre, u"", false, "Quellan.OrvaneButton", ButtonProperties(u"Refresh")},
      {"lstDrvTypes", CT::CheckList, C::Frame, u"", 135, 690, 1935, 1605, 3, kWindowFont, kSysWindowText,
       Background::System, kSysWindow, Alignment::Left, u"", false, nullptr, u""},
      {"chkGlobal", CT::CheckBox, C::Frame, u"Disable Autorun for All Drives", 135, 90, 3975, 300, 2, kTahoma12Bold,
       text, Background::Opaque, yellow, Alignment::Left, u"", false, nullptr, u""},
      {"lstDrvs", CT::CheckList, C::Frame, u"", 2175, 690, 1935, 1605, 1, kWindowFont, kSysWindowText,
       Background::System, kSysWindow, Alignment::Left, u"", false, nullptr, u""},
      {"btSaveSet", CT::Button, C::Frame, u"Save Setting", 2160, 2385, 1950, 555, 7, kTahoma825, text,
       Background::System, face, Alignment::Centre, u"", false, "Quellan.OrvaneButton",
       ButtonProperties(u"Save Setting")},
      {"Label10", CT::Label, C::Frame, u"\u00BB Disable for Drive Type:", 135, 450, 1935, 255, 5, kWindowFont, text,
       Background::Transparent, face, Alignment::Left, u"", false, nullptr, u""},
      {"Label9", CT::Label, C::Frame, u"\u00BB Disable for Drive Letters:", 2175, 450, 1950, 255, 4, kWindowFont, text,
       Background::Transparent, face, Alignment::Left, u"", false, nullptr, u""},
      {"link2", CT::Label, C::Window, Link2Caption(), 135, 3735, 3975, 240, 10, kWindowFont, kRgbBlue,
       Background::Opaque, yellow, Alignment::Centre, u"Send IM to author...", true, nullptr, u""},
      {"link1", CT::Label, C::Window, Link1Caption(), 1530, 450, 2535, 240, 9, kWindowFont, kRgbBlue,
       Background::Opaque, yellow, Alignment::Centre, u"Homepage...", true, nullptr, u""},
      {"CAP", CT::Label, C::Window, u"Quellan", 90, 0, 3345, 465, 8, kTahoma2025Bold, kRgbOrange,
       Background::Transparent, face, Alignment::Centre, u"About...", true, nullptr, u""},
  }};
}

}  // namespace

const FormSpec& MainForm() {
  static const FormSpec form{WindowCaption(), 4245, 4005, kRgbLightYellow, kTahoma825, true, false, false};
  return form;
}

const std::array<ControlSpec, kControlCount>& MainControls() {
  static const std::array<ControlSpec, kControlCount> controls = BuildControls();
  return controls;
}

const std::array<MenuSpec, 2>& MainMenus() {
  static const std::array<MenuSpec, 2> menus{{
      {"m1", "lstDrvs", {{{"m11", u"Select all"}, {"m12", u"Deselect all"}}}},
      {"m2", "lstDrvTypes", {{{"m21", u"Select all"}, {"m22", u"Deselect all"}}}},
  }};
  return menus;
}

const ControlSpec* FindControl(const char* name) {
  for (const ControlSpec& c : MainControls())
    if (std::strcmp(c.name, name) == 0) return &c;
  return nullptr;
}

PixelRect ContainerRect(const ControlSpec& control, int dpi) {
  using forms::TwipsToPixels;
  return {TwipsToPixels(control.left, dpi), TwipsToPixels(control.top, dpi), TwipsToPixels(control.width, dpi),
          TwipsToPixels(control.height, dpi)};
}

PixelRect WindowRect(const ControlSpec& control, int dpi) {
  PixelRect r = ContainerRect(control, dpi);
  if (control.container == Container::Frame) {
    const PixelRect frame = ContainerRect(*FindControl("fraSet"), dpi);
    r.left += frame.left;
    r.top += frame.top;
  }
  return r;
}

std::array<const ControlSpec*, 5> TabStops() {
  std::array<const ControlSpec*, 5> stops{};
  std::size_t n = 0;
  for (const ControlSpec& c : MainControls()) {
    const bool focusable =
        c.type == ControlType::CheckList || c.type == ControlType::CheckBox || c.type == ControlType::Button;
    if (focusable && n < stops.size()) stops[n++] = &c;
  }
  std::stable_sort(stops.begin(), stops.begin() + n,
                   [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
  return stops;
}

std::u16string WindowCaption() { return u"Quellan \u00A9 " + AsciiCase(Utf8ToUtf16(identity::kWebAddress), true); }

std::u16string Link1Caption() {
  return Utf8ToUtf16(identity::kRightsNotice) + u" " + AsciiCase(Utf8ToUtf16(identity::kWebAddress), false);
}

std::u16string Link2Caption() {
  return Utf8ToUtf16(identity::kWebAddress) + u" \u00AE " + Utf8ToUtf16(identity::kAuthorEmail);
}

std::u16string Utf8ToUtf16(const std::string& text) {
  std::u16string out;
  out.reserve(text.size());
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = byte(i);
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
      cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
      out.push_back(u'\uFFFD');
      ++i;
      continue;
    }
    std::size_t j = 1;
    for (; j <= static_cast<std::size_t>(extra); ++j) {
      if (i + j >= text.size() || (byte(i + j) & 0xC0) != 0x80) break;
      cp = (cp << 6) | (byte(i + j) & 0x3F);
    }
    if (j <= static_cast<std::size_t>(extra) || cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out.push_back(u'\uFFFD');
      i += j;  // skip the lead and the continuation bytes that belonged to it
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += j;
  }
  return out;
}

}  // namespace quellan::mainwindow

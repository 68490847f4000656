#include "ui/button/button_logic.h"

#include <utility>

namespace quellan::button {

const char16_t kDefaultCaption[] = u"UniButton";

namespace {

// Names of the stored properties, in the order they are read and written.
constexpr char kForeColorName[] = "ForeColor";
constexpr char kEnabledName[] = "Enabled";
constexpr char kFontName[] = "Font";
constexpr char kCaptionName[] = "Caption";

}  // namespace

ButtonLook LookFor(int requestedState, bool enabled, std::uint32_t foreColor) {
  if (!enabled) return ButtonLook{kStateDisabled, kFrameButtonPush, kDisabledTextColour};
  const unsigned frame = requestedState == kStatePressed ? (kFrameButtonPush | kFramePushed) : kFrameButtonPush;
  return ButtonLook{requestedState, frame, foreColor};
}

ButtonLogic::ButtonLogic(ButtonPlatform& platform, std::shared_ptr<const forms::FontObject> ambientFont)
    : m_platform(platform),
      m_ambientFont(ambientFont ? std::move(ambientFont) : std::make_shared<const forms::FontObject>()),
      m_font(std::make_shared<forms::FontObject>(*m_ambientFont)),
      m_Caption(kDefaultCaption) {}

// ---- properties ----

void ButtonLogic::ForeColor(std::uint32_t New_ForeColor) {
  m_foreColor = New_ForeColor;
  DrawButton(kStateNormal);
  ReportChanged(kForeColorName);
}

void ButtonLogic::Enabled(bool New_Enabled) {
  // Stored first: disabling a focused window takes the focus away at once, and the redraw that
  // follows must already show the disabled look.
  m_enabled = New_Enabled;
  m_platform.SetEnabled(New_Enabled);
  DrawButton(kStateNormal);
  ReportChanged(kEnabledName);
}

void ButtonLogic::Font(std::shared_ptr<forms::FontObject> New_Font) {
  if (!New_Font) return;
  m_font = std::move(New_Font);
  DrawButton(kStateNormal);
  ReportChanged(kFontName);
}

void ButtonLogic::Caption(std::u16string New_Caption) {
  m_Caption = std::move(New_Caption);
  m_platform.SetText(m_Caption);
  DrawButton(kStateNormal);
  ReportChanged(kCaptionName);
}

void ButtonLogic::ReportChanged(const char* name) {
  if (m_events.PropertyChanged) m_events.PropertyChanged(name);
}

// ---- stored properties ----

void ButtonLogic::UserControl_InitProperties() {
  m_font = std::make_shared<forms::FontObject>(*m_ambientFont);
  m_Caption = kDefaultCaption;
}

void ButtonLogic::UserControl_ReadProperties(const forms::PropertySet& stored) {
  m_foreColor = stored.ReadColour(kForeColorName, kDefaultForeColor);
  m_enabled = stored.ReadBoolean(kEnabledName, true);
  m_font = std::make_shared<forms::FontObject>(stored.ReadFont(kFontName, *m_ambientFont));
  m_Caption = stored.ReadString(kCaptionName, kDefaultCaption);
}

void ButtonLogic::UserControl_WriteProperties(forms::PropertySet& stored) const {
  stored.WriteProperty(kForeColorName, static_cast<std::int64_t>(m_foreColor),
                       static_cast<std::int64_t>(kDefaultForeColor));
  stored.WriteProperty(kEnabledName, m_enabled, true);
  stored.WriteProperty(kFontName, *m_font, *m_ambientFont);
  stored.WriteProperty(kCaptionName, m_Caption, std::u16string(kDefaultCaption));
}

// ---- notifications ----

void ButtonLogic::DrawButton(int state) { m_platform.Render(LookFor(state, m_enabled, m_foreColor)); }

void ButtonLogic::UserControl_Resize() { DrawButton(kStateNormal); }

void ButtonLogic::UserControl_Show() { DrawButton(kStateNormal); }

void ButtonLogic::UserControl_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) {
  if (m_events.MouseDown) m_events.MouseDown(Button, Shift, X, Y);
  if (Button == kLeftButton) {
    m_LeftDown = true;
    DrawButton(kStatePressed);
  } else {
    m_LeftDown = false;
  }
}

void ButtonLogic::UserControl_MouseMove(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) {
  if (m_events.MouseMove) m_events.MouseMove(Button, Shift, X, Y);
  if (Button == kLeftButton) {
    DrawButton(m_platform.IsMouseOver() ? kStatePressed : kStateHot);
  } else if (Button != kRightButton) {
    m_platform.SetTimerInterval(kHoverInterval);
    DrawButton(kStateHot);
  }
}

void ButtonLogic::UserControl_MouseUp(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) {
  if (m_events.MouseUp) m_events.MouseUp(Button, Shift, X, Y);
  DrawButton(m_HasFocus ? kStateDefaulted : kStateNormal);
}

void ButtonLogic::Timer1_Timer() {
  if (m_platform.IsMouseOver()) return;
  m_platform.SetTimerInterval(0);
  DrawButton(m_HasFocus ? kStateDefaulted : kStateNormal);
}

void ButtonLogic::UserControl_EnterFocus() {
  m_HasFocus = true;
  // Focus that arrives with a left press is drawn by the press (pressed look) instead.
  if (!m_LeftDown) DrawButton(kStateDefaulted);
}

void ButtonLogic::UserControl_ExitFocus() {
  m_HasFocus = false;
  DrawButton(kStateNormal);
  m_LeftDown = false;
}

void ButtonLogic::UserControl_DblClick() {
  if (!m_LeftDown) return;
  m_platform.SetCapture();
  std::int16_t button = kLeftButton;
  std::int16_t shift = 0;
  float x = 0.0f;
  float y = 0.0f;
  UserControl_MouseDown(button, shift, x, y);
}

void ButtonLogic::UserControl_Click() {
  if (m_events.Click) m_events.Click();
}

void ButtonLogic::UserControl_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) {
  if (m_events.KeyDown) m_events.KeyDown(KeyCode, Shift);
}

void ButtonLogic::UserControl_KeyPress(std::int16_t& KeyAscii) {
  if (m_events.KeyPress) m_events.KeyPress(KeyAscii);
}

void ButtonLogic::UserControl_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) {
  if (m_events.KeyUp) m_events.KeyUp(KeyCode, Shift);
}

// ---- the host's input rule ----

void ButtonInput::Created() { m_platform.SetTimerInterval(kHoverInterval); }

void ButtonInput::ButtonDown(std::int16_t button, std::int16_t shift, float x, float y, bool doubleClick) {
  m_pressed = static_cast<std::int16_t>(m_pressed | button);
  if (button == kLeftButton && doubleClick) {
    // The second press of a double click: the control decides whether it counts as a press (and
    // captures the mouse itself); no click follows it.
    m_clickArmed = false;
    m_control.UserControl_DblClick();
    return;
  }
  m_platform.SetCapture();
  if (button == kLeftButton) m_clickArmed = true;
  std::int16_t Button = button;
  std::int16_t Shift = shift;
  float X = x;
  float Y = y;
  m_control.UserControl_MouseDown(Button, Shift, X, Y);
  if (button == kLeftButton) m_platform.TakeFocus();
}

void ButtonInput::ButtonUp(std::int16_t button, std::int16_t shift, float x, float y, bool overControl,
                           std::int16_t stillHeld) {
  if (!(m_pressed & button)) return;
  m_pressed = static_cast<std::int16_t>(m_pressed & ~button);
  std::int16_t Button = button;
  std::int16_t Shift = shift;
  float X = x;
  float Y = y;
  m_control.UserControl_MouseUp(Button, Shift, X, Y);
  const bool click = button == kLeftButton && m_clickArmed && overControl;
  if (button == kLeftButton) m_clickArmed = false;
  // The capture ends with the last held button, before Click: a Click handler may open a modal
  // window, which must not find the mouse still captured.
  if (stillHeld == 0) {
    m_pressed = 0;
    m_platform.ReleaseCapture();
  }
  if (click) m_control.UserControl_Click();
}

void ButtonInput::MouseMove(std::int16_t held, std::int16_t shift, float x, float y) {
  std::int16_t Button = held;
  std::int16_t Shift = shift;
  float X = x;
  float Y = y;
  m_control.UserControl_MouseMove(Button, Shift, X, Y);
}

void ButtonInput::CaptureLost() {
  // The held buttons stay recorded: a release that still lands on the control ends the press
  // (MouseUp and the idle look), but makes no click.
  m_clickArmed = false;
}

}  // namespace quellan::button

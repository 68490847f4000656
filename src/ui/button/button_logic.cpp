#include "ui/button/button_logic.h"

#include <optional>
#include <utility>

namespace quellan::button {

namespace {

// The value to store: left out when it equals its default.
template <class T>
std::optional<T> UnlessDefault(const T& value, const T& byDefault) {
  if (value == byDefault) return std::nullopt;
  return value;
}

}  // namespace

// ---- properties ----

void ButtonLogic::ForeColor(std::uint32_t New_ForeColor) {
  m_ForeColor = New_ForeColor;
  DrawButton(kStateNormal);
  Raise(m_events.PropertyChanged, "ForeColor");
}

void ButtonLogic::Enabled(bool New_Enabled) {
  // Stored first: disabling a focused window takes the focus away at once, and the redraw that
  // follows must already show the disabled look.
  m_Enabled = New_Enabled;
  m_platform.SetEnabled(New_Enabled);
  DrawButton(kStateNormal);
  Raise(m_events.PropertyChanged, "Enabled");
}

void ButtonLogic::Font(std::shared_ptr<forms::FontObject> New_Font) {
  if (!New_Font) return;
  m_Font = std::move(New_Font);
  DrawButton(kStateNormal);
  Raise(m_events.PropertyChanged, "Font");
}

void ButtonLogic::Caption(std::u16string New_Caption) {
  m_Caption = std::move(New_Caption);
  m_platform.SetText(m_Caption);
  DrawButton(kStateNormal);
  Raise(m_events.PropertyChanged, "Caption");
}

// ---- stored properties ----

void ButtonLogic::UserControl_ReadProperties(const StoredProperties& stored) {
  m_ForeColor = stored.ForeColor.value_or(kDefaultForeColour);
  m_Enabled = stored.Enabled.value_or(true);
  m_Font = std::make_shared<forms::FontObject>(stored.Font.value_or(m_platform.AmbientFont()));
  m_Caption = stored.Caption.value_or(kDefaultCaption);
}

void ButtonLogic::UserControl_WriteProperties(StoredProperties& stored) const {
  stored.ForeColor = UnlessDefault(m_ForeColor, kDefaultForeColour);
  stored.Enabled = UnlessDefault(m_Enabled, true);
  stored.Font = UnlessDefault(*m_Font, m_platform.AmbientFont());
  stored.Caption = UnlessDefault(m_Caption, std::u16string(kDefaultCaption));
}

// ---- notifications ----

void ButtonLogic::DrawButton(int state) {
  if (!m_Enabled) return m_platform.Render({kStateDisabled, kFrameButtonPush, kDisabledTextColour});
  const unsigned frame = state == kStatePressed ? kFrameButtonPush | kFramePushed : kFrameButtonPush;
  m_platform.Render({state, frame, m_ForeColor});
}

void ButtonLogic::UserControl_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) {
  Raise(m_events.MouseDown, Button, Shift, X, Y);
  m_LeftDown = Button == forms::kLeftButton;
  if (m_LeftDown) DrawButton(kStatePressed);
}

void ButtonLogic::UserControl_MouseMove(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) {
  Raise(m_events.MouseMove, Button, Shift, X, Y);
  if (Button == forms::kLeftButton) {
    DrawButton(m_platform.IsMouseOver() ? kStatePressed : kStateHot);
  } else if (Button != forms::kRightButton) {
    m_platform.SetTimerInterval(kHoverInterval);
    DrawButton(kStateHot);
  }
}

void ButtonLogic::UserControl_MouseUp(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) {
  Raise(m_events.MouseUp, Button, Shift, X, Y);
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
  m_SpaceDown = false;  // a Space released elsewhere clicks nothing here
}

void ButtonLogic::UserControl_DblClick() {
  if (!m_LeftDown) return;
  m_platform.SetCapture();
  std::int16_t button = forms::kLeftButton, shift = 0;
  float x = 0, y = 0;
  UserControl_MouseDown(button, shift, x, y);
}

void ButtonLogic::UserControl_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) {
  Raise(m_events.KeyDown, KeyCode, Shift);
  if (Shift & kShiftAlt) return;  // with Alt the keys are the system's (Alt+Space: the window menu)
  if (KeyCode == kKeySpace) {
    m_SpaceDown = true;
    DrawButton(kStatePressed);
  } else if (KeyCode == kKeyReturn) {
    Raise(m_events.Click);
  }
}

void ButtonLogic::UserControl_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) {
  Raise(m_events.KeyUp, KeyCode, Shift);
  if (KeyCode != kKeySpace || !m_SpaceDown) return;
  m_SpaceDown = false;
  DrawButton(m_HasFocus ? kStateDefaulted : kStateNormal);
  Raise(m_events.Click);
}

// ---- the host's input rule ----

void ButtonInput::ButtonDown(std::int16_t button, std::int16_t shift, float x, float y, bool doubleClick) {
  m_pressed = static_cast<std::int16_t>(m_pressed | button);
  const bool left = button == forms::kLeftButton;  // the host's own value: the container's handler may change `button`
  if (left && doubleClick) {
    // The second press of a double click: the control decides whether it counts as a press (and
    // captures the mouse itself); no click follows it.
    m_clickArmed = false;
    m_control.UserControl_DblClick();
    return;
  }
  m_platform.SetCapture();
  if (left) m_clickArmed = true;
  m_control.UserControl_MouseDown(button, shift, x, y);
  if (left) m_platform.TakeFocus();
}

void ButtonInput::ButtonUp(std::int16_t button, std::int16_t shift, float x, float y, bool overControl,
                           std::int16_t stillHeld) {
  if (!(m_pressed & button)) return;
  m_pressed = static_cast<std::int16_t>(m_pressed & ~button);
  const bool left = button == forms::kLeftButton;
  m_control.UserControl_MouseUp(button, shift, x, y);
  const bool click = left && m_clickArmed && overControl;
  if (left) m_clickArmed = false;
  // The capture ends with the last held button, before Click: a Click handler may open a modal
  // window, which must not find the mouse still captured.
  if (stillHeld == 0) {
    m_pressed = 0;
    m_platform.ReleaseCapture();
  }
  if (click) m_control.UserControl_Click();
}

}  // namespace quellan::button

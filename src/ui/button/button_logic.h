#pragma once
// The decisions of the OrvaneButton control, free of any window system: which events it raises to
// its container, which look it draws, when its hover timer runs and when the mouse is captured.
// ButtonLogic is the control itself (properties, stored properties, the handlers of its host's
// notifications); ButtonInput is the host's rule that turns raw mouse input into those
// notifications. The Win32 control (orvane_button.h) feeds them window messages and carries out
// what they ask through ButtonPlatform.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ui/button/stored_properties.h"
#include "ui/forms/font.h"
#include "ui/forms/mouse_button.h"

namespace quellan::button {

// Visual states: the push-button state ids of the visual-style class "Button", part BP_PUSHBUTTON.
enum : int {
  kStateNormal = 1,     // idle, no focus
  kStateHot = 2,        // pointer over the control, or left button held with the pointer outside
  kStatePressed = 3,    // left button held with the pointer over the control
  kStateDisabled = 4,   // every redraw of a disabled control
  kStateDefaulted = 5,  // idle with the keyboard focus
};
constexpr int kPartPushButton = 1;

// DrawFrameControl's DFC_BUTTON state flags for the classic face.
constexpr unsigned kFrameButtonPush = 0x0010;
constexpr unsigned kFramePushed = 0x0200;
// DrawTextW format of the caption: DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_TABSTOP with a tab
// length of 1 in the high byte, prefix processing on ('&' underlines the next character).
constexpr unsigned kCaptionFormat = 0x01A5;

constexpr std::uint32_t kDefaultForeColour = 0x80000012;   // system button-text colour
constexpr std::uint32_t kDisabledTextColour = 0x80000010;  // system button-shadow colour
constexpr int kHoverInterval = 100;                        // ms between pointer checks while hovering
constexpr char16_t kDefaultCaption[] = u"UniButton";

// The keys a push button answers (virtual-key codes), and the Shift argument's bit for Alt.
constexpr std::int16_t kKeyReturn = 0x0D;
constexpr std::int16_t kKeySpace = 0x20;
constexpr std::int16_t kShiftAlt = 4;

// What one redraw puts on the surface: the state handed to the visual-style call, the classic
// DrawFrameControl flags used when visual styles are not usable, and the caption colour (still in
// its system-colour form; resolved just before drawing).
struct ButtonLook {
  int state;
  unsigned frameState;
  std::uint32_t textColour;
};

// Events the control raises to its container, in the order the control declares them. Arguments
// are passed by reference: a handler may change them, and the control goes on with the values as
// the handler left them. Unset handlers are skipped. X and Y are the pointer position in the
// control's client area in pixels, KeyCode the virtual-key code, KeyAscii the UTF-16 code unit.
struct ButtonEvents {
  std::function<void()> Click;
  std::function<void()> DblClick;  // declared for the container, never raised
  std::function<void(std::int16_t& KeyCode, std::int16_t& Shift)> KeyDown;
  std::function<void(std::int16_t& KeyAscii)> KeyPress;
  std::function<void(std::int16_t& KeyCode, std::int16_t& Shift)> KeyUp;
  std::function<void(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y)> MouseDown;
  std::function<void(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y)> MouseMove;
  std::function<void(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y)> MouseUp;

  // Not an event of the control: its report to the host that the stored value of a property
  // ("ForeColor", "Enabled", "Font", "Caption") is out of date.
  std::function<void(const char* name)> PropertyChanged;
};

// What the decisions are carried out with; the Win32 control implements it on its window.
class ButtonPlatform {
 public:
  // Clears the surface and draws the face and the caption with the control's caption and font.
  virtual void Render(const ButtonLook& look) = 0;
  // Timer1's interval: 0 stops the timer.
  virtual void SetTimerInterval(int milliseconds) = 0;
  virtual void SetCapture() = 0;
  // Ends the control's capture of the mouse, if it still has it.
  virtual void ReleaseCapture() = 0;
  // Moves the keyboard focus to the control (a left press does so after raising MouseDown).
  virtual void TakeFocus() = 0;
  // Whether the window directly under the real pointer is the control's own window.
  virtual bool IsMouseOver() = 0;
  // Enables or disables the control's window; a disabled window gets no input.
  virtual void SetEnabled(bool enabled) = 0;
  // The control's window text, kept equal to the caption.
  virtual void SetText(const std::u16string& caption) = 0;
  // The container's font: the default of the Font property.
  virtual const forms::FontObject& AmbientFont() = 0;

 protected:
  ~ButtonPlatform() = default;
};

class ButtonLogic {
 public:
  explicit ButtonLogic(ButtonPlatform& platform) : m_platform(platform) {}

  ButtonEvents& Events() { return m_events; }

  // Properties. Each setter stores the value, redraws the idle look and then reports the property
  // changed, even when the value was already the same.
  std::uint32_t ForeColor() const { return m_ForeColor; }
  void ForeColor(std::uint32_t New_ForeColor);
  bool Enabled() const { return m_Enabled; }
  void Enabled(bool New_Enabled);
  // The font object itself: changing its attributes redraws nothing; the next redraw uses them.
  const std::shared_ptr<forms::FontObject>& Font() const { return m_Font; }
  // A null font is refused: the property keeps its font, nothing is redrawn or reported.
  void Font(std::shared_ptr<forms::FontObject> New_Font);
  const std::u16string& Caption() const { return m_Caption; }
  void Caption(std::u16string New_Caption);

  // Loading neither redraws nor reports, and the font read becomes the control's own object;
  // saving leaves out every value equal to its default.
  void UserControl_ReadProperties(const StoredProperties& stored);
  void UserControl_WriteProperties(StoredProperties& stored) const;

  // Notifications from the host.
  void UserControl_Resize() { DrawButton(kStateNormal); }
  void UserControl_Show() { DrawButton(kStateNormal); }
  void UserControl_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
  void UserControl_MouseMove(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
  void UserControl_MouseUp(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
  void Timer1_Timer();
  void UserControl_EnterFocus();
  void UserControl_ExitFocus();
  void UserControl_DblClick();
  void UserControl_Click() { Raise(m_events.Click); }
  // The key events are raised first; then, as a push button and without Alt, Space shows the
  // pressed look while it is down and clicks when it is released, and Enter clicks at once.
  void UserControl_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift);
  void UserControl_KeyPress(std::int16_t& KeyAscii) { Raise(m_events.KeyPress, KeyAscii); }
  void UserControl_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift);

 private:
  // Clears and redraws the whole control in the given state (the disabled look while disabled).
  void DrawButton(int state);
  // Calls the container's handler, if it set one.
  template <class Handler, class... Args>
  static void Raise(const Handler& handler, Args&... args) {
    if (handler) handler(args...);
  }

  ButtonPlatform& m_platform;
  ButtonEvents m_events;
  std::uint32_t m_ForeColor = kDefaultForeColour;
  bool m_Enabled = true;
  std::shared_ptr<forms::FontObject> m_Font = std::make_shared<forms::FontObject>();
  std::u16string m_Caption = kDefaultCaption;
  bool m_HasFocus = false;
  bool m_LeftDown = false;
  bool m_SpaceDown = false;  // Space went down on the focused control and has not been released
};

// The host's side: raw mouse input in, notifications to the control out.
class ButtonInput {
 public:
  ButtonInput(ButtonLogic& control, ButtonPlatform& platform) : m_control(control), m_platform(platform) {}

  // The control's window exists: Timer1 starts with its 100 ms interval.
  void Created() { m_platform.SetTimerInterval(kHoverInterval); }
  // A press of one button (forms::MouseButton). doubleClick marks the system's double-click
  // message; only the left button's counts as one.
  void ButtonDown(std::int16_t button, std::int16_t shift, float x, float y, bool doubleClick);
  // A release. overControl: the release point lies on the control; stillHeld: the buttons
  // that remain down. Releases of buttons whose press did not reach the control are dropped.
  void ButtonUp(std::int16_t button, std::int16_t shift, float x, float y, bool overControl, std::int16_t stillHeld);
  // A pointer move; held is the set of buttons down.
  void MouseMove(std::int16_t held, std::int16_t shift, float x, float y) {
    m_control.UserControl_MouseMove(held, shift, x, y);
  }
  // Another window took the mouse capture: the press in progress can no longer make a click.
  // The held buttons stay recorded: a release that still lands on the control ends the press
  // (MouseUp and the idle look), but makes no click.
  void CaptureLost() { m_clickArmed = false; }

 private:
  ButtonLogic& m_control;
  ButtonPlatform& m_platform;
  std::int16_t m_pressed = 0;  // buttons whose press reached the control and is not yet released
  bool m_clickArmed = false;
};

}  // namespace quellan::button

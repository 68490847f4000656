#pragma once
// The decisions of the OrvaneButton control, free of any window system: which events it raises to
// its container and with which arguments, which look it draws, when its hover timer runs and when
// the mouse is captured. The Win32 control (orvane_button.h) turns window messages into the calls
// below and carries out what they ask through ButtonPlatform.
//
// Two layers:
// - ButtonLogic is the control itself: its properties, its stored properties and its handlers
//   for the notifications its host delivers (UserControl_MouseDown, Timer1_Timer, ...).
// - ButtonInput is the host's rule that turns raw presses, releases and moves into those
//   notifications: a press captures the mouse; the left button alone makes clicks and double
//   clicks (a right or middle press and release is MouseDown / MouseUp only, and does not take the
//   focus); the second left press of a double click arrives as DblClick only and is followed by
//   no Click; a click is reported when the release of a left press happens over the control and
//   the press's capture was not lost in between.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ui/forms/font.h"
#include "ui/forms/property_set.h"

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

constexpr std::uint32_t kDefaultForeColor = 0x80000012;    // system button-text colour
constexpr std::uint32_t kDisabledTextColour = 0x80000010;  // system button-shadow colour
constexpr int kHoverInterval = 100;                        // ms between pointer checks while hovering
extern const char16_t kDefaultCaption[];                   // u"UniButton"

// Mouse button values: the host's bit set.
constexpr std::int16_t kLeftButton = 1;
constexpr std::int16_t kRightButton = 2;
constexpr std::int16_t kMiddleButton = 4;
// Shift values: the held modifier keys.
constexpr std::int16_t kShiftKey = 1;
constexpr std::int16_t kCtrlKey = 2;
constexpr std::int16_t kAltKey = 4;

// What one redraw puts on the surface: the state handed to the visual-style call, the classic
// DrawFrameControl flags used when visual styles are not usable, and the caption colour (still in
// its system-colour form; resolved just before drawing).
struct ButtonLook {
  int state = kStateNormal;
  unsigned frameState = kFrameButtonPush;
  std::uint32_t textColour = kDefaultForeColor;

  friend bool operator==(const ButtonLook& a, const ButtonLook& b) {
    return a.state == b.state && a.frameState == b.frameState && a.textColour == b.textColour;
  }
};

// The look a redraw in the requested state gives: a disabled control ignores the request.
ButtonLook LookFor(int requestedState, bool enabled, std::uint32_t foreColor);

// Events the control raises to its container, in the order the control declares them. Arguments
// are passed by reference: a handler may change them, and the control goes on with the values as
// the handler left them. Unset handlers are skipped. Button and Shift are the bit sets below, X
// and Y the pointer position in the control's client area in pixels, KeyCode the virtual-key
// code and KeyAscii the UTF-16 code unit typed.
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

 protected:
  ~ButtonPlatform() = default;
};

class ButtonLogic {
 public:
  // ambientFont is the container's font: the default of the Font property.
  ButtonLogic(ButtonPlatform& platform, std::shared_ptr<const forms::FontObject> ambientFont);

  ButtonEvents& Events() { return m_events; }

  // Properties. Each setter stores the value, redraws the idle look (DrawButton(1)) and then
  // reports the property changed, even when the value was already the same.
  std::uint32_t ForeColor() const { return m_foreColor; }
  void ForeColor(std::uint32_t New_ForeColor);
  bool Enabled() const { return m_enabled; }
  void Enabled(bool New_Enabled);
  // The font object itself: changing its attributes redraws nothing; the next redraw uses them.
  const std::shared_ptr<forms::FontObject>& Font() const { return m_font; }
  // A null font is refused: the property keeps its font, nothing is redrawn or reported.
  void Font(std::shared_ptr<forms::FontObject> New_Font);
  const std::u16string& Caption() const { return m_Caption; }
  void Caption(std::u16string New_Caption);

  // Stored properties "ForeColor", "Enabled", "Font", "Caption". Loading neither redraws nor
  // reports; saving leaves out every value equal to its default.
  void UserControl_InitProperties();
  void UserControl_ReadProperties(const forms::PropertySet& stored);
  void UserControl_WriteProperties(forms::PropertySet& stored) const;

  // Notifications from the host.
  void UserControl_Resize();
  void UserControl_Show();
  void UserControl_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
  void UserControl_MouseMove(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
  void UserControl_MouseUp(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
  void Timer1_Timer();
  void UserControl_EnterFocus();
  void UserControl_ExitFocus();
  void UserControl_DblClick();
  void UserControl_Click();
  void UserControl_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift);
  void UserControl_KeyPress(std::int16_t& KeyAscii);
  void UserControl_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift);

  // Clears and redraws the whole control in the given state (the disabled look while disabled).
  void DrawButton(int state);

  bool HasFocus() const { return m_HasFocus; }
  bool LeftDown() const { return m_LeftDown; }

 private:
  void ReportChanged(const char* name);

  ButtonPlatform& m_platform;
  std::shared_ptr<const forms::FontObject> m_ambientFont;
  ButtonEvents m_events;
  std::uint32_t m_foreColor = kDefaultForeColor;
  bool m_enabled = true;
  std::shared_ptr<forms::FontObject> m_font;
  std::u16string m_Caption;
  bool m_HasFocus = false;
  bool m_LeftDown = false;
};

// The host's side: raw mouse input in, notifications to the control out.
class ButtonInput {
 public:
  ButtonInput(ButtonLogic& control, ButtonPlatform& platform) : m_control(control), m_platform(platform) {}

  // The control's window exists: Timer1 starts with its 100 ms interval.
  void Created();
  // A press of one button (kLeftButton, kRightButton or kMiddleButton). doubleClick marks the
  // system's double-click message; only the left button's counts as one.
  void ButtonDown(std::int16_t button, std::int16_t shift, float x, float y, bool doubleClick);
  // A release. overControl: the release point lies on the control; stillHeld: the buttons
  // that remain down. Releases of buttons whose press did not reach the control are dropped.
  void ButtonUp(std::int16_t button, std::int16_t shift, float x, float y, bool overControl, std::int16_t stillHeld);
  // A pointer move; held is the set of buttons down.
  void MouseMove(std::int16_t held, std::int16_t shift, float x, float y);
  // Another window took the mouse capture: the press in progress can no longer make a click.
  void CaptureLost();

 private:
  ButtonLogic& m_control;
  ButtonPlatform& m_platform;
  std::int16_t m_pressed = 0;  // buttons whose press reached the control and is not yet released
  bool m_clickArmed = false;
};

}  // namespace quellan::button

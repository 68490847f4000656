#pragma once
// OrvaneButton: an owner-drawn push button. It draws the platform's visual-style push button where
// visual styles are usable and the classic DrawFrameControl button where they are not, with its
// caption centred on one line, tracks hover with a 100 ms polling timer, press with the mouse
// captured, and raises its input to its container as events (ButtonEvents).
//
// A container holds it as a member and creates it from its layout:
//
//   button::OrvaneButton m_btRefresh;
//   const button::StoredProperties stored{{}, {}, *forms::MakeFont(u"Tahoma", 8.25f), u"Refresh"};
//   m_btRefresh.Create(hwnd(), kIdRefresh, bounds, stored, ambientFont, dpi);
//   m_btRefresh.Events().Click = [this] { btRefresh_Click(); };
//
// Window: class "QuellanOrvaneButton" (CS_DBLCLKS), WS_CHILD | WS_TABSTOP, window text = caption,
// so the control takes part in its container's tab order. It tells the accessibility runtime
// (oleacc) that it is a "Button", so screen readers get the system's push-button object for it:
// role push button, named by the caption, default action "Press", which sends BM_CLICK (a click,
// as for a push button). Under IsDialogMessage it keeps Enter, the arrow keys and characters for
// its key events; Tab and Escape stay with the dialog manager.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "ui/button/button_logic.h"
#include "ui/button/stored_properties.h"
#include "ui/button/theme_library.h"
#include "ui/forms/font.h"
#include "ui/forms/persistent_surface.h"
#include "ui/forms/window.h"
#include "win32/handles.h"

namespace quellan::button {

class OrvaneButton : public forms::Window, private ButtonPlatform {
 public:
  OrvaneButton() = default;

  // Creates the control from its stored property set: child `id` of `parent` at `bounds`
  // (client coordinates of parent). Order: ReadProperties(stored) (missing names take their
  // defaults, the font's default being a copy of ambientFont), window created with Timer1 running
  // at 100 ms, Resize draws the idle look, the window is shown and Show draws it again.
  // The caption font is made at `dpi` (the display's real DPI). False when the window cannot be
  // created.
  bool Create(HWND parent, int id, const RECT& bounds, const StoredProperties& stored,
              std::shared_ptr<const forms::FontObject> ambientFont, int dpi);

  ButtonEvents& Events() { return m_logic.Events(); }

  // Properties, in the control's declaration order; every setter redraws the idle look and then
  // reports the change through Events().PropertyChanged.
  std::uint32_t ForeColor() const { return m_logic.ForeColor(); }
  void ForeColor(std::uint32_t New_ForeColor) { m_logic.ForeColor(New_ForeColor); }
  bool Enabled() const { return m_logic.Enabled(); }
  void Enabled(bool New_Enabled) { m_logic.Enabled(New_Enabled); }
  // The font object itself (shared): changing an attribute redraws nothing; assigning redraws.
  const std::shared_ptr<forms::FontObject>& Font() const { return m_logic.Font(); }
  void Font(std::shared_ptr<forms::FontObject> New_Font) { m_logic.Font(std::move(New_Font)); }
  // Repaints the window from its persistent image; does not redraw the button.
  void refresh();
  // hwnd() (the control's own window handle) comes from forms::Window.
  std::u16string Caption() const { return m_logic.Caption(); }
  void Caption(std::u16string New_Caption) { m_logic.Caption(std::move(New_Caption)); }

  // The one seam, for the tests and the benchmark: the visual-style library the face is drawn with
  // from the next redraw on, the system's unless replaced (e.g. by one that is not usable, to force
  // the classic look). Kept by reference: it must outlive the control.
  void UseThemeLibrary(const ThemeLibrary& library) { m_theme = &library; }

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // ButtonPlatform. Input arrives only once the window exists; a property may be set before.
  void Render(const ButtonLook& look) override;
  void SetTimerInterval(int milliseconds) override;
  void SetCapture() override { ::SetCapture(m_hwnd); }
  void ReleaseCapture() override {
    if (GetCapture() == m_hwnd) ::ReleaseCapture();
  }
  void TakeFocus() override {
    if (GetFocus() != m_hwnd) SetFocus(m_hwnd);
  }
  bool IsMouseOver() override { return IsMouseOver(m_hwnd); }
  void SetEnabled(bool enabled) override {
    if (m_hwnd) EnableWindow(m_hwnd, enabled);
  }
  void SetText(const std::u16string& caption) override {
    if (m_hwnd) SetWindowTextW(m_hwnd, win32::Wide(caption));
  }
  const forms::FontObject& AmbientFont() override { return *m_ambientFont; }

  // Draws one visual-style part; false when visual styles are not usable.
  bool DrawThemed(const wchar_t* classList, int partId, int stateId, const RECT& rect) {
    return m_theme->Draw(m_hwnd, m_surface.hdc(), classList, partId, stateId, rect);
  }
  // True when the window directly under the real pointer is exactly hwnd.
  static bool IsMouseOver(HWND hwnd);
  // Keeps the caption font selected into the surface, remade when the font object's description
  // has changed since the last draw.
  void SelectCaptionFont();
  void MouseButton(UINT msg, WPARAM wp, LPARAM lp);

  ButtonLogic m_logic{*this};
  ButtonInput m_input{m_logic, *this};
  std::shared_ptr<const forms::FontObject> m_ambientFont;
  int m_dpi = 96;
  const ThemeLibrary* m_theme = &ThemeLibrary::System();
  forms::PersistentSurface m_surface;
  win32::Font m_captionFont;
  forms::FontObject m_captionFontMadeFrom;
  // Declared after the font and the surface, so it is undone before either goes.
  std::optional<win32::SelectedObject> m_fontSelection;
  bool m_repaintPending = false;  // the whole window is marked for repainting and not yet painted
};

}  // namespace quellan::button

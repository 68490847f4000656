#pragma once
// OrvaneButton: an owner-drawn push button. It draws the platform's visual-style push button where
// visual styles are usable and the classic DrawFrameControl button where they are not, with its
// caption centred on one line, tracks hover with a 100 ms polling timer, press with the mouse
// captured, and raises its input to its container as events (ButtonEvents).
//
// Typical use by a container:
//
//   auto font = forms::MakeFont(u"Tahoma", 8.25f);
//   auto stored = forms::PropertySet::Parse(u"Caption = \"Refresh\"\nFont {\n Name = \"Tahoma\"\n"
//                                           u" Size = 8.25\n Weight = 400\n}\n");
//   m_btRefresh = button::OrvaneButton::Create(parent, kIdRefresh, pixelRect, *stored, font, dpi);
//   m_btRefresh->Events().Click = [this] { btRefresh_Click(); };
//
// Window: class "QuellanOrvaneButton" (CS_DBLCLKS), WS_CHILD | WS_TABSTOP, window text = caption,
// so the control takes part in its container's tab order and screen readers see its caption.
// Under IsDialogMessage it keeps Enter, the arrow keys and characters for its key events; Tab and
// Escape stay with the dialog manager.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "ui/button/button_logic.h"
#include "ui/button/theme_library.h"
#include "ui/forms/font.h"
#include "ui/forms/handles.h"
#include "ui/forms/persistent_surface.h"
#include "ui/forms/property_set.h"
#include "ui/forms/window.h"

namespace quellan::button {

class OrvaneButton : public forms::Window, private ButtonPlatform {
 public:
  // The programmatic identifier by which a stored layout names the control's type.
  static constexpr char kClassIdentifier[] = "Quellan.OrvaneButton";
  // Size of a newly placed instance (88 x 34 pixels at 96 DPI).
  static constexpr int kNewWidthTwips = 1320;
  static constexpr int kNewHeightTwips = 510;

  // Creates the control from its stored property set: child `id` of `parent` at `pixels`
  // (client coordinates of parent). Order: ReadProperties(stored) (missing names take their
  // defaults, the font's default being a copy of ambientFont), window created with Timer1 running
  // at 100 ms, Resize draws the idle look, the window is shown and Show draws it again.
  // The caption font is made at `dpi` (the display's real DPI). Null when the window cannot be
  // created.
  static std::unique_ptr<OrvaneButton> Create(HWND parent, int id, const RECT& pixels, const forms::PropertySet& stored,
                                              std::shared_ptr<const forms::FontObject> ambientFont, int dpi);
  // A newly placed instance: InitProperties (caption "UniButton", the ambient font, every other
  // property at its default) and the new-instance size at `dpi`, its top-left corner at `origin`.
  static std::unique_ptr<OrvaneButton> CreateNew(HWND parent, int id, POINT origin,
                                                 std::shared_ptr<const forms::FontObject> ambientFont, int dpi);
  ~OrvaneButton() override;

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

  // Fills `stored` with the properties that differ from their defaults.
  void WriteProperties(forms::PropertySet& stored) const { m_logic.UserControl_WriteProperties(stored); }

  // The visual-style library used for the face (ThemeLibrary::System() unless replaced, e.g. by
  // one that is not usable to force the classic look). Takes effect at the next redraw.
  void UseThemeLibrary(std::shared_ptr<const ThemeLibrary> library) { m_theme = std::move(library); }
  // The persistent image the window repaints from.
  const forms::PersistentSurface& Surface() const { return m_surface; }

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  friend struct OrvaneButtonAccess;  // tests and the benchmark redraw and probe directly

  OrvaneButton(std::shared_ptr<const forms::FontObject> ambientFont, int dpi);
  bool CreateWindowAt(HWND parent, int id, const RECT& pixels);

  // ButtonPlatform
  void Render(const ButtonLook& look) override;
  void SetTimerInterval(int milliseconds) override;
  void SetCapture() override;
  void ReleaseCapture() override;
  void TakeFocus() override;
  bool IsMouseOver() override { return IsMouseOver(m_hwnd); }
  void SetEnabled(bool enabled) override;
  void SetText(const std::u16string& caption) override;

  // Draws one visual-style part; false when visual styles are not usable.
  bool DrawThemed(const wchar_t* classList, int partId, int stateId, const RECT& rect);
  // True when the window directly under the real pointer is exactly hwnd.
  static bool IsMouseOver(HWND hwnd);
  // Keeps the caption font selected into the surface, remade when the font object's description
  // has changed since the last draw.
  void SelectCaptionFont();
  void MouseButton(UINT msg, WPARAM wp, LPARAM lp);

  ButtonLogic m_logic;
  ButtonInput m_input;
  int m_dpi;
  forms::PersistentSurface m_surface;
  std::shared_ptr<const ThemeLibrary> m_theme;
  forms::Font m_captionFont;
  forms::FontObject m_captionFontMadeFrom;
  // Declared after the font and the surface, so it is undone before either goes.
  std::optional<forms::SelectedObject> m_fontSelection;
  bool m_repaintPending = false;  // the whole window is marked for repainting and not yet painted
  bool m_timerRunning = false;
  ButtonLook m_lastLook;  // what the last redraw showed
  unsigned long m_redraws = 0;
};

}  // namespace quellan::button

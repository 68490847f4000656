#pragma once
// frmEff: the borderless window over the whole primary screen that plays the melting-screen
// effect. It shows a snapshot of the screen, so at first nothing seems to change, then keeps
// copying large blocks of its picture one pixel up and to the left at random places until the user
// presses a mouse button on it.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>

#include "ui/effect/effect_math.h"
#include "ui/forms/handles.h"
#include "ui/forms/persistent_surface.h"
#include "ui/forms/window.h"

namespace quellan::effect {

class frmEff : public forms::Window, public std::enable_shared_from_this<frmEff> {
 public:
  // Numbers in [0, 1), four per step, in the order the step uses them.
  using RandomSource = std::function<float()>;

  frmEff() = default;
  ~frmEff() override;

  // One complete run: snapshot, cover the screen, smear until a mouse press on the window (or the
  // window is closed some other way, or the application quits), then close the window. Returns when
  // the window is gone. The numbers come from a generator seeded from the clock for this run.
  void doeffect();
  // The same run with the numbers taken from random.
  void doeffect(const RandomSource& random);

  // The shared instance `about` runs; every run empties it, so the next run gets a fresh window.
  static std::shared_ptr<frmEff>& Shared();

  static constexpr const wchar_t* kClassName = L"QuellanEffect";

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Form_Load();
  void Form_Click();
  void Form_MouseDown();
  // Gives the window its size in pixels; the first call creates it, hidden, which runs Form_Load.
  void SetSize(int width, int height);
  // Persistent drawing on: drawing goes into the picture. Off: it goes straight to the screen.
  void SetAutoRedraw(bool on);
  // The DC drawing goes to: the persistent picture, or the window itself.
  HDC Dc() const;
  void Unload();

  forms::PersistentSurface m_surface;
  bool m_autoRedraw = true;
  std::optional<forms::WindowDc> m_windowDc;  // held while persistent drawing is off
  std::optional<forms::WindowDc> hdcScreen;   // the whole screen, from the snapshot to the end of the run
  bool bRunning = false;
  bool m_inRun = false;
  EffectParameters m_parameters;
};

// Runs doeffect on the shared instance, creating that instance first when there is none.
void RunSharedEffect();

}  // namespace quellan::effect

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
#include "ui/forms/persistent_surface.h"
#include "ui/forms/window.h"
#include "win32/handles.h"

namespace quellan::effect {

class frmEff : public forms::Window {
 public:
  // Numbers in [0, 1), four per step, in the order the step uses them.
  using RandomSource = std::function<float()>;

  // One complete run: snapshot, cover the screen, smear until a mouse press on the window (or the
  // window is closed some other way, or the application quits), then close the window. Returns when
  // the window is gone; a call made while a run is going returns at once. The numbers come from a
  // generator seeded from the clock for this run.
  void doeffect();
  // The same run with the numbers taken from random.
  void doeffect(const RandomSource& random);

  // The shared instance `about` runs; every run empties it, so the next run gets a fresh window.
  static std::shared_ptr<frmEff>& Shared();

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Form_Load();
  void Form_Click();
  void Form_MouseDown();

  forms::PersistentSurface m_surface;          // the snapshot, from which the window repaints
  std::optional<win32::WindowDc> m_windowDc;   // the window's own DC, drawn on while the effect runs
  std::optional<win32::WindowDc> m_hdcScreen;  // the whole screen, from the snapshot to the end of the run
  bool m_bRunning = false;
  bool m_inRun = false;
  EffectParameters m_parameters;
};

// Runs doeffect on the shared instance, creating that instance first when there is none.
void RunSharedEffect();

}  // namespace quellan::effect

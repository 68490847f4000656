#include "ui/main/about.h"

#include <cstdint>

#include "text/vie_msgbox.h"
#include "ui/effect/frm_eff.h"
#include "ui/main/about_text.h"
#include "ui/main/maker_identity.h"

namespace quellan::mainwindow {

namespace {
constexpr std::uint32_t kAboutFlags = MB_ICONINFORMATION;  // 64: information icon, one OK button
}

void about(HWND mainHwnd) {
  const AboutText box =
      BuildAboutText(identity::kProductName, identity::kVersionMajor, identity::kVersionMinor, BuiltIdentity());
  modVie::VieMsgBox(box.text, kAboutFlags, box.title, mainHwnd);
  effect::RunSharedEffect();
}

}  // namespace quellan::mainwindow

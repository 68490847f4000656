# Shared by the scripts. Source it; do not run it. Installs what is missing, builds presets, and
# gives Wine a private display and a prepared prefix.

QUELLAN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
WINE64=/usr/lib/wine/wine64
JOBS=$(nproc 2>/dev/null || echo 2)

log() { printf '== %s\n' "$*" >&2; }

# Debian packages the build, the tests and the screenshots need, with a file each one provides.
quellan_deps() {
  local -a want=(
    "cmake:/usr/bin/cmake" "g++:/usr/bin/g++" "clang:/usr/bin/clang++"
    "libclang-rt-14-dev:/usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a"
    "googletest:/usr/src/googletest/CMakeLists.txt" "libicu-dev:/usr/include/unicode/unorm2.h"
    "g++-mingw-w64-x86-64-posix:/usr/bin/x86_64-w64-mingw32-g++-posix"
    "g++-mingw-w64-i686-win32:/usr/bin/i686-w64-mingw32-g++-win32"
    "wine64:/usr/lib/wine/wine64" "wine:/usr/bin/wine" "xvfb:/usr/bin/Xvfb" "xauth:/usr/bin/xauth"
    "x11-apps:/usr/bin/xwd" "imagemagick:/usr/bin/convert" "x11-utils:/usr/bin/xdpyinfo"
    "fonts-wine:/usr/share/wine/fonts/tahoma.ttf" "fonts-wine:/usr/share/wine/fonts/marlett.ttf"
    "fonts-dejavu-core:/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
    "xdotool:/usr/bin/xdotool" "wixl:/usr/bin/wixl" "msitools:/usr/bin/msiinfo"
  )
  local -a missing=()
  local entry
  for entry in "${want[@]}"; do
    [ -e "${entry#*:}" ] || missing+=("${entry%%:*}")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  # --reinstall also brings back a file that has gone missing from an installed package.
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --reinstall --no-install-recommends "${missing[@]}" \
    >/dev/null
}

# quellan_version: the project's version, X.Y, from the top-level CMakeLists.txt.
quellan_version() { sed -n 's/^project(Quellan VERSION \([0-9.]*\).*/\1/p' "$QUELLAN_ROOT/CMakeLists.txt"; }
# quellan_msi_version X.Y[.Z]: the version as Windows Installer keeps it, X.Y.Z.
quellan_msi_version() { if [ "${1//[^.]/}" = "." ]; then echo "$1.0"; else echo "$1"; fi; }

# quellan_build PRESET...: configure and build each preset.
quellan_build() {
  local preset
  for preset in "$@"; do
    log "building $preset"
    (cd "$QUELLAN_ROOT" && cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j "$JOBS") || return 1
  done
}

# Starts a private Xvfb on a free display; exports DISPLAY.
quellan_xvfb() {
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ] || break
  done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -dpi 96 >/dev/null 2>&1 &
  QUELLAN_XVFB_PID=$!
  export DISPLAY=":$n"
  timeout 5 sh -c 'until xdpyinfo >/dev/null 2>&1; do sleep 0.1; done' || { log "Xvfb did not start on $DISPLAY"; return 1; }
}

# quellan_wine_prefix DIR: a private Wine prefix in DIR, made to show the window as it was designed;
# exports the variables the tests and wine-exec use. In it:
# - no window manager: Wine draws the frames itself (a managed window would wait two seconds for
#   one each time it is hidden);
# - Tahoma from fonts-wine, without its bold file, whose outlines have regular strokes (Wine then
#   emboldens the regular ones); DejaVu Sans linked to Tahoma for the Vietnamese letters Tahoma lacks
#   (ệ, ả, ứ, ...), as Windows links fonts; Marlett, which the title bar's buttons are drawn with
#   (without it they read "0", "1" and "r");
# - Wine's Light visual style, whose one colour scheme is "Blue" (with a name it lacks, uxtheme turns
#   theming off);
# - one server kept running, so that each program starts quickly.
quellan_wine_prefix() {
  export WINEPREFIX=$1 WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  log "initialising Wine prefix $WINEPREFIX"
  "$WINE64" wineboot --init >/dev/null 2>&1
  cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/marlett.ttf /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf \
    "$WINEPREFIX/drive_c/windows/Fonts/" || { log "Tahoma, Marlett or DejaVu Sans missing"; return 1; }
  local theme='HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' entry key name value
  for entry in 'HKCU\Software\Wine\X11 Driver|Managed|N' "$theme|ThemeActive|1" "$theme|ColorName|Blue" \
    "$theme|DllName|C:\windows\resources\themes\light\light.msstyles" "$theme|SizeName|NormalSize"; do
    IFS='|' read -r key name value <<<"$entry"
    "$WINE64" reg add "$key" /v "$name" /d "$value" /f >/dev/null 2>&1
  done
  "$WINE64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma \
    /t REG_MULTI_SZ /d 'DejaVuSans.ttf,DejaVu Sans' /f >/dev/null 2>&1
  /usr/lib/wine/wineserver -w 2>/dev/null
  /usr/lib/wine/wineserver -p >/dev/null 2>&1
  timeout 60 "$WINE64" cmd /c exit >/dev/null 2>&1
  return 0
}

# quellan_wine_session DIR: a private display and a fresh prefix in DIR, made by scripts/wine-fixture
# (the Win32 tests' fixture), with their variables exported; quellan_wine_end removes both.
quellan_wine_session() {
  QUELLAN_WINE_STATE=$1
  "$QUELLAN_ROOT/scripts/wine-fixture" up "$1" && . "$1/env" &&
    export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}
quellan_wine_end() {
  [ -z "${QUELLAN_WINE_STATE:-}" ] || "$QUELLAN_ROOT/scripts/wine-fixture" down "$QUELLAN_WINE_STATE"
}

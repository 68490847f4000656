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
  local i
  for i in $(seq 1 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  log "Xvfb did not start on $DISPLAY"
  return 1
}

# Creates and initialises a private Wine prefix; exports the variables the tests and wine-exec use.
quellan_wine_prefix() {
  export WINEPREFIX=${1:-$(mktemp -d /tmp/quellan-wine.XXXXXX)}
  export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  mkdir -p "$WINEPREFIX"
  log "initialising Wine prefix $WINEPREFIX"
  "$WINE64" wineboot --init >/dev/null 2>&1
  # Wine draws the window frames itself: there is no window manager on the private display,
  # and a managed window would wait two seconds for one each time it is hidden.
  "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  quellan_wine_fonts
  quellan_wine_theme
  /usr/lib/wine/wineserver -w 2>/dev/null || true
  # Keep one server alive for the whole run, so each test process starts quickly.
  /usr/lib/wine/wineserver -p >/dev/null 2>&1 || true
  timeout 60 "$WINE64" cmd /c exit >/dev/null 2>&1 || true
}

# The fonts the window was designed with, in the prefix in $WINEPREFIX: Tahoma from fonts-wine in
# the prefix's Fonts folder. Its bold file is left out: its outlines have regular strokes (only its
# bitmaps for 16 pixels and less are bold), so Wine would draw the 12 and 20.25 pt bold texts thin;
# without it Wine emboldens the regular outlines. Wine's Tahoma lacks most Vietnamese letters (ệ,
# ả, ứ, ...), so Tahoma links to DejaVu Sans for them, as Windows links a font to others for the
# letters it lacks; the copy in the prefix keeps the link where Wine does not see the system's fonts.
# Marlett holds the glyphs Wine draws the title bar's minimise, maximise and close buttons with;
# without it they show as the letters "0", "1" and "r".
quellan_wine_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/marlett.ttf \
    /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$fonts/" ||
    { log "Tahoma, Marlett or DejaVu Sans missing: run quellan_deps"; return 1; }
  "$WINE64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma \
    /t REG_MULTI_SZ /d 'DejaVuSans.ttf,DejaVu Sans' /f >/dev/null 2>&1
}

# The visual style most Windows users see, in the prefix in $WINEPREFIX.
quellan_wine_theme() {
  # Wine's Light style names its one colour scheme "Blue"; with a name it lacks ("NormalColor", say)
  # uxtheme turns theming off altogether.
  local key='HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager'
  "$WINE64" reg add "$key" /v ThemeActive /d 1 /f >/dev/null 2>&1
  "$WINE64" reg add "$key" /v DllName /d 'C:\windows\resources\themes\light\light.msstyles' /f >/dev/null 2>&1
  "$WINE64" reg add "$key" /v ColorName /d Blue /f >/dev/null 2>&1
  "$WINE64" reg add "$key" /v SizeName /d NormalSize /f >/dev/null 2>&1
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

quellan_cleanup() {
  if [ -n "${WINEPREFIX:-}" ]; then
    /usr/lib/wine/wineserver -k 2>/dev/null || true
  fi
  [ -n "${QUELLAN_XVFB_PID:-}" ] && kill "$QUELLAN_XVFB_PID" 2>/dev/null
  [ -n "${QUELLAN_TMP_PREFIX:-}" ] && rm -rf "$QUELLAN_TMP_PREFIX"
  return 0
}

# Sourced by the scripts that run Windows builds under wine64 on this
# machine: a private Wine prefix with Chinese-capable dialog fonts, and an
# X display (the user's own, or an Xvfb started here and stopped by pid).
ROOT=${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$ROOT/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
# Wine has no browser engine here and would otherwise offer to download one.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mshtml=}
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
XVFB_PID=""

ensure_wine_prefix() {
  if [ -f "$WINEPREFIX/.renamer-ready" ]; then return 0; fi
  mkdir -p "$WINEPREFIX"
  "$WINE" wineboot --init >/dev/null 2>&1 || true
  local key='HKCU\Software\Wine\Fonts\Replacements'
  for font in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "SimSun"; do
    "$WINE" reg add "$key" /v "$font" /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
  done
  # Unmanaged windows: without a window manager on Xvfb, Wine would wait
  # two seconds for one each time a window is destroyed.
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  "$WINESERVER" -w
  touch "$WINEPREFIX/.renamer-ready"
}

# Starts Xvfb on the first free display number from 90 up; sets DISPLAY.
start_xvfb() {
  local n=90
  while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X${n}" ] && break
    sleep 0.1
  done
  export DISPLAY=":$n"
}

stop_xvfb() {
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}

# A display to draw on: the user's when there is one that answers, else Xvfb.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  start_xvfb
}

# The program writes its skin engine beside itself when none is there and
# never replaces one; a copy left by an earlier build would be used as it
# is. Each run from the build tree starts with the engine of this build.
forget_placed_skin_engine() {
  rm -f "$ROOT/build/win64/src/main/SkinCore.dll" "$ROOT/build/win64/tests/SkinCore.dll"
}

stop_wineserver() { "$WINESERVER" -k 2>/dev/null || true; }

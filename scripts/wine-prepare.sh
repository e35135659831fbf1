#!/usr/bin/env bash
# Makes the Wine prefix the Windows tests run in ready and keeps its wineserver running
# (300 s after the last program), so each test program starts in a fraction of a second
# instead of paying Wine's start-up every time. Stop it with `wineserver -k`.
#
# The prefix gets two settings: windows hide at once without a window manager (Xvfb),
# and with no DISPLAY Wine falls back to a null display driver, so dialogs can be
# driven headless.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$root/build/wine-prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

quiet() { "$@" </dev/null >/dev/null 2>&1; }

if [ ! -f "$WINEPREFIX/.lorvenacam-ready" ]; then
  mkdir -p "$WINEPREFIX"
  quiet wineboot -i
  quiet wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
  quiet wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11,null /f
  touch "$WINEPREFIX/.lorvenacam-ready"
  # The set-up's server ends with its programs; a persistent one cannot start before.
  quiet wineserver -w
fi

# The server and Wine's own background programs start here, detached from any pipe:
# programs that ctest starts afterwards then end as soon as they are done.
quiet wineserver -p 300 || true  # fails only when a server of the prefix already runs
quiet wine cmd /c exit

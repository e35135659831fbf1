#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's settings: the emulator that CMake
# and ctest use for the cross builds. The caller's WINEPREFIX wins; the default is a
# prefix of the work tree's own, so nothing touches the user's ~/.wine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$root/build/wine-prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine "$@"

#!/usr/bin/env bash
# The packages' stage of scripts/test.sh, on the `linux` preset's build: builds the Debian
# packages, checks them with lintian (no errors) and that the plug-in's package pulls
# neither Qt nor GLib nor a bus library; installs the plug-in's package alone and lists and
# grabs from the simulated bus with the installed /usr/bin/lvcgrab; installs them all,
# checks that every installed library and program finds its libraries through $ORIGIN
# alone and that the plug-in loads its Qt module; and purges the packages again. Needs
# root or sudo.
set -euo pipefail
cd "$(dirname "$0")/.."

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
packages=$PWD/build/linux/packages
scratch=$(mktemp -d)
installed=()
cleanup() {
  [ ${#installed[@]} -eq 0 ] || $sudo apt-get purge -y -q "${installed[@]}" >/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

scripts/package.sh linux

echo "=== packages: lintian"
lintian --fail-on error "$packages"/*.deb

plugin_depends=$(dpkg-deb -f "$packages"/lorvenacam_*.deb Depends)
echo "lorvenacam Depends: $plugin_depends"
if grep -Eiq 'qt|glib|aravis|dc1394|usb' <<<"$plugin_depends"; then
  fail "the plug-in's package depends on a GUI or bus library"
fi

install_packages() {
  for deb in "$@"; do installed+=("$(dpkg-deb -f "$deb" Package)"); done
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "$@" \
    >/dev/null
}

echo "=== packages: the plug-in's package alone, /usr/bin/lvcgrab on the simulated bus"
install_packages "$packages"/lorvenacam_*.deb
unset FWCONTROL_SIM_BUS LD_LIBRARY_PATH
export TMPDIR=$scratch
/usr/bin/lvcgrab --system-dir "$scratch" list | tee "$scratch/cameras"
[ -s "$scratch/cameras" ] || fail "the installed lvcgrab lists no camera"
/usr/bin/lvcgrab --system-dir "$scratch" grab 0 -n 2 -o "$scratch/frames"
for frame in frame_0000.png frame_0001.png; do
  [ -s "$scratch/frames/$frame" ] || fail "the installed lvcgrab wrote no $frame"
done

echo "=== packages: all of them, run paths"
install_packages "$packages"/*.deb
directory=$(dirname "$(readlink -f /usr/bin/lvcgrab)")
for file in "$directory"/*; do
  runpath=$(readelf -d "$file" | sed -n 's/.*(R\(UN\)\{0,1\}PATH).*\[\(.*\)\]/\2/p')
  echo "$file: ${runpath:-no run path}"
  [ -z "$runpath" ] || [ "$runpath" = '$ORIGIN' ] || fail "$file has the run path $runpath"
  if ldd "$file" | grep 'not found'; then fail "$file misses a library"; fi
done
plugin_libraries=$(ldd "$directory/liblorvenacam.so")
for library in libfwcontrol.so libfwtransform.so; do
  grep -q "$library => $directory/$library" <<<"$plugin_libraries" ||
    fail "the plug-in does not find $library beside itself"
done

# The plug-in loads the Qt module from its own directory: on a platform nobody sees, the
# module itself says why no dialog opens; had it not loaded, the reason names its file.
if [ -e "$directory/liblorvenacam_qt.so" ]; then
  dialog=$(cd "$scratch" && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen \
    timeout 60 /usr/bin/lvcgrab -v --system-dir "$scratch" configure 0 2>&1) ||
    fail "the installed lvcgrab configure failed: $dialog"
  if grep 'liblorvenacam_qt.so' <<<"$dialog"; then
    fail "the installed plug-in does not load its Qt module"
  fi
fi

echo "=== packages: remove"
$sudo apt-get purge -y -q "${installed[@]}" >/dev/null
installed=()
[ ! -e /usr/bin/lvcgrab ] && [ ! -e "$directory" ] || fail "the packages left files behind"
echo "packages: passed"

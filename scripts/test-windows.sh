#!/usr/bin/env bash
# Builds the Windows program (scripts/build-windows.sh) and runs its tests under
# Wine: every QtTest program offscreen through ctest, then the end-to-end test,
# which unpacks the zip, puts a stand-in flasher into its data\ folder and drives
# the program under Xvfb with xdotool.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
root=$PWD

scripts/build-windows.sh
install_missing wine wine64
scripts/build.sh   # the end-to-end driver is a Linux program
qt_prefix=$(cat build-windows/qt-prefix)

work=$(mktemp -d)
xvfb_pid=""
finish() {
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT

# A Wine prefix of its own, kept beside Qt; no Mono or Gecko, so Wine asks nothing.
export WINEPREFIX=$(windows_qt_cache)/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
export WINEARCH=win64
started=$(date +%s)
start_xvfb "$work"   # Wine needs an X display, even for console programs
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Making the Wine prefix $WINEPREFIX"
    wineboot --init
    wineserver -w
fi

# The tests find Qt's libraries and the compiler's runtime through WINEPATH; Qt
# finds its plugins beside its own libraries. Wine passes no QT_* variable from
# Linux on to a Windows program, so the offscreen platform is set in the prefix's
# own environment for the unit tests (real windows under Wine and X cost seconds
# each) and taken out again for the end-to-end test. The offscreen platform reads
# its fonts from Qt's lib/fonts.
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
pthread=$(realpath "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")")
windows_path() { echo "Z:${1//\//\\}"; }
mkdir -p "$qt_prefix/lib/fonts"
ln -sf /usr/share/fonts/truetype/dejavu/DejaVuSans*.ttf /usr/share/fonts/truetype/liberation2/LiberationSans*.ttf \
    "$qt_prefix/lib/fonts/"
wine reg add 'HKCU\Environment' /v QT_QPA_PLATFORM /d offscreen /f >/dev/null
wineserver -k 2>/dev/null || true
wineserver -w
export WINEPATH="$(windows_path "$qt_prefix/bin");$(windows_path "$runtime");$(windows_path "$pthread")"
failed=""
(cd build-windows && ctest --output-on-failure -j "$(nproc)") || failed="unit tests"
unit_done=$(date +%s)
wine reg delete 'HKCU\Environment' /v QT_QPA_PLATFORM /f >/dev/null
wineserver -k 2>/dev/null || true
wineserver -w

# End to end: the program as a user unpacks it, in an X server of the test's own.
unset WINEPATH
unzip -q dist/pikvart-windows-x86_64.zip -d "$work/unpacked"
PIKVART_E2E_WINDOWS="$work/unpacked/pikvart" \
PIKVART_E2E_FLASHER="$root/build-windows/lineflasher.exe" \
    build/tests/e2e/tst_e2e || failed="${failed:+$failed and }the end-to-end test"
echo "Windows tests under Wine: unit tests $((unit_done - started)) s, end to end $(( $(date +%s) - unit_done )) s"
if [ -n "$failed" ]; then
    echo "Windows: $failed failed" >&2
    exit 1
fi

#!/usr/bin/env bash
# Sets up and builds, prepares the working folder run/ (the stand-in flasher as
# data/v_klay.exe, example files in data/All Patches/) and starts the program there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
mkdir -p "run/data/All Patches"
cp build/tools/standinflasher/v_klay run/data/v_klay.exe
if [ -d "tools/runfolder/All Patches" ]; then
    cp -n "tools/runfolder/All Patches/"* "run/data/All Patches/" 2>/dev/null || true
fi
cd run
exec ../build/src/pikvart

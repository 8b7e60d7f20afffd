#!/usr/bin/env bash
# Sets up and builds, prepares the working folder run/ (the stand-in flasher as
# data/v_klay.exe, example files in data/All Patches/) and starts the program there.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
scripts/setup.sh
scripts/build.sh
prepare_run_folder run
cd run
exec ../build/src/pikvart

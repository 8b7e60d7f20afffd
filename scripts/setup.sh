#!/usr/bin/env bash
# Installs what building and testing the program needs, on Debian 12, where missing.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
install_missing build-essential cmake ninja-build qt6-base-dev fonts-dejavu-core fonts-liberation2 xvfb xdotool acl attr libcap2-bin e2fsprogs util-linux mount

#!/usr/bin/env bash
# Installs what building and testing the program needs, on Debian 12, where missing.
set -euo pipefail
packages=(build-essential cmake ninja-build qt6-base-dev fonts-dejavu-core fonts-liberation2 xvfb xdotool)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi

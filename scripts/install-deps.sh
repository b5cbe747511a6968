#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need (run as root).
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev
  libbenchmark-dev libwxgtk3.2-dev libasound2-dev libglib2.0-dev xvfb xauth
  librsvg2-common libx11-dev libxtst-dev libgtk-3-dev x11-utils openbox clang clang-format libclang-rt-14-dev
  midicsv groff)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

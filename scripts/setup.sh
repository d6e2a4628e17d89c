#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test.
# Idempotent; runs as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev llvm
  qt6-base-dev qt6-base-dev-tools libgl-dev libglx-dev
  libcurl4-openssl-dev libicu-dev libcpp-httplib-dev libssl-dev openssl
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xdotool x11-apps x11-utils libx11-dev imagemagick qrencode python3
  fonts-noto-cjk
  procps psmisc
)

if [ "$(id -u)" -eq 0 ]; then sudo_cmd=(); else sudo_cmd=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
else
  echo "setup: all packages present"
fi

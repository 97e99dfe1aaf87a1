#!/usr/bin/env bash
# Installs the Debian packages the project builds, runs and tests with, but
# only those that are missing. Safe to run again at any time.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  qtbase5-dev qttools5-dev qttools5-dev-tools qtbase5-doc-html libqt5svg5-dev
  libvlc-dev vlc-plugin-base libcjson-dev
  ffmpeg fonts-lato fonts-font-awesome fonts-noto-cjk qttranslations5-l10n
  xvfb xauth xdotool libxcb1-dev
  desktop-file-utils appstream dpkg-dev file
  clang libclang-rt-14-dev llvm
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

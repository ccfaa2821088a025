#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when they are missing.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libgtest-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  fontconfig fonts-dejavu-core fonts-liberation
  xvfb xauth
  clang-14 libclang-rt-14-dev clang-format
  desktop-file-utils appstream dpkg-dev file lintian
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the program need.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git python3
  qt6-base-dev qt6-base-private-dev qt6-base-dev-tools libqt6test6 qt6-qpa-plugins libgl-dev fonts-dejavu-core
  libpcre2-dev libcurl4-openssl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang-format
  hunspell-ru hunspell-tools
  librsvg2-bin desktop-file-utils appstream dpkg-dev man-db lintian
  qt6-translations-l10n libzip-dev pandoc unrtf libreoffice-writer-nogui
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"

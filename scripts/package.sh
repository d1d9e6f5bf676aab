#!/usr/bin/env bash
# Builds the Debian package umlo_VERSION_ARCH.deb into build-package/ (or
# $UMLO_BUILD_DIR): a release build without tests, installed under /usr.
# Install it with: apt-get install ./build-package/umlo_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
dir=${UMLO_BUILD_DIR:-build-package}
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DUMLO_BUILD_TESTS=OFF -DUMLO_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)"
rm -f "$dir"/umlo_*.deb
(cd "$dir" && cpack -G DEB)
ls "$dir"/umlo_*.deb

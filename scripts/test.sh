#!/usr/bin/env bash
# Set-up, build and every test, headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${UMLO_BUILD_DIR:-build}" --output-on-failure -j "$(nproc)"

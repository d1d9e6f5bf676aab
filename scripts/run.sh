#!/usr/bin/env bash
# Set-up, build, and start the program with the bundled data.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
exec "${UMLO_BUILD_DIR:-build}/bin/umlo" "$@"

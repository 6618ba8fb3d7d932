#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite without a
# display. Fails when a test fails.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/construire.sh"
export QT_QPA_PLATFORM=offscreen
cd "$root/build"
ctest --output-on-failure -j"$(nproc)"

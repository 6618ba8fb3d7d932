#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite without a
# display, then builds the Debian package and checks it installed. Fails when
# a test or a check fails.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/construire.sh"
export QT_QPA_PLATFORM=offscreen
# The end-to-end printing test prints through CUPS (root only).
if [ "$(id -u)" -eq 0 ]; then . "$root/tools/imprimante-essai.sh"; fi
cd "$root/build"
ctest --output-on-failure -j"$(nproc)"
"$root/tools/verifier-paquet.sh" "$("$root/tools/paquet.sh")" "$root/build/tests/paquet/plugins"

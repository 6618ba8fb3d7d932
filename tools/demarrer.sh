#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on its delivered
# data (build/bin/Save).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/construire.sh"
exec "$root/build/bin/TilvoLettres"

#!/usr/bin/env bash
# Builds the program and runs every benchmark, printing its figures. Not part
# of the test suite: timings are only meaningful on a quiet machine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/construire.sh"
export QT_QPA_PLATFORM=offscreen
for bench in bench_rtf bench_rtf_pires bench_impression bench_accueil bench_orthographe bench_contacts; do
  echo "== $bench"
  exe=$(find "$root/build/bench" -type f -name "$bench" -perm -u+x | head -n 1)
  "$exe"
done

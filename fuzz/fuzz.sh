#!/bin/sh
# Builds the RTF reader's fuzz target with clang-14 and runs it for the given
# number of seconds (600 by default). Crashes are left in fuzz/crashes/;
# each one becomes a case under tests/richtext/rtf/cases/.
set -e
ici=$(cd "$(dirname "$0")" && pwd)
construction=${CONSTRUCTION:-/tmp/tilvo-fuzz}
duree=${1:-600}
CXX=clang++-14 cmake -S "$ici" -B "$construction" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$construction" -j2
mkdir -p "$ici/crashes" "$construction/corpus"
cp "$ici"/../tests/richtext/rtf/fuzz/* "$construction/corpus/" 2>/dev/null || true
for f in "$ici"/../tests/richtext/rtf/cases/*/input.rtf; do
    [ -f "$f" ] && cp "$f" "$construction/corpus/$(basename "$(dirname "$f")").rtf"
done
cd "$construction"
LSAN_OPTIONS="suppressions=$ici/lsan.supp" exec ./fuzz_lecteur_rtf -max_total_time="$duree" -max_len=65536 -timeout=10 -rss_limit_mb=3072 \
    -artifact_prefix="$ici/crashes/" -dict="$ici/rtf.dict" corpus

#!/usr/bin/env bash
# Fails when a C++ file of the tree is not laid out as .clang-format says.
# Prints the lines clang-format would change.
# Usage: verifier-style.sh [SOURCE_ROOT]
set -euo pipefail
racine="$(cd "${1:-$(dirname "$0")/..}" && pwd)"
cd "$racine"
find app bench cli fuzz import output platform richtext store tests tools \
    \( -name '*.cpp' -o -name '*.h' \) -not -path '*/cases/*' -print0 \
  | xargs -0 clang-format --dry-run --Werror

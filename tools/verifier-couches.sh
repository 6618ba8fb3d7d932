#!/usr/bin/env bash
# Fails when a source file includes a header of a higher floor. The floors,
# from the bottom up: platform; richtext/rtf; store; output, import and
# richtext; app and cli. A folder may include its own floor and those below.
# Prints each upward include and exits 1 if there is any.
# Usage: verifier-couches.sh [SOURCE_ROOT]
set -euo pipefail
racine="$(cd "${1:-$(dirname "$0")/..}" && pwd)"
cd "$racine"

# The floor of a path relative to the source root; nothing outside them.
etage() {
  case "$1" in
    richtext/rtf/*) echo 1 ;;
    platform/*) echo 0 ;;
    store/*) echo 2 ;;
    output/* | import/* | richtext/*) echo 3 ;;
    app/* | cli/*) echo 4 ;;
  esac
}

# The included header relative to the source root: beside the file, then
# from the root, then in the RTF library (included by their bare names).
cible() {
  local dossier="$1" inclus="$2" base
  for base in "$dossier" . richtext/rtf; do
    if [[ -f "$base/$inclus" ]]; then
      realpath --relative-to=. "$base/$inclus"
      return
    fi
  done
}

echec=0
while IFS= read -r -d '' fichier; do
  fichier="${fichier#./}"
  bas="$(etage "$fichier")"
  while IFS= read -r inclus; do
    visee="$(cible "$(dirname "$fichier")" "$inclus")"
    [[ -n "$visee" ]] || continue
    haut="$(etage "$visee")"
    if [[ -n "$haut" && "$haut" -gt "$bas" ]]; then
      echo "$fichier : « $inclus » ($visee) est d'un étage supérieur"
      echec=1
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$fichier")
done < <(find platform richtext store output import app cli -type f \( -name '*.h' -o -name '*.cpp' \) -print0)
exit "$echec"

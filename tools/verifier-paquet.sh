#!/usr/bin/env bash
# Checks the Debian package built by tools/paquet.sh:
#   - lintian finds no error (warnings are printed);
#   - the desktop entry and the AppStream metadata validate;
#   - installed into a throwaway root (dpkg-deb -x), the program started
#     offscreen with an empty HOME shows its window, finds the catalogue and
#     saves a recipient into the user's data folder (backed up before that
#     first write), writing nothing under the installation.
# Usage: verifier-paquet.sh PAQUET.deb DOSSIER_DU_PILOTE
# (the pilot is the Qt plugin built in build/tests/paquet/plugins).
set -euo pipefail
deb="$1"
pilote="$2"
temp=$(mktemp -d)
trap 'rm -rf "$temp"' EXIT
echec() { echo "ÉCHEC : $*" >&2; exit 1; }

echo "== lintian"
lintian --fail-on error --tag-display-limit 0 "$deb" || echec "lintian signale des erreurs"

racine="$temp/racine"
dpkg-deb -x "$deb" "$racine"
echo "== desktop-file-validate"
desktop-file-validate "$racine/usr/share/applications/fr.tilvo.Lettres.desktop" || echec "entrée de menu invalide"
echo "== appstreamcli validate"
appstreamcli validate --no-net "$racine/usr/share/metainfo/fr.tilvo.Lettres.metainfo.xml" || echec "métadonnées AppStream invalides"

echo "== programme installé"
touch "$temp/repere"
sleep 1
export HOME="$temp/maison"
mkdir -p "$HOME"
unset XDG_DATA_HOME XDG_CONFIG_HOME
journal="$temp/journal.txt"
QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH="$pilote" timeout 60 \
  "$racine/usr/bin/tilvo-lettres" -plugin tilvoessai >"$journal" 2>&1 || { cat "$journal"; echec "le programme installé a échoué"; }
cat "$journal"
grep -q "^fenêtre : Tilvo - Lettres" "$journal" || echec "fenêtre principale non affichée"
grep -Eq "^catégories : [1-9]" "$journal" || echec "catalogue introuvable"
base="$HOME/.local/share/tilvo-lettres/Save/Lettre.mdb"
[ -f "$base" ] || echec "pas de base dans le dossier des données ($base)"
n=$(sqlite3 "$base" "SELECT count(*) FROM Destinataire WHERE hex(Nom_Destinataire) = hex('Essai-Paquet')")
[ "$n" = 1 ] || echec "destinataire absent de $base"
ls "$HOME"/.local/share/tilvo-lettres/Save/Sauvegardes/Lettre-*.mdb >/dev/null 2>&1 || echec "pas de sauvegarde avant la première écriture"
[ -f "$HOME/.config/Tilvo/registre.ini" ] || echec "registre absent de ~/.config"
ecrits=$(find "$racine" -newer "$temp/repere" -print)
[ -z "$ecrits" ] || echec "écrit sous l'installation : $ecrits"
echo "Paquet vérifié : $deb"

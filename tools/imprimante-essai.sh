# Sourced by tester.sh, as root: the printer of the end-to-end printing
# test. Starts a CUPS scheduler when none runs (stopped again when the
# tests end) and makes a cups-pdf queue "TilvoPDF", which writes every job
# to a PDF file in the user's ~/PDF, the default printer until the tests
# end (the previous default is then given back). Exports
# TILVO_CUPS_EXIGE=1 so that the test fails instead of skipping when it
# then finds no printer. Under CI a failure here fails the run.
tilvo_cupsd=""
tilvo_ancien_defaut=""
tilvo_imprimante_rendre() {
  if [ -n "$tilvo_ancien_defaut" ] && [ "$tilvo_ancien_defaut" != TilvoPDF ]; then
    lpadmin -d "$tilvo_ancien_defaut" 2>/dev/null || true
  fi
  if [ -n "$tilvo_cupsd" ]; then kill "$tilvo_cupsd" 2>/dev/null || true; fi
}
trap tilvo_imprimante_rendre EXIT

tilvo_imprimante_essai() {
  command -v cupsd >/dev/null && command -v lpadmin >/dev/null || {
    echo "CUPS n'est pas installé (paquets cups, printer-driver-cups-pdf)." >&2; return 1; }
  local ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  [ -f "$ppd" ] || { echo "Pilote cups-pdf absent ($ppd)." >&2; return 1; }
  if ! lpstat -r 2>/dev/null | grep -q 'scheduler is running'; then
    mkdir -p /run/cups
    cupsd -f &
    tilvo_cupsd=$!
    local i
    for i in $(seq 1 100); do
      lpstat -r 2>/dev/null | grep -q 'scheduler is running' && break
      sleep 0.1
    done
    lpstat -r 2>/dev/null | grep -q 'scheduler is running' || {
      echo "Le serveur CUPS n'a pas démarré." >&2; return 1; }
  fi
  if ! lpstat -p TilvoPDF >/dev/null 2>&1; then
    lpadmin -p TilvoPDF -E -v cups-pdf:/ -P "$ppd" 2>/dev/null || {
      echo "La file cups-pdf n'a pas pu être créée." >&2; return 1; }
  fi
  tilvo_ancien_defaut=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
  lpadmin -d TilvoPDF || return 1
  export TILVO_CUPS_EXIGE=1
}

if ! tilvo_imprimante_essai; then
  if [ "${CI:-}" = "true" ]; then
    echo "Imprimante d'essai indisponible : l'essai d'impression de bout en bout ne peut pas tourner." >&2
    exit 1
  fi
  echo "Imprimante d'essai indisponible : l'essai d'impression de bout en bout sera sauté." >&2
fi

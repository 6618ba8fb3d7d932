#!/usr/bin/env bash
# Builds the Debian package (dpkg-buildpackage -us -uc -b) from the source
# tree as it stands, in build/paquet/, and prints the .deb's path. The tree is
# copied there first, so packaging leaves no trace in the sources.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
version=$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)
# The version is the program's, from project() in CMakeLists.txt: the
# changelog and the AppStream release must follow it.
programme=$(sed -n 's/^project(TilvoLettres VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
if [ "$version" != "$programme" ]; then
  echo "debian/changelog ($version) ne suit pas la version du programme ($programme)." >&2
  exit 1
fi
grep -q "<release version=\"$programme\"" "$root/desktop/fr.tilvo.Lettres.metainfo.xml" || {
  echo "desktop/fr.tilvo.Lettres.metainfo.xml ne décrit pas la version $programme." >&2
  exit 1
}
travail="$root/build/paquet"
source="$travail/tilvo-lettres-$version"

rm -rf "$source" "$travail"/*.deb "$travail"/*.buildinfo "$travail"/*.changes
mkdir -p "$source"
(cd "$root" && git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf -) | tar -xf - -C "$source"

# The tests run from the source tree (tools/tester.sh), not while packaging;
# ccache, when there, keeps repeated packagings cheap.
export DEB_BUILD_OPTIONS="nocheck parallel=${PARALLELE:-$(nproc)}"
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR="$source"
fi
(cd "$source" && dpkg-buildpackage -us -uc -b >"$travail/construction.log" 2>&1) || {
  tail -n 40 "$travail/construction.log" >&2
  exit 1
}
rm -rf "$source"
ls "$travail"/tilvo-lettres_"$version"_*.deb

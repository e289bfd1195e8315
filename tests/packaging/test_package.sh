#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root and runs what it installed:
# focalines-cli on a configuration, and the window program (offscreen) on a configuration
# and on an exercise, both reaching their first activation.
#   test_package.sh BUILD_DIR SOURCE_DIR
# Exits 77 (skipped) when dpkg-deb or cpack is missing.
set -euo pipefail
build=$1
src=$2
for tool in dpkg-deb cpack; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool absent : test sauté."; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/*.deb)
echo "paquet : $(basename "$deb")"
depends=$(dpkg-deb -f "$deb" Depends)
echo "dépendances : $depends"
for needed in libqt6widgets6 fonts-liberation2 fonts-symbola qt6-translations-l10n; do
    [[ "$depends" == *"$needed"* ]] || { echo "dépendance absente : $needed"; exit 1; }
done
# Stripped programs: the package stays small (the programs alone once made 73 MB).
size=$(dpkg-deb -f "$deb" Installed-Size)
echo "taille installée : $size Kio"
[ "$size" -lt 15000 ] || { echo "paquet trop gros : $size Kio installés"; exit 1; }

root=$work/root
dpkg-deb -x "$deb" "$root"
lib=$root/usr/lib/focalines
for f in "$lib/focalines" "$lib/focalines-cli" "$lib/aide/focalines.qch" \
         "$root/usr/share/applications/fr.aldoria.focalines.desktop" \
         "$root/usr/share/metainfo/fr.aldoria.focalines.metainfo.xml" \
         "$root/usr/share/mime/packages/fr.aldoria.focalines.xml" \
         "$root/usr/share/icons/hicolor/scalable/apps/fr.aldoria.focalines.svg" \
         "$root/usr/share/icons/hicolor/48x48/apps/fr.aldoria.focalines.png"; do
    [ -e "$f" ] || { echo "absent du paquet : ${f#$root}"; exit 1; }
done
[ "$(readlink "$root/usr/bin/focalines")" = "../lib/focalines/focalines" ] ||
    { echo "lien /usr/bin/focalines incorrect"; exit 1; }
for program in focalines focalines-cli; do
    ! readelf -S "$lib/$program" | grep -q '\.debug_' ||
        { echo "$program n'est pas dépouillé de ses informations de débogage"; exit 1; }
done

# A configuration of the help's pictures, read by the unpacked command-line program.
cli=$root/usr/bin/focalines-cli
"$cli" --help >/dev/null
"$cli" --version | grep -q '^Focalines ' || { echo "focalines-cli --version"; exit 1; }
config=$work/loupe.P09
cp "$src/docs/aide/pictures/loupe.P09" "$config"
"$cli" images "$config" | grep -q 'loupe.P09' || { echo "focalines-cli images a échoué"; exit 1; }

"$root/usr/bin/focalines" --version | grep -q '^Focalines ' || { echo "--version"; exit 1; }
"$root/usr/bin/focalines" --help | grep -q 'Usage : focalines' || { echo "--help"; exit 1; }

# The window program from the unpacked tree, with a file on its command line; the title names
# the configuration it opened (an exercise opens its own).
run_window() {
    local out
    out=$(cd "$work" && QT_QPA_PLATFORM=offscreen FOCALINES_REPORT_START=1 \
          timeout 60 "$root/usr/bin/focalines" "$1" 2>&1) || { echo "$out"; return 1; }
    grep -q '^activated' <<<"$out" || { echo "$out"; return 1; }
    grep -q "Focalines - .*$2" <<<"$out" || { echo "titre : $out"; return 1; }
}
run_window "$config" "$(basename "$config")"
exercise=$(find "$lib" -iname '*.E21' | head -n 1)
if [ -n "$exercise" ]; then
    run_window "$exercise" "$lib/.*\\.P09"
fi
echo "paquet installé et lancé"

#!/usr/bin/env bash
# The desktop entry, the AppStream metainfo and the MIME types pass their validators.
#   test_desktop_files.sh SOURCE_DIR
# Exits 77 (skipped) when the validators are not installed.
set -euo pipefail
dir=$1/packaging
for tool in desktop-file-validate appstreamcli xmllint; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool absent : test sauté."; exit 77; }
done
desktop-file-validate "$dir/fr.aldoria.focalines.desktop"
appstreamcli validate --no-net --pedantic "$dir/fr.aldoria.focalines.metainfo.xml"
xmllint --noout "$dir/fr.aldoria.focalines.xml"
# Every MIME type the desktop entry opens is declared, and the exercise and configuration
# patterns are there in both cases.
for type in $(sed -n 's/^MimeType=//p' "$dir/fr.aldoria.focalines.desktop" | tr ';' ' '); do
    grep -q "type=\"$type\"" "$dir/fr.aldoria.focalines.xml" || { echo "type $type absent"; exit 1; }
done
for pattern in '*.P09' '*.p09' '*.E21' '*.e21'; do
    grep -qF "pattern=\"$pattern\"" "$dir/fr.aldoria.focalines.xml" || { echo "$pattern absent"; exit 1; }
done
echo "fichiers du bureau valides"

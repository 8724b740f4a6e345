#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every translation of the window is complete: no entry is unfinished or left over from a
# text the sources no longer have, and the sources have no text the translation lacks (a
# text added without its translation fails here).
# usage: TranslationsComplete.sh LUPDATE SOURCE_DIR
set -euo pipefail
lupdate="${1:?usage: TranslationsComplete.sh LUPDATE SOURCE_DIR}"
source_dir="${2:?usage: TranslationsComplete.sh LUPDATE SOURCE_DIR}"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
shopt -s nullglob
translations=("$source_dir"/translations/*.ts)
if [ ${#translations[@]} -eq 0 ]; then
    echo "no translation under $source_dir/translations" >&2
    exit 1
fi
# Prints the source of each entry marked with the given type.
entries_of_type() {
    python3 - "$1" "$2" <<'PY'
import sys, xml.etree.ElementTree as ET
for context in ET.parse(sys.argv[1]).getroot().iter('context'):
    for message in context.iter('message'):
        if message.find('translation').get('type') == sys.argv[2]:
            print(f"{context.findtext('name')}: {message.findtext('source')!r}")
PY
}
for ts in "${translations[@]}"; do
    name=$(basename "$ts")
    for type in unfinished obsolete vanished; do
        found=$(entries_of_type "$ts" "$type")
        if [ -n "$found" ]; then
            echo "$name has $type entries:" >&2
            echo "$found" >&2
            status=1
        fi
    done
    # The same translation brought up to date with the sources as they are now.
    cp "$ts" "$scratch/$name"
    "$lupdate" -silent -locations none -I "$source_dir/src" "$source_dir/src/view" "$source_dir/src/app" \
        -ts "$scratch/$name"
    for type in unfinished vanished; do
        found=$(entries_of_type "$scratch/$name" "$type")
        if [ -n "$found" ]; then
            echo "$name does not match the sources; run the update_translations target." >&2
            echo "$type after lupdate:" >&2
            echo "$found" >&2
            status=1
        fi
    done
done
exit "$status"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file of the project names its licence in its first lines.
# usage: EverySourceNamesItsLicence.sh SOURCE_DIR
set -euo pipefail
cd "${1:?usage: EverySourceNamesItsLicence.sh SOURCE_DIR}"
missing=0
while IFS= read -r -d '' file; do
    if ! head -n 3 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later'; then
        echo "no licence line: $file" >&2
        missing=1
    fi
done < <(find src tests bench scripts cmake .ci \
    \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' -o -name '*.py' -o -name 'CMakeLists.txt' \
    -o -name '*.cmake' -o -name run \) -type f -print0)
for file in CMakeLists.txt; do
    head -n 3 "$file" | grep -q 'SPDX-License-Identifier' || { echo "no licence line: $file" >&2; missing=1; }
done
exit "$missing"

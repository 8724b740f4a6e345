#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs every test three times: a normal build, one under AddressSanitizer and
# UBSan, and one under ThreadSanitizer (large lists are probed, added and written in
# parallel parts). Warnings are errors in all three. The normal build is also installed and
# its window used end to end on a virtual display (scripts/window-e2e.sh), and packed into a
# .deb that is checked (scripts/check-package.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

run_build() {
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja -DTESSEL_WERROR=ON "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
    (cd "$dir" && ctest --output-on-failure -j "$jobs")
}

run_build build-ci -DCMAKE_BUILD_TYPE=RelWithDebInfo
root="$PWD/build-ci/install-root"
rm -rf "$root"
DESTDIR="$root" cmake --install build-ci >/dev/null
test -x "$root/usr/local/bin/tessel-cli"
test -x "$root/usr/local/bin/tessel"
share="$root/usr/local/share"
desktop-file-validate "$share/applications/io.tessel.Tessel.desktop"
appstreamcli validate --no-net "$share/metainfo/io.tessel.Tessel.metainfo.xml"
update-mime-database "$share/mime" 2>/dev/null
grep -q 'application/x-tessel-list' "$share/mime/globs2"
if command -v gio >/dev/null; then
    # A list is known by its header alone, without its extension.
    cp tests/data/one_row.tsl "$root/list-without-extension"
    XDG_DATA_DIRS="$share:/usr/share" gio info -a standard::content-type \
        "$root/list-without-extension" | grep -q 'application/x-tessel-list'
fi
test -s "$share/icons/hicolor/scalable/apps/io.tessel.Tessel.svg"
test -s "$share/icons/hicolor/48x48/apps/io.tessel.Tessel.png"
test -s "$share/man/man1/tessel.1.gz"
test -s "$share/man/man1/tessel-cli.1.gz"
# The Debian package of the same build, its contents and dependencies.
scripts/check-package.sh build-ci
# The window used end to end as a person would, on a virtual display of its own.
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null && command -v import >/dev/null; then
    TESSEL_E2E_SHOTS="$PWD/build-ci/window-e2e-shots" scripts/window-e2e.sh build-ci
else
    echo "test.sh: no Xvfb, xdotool or ImageMagick here; the window's end-to-end run is skipped" >&2
fi
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_build build-asan -DCMAKE_BUILD_TYPE=Debug -DTESSEL_SANITIZE=ON -DTESSEL_BUILD_BENCH=OFF
# The window is left out here: the Qt libraries are not built with ThreadSanitizer, so it
# would report their own synchronisation; the core's threads are all tested without it.
TSAN_OPTIONS=halt_on_error=1 \
    run_build build-tsan -DCMAKE_BUILD_TYPE=Debug -DTESSEL_THREAD_SANITIZE=ON -DTESSEL_BUILD_BENCH=OFF \
    -DTESSEL_BUILD_WINDOW=OFF

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Packs a built and tested build folder into a Debian package with CPack and checks the
# package: the programs and their data under /usr, the dependencies read off the binaries
# plus the SVG plugins, the man pages' version, and lintian's verdict when it is there.
#   scripts/check-package.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: check-package.sh BUILD_DIR}" && pwd)

rm -f "$build"/tessel_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/tessel_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "check-package.sh: cpack made no single tessel_*.deb" >&2; exit 1; }
deb=${debs[0]}
failed=0
fail() { echo "check-package.sh: $deb: $*" >&2; failed=1; }

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/bin/tessel ./usr/bin/tessel-cli \
    ./usr/share/man/man1/tessel.1.gz ./usr/share/man/man1/tessel-cli.1.gz \
    ./usr/share/applications/io.tessel.Tessel.desktop \
    ./usr/share/icons/hicolor/scalable/apps/io.tessel.Tessel.svg \
    ./usr/share/icons/hicolor/48x48/apps/io.tessel.Tessel.png \
    ./usr/share/mime/packages/tessel-list.xml \
    ./usr/share/metainfo/io.tessel.Tessel.metainfo.xml \
    ./usr/share/tessel/translations/tessel_de.qm; do
    grep -qx -- "$path" <<<"$contents" || fail "holds no $path"
done

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 'libicu[0-9]+' libqt6svg6; do
    grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "does not depend on $package: $depends"
done

version=$(dpkg-deb -f "$deb" Version)
for page in tessel.1 tessel-cli.1; do
    dpkg-deb --fsys-tarfile "$deb" | tar -xOf - "./usr/share/man/man1/$page.gz" | gunzip | head -n 1 |
        grep -qF "\"Tessel $version\"" || fail "$page does not name version $version"
done

if command -v lintian >/dev/null; then
    lint=(lintian --fail-on error)
    if ! dpkg-deb -f "$deb" Maintainer | grep -qE '<[^<>@ ]+@[^<>@ ]+>$'; then
        echo "check-package.sh: the package names no maintainer address" \
            "(-DTESSEL_PACKAGE_MAINTAINER='Name <address>'); lintian's malformed-contact is not counted" >&2
        lint+=(--suppress-tags malformed-contact)
    fi
    "${lint[@]}" "$deb" || fail "lintian found errors"
else
    echo "check-package.sh: no lintian here; the package is not linted" >&2
fi
exit "$failed"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building, testing and looking at Tessel needs on Debian 12.
set -euo pipefail
packages=(qt6-base-dev libqt6svg6 cmake ninja-build g++ libgtest-dev libgmock-dev
          libbenchmark-dev libicu-dev libcli11-dev libtag1-dev xvfb xauth xdotool imagemagick
          desktop-file-utils appstream shared-mime-info dpkg-dev file
          python3-pyatspi at-spi2-core dbus-daemon
          qt6-tools-dev qt6-l10n-tools qt6-translations-l10n qt6-gtk-platformtheme)
# The tag editors the tag benchmark compares with (bench/id3v2_vs_tools.sh), on request.
if [ "${TESSEL_BENCH_TOOLS:-0}" = 1 ]; then
    packages+=(id3v2 python3-mutagen hyperfine)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

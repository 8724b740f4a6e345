#!/usr/bin/env bash
# Builds and runs every test three times: a normal build, one under AddressSanitizer and
# UBSan, and one under ThreadSanitizer (large lists are probed, added and written in
# parallel parts). Warnings are errors in all three.
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
DESTDIR="$PWD/build-ci/install-root" cmake --install build-ci >/dev/null
test -x build-ci/install-root/usr/local/bin/tessel-cli
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_build build-asan -DCMAKE_BUILD_TYPE=Debug -DTESSEL_SANITIZE=ON -DTESSEL_BUILD_BENCH=OFF
TSAN_OPTIONS=halt_on_error=1 \
    run_build build-tsan -DCMAKE_BUILD_TYPE=Debug -DTESSEL_THREAD_SANITIZE=ON -DTESSEL_BUILD_BENCH=OFF

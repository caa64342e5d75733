#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One entry point for a fresh machine:
#   scripts/dev.sh run    install what is missing, build, open the program
#   scripts/dev.sh test   install what is missing, build, run every test, the sanitizer
#                         build's and the bounded fuzz runs
#   scripts/dev.sh package  build the release Debian package into build/release
#   scripts/dev.sh bench  start-up, memory and click timings against a floor program
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -j "$jobs"
}

case "${1:-}" in
run)
    scripts/install-deps.sh
    build dev
    exec build/dev/src/window/velmora
    ;;
test)
    scripts/install-deps.sh
    build dev
    ctest --preset dev
    # The same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
    build asan
    ctest --preset asan
    # Bounded fuzz runs; a failing input is left in build/fuzz/artifacts.
    build fuzz
    ctest --preset fuzz || { ls build/fuzz/artifacts >&2; exit 1; }
    ;;
bench)
    scripts/install-deps.sh
    build dev
    build/dev/bench/velmora_bench
    ;;
package)
    scripts/install-deps.sh
    scripts/package.sh
    ;;
*)
    echo "usage: $0 run|test|package|bench" >&2
    exit 2
    ;;
esac

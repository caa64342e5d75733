#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One entry point for a fresh machine:
#   scripts/dev.sh run    install what is missing, build, open the program
#   scripts/dev.sh test   install what is missing, build, run every test, the sanitizer
#                         build's and the bounded fuzz runs
#   scripts/dev.sh package  build the release Debian package into build/release
#   scripts/dev.sh web    build the web edition: build/web/velmora.html
#   scripts/dev.sh bench  start-up, memory and click timings against a floor program, and
#                         the web edition's in headless Chromium
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
    # The web edition: the puzzle tests in WebAssembly under node, the page in Chromium.
    build web
    ctest --preset web
    ;;
web)
    scripts/install-deps.sh
    build web
    echo "Open $(pwd)/build/web/velmora.html in a browser."
    ;;
bench)
    scripts/install-deps.sh
    build dev
    build/dev/bench/velmora_bench
    build web
    /usr/bin/python3 bench/web_bench.py build/web/velmora.html
    ;;
package)
    scripts/install-deps.sh
    scripts/package.sh
    ;;
*)
    echo "usage: $0 run|test|package|web|bench" >&2
    exit 2
    ;;
esac

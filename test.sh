#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite three ways:
# the ordinary build, the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer (halting on the first error), and a short run of
# every fuzz target.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
(cd "$BUILD_DIR" && ctest -j2 --output-on-failure --timeout 300)

SANITIZE_DIR=${SANITIZE_DIR:-$TOP/build-asan}
BUILD_DIR=$SANITIZE_DIR CMAKE_EXTRA_ARGS="-DKAVEX_SANITIZE=ON" build
(cd "$SANITIZE_DIR" &&
    ASAN_OPTIONS=halt_on_error=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        ctest -j2 --output-on-failure --timeout 600)

FUZZ_DIR=${FUZZ_DIR:-$TOP/build-fuzz}
CC=clang CXX=clang++ cmake -S "$TOP" -B "$FUZZ_DIR" -DKAVEX_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$FUZZ_DIR" -j"$(nproc)"
(cd "$FUZZ_DIR" && ctest --output-on-failure)

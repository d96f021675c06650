#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, checks that every
# source file is formatted as .clang-format says, and runs the whole test
# suite three ways:
# the ordinary build, the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer (halting on the first error), and a short run of
# every fuzz target.
set -euo pipefail
# Warnings are errors here, as in CI; run.sh builds without.
export KAVEX_WERROR=ON
source "$(dirname "$0")/scripts/setup.sh"
"$TOP/scripts/format-check.sh"
(cd "$BUILD_DIR" && ctest -j2 --output-on-failure --timeout 300)

SANITIZE_DIR=${SANITIZE_DIR:-$TOP/build-asan}
# The sanitizers' instrumentation makes the compiler warn about code it
# rewrote itself, so warnings stay warnings in that build.
BUILD_DIR=$SANITIZE_DIR KAVEX_WERROR=OFF CMAKE_EXTRA_ARGS="-DKAVEX_SANITIZE=ON" build
(cd "$SANITIZE_DIR" &&
    ASAN_OPTIONS=halt_on_error=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        ctest -j2 --output-on-failure --timeout 600)

FUZZ_DIR=${FUZZ_DIR:-$TOP/build-fuzz}
CC=clang CXX=clang++ cmake -S "$TOP" -B "$FUZZ_DIR" -DKAVEX_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$FUZZ_DIR" -j"$(nproc)"
(cd "$FUZZ_DIR" && ctest --output-on-failure)

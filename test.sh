#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
cd "$BUILD_DIR"
ctest -j2 --output-on-failure --timeout 300

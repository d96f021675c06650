#!/usr/bin/env bash
# Fails, naming the files, when a source file of the project (not a build
# folder) is not formatted as the committed .clang-format says.
set -euo pipefail
TOP=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$TOP"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files -co --exclude-standard -- \
        'src/**.cpp' 'src/**.h' 'src/**.c' 'simulator/**.cpp' 'simulator/**.h' 'simulator/**.c' \
        'tests/**.cpp' 'tests/**.h' 'tests/**.c' 'bench/**.cpp' 'bench/**.h' 'bench/**.c')
else
    mapfile -t files < <(find src simulator tests bench -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \))
fi
[ ${#files[@]} -eq 0 ] && exit 0
if ! clang-format --dry-run -Werror "${files[@]}"; then
    echo "Not formatted as .clang-format says; run clang-format -i on the files above." >&2
    exit 1
fi

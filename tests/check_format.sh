#!/usr/bin/env bash
# Every C++ source follows the committed .clang-format style.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
mapfile -t sources < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find host templates plugin tests tools -name '*.cpp' -o -name '*.h')
clang-format --dry-run --Werror "${sources[@]}"
echo "format: ${#sources[@]} sources follow .clang-format"

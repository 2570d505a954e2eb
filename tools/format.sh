#!/usr/bin/env bash
# Formats the C++ sources with the house .clang-format; with --check, changes
# nothing and fails when a file differs from it.
set -euo pipefail
cd "$(dirname "$0")/.."
fmt=${CLANG_FORMAT:-clang-format}
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--check" ]; then
  "$fmt" --dry-run --Werror "${files[@]}"
  echo "format: ${#files[@]} files as .clang-format has them"
else
  "$fmt" -i "${files[@]}"
fi

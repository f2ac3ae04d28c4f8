#!/usr/bin/env bash
# Checks that every C++ file in the repository follows .clang-format; prints
# each file that does not and exits 1. To fix them: clang-format -i FILE...
set -euo pipefail
cd "$(dirname "$0")/.."
# One version, pinned: another may format the same code otherwise.
format=clang-format-14
scripts/setup-deps.sh "$format" >&2
unformatted=()
while IFS= read -r file; do
    "$format" --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done < <(git ls-files '*.cpp' '*.h')
if [ ${#unformatted[@]} -gt 0 ]; then
    printf 'not formatted as .clang-format says: %s\n' "${unformatted[@]}" >&2
    exit 1
fi
echo "every C++ file follows .clang-format"

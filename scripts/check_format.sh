#!/usr/bin/env bash
# Fails when a C++ file is not formatted as the root .clang-format says, and names each such
# file. Checks every tracked *.cpp and *.h, or only the files given as arguments.
#   CLANG_FORMAT  the clang-format to use (default clang-format, else clang-format-14)
set -euo pipefail
cd "$(dirname "$0")/.."
clang_format="${CLANG_FORMAT:-$(command -v clang-format || command -v clang-format-14 || true)}"
if [ -z "$clang_format" ]; then
    echo "check_format: clang-format is missing; run scripts/setup.sh" >&2
    exit 1
fi
if (($#)); then
    files=("$@")
else
    mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
fi
unformatted=()
for file in "${files[@]}"; do
    if ! "$clang_format" --style=file --dry-run --Werror "$file" 2>/dev/null; then
        unformatted+=("$file")
    fi
done
if ((${#unformatted[@]})); then
    printf 'check_format: not formatted: %s\n' "${unformatted[@]}" >&2
    echo "check_format: see the changes with clang-format --dry-run FILE, apply them with" \
        "clang-format -i FILE" >&2
    exit 1
fi
echo "check_format: ${#files[@]} files formatted"

#!/bin/sh
# Checks every tracked C++ source against .clang-format with Debian's
# clang-format (clang-format-14): prints what differs and fails when anything
# does. Nothing is rewritten.
set -eu
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$format" ]; then
    echo "check-format: clang-format-14 is missing (tools/install-deps.sh installs it)" >&2
    exit 2
fi
git ls-files -z '*.cpp' '*.h' '*.c' | xargs -0 "$format" --style=file --dry-run --Werror

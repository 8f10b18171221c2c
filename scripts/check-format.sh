#!/usr/bin/env bash
# Checks that every C++ source of the tree is laid out as the repository's .clang-format says; lists
# the files that are not and fails. To fix them: the same find, with clang-format -i.
set -euo pipefail
cd "$(dirname "$0")/.."
find engine game tools tests bench -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z |
    xargs -0 clang-format --dry-run --Werror

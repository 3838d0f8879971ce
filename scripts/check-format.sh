#!/usr/bin/env bash
# Fails when a tracked C++ source differs from .clang-format; prints the first differences.
# Fix with: git ls-files '*.cpp' '*.h' | xargs clang-format -i
set -euo pipefail
cd "$(dirname "$0")/.."
if ! git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror 2>/tmp/orlin-format.$$; then
  head -n 30 /tmp/orlin-format.$$ >&2
  rm -f /tmp/orlin-format.$$
  echo "check-format: the files above are not formatted (git ls-files '*.cpp' '*.h' | xargs clang-format -i)" >&2
  exit 1
fi
rm -f /tmp/orlin-format.$$
echo "Format of the C++ sources: OK"

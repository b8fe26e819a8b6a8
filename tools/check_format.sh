#!/bin/bash
# Fails (exit 1, naming the files) when a C++ source of the project differs from what
# clang-format makes of it under the root's .clang-format. Tables that read better aligned by
# hand sit between `// clang-format off` and `// clang-format on`.
#
# Usage: tools/check_format.sh [--fix]   (--fix rewrites the files in place instead)
set -u
cd "$(dirname "$0")/.." || exit 2
if ! command -v clang-format >/dev/null; then
  echo "check_format: clang-format is not installed; skipped"
  exit 0
fi
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  files=$(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' \
            'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
else
  files=$(find src tests bench fuzz -name '*.cpp' -o -name '*.h' | sort)
fi
if [ "${1:-}" = --fix ]; then
  echo "$files" | xargs clang-format -i
  exit 0
fi
bad=""
for f in $files; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad="$bad $f"
done
if [ -n "$bad" ]; then
  echo "check_format: not as clang-format writes them (tools/check_format.sh --fix):"
  for f in $bad; do echo "  $f"; done
  exit 1
fi
echo "check_format: $(echo "$files" | wc -l) files formatted"

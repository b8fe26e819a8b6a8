#!/usr/bin/env bash
# Fails when GCC stopped copying the interpreter's dispatch jump into its handlers. The copies
# are what make it fast (each opcode's successor predicted on its own, the 6502 registers kept
# in host registers), and nothing else notices when a compiler upgrade, a flag or a bigger
# handler quietly folds them back into one shared jump.
#
#   tools/check_dispatch.sh BINARY_OR_OBJECT [MINIMUM]
#
# Counts the indirect jumps (`jmp *...`) in each untraced Run function of the interpreter
# (CpuCore<core, traced = false, direct fetch = true>::Run); every one must have MINIMUM
# (default 100). One shared jump leaves a single one. Traced runs dispatch once on purpose.
set -euo pipefail

if [ $# -lt 1 ] || [ ! -f "$1" ]; then
  echo "usage: $0 BINARY_OR_OBJECT [MINIMUM]" >&2
  exit 2
fi
file=$1
minimum=${2:-100}
command -v objdump >/dev/null || { echo "$0: objdump not found (binutils)" >&2; exit 2; }

counts=$(objdump -d --no-show-raw-insn -C "$file" | awk '
  /^[0-9a-f]+ <.*>:$/ {
    name = $0
    sub(/^[0-9a-f]+ </, "", name)
    sub(/>:$/, "", name)
    run = (name ~ /^CpuCore<(true|false), false, true>::Run\(/ && name !~ /\[clone/)
    if (run) jumps[name] += 0
    next
  }
  run && /\tjmp +\*/ { jumps[name]++ }
  END { for (n in jumps) print jumps[n] "\t" n }')

if [ -z "$counts" ]; then
  echo "FAIL: no interpreter Run function found in $file" >&2
  exit 1
fi
status=0
while IFS=$'\t' read -r jumps name; do
  if [ "$jumps" -lt "$minimum" ]; then
    echo "FAIL: $name has $jumps indirect jumps, fewer than $minimum: the dispatch is no longer copied into the handlers"
    status=1
  else
    echo "ok: $name has $jumps indirect jumps"
  fi
done <<<"$counts"
exit $status

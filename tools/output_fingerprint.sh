#!/usr/bin/env bash
# Prints one line per cartridge and CPU core with everything a player could notice: the
# picture hash after 600 frames, the bytes of the sound and of a save state from that run,
# and a 200-frame instruction trace. Run it on two builds and diff the outputs to show that
# a change left the emulation's output alone.
#
#   tools/output_fingerprint.sh BUILD_DIR [ROM...]    (default: every BUILD_DIR/roms/*.nes)
set -euo pipefail

if [ $# -lt 1 ] || [ ! -d "$1" ]; then
  echo "usage: $0 BUILD_DIR [ROM...]" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
shift
runner="$build/halvoren-run"
[ -x "$runner" ] || { echo "$0: no halvoren-run in $build" >&2; exit 2; }
if [ $# -gt 0 ]; then
  roms=("$@")
else
  shopt -s nullglob
  roms=("$build"/roms/*.nes)
  shopt -u nullglob
  [ ${#roms[@]} -gt 0 ] || { echo "$0: no cartridges in $build/roms" >&2; exit 2; }
fi

# Each run in a scratch folder: the log and any battery file land there, not in the tree.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

digest() { if [ -f "$1" ]; then md5sum <"$1" | cut -c1-32; else echo none; fi; }

for rom in "${roms[@]}"; do
  rom=$(cd "$(dirname "$rom")" && pwd)/$(basename "$rom")
  for core in main alt; do
    rm -rf "$work"/*
    # A cartridge that halts the CPU is still fingerprinted: its exit status is part of it.
    status=0
    picture=$(cd "$work" && "$runner" "$rom" --core "$core" --frames 600 --hash \
              --wav "$work/sound.wav" --save-state "$work/state.sv0" 2>/dev/null) || status=$?
    picture=$(sed -n 's/.*hash=\([0-9a-f]*\).*/\1/p' <<<"$picture")
    trace_status=0
    (cd "$work" && "$runner" "$rom" --core "$core" --frames 200 --trace "$work/trace.txt" \
       >/dev/null 2>&1) || trace_status=$?
    printf '%s %s picture=%s wav=%s state=%s trace=%s exit=%s/%s\n' "$(basename "$rom")" "$core" \
      "${picture:-none}" "$(digest "$work/sound.wav")" "$(digest "$work/state.sv0")" \
      "$(digest "$work/trace.txt")" "$status" "$trace_status"
  done
done

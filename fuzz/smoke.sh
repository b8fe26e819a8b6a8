#!/usr/bin/env bash
# Runs every fuzz target for a short while over its seed corpus; any finding fails the run.
# New inputs go to a corpus in the build folder, so the seeds in the tree stay as they are.
# fuzz/smoke.sh BUILD_DIR [SECONDS]   (a reproducer reruns with: BUILD_DIR/fuzz/NAME_fuzz FILE)
set -euo pipefail
# Absolute paths: the targets run inside scratch folders of their own.
build=$(cd "$1" && pwd)
seconds=${2:-20}
seeds=$(cd "$(dirname "$0")" && pwd)/corpus
work=$build/fuzz-smoke
rm -rf "$work"
mkdir -p "$work"
status=0
for target in "$build"/fuzz/*_fuzz; do
  name=$(basename "$target" _fuzz)
  mkdir -p "$work/$name" "$seeds/$name"
  # -close_fd_mask=3 silences the emulator's own messages; the sanitizers' reports still show.
  if "$target" -max_total_time="$seconds" -timeout=25 -close_fd_mask=3 \
      -artifact_prefix="$work/$name-" "$work/$name" "$seeds/$name" >"$work/$name.log" 2>&1; then
    echo "fuzz-smoke: $name: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$work/$name.log" | tail -1)"
  else
    tail -40 "$work/$name.log"
    echo "fuzz-smoke: $name FAILED; reproducer: $(ls "$work/$name"-* 2>/dev/null | head -1)"
    status=1
  fi
done
exit $status

#!/bin/bash
# Prints the include graph between the folders of src/ and fails (exit 1, naming the folders)
# on a cycle or on an include that goes up the layering. A folder is a directory holding
# sources. host/ is the platform boundary (platform.h and its tables), which the session
# calls; sdl/ and headless/ are its two implementations, which sit above the session.
#
# The allowed order, lowest first. A folder includes only folders on a lower line; folders
# on the same line do not include each other.
#   files              whole-file writer and reader
#   log                the log
#   core               Machine, interpreter, read bus, reset and interrupts, plain settings
#   apu ppu            sound registers, synthesis and mixer; PPU, renderer, palette, screen
#   cart               loader, write bus, bank primitives, boards (a board may include apu)
#   frame              EmulateFrame: one frame of emulation, nothing of the desktop
#   state              state image and files, recording, rewind, battery
#   host libretro      platform.h: what the portable code needs from a host; the libretro
#                      core (a front-end is its host: it never includes platform.h or above)
#   session            RunFrame, main loop, start-up, configuration, pads, keys, views
#   sdl headless   the two implementations of platform.h
#   app                the two programs and the runner
#
# Usage: tools/include_graph.sh [SRC_DIR]   (default: src beside this script). Needs only
# bash and the base system (grep, sed, awk, find, tsort), so the build needs no more packages.
set -u
src=${1:-$(dirname "$0")/../src}
order='files=0 log=1 core=2 apu=3 ppu=3 cart=4 frame=5 state=6 host=7 libretro=7 session=8
sdl=9 headless=9 app=10'

if [ ! -d "$src" ]; then
  echo "include_graph: no folder $src" >&2
  exit 2
fi

# One "from to file" line per include of another folder.
edges=$(cd "$src" && grep -rHE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"]+/[^"]+"' \
          --include='*.h' --include='*.cpp' --include='*.inc' . |
        sed -E 's#^\./(.*)/[^/]+:[[:space:]]*\#[[:space:]]*include[[:space:]]+"(.*)/[^/"]+".*#\1 \2 &#' |
        sed -E 's# \./([^:]*):.*# \1#' | awk '$1 != $2')

status=0
# Every folder must have a place in the order, and every include must go down it.
rank() { awk -v f="$1" -v order="$order" 'BEGIN {
  n = split(order, pairs, /[ \n]+/)
  for (i = 1; i <= n; ++i) { split(pairs[i], kv, "="); if (kv[1] == f) { print kv[2]; exit } }
  print "" }'; }
folders=$( { awk '{ print $1; print $2 }' <<< "$edges"
             cd "$src" && find . -name '*.cpp' -o -name '*.h' | sed -E 's#^\./(.*)/[^/]+$#\1#'
           } | grep -v '^$' | sort -u)
for folder in $folders; do
  if [ -z "$(rank "$folder")" ]; then
    echo "include_graph: folder $folder has no place in the order" >&2
    status=1
  fi
done

while read -r from to file; do
  [ -z "$from" ] && continue
  rf=$(rank "$from"); rt=$(rank "$to")
  [ -z "$rf" ] || [ -z "$rt" ] && continue
  if [ "$rt" -ge "$rf" ]; then
    echo "include_graph: $from includes $to, not below it ($file)" >&2
    status=1
  fi
done <<< "$edges"

# A cycle is reported by tsort with the folders on it.
loop=$(awk '{ print $1, $2 }' <<< "$edges" | sort -u | tsort 2>&1 >/dev/null)
if [ -n "$loop" ]; then
  echo "include_graph: the folders include each other in a cycle:" >&2
  grep -v 'input contains a loop' <<< "$loop" | sed 's/^tsort: //' | sort -u | tr '\n' ' ' |
    sed 's/^/  /; s/ $/\n/' >&2
  status=1
fi

# The graph, lowest folders first: each folder with the folders it includes.
for pair in $order; do
  folder=${pair%%=*}
  deps=$(awk -v f="$folder" '$1 == f { print $2 }' <<< "$edges" | sort -u | tr '\n' ' ')
  printf '%-14s -> %s\n' "$folder" "${deps:-(nothing)}"
done
exit $status

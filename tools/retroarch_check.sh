#!/bin/bash
# Plays a cartridge through the built libretro core in RetroArch, as a player would, and
# checks that the frame RetroArch saves after 300 frames is the runner's frame 300.
# RetroArch runs under Xvfb with no sound and a scratch configuration and home, so nothing
# of the machine's own set-up is read or written. Skipped, with one line, where RetroArch,
# Xvfb, dbus-run-session or python3 is missing.
#
#   tools/retroarch_check.sh BUILD_DIR ROM
set -u
build=$(cd "$1" && pwd)
rom=$2
frames=300
for tool in retroarch xvfb-run dbus-run-session python3; do
  if ! command -v "$tool" >/dev/null; then
    echo "retroarch_check: skipped ($tool is not installed)"
    exit 0
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A copy, so a battery save lands in the scratch folder and not beside the test cartridge.
cp "$rom" "$work/game.nes"
cat > "$work/retroarch.cfg" <<CFG
audio_driver = "null"
audio_enable = "false"
input_joypad_driver = "null"
video_gpu_screenshot = "false"
video_vsync = "false"
gamemode_enable = "false"
config_save_on_exit = "false"
savefile_directory = "$work"
savestate_directory = "$work"
screenshot_directory = "$work"
system_directory = "$work"
CFG

HOME=$work XDG_CONFIG_HOME=$work timeout 120 xvfb-run -a dbus-run-session -- \
  retroarch --config "$work/retroarch.cfg" -L "$build/halvoren_libretro.so" "$work/game.nes" \
  --max-frames=$frames --max-frames-ss --max-frames-ss-path="$work/shot.png" \
  >"$work/retroarch.log" 2>&1
status=$?
if [ ! -s "$work/shot.png" ]; then
  echo "retroarch_check: RetroArch saved no picture (exit $status); its output:" >&2
  tail -20 "$work/retroarch.log" >&2
  exit 1
fi
(cd "$work" && "$build/halvoren-run" game.nes --frames $frames --png runner.png --log runner.log \
  >/dev/null) || { echo "retroarch_check: the runner failed" >&2; exit 1; }
if ! python3 "$(dirname "$0")/png_pixels.py" "$work/shot.png" "$work/runner.png"; then
  echo "retroarch_check: RetroArch's frame $frames differs from the runner's" >&2
  exit 1
fi
echo "retroarch_check: RetroArch's frame $frames is the runner's"

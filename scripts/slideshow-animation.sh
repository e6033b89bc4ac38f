#!/usr/bin/env bash
# Makes an animated GIF of the slideshow demo's frames: the still before
# each change holds for a second, the change runs at 25 frames a second.
# Usage: scripts/slideshow-animation.sh FRAMES_FOLDER OUTPUT.gif
set -euo pipefail
if [[ $# -ne 2 || "$1" == "-h" || "$1" == "--help" ]]; then
  echo "usage: $0 FRAMES_FOLDER OUTPUT.gif (frames named frame-TT-SS.png)" >&2
  exit 2
fi
frames="$1"
output="$2"
list="$(mktemp)"
trap 'rm -f "$list"' EXIT
last=""
for frame in "$frames"/frame-*.png; do
  step="${frame##*-}"
  if [[ "$step" == "00.png" ]]; then hold=1.0; else hold=0.04; fi
  printf "file '%s'\nduration %s\n" "$(realpath "$frame")" "$hold" >> "$list"
  last="$frame"
done
if [[ -z "$last" ]]; then
  echo "$0: no frames in $frames" >&2
  exit 1
fi
printf "file '%s'\n" "$(realpath "$last")" >> "$list"
ffmpeg -loglevel error -y -f concat -safe 0 -i "$list" \
  -vf "split[a][b];[a]palettegen=max_colors=128[p];[b][p]paletteuse=dither=bayer" -loop 0 "$output"
echo "slideshow animation: $output"

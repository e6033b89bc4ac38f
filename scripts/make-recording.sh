#!/usr/bin/env bash
# Makes an H.264 video of the frames orsa-handheld --record wrote: each frame
# stays on screen for the handheld time until the next one, so that waits
# show as they passed, but never longer than a cap, so that the video stays
# short. The screen is doubled in size (sharp pixels) to be read easily.
set -euo pipefail
usage="usage: $0 [--hold-cap SECONDS] FRAMES_FOLDER OUTPUT.mp4
  FRAMES_FOLDER  frames named frame-MILLISECONDS.png (orsa-handheld --record)
  --hold-cap S   longest time one frame stays on screen (default 1.5)"
cap=1.5
while [[ $# -gt 0 && "$1" == -* ]]; do
  case "$1" in
    -h|--help) echo "$usage"; exit 0 ;;
    --hold-cap)
      [[ $# -ge 2 && "$2" =~ ^[0-9]+(\.[0-9]+)?$ ]] || { echo "$0: --hold-cap takes seconds" >&2; exit 2; }
      cap="$2"; shift 2 ;;
    *) echo "$0: unknown option $1" >&2; echo "$usage" >&2; exit 2 ;;
  esac
done
if [[ $# -ne 2 ]]; then
  echo "$usage" >&2
  exit 2
fi
frames="$1"
output="$2"
if ! command -v ffmpeg >/dev/null; then
  echo "$0: ffmpeg is missing (./scripts/install-deps.sh installs it)" >&2
  exit 2
fi
shopt -s nullglob
pictures=("$frames"/frame-*.png)
if [[ ${#pictures[@]} -eq 0 ]]; then
  echo "$0: no frames named frame-MILLISECONDS.png in $frames" >&2
  exit 1
fi
list="$(mktemp)"
trap 'rm -f "$list"' EXIT
# The names sort by time: nine digits of milliseconds.
awk -v cap="$cap" '
  function time_of(path,  name) { name = path; sub(/.*frame-/, "", name); sub(/\.png$/, "", name); return name + 0 }
  { path[NR] = $0 }
  END {
    for (i = 1; i <= NR; i++) {
      hold = (i < NR) ? (time_of(path[i + 1]) - time_of(path[i])) / 1000 : cap
      if (hold > cap) hold = cap
      gsub(/'\''/, "'\''\\'\'''\''", path[i])
      printf "file '\''%s'\''\nduration %.3f\n", path[i], hold
    }
    # The concat demuxer takes the last duration only when the file follows once more.
    printf "file '\''%s'\''\n", path[NR]
  }' < <(for p in "${pictures[@]}"; do realpath "$p"; done) > "$list"
ffmpeg -loglevel error -y -f concat -safe 0 -i "$list" \
  -vf "fps=10,scale=iw*2:ih*2:flags=neighbor,format=yuv420p" \
  -c:v libx264 -preset slow -crf 28 -tune animation -movflags +faststart "$output"
seconds=$(ffprobe -v error -show_entries format=duration -of default=nw=1:nk=1 "$output")
echo "recording: $output (${#pictures[@]} frames, ${seconds%.*} s, $(du -h "$output" | cut -f1))"

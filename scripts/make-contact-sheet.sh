#!/usr/bin/env bash
# Makes one PNG of a run's key screens: the screenshots named PREFIX-NN-what.png
# in a folder, in order, each with its number and "what" as a caption below
# it, five to a row.
set -euo pipefail
usage="usage: $0 [--prefix PREFIX] SCREENSHOTS_FOLDER OUTPUT.png
  SCREENSHOTS_FOLDER  holds PREFIX-NN-what.png (e.g. tour-03-resolution.png)
  --prefix PREFIX     the screenshots' first word (default tour)"
prefix=tour
while [[ $# -gt 0 && "$1" == -* ]]; do
  case "$1" in
    -h|--help) echo "$usage"; exit 0 ;;
    --prefix)
      [[ $# -ge 2 && "$2" =~ ^[A-Za-z0-9_]+$ ]] || { echo "$0: --prefix takes a word" >&2; exit 2; }
      prefix="$2"; shift 2 ;;
    *) echo "$0: unknown option $1" >&2; echo "$usage" >&2; exit 2 ;;
  esac
done
if [[ $# -ne 2 ]]; then
  echo "$usage" >&2
  exit 2
fi
folder="$1"
output="$2"
if ! command -v ffmpeg >/dev/null || ! command -v fc-match >/dev/null; then
  echo "$0: ffmpeg and fc-match are needed (./scripts/install-deps.sh installs them)" >&2
  exit 2
fi
font=$(fc-match -f '%{file}' "Liberation Sans:bold")
shopt -s nullglob
screens=("$folder/$prefix"-[0-9][0-9]-*.png)
if [[ ${#screens[@]} -eq 0 ]]; then
  echo "$0: no screenshots named $prefix-NN-what.png in $folder" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
index=0
for screen in "${screens[@]}"; do
  name=$(basename "$screen" .png)
  name=${name#"$prefix"-}
  number=$((10#${name%%-*}))
  caption="$number  $(echo "${name#*-}" | tr -c 'A-Za-z0-9\n' ' ')"
  index=$((index + 1))
  # The screen, a thin frame and the caption in a band below it.
  ffmpeg -loglevel error -y -i "$screen" -vf \
    "scale=240:320:flags=neighbor,pad=242:350:1:1:color=0x404040,drawbox=x=0:y=322:w=242:h=28:color=white:t=fill,drawtext=fontfile='$font':text='$caption':x=(w-text_w)/2:y=329:fontsize=15:fontcolor=0x202020" \
    "$work/$(printf '%03d' "$index").png"
done
columns=$(( index < 5 ? index : 5 ))
rows=$(( (index + columns - 1) / columns ))
ffmpeg -loglevel error -y -framerate 1 -i "$work/%03d.png" \
  -vf "tile=${columns}x${rows}:margin=10:padding=10:color=white" -frames:v 1 "$output"
echo "contact sheet: $output ($index screens)"

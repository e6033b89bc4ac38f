#!/usr/bin/env bash
# The clip player demo: puts a clip on a handheld and plays it with the
# plug-in through "\Windows\playclip.exe", taking screenshots of the player
# at two positions. The clip is the one named (the demo passes the clip the
# camera recorded), else a 320x240 clip with sound made with orsa-avi from
# frames and a tone drawn by ffmpeg.
# usage: handheld/scripts/clip_demo.sh [OUTPUT_FOLDER] [BUILD_FOLDER] [CLIP]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
case "${1:-}" in
  -h|--help)
    echo "usage: handheld/scripts/clip_demo.sh [OUTPUT_FOLDER] [BUILD_FOLDER] [CLIP]"
    echo "Plays CLIP (else a clip made with orsa-avi) in the clip player; screenshots go to OUTPUT_FOLDER/screenshots."
    exit 0 ;;
esac
out=${1:-out/clip-demo}
build=${2:-build/default}
clip=${3:-}
work="$out/clip-inputs"
mkdir -p "$work" "$out/handheld/files/My Documents"

if [[ -n "$clip" ]]; then
  if [[ ! -f "$clip" ]]; then
    echo "clip_demo.sh: no clip at $clip" >&2
    exit 2
  fi
  cp "$clip" "$out/handheld/files/My Documents/m0001.avi"
  played="the camera's clip $(basename "$clip")"
else
  # Four seconds at 8 frames a second of a moving test picture, and a tone.
  ffmpeg -loglevel error -y -f lavfi -i "testsrc=size=320x240:rate=8:duration=4" \
    -q:v 5 -huffman default -pix_fmt yuvj420p "$work/frame%03d.jpg"
  ffmpeg -loglevel error -y -f lavfi -i "sine=frequency=440:sample_rate=8000:duration=4" \
    -ac 1 -c:a pcm_s16le "$work/tone.wav"
  "$build/clip/orsa-avi" make --fps 8 --wav "$work/tone.wav" \
    "$out/handheld/files/My Documents/m0001.avi" "$work"/frame*.jpg
  played="a clip made with orsa-avi"
fi

script="$work/clip_demo.txt"
{ echo "echo The clip player: plays $played with its sound"; cat; } > "$script" <<'STEPS'
start "\Windows\playclip.exe" "\My Documents\m0001.avi"
expect-window Dialog Tarvolen
wait 500
screenshot screenshots/clip-player-start.png
echo Play
tap 60 256
wait 1500
screenshot screenshots/clip-player-playing.png
echo Pause, then the slider to the last frames
tap 120 256
drag 73 216 180 216
wait 300
screenshot screenshots/clip-player-slider.png
key escape
wait-exit "\Windows\playclip.exe" 5000
STEPS
"$build/handheld/orsa-handheld" --root "$out/handheld" --script "$script"

#!/usr/bin/env bash
# Builds the handheld emulator and runs the demo script headless.
# Prints where the handheld's files, pictures and screenshots went, and a
# summary: every screenshot and the preview rate measured.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

case "${1:-}" in
  -h|--help)
    echo "usage: ./scripts/demo.sh [output folder]"
    echo "Builds the emulator and runs handheld/scripts/demo.txt, then the clip player demo (handheld/scripts/clip_demo.sh); output goes to out/demo unless a folder is named."
    exit 0 ;;
esac

out=${1:-out/demo}
./scripts/build.sh default >/dev/null
mkdir -p "$out"
log="$out/demo.log"
./build/default/handheld/orsa-handheld --root "$out/handheld" --script handheld/scripts/demo.txt |
  tee "$log"
# The clip player on a handheld of its own, with a clip made by orsa-avi.
handheld/scripts/clip_demo.sh "$out/clip" | tee -a "$log"
# The camera's settings sheet in German, on a handheld of its own.
./build/default/handheld/orsa-handheld --root "$out/german" --locale 0x0407 \
  --script handheld/scripts/camera_settings_german.txt | tee -a "$log"
# The mail and beam programs and the external display, on a handheld of
# their own with a display plugged in.
./build/default/handheld/orsa-handheld --root "$out/outlets" --no-desktop \
  --external-display 640x480x16 --script handheld/scripts/outlets_demo.txt | tee -a "$log"
# The gallery's ways out, on handhelds of their own: in English with
# obex_tcp (when installed) receiving the OBEX push, and in German with
# nobody in range, so that the sender's dialog searches until Done.
sending="$out/sending"
mkdir -p "$sending/received"
receiver=""
if command -v obex_tcp >/dev/null; then
  (cd "$sending/received" && exec obex_tcp >obex_tcp.log 2>&1) &
  receiver=$!
  sleep 1
fi
./build/default/handheld/orsa-handheld --root "$sending/english" --ir-peer Receiver=127.0.0.1 \
  --script handheld/scripts/gallery-sending.txt | tee -a "$log" || true
if [ -n "$receiver" ]; then kill "$receiver" 2>/dev/null || true; wait "$receiver" 2>/dev/null || true; fi
./build/default/handheld/orsa-handheld --root "$sending/german" --locale 0x0407 \
  --script handheld/scripts/gallery-sending.txt | tee -a "$log" || true
echo
echo "demo summary"
grep -E '^preview rate ' "$log" | sed 's/^/  /' || echo "  no preview rate was measured"
grep -E '^screenshot ' "$log" | sed 's/^screenshot /  screenshot: /'
# The camera's pictures, each read back by the project's own JPEG tool.
pictures="$out/handheld/files/My Documents/My Pictures"
shopt -s nullglob
for picture in "$pictures"/*.jpg; do
  size=$(./build/default/codec/orsa-jpeg info "$picture" | sed -n 's/^size: *//p')
  echo "  picture: $(basename "$picture") ${size:-does not decode}"
done
# The camera's clips, read by the project's own clip tool and by ffprobe.
for clip in "$pictures"/*.avi; do
  echo "  clip: $(basename "$clip")"
  ./build/default/clip/orsa-avi info "$clip" | sed 's/^/    /'
  ffprobe -v error -show_entries stream=codec_type,codec_name,width,height,sample_rate,nb_frames,duration \
    -of compact=p=0 "$clip" | sed 's/^/    ffprobe: /'
done
shopt -u nullglob
for file in "$sending/english/files/My Documents/Outbox/"*.eml "$sending/english/files/My Documents/Printed/"*.pdf "$sending/received/"*.png; do
  if [ -e "$file" ]; then echo "  sent: ${file#"$out/"}"; fi
done
echo "demo: the handheld's files are in $(cd "$out" && pwd)/handheld"
echo "demo: the clip player's handheld is in $(cd "$out" && pwd)/clip/handheld"
echo "demo: the German settings sheet's handheld is in $(cd "$out" && pwd)/german"
echo "demo: the outlets' handheld is in $(cd "$out" && pwd)/outlets (mail in files/My Documents/Outbox)"

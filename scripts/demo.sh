#!/usr/bin/env bash
# Builds the handheld emulator and runs the demo script headless.
# Prints where the handheld's files, pictures and screenshots went, and a
# summary: every screenshot and the preview rate measured.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

case "${1:-}" in
  -h|--help)
    echo "usage: ./scripts/demo.sh [output folder]"
    echo "Builds the emulator and runs handheld/scripts/demo.txt, then the clip player demo (handheld/scripts/clip_demo.sh) with the clip the camera recorded; output goes to out/demo unless a folder is named."
    exit 0 ;;
esac


# obex_tcp as the infrared device in range, receiving into a folder, when it
# is installed. It gives up after 10 s without a push, and it cannot listen
# while its port is still held from the push before (TIME_WAIT, up to a
# minute), so it is started again until it is stopped, and the handheld
# starts only once it listens.
receiver=""
start_receiver() {
  receiver=""
  command -v obex_tcp >/dev/null || return 0
  (cd "$1" && while :; do obex_tcp >>obex_tcp.log 2>&1 || true; sleep 0.2; done) &
  receiver=$!
  for _ in $(seq 1 180); do
    if ss -Hltn 'sport = :650' | grep -q .; then return 0; fi
    sleep 0.5
  done
  echo "demo: obex_tcp does not listen on port 650; nothing will be received" >&2
}
stop_receiver() {
  [ -n "$receiver" ] || return 0
  local running
  running=$(pgrep -P "$receiver" || true)
  kill "$receiver" 2>/dev/null || true
  wait "$receiver" 2>/dev/null || true
  [ -z "$running" ] || kill $running 2>/dev/null || true
  receiver=""
}

out=${1:-out/demo}
./scripts/build.sh default >/dev/null
mkdir -p "$out"
# Every handheld starts new: a handheld kept from an earlier run would start
# with that run's settings and counters, and its steps would not hold.
(cd "$out" && rm -rf handheld clip german outlets slideshow view notes gallery-browser sending tour)
log="$out/demo.log"
./build/default/handheld/orsa-handheld --root "$out/handheld" --script handheld/scripts/demo.txt |
  tee "$log"
# The clip player on a handheld of its own, playing the clip the camera
# just recorded.
handheld/scripts/clip_demo.sh "$out/clip" build/default \
  "$out/handheld/files/My Documents/My Pictures/m0001.avi" | tee -a "$log"
# The camera's settings sheet in German, on a handheld of its own.
./build/default/handheld/orsa-handheld --root "$out/german" --locale 0x0407 \
  --script handheld/scripts/camera_settings_german.txt | tee -a "$log"
# The mail and beam programs and the external display, on a handheld of
# their own with a display plugged in.
./build/default/handheld/orsa-handheld --root "$out/outlets" --no-desktop \
  --external-display 640x480x16 --script handheld/scripts/outlets_demo.txt | tee -a "$log"
# The gallery's slideshow on a handheld of its own: four pictures drawn by
# ffmpeg, shown with random transitions; its frames become an animation.
mkdir -p out/slideshow-pictures
ffmpeg -loglevel error -y -f lavfi -i testsrc2=size=640x480 -frames:v 1 out/slideshow-pictures/slide1.jpg
ffmpeg -loglevel error -y -f lavfi -i mandelbrot=size=640x480 -frames:v 1 out/slideshow-pictures/slide2.jpg
ffmpeg -loglevel error -y -f lavfi -i smptehdbars=size=640x480 -frames:v 1 out/slideshow-pictures/slide3.jpg
ffmpeg -loglevel error -y -f lavfi -i "life=size=160x120:mold=10:r=25:ratio=0.1:death_color=#C83232:life_color=#00ff00,scale=640:480:flags=neighbor" \
  -ss 2 -frames:v 1 out/slideshow-pictures/slide4.jpg
./build/default/handheld/orsa-handheld --root "$out/slideshow" --no-desktop \
  --external-display 640x480x16 \
  --script handheld/scripts/gallery-slideshow.txt | tee -a "$log"
./scripts/slideshow-animation.sh "$out/slideshow/slideshow" "$out/gallery-slideshow.gif"
# The gallery's image view on a handheld of its own, on two pictures made by
# ffmpeg, with an external display plugged in.
repo=$(pwd)
mkdir -p "$out/view/view-pictures"
ffmpeg -v error -y -f lavfi -i testsrc2=size=1280x960 -frames:v 1 -q:v 3 -flags +bitexact \
  -fflags +bitexact "$out/view/view-pictures/testcard.jpg"
ffmpeg -v error -y -f lavfi -i mandelbrot=size=640x480 -frames:v 1 -q:v 3 -flags +bitexact \
  -fflags +bitexact "$out/view/view-pictures/mandelbrot.jpg"
(cd "$out/view" && "$repo/build/default/handheld/orsa-handheld" --root handheld --no-desktop \
  --boot-time "2026-12-09 10:30" --external-display 640x480x16 \
  --script "$repo/handheld/scripts/gallery-view.txt") | tee -a "$log"
# Voice notes and file operations in the gallery, on a handheld of its own.
./build/default/handheld/orsa-handheld --root "$out/notes" --no-desktop \
  --script handheld/scripts/gallery-notes.txt | tee -a "$log"
# The gallery's thumbnail browser on the camera's pictures, with marks and
# the folder chooser, on a handheld of its own.
./build/default/handheld/orsa-handheld --root "$out/gallery-browser" \
  --script handheld/scripts/gallery-browser.txt | tee -a "$log"
# The gallery's ways out, on handhelds of their own: in English with
# obex_tcp (when installed) receiving the OBEX push, and in German with
# nobody in range, so that the sender's dialog searches until Done.
sending="$out/sending"
mkdir -p "$sending/received"
start_receiver "$sending/received"
./build/default/handheld/orsa-handheld --root "$sending/english" --ir-peer Receiver=127.0.0.1 \
  --script handheld/scripts/gallery-sending.txt | tee -a "$log" || true
stop_receiver
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
echo "demo: the image view's handheld is in $(cd "$out" && pwd)/view/handheld"
echo "demo: the outlets' handheld is in $(cd "$out" && pwd)/outlets (mail in files/My Documents/Outbox)"
# The tour: a whole day with the kit on a handheld of its own, with obex_tcp
# (when installed) as the infrared device in range receiving the push.
tour="$out/tour"
rm -rf "$tour"
mkdir -p "$tour/received"
start_receiver "$tour/received"
tour_status=0
./build/default/handheld/orsa-handheld --root "$tour/handheld" --boot-time "2026-12-09 09:00" \
  --ir-peer Receiver=127.0.0.1 --record "$tour/frames" --script handheld/scripts/tour.txt | tee -a "$log" || tour_status=$?
stop_receiver
echo "demo: the tour's handheld is in $(cd "$tour" && pwd)/handheld (screens in screenshots/tour-*.png)"
if [ "$tour_status" -ne 0 ]; then echo "demo: the tour failed" >&2; exit "$tour_status"; fi
# The tour's outputs, each checked by a tool that is not the kit's own, in
# one table; a failed check fails the demo. Its contact sheet, and its
# video when the tour was recorded (--record "$out/tour/frames").
echo
echo "tour checks"
tour_checks=0
./scripts/check-outputs.py --root "$out/tour/handheld" --received "$out/tour/received" \
  --require all --expect-registry handheld/scripts/tour-registry.txt || tour_checks=$?
./scripts/make-contact-sheet.sh "$out/tour/handheld/screenshots" "$out/tour/contact-sheet.png" || true
if [ -d "$out/tour/frames" ]; then
  ./scripts/make-recording.sh "$out/tour/frames" "$out/tour/tour.mp4"
fi
if [ "$tour_checks" -ne 0 ]; then
  echo "demo: a check of the tour's outputs failed (see the table above)" >&2
  exit 1
fi

#!/usr/bin/env python3
"""Tests of scripts/make-recording.sh and scripts/make-contact-sheet.sh on
pictures made here: the video holds each frame for the handheld time to the
next one, capped; the sheet puts the numbered screens in order, five a row."""

import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

SCRIPTS = Path(__file__).resolve().parent.parent


def make_png(path, colour, size="240x320"):
    subprocess.run(["ffmpeg", "-v", "error", "-f", "lavfi", "-i", f"color=c={colour}:s={size}",
                    "-frames:v", "1", str(path)], check=True)


def probe(path, entries):
    done = subprocess.run(["ffprobe", "-v", "error", "-show_entries", entries, "-of",
                           "default=nw=1:nk=1", str(path)],
                          check=True, capture_output=True, text=True)
    return done.stdout.split()


class RecordingScriptsTest(unittest.TestCase):
    def setUp(self):
        self.work = Path(tempfile.mkdtemp(prefix="recording-scripts-"))

    def tearDown(self):
        shutil.rmtree(self.work)

    def test_video_holds_frames_for_their_handheld_time_with_a_cap(self):
        frames = self.work / "frames"
        frames.mkdir()
        # 0.5 s, then a 20 s wait (capped at 1.5 s), then the last frame
        # (held for the cap).
        for time, colour in ((0, "red"), (500, "green"), (20500, "blue")):
            make_png(frames / f"frame-{time:09d}.png", colour)
        video = self.work / "out.mp4"
        done = subprocess.run([str(SCRIPTS / "make-recording.sh"), str(frames), str(video)],
                              capture_output=True, text=True)
        self.assertEqual(done.returncode, 0, done.stderr)
        codec, width, height = probe(video, "stream=codec_name,width,height")
        self.assertEqual((codec, width, height), ("h264", "480", "640"))
        self.assertAlmostEqual(float(probe(video, "format=duration")[0]), 3.5, delta=0.15)
        # Green shows from 0.5 s to 2 s: sample its middle.
        still = self.work / "at-1.2s.png"
        subprocess.run(["ffmpeg", "-v", "error", "-ss", "1.2", "-i", str(video), "-frames:v", "1",
                        "-vf", "crop=1:1:240:320,format=rgb24", "-f", "rawvideo", str(still)],
                       check=True)
        red, green, blue = still.read_bytes()[:3]
        self.assertGreater(green, 100)
        self.assertLess(max(red, blue), 60)

    def test_video_of_no_frames_is_refused(self):
        (self.work / "empty").mkdir()
        done = subprocess.run([str(SCRIPTS / "make-recording.sh"), str(self.work / "empty"),
                               str(self.work / "out.mp4")], capture_output=True, text=True)
        self.assertEqual(done.returncode, 1)
        self.assertIn("no frames", done.stderr)
        self.assertFalse((self.work / "out.mp4").exists())

    def test_contact_sheet_tiles_numbered_screens_five_a_row(self):
        shots = self.work / "shots"
        shots.mkdir()
        colours = ["red", "green", "blue", "yellow", "white", "black", "gray"]
        for number, colour in enumerate(colours, 1):
            make_png(shots / f"tour-{number:02d}-{colour}.png", colour)
        # Not one of the tour's: left out.
        make_png(shots / "camera-preview.png", "purple")
        sheet = self.work / "sheet.png"
        done = subprocess.run([str(SCRIPTS / "make-contact-sheet.sh"), str(shots), str(sheet)],
                              capture_output=True, text=True)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertIn("7 screens", done.stdout)
        # Five screens of 242 x 350 (framed, captioned) a row, two rows,
        # 10 pixels around and between.
        self.assertEqual(probe(sheet, "stream=width,height"), ["1270", "730"])
        # The sixth screen (black) opens the second row.
        pixel = self.work / "pixel.raw"
        subprocess.run(["ffmpeg", "-v", "error", "-i", str(sheet), "-vf",
                        "crop=1:1:130:530,format=rgb24", "-f", "rawvideo", str(pixel)], check=True)
        self.assertEqual(pixel.read_bytes(), b"\x00\x00\x00")


if __name__ == "__main__":
    unittest.main()

#!/usr/bin/env python3
"""Draws the camera application's bitmaps into bitmaps/<id>.png and writes
its sounds into sounds/<name>.wav, beside this script (standard library only).

Run from anywhere: python3 camera/resources/make_artwork.py [id or name ...]
Without arguments every bitmap and sound is made; with arguments only those.
"""
import os
import sys

sys.dont_write_bytecode = True  # keep the repository free of caches

from artwork import bar, buttons, frames, indicators, sounds, status_icons, zoom_scale  # noqa: E402
from artwork import option_rows  # noqa: E402
from artwork.canvas import write_png  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))

KEYED = {**status_icons.BITMAPS, **frames.BITMAPS, **zoom_scale.BITMAPS, **indicators.BITMAPS, **buttons.BITMAPS,
         **option_rows.BITMAPS}
OPAQUE = bar.BITMAPS


def make_bitmap(number, folder):
    if number in OPAQUE:
        canvas = OPAQUE[number]()
        pixels = canvas.opaque(bar.BACKGROUND)
    else:
        canvas = KEYED[number]()
        pixels = canvas.keyed()
    write_png(os.path.join(folder, f"{number}.png"), canvas.width, canvas.height, pixels)


def make_sound(name, folder):
    with open(os.path.join(folder, f"{name}.wav"), "wb") as out:
        out.write(sounds.wav_image(sounds.SOUNDS[name]()))


def main(wanted):
    bitmap_folder = os.path.join(HERE, "bitmaps")
    sound_folder = os.path.join(HERE, "sounds")
    os.makedirs(bitmap_folder, exist_ok=True)
    os.makedirs(sound_folder, exist_ok=True)
    numbers = sorted({**OPAQUE, **KEYED})
    for number in numbers:
        if not wanted or str(number) in wanted:
            make_bitmap(number, bitmap_folder)
    for name in sounds.SOUNDS:
        if not wanted or name in wanted:
            make_sound(name, sound_folder)


if __name__ == "__main__":
    main(set(sys.argv[1:]))

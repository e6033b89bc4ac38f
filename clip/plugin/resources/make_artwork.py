#!/usr/bin/env python3
"""Draws the clip player's bitmaps into bitmaps/<id>.png beside this script
(standard library only), with the camera application's drawing kit.

Run from anywhere: python3 clip/plugin/resources/make_artwork.py [id ...]

- 130: the player's 240 x 268 background: the picture area (black, with a
  frame where a 160 x 120 clip sits), the slider's groove, the time box,
  the help mark and the control panel with a well behind each button.
- 140-148: the play, pause and stop buttons (48 x 40), each held,
  inactive and active, in that order (the ids of player_layout.h).
"""
import os
import sys

sys.dont_write_bytecode = True  # keep the repository free of caches

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "..", "camera", "resources"))

from artwork import shapes  # noqa: E402
from artwork.canvas import Canvas, vertical_gradient, write_png  # noqa: E402
from artwork.palette import (ACCENT, FACE_BOTTOM, FACE_HIGHLIGHT, FACE_PRESSED_BOTTOM,  # noqa: E402
                             FACE_PRESSED_TOP, FACE_RIM, FACE_TOP, GLYPH, PANEL_BOTTOM, PANEL_EDGE,
                             PANEL_TOP, WELL_BOTTOM, WELL_LIP, WELL_TOP)

WIDTH, HEIGHT = 240, 268
PICTURE = (0, 0, 240, 180)
NARROW = (40, 28, 200, 148)
SLIDER = (0, 180, 200, 200)
TIME = (200, 180, 240, 195)
BUTTONS = [(36, 210, 84, 250), (96, 210, 144, 250), (156, 210, 204, 250)]
HELP = (226, 60)
BUTTON_W, BUTTON_H = 48, 40

PLAY_GREEN = (92, 214, 120)
INACTIVE_FACE = (70, 73, 80)
INACTIVE_GLYPH = (118, 122, 130)
SCREEN_EDGE = (28, 30, 34)


def background():
    canvas = Canvas(WIDTH, HEIGHT)
    canvas.paint(shapes.box(0, 0, WIDTH, HEIGHT), vertical_gradient(180, HEIGHT, PANEL_TOP, PANEL_BOTTOM))
    canvas.paint(shapes.box(*PICTURE), (0, 0, 0))
    # Where a 160 x 120 clip shows: a thin frame around its place.
    x0, y0, x1, y1 = NARROW
    canvas.paint(shapes.box(x0 - 3, y0 - 3, x1 + 3, y1 + 3, 3) - shapes.box(x0, y0, x1, y1), SCREEN_EDGE)
    canvas.paint(shapes.box(0, 180, WIDTH, 181), PANEL_EDGE)
    # The slider's groove and the time box.
    canvas.paint(shapes.box(SLIDER[0] + 2, 183, SLIDER[2] - 2, 198, 4), vertical_gradient(183, 198, WELL_TOP, WELL_BOTTOM))
    canvas.paint(shapes.box(*TIME), (0, 0, 0))
    # The help mark: a ring with an "i".
    hx, hy = HELP
    canvas.paint(shapes.ring(hx, hy, 8, 1.6), INACTIVE_GLYPH)
    canvas.paint(shapes.circle(hx, hy - 4, 1.3) | shapes.box(hx - 1, hy - 1, hx + 1, hy + 5), INACTIVE_GLYPH)
    # The control panel: a lip, then a well behind each button.
    canvas.paint(shapes.box(4, 204, WIDTH - 4, 256, 8), WELL_LIP)
    canvas.paint(shapes.box(5, 205, WIDTH - 5, 255, 7), vertical_gradient(205, 255, WELL_TOP, WELL_BOTTOM))
    for x0, y0, x1, y1 in BUTTONS:
        canvas.paint(shapes.box(x0 - 2, y0 - 2, x1 + 2, y1 + 2, 7), WELL_TOP)
    # A strip of film holes along the bottom edge.
    for x in range(10, WIDTH, 20):
        canvas.paint(shapes.box(x, 260, x + 9, 265, 1.5), WELL_TOP)
    return canvas


def symbol(kind, cx, cy):
    if kind == "play":
        return shapes.polygon([(cx - 7, cy - 10), (cx + 11, cy), (cx - 7, cy + 10)])
    if kind == "pause":
        return shapes.box(cx - 9, cy - 10, cx - 3, cy + 10, 1) | shapes.box(cx + 3, cy - 10, cx + 9, cy + 10, 1)
    return shapes.box(cx - 9, cy - 9, cx + 9, cy + 9, 2)


def button(kind, state):
    canvas = Canvas(BUTTON_W, BUTTON_H)
    outline = shapes.box(0.5, 0.5, BUTTON_W - 0.5, BUTTON_H - 0.5, 7)
    canvas.paint(outline, FACE_RIM)
    face = outline.grown(-1.0)
    cx, cy = BUTTON_W / 2, BUTTON_H / 2
    if state == "held":
        canvas.paint(face, vertical_gradient(0, BUTTON_H, FACE_PRESSED_TOP, FACE_PRESSED_BOTTOM))
        canvas.outlined(symbol(kind, cx, cy + 1), ACCENT, FACE_RIM, 1.0)
    elif state == "inactive":
        canvas.paint(face, INACTIVE_FACE)
        canvas.paint(symbol(kind, cx, cy), INACTIVE_GLYPH)
    else:
        canvas.paint(face, FACE_HIGHLIGHT)
        canvas.paint(face.grown(-1.0).moved(0, 0.6), vertical_gradient(0, BUTTON_H, FACE_TOP, FACE_BOTTOM))
        canvas.outlined(symbol(kind, cx, cy), PLAY_GREEN if kind == "play" else GLYPH, FACE_RIM, 1.0)
    return canvas


BITMAPS = {130: background}
for index, kind in enumerate(["play", "pause", "stop"]):
    for offset, state in enumerate(["held", "inactive", "active"]):
        BITMAPS[140 + 3 * index + offset] = (lambda k, s: lambda: button(k, s))(kind, state)


def main(wanted):
    folder = os.path.join(HERE, "bitmaps")
    os.makedirs(folder, exist_ok=True)
    for number, draw in sorted(BITMAPS.items()):
        if not wanted or str(number) in wanted:
            canvas = draw()
            write_png(os.path.join(folder, f"{number}.png"), canvas.width, canvas.height,
                      canvas.opaque(PANEL_BOTTOM))


if __name__ == "__main__":
    main(set(sys.argv[1:]))

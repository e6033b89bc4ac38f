#!/usr/bin/env python3
"""Draws the gallery's artwork (standard library only), with the camera's
canvas and shapes so that both programs share one hand:
- library/bitmaps/200.png: the browser's toolbar strip, eight 16 x 16
  images on the menu bar's white (camera, view, slideshow, voice note,
  folder, delete, beam, e-mail);
- library/bitmaps/201.png: the zoom view's toolbar strip, six 16 x 16
  images (previous, next, zoom out, zoom in, fit, actual size);
- program/bitmaps/112.png: the About box's hidden picture, 80 x 62, black
  being transparent;
- program/bitmaps/110.png and 111.png: the voice-note recorder's toolbar
  (record, play, stop, delete, close; five 16 x 16 images on light grey)
  and its grip, 12 x 24;
- program/icons/125..128.png: the file-type icons (BMP and 2BP, JPEG, GIF,
  PNG), 32 x 32;
- program/bitmaps/100.png, 101.png, 102.png: the slideshow's buttons, ten
  32 x 32 images (Pause, Play while paused, Previous, Next, Close, each
  normal and pressed), upright, turned clockwise and turned counter-
  clockwise for pictures rotated to fit; black is transparent;
- program/bitmaps/104.png: the slideshow's Play button for clips, upright
  and turned counter-clockwise and clockwise, normal and pressed.

Run from anywhere: python3 gallery/resources/make_artwork.py
"""
import os
import sys

sys.dont_write_bytecode = True  # keep the repository free of caches

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "camera", "resources"))
sys.path.insert(0, HERE)

from artwork.canvas import Canvas, vertical_gradient, write_png  # noqa: E402
from artwork.shapes import box, circle, line, polygon, ring, union  # noqa: E402

from gallery_palette import WHITE, INK, STEEL, SKY, LEAF, SUN, ALERT, PAPER  # noqa: E402

TOOL_SIZE = 16


def camera(c, x):
    c.outlined(box(x + 1.5, 5, x + 14.5, 13.5, 1.5), STEEL, INK)
    c.paint(box(x + 5, 3, x + 10, 5.5, 0.8), INK)
    c.outlined(circle(x + 8, 9.2, 2.6), SKY, INK, 1.0)


def view(c, x):
    c.paint(ring(x + 6.5, 6.5, 4.2, 1.8), INK)
    c.paint(circle(x + 6.5, 6.5, 3.3), (200, 224, 250))
    c.paint(line(x + 9.5, 9.5, x + 14, 14, 2.6), INK)


def slideshow(c, x):
    c.outlined(box(x + 1.5, 2.5, x + 14.5, 13.5, 1), WHITE, INK)
    c.paint(polygon([(x + 6, 5), (x + 11.5, 8), (x + 6, 11)]), LEAF)


def voice_note(c, x):
    c.paint(box(x + 5.5, 1.5, x + 10.5, 10, 2.5), INK)
    c.paint(ring(x + 8, 7, 4.2, 1.3) - box(x, 0, x + 16, 7.5), INK)
    c.paint(box(x + 7.3, 11, x + 8.7, 14), INK)
    c.paint(box(x + 5, 13.5, x + 11, 15), INK)


def folder(c, x):
    c.outlined(box(x + 1.5, 4, x + 14.5, 13.5, 1), SUN, INK)
    c.paint(box(x + 1.5, 2.5, x + 7, 5, 1), INK)


def delete(c, x):
    c.paint(line(x + 3.5, 3.5, x + 12.5, 12.5, 2.6), ALERT)
    c.paint(line(x + 12.5, 3.5, x + 3.5, 12.5, 2.6), ALERT)


def beam(c, x):
    c.paint(circle(x + 4, 12, 2), INK)
    for radius in (5, 8.5):
        c.paint(ring(x + 4, 12, radius, 1.4) - box(x - 10, 12, x + 30, 30) - box(x - 10, -10, x + 4, 30),
                STEEL)


def mail(c, x):
    c.outlined(box(x + 1.5, 3.5, x + 14.5, 12.5, 0.5), PAPER, INK)
    c.paint(line(x + 2, 4.2, x + 8, 9, 1.2), INK)
    c.paint(line(x + 14, 4.2, x + 8, 9, 1.2), INK)


TOOLS = [camera, view, slideshow, voice_note, folder, delete, beam, mail]


def toolbar():
    c = Canvas(TOOL_SIZE * len(TOOLS), TOOL_SIZE)
    for index, draw in enumerate(TOOLS):
        draw(c, index * TOOL_SIZE)
    return c.opaque(WHITE), c.width, c.height


def previous_picture(c, x):
    c.paint(polygon([(x + 11, 3), (x + 4, 8), (x + 11, 13)]), SKY)
    c.paint(polygon([(x + 11, 3), (x + 4, 8), (x + 11, 13)]) - polygon([(x + 9.6, 5.6), (x + 6.4, 8), (x + 9.6, 10.4)]), INK)


def next_picture(c, x):
    c.paint(polygon([(x + 5, 3), (x + 12, 8), (x + 5, 13)]), SKY)
    c.paint(polygon([(x + 5, 3), (x + 12, 8), (x + 5, 13)]) - polygon([(x + 6.4, 5.6), (x + 9.6, 8), (x + 6.4, 10.4)]), INK)


def magnifier(c, x):
    c.paint(circle(x + 6.5, 6.5, 4.2), (200, 224, 250))
    c.paint(ring(x + 6.5, 6.5, 4.2, 1.6), INK)
    c.paint(line(x + 9.6, 9.6, x + 14, 14, 2.6), INK)


def zoom_out(c, x):
    magnifier(c, x)
    c.paint(line(x + 4.5, 6.5, x + 8.5, 6.5, 1.4), INK)


def zoom_in(c, x):
    magnifier(c, x)
    c.paint(line(x + 4.5, 6.5, x + 8.5, 6.5, 1.4), INK)
    c.paint(line(x + 6.5, 4.5, x + 6.5, 8.5, 1.4), INK)


def fit_picture(c, x):
    c.outlined(box(x + 3.5, 4.5, x + 12.5, 11.5, 0.5), LEAF, INK)
    for ax, ay, bx, by in ((1, 1, 4, 4), (15, 1, 12, 4), (1, 15, 4, 12), (15, 15, 12, 12)):
        c.paint(line(x + ax, ay, x + bx, by, 1.3), STEEL)


def actual_size(c, x):
    c.outlined(box(x + 1.5, 2.5, x + 14.5, 13.5, 1), PAPER, INK)
    c.paint(line(x + 5, 5.5, x + 5, 11, 1.4), INK)
    c.paint(circle(x + 8, 7, 0.8) | circle(x + 8, 10, 0.8), INK)
    c.paint(line(x + 11, 5.5, x + 11, 11, 1.4), INK)


ZOOM_TOOLS = [previous_picture, next_picture, zoom_out, zoom_in, fit_picture, actual_size]


def zoom_toolbar():
    c = Canvas(TOOL_SIZE * len(ZOOM_TOOLS), TOOL_SIZE)
    for index, draw in enumerate(ZOOM_TOOLS):
        draw(c, index * TOOL_SIZE)
    return c.opaque(WHITE), c.width, c.height


def hidden_picture():
    """A little landscape under a rainbow, the reward of six taps."""
    c = Canvas(80, 62)
    c.paint(box(0, 0, 80, 62, 6), vertical_gradient(0, 62, (40, 90, 170), SKY))
    bands = [(232, 60, 50), SUN, (250, 230, 70), LEAF, (70, 120, 230), (140, 80, 200)]
    for index, colour in enumerate(bands):
        c.paint(ring(40, 58, 34 - index * 3, 3.2) & box(0, 0, 80, 58), colour)
    c.paint(circle(64, 14, 7), (255, 236, 120))
    c.paint(polygon([(0, 62), (0, 42), (20, 28), (38, 46), (52, 34), (80, 50), (80, 62)]),
            vertical_gradient(28, 62, (90, 180, 100), (30, 100, 50)))
    c.paint(box(0, 58, 80, 62, radii=(0, 0, 6, 6)), (30, 100, 50))
    return c.keyed(), c.width, c.height


RECORDER_GREY = (212, 212, 212)


def record_tool(c, x):
    c.outlined(circle(x + 8, 8, 4.8), ALERT, INK, 1.0)


def play_tool(c, x):
    c.paint(polygon([(x + 4.5, 3), (x + 13, 8), (x + 4.5, 13)]), LEAF)


def stop_tool(c, x):
    c.paint(box(x + 4, 4, x + 12, 12, 1), INK)


def close_tool(c, x):
    c.paint(line(x + 4.5, 4.5, x + 11.5, 11.5, 1.8), INK)
    c.paint(line(x + 11.5, 4.5, x + 4.5, 11.5, 1.8), INK)


def recorder_toolbar():
    tools = [record_tool, play_tool, stop_tool, delete, close_tool]
    c = Canvas(TOOL_SIZE * len(tools), TOOL_SIZE)
    for index, draw in enumerate(tools):
        draw(c, index * TOOL_SIZE)
    return c.opaque(RECORDER_GREY), c.width, c.height


def recorder_grip():
    """Two rows of raised dots that say "hold here to move"."""
    c = Canvas(12, 24)
    for y in range(4, 22, 4):
        for x in (3.5, 8.5):
            c.paint(circle(x + 0.6, y + 0.6, 1.1), WHITE)
            c.paint(circle(x, y, 1.1), STEEL)
    return c.opaque(RECORDER_GREY), c.width, c.height


ICON_BANDS = {125: ((90, 120, 160), "BMP"), 126: (ALERT, "JPG"), 127: (LEAF, "GIF"), 128: ((140, 80, 200), "PNG")}


def icon(number):
    band, _ = ICON_BANDS[number]
    c = Canvas(32, 32)
    page = polygon([(5, 1.5), (21, 1.5), (27.5, 8), (27.5, 30.5), (5, 30.5)])
    c.outlined(page, PAPER, INK)
    c.paint(polygon([(21, 1.5), (27.5, 8), (21, 8)]), (200, 204, 210))
    c.paint(box(8, 11, 25, 23), vertical_gradient(11, 23, SKY, (170, 210, 250)))
    c.paint(polygon([(8, 23), (13, 16), (17, 20), (20, 17), (25, 23)]), LEAF)
    c.paint(circle(21, 14, 1.8), SUN)
    c.paint(box(8, 25, 25, 28), band)
    return c.keyed(), c.width, c.height


BUTTON = 32
BUTTON_FACE = (52, 60, 72)
BUTTON_PRESSED = (96, 112, 134)
BUTTON_EDGE = (200, 208, 216)


def button_face(c, pressed):
    face = box(2, 2, 30, 30, 7)
    c.outlined(face, BUTTON_PRESSED if pressed else BUTTON_FACE, BUTTON_EDGE, 1.5)


def pause_glyph(c):
    c.paint(box(11, 9, 14.5, 23, 1), WHITE)
    c.paint(box(17.5, 9, 21, 23, 1), WHITE)


def play_glyph(c):
    c.paint(polygon([(12, 8.5), (23.5, 16), (12, 23.5)]), WHITE)


def previous_glyph(c):
    c.paint(box(9, 9, 12, 23, 1), WHITE)
    c.paint(polygon([(23, 8.5), (12.5, 16), (23, 23.5)]), WHITE)


def next_glyph(c):
    c.paint(box(20, 9, 23, 23, 1), WHITE)
    c.paint(polygon([(9, 8.5), (19.5, 16), (9, 23.5)]), WHITE)


def close_glyph(c):
    c.paint(line(10.5, 10.5, 21.5, 21.5, 3), WHITE)
    c.paint(line(21.5, 10.5, 10.5, 21.5, 3), WHITE)


def clip_glyph(c):
    c.paint(box(7, 10, 25, 22, 2), (220, 226, 234))
    c.paint(polygon([(13, 12), (20.5, 16), (13, 20)]), ALERT)


def button_image(glyph, pressed):
    c = Canvas(BUTTON, BUTTON)
    button_face(c, pressed)
    glyph(c)
    return c.keyed()


def turned(pixels, clockwise):
    """A square image turned a quarter."""
    out = [None] * (BUTTON * BUTTON)
    for y in range(BUTTON):
        for x in range(BUTTON):
            tx, ty = (BUTTON - 1 - y, x) if clockwise else (y, BUTTON - 1 - x)
            out[ty * BUTTON + tx] = pixels[y * BUTTON + x]
    return out


def strip(images):
    """Images side by side in one row."""
    pixels = []
    for y in range(BUTTON):
        for image in images:
            pixels.extend(image[y * BUTTON:(y + 1) * BUTTON])
    return pixels, BUTTON * len(images), BUTTON


def slideshow_buttons(turn):
    images = []
    for glyph in (pause_glyph, play_glyph, previous_glyph, next_glyph, close_glyph):
        for pressed in (False, True):
            image = button_image(glyph, pressed)
            images.append(image if turn is None else turned(image, turn))
    return strip(images)


def play_buttons():
    images = []
    for turn in (None, False, True):
        for pressed in (False, True):
            image = button_image(clip_glyph, pressed)
            images.append(image if turn is None else turned(image, turn))
    return strip(images)


def main():
    outputs = [(os.path.join(HERE, "library", "bitmaps", "200.png"), toolbar),
               (os.path.join(HERE, "program", "bitmaps", "112.png"), hidden_picture),
               (os.path.join(HERE, "program", "bitmaps", "110.png"), recorder_toolbar),
               (os.path.join(HERE, "program", "bitmaps", "111.png"), recorder_grip),
               (os.path.join(HERE, "program", "bitmaps", "100.png"), lambda: slideshow_buttons(None)),
               (os.path.join(HERE, "program", "bitmaps", "101.png"), lambda: slideshow_buttons(True)),
               (os.path.join(HERE, "program", "bitmaps", "102.png"), lambda: slideshow_buttons(False)),
               (os.path.join(HERE, "program", "bitmaps", "104.png"), play_buttons)]
    outputs.append((os.path.join(HERE, "library", "bitmaps", "201.png"), zoom_toolbar))
    for number in ICON_BANDS:
        outputs.append((os.path.join(HERE, "program", "icons", f"{number}.png"), lambda n=number: icon(n)))
    for path, draw in outputs:
        os.makedirs(os.path.dirname(path), exist_ok=True)
        pixels, width, height = draw()
        write_png(path, width, height, pixels)
        print(path)


if __name__ == "__main__":
    main()

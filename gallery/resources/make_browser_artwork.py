#!/usr/bin/env python3
"""Draws the thumbnail browser's and the folder chooser's artwork with the
gallery's canvas (standard library only):
- program/icons/121..124, 129, 130.png: the strip's 16 x 16 icons (voice
  note, marked, not marked, range anchor, JPEG comment, clip), black
  being transparent;
- program/bitmaps/106.png: the folder chooser's image list, three 16 x 16
  images (device, folder, open folder) on white, white being transparent;
- library/bitmaps/202.png: the folder chooser's menu-bar strip, four
  16 x 16 images (parent, new folder, remove, rebuild) on white.

Run from anywhere: python3 gallery/resources/make_browser_artwork.py
"""
import os
import sys

sys.dont_write_bytecode = True  # keep the repository free of caches

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "camera", "resources"))
sys.path.insert(0, HERE)

from artwork.canvas import Canvas, write_png  # noqa: E402
from artwork.shapes import box, circle, polygon, ring  # noqa: E402

from gallery_palette import WHITE, INK, SKY, LEAF, SUN, ALERT, PAPER  # noqa: E402

MANILA = (236, 196, 98)


def voice_note(c):
    c.outlined(box(5.5, 1.5, 10.5, 9.5, 2.5), (200, 208, 216), INK)
    c.paint(ring(8, 8, 4.5, 1.2) & box(0, 8, 16, 16), INK)
    c.paint(box(7.4, 12, 8.6, 15), INK)


def marked(c):
    c.outlined(box(1.5, 1.5, 12.5, 12.5, 2), LEAF, INK)
    c.paint(polygon([(3.5, 7), (5.5, 5.5), (7, 7.5), (10.5, 3.5), (12, 5), (7, 10.5)]), WHITE)


def not_marked(c):
    c.outlined(box(1.5, 1.5, 12.5, 12.5, 2), PAPER, INK)


def anchor(c):
    c.outlined(box(1.5, 1.5, 12.5, 12.5, 2), SUN, INK)
    c.paint(circle(7, 7, 2.5), INK)


def comment(c):
    c.outlined(box(1.5, 2.5, 14.5, 11.5, 2.5), PAPER, INK)
    c.paint(polygon([(4, 11), (8, 11), (4, 14.5)]), INK)
    for y in (5, 8):
        c.paint(box(4, y, 12, y + 1), INK)


def clip(c):
    c.outlined(box(1.5, 3.5, 14.5, 12.5, 1), (60, 66, 80), INK)
    c.paint(polygon([(6, 5.5), (11.5, 8), (6, 10.5)]), WHITE)


ICONS = {121: voice_note, 122: marked, 123: not_marked, 124: anchor, 129: comment, 130: clip}


def icon(draw):
    c = Canvas(16, 16)
    draw(c)
    return c.keyed(), c.width, c.height


def folder(c, x, open_folder=False):
    c.outlined(polygon([(x + 1.5, 3.5), (x + 6, 3.5), (x + 7.5, 5), (x + 14.5, 5),
                        (x + 14.5, 13.5), (x + 1.5, 13.5)]), MANILA, INK)
    if open_folder:
        c.outlined(polygon([(x + 3.5, 7.5), (x + 15.5, 7.5), (x + 13.5, 13.5), (x + 1.5, 13.5)]),
                   (250, 222, 140), INK)


def device(c, x):
    c.outlined(box(x + 3.5, 0.5, x + 12.5, 15.5, 1.5), (96, 112, 134), INK)
    c.paint(box(x + 5, 2, x + 11, 10), SKY)
    c.paint(circle(x + 8, 12.8, 1.2), PAPER)


def folder_images():
    c = Canvas(48, 16)
    device(c, 0)
    folder(c, 16)
    folder(c, 32, open_folder=True)
    return c.opaque(WHITE), c.width, c.height


def chooser_strip():
    c = Canvas(64, 16)
    # parent: an arrow up out of a folder
    folder(c, 0)
    c.paint(polygon([(8, 0.5), (12.5, 5), (9.5, 5), (9.5, 9), (6.5, 9), (6.5, 5), (3.5, 5)]),
            LEAF)
    # new folder: a folder with a star
    folder(c, 16)
    c.paint(circle(27, 5, 3.2), SUN)
    # remove: a folder crossed out
    folder(c, 32)
    c.paint(polygon([(35, 2), (37, 0.5), (47, 12), (45, 13.5)]), ALERT)
    c.paint(polygon([(45, 0.5), (47, 2), (37, 13.5), (35, 12)]), ALERT)
    # rebuild: a circular arrow
    c.paint(ring(56, 8, 5, 1.8) - box(56, 0, 64, 8), SKY)
    c.paint(polygon([(56, 0.5), (60, 3), (56, 5.5)]), SKY)
    return c.opaque(WHITE), c.width, c.height


def main():
    outputs = [(os.path.join(HERE, "program", "bitmaps", "106.png"), folder_images),
               (os.path.join(HERE, "library", "bitmaps", "202.png"), chooser_strip)]
    for number, draw in ICONS.items():
        outputs.append((os.path.join(HERE, "program", "icons", f"{number}.png"),
                        lambda d=draw: icon(d)))
    for path, draw in outputs:
        os.makedirs(os.path.dirname(path), exist_ok=True)
        pixels, width, height = draw()
        write_png(path, width, height, pixels)
        print(path)


if __name__ == "__main__":
    main()

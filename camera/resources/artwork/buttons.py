"""The ten button images of the button bar, each normal and pressed:
Shutter 49 x 49 (287, 278), Menu 30 x 30 (285, 279), Play 30 x 30 (286, 280),
Zoom Out 32 x 31 (281, 282), Zoom In 32 x 31 (283, 284).

Black is see-through: the bar's recessed well shows around each button. A
pressed button is darker with its light falling from below, and its symbol
sits one pixel lower and turns amber."""
import math

from . import layout, shapes
from .canvas import Canvas, vertical_gradient
from .palette import (ACCENT, FACE_BOTTOM, FACE_HIGHLIGHT, FACE_PRESSED_BOTTOM, FACE_PRESSED_TOP, FACE_RIM,
                      FACE_TOP, GLYPH, METAL_BOTTOM, METAL_TOP, RECORD, RECORD_DARK)

SYMBOL_RIM = 1.0


def _face(canvas, outline, height, pressed):
    """The button's body: a dark rim, a lit edge and the graded face."""
    canvas.paint(outline, FACE_RIM)
    face = outline.grown(-1.0)
    if pressed:
        canvas.paint(face, vertical_gradient(0, height, FACE_PRESSED_TOP, FACE_PRESSED_BOTTOM))
    else:
        canvas.paint(face, FACE_HIGHLIGHT)
        canvas.paint(face.grown(-1.0).moved(0, 0.6), vertical_gradient(0, height, FACE_TOP, FACE_BOTTOM))


def _symbol(canvas, symbol, pressed):
    if pressed:
        symbol = symbol.moved(0, 1.0)
    canvas.outlined(symbol, ACCENT if pressed else GLYPH, FACE_RIM, SYMBOL_RIM)


def _round_button(symbol, pressed):
    size = layout.MENU[2]  # Menu and Play are alike
    canvas = Canvas(size, size)
    _face(canvas, shapes.circle(size / 2, size / 2, size / 2 - 0.4), size, pressed)
    _symbol(canvas, symbol, pressed)
    return canvas


def _gear():
    points = []
    teeth = 8
    for i in range(teeth * 4):
        angle = math.radians(360 * i / (teeth * 4) - 90 + 360 / teeth / 8)
        radius = 7.6 if i % 4 in (0, 1) else 5.6
        points.append((15 + radius * math.cos(angle), 15 + radius * math.sin(angle)))
    return shapes.polygon(points) - shapes.circle(15, 15, 2.4)


def _play():
    return shapes.polygon([(11.5, 8.0), (22.0, 15.0), (11.5, 22.0)]).grown(0.8)


def _zoom_button(sign_vertical, on_left, pressed):
    width, height = layout.ZOOM_OUT[2:]  # Zoom In is alike
    canvas = Canvas(width, height)
    outer, inner = 15.0, 4.0
    radii = (outer, inner, inner, outer) if on_left else (inner, outer, outer, inner)
    _face(canvas, shapes.box(0.4, 0.4, width - 0.4, height - 0.4, radii=radii), height, pressed)
    cx = 14.0 if on_left else 16.0
    lens = shapes.ring(cx - 1.2, 13.6, 6.0, 1.9)
    handle = shapes.line(cx + 3.4, 18.2, cx + 7.0, 21.8, 3.0)
    sign = shapes.line(cx - 4.2, 13.6, cx + 1.8, 13.6, 1.8)
    if sign_vertical:
        sign = sign | shapes.line(cx - 1.2, 10.6, cx - 1.2, 16.6, 1.8)
    _symbol(canvas, lens | handle | sign, pressed)
    return canvas


def _shutter(pressed):
    size = layout.SHUTTER[2]
    canvas = Canvas(size, size)
    c = size / 2
    metal = (METAL_BOTTOM, METAL_TOP) if pressed else (METAL_TOP, METAL_BOTTOM)
    canvas.paint(shapes.circle(c, c, 24.2), FACE_RIM)
    canvas.paint(shapes.circle(c, c, 23.2), vertical_gradient(2, 47, *metal))
    canvas.paint(shapes.circle(c, c, 19.4), FACE_RIM)
    if pressed:
        canvas.paint(shapes.circle(c, c + 0.8, 17.6), vertical_gradient(8, 42, RECORD_DARK, RECORD))
    else:
        canvas.paint(shapes.circle(c, c, 18.4), vertical_gradient(6, 43, (255, 118, 96), RECORD_DARK))
        shine = shapes.ellipse(c, c - 9.0, 11.0, 6.0) & shapes.circle(c, c, 16.6)
        canvas.paint(shine, (255, 255, 255), 0.28)
    return canvas


BITMAPS = {
    287: lambda: _shutter(False),
    278: lambda: _shutter(True),
    285: lambda: _round_button(_gear(), False),
    279: lambda: _round_button(_gear(), True),
    286: lambda: _round_button(_play(), False),
    280: lambda: _round_button(_play(), True),
    281: lambda: _zoom_button(False, True, False),
    282: lambda: _zoom_button(False, True, True),
    283: lambda: _zoom_button(True, False, False),
    284: lambda: _zoom_button(True, False, True),
}

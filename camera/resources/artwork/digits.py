"""Stroke digits 0..9 drawn as round-ended strokes, so that the countdown
needs no font.

Each digit is a list of strokes in a 10 x 16 design box (y down); a stroke
is a list of points.
"""
from . import shapes

WIDTH = 10.0
HEIGHT = 16.0

_arc = shapes.arc_points

GLYPHS = {
    0: [_arc(5, 8, 4, 7, 0, 360, 36)],
    1: [[(1.2, 3.8), (4.6, 1.0), (4.6, 15.0)]],
    2: [_arc(5, 5, 3.9, 4, 195, 390) + [(1.2, 15.0), (8.9, 15.0)]],
    3: [_arc(5, 4.6, 3.6, 3.6, 205, 450), _arc(5, 11.2, 3.9, 3.8, 270, 515)],
    4: [[(7.0, 15.0), (7.0, 1.0), (1.0, 11.0), (9.4, 11.0)]],
    5: [[(8.6, 1.0), (2.6, 1.0), (2.1, 7.6)] + _arc(5, 10.8, 3.9, 4.2, 228, 505)],
    6: [[(7.6, 1.0), (2.2, 8.6)], _arc(5, 11.1, 3.8, 3.9, 0, 360, 36)],
    7: [[(1.0, 1.0), (9.0, 1.0), (3.6, 15.0)]],
    8: [_arc(5, 4.4, 3.3, 3.4, 0, 360, 36), _arc(5, 11.3, 3.9, 3.7, 0, 360, 36)],
    9: [[(2.4, 15.0), (7.8, 7.4)], _arc(5, 4.9, 3.8, 3.9, 0, 360, 36)],
}

# The width a digit takes when digits stand side by side (the 1 is narrow).
ADVANCE = {1: 6.6}


def number_shape(number, left, top, height, stroke):
    """The digits of `number` as one shape, `height` pixels tall, starting at
    (left, top); the stroke width is in pixels."""
    scale = height / HEIGHT
    digits = [int(c) for c in str(number)]
    parts = []
    x = left
    for digit in digits:
        for stroke_points in GLYPHS[digit]:
            points = [(x + px * scale, top + py * scale) for px, py in stroke_points]
            parts.append(shapes.polyline(points, stroke))
        x += (ADVANCE.get(digit, WIDTH) + 2.0) * scale
    return shapes.union(*parts)


def number_width(number, height):
    """The width in pixels that number_shape() gives `number` at `height`."""
    scale = height / HEIGHT
    digits = [int(c) for c in str(number)]
    return (sum(ADVANCE.get(d, WIDTH) for d in digits) + 2.0 * (len(digits) - 1)) * scale

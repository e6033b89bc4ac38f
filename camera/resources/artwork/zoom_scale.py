"""The zoom scale (288, 103 x 17) and its marker (289, 5 x 9).

The scale is drawn at (137,163) of the preview and the marker at (190,167)
for the 2x zoom and at (226,167) for 4x, so the marker's middle column falls
on scale x 55 and 91; the 1x stop lies one step further left at x 19. The
track runs at the marker's middle row (scale y 8). Black is see-through."""
from . import shapes
from .canvas import Canvas
from .palette import ACCENT, GLYPH, RIM

SCALE_SIZE = (103, 17)
MARKER_SIZE = (5, 9)
STOPS = (19, 55, 91)  # scale columns of 1x, 2x and 4x
TRACK_Y = 8.5
RIM_WIDTH = 1.0


def _column(x):
    return x + 0.5  # the centre of pixel column x


def scale():
    canvas = Canvas(*SCALE_SIZE)
    first, last = _column(STOPS[0]), _column(STOPS[-1])
    track = shapes.line(first, TRACK_Y, last, TRACK_Y, 1.2)
    ticks = [shapes.line(_column(x), TRACK_Y - 4.0, _column(x), TRACK_Y + 4.0, 1.4) for x in STOPS]
    minor = [
        shapes.line(_column(x), TRACK_Y - 2.0, _column(x), TRACK_Y + 2.0, 1.0)
        for a, b in zip(STOPS, STOPS[1:]) for x in range(a + 9, b, 9)
    ]
    minus = shapes.line(4.5, TRACK_Y, 10.5, TRACK_Y, 1.5)
    plus = shapes.line(95.5, TRACK_Y, 101.5, TRACK_Y, 1.5) | shapes.line(98.5, TRACK_Y - 3, 98.5, TRACK_Y + 3, 1.5)
    canvas.outlined(shapes.union(track, minus, plus, *ticks, *minor), GLYPH, RIM, RIM_WIDTH)
    return canvas


def marker():
    """A slider thumb standing on the track over the stop it marks."""
    canvas = Canvas(*MARKER_SIZE)
    canvas.outlined(shapes.box(1.0, 1.0, 4.0, 8.0, 1.5), ACCENT, RIM, RIM_WIDTH)
    return canvas


BITMAPS = {
    288: scale,
    289: marker,
}

"""The status icons along the top of the preview: metering (268, 269),
white balance (272 sun, 271 tungsten, 273 fluorescent), colour mode
(339 black and white, 340 negative) and compression (260, 259, 258: one,
two or three stars). Black is see-through."""
import math

from . import shapes
from .canvas import Canvas
from .palette import GLYPH, RIM, SHADE

ICON = 20  # the metering, white-balance and colour icons are 20 x 20
RIM_WIDTH = 1.2


def _icon():
    return Canvas(ICON, ICON)


def _metering_frame(canvas):
    """A light frame around a dark field that the metering marks stand on."""
    frame = shapes.box(1.5, 3.5, 18.5, 16.5, 2.2)
    canvas.outlined(frame, GLYPH, RIM, RIM_WIDTH)
    canvas.paint(shapes.box(3.2, 5.2, 16.8, 14.8, 0.8), SHADE)


def metering_average():
    """Every part of the frame counts alike: an even grid of dots."""
    canvas = _icon()
    _metering_frame(canvas)
    for row in (8.2, 11.8):
        for column in (6.2, 10.0, 13.8):
            canvas.paint(shapes.circle(column, row, 1.1), GLYPH)
    return canvas


def metering_centre():
    """The middle counts most: a target in the frame."""
    canvas = _icon()
    _metering_frame(canvas)
    canvas.paint(shapes.ring(10, 10, 3.2, 1.2) | shapes.circle(10, 10, 1.1), GLYPH)
    return canvas


def balance_sun():
    canvas = _icon()
    rays = []
    for i in range(8):
        angle = math.radians(i * 45)
        c, s = math.cos(angle), math.sin(angle)
        rays.append(shapes.line(10 + 5.9 * c, 10 + 5.9 * s, 10 + 8.1 * c, 10 + 8.1 * s, 1.5))
    canvas.outlined(shapes.union(shapes.circle(10, 10, 3.7), *rays), GLYPH, RIM, RIM_WIDTH)
    return canvas


def balance_tungsten():
    canvas = _icon()
    bulb = shapes.circle(10, 7.6, 5.4) | shapes.polygon([(6.2, 10.5), (13.8, 10.5), (12.4, 14.2), (7.6, 14.2)])
    threads = shapes.union(shapes.box(7.4, 14.9, 12.6, 16.1, 0.6), shapes.box(8.2, 16.8, 11.8, 18.6, 0.9))
    canvas.outlined(bulb | threads, GLYPH, RIM, RIM_WIDTH)
    filament = shapes.polyline([(8.2, 11.8), (8.6, 7.4), (10.0, 9.0), (11.4, 7.4), (11.8, 11.8)], 0.9)
    canvas.paint(filament, SHADE)
    return canvas


def balance_fluorescent():
    canvas = _icon()
    tube = shapes.box(2.8, 5.0, 17.2, 8.6, 1.8)
    pins = shapes.union(shapes.line(1.0, 6.8, 2.8, 6.8, 1.2), shapes.line(17.2, 6.8, 19.0, 6.8, 1.2))
    glow = shapes.union(*[shapes.line(x, 11.8, x + (x - 10) * 0.4, 15.2, 1.3) for x in (5.0, 10.0, 15.0)])
    canvas.outlined(tube | pins | glow, GLYPH, RIM, RIM_WIDTH)
    return canvas


def colour_black_and_white():
    canvas = _icon()
    disc = shapes.circle(10, 10, 7.6)
    canvas.paint(disc.grown(RIM_WIDTH), RIM)
    canvas.paint(disc, GLYPH)
    canvas.paint(shapes.circle(10, 10, 6.2) & shapes.half_plane(1, 0, 10), SHADE)
    return canvas


def colour_negative():
    canvas = _icon()
    square = shapes.box(2.5, 2.5, 17.5, 17.5, 2.2)
    canvas.paint(square.grown(RIM_WIDTH), RIM)
    canvas.paint(square, GLYPH)
    canvas.paint(shapes.box(10, 3.9, 16.1, 16.1, 1.2), SHADE)
    canvas.paint(shapes.circle(6.4, 10, 2.2), SHADE)
    canvas.paint(shapes.circle(13.6, 10, 2.2), GLYPH)
    return canvas


STAR_PITCH = 15.5
COMPRESSION_SIZE = (46, 15)


def _stars(filled):
    canvas = Canvas(*COMPRESSION_SIZE)
    for i in range(3):
        star = shapes.star(7.5 + i * STAR_PITCH, 8.0, 6.6, 2.9)
        canvas.outlined(star, GLYPH, RIM, RIM_WIDTH)
        if i >= filled:
            canvas.paint(star.grown(-1.1), SHADE)  # an empty star: only its rim is light
    return canvas


def compression_good():
    return _stars(1)


def compression_better():
    return _stars(2)


def compression_best():
    return _stars(3)


BITMAPS = {
    268: metering_average,
    269: metering_centre,
    272: balance_sun,
    271: balance_tungsten,
    273: balance_fluorescent,
    339: colour_black_and_white,
    340: colour_negative,
    260: compression_good,
    259: compression_better,
    258: compression_best,
}

"""The self-timer and clip indicators, 24 x 24, left of the preview.

292..302: the countdown digits 0..10 on an amber-ringed badge; 303: the
self-timer armed but not counting (a stopwatch). 332: Video mode, not
recording (a film camera); 331, 330, 329: the recording animation, a red dot
whose halo widens frame by frame (shown in that order). Black is
see-through."""
from . import digits, shapes
from .canvas import Canvas
from .palette import ACCENT, GLYPH, RECORD, RIM, SHADE

SIZE = 24
CENTRE = SIZE / 2
RIM_WIDTH = 1.2
DIGIT_HEIGHT = 12.5
DIGIT_STROKE = 2.1


def countdown(number):
    canvas = Canvas(SIZE, SIZE)
    canvas.paint(shapes.circle(CENTRE, CENTRE, 11.6), RIM)
    canvas.paint(shapes.circle(CENTRE, CENTRE, 10.6), ACCENT)
    canvas.paint(shapes.circle(CENTRE, CENTRE, 8.9), SHADE)
    left = CENTRE - digits.number_width(number, DIGIT_HEIGHT) / 2
    top = CENTRE - DIGIT_HEIGHT / 2
    canvas.paint(digits.number_shape(number, left, top, DIGIT_HEIGHT, DIGIT_STROKE), GLYPH)
    return canvas


def stopwatch():
    canvas = Canvas(SIZE, SIZE)
    face = shapes.ring(12, 13.5, 7.4, 2.0)
    crown = shapes.box(10.0, 2.2, 14.0, 4.4, 0.8) | shapes.line(12, 4.0, 12, 6.5, 1.6)
    lug = shapes.line(17.6, 6.4, 19.2, 4.8, 1.6)
    hand = shapes.line(12, 13.5, 12, 9.0, 1.6) | shapes.circle(12, 13.5, 1.4)
    canvas.outlined(shapes.union(face, crown, lug, hand), GLYPH, RIM, RIM_WIDTH)
    return canvas


def film_camera():
    canvas = Canvas(SIZE, SIZE)
    body = shapes.box(2.5, 7.5, 15.5, 17.5, 2.0)
    lens = shapes.polygon([(15.0, 11.0), (21.5, 7.5), (21.5, 17.5), (15.0, 14.0)])
    canvas.outlined(body | lens, GLYPH, RIM, RIM_WIDTH)
    canvas.paint(shapes.circle(6.5, 11.2, 1.5), SHADE)
    return canvas


def recording(halo_radius):
    canvas = Canvas(SIZE, SIZE)
    if halo_radius:
        canvas.outlined(shapes.ring(CENTRE, CENTRE, halo_radius, 1.4), RECORD, RIM, 0.9)
    canvas.outlined(shapes.circle(CENTRE, CENTRE, 6.0), RECORD, GLYPH, 1.2)
    canvas.paint(shapes.circle(CENTRE, CENTRE, 6.0).grown(2.2) - shapes.circle(CENTRE, CENTRE, 7.2), RIM)
    return canvas


def _countdown_bitmaps():
    return {292 + number: (lambda n=number: countdown(n)) for number in range(11)}


BITMAPS = {
    **_countdown_bitmaps(),
    303: stopwatch,
    332: film_camera,
    331: lambda: recording(0),
    330: lambda: recording(8.6),
    329: lambda: recording(10.6),
}

"""The pictures of the settings dialogs: the option rows of each entry's
option list (one 48 x 16 image per option, in option order: 410 white
balance, 411 colour, 412 compression, 413 resolution, 414 metering,
415 sounds, 416 instant review, 417 self-timer, 418 framing aid), the
16 x 16 entry icons of the Settings page (420) and the Setup page (421),
the 16 x 15 folder of the folder chooser (422) and the About box's
picture of the card (423).

They sit on the lists' white, so they are drawn in strong colours with a
dark outline; black is see-through."""
import math

from . import shapes
from .canvas import Canvas

ROW_WIDTH = 48
ROW_HEIGHT = 16
ICON = 16

INK = (34, 38, 46)
SUN = (250, 190, 30)
BULB = (255, 150, 40)
TUBE = (150, 210, 250)
RED = (226, 52, 46)
GREEN = (60, 170, 70)
BLUE = (50, 110, 220)
PAPER = (246, 246, 242)
GREY = (150, 154, 162)
AMBER = (255, 182, 30)
FOLDER = (244, 198, 72)
FOLDER_DARK = (196, 146, 34)
CARD = (70, 76, 88)


def _strip(count, width=ROW_WIDTH, height=ROW_HEIGHT):
    return Canvas(width * count, height)


# --- symbols, each drawn around a centre (cx, cy) in a 16 x 16 cell ---------


def sun(c, cx, cy, r=3.6):
    rays = []
    for i in range(8):
        a = math.radians(i * 45)
        rays.append(shapes.line(cx + (r + 1.4) * math.cos(a), cy + (r + 1.4) * math.sin(a),
                                cx + (r + 3.2) * math.cos(a), cy + (r + 3.2) * math.sin(a), 1.3))
    c.paint(shapes.union(*rays), INK)
    c.outlined(shapes.circle(cx, cy, r), SUN, INK, 1.0)


def bulb(c, cx, cy):
    glass = shapes.circle(cx, cy - 1.8, 4.2) | shapes.polygon([(cx - 2.8, cy + 0.6), (cx + 2.8, cy + 0.6),
                                                               (cx + 1.8, cy + 3.6), (cx - 1.8, cy + 3.6)])
    c.outlined(glass, BULB, INK, 1.0)
    c.paint(shapes.box(cx - 2.0, cy + 4.3, cx + 2.0, cy + 6.6, 0.6), GREY)


def tube(c, cx, cy):
    c.outlined(shapes.box(cx - 7, cy - 2.2, cx + 7, cy + 2.2, 2.2), TUBE, INK, 1.0)
    for dx in (-7.5, 7.5):
        c.paint(shapes.box(cx + dx - 0.8, cy - 1.2, cx + dx + 0.8, cy + 1.2), INK)


def auto(c, cx, cy):
    for i, colour in enumerate((RED, GREEN, BLUE)):
        a = math.radians(90 + i * 120)
        c.outlined(shapes.circle(cx + 2.6 * math.cos(a), cy - 2.6 * math.sin(a), 3.4), colour, INK, 0.8)


def no_sign(c, cx, cy, r=6.0):
    c.paint(shapes.ring(cx, cy, r, 1.8) | shapes.line(cx - r * 0.7, cy + r * 0.7, cx + r * 0.7, cy - r * 0.7, 1.8),
            RED)


def half_circle(c, cx, cy, left, right):
    c.paint(shapes.circle(cx, cy, 6.2), INK)
    c.paint(shapes.circle(cx, cy, 5.2) - shapes.half_plane(1, 0, cx), left)
    c.paint(shapes.circle(cx, cy, 5.2) & shapes.half_plane(1, 0, cx), right)


def star(c, cx, cy, r=6.4):
    c.outlined(shapes.star(cx, cy, r, r * 0.45), AMBER, INK, 0.9)


def picture(c, cx, cy, w, h):
    c.outlined(shapes.box(cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2, 0.8), PAPER, INK, 1.0)
    c.paint(shapes.polygon([(cx - w / 2 + 1.5, cy + h / 2 - 1.2), (cx - w / 6, cy - h / 6),
                            (cx + w / 2 - 1.5, cy + h / 2 - 1.2)]), GREEN)


def frame(c, cx, cy, w, h, colour):
    outer = shapes.box(cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2)
    c.paint(outer - outer.grown(-1.4), colour)


def target(c, cx, cy):
    frame(c, cx, cy, 14, 11, INK)
    c.paint(shapes.ring(cx, cy, 3.0, 1.2) | shapes.circle(cx, cy, 1.0), RED)


def grid(c, cx, cy):
    frame(c, cx, cy, 14, 11, INK)
    for dy in (-2, 2):
        for dx in (-3.5, 0, 3.5):
            c.paint(shapes.circle(cx + dx, cy + dy, 1.0), BLUE)


def speaker(c, cx, cy, on):
    body = shapes.polygon([(cx - 6, cy - 2), (cx - 3, cy - 2), (cx + 1, cy - 5.5), (cx + 1, cy + 5.5),
                           (cx - 3, cy + 2), (cx - 6, cy + 2)])
    c.outlined(body, GREY, INK, 0.9)
    if on:
        for r in (3.2, 5.6):
            arc = shapes.polyline(shapes.arc_points(cx + 1.5, cy, r, r, -45, 45), 1.2)
            c.paint(arc, BLUE)
    else:
        c.paint(shapes.line(cx + 3, cy - 3, cx + 7, cy + 3, 1.4) | shapes.line(cx + 3, cy + 3, cx + 7, cy - 3, 1.4), RED)


def stopwatch(c, cx, cy, share):
    c.outlined(shapes.circle(cx, cy + 1, 6.0), PAPER, INK, 1.0)
    c.paint(shapes.box(cx - 1.2, cy - 7.2, cx + 1.2, cy - 5.2), INK)
    if share > 0:
        points = [(cx, cy + 1)] + shapes.arc_points(cx, cy + 1, 4.6, 4.6, -90, -90 + 360 * share)
        c.paint(shapes.polygon(points), AMBER)
    c.paint(shapes.line(cx, cy + 1, cx, cy - 3.5, 1.1), INK)


def card_frame(c, cx, cy, on):
    if on:
        for sx in (-1, 1):
            for sy in (-1, 1):
                x, y = cx + sx * 7, cy + sy * 5
                c.paint(shapes.line(x, y, x - sx * 4, y, 1.6) | shapes.line(x, y, x, y - sy * 3.5, 1.6), AMBER)
        c.outlined(shapes.box(cx - 4.5, cy - 2.8, cx + 4.5, cy + 2.8, 0.6), PAPER, INK, 0.8)
    else:
        c.outlined(shapes.box(cx - 4.5, cy - 2.8, cx + 4.5, cy + 2.8, 0.6), PAPER, INK, 0.8)
        no_sign(c, cx, cy, 7.0)


def dots(c, cx, cy, count):
    for i in range(count):
        c.paint(shapes.circle(cx + (i - (count - 1) / 2) * 4.0, cy, 1.4), BLUE)


# --- strips -----------------------------------------------------------------


def _row_centre(index):
    return index * ROW_WIDTH + ROW_WIDTH / 2, ROW_HEIGHT / 2


def white_balance_rows():
    c = _strip(5)
    draw = [auto, sun, bulb, tube, lambda c, x, y: (auto(c, x, y), no_sign(c, x, y, 7.0))]
    for i, symbol in enumerate(draw):
        symbol(c, *_row_centre(i))
    return c


def color_rows():
    c = _strip(3)
    auto(c, *_row_centre(0))
    half_circle(c, *_row_centre(1), PAPER, INK)
    x, y = _row_centre(2)
    c.paint(shapes.circle(x, y, 6.2), PAPER)
    c.paint(shapes.circle(x, y, 5.0), INK)
    c.paint(shapes.circle(x, y, 2.6), TUBE)
    return c


def compression_rows():
    c = _strip(3)
    for i in range(3):
        for s in range(i + 1):
            star(c, i * ROW_WIDTH + 8 + s * 16, ROW_HEIGHT / 2)
    return c


def resolution_rows():
    c = _strip(4)
    sizes = [(30, 14), (28, 12), (18, 9), (10, 6)]
    for i, (w, h) in enumerate(sizes):
        picture(c, *_row_centre(i), w, h)
    return c


def metering_rows():
    c = _strip(2)
    grid(c, *_row_centre(0))
    target(c, *_row_centre(1))
    return c


def sound_rows():
    c = _strip(2)
    for i in range(2):
        speaker(c, *_row_centre(i), i == 1)
    return c


def review_rows():
    c = _strip(4)
    for i in range(4):
        x, y = _row_centre(i)
        picture(c, x - 8, y, 14, 11)
        if i == 0:
            no_sign(c, x - 8, y, 7.0)
        else:
            dots(c, x + 10, y, i)
    return c


def self_timer_rows():
    c = _strip(3)
    for i, share in enumerate((0, 0.2, 0.85)):
        x, y = _row_centre(i)
        stopwatch(c, x, y, share)
        if i == 0:
            no_sign(c, x, y, 7.4)
    return c


def framing_rows():
    c = _strip(2)
    for i in range(2):
        card_frame(c, *_row_centre(i), i == 1)
    return c


def _icon_centre(index):
    return index * ICON + ICON / 2, ICON / 2


def settings_entry_icons():
    c = _strip(5, ICON, ICON)
    sun(c, *_icon_centre(0), r=3.0)
    auto(c, *_icon_centre(1))
    star(c, *_icon_centre(2), r=7.0)
    picture(c, *_icon_centre(3), 14, 11)
    target(c, *_icon_centre(4))
    return c


def setup_entry_icons():
    c = _strip(4, ICON, ICON)
    speaker(c, *_icon_centre(0), True)
    picture(c, *_icon_centre(1), 14, 11)
    stopwatch(c, *_icon_centre(2), 0.3)
    card_frame(c, *_icon_centre(3), True)
    return c


def folder():
    c = Canvas(16, 15)
    c.outlined(shapes.box(1.5, 2.5, 7.5, 6.0, 1.0), FOLDER_DARK, INK, 0.8)
    c.outlined(shapes.box(1.5, 4.5, 14.5, 13.0, 1.0), FOLDER, INK, 0.8)
    return c


def about_picture():
    """The camera card: an SD card with its lens, beside a handheld's outline."""
    c = Canvas(150, 60)
    card = shapes.polygon([(40, 6), (104, 6), (112, 14), (112, 54), (40, 54)])
    c.outlined(card, CARD, INK, 1.4)
    for i in range(6):
        c.paint(shapes.box(46 + i * 9, 9, 52 + i * 9, 17, 0.8), AMBER)
    c.outlined(shapes.circle(76, 36, 13), (40, 44, 54), INK, 1.2)
    c.paint(shapes.circle(76, 36, 9), (60, 90, 150))
    c.paint(shapes.circle(76, 36, 5), (20, 28, 44))
    c.paint(shapes.circle(72, 32, 2.2), PAPER)
    c.paint(shapes.circle(104, 48, 2.2), RED)
    return c


BITMAPS = {
    410: white_balance_rows,
    411: color_rows,
    412: compression_rows,
    413: resolution_rows,
    414: metering_rows,
    415: sound_rows,
    416: review_rows,
    417: self_timer_rows,
    418: framing_rows,
    420: settings_entry_icons,
    421: setup_entry_icons,
    422: folder,
    423: about_picture,
}

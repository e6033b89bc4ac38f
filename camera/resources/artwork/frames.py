"""Framing overlays of the preview: the centre mark (265, 68 x 28) and the
business-card framing aid for the 320x240 stream (336, 206 x 128) and the
160x120 stream (335, 136 x 84). Black is see-through."""
from . import shapes
from .canvas import Canvas
from .palette import GLYPH, RIM

STROKE = 2.0
RIM_WIDTH = 1.1


def _corner_brackets(width, height, inset, arm_x, arm_y, stroke):
    left, top = inset, inset
    right, bottom = width - inset, height - inset
    return shapes.union(
        shapes.polyline([(left, top + arm_y), (left, top), (left + arm_x, top)], stroke),
        shapes.polyline([(right - arm_x, top), (right, top), (right, top + arm_y)], stroke),
        shapes.polyline([(right, bottom - arm_y), (right, bottom), (right - arm_x, bottom)], stroke),
        shapes.polyline([(left + arm_x, bottom), (left, bottom), (left, bottom - arm_y)], stroke),
    )


def centre_mark():
    width, height = 68, 28
    canvas = Canvas(width, height)
    brackets = _corner_brackets(width, height, 3.0, 10, 7, STROKE)
    cross = shapes.line(34, 10, 34, 18, 2.0) | shapes.line(30, 14, 38, 14, 2.0)
    canvas.outlined(brackets | cross, GLYPH, RIM, RIM_WIDTH)
    return canvas


def _card_frame(width, height, arm):
    canvas = Canvas(width, height)
    inset = 2.0  # whole pixels, so that the one-pixel outline stays crisp
    edge = shapes.box(inset, inset, width - inset, height - inset, 3.0)
    outline = edge - edge.grown(-1.0)
    brackets = _corner_brackets(width, height, inset + 1.0, arm, arm * 0.75, 3.0)
    canvas.outlined(outline | brackets, GLYPH, RIM, RIM_WIDTH)
    return canvas


def business_card_large():
    return _card_frame(206, 128, 18)


def business_card_small():
    return _card_frame(136, 84, 12)


BITMAPS = {
    265: centre_mark,
    336: business_card_large,
    335: business_card_small,
}

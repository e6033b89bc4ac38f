"""The button bar's background (133, 240 x 88): a graphite panel lit from
above with recessed wells where the buttons sit, a rocker well for the two
zoom buttons, and a speaker grille at the left. Drawn opaque."""
from . import layout, shapes
from .canvas import Canvas, vertical_gradient
from .palette import PANEL_BOTTOM, PANEL_EDGE, PANEL_TOP, WELL_BOTTOM, WELL_LIP, WELL_TOP

WELL_MARGIN = 2.6
BACKGROUND = PANEL_BOTTOM


def _circle_well(rect):
    left, top, width, height = rect
    return shapes.circle(left + width / 2, top + height / 2, width / 2 + WELL_MARGIN)


def _rocker_well():
    left = layout.ZOOM_OUT[0] - WELL_MARGIN
    top = layout.ZOOM_OUT[1] - WELL_MARGIN
    right = layout.ZOOM_IN[0] + layout.ZOOM_IN[2] + WELL_MARGIN
    bottom = layout.ZOOM_IN[1] + layout.ZOOM_IN[3] + WELL_MARGIN
    return shapes.box(left, top, right, bottom, (bottom - top) / 2)


def _recess(canvas, well):
    """A hollow in the panel: shadowed at its upper edge, lit at its lower lip."""
    x0, y0, x1, y1 = well.box
    canvas.paint(well.grown(1.2), vertical_gradient(y0, y1, PANEL_BOTTOM, WELL_LIP))
    canvas.paint(well, vertical_gradient(y0, y1, WELL_TOP, WELL_BOTTOM))


def _grille(canvas):
    for row in range(5):
        for column in range(6):
            x = 15.5 + column * 6
            y = 31.5 + row * 6
            canvas.paint(shapes.circle(x, y + 0.6, 1.5), WELL_LIP)
            canvas.paint(shapes.circle(x, y, 1.5), WELL_TOP)


def background():
    width, height = layout.BAR_SIZE
    canvas = Canvas(width, height)
    canvas.paint(shapes.box(0, 0, width, height), vertical_gradient(0, height, PANEL_TOP, PANEL_BOTTOM))
    canvas.paint(shapes.box(0, 0, width, 1), PANEL_EDGE)
    canvas.paint(shapes.box(0, 1, width, 2), WELL_BOTTOM)
    _grille(canvas)
    _recess(canvas, _rocker_well())
    for rect in (layout.MENU, layout.PLAY, layout.SHUTTER):
        _recess(canvas, _circle_well(rect))
    return canvas


BITMAPS = {133: background}

"""The colours every bitmap of the camera application shares."""

# Glyphs drawn over the live picture: a light body with a dark rim, so that
# they read on bright and on dark scenes alike.
GLYPH = (246, 248, 250)
RIM = (22, 24, 28)
SHADE = (40, 44, 50)  # the dark half of two-tone glyphs

ACCENT = (255, 182, 30)  # amber: active states, zoom marker, timer badge
RECORD = (232, 50, 42)  # red: recording, shutter
RECORD_DARK = (150, 24, 20)

# The graphite of the button bar and its buttons.
PANEL_TOP = (66, 71, 80)
PANEL_BOTTOM = (30, 33, 38)
PANEL_EDGE = (104, 110, 122)
WELL_TOP = (14, 15, 18)
WELL_BOTTOM = (30, 32, 37)
WELL_LIP = (92, 98, 110)

FACE_TOP = (104, 110, 122)
FACE_BOTTOM = (56, 60, 69)
FACE_PRESSED_TOP = (36, 39, 45)
FACE_PRESSED_BOTTOM = (58, 62, 71)
FACE_RIM = (20, 22, 26)
FACE_HIGHLIGHT = (150, 156, 168)

METAL_TOP = (222, 226, 232)
METAL_BOTTOM = (122, 128, 138)

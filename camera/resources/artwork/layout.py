"""Where the buttons sit on the button bar: the bar is drawn at screen y 180,
so these are the buttons' screen positions moved up by 180."""

BAR_SIZE = (240, 88)

# name: (left, top, width, height) on the bar
SHUTTER = (174, 21, 49, 49)
MENU = (61, 47, 30, 30)
PLAY = (101, 47, 30, 30)
ZOOM_OUT = (91, 8, 32, 31)
ZOOM_IN = (127, 8, 32, 31)

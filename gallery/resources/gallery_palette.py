"""The colours the gallery's artwork scripts share."""

WHITE = (255, 255, 255)
INK = (40, 46, 56)
STEEL = (96, 112, 134)
SKY = (74, 144, 226)
LEAF = (76, 168, 88)
SUN = (255, 190, 40)
ALERT = (214, 58, 48)
PAPER = (250, 250, 246)

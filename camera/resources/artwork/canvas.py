"""A supersampled RGBA canvas that shapes are painted on, and its PNG output.

Each pixel holds SAMPLES x SAMPLES sub-samples; painting a shape covers the
sub-samples whose centres lie inside it, and the output averages them, which
gives smooth edges without any library. Two outputs:
- opaque(): composited over a background colour (the button bar);
- keyed(): for bitmaps drawn with black as the transparent colour. A pixel
  less than half covered becomes pure black (see-through); any other pixel
  keeps its own colour without being darkened by the black around it, and is
  lifted off black so that it can never turn transparent by accident.
"""
import struct
import zlib

SAMPLES = 4
TRANSPARENT = (0, 0, 0)
# The darkest a visible pixel of a keyed bitmap may be: still dark, and still
# non-zero after reduction to 5-6-5 bits per channel.
DARKEST_VISIBLE = 16


def vertical_gradient(y0, y1, top, bottom):
    """A colour function from `top` at y0 to `bottom` at y1."""
    span = float(y1 - y0) or 1.0

    def colour(x, y):
        t = min(1.0, max(0.0, (y - y0) / span))
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))

    return colour


def mix(a, b, t):
    return tuple(int(round(p + (q - p) * t)) for p, q in zip(a, b))


class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.stride = width * SAMPLES
        count = self.stride * height * SAMPLES
        # Premultiplied colour and coverage per sub-sample.
        self.red = [0.0] * count
        self.green = [0.0] * count
        self.blue = [0.0] * count
        self.alpha = [0.0] * count

    def paint(self, shape, colour, opacity=1.0):
        """Covers the inside of `shape` with `colour` (a tuple, or a function
        of the pixel position giving one) at `opacity`."""
        x0, y0, x1, y1 = shape.box
        sx0 = max(0, int((x0 - 1) * SAMPLES))
        sy0 = max(0, int((y0 - 1) * SAMPLES))
        sx1 = min(self.stride, int((x1 + 1) * SAMPLES) + 1)
        sy1 = min(self.height * SAMPLES, int((y1 + 1) * SAMPLES) + 1)
        distance = shape.distance
        fixed = None if callable(colour) else colour
        keep = 1.0 - opacity
        red, green, blue, alpha = self.red, self.green, self.blue, self.alpha
        for sy in range(sy0, sy1):
            y = (sy + 0.5) / SAMPLES
            row = sy * self.stride
            for sx in range(sx0, sx1):
                x = (sx + 0.5) / SAMPLES
                if distance(x, y) > 0:
                    continue
                r, g, b = fixed or colour(x, y)
                i = row + sx
                red[i] = r * opacity + red[i] * keep
                green[i] = g * opacity + green[i] * keep
                blue[i] = b * opacity + blue[i] * keep
                alpha[i] = opacity + alpha[i] * keep

    def outlined(self, shape, fill, outline, width=1.0):
        """Paints `shape` in `fill` with an `outline` band of `width` around it."""
        self.paint(shape.grown(width), outline)
        self.paint(shape, fill)

    def _average(self, px, py):
        area = SAMPLES * SAMPLES
        r = g = b = a = 0.0
        for sy in range(py * SAMPLES, (py + 1) * SAMPLES):
            row = sy * self.stride
            for i in range(row + px * SAMPLES, row + (px + 1) * SAMPLES):
                r += self.red[i]
                g += self.green[i]
                b += self.blue[i]
                a += self.alpha[i]
        return r / area, g / area, b / area, a / area

    def opaque(self, background):
        pixels = []
        for py in range(self.height):
            for px in range(self.width):
                r, g, b, a = self._average(px, py)
                pixels.append(tuple(_byte(c + k * (1 - a)) for c, k in zip((r, g, b), background)))
        return pixels

    def keyed(self):
        pixels = []
        for py in range(self.height):
            for px in range(self.width):
                r, g, b, a = self._average(px, py)
                if a < 0.5:
                    pixels.append(TRANSPARENT)
                    continue
                colour = tuple(_byte(c / a) for c in (r, g, b))
                if max(colour) < DARKEST_VISIBLE:
                    colour = (DARKEST_VISIBLE,) * 3
                pixels.append(colour)
        return pixels


def _byte(value):
    return max(0, min(255, int(round(value))))


def write_png(path, width, height, pixels):
    """Writes 8-bit RGB pixels (a list of tuples, rows top to bottom)."""
    raw = bytearray()
    for y in range(height):
        raw.append(0)  # filter: none
        for colour in pixels[y * width:(y + 1) * width]:
            raw.extend(colour)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
        out.write(chunk(b"IEND", b""))

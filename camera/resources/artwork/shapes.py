"""Shapes as signed distance functions in pixel coordinates.

A shape is a distance function (negative inside, in pixels) with a bounding
box; painting only visits the box. Pixel (i, j) covers [i, i+1) x [j, j+1),
so a one-pixel-wide line through pixel centres runs along x = i + 0.5.
"""
import math


class Shape:
    def __init__(self, distance, box):
        self.distance = distance
        self.box = box  # (x0, y0, x1, y1)

    def grown(self, amount):
        """The shape made thicker by `amount` pixels on every side."""
        x0, y0, x1, y1 = self.box
        d = self.distance
        return Shape(lambda x, y: d(x, y) - amount, (x0 - amount, y0 - amount, x1 + amount, y1 + amount))

    def moved(self, dx, dy):
        x0, y0, x1, y1 = self.box
        d = self.distance
        return Shape(lambda x, y: d(x - dx, y - dy), (x0 + dx, y0 + dy, x1 + dx, y1 + dy))

    def __or__(self, other):
        a, b = self.distance, other.distance
        return Shape(lambda x, y: min(a(x, y), b(x, y)), _box_union(self.box, other.box))

    def __sub__(self, other):
        a, b = self.distance, other.distance
        return Shape(lambda x, y: max(a(x, y), -b(x, y)), self.box)

    def __and__(self, other):
        a, b = self.distance, other.distance
        return Shape(lambda x, y: max(a(x, y), b(x, y)), _box_intersection(self.box, other.box))


def _box_union(a, b):
    return (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3]))


def _box_intersection(a, b):
    return (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))


def union(*shapes):
    result = shapes[0]
    for shape in shapes[1:]:
        result = result | shape
    return result


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def ring(cx, cy, r, width):
    half = width / 2
    return Shape(lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - half,
                 (cx - r - half, cy - r - half, cx + r + half, cy + r + half))


def ellipse(cx, cy, rx, ry):
    """Approximate distance; exact enough for small icons."""
    scale = min(rx, ry)
    return Shape(lambda x, y: (math.hypot((x - cx) / rx, (y - cy) / ry) - 1) * scale,
                 (cx - rx, cy - ry, cx + rx, cy + ry))


def box(x0, y0, x1, y1, radius=0.0, radii=None):
    """A rectangle with rounded corners; `radii` gives (top-left, top-right,
    bottom-right, bottom-left) when the corners differ."""
    tl, tr, br, bl = radii if radii else (radius,) * 4
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2, (y1 - y0) / 2

    def distance(x, y):
        px, py = x - cx, y - cy
        if px < 0:
            r = tl if py < 0 else bl
        else:
            r = tr if py < 0 else br
        qx = abs(px) - hx + r
        qy = abs(py) - hy + r
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r

    return Shape(distance, (x0, y0, x1, y1))


def _segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def polyline(points, width):
    """A stroke with round ends and joins through `points`."""
    half = width / 2
    segments = list(zip(points, points[1:])) or [(points[0], points[0])]

    def distance(x, y):
        return min(_segment_distance(x, y, a[0], a[1], b[0], b[1]) for a, b in segments) - half

    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return Shape(distance, (min(xs) - half, min(ys) - half, max(xs) + half, max(ys) + half))


def line(ax, ay, bx, by, width):
    return polyline([(ax, ay), (bx, by)], width)


def arc_points(cx, cy, rx, ry, start_degrees, end_degrees, steps=None):
    """Points along an elliptic arc; angles grow clockwise on screen (y down)."""
    if steps is None:
        steps = max(4, int(abs(end_degrees - start_degrees) / 10))
    points = []
    for i in range(steps + 1):
        angle = math.radians(start_degrees + (end_degrees - start_degrees) * i / steps)
        points.append((cx + rx * math.cos(angle), cy + ry * math.sin(angle)))
    return points


def polygon(points):
    """A filled polygon (any winding, may be concave)."""
    count = len(points)

    def distance(x, y):
        best = float("inf")
        inside = False
        for i in range(count):
            ax, ay = points[i]
            bx, by = points[i - 1]
            best = min(best, _segment_distance(x, y, ax, ay, bx, by))
            if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
                inside = not inside
        return -best if inside else best

    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return Shape(distance, (min(xs), min(ys), max(xs), max(ys)))


def star(cx, cy, outer, inner, tips=5):
    points = []
    for i in range(tips * 2):
        radius = outer if i % 2 == 0 else inner
        angle = math.radians(-90 + 180 * i / tips)
        points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return polygon(points)


def half_plane(nx, ny, offset):
    """Points with nx*x + ny*y > offset; the box is left unbounded."""
    length = math.hypot(nx, ny)
    return Shape(lambda x, y: (offset - nx * x - ny * y) / length, (-1e9, -1e9, 1e9, 1e9))

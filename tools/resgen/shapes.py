"""Filled shapes described by their horizontal spans.

Every shape answers spans(y): the sorted, disjoint [left, right) intervals where
the horizontal line at height y lies inside it. Shapes combine with Union,
Difference and Intersection. Only +, -, *, / and math.sqrt are used, all of
them exactly rounded under IEEE 754, so the pictures come out byte-identical
on every machine.
"""

import math


def merge(intervals):
    """Union of possibly overlapping intervals, sorted and disjoint."""
    out = []
    for a, b in sorted(intervals):
        if b <= a:
            continue
        if out and a <= out[-1][1]:
            if b > out[-1][1]:
                out[-1] = (out[-1][0], b)
        else:
            out.append((a, b))
    return out


def intersect(first, second):
    """Intersection of two sorted, disjoint interval lists."""
    out = []
    i = j = 0
    while i < len(first) and j < len(second):
        a = max(first[i][0], second[j][0])
        b = min(first[i][1], second[j][1])
        if a < b:
            out.append((a, b))
        if first[i][1] < second[j][1]:
            i += 1
        else:
            j += 1
    return out


def subtract(first, second):
    """The parts of sorted, disjoint `first` not covered by sorted, disjoint `second`."""
    out = []
    j = 0
    for a, b in first:
        while j < len(second) and second[j][1] <= a:
            j += 1
        k = j
        while a < b and k < len(second) and second[k][0] < b:
            if second[k][0] > a:
                out.append((a, second[k][0]))
            a = max(a, second[k][1])
            k += 1
        if a < b:
            out.append((a, b))
    return out


class Shape:
    """Base: a bounding box (x0, y0, x1, y1) and spans(y)."""

    bbox = (0.0, 0.0, 0.0, 0.0)

    def spans(self, y):
        raise NotImplementedError


class Rect(Shape):
    def __init__(self, x0, y0, x1, y1):
        self.bbox = (x0, y0, x1, y1)

    def spans(self, y):
        x0, y0, x1, y1 = self.bbox
        return [(x0, x1)] if y0 <= y < y1 else []


class Ellipse(Shape):
    def __init__(self, cx, cy, rx, ry=None):
        ry = rx if ry is None else ry
        self.centre = (cx, cy)
        self.radii = (rx, ry)
        self.bbox = (cx - rx, cy - ry, cx + rx, cy + ry)

    def spans(self, y):
        cx, cy = self.centre
        rx, ry = self.radii
        t = (y - cy) / ry
        if t * t >= 1.0:
            return []
        dx = rx * math.sqrt(1.0 - t * t)
        return [(cx - dx, cx + dx)]


def Circle(cx, cy, r):
    return Ellipse(cx, cy, r, r)


class RoundRect(Shape):
    """A rectangle whose four corners are quarter circles of radius r."""

    def __init__(self, x0, y0, x1, y1, r):
        self.bbox = (x0, y0, x1, y1)
        self.radius = min(r, (x1 - x0) / 2, (y1 - y0) / 2)

    def spans(self, y):
        x0, y0, x1, y1 = self.bbox
        r = self.radius
        if not y0 <= y < y1:
            return []
        dy = max(y0 + r - y, y - (y1 - r), 0.0)
        inset = r - math.sqrt(max(r * r - dy * dy, 0.0)) if dy > 0 else 0.0
        return [(x0 + inset, x1 - inset)]


class Polygon(Shape):
    """A closed polygon, filled by the nonzero winding rule."""

    def __init__(self, points):
        self.edges = []
        for (xa, ya), (xb, yb) in zip(points, points[1:] + points[:1]):
            if ya != yb:
                self.edges.append((xa, ya, xb, yb))
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.bbox = (min(xs), min(ys), max(xs), max(ys))

    def spans(self, y):
        crossings = []
        for xa, ya, xb, yb in self.edges:
            if min(ya, yb) <= y < max(ya, yb):
                x = xa + (y - ya) * (xb - xa) / (yb - ya)
                crossings.append((x, 1 if yb > ya else -1))
        crossings.sort()
        out = []
        winding = 0
        start = 0.0
        for x, direction in crossings:
            before = winding
            winding += direction
            if before == 0 and winding != 0:
                start = x
            elif before != 0 and winding == 0 and x > start:
                out.append((start, x))
        return merge(out)


def Stroke(xa, ya, xb, yb, width):
    """A straight stroke with round caps: a capsule from (xa, ya) to (xb, yb)."""
    dx, dy = xb - xa, yb - ya
    length = math.sqrt(dx * dx + dy * dy)
    half = width / 2
    nx, ny = -dy / length * half, dx / length * half
    body = Polygon([(xa + nx, ya + ny), (xb + nx, yb + ny), (xb - nx, yb - ny), (xa - nx, ya - ny)])
    return Union(body, Circle(xa, ya, half), Circle(xb, yb, half))


def Polyline(points, width):
    """Connected strokes with round joins and caps."""
    return Union(*[Stroke(*a, *b, width) for a, b in zip(points, points[1:])])


class Union(Shape):
    def __init__(self, *parts):
        self.parts = parts
        boxes = [p.bbox for p in parts]
        self.bbox = (min(b[0] for b in boxes), min(b[1] for b in boxes),
                     max(b[2] for b in boxes), max(b[3] for b in boxes))

    def spans(self, y):
        found = []
        for part in self.parts:
            x0, y0, x1, y1 = part.bbox
            if y0 <= y <= y1:
                found.extend(part.spans(y))
        return merge(found)


class Difference(Shape):
    def __init__(self, base, *holes):
        self.base = base
        self.holes = Union(*holes)
        self.bbox = base.bbox

    def spans(self, y):
        return subtract(self.base.spans(y), self.holes.spans(y))


class Intersection(Shape):
    def __init__(self, first, second):
        self.first = first
        self.second = second
        a, b = first.bbox, second.bbox
        self.bbox = (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))

    def spans(self, y):
        return intersect(self.first.spans(y), self.second.spans(y))


class Scaled(Shape):
    """A shape drawn in unit coordinates, scaled by `factor` and moved by (dx, dy)."""

    def __init__(self, shape, factor, dx=0.0, dy=0.0):
        self.shape = shape
        self.factor = factor
        self.offset = (dx, dy)
        x0, y0, x1, y1 = shape.bbox
        self.bbox = (x0 * factor + dx, y0 * factor + dy, x1 * factor + dx, y1 * factor + dy)

    def spans(self, y):
        dx, dy = self.offset
        f = self.factor
        return [(a * f + dx, b * f + dx) for a, b in self.shape.spans((y - dy) / f)]

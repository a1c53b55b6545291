"""An 8-bit RGB or RGBA pixel canvas that fills shapes with antialiased edges.

Each pixel row is sampled on `samples` horizontal lines. Along each line the
covered length inside every pixel is exact, so the coverage of an edge pixel is
the average of those lengths. Pixels covered on every line are written as whole
runs; only edge pixels are blended one by one, which keeps large pictures fast.
"""

import bisect
import math

from .shapes import intersect, subtract


class Canvas:
    def __init__(self, width, height, channels, background):
        if channels not in (3, 4) or len(background) != channels:
            raise ValueError("a canvas is RGB or RGBA, with a background of that many channels")
        self.width = width
        self.height = height
        self.channels = channels
        row = bytes(background) * width
        self.rows = [bytearray(row) for _ in range(height)]

    def fill(self, shape, color, samples=4):
        """Paints `shape` in an opaque `color`, a tuple or a function of the row giving one."""
        x0, y0, x1, y1 = shape.bbox
        first = max(0, math.floor(y0))
        last = min(self.height, math.ceil(y1))
        for row in range(first, last):
            lines = [self._clip(shape.spans(row + (s + 0.5) / samples)) for s in range(samples)]
            full, partial = _coverage(lines)
            rgb = color(row) if callable(color) else color
            self._paint(row, rgb, full, partial, samples)

    def _clip(self, spans):
        return [(max(a, 0.0), min(b, float(self.width))) for a, b in spans if b > 0 and a < self.width]

    def _paint(self, row, rgb, full, partial, samples):
        pixels = self.rows[row]
        c = self.channels
        solid = bytes(rgb) + (b"\xff" if c == 4 else b"")
        for a, b in full:
            pixels[a * c:b * c] = solid * (b - a)
        for x, covered in partial.items():
            cover = min(covered / samples, 1.0)
            if cover > 0.0:
                pixels[x * c:x * c + c] = _blend(pixels[x * c:x * c + c], rgb, cover)

    def pixel(self, x, y):
        c = self.channels
        return tuple(self.rows[y][x * c:x * c + c])


def _coverage(lines):
    """Splits the sampled spans of one row into whole pixel runs and edge pixels.

    Returns (full, partial): `full` lists [a, b) integer pixel runs covered on
    every sample line; `partial` maps every other touched pixel to its summed
    covered length over the lines.
    """
    full = None
    for spans in lines:
        inner = [(math.ceil(a), math.floor(b)) for a, b in spans if math.ceil(a) < math.floor(b)]
        full = inner if full is None else intersect(full, inner)
    full = full or []
    starts = [a for a, _ in full]

    def in_full(x):
        i = bisect.bisect_right(starts, x) - 1
        return i >= 0 and x < full[i][1]

    partial = {}
    for spans in lines:
        for a, b in spans:
            left, right = math.floor(a), math.floor(b)
            if left == right:
                partial[left] = partial.get(left, 0.0) + (b - a)
                continue
            partial[left] = partial.get(left, 0.0) + (left + 1 - a)
            if b > right:
                partial[right] = partial.get(right, 0.0) + (b - right)
            for m0, m1 in subtract([(left + 1, right)], full):
                for x in range(m0, m1):
                    partial[x] = partial.get(x, 0.0) + 1.0
    return full, {x: v for x, v in partial.items() if not in_full(x)}


def _blend(dst, rgb, cover):
    """Source-over of an opaque colour at coverage `cover` onto one pixel (straight alpha)."""
    if len(dst) == 3:
        return bytes(_round(d + (s - d) * cover) for d, s in zip(dst, rgb))
    dst_alpha = dst[3] / 255.0
    out_alpha = cover + dst_alpha * (1.0 - cover)
    if out_alpha <= 0.0:
        return bytes(4)
    channels = [(s * cover + d * dst_alpha * (1.0 - cover)) / out_alpha for d, s in zip(dst[:3], rgb)]
    return bytes([_round(v) for v in channels] + [_round(out_alpha * 255.0)])


def _round(value):
    return max(0, min(255, math.floor(value + 0.5)))

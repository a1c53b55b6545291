"""The program's three pictures, drawn from simple shapes.

main_picture:    a clipboard with a check mark and a clock (1072 x 1500 RGBA),
                 shown squeezed into 72 x 112, so strokes are kept thick.
author_picture:  a round monogram avatar (1500 x 1500 RGBA), shown at 64 x 64.
contact_picture: a contact card with an avatar and a code-like pattern (540 x 740 RGB).
"""

from .canvas import Canvas
from .shapes import (Circle, Difference, Intersection, Polygon, Polyline, Rect, RoundRect,
                     Stroke, Union)

TRANSPARENT = (0, 0, 0, 0)

BLUE = (46, 94, 158)
BLUE_DARK = (33, 70, 122)
PAPER = (250, 250, 246)
LINE_GREY = (212, 218, 226)
CLIP_GREY = (150, 163, 178)
CLIP_DARK = (104, 117, 133)
GREEN = (38, 160, 86)
ORANGE = (240, 152, 48)
INK = (52, 60, 74)


def vertical_gradient(top_colour, bottom_colour, top, bottom):
    """A colour function of the row, from `top_colour` at `top` to `bottom_colour` at `bottom`."""
    def colour(row):
        u = min(max((row - top) / (bottom - top), 0.0), 1.0)
        return tuple(round(a + (b - a) * u) for a, b in zip(top_colour, bottom_colour))
    return colour


def clock(cx, cy, radius):
    """A clock face as (shape, colour) layers: rim, face, hour ticks, hands at ten past ten."""
    face = radius * 0.8
    hand = radius * 0.09
    ticks = [Circle(cx + dx * face * 0.78, cy + dy * face * 0.78, hand * 0.75)
             for dx, dy in ((0, -1), (1, 0), (0, 1), (-1, 0))]
    # Ten past ten: the hour hand points 60 degrees left of twelve, the minute hand 60 degrees right.
    half_root3 = 0.8660254037844386
    hour = Stroke(cx, cy, cx - face * 0.5 * half_root3, cy - face * 0.5 * 0.5, hand * 1.2)
    minute = Stroke(cx, cy, cx + face * 0.72 * half_root3, cy - face * 0.72 * 0.5, hand)
    return [(Circle(cx, cy, radius), ORANGE),
            (Circle(cx, cy, face), PAPER),
            (Union(*ticks), INK),
            (Union(hour, minute), INK),
            (Circle(cx, cy, hand * 1.1), ORANGE)]


def main_picture():
    canvas = Canvas(1072, 1500, 4, TRANSPARENT)
    board = RoundRect(96, 150, 976, 1420, 96)
    layers = [
        (board, vertical_gradient(BLUE, BLUE_DARK, 150, 1420)),
        (RoundRect(176, 290, 896, 1330, 40), PAPER),
        # The clip: rounded at the top only, a hole showing the board, a darker jaw gripping the paper.
        (Difference(Intersection(RoundRect(356, 90, 716, 400, 64), Rect(356, 90, 716, 250)),
                    Circle(536, 196, 32)), CLIP_GREY),
        (Rect(356, 250, 716, 300), CLIP_DARK),
    ]
    for top in (390, 480, 570):
        layers.append((RoundRect(270, top, 802, top + 44, 22), LINE_GREY))
    layers.append((Polyline([(300, 900), (450, 1050), (770, 730)], 100), GREEN))
    layers += clock(800, 1180, 200)
    for shape, colour in layers:
        canvas.fill(shape, colour)
    return canvas


def monogram(cx, cy, size):
    """A geometric "Z": two bars joined by a diagonal, inside a square of side `size`."""
    half = size / 2
    bar = size * 0.2
    left, right, top, bottom = cx - half, cx + half, cy - half, cy + half
    return Polygon([(left, top), (right, top), (right, top + bar),
                    (left + bar * 1.6, bottom - bar), (right, bottom - bar), (right, bottom),
                    (left, bottom), (left, bottom - bar), (right - bar * 1.6, top + bar),
                    (left, top + bar)])


def author_picture():
    canvas = Canvas(1500, 1500, 4, TRANSPARENT)
    canvas.fill(Circle(750, 750, 740), vertical_gradient((36, 170, 160), (22, 104, 128), 10, 1490))
    canvas.fill(Difference(Circle(750, 750, 660), Circle(750, 750, 620)), (232, 248, 244))
    canvas.fill(monogram(750, 750, 560), (255, 255, 255))
    # A badge sitting on the ring, clear of the letter.
    canvas.fill(Circle(1202, 1202, 138), (232, 248, 244))
    canvas.fill(Circle(1202, 1202, 110), ORANGE)
    return canvas


def code_pattern(left, top, module, count, seed):
    """A square of dark modules with three corner markers, like a scannable code (it encodes nothing)."""
    dark = []
    finders = [(0, 0), (count - 7, 0), (0, count - 7)]

    def in_finder(col, row):
        return any(fx - 1 <= col <= fx + 7 and fy - 1 <= row <= fy + 7 for fx, fy in finders)

    state = seed
    for row in range(count):
        for col in range(count):
            state = (state * 1103515245 + 12345) % 2147483648
            if not in_finder(col, row) and (state >> 16) % 100 < 45:
                dark.append(Rect(left + col * module, top + row * module,
                                 left + (col + 1) * module, top + (row + 1) * module))
    for fx, fy in finders:
        x, y = left + fx * module, top + fy * module
        ring = Difference(Rect(x, y, x + 7 * module, y + 7 * module),
                          Rect(x + module, y + module, x + 6 * module, y + 6 * module))
        dark += [ring, Rect(x + 2 * module, y + 2 * module, x + 5 * module, y + 5 * module)]
    return dark


def contact_picture():
    canvas = Canvas(540, 740, 3, (236, 240, 245))
    card = RoundRect(30, 30, 510, 710, 28)
    canvas.fill(card, (255, 255, 255))
    canvas.fill(Intersection(card, Rect(30, 30, 510, 200)), BLUE)
    canvas.fill(Circle(270, 200, 92), (255, 255, 255))
    avatar = Circle(270, 200, 80)
    canvas.fill(avatar, (36, 170, 160))
    person = Union(Circle(270, 172, 30), Circle(270, 272, 62))
    canvas.fill(Intersection(avatar, person), (232, 248, 244))
    canvas.fill(RoundRect(170, 310, 370, 340, 15), INK)
    canvas.fill(RoundRect(205, 356, 335, 376, 10), CLIP_GREY)
    for module in code_pattern(165, 420, 10, 21, seed=20200317):
        canvas.fill(module, INK)
    canvas.fill(RoundRect(150, 664, 390, 680, 8), LINE_GREY)
    return canvas

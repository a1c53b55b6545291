"""The program icon: a white clipboard with a green check on a blue rounded square.

It is drawn afresh at every size rather than scaled down, and from 48 pixels up
a small clock is added; below that it would only blur.
"""

from .canvas import Canvas
from .pictures import BLUE, CLIP_GREY, GREEN, INK, ORANGE, PAPER
from .shapes import Circle, Polyline, RoundRect, Scaled, Stroke, Union

SIZES = (16, 24, 32, 48, 64, 72, 96, 128)


def _layers(size):
    """(shape, colour) layers in unit coordinates (the icon is the square 0..1)."""
    check_width = 0.11 if size >= 32 else 0.15  # at 16 and 24 pixels a thinner check fades
    layers = [
        (RoundRect(0.02, 0.02, 0.98, 0.98, 0.2), BLUE),
        (RoundRect(0.22, 0.17, 0.78, 0.88, 0.06), PAPER),
        (RoundRect(0.37, 0.1, 0.63, 0.25, 0.05), CLIP_GREY),
        (Polyline([(0.32, 0.53), (0.45, 0.66), (0.68, 0.38)], check_width), GREEN),
    ]
    if size >= 48:
        cx, cy = 0.72, 0.74
        hands = Union(Stroke(cx, cy, cx, cy - 0.09, 0.035), Stroke(cx, cy, cx + 0.07, cy, 0.035))
        layers += [(Circle(cx, cy, 0.2), ORANGE), (Circle(cx, cy, 0.15), PAPER), (hands, INK)]
    return layers


def icon_canvas(size):
    canvas = Canvas(size, size, 4, (0, 0, 0, 0))
    for shape, colour in _layers(size):
        canvas.fill(Scaled(shape, size), colour, samples=16)
    return canvas

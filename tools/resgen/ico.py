"""ICO container with 32-bit BGRA DIB images.

Every image is a DIB rather than a PNG: every Windows version and Wine read
DIB icon images, both from files and through CreateIconFromResourceEx, and at
these sizes (at most 128 pixels) the file stays small.
"""

import struct


def dib_image(canvas):
    """BITMAPINFOHEADER, bottom-up BGRA pixels, then the 1-bit AND mask (1 = transparent)."""
    if canvas.channels != 4 or canvas.width != canvas.height:
        raise ValueError("icon images are square RGBA canvases")
    size = canvas.width
    mask_stride = (size + 31) // 32 * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0,
                         size * size * 4 + mask_stride * size, 0, 0, 0, 0)
    colour = bytearray()
    mask = bytearray()
    for row in reversed(canvas.rows):
        for x in range(size):
            r, g, b, a = row[4 * x:4 * x + 4]
            colour += bytes((b, g, r, a))
        bits = bytearray(mask_stride)
        for x in range(size):
            if row[4 * x + 3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(colour) + bytes(mask)


def encode(canvases):
    """An ICO file holding one DIB image per canvas, in the given order."""
    images = [dib_image(c) for c in canvases]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        side = canvas.width if canvas.width < 256 else 0
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + b"".join(images)

"""Minimal PNG encoder: 8-bit RGB or RGBA, no interlace, filter type None."""

import struct
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"
COLOUR_TYPES = {3: 2, 4: 6}  # channels -> PNG colour type (truecolour, truecolour with alpha)


def _chunk(kind, body):
    crc = zlib.crc32(kind + body) & 0xFFFFFFFF
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", crc)


def encode(canvas):
    """The PNG file of a canvas. Flat-coloured rows compress well without filtering."""
    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, COLOUR_TYPES[canvas.channels], 0, 0, 0)
    raw = b"".join(b"\x00" + bytes(row) for row in canvas.rows)
    return SIGNATURE + _chunk(b"IHDR", header) + _chunk(b"IDAT", zlib.compress(raw, 9)) + _chunk(b"IEND", b"")

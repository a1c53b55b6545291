"""RIFF/WAVE container: "fmt " (16-bit PCM), a "LIST"/"INFO" chunk, then "data"."""

import struct


def _chunk(kind, body):
    """A RIFF chunk; an odd-sized body is followed by one pad byte not counted in its size."""
    return kind + struct.pack("<I", len(body)) + body + (b"\x00" if len(body) % 2 else b"")


def info_list(items):
    """A "LIST" chunk of type "INFO"; each item's text is stored zero-terminated."""
    body = b"INFO" + b"".join(_chunk(kind, text + b"\x00") for kind, text in items)
    return _chunk(b"LIST", body)


def encode(frames, rate, info_items):
    """A stereo 16-bit PCM WAV file of (left, right) integer sample pairs."""
    channels, bits = 2, 16
    align = channels * bits // 8
    fmt = struct.pack("<HHIIHH", 1, channels, rate, rate * align, align, bits)
    data = b"".join(struct.pack("<hh", left, right) for left, right in frames)
    body = b"WAVE" + _chunk(b"fmt ", fmt) + info_list(info_items) + _chunk(b"data", data)
    return _chunk(b"RIFF", body)

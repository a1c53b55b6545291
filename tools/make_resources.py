#!/usr/bin/env python3
"""Writes the program's icon, pictures and chime into a folder.

    python3 tools/make_resources.py resources/

The output is the same, byte for byte, on every run: nothing depends on the
clock, the machine or the maths library.
"""

import os
import sys

sys.dont_write_bytecode = True  # keep tools/ free of cache folders

from resgen import chime, ico, icon, pictures, png, wav  # noqa: E402

# The chime's INFO items: creation date, genre, encoding software.
CHIME_INFO = [(b"ICRD", b"2020-03-17"), (b"IGNR", b"Bell"), (b"ISFT", b"sw-gen")]


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_resources.py OUTPUT_FOLDER\n")
        return 2
    folder = argv[1]
    os.makedirs(folder, exist_ok=True)

    icons = [icon.icon_canvas(size) for size in icon.SIZES]
    write(folder, "icon.ico", ico.encode(icons))
    for size, canvas in zip(icon.SIZES, icons):
        write(folder, "icon-%d.png" % size, png.encode(canvas))

    write(folder, "main_picture.png", png.encode(pictures.main_picture()))
    write(folder, "author_picture.png", png.encode(pictures.author_picture()))
    write(folder, "contact_picture.png", png.encode(pictures.contact_picture()))
    write(folder, "chime.wav", wav.encode(chime.samples(), chime.RATE, CHIME_INFO))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

"""Decodes a picture file (GIF, BMP, ...) with Pillow for the image tests.

Usage: gif_decode.py PICTURE OUT
Writes OUT as a line "WIDTH HEIGHT" followed by the pixels as raw red, green,
blue bytes, rows from the top. Exit status 0 on success; 1 with a message on
stderr when the picture cannot be decoded.
"""
import sys

from PIL import Image


def main():
    picture, out = sys.argv[1], sys.argv[2]
    try:
        with Image.open(picture) as image:
            image.load()
            rgb = image.convert("RGB")
    except Exception as error:  # any decoding failure is the test's failure
        print(f"cannot decode {picture}: {error}", file=sys.stderr)
        return 1
    with open(out, "wb") as f:
        f.write(b"%d %d\n" % rgb.size)
        f.write(rgb.tobytes())
    return 0


if __name__ == "__main__":
    sys.exit(main())

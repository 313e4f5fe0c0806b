#!/usr/bin/env python3
"""The balance picture as a user gets it, read with Pillow: 820 x 200, in the
chart's colours only (white ground, black frame, axes and labels, grey grid,
the line in the web palette's blue), with the frame and the axes where the
chart puts them and a line inside. Usage: check_picture.py PICTURE"""

import sys

from PIL import Image

WHITE, BLACK, GREY, BLUE = (255, 255, 255), (0, 0, 0), (204, 204, 204), (0, 0, 153)


def problems(path):
    with Image.open(path) as image:
        rgb = image.convert("RGB")
    if rgb.size != (820, 200):
        return [f"size {rgb.size}"]
    found = []
    colours = {colour for _, colour in rgb.getcolors(820 * 200)}
    if not colours <= {WHITE, BLACK, GREY, BLUE}:
        found.append(f"other colours {sorted(colours - {WHITE, BLACK, GREY, BLUE})}")
    if BLUE not in colours or GREY not in colours:
        found.append("no line or no grid")
    pixel = rgb.load()
    if any(pixel[x, y] != WHITE for x in range(0, 8) for y in range(200)):
        found.append("the left margin is not white")
    # The frame's top edge: a black row across most of the width.
    if not any(sum(pixel[x, y] == BLACK for x in range(820)) > 600 for y in range(10, 30)):
        found.append("no frame along the top")
    return found


def main():
    found = problems(sys.argv[1])
    for problem in found:
        print(problem, file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())

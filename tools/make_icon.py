#!/usr/bin/env python3
"""Writes the game's icon, an SVG: a corner of the board seen as the game shows
it, blue squares with the texture's recessed panel, the square under the
cursor yellow, and red and green cubes, three red ones in a line.

Usage: python3 tools/make_icon.py [output.svg]
       (default dist/io.github.tarnwick.Quorvel.svg)
"""

import math
import sys

SIZE = 256  # the SVG's canvas, pixels
SQUARES = 5  # a 5 x 5 corner of the board reads better than all 81 at icon sizes
SPACING, EDGE = 2.1, 2.0  # the game's square spacing and edge, scene units
CUBE, HOVER = 0.6, 0.35  # a piece's half edge and its height over the square
PANEL = 22 / 128  # the texture's inner panel inset, as a share of the edge
EYE, TARGET = (3.0, 13.0, 10.5), (0.0, 0.0, 0.4)
FOCAL = 2.2

BLUE, YELLOW = (0, 0, 235), (235, 235, 0)
RED, GREEN = (235, 0, 0), (0, 220, 0)
MARKED = (3, 2)  # (row, column) of the yellow square
PIECES = {(1, 1): RED, (2, 1): RED, (3, 1): RED, (1, 2): GREEN, (1, 3): GREEN}


def sub(a, b):
    return tuple(x - y for x, y in zip(a, b))


def normalised(v):
    length = math.sqrt(sum(x * x for x in v))
    return tuple(x / length for x in v)


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def dot(a, b):
    return sum(x * y for x, y in zip(a, b))


FORWARD = normalised(sub(TARGET, EYE))
RIGHT = normalised(cross(FORWARD, (0.0, 1.0, 0.0)))
UP = cross(RIGHT, FORWARD)


def project(point):
    """Camera-plane coordinates, y up, of a scene point."""
    v = sub(point, EYE)
    depth = dot(v, FORWARD)
    return FOCAL * dot(v, RIGHT) / depth, FOCAL * dot(v, UP) / depth


def centre(index):
    return (index - (SQUARES - 1) / 2) * SPACING


def shade(colour, factor):
    return "#%02x%02x%02x" % tuple(min(255, round(c * factor)) for c in colour)


def inset(quad, share):
    """The quad shrunk towards its centre by share of its size."""
    mid = tuple(sum(p[i] for p in quad) / 4 for i in range(3))
    return [tuple(m + (p[i] - m) * (1 - 2 * share) for i, m in enumerate(mid)) for p in quad]


def face(quad, colour, light):
    """A textured face: the lit tile, its recessed panel and the panel's rim."""
    return [(quad, shade(colour, light), None),
            (inset(quad, PANEL), shade(colour, light * 0.9), shade(colour, light * 0.65))]


def square(row, column):
    x, z, h = centre(column), centre(row), EDGE / 2
    quad = [(x - h, 0, z - h), (x + h, 0, z - h), (x + h, 0, z + h), (x - h, 0, z + h)]
    return face(quad, YELLOW if (row, column) == MARKED else BLUE, 1.0)


def cube(row, column, colour):
    """The faces of a cube that the eye sees, farthest first."""
    x, z, s = centre(column), centre(row), CUBE
    y0, y1 = HOVER, HOVER + 2 * s
    corners = {(i, j, k): (x + i * s, (y0, y1)[j], z + k * s)
               for i in (-1, 1) for j in (0, 1) for k in (-1, 1)}
    sides = [  # outward normal, corners in order, light
        ((0, 1, 0), [(-1, 1, -1), (1, 1, -1), (1, 1, 1), (-1, 1, 1)], 1.0),
        ((0, 0, 1), [(-1, 0, 1), (1, 0, 1), (1, 1, 1), (-1, 1, 1)], 0.8),
        ((1, 0, 0), [(1, 0, -1), (1, 0, 1), (1, 1, 1), (1, 1, -1)], 0.6),
        ((-1, 0, 0), [(-1, 0, -1), (-1, 0, 1), (-1, 1, 1), (-1, 1, -1)], 0.6),
    ]
    shapes = []
    for normal, keys, light in sides:
        quad = [corners[key] for key in keys]
        mid = tuple(sum(p[i] for p in quad) / 4 for i in range(3))
        if dot(normal, sub(EYE, mid)) > 0:
            shapes += face(quad, colour, light)
    return shapes


def polygons():
    """Every shape to draw, back to front: the squares, then the cubes."""
    cells = sorted(((r, c) for r in range(SQUARES) for c in range(SQUARES)),
                   key=lambda cell: -math.dist((centre(cell[1]), 0, centre(cell[0])), EYE))
    h = centre(SQUARES - 1) + EDGE / 2 + 0.2  # the black between the squares
    shapes = [([(-h, 0, -h), (h, 0, -h), (h, 0, h), (-h, 0, h)], "#000000", None)]
    shapes += [shape for r, c in cells for shape in square(r, c)]
    for r, c in cells:
        if (r, c) in PIECES:
            shapes += cube(r, c, PIECES[(r, c)])
    return shapes


def svg():
    shapes = [([project(p) for p in quad], fill, stroke) for quad, fill, stroke in polygons()]
    xs = [x for points, _, _ in shapes for x, _ in points]
    ys = [y for points, _, _ in shapes for _, y in points]
    margin = SIZE * 0.03
    scale = (SIZE - 2 * margin) / max(max(xs) - min(xs), max(ys) - min(ys))
    left = (SIZE - scale * (max(xs) - min(xs))) / 2 - scale * min(xs)
    top = (SIZE - scale * (max(ys) - min(ys))) / 2 + scale * max(ys)
    lines = ['<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
             'viewBox="0 0 %d %d">' % (SIZE, SIZE, SIZE, SIZE)]
    for points, fill, stroke in shapes:
        path = " ".join("%.1f,%.1f" % (left + scale * x, top - scale * y) for x, y in points)
        outline = ' stroke="%s" stroke-width="1.5" stroke-linejoin="round"' % stroke if stroke else ""
        lines.append('<polygon points="%s" fill="%s"%s/>' % (path, fill, outline))
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


if __name__ == "__main__":
    path = sys.argv[1] if len(sys.argv) > 1 else "dist/io.github.tarnwick.Quorvel.svg"
    with open(path, "w", encoding="ascii") as out:
        out.write(svg())

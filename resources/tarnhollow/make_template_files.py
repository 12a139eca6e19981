#!/usr/bin/env python3
"""Writes the stage editor's template files "BitmapObject.bof" and "BackObject.bof" and the
pictures offered for them (template_textures/*.bmp, 24-bit, power-of-two sides).

Run from any folder: python3 resources/tarnhollow/make_template_files.py
The outputs are committed; rerun after changing a model or a picture.

Models are in model units: the editor places objects at zoom 100 %, so 0.01 here is one world
unit. Flat panels carry both windings so that they show from either side; the background
models face inwards. Texture vertices: u to the right, v downwards, (0, 0) the top left.
"""
import math
import os
import random
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# Texture vertices shared by every quad: top left, top right, bottom right, bottom left.
QUAD_UV = [(0.0, 0.0), (1.0, 0.0), (1.0, 1.0), (0.0, 1.0)]
TL, TR, BR, BL = 0, 1, 2, 3


class Model:
    def __init__(self, name):
        self.name = name
        self.points = []
        self.uv = list(QUAD_UV)
        self.faces = []  # (attribute, [(point, uv), ...])

    def point(self, p):
        self.points.append(p)
        return len(self.points) - 1

    def quad(self, attribute, corners, uvs=(BL, TL, TR, BR)):
        """Corners in the order bottom left, top left, top right, bottom right as seen by the
        viewer the quad faces (clockwise on screen)."""
        ids = [self.point(c) for c in corners]
        self.faces.append((attribute, list(zip(ids, uvs))))

    def panel(self, attribute, left, right, bottom, top):
        """A vertical panel from `left` to `right` (x, z ground points), showing its picture
        the right way round from both sides."""
        (lx, lz), (rx, rz) = left, right
        self.quad(attribute, [(lx, bottom, lz), (lx, top, lz), (rx, top, rz), (rx, bottom, rz)])
        self.quad(attribute, [(rx, bottom, rz), (rx, top, rz), (lx, top, lz), (lx, bottom, lz)])

    def text(self, attribute_count, grid):
        rows = len(grid)
        columns = len(grid[0])
        out = ["[%s]" % self.name, "World Vertices %d" % len(self.points)]
        out += ["%.4f %.4f %.4f" % p for p in self.points]
        out.append("Texture Vertices %d" % len(self.uv))
        out += ["%.4f %.4f" % uv for uv in self.uv]
        out.append("Faces %d" % len(self.faces))
        for attribute, corners in self.faces:
            out.append("Face verts %d mat %d" % (len(corners), attribute))
            out.append(" ".join("<%d,%d>" % c for c in corners))
        out.append("Attribute %d" % attribute_count)
        out.append("ViewPos")
        out.append("Xnum %d Ynum %d" % (columns, rows))
        out += [" ".join("%d" % cell for cell in row) for row in grid]
        out.append("")
        return "\n".join(out)


def billboard():
    m = Model("Billboard")
    # Board 16 x 8 units on two posts 6 units high; the posts stand just behind the board.
    m.panel(0, (-0.08, 0.0), (0.08, 0.0), 0.06, 0.14)
    for x in (-0.06, 0.06):
        m.panel(1, (x - 0.004, 0.002), (x + 0.004, 0.002), 0.0, 0.06)
    return m.text(2, [[0, 1]])


def tree():
    m = Model("Tree")
    # Two crossed quads, 12 units wide and 20 high.
    m.panel(0, (-0.06, 0.0), (0.06, 0.0), 0.0, 0.20)
    m.panel(0, (0.0, 0.06), (0.0, -0.06), 0.0, 0.20)
    return m.text(1, [[0]])


def fence():
    m = Model("Fence")
    # A panel 20 units long and 3 high.
    m.panel(0, (-0.10, 0.0), (0.10, 0.0), 0.0, 0.03)
    return m.text(1, [[0]])


def backdrop():
    m = Model("Backdrop")
    # An octagonal ring of radius 3000 units, 600 high, facing inwards; one picture all round.
    radius, bottom, top, sides = 30.0, -0.5, 6.0, 8
    for k in range(sides):
        a0 = 2.0 * math.pi * k / sides
        a1 = 2.0 * math.pi * (k + 1) / sides
        p0 = (radius * math.sin(a0), radius * math.cos(a0))
        p1 = (radius * math.sin(a1), radius * math.cos(a1))
        m.quad(0, [(p0[0], bottom, p0[1]), (p0[0], top, p0[1]), (p1[0], top, p1[1]),
                   (p1[0], bottom, p1[1])])
    return m.text(1, [[0]])


def sky_box():
    m = Model("SkyBox")
    # A box 8000 units wide from 1000 below to 3000 above the ground, seen from inside:
    # walls north (+z), east (+x), south (-z), west (-x), then the top.
    s, b, t = 40.0, -10.0, 30.0
    m.quad(0, [(-s, b, s), (-s, t, s), (s, t, s), (s, b, s)])
    m.quad(1, [(s, b, s), (s, t, s), (s, t, -s), (s, b, -s)])
    m.quad(2, [(s, b, -s), (s, t, -s), (-s, t, -s), (-s, b, -s)])
    m.quad(3, [(-s, b, -s), (-s, t, -s), (-s, t, s), (-s, b, s)])
    m.quad(4, [(-s, t, -s), (s, t, -s), (s, t, s), (-s, t, s)], uvs=(TL, TR, BR, BL))
    return m.text(5, [[-1, 4, -1], [3, 0, 1], [-1, 2, -1]])


# --- Pictures ------------------------------------------------------------------------------


def write_bmp(name, width, height, pixel):
    """pixel(x, y) -> (r, g, b) with y = 0 the top row; written bottom-up, 24 bits."""
    row = (width * 3 + 3) // 4 * 4
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        line += bytes(row - width * 3)
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    folder = os.path.join(HERE, "template_textures")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(header + info + data)


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(3))


def sign_picture(x, y):
    # A framed sign: white border, blue field, a yellow arrow pointing right.
    if x < 4 or x >= 124 or y < 4 or y >= 60:
        return (240, 240, 240)
    cx, cy = x - 64, y - 32
    if (-36 <= cx <= 8 and abs(cy) <= 6) or (8 <= cx <= 36 and abs(cy) <= 36 - cx and abs(cy) <= 20):
        return (250, 210, 40)
    return (30, 60, 170)


def post_picture(x, y):
    return (110, 110, 118) if x in (0, 7) else (160, 160, 168)


def tree_picture(x, y):
    # A conifer of four tiers on black (the colour to make transparent); trunk at the foot.
    cx = x - 31.5
    if y >= 112:
        return (90, 60, 30) if abs(cx) < 5 else (0, 0, 0)
    if y < 8:
        return (0, 0, 0)
    tier, within = divmod(y - 8, 26)
    half = 3 + tier * 4 + within * 0.75
    if abs(cx) < half:
        shade = 60 + ((x * 7 + y * 3) % 11) * 6
        return (20, shade + 40, 25)
    return (0, 0, 0)


def fence_picture(x, y):
    # White rails and boards.
    if y < 6 or 14 <= y < 20:
        return (235, 235, 230)
    if x % 32 < 4:
        return (200, 200, 195)
    return (0, 0, 0)


def backdrop_picture(x, y):
    # Sky fading to the horizon over two ranges of hills.
    far = 24 + 10 * math.sin(x * 2 * math.pi / 256 * 3) + 5 * math.sin(x * 2 * math.pi / 256 * 7)
    near = 40 + 8 * math.sin(x * 2 * math.pi / 256 * 2 + 1) + 4 * math.sin(x * 2 * math.pi / 256 * 11)
    if y >= near:
        return mix((70, 110, 50), (40, 70, 30), (y - near) / 64.0)
    if y >= far:
        return (110, 130, 150)
    return mix((90, 150, 230), (200, 220, 240), y / 64.0)


def sky_wall(seed):
    rng = random.Random(seed)
    clouds = [(rng.uniform(0, 64), rng.uniform(4, 40), rng.uniform(5, 12)) for _ in range(5)]

    def pixel(x, y):
        base = mix((70, 130, 220), (190, 215, 245), y / 63.0)
        for cx, cy, r in clouds:
            d = ((x - cx) ** 2 + ((y - cy) * 2) ** 2) ** 0.5
            if d < r:
                return mix((250, 250, 250), base, d / r)
        return base

    return pixel


def sky_top(x, y):
    d = ((x - 31.5) ** 2 + (y - 31.5) ** 2) ** 0.5 / 45.0
    return mix((60, 110, 210), (90, 150, 230), min(1.0, d))


def main():
    with open(os.path.join(HERE, "BitmapObject.bof"), "w", newline="\r\n") as f:
        f.write("\n".join([billboard(), tree(), fence()]))
    with open(os.path.join(HERE, "BackObject.bof"), "w", newline="\r\n") as f:
        f.write("\n".join([backdrop(), sky_box()]))
    write_bmp("billboard_sign.bmp", 128, 64, sign_picture)
    write_bmp("billboard_post.bmp", 8, 32, post_picture)
    write_bmp("tree.bmp", 64, 128, tree_picture)
    write_bmp("fence.bmp", 128, 32, fence_picture)
    write_bmp("backdrop.bmp", 256, 64, backdrop_picture)
    for index, side in enumerate(("north", "east", "south", "west")):
        write_bmp("sky_%s.bmp" % side, 64, 64, sky_wall(index + 1))
    write_bmp("sky_top.bmp", 64, 64, sky_top)


if __name__ == "__main__":
    main()

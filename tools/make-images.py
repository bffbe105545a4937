#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files into app/resources/.

Every image is drawn afresh at each of its sizes: edges and strokes are snapped to whole pixels
and small sizes leave out detail, so 16-pixel buttons stay sharp. Shapes are given as signed
distance functions; pixels near an edge are supersampled for anti-aliasing.

The build uses the committed .ico files; run this script only to change the pictures:
    python3 tools/make-images.py
It needs nothing beyond the Python 3 standard library and writes the same bytes on every run.
"""

import math
import os
import struct
import zlib

OUT_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "app", "resources")

BUTTON_SIZES = [16, 20, 24, 32, 40, 48]
APP_SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
MENU_SIZES = [32, 40, 48, 64]
LARGEST_BMP = 48  # larger entries are stored as PNG

SUPERSAMPLE = 8  # samples per axis on edge pixels


# --------------------------------------------------------------------------- colours

def rgb(hex_text, alpha=1.0):
    v = int(hex_text.lstrip("#"), 16)
    return ((v >> 16 & 255) / 255.0, (v >> 8 & 255) / 255.0, (v & 255) / 255.0, alpha)


def vgradient(y0, top, y1, bottom):
    """A colour that runs from `top` at y0 to `bottom` at y1 (pixel coordinates)."""
    def colour(_x, y):
        t = min(1.0, max(0.0, (y - y0) / (y1 - y0))) if y1 != y0 else 0.0
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))
    return colour


# --------------------------------------------------------------------------- shapes
# dist(x, y) is the signed distance to the outline: negative inside. Combined shapes may
# underestimate it, which only costs extra samples.

class Shape:
    def __or__(self, other):
        return Combined(self, other, min)

    def __sub__(self, other):
        return Combined(self, Negated(other), max)

    def __and__(self, other):
        return Combined(self, other, max)


class Circle(Shape):
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r
        self.bbox = (cx - r, cy - r, cx + r, cy + r)

    def dist(self, x, y):
        return math.hypot(x - self.cx, y - self.cy) - self.r


class RoundRect(Shape):
    def __init__(self, x0, y0, x1, y1, r=0.0):
        self.cx, self.cy = (x0 + x1) / 2, (y0 + y1) / 2
        self.hx, self.hy = (x1 - x0) / 2, (y1 - y0) / 2
        self.r = min(r, self.hx, self.hy)
        self.bbox = (x0, y0, x1, y1)

    def dist(self, x, y):
        qx = abs(x - self.cx) - (self.hx - self.r)
        qy = abs(y - self.cy) - (self.hy - self.r)
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - self.r


def _segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


class Line(Shape):
    """A stroke of width w from (ax, ay) to (bx, by) with round ends."""
    def __init__(self, ax, ay, bx, by, w):
        self.p, self.h = (ax, ay, bx, by), w / 2
        self.bbox = (min(ax, bx) - self.h, min(ay, by) - self.h,
                     max(ax, bx) + self.h, max(ay, by) + self.h)

    def dist(self, x, y):
        return _segment_distance(x, y, *self.p) - self.h


class Arc(Shape):
    """A stroke of width w along a circle, from angle a0 to a1 in degrees, round ends.

    Angles are measured on screen: 0 points right, 90 down, 270 up; the arc runs from a0
    towards larger angles (clockwise on screen).
    """
    def __init__(self, cx, cy, r, a0, a1, w):
        self.cx, self.cy, self.r, self.h = cx, cy, r, w / 2
        self.a0 = a0 % 360
        self.span = (a1 - a0) % 360 or 360
        self.ends = [(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a)))
                     for a in (a0, a1)]
        e = r + self.h
        self.bbox = (cx - e, cy - e, cx + e, cy + e)

    def dist(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        if (math.degrees(math.atan2(dy, dx)) - self.a0) % 360 <= self.span:
            return abs(math.hypot(dx, dy) - self.r) - self.h
        return min(math.hypot(x - ex, y - ey) for ex, ey in self.ends) - self.h


class Polygon(Shape):
    def __init__(self, points):
        self.points = points
        xs, ys = [p[0] for p in points], [p[1] for p in points]
        self.bbox = (min(xs), min(ys), max(xs), max(ys))

    def dist(self, x, y):
        best, inside = float("inf"), False
        for (ax, ay), (bx, by) in zip(self.points[-1:] + self.points[:-1], self.points):
            best = min(best, _segment_distance(x, y, ax, ay, bx, by))
            if (ay > y) != (by > y) and x < ax + (bx - ax) * (y - ay) / (by - ay):
                inside = not inside
        return -best if inside else best


class Negated(Shape):
    def __init__(self, shape):
        self.shape = shape
        self.bbox = (-1e9, -1e9, 1e9, 1e9)

    def dist(self, x, y):
        return -self.shape.dist(x, y)


class Combined(Shape):
    def __init__(self, a, b, pick):
        self.a, self.b, self.pick = a, b, pick
        if pick is min:  # union: both boxes
            self.bbox = (min(a.bbox[0], b.bbox[0]), min(a.bbox[1], b.bbox[1]),
                         max(a.bbox[2], b.bbox[2]), max(a.bbox[3], b.bbox[3]))
        else:  # intersection or difference: within the first shape
            self.bbox = a.bbox

    def dist(self, x, y):
        return self.pick(self.a.dist(x, y), self.b.dist(x, y))


# --------------------------------------------------------------------------- canvas

class Canvas:
    """A square image of premultiplied RGBA floats, painted shape by shape."""

    def __init__(self, size):
        self.size = size
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def _coverage(self, shape, x, y):
        # Every sample lies within 0.62 of the pixel centre, so beyond 0.75 all agree.
        d = shape.dist(x + 0.5, y + 0.5)
        if d >= 0.75:
            return 0.0
        if d <= -0.75:
            return 1.0
        n, hits = SUPERSAMPLE, 0
        for j in range(n):
            sy = y + (j + 0.5) / n
            for i in range(n):
                if shape.dist(x + (i + 0.5) / n, sy) < 0:
                    hits += 1
        return hits / (n * n)

    def _pixels(self, shape):
        x0, y0, x1, y1 = shape.bbox
        for y in range(max(0, math.floor(y0) - 1), min(self.size, math.ceil(y1) + 1)):
            for x in range(max(0, math.floor(x0) - 1), min(self.size, math.ceil(x1) + 1)):
                cover = self._coverage(shape, x, y)
                if cover > 0:
                    yield x, y, cover

    def fill(self, shape, colour):
        for x, y, cover in self._pixels(shape):
            r, g, b, a = colour(x + 0.5, y + 0.5) if callable(colour) else colour
            a *= cover
            p = self.px[y * self.size + x]
            keep = 1.0 - a
            p[0] = r * a + p[0] * keep
            p[1] = g * a + p[1] * keep
            p[2] = b * a + p[2] * keep
            p[3] = a + p[3] * keep

    def erase(self, shape):
        """Cuts the shape out of what is painted so far (a clear gap between parts)."""
        for x, y, cover in self._pixels(shape):
            p = self.px[y * self.size + x]
            for c in range(4):
                p[c] *= 1.0 - cover

    def rgba(self):
        """Straight (not premultiplied) 8-bit RGBA, rows from the top."""
        out = bytearray()
        for r, g, b, a in self.px:
            if a <= 0.5 / 255:
                out += b"\0\0\0\0"
                continue
            out += bytes(min(255, round(c / a * 255)) for c in (r, g, b))
            out.append(min(255, round(a * 255)))
        return bytes(out)


# --------------------------------------------------------------------------- pixel grid

def rnd(v):
    return math.floor(v + 0.5)


class Grid:
    """Maps a design drawn on a square of `units` to an image of `size` pixels.

    e() snaps an edge to a pixel boundary, w() a stroke width to whole pixels, f() leaves a
    value free; mid() is the centre line for a stroke down the middle of the image.
    """

    def __init__(self, size, units=16):
        self.size = size
        self.k = size / units

    def f(self, v):
        return v * self.k

    def e(self, v):
        return rnd(v * self.k)

    def w(self, v):
        return max(1, rnd(v * self.k))

    def mid(self, width):
        """An odd width on an even image moves half a pixel off centre, to fill whole pixels."""
        return self.size / 2 if width % 2 == 0 else math.floor(self.size / 2) + 0.5


def framed_box(canvas, x0, y0, x1, y1, r, border, edge, body):
    """A rounded box with a border `border` pixels wide (whole pixels keep it crisp)."""
    canvas.fill(RoundRect(x0, y0, x1, y1, r), edge)
    canvas.fill(RoundRect(x0 + border, y0 + border, x1 - border, y1 - border,
                          max(0.0, r - border)), body)


# --------------------------------------------------------------------------- palette

BLUE = rgb("#0F6CBD")
BLUE_DARK = rgb("#0C4F8C")
BLUE_LIGHT = rgb("#3A96DD")
WHITE = rgb("#FFFFFF")
PAPER = rgb("#FAFBFC")
GREY_EDGE = rgb("#5E6A78")
GREY_LINE = rgb("#8C97A4")
GREY_SOFT = rgb("#D5DBE2")
ROOF = rgb("#D9541E")


# --------------------------------------------------------------------------- pictures

def draw_app(c, s):
    """A key cap being tapped: a calm blue key with a clock on its face, ripples above it."""
    g = Grid(s)
    bw = g.w(0.75)
    x0, x1 = g.e(2), s - g.e(2)
    top, y1 = g.e(4.5), s - g.e(0.5)
    radius = g.f(2.4)
    # The key: its darker skirt shows below the top face, as on a real key cap.
    c.fill(RoundRect(x0, top, x1, y1, radius), rgb("#164C8C"))
    face_y1 = y1 - g.e(2.2)
    c.fill(RoundRect(x0 + bw, top + bw, x1 - bw, face_y1, max(0.0, radius - bw)),
           vgradient(top, rgb("#62AEF2"), face_y1, rgb("#2F80D6")))
    # A clock on the face: the key is tapped while time passes. Its outer edge and its hands
    # sit on pixel boundaries.
    ring = g.w(1.0)
    outer = rnd((face_y1 - top - bw) * 0.42)
    cx, cy = s // 2, rnd((top + bw + face_y1) / 2)
    c.fill(Circle(cx, cy, outer) - Circle(cx, cy, outer - ring), WHITE)
    half = ring / 2
    hx, hy = cx - (ring % 2) / 2, cy - (ring % 2) / 2  # an odd width fills whole pixels
    c.fill(RoundRect(hx - half, cy - rnd(outer * 0.62), hx + half, hy + half), WHITE)
    c.fill(RoundRect(hx - half, hy - half, cx + rnd(outer * 0.5), hy + half), WHITE)
    # The tap: ripples rising from the key.
    arc_w = g.w(0.9)
    centre_y = g.f(7.5)
    for radius, colour in ((g.f(4.5), rgb("#2F80D6")), (g.f(6.5), rgb("#7FB8EE"))):
        c.fill(Arc(s / 2, centre_y, radius, 238, 302, arc_w), colour)


def draw_desktop(c, s):
    """A monitor on a stand."""
    g = Grid(s)
    bw = g.w(0.9)
    x0, x1 = g.e(0.5), s - g.e(0.5)
    y0, y1 = g.e(1.5), g.e(12)
    c.fill(RoundRect(x0, y0, x1, y1, g.f(1.3)), rgb("#3B4350"))
    c.fill(RoundRect(x0 + bw, y0 + bw, x1 - bw, y1 - bw, g.f(0.4)),
           vgradient(y0, rgb("#4FA8EE"), y1, rgb("#1670C4")))
    if s >= 24:  # a soft light across the screen
        c.fill(Polygon([(x0 + bw, y1 - bw - g.f(3)), (x1 - bw - g.f(4), y0 + bw),
                        (x1 - bw, y0 + bw), (x1 - bw, y0 + bw + g.f(1.5)),
                        (x0 + bw + g.f(4.5), y1 - bw), (x0 + bw, y1 - bw)]) &
               RoundRect(x0 + bw, y0 + bw, x1 - bw, y1 - bw), rgb("#FFFFFF", 0.16))
    neck = 2 * g.w(1)  # an even width stays centred on the (even) image
    nx = (s - neck) // 2
    c.fill(RoundRect(nx, y1, nx + neck, g.e(14.5)), rgb("#6B7684"))
    foot = g.e(4)
    c.fill(RoundRect(foot, g.e(14), s - foot, g.e(14) + g.w(1.25), g.f(0.5)), rgb("#3B4350"))


def draw_start_menu(c, s):
    """A start-menu panel: tiles of programs with a list beside them, a bar along the bottom."""
    g = Grid(s)
    bw = g.w(0.8)
    x0, y0, x1, y1 = g.e(0.5), g.e(0.5), s - g.e(0.5), s - g.e(0.5)
    framed_box(c, x0, y0, x1, y1, g.f(1.6), bw, GREY_EDGE, PAPER)
    pad, line, tile, gap = g.e(2), g.w(1), g.e(2.75), g.w(1)
    tiles_x0 = x1 - pad - 2 * tile - gap
    for row in range(2):
        y = y0 + pad + row * (tile + gap)
        for col in range(2):
            x = tiles_x0 + col * (tile + gap)
            colour = BLUE if (row + col) % 2 == 0 else BLUE_LIGHT
            c.fill(RoundRect(x, y, x + tile, y + tile, g.f(0.35)), colour)
        ly = y + (tile - line) // 2
        c.fill(RoundRect(x0 + pad, ly, tiles_x0 - gap, ly + line), GREY_LINE)
    bar_y = y1 - pad - line
    c.fill(RoundRect(x0 + pad, bar_y, x1 - pad, bar_y + line), GREY_LINE)


def draw_startup(c, s):
    """A green power button: the program starts when Windows starts."""
    g = Grid(s)
    m = g.f(0.5)
    c.fill(Circle(s / 2, s / 2, s / 2 - m), vgradient(0, rgb("#1E9A1E"), s, rgb("#0B6A0B")))
    w = g.w(1.6)
    cx = g.mid(w)
    cy = s / 2 + g.f(0.6)
    r = g.f(4.0)
    c.fill(Arc(cx, cy, r, 310, 230, w), WHITE)
    c.fill(Line(cx, g.f(3.2), cx, cy - g.f(0.4), w), WHITE)


def badge_circle(c, s, colour):
    """The round badge that carries a white sign."""
    g = Grid(s)
    m = g.f(0.5)
    c.fill(Circle(s / 2, s / 2, s / 2 - m), colour)


def draw_help(c, s):
    """A question mark in a blue circle."""
    g = Grid(s)
    badge_circle(c, s, vgradient(0, rgb("#2B88D8"), s, BLUE_DARK))
    w = g.w(1.8)
    cx = g.mid(w)
    r = g.f(2.35)
    hy = g.f(6.0)
    c.fill(Arc(cx, hy, r, 190, 90, w), WHITE)
    c.fill(Line(cx, hy + r, cx, g.f(9.4), w), WHITE)
    dot = g.f(12.2)
    c.fill(Circle(cx, dot, w * 0.62), WHITE)


def draw_about(c, s):
    """An "i" in a blue circle."""
    g = Grid(s)
    badge_circle(c, s, vgradient(0, rgb("#2B88D8"), s, BLUE_DARK))
    w = g.w(1.8)
    cx = g.mid(w)
    c.fill(Circle(cx, g.f(4.6), w * 0.62), WHITE)
    c.fill(RoundRect(cx - w / 2, g.e(7), cx + w / 2, g.e(12.3), w * 0.3), WHITE)


def draw_properties(c, s):
    """A sheet with a folded corner and lines of values."""
    g = Grid(s)
    bw = g.w(0.8)
    x0, y0, x1, y1 = g.e(2), g.e(0.5), s - g.e(2), s - g.e(0.5)
    fold = g.e(3.2)
    outline = Polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])
    c.fill(outline, GREY_EDGE)
    # The inner edge of the cut corner moves in by the border width along its diagonal.
    d = bw * (math.sqrt(2) - 1)
    inner = Polygon([(x0 + bw, y0 + bw), (x1 - fold - d, y0 + bw), (x1 - bw, y0 + fold + d),
                     (x1 - bw, y1 - bw), (x0 + bw, y1 - bw)])
    c.fill(inner, PAPER)
    c.fill(Polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]), GREY_EDGE)
    if s >= 24:
        c.fill(Polygon([(x1 - fold + bw, y0 + bw + d), (x1 - fold + bw, y0 + fold - bw),
                        (x1 - bw - d, y0 + fold - bw)]), GREY_SOFT)
    line = g.w(1)
    lx0 = x0 + bw + g.e(1.2)
    lx1 = x1 - bw - g.e(1.2)
    y = y0 + bw + g.e(1.2)
    n = 0
    while y + line <= y1 - bw - g.e(1):
        c.fill(RoundRect(lx0, y, lx0 + line, y + line), BLUE)
        # The first line stops short of the folded corner.
        end = x1 - fold - g.w(1) if n == 0 else lx1 - (g.e(2) if n % 2 == 0 else 0)
        c.fill(RoundRect(lx0 + line + g.w(1), y, end, y + line), GREY_LINE)
        y += g.e(2.6)
        n += 1


def draw_donation(c, s):
    """A heart."""
    g = Grid(s)
    r = g.f(3.6)
    cy = g.f(5.6)
    lx, rx = s / 2 - g.f(3.35), s / 2 + g.f(3.35)
    tip = (s / 2, g.f(14.6))
    shape = Circle(lx, cy, r) | Circle(rx, cy, r)
    # The sides run from the tip to where they touch each lobe.
    sides = []
    for cx, sign in ((lx, -1), (rx, 1)):
        dx, dy = cx - tip[0], cy - tip[1]
        dist = math.hypot(dx, dy)
        a = math.atan2(dy, dx) + sign * math.asin(r / dist)
        t = math.sqrt(dist * dist - r * r)
        sides.append((tip[0] + t * math.cos(a), tip[1] + t * math.sin(a)))
    shape = shape | Polygon([tip, sides[0], (lx, cy), (rx, cy), sides[1]])
    c.fill(shape, vgradient(0, rgb("#F0606E"), s, rgb("#C8283A")))
    if s >= 32:  # a small highlight on the left lobe
        c.fill(Arc(lx, cy, r * 0.6, 200, 260, g.f(0.8)), rgb("#FFFFFF", 0.55))


def draw_home(c, s):
    """A house: the maker's home site."""
    g = Grid(s)
    bw = g.w(0.8)
    wall_x0, wall_x1 = g.e(3), s - g.e(3)
    eave = g.e(7.5)
    framed_box(c, wall_x0, eave - bw, wall_x1, s - g.e(0.5), 0, bw, GREY_EDGE, PAPER)
    door_w = 2 * g.e(1.5)  # an even width stays centred on the (even) image
    dx = (s - door_w) // 2
    c.fill(RoundRect(dx, g.e(9.5), dx + door_w, s - g.e(0.5) - bw), BLUE)
    # The roof: a thick chevron over the walls.
    apex = g.f(1.0)
    over = g.f(0.6)
    thick = g.f(2.6)
    c.fill(Polygon([(s / 2, apex), (s - over, eave + g.f(0.3)), (s - over - thick, eave + g.f(0.3)),
                    (s / 2, apex + thick * 1.1), (over + thick, eave + g.f(0.3)),
                    (over, eave + g.f(0.3))]), ROOF)


def draw_restore(c, s):
    """Two overlapped windows: bring the program's window back."""
    g = Grid(s, 32)
    bw = g.w(1.2)
    bar = g.e(5)

    def window(x0, y0, x1, y1, bar_colour, edge):
        c.fill(RoundRect(x0, y0, x1, y1, g.f(2)), edge)
        c.fill(RoundRect(x0 + bw, y0 + bar, x1 - bw, y1 - bw, g.f(1)), PAPER)
        c.fill(RoundRect(x0 + bw, y0 + bw, x1 - bw, y0 + bar, g.f(1)) -
               RoundRect(0, y0 + bar - 0.001, s, s, 0), bar_colour)

    window(g.e(10), g.e(3), g.e(30), g.e(20), rgb("#8C97A4"), GREY_EDGE)
    front = (g.e(2), g.e(11), g.e(22), g.e(29))
    gap = g.w(1.5)
    c.erase(RoundRect(front[0] - gap, front[1] - gap, front[2] + gap, front[3] + gap, g.f(2) + gap))
    window(*front, BLUE, BLUE_DARK)


# --------------------------------------------------------------------------- files

def png_bytes(size, rgba):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    stride = size * 4
    raw = b"".join(b"\0" + rgba[y * stride:(y + 1) * stride] for y in range(size))
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def bmp_bytes(size, rgba):
    """An icon image: BITMAPINFOHEADER (double height), BGRA rows from the bottom, AND mask."""
    stride = size * 4
    colour = bytearray()
    for y in reversed(range(size)):
        row = rgba[y * stride:(y + 1) * stride]
        for x in range(0, stride, 4):
            colour += bytes((row[x + 2], row[x + 1], row[x], row[x + 3]))
    mask_stride = (size + 31) // 32 * 4
    mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(mask_stride)
        for x in range(size):
            if rgba[y * stride + x * 4 + 3] == 0:  # fully transparent where alpha is ignored
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + bytes(colour) + bytes(mask)


def ico_bytes(images):
    """images: list of (size, rgba). ICONDIR, one ICONDIRENTRY per image, then the images."""
    blobs = [bmp_bytes(n, px) if n <= LARGEST_BMP else png_bytes(n, px) for n, px in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (n, _), blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


PICTURES = [
    ("tapwhile.ico", draw_app, APP_SIZES),
    ("desktop.ico", draw_desktop, BUTTON_SIZES),
    ("startmenu.ico", draw_start_menu, BUTTON_SIZES),
    ("startup.ico", draw_startup, BUTTON_SIZES),
    ("help.ico", draw_help, BUTTON_SIZES),
    ("about.ico", draw_about, BUTTON_SIZES),
    ("properties.ico", draw_properties, BUTTON_SIZES),
    ("donation.ico", draw_donation, BUTTON_SIZES),
    ("homesite.ico", draw_home, BUTTON_SIZES),
    ("restore.ico", draw_restore, MENU_SIZES),
]


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    for name, draw, sizes in PICTURES:
        images = []
        for n in sizes:
            canvas = Canvas(n)
            draw(canvas, n)
            images.append((n, canvas.rgba()))
        path = os.path.join(OUT_DIR, name)
        with open(path, "wb") as f:
            f.write(ico_bytes(images))
        print(os.path.normpath(path), " ".join(str(n) for n in sizes))


if __name__ == "__main__":
    main()

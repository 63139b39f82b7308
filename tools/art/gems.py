"""The 60x60 gem pictures: eight cut coloured gems, the diamond, the trash rock, the empty slot.

Each coloured kind has its own cut (silhouette), colour and brightness, and carries its value
engraved on the table, so the kinds can be told apart in greyscale too.
"""
import math

from PIL import Image, ImageDraw

from common import FONT_SANS, GOLD, NIGHT, SS, blur, canvas, font, glow, mix, shade, solid, sparkle

GEM = 60
LIGHT_DIR = math.atan2(-1.0, -0.8)


def circle_pts(cx, cy, r, n=28, start=0.0):
    return [(cx + r * math.cos(start + 2 * math.pi * i / n),
             cy + r * math.sin(start + 2 * math.pi * i / n)) for i in range(n)]


def subdivide(pts, parts):
    out = []
    for i, a in enumerate(pts):
        b = pts[(i + 1) % len(pts)]
        for k in range(parts):
            t = k / parts
            out.append((a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t))
    return out


def heart():
    pts = []
    for i in range(40):
        t = 2 * math.pi * i / 40
        x = 16 * math.sin(t) ** 3
        y = 13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t)
        pts.append((30 + x * 1.5, 27 - y * 1.55))
    return pts, (30, 29)


def round_cut():
    return circle_pts(30, 29, 23.5, 24, -math.pi / 2), (30, 29)


def triangle():
    return subdivide([(30, 4), (55, 50), (5, 50)], 3), (30, 34)


def emerald():
    pts = [(19, 6), (41, 6), (49, 14), (49, 45), (41, 53), (19, 53), (11, 45), (11, 14)]
    return subdivide(pts, 2), (30, 29.5)


def rhombus():
    return subdivide([(30, 3), (53, 29), (30, 55), (7, 29)], 2), (30, 29)


def drop():
    cx, cy, r, tip = 30, 36, 17.5, (30, 3)
    d = cy - tip[1]
    half = math.acos(r / d)
    a0 = -math.pi / 2 + half
    a1 = -math.pi / 2 - half + 2 * math.pi
    arc = [(cx + r * math.cos(a0 + (a1 - a0) * i / 18), cy + r * math.sin(a0 + (a1 - a0) * i / 18))
           for i in range(19)]
    return [tip] + arc, (30, 34)


def star():
    pts = []
    for i in range(10):
        r = 27 if i % 2 == 0 else 12.5
        a = -math.pi / 2 + i * math.pi / 5
        pts.append((30 + r * math.cos(a), 31 + r * math.sin(a)))
    return pts, (30, 31)


def clover():
    pts = []
    for i in range(64):
        a = 2 * math.pi * i / 64
        r = 26 * (0.42 + 0.58 * abs(math.cos(2 * a)) ** 0.55)
        pts.append((30 + r * math.cos(a), 29.5 + r * math.sin(a)))
    return pts, (30, 29.5)


# points (the number engraved; the file is named after ten times it), base colour, cut,
# depth of the engraving
COLOURED = [
    (9, (178, 20, 48), heart, 0.45),
    (8, (234, 130, 44), round_cut, 0.55),
    (7, (238, 208, 78), triangle, 0.5),
    (6, (34, 150, 84), emerald, 0.55),
    (5, (86, 206, 220), rhombus, 0.5),
    (4, (38, 76, 196), drop, 0.55),
    (3, (172, 112, 226), star, 0.5),
    (2, (246, 164, 196), clover, 0.5),
]


def scaled(pts, c, k):
    return [(c[0] + (x - c[0]) * k, c[1] + (y - c[1]) * k) for x, y in pts]


def facet_colour(base, a, b, c, index):
    mx, my = (a[0] + b[0]) / 2 - c[0], (a[1] + b[1]) / 2 - c[1]
    light = 0.5 + 0.5 * math.cos(math.atan2(my, mx) - LIGHT_DIR)
    light += 0.07 if index % 2 == 0 else -0.07
    return mix(shade(base, -0.55), shade(base, 0.28), max(0.0, min(1.0, light)))


class Pen:
    """A supersampled gem canvas: gem coordinates run 0..60 whatever the output size."""

    def __init__(self, size):
        self.size = size
        self.k = SS * size / GEM
        self.img = canvas(SS * size, SS * size)
        self.draw = ImageDraw.Draw(self.img)

    def pts(self, pts):
        return [(x * self.k, y * self.k) for x, y in pts]

    def box(self, x0, y0, x1, y1):
        return [x0 * self.k, y0 * self.k, x1 * self.k, y1 * self.k]

    def w(self, px):
        return max(1, int(round(px * self.k)))

    def mask(self, pts=None, ellipse=None):
        m = Image.new("L", self.img.size, 0)
        if pts is not None:
            ImageDraw.Draw(m).polygon(self.pts(pts), fill=255)
        else:
            ImageDraw.Draw(m).ellipse(self.box(*ellipse), fill=255)
        return m

    def result(self):
        return self.img.resize((self.size, self.size), Image.LANCZOS)


def draw_shadow(pen, pts):
    m = pen.mask([(x + 1.2, y + 2.2) for x, y in pts])
    soft = blur(m, 1.8 * pen.k).point(lambda v: v * 6 // 10)
    pen.img.alpha_composite(solid(pen.img.size, NIGHT, soft))


def draw_cut(pen, base, pts, c, table_k):
    """Outer facets lit from the top left, a bright table, crisp edges. Outlines with many
    vertices (round cuts) share one shade per group of vertices, so facets stay broad."""
    inner = scaled(pts, c, table_k)
    n = len(pts)
    group = max(1, n // 16)
    for i in range(n):
        a, b = pts[i], pts[(i + 1) % n]
        g0, g1 = pts[i - i % group], pts[min(n - 1, i - i % group + group) % n]
        quad = [a, b, inner[(i + 1) % n], inner[i]]
        pen.draw.polygon(pen.pts(quad), fill=facet_colour(base, g0, g1, c, i // group))
    tint = Image.new("RGBA", pen.img.size, shade(base, 0.1))
    hi = pen.mask(ellipse=(c[0] - 15, c[1] - 17, c[0] + 3, c[1] + 1))
    tint.alpha_composite(solid(pen.img.size, shade(base, 0.5), blur(hi, 3 * pen.k)))
    pen.img.paste(tint, (0, 0), pen.mask(inner))
    line = shade(base, 0.35) + (110,)
    step = max(1, n // 16)
    for i in range(0, n, step):
        pen.draw.line(pen.pts([pts[i], inner[i]]), fill=line, width=pen.w(0.5))
    pen.draw.polygon(pen.pts(inner), outline=shade(base, 0.4) + (150,), width=pen.w(0.5))
    pen.draw.polygon(pen.pts(pts), outline=shade(base, -0.65), width=pen.w(1.1))


def engrave(pen, value, c, base, tone):
    """The value cut into the table: a dark groove with a light lower lip."""
    fnt = font(FONT_SANS, int(17 * pen.k))
    x, y = c[0] * pen.k, (c[1] + 1) * pen.k
    pen.draw.text((x, y + 0.8 * pen.k), str(value), font=fnt, anchor="mm",
                  fill=shade(base, 0.6) + (170,))
    pen.draw.text((x, y), str(value), font=fnt, anchor="mm",
                  fill=shade(base, -tone - 0.25) + (235,))


def twinkle(pen, x, y, r, opacity=1.0):
    sparkle(pen.img, x * pen.k, y * pen.k, r * pen.k, opacity=opacity)


def coloured_gem(value, base, cut, tone, size=GEM, engraved=True):
    pts, c = cut()
    pen = Pen(size)
    draw_shadow(pen, pts)
    draw_cut(pen, base, pts, c, 0.56)
    if engraved:
        engrave(pen, value, c, base, tone)
    twinkle(pen, c[0] - 11, c[1] - 12, 6, 0.9)
    return pen.result()


DIAMOND_FACETS = [(236, 246, 255), (176, 210, 242), (210, 232, 252), (140, 182, 228),
                  (250, 226, 240), (196, 236, 232)]
TOP = [(17, 9), (30, 9), (43, 9)]
GIRDLE = [(5, 22), (13.3, 22), (21.7, 22), (30, 22), (38.3, 22), (46.7, 22), (55, 22)]
CULET = (30, 56)


def crown_triangles():
    t, g = TOP, GIRDLE
    return [(g[0], t[0], g[1]), (t[0], g[1], g[2]), (t[0], t[1], g[2]), (t[1], g[2], g[3]),
            (t[1], g[3], g[4]), (t[1], t[2], g[4]), (t[2], g[4], g[5]), (t[2], g[5], g[6])]


def gem_diamond(size=GEM):
    outline = [GIRDLE[0], TOP[0], TOP[2], GIRDLE[-1], CULET]
    pen = Pen(size)
    draw_shadow(pen, outline)
    edge = (110, 150, 200, 200)
    for i, t in enumerate(crown_triangles()):
        pen.draw.polygon(pen.pts(t), fill=DIAMOND_FACETS[(i * 2) % 6])
    for i in range(6):
        pen.draw.polygon(pen.pts((GIRDLE[i], GIRDLE[i + 1], CULET)),
                         fill=DIAMOND_FACETS[(i * 5 + 1) % 6])
        mid = ((GIRDLE[i][0] + GIRDLE[i + 1][0]) / 2, 22)
        pen.draw.line(pen.pts([mid, CULET]), fill=(120, 160, 210, 140), width=pen.w(0.5))
    for t in crown_triangles():
        pen.draw.line(pen.pts(list(t) + [t[0]]), fill=edge, width=pen.w(0.5))
    for g in GIRDLE:
        pen.draw.line(pen.pts([g, CULET]), fill=edge, width=pen.w(0.5))
    pen.draw.line(pen.pts([GIRDLE[0], GIRDLE[-1]]), fill=(255, 255, 255), width=pen.w(1))
    pen.draw.polygon(pen.pts(outline), outline=(58, 86, 132), width=pen.w(1.1))
    twinkle(pen, 18, 13, 9)
    twinkle(pen, 44, 30, 6, 0.9)
    twinkle(pen, 27, 44, 4, 0.8)
    return pen.result()


ROCK_RADII = [23, 26, 22, 25, 20, 24, 23, 26, 22, 19, 24, 21]
CRACKS = [[(16, 20), (24, 27), (22, 34), (30, 40), (28, 49)],
          [(24, 27), (34, 24), (41, 16)], [(30, 40), (40, 42), (47, 38)]]


def rock_points():
    return [(30 + r * math.cos(2 * math.pi * i / 12 + 0.2),
             31 + r * 0.92 * math.sin(2 * math.pi * i / 12 + 0.2))
            for i, r in enumerate(ROCK_RADII)]


def gem_trash(size=GEM):
    """A dull cracked lump of slag: matte, grey-brown, no sparkle."""
    pts, c, base = rock_points(), (30, 31), (104, 96, 84)
    pen = Pen(size)
    draw_shadow(pen, pts)
    inner = scaled(pts, c, 0.45)
    for i in range(len(pts)):
        a, b = pts[i], pts[(i + 1) % len(pts)]
        col = mix(facet_colour(base, a, b, c, i), (96, 100, 80), 0.25)
        pen.draw.polygon(pen.pts([a, b, inner[(i + 1) % len(pts)], inner[i]]), fill=col)
    pen.draw.polygon(pen.pts(inner), fill=(112, 104, 90))
    for crack in CRACKS:
        pen.draw.line(pen.pts(crack), fill=(36, 30, 26), width=pen.w(1.6), joint="curve")
        pen.draw.line(pen.pts([(x + 0.6, y + 0.8) for x, y in crack]),
                      fill=(150, 140, 124, 150), width=pen.w(0.5))
    for x, y, r in [(38, 30, 1.6), (18, 38, 1.3), (34, 50, 1.2), (44, 24, 1.0)]:
        pen.draw.ellipse(pen.box(x - r, y - r, x + r, y + r), fill=(58, 52, 46))
    pen.draw.polygon(pen.pts(pts), outline=(40, 34, 30), width=pen.w(1.2))
    return pen.result()


def thread_segment(size=GEM):
    """An empty slot: a twisted gold cord through a small open bead setting, kept faint."""
    pen = Pen(size)
    pen.draw.rectangle(pen.box(28.6, 0, 31.4, 60), fill=shade(GOLD, -0.1) + (200,))
    for y in range(-2, 62, 4):
        pen.draw.line(pen.pts([(28.6, y), (31.4, y + 3)]), fill=shade(GOLD, -0.5) + (200,),
                      width=pen.w(0.5))
    ring = (21, 21, 39, 39)
    pen.img.alpha_composite(glow(pen.mask(ellipse=ring), 2 * pen.k, GOLD, 0.25))
    pen.draw.ellipse(pen.box(*ring), fill=(8, 14, 30, 150), outline=shade(GOLD, 0.15) + (220,),
                     width=pen.w(2))
    pen.draw.ellipse(pen.box(23.5, 23.5, 36.5, 36.5), outline=shade(GOLD, -0.45) + (160,),
                     width=pen.w(1))
    pen.draw.rounded_rectangle(pen.box(3, 3, 57, 57), radius=10 * pen.k,
                               outline=(128, 204, 200, 60), width=pen.w(1))
    return pen.result()


def gem_pictures():
    """All gem pictures by file name (without folder)."""
    out = {"thread_segment.png": thread_segment()}
    for value, base, cut, tone in COLOURED:
        out["gem_%d0.png" % value] = coloured_gem(value, base, cut, tone)
    out["gem_diamond.png"] = gem_diamond()
    out["gem_trash.png"] = gem_trash()
    return out


def gem_image(name, size=GEM, engraved=True):
    """One gem picture at any size, also used by the page painters: a value, "diamond",
    "trash" or anything else for the empty slot."""
    if name == "diamond":
        return gem_diamond(size)
    if name == "trash":
        return gem_trash(size)
    for value, base, cut, tone in COLOURED:
        if value == name:
            return coloured_gem(value, base, cut, tone, size, engraved)
    return thread_segment(size)

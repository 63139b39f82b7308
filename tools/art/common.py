"""Palette, fonts and drawing helpers shared by every Tavrello picture.

Shapes are drawn SS times larger and scaled down, so edges come out smooth.
"""
import functools
import math

import numpy as np
from PIL import Image, ImageDraw, ImageFilter, ImageFont

SS = 4

FONT_DIR = "/usr/share/fonts/opentype/urw-base35/"
FONT_MAIN = FONT_DIR + "URWBookman-Demi.otf"
FONT_ITALIC = FONT_DIR + "URWBookman-DemiItalic.otf"
FONT_SANS = FONT_DIR + "NimbusSans-Bold.otf"

NIGHT = (9, 14, 30)
NAVY = (17, 28, 56)
INDIGO = (30, 40, 82)
DEEP_TEAL = (13, 52, 64)
TEAL = (36, 116, 126)
LIGHT_TEAL = (128, 204, 200)
GOLD = (228, 180, 84)
LIGHT_GOLD = (252, 226, 152)
DARK_GOLD = (128, 86, 30)
CREAM = (246, 236, 214)
ROSE = (206, 96, 140)
LIGHT_ROSE = (248, 182, 208)
SLATE = (66, 80, 108)
WARN = (226, 98, 82)


@functools.lru_cache(maxsize=None)
def font(path, size):
    return ImageFont.truetype(path, size)


def mix(a, b, t):
    """Blend two colours (tuples) by t in 0..1."""
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def shade(c, t):
    """t < 0 darkens towards black, t > 0 lightens towards white."""
    if t < 0:
        return mix(c, (0, 0, 0), -t)
    return mix(c, (255, 255, 255), t)


def canvas(w, h, color=(0, 0, 0, 0)):
    return Image.new("RGBA", (w, h), color)


def S(v):
    """Scale a coordinate (or a sequence of them) to the supersampled canvas."""
    if isinstance(v, (tuple, list)):
        return type(v)(S(x) for x in v)
    return v * SS


def paste(dst, src, xy=(0, 0)):
    dst.alpha_composite(src, (int(xy[0]), int(xy[1])))


def vertical_gradient(w, h, stops):
    """stops: list of (position 0..1, rgb or rgba)."""
    ys = np.linspace(0.0, 1.0, h)
    pos = [p for p, _ in stops]
    cols = [tuple(c) + ((255,) if len(c) == 3 else ()) for _, c in stops]
    chans = [np.interp(ys, pos, [c[i] for c in cols]) for i in range(4)]
    arr = np.stack(chans, axis=1)[:, None, :].repeat(w, axis=1)
    return Image.fromarray(arr.round().astype(np.uint8), "RGBA")


def with_alpha(img, mask):
    """Multiply img's alpha by an L mask (same size)."""
    out = img.copy()
    a = np.asarray(out.getchannel("A"), np.float32) * np.asarray(mask, np.float32) / 255.0
    out.putalpha(Image.fromarray(a.round().astype(np.uint8), "L"))
    return out


def solid(size, color, mask):
    """A flat colour shaped by an L mask."""
    rgba = tuple(color) + ((255,) if len(color) == 3 else ())
    return with_alpha(canvas(size[0], size[1], rgba), mask)


def rrect_mask(w, h, box, radius):
    """Anti-aliased rounded-rectangle mask of size (w, h); box in output pixels."""
    m = Image.new("L", (w * SS, h * SS), 0)
    ImageDraw.Draw(m).rounded_rectangle(S(list(box)), radius=radius * SS, fill=255)
    return m.resize((w, h), Image.BOX)


def poly_mask(w, h, points):
    m = Image.new("L", (w * SS, h * SS), 0)
    ImageDraw.Draw(m).polygon([(x * SS, y * SS) for x, y in points], fill=255)
    return m.resize((w, h), Image.BOX)


def ellipse_mask(w, h, box):
    m = Image.new("L", (w * SS, h * SS), 0)
    ImageDraw.Draw(m).ellipse(S(list(box)), fill=255)
    return m.resize((w, h), Image.BOX)


def blur(mask, radius):
    return mask.filter(ImageFilter.GaussianBlur(radius))


def shadow(mask, offset, radius, color=(0, 0, 0), opacity=0.6):
    """A soft shadow layer cast by an L mask."""
    w, h = mask.size
    shifted = Image.new("L", (w, h), 0)
    shifted.paste(mask, offset)
    soft = blur(shifted, radius).point(lambda v: int(v * opacity))
    return solid((w, h), color, soft)


def glow(mask, radius, color, opacity=0.8):
    return shadow(mask, (0, 0), radius, color, opacity)


def subtract(a, b):
    """Mask a minus mask b."""
    arr = np.asarray(a, np.int16) - np.asarray(b, np.int16)
    return Image.fromarray(np.clip(arr, 0, 255).astype(np.uint8), "L")


def text_box(fnt, text):
    l, t, r, b = fnt.getbbox(text)
    return r - l, b - t


def fit_font(path, text, max_w, max_h, start):
    size = start
    while size > 6:
        w, h = text_box(font(path, size), text)
        if w <= max_w and h <= max_h:
            break
        size -= 1
    return font(path, size)


def edit_region(img, box, margin, draw):
    """Runs draw(sub, dx, dy) on a crop around box, then puts the crop back, so a small
    drawing on a full-screen picture only pays for the pixels near it."""
    x0, y0 = max(0, int(box[0] - margin)), max(0, int(box[1] - margin))
    x1, y1 = min(img.width, int(box[2] + margin) + 1), min(img.height, int(box[3] + margin) + 1)
    if x1 <= x0 or y1 <= y0:
        return
    sub = img.crop((x0, y0, x1, y1))
    draw(sub, x0, y0)
    img.paste(sub, (x0, y0))


def _text(img, xy, s, fnt, fill, anchor, shadow_px, stroke, stroke_fill, shadow_fill):
    if shadow_px:
        layer = canvas(*img.size)
        ImageDraw.Draw(layer).text((xy[0] + shadow_px, xy[1] + shadow_px), s, font=fnt,
                                   fill=shadow_fill, anchor=anchor, stroke_width=stroke,
                                   stroke_fill=shadow_fill)
        img.alpha_composite(layer.filter(ImageFilter.GaussianBlur(max(1, shadow_px * 0.6))))
    ImageDraw.Draw(img).text(xy, s, font=fnt, fill=fill, anchor=anchor, stroke_width=stroke,
                             stroke_fill=stroke_fill)


def text(img, xy, s, fnt, fill, anchor="mm", shadow_px=0, stroke=0, stroke_fill=None,
         shadow_fill=(0, 0, 0, 170)):
    """Draw text with an optional soft drop shadow."""
    box = ImageDraw.Draw(img).textbbox(xy, s, font=fnt, anchor=anchor, stroke_width=stroke)
    edit_region(img, box, shadow_px * 3 + 4, lambda sub, dx, dy: _text(
        sub, (xy[0] - dx, xy[1] - dy), s, fnt, fill, anchor, shadow_px, stroke, stroke_fill,
        shadow_fill))


def panel(w, h, radius, top, bottom, border=GOLD, border_w=2, opacity=1.0, shine=True):
    """A rounded panel with a vertical gradient, a thin border and a soft top shine."""
    outer = rrect_mask(w, h, (0, 0, w, h), radius)
    inner = rrect_mask(w, h, (border_w, border_w, w - border_w, h - border_w),
                       max(1, radius - border_w))
    img = with_alpha(vertical_gradient(w, h, [(0, top), (1, bottom)]), inner)
    if shine:
        sh = vertical_gradient(w, h, [(0, (255, 255, 255, 40)), (0.45, (255, 255, 255, 0)),
                                      (1, (255, 255, 255, 0))])
        img.alpha_composite(with_alpha(sh, inner))
    if border_w:
        img.alpha_composite(solid((w, h), border, subtract(outer, inner)))
    if opacity < 1.0:
        img.putalpha(img.getchannel("A").point(lambda v: int(v * opacity)))
    return img


def inset_box(w, h, radius=8):
    """A dark sunken box for digit read-outs and text fields."""
    img = panel(w, h, radius, (5, 9, 20), (14, 24, 44), border=shade(GOLD, -0.25), border_w=2,
                shine=False)
    inner = rrect_mask(w, h, (2, 2, w - 2, h - 2), radius - 2)
    top_shadow = vertical_gradient(w, h, [(0, (0, 0, 0, 150)), (0.35, (0, 0, 0, 0)),
                                          (1, (0, 0, 0, 0))])
    img.alpha_composite(with_alpha(top_shadow, inner))
    return img


def star_points(cx, cy, r_out, r_in, n, rot=-math.pi / 2):
    pts = []
    for i in range(n * 2):
        r = r_out if i % 2 == 0 else r_in
        a = rot + i * math.pi / n
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def _sparkle(img, cx, cy, r, color, opacity):
    w, h = img.size
    pts = star_points(cx, cy, r, r * 0.18, 4)
    m = poly_mask(w, h, pts)
    core = ellipse_mask(w, h, (cx - r * 0.35, cy - r * 0.35, cx + r * 0.35, cy + r * 0.35))
    img.alpha_composite(glow(core, max(1, r * 0.4), color, 0.8 * opacity))
    img.alpha_composite(solid((w, h), color, m.point(lambda v: int(v * opacity))))


def sparkle(img, cx, cy, r, color=(255, 255, 255), opacity=1.0):
    """A four-pointed twinkle with a soft core, drawn on an image of any size."""
    edit_region(img, (cx - r, cy - r, cx + r, cy + r), r * 1.5 + 4, lambda sub, dx, dy: _sparkle(
        sub, cx - dx, cy - dy, r, color, opacity))


def _fancy_text(img, centre, s, fnt, stops, outline, stroke, halo, halo_radius, anchor):
    w, h = img.size
    fill = Image.new("L", (w, h), 0)
    ImageDraw.Draw(fill).text(centre, s, font=fnt, anchor=anchor, fill=255)
    edge = Image.new("L", (w, h), 0)
    ImageDraw.Draw(edge).text(centre, s, font=fnt, anchor=anchor, fill=255, stroke_width=stroke,
                              stroke_fill=255)
    l, t, r, b = edge.getbbox() or (0, 0, w, h)
    if halo:
        img.alpha_composite(glow(edge, halo_radius, halo, 0.75))
    img.alpha_composite(shadow(edge, (3, 5), 5, (0, 0, 0), 0.7))
    img.alpha_composite(solid((w, h), outline, edge))
    grad = canvas(w, h)
    grad.paste(vertical_gradient(r - l, b - t, stops), (l, t))
    img.alpha_composite(with_alpha(grad, fill))


def fancy_text(img, centre, s, path, size, stops, outline=(20, 14, 8), stroke=3,
               halo=None, halo_radius=14, anchor="mm"):
    """Display lettering: gradient fill, dark outline, optional coloured halo."""
    fnt = font(path, size)
    box = ImageDraw.Draw(img).textbbox(centre, s, font=fnt, anchor=anchor, stroke_width=stroke)
    margin = (halo_radius * 3 if halo else 0) + 20
    edit_region(img, box, margin, lambda sub, dx, dy: _fancy_text(
        sub, (centre[0] - dx, centre[1] - dy), s, fnt, stops, outline, stroke, halo, halo_radius,
        anchor))


def paragraph(img, x, y, lines, fnt, fill, line_h, anchor="la", shadow_px=1):
    """Left-aligned lines of text; returns the y under the last line."""
    for s in lines:
        text(img, (x, y), s, fnt, fill, anchor=anchor, shadow_px=shadow_px)
        y += line_h
    return y

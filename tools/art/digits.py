"""Digit pictures: plain read-out digits (22x34) with a colon, and the end screen's digits
(16x30) in the same serif and colours, drawn wider and narrowed to their 16-pixel step."""
from PIL import Image, ImageDraw

from common import (CREAM, FONT_MAIN, GOLD, LIGHT_GOLD, NIGHT, SS, blur, canvas,
                    font, shade, solid, vertical_gradient, with_alpha)

PLAIN = (22, 34)
LARGE = (16, 30)


def glyph_masks(size, s, path, font_px, stroke_px, dy=0.0):
    """Fill and outline masks of one centred glyph on a supersampled canvas."""
    w, h = size[0] * SS, size[1] * SS
    fnt = font(path, font_px * SS)
    centre = (w / 2, h / 2 + dy * SS)
    fill = Image.new("L", (w, h), 0)
    ImageDraw.Draw(fill).text(centre, s, font=fnt, anchor="mm", fill=255)
    outline = Image.new("L", (w, h), 0)
    ImageDraw.Draw(outline).text(centre, s, font=fnt, anchor="mm", fill=255,
                                 stroke_width=int(stroke_px * SS), stroke_fill=255)
    return fill, outline


def glyph_picture(size, s, path, font_px, stroke_px, stops, dy=0.0, drawn_w=None):
    """drawn_w: the width the glyph is drawn at before it is narrowed to size."""
    drawn = (drawn_w or size[0], size[1])
    w, h = drawn[0] * SS, drawn[1] * SS
    fill, outline = glyph_masks(drawn, s, path, font_px, stroke_px, dy)
    img = canvas(w, h)
    img.alpha_composite(solid((w, h), NIGHT, blur(outline, SS).point(lambda v: v * 7 // 10)))
    img.alpha_composite(solid((w, h), (12, 18, 34), outline))
    img.alpha_composite(with_alpha(vertical_gradient(w, h, stops), fill))
    return img.resize(size, Image.LANCZOS)


PLAIN_STOPS = [(0.0, (255, 250, 236)), (0.5, CREAM), (0.56, shade(LIGHT_GOLD, -0.05)),
               (1.0, shade(GOLD, 0.1))]


def plain_digit(d):
    return glyph_picture(PLAIN, str(d), FONT_MAIN, 31, 2.0, PLAIN_STOPS, dy=1.0)


def colon():
    return glyph_picture(PLAIN, ":", FONT_MAIN, 31, 2.0, PLAIN_STOPS, dy=0.0)


def large_digit(d):
    # The read-outs' serif: its digits are 20 pixels wide at this size, too wide for the end
    # screen's 16-pixel step, so they are drawn 20 wide and narrowed by a fifth.
    return glyph_picture(LARGE, str(d), FONT_MAIN, 27, 1.8, PLAIN_STOPS, dy=1.0, drawn_w=20)


def digit_pictures():
    out = {}
    for d in range(10):
        out["digit_%d.png" % d] = plain_digit(d)
        out["digit_b%d.png" % d] = large_digit(d)
    out["digit_colon.png"] = colon()
    return out

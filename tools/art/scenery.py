"""The night landscape behind the game (nature.png) and the veiled variants the pages are
built on."""
import functools
import math

import numpy as np
from PIL import Image, ImageDraw

from common import (INDIGO, NAVY, NIGHT, SS, blur, canvas, ellipse_mask, glow, solid, sparkle,
                    subtract, vertical_gradient)

W, H = 1920, 1080
HORIZON = 760


def sky():
    return vertical_gradient(W, H, [(0.0, (6, 10, 24)), (0.35, NAVY), (0.62, INDIGO),
                                    (HORIZON / H, (44, 84, 110)), (1.0, (8, 16, 32))])


def stars(img, seed=7, count=900):
    rng = np.random.default_rng(seed)
    xs = rng.integers(0, W, count)
    ys = (rng.random(count) ** 1.6 * (HORIZON - 40)).astype(int)
    bright = rng.random(count)
    layer = np.zeros((H, W), np.float32)
    layer[ys, xs] = 90 + 165 * bright ** 2
    dots = Image.fromarray(layer.clip(0, 255).astype(np.uint8), "L")
    dots = blur(dots, 0.6).point(lambda v: min(255, v * 3))
    img.alpha_composite(solid((W, H), (236, 240, 255), dots))
    for i in np.argsort(-bright)[:14]:
        sparkle(img, int(xs[i]), int(ys[i]), 5 + 6 * bright[i], (240, 244, 255), 0.8)


def aurora(img):
    yy, xx = np.mgrid[0:H, 0:W].astype(np.float32)
    a = np.zeros((H, W), np.float32)
    for k, (yc, amp, freq, phase, sigma, gain) in enumerate(
            [(260, 70, 1 / 330, 0.3, 46, 0.55), (330, 50, 1 / 260, 2.1, 34, 0.4)]):
        centre = yc + amp * np.sin(xx * freq + phase) + 20 * np.sin(xx / 97 + k)
        band = np.exp(-((yy - centre) / sigma) ** 2)
        curtain = 0.7 + 0.3 * np.sin(xx / 9.0 + k) * np.sin(xx / 23.0)
        fade = np.clip(np.sin(xx / W * math.pi) * 1.4, 0, 1)
        a += band * curtain * fade * gain
    mask = Image.fromarray((np.clip(a, 0, 1) * 110).astype(np.uint8), "L")
    img.alpha_composite(solid((W, H), (96, 222, 186), mask))


def moon(img, cx=1540, cy=190, r=58):
    disc = ellipse_mask(W, H, (cx - r, cy - r, cx + r, cy + r))
    bite = ellipse_mask(W, H, (cx - r + 26, cy - r - 14, cx + r + 26, cy + r - 14))
    img.alpha_composite(glow(disc, 60, (200, 220, 255), 0.35))
    img.alpha_composite(solid((W, H), (246, 240, 214), subtract(disc, bite)))


def ridge(xs, base, parts):
    y = np.full(xs.shape, float(base))
    for amp, period, phase in parts:
        y += amp * np.sin(xs / period + phase)
    return y


def hill_layer(img, base, parts, top, bottom):
    xs = np.arange(W, dtype=np.float32)
    ys = np.arange(H, dtype=np.float32)[:, None]
    edge = ridge(xs, base, parts)[None, :]
    alpha = np.clip(ys - edge + 0.5, 0, 1)
    col = vertical_gradient(W, H, [(0, top), (HORIZON / H, top), (1, bottom)])
    col.putalpha(Image.fromarray((alpha * 255).astype(np.uint8), "L"))
    img.alpha_composite(col)
    return edge[0]


def pines(img, edge, color, seed):
    """A row of fir silhouettes standing on a ridge line."""
    rng = np.random.default_rng(seed)
    strip_top = int(edge.min()) - 90
    hh = H - strip_top
    m = Image.new("L", (W * SS, hh * SS), 0)
    d = ImageDraw.Draw(m)
    x = 10.0
    while x < W:
        h = 34 + rng.random() * 46
        base = edge[int(x)] - strip_top + 6
        for tier in range(3):
            ty = base - h * (0.35 + 0.3 * tier)
            half = h * (0.34 - 0.08 * tier)
            d.polygon([((x - half) * SS, (ty + h * 0.42) * SS), ((x + half) * SS,
                       (ty + h * 0.42) * SS), (x * SS, (ty - h * 0.08) * SS)], fill=255)
        d.rectangle(((x - 2) * SS, (base - h * 0.3) * SS, (x + 2) * SS, (base + 4) * SS), fill=255)
        x += 22 + rng.random() * 60
    small = m.resize((W, hh), Image.BOX)
    layer = canvas(W, H)
    layer.paste(solid((W, hh), color, small), (0, strip_top))
    img.alpha_composite(layer)


def lake(img):
    top = 930
    water = vertical_gradient(W, H - top, [(0, (30, 62, 88)), (1, (6, 12, 26))])
    arr = np.asarray(water, np.float32).copy()
    ys = np.arange(H - top, dtype=np.float32)[:, None]
    xs = np.arange(W, dtype=np.float32)[None, :]
    glint = (np.sin(xs / 17 + ys * 0.9) * np.sin(xs / 71 - ys / 5) > 0.75) * (1 - ys / (H - top))
    glint = glint * np.exp(-((xs - 1540) / 260) ** 2)
    arr[..., :3] += glint[..., None] * np.array([120, 120, 100], np.float32)
    water = Image.fromarray(arr.clip(0, 255).astype(np.uint8), "RGBA")
    img.alpha_composite(water, (0, top))


@functools.lru_cache(maxsize=None)
def _nature():
    img = sky()
    stars(img)
    aurora(img)
    moon(img)
    hill_layer(img, 700, [(40, 210, 0.4), (22, 83, 1.3), (9, 31, 0.2)], (40, 66, 104),
               (22, 40, 70))
    hill_layer(img, 790, [(34, 260, 2.0), (16, 97, 0.7), (7, 29, 2.2)], (26, 46, 78),
               (14, 26, 50))
    front = hill_layer(img, 880, [(26, 330, 1.1), (14, 120, 2.6), (5, 37, 0.9)],
                       (14, 28, 48), (8, 16, 32))
    pines(img, front, (8, 16, 30), 11)
    lake(img)
    return img


def nature():
    return _nature().copy()


def veiled(opacity, tint=NIGHT):
    """The landscape under a dark veil: the common ground of the menu pages."""
    img = nature()
    img.alpha_composite(Image.new("RGBA", (W, H), tuple(tint) + (int(255 * opacity),)))
    return img


def vignette(img, strength=0.6):
    yy, xx = np.mgrid[0:H, 0:W].astype(np.float32)
    d = np.sqrt(((xx - W / 2) / (W / 2)) ** 2 + ((yy - H / 2) / (H / 2)) ** 2) / math.sqrt(2)
    a = (np.clip(d - 0.35, 0, 1) / 0.65) ** 1.5 * strength
    img.alpha_composite(solid((W, H), (0, 0, 0), Image.fromarray((a * 255).astype(np.uint8), "L")))
    return img


"""End-screen pictures: "Game Over" and "Congratulations!" pages and the four summary messages
with labelled places for the level count and the score digits.
"""
import numpy as np
from PIL import ImageDraw

from common import (CREAM, FONT_ITALIC, FONT_MAIN, GOLD, LIGHT_GOLD, LIGHT_ROSE, NAVY, NIGHT,
                    ROSE, fancy_text, font, inset_box, panel, paste, shade, sparkle, text)
from gems import gem_image
from scenery import W, veiled, vignette

MESSAGE_POS = (695, 571)
MESSAGE_SIZE = (530, 300)
LEVEL_DIGITS = (799, 795)
SCORE_DIGITS = (907, 829)
BIG_DIGIT = (16, 30)
BIG_STEP = 16


def local(pt):
    return pt[0] - MESSAGE_POS[0], pt[1] - MESSAGE_POS[1]


def calm_area(img):
    """A soft dark pool where the summary message appears."""
    x, y = MESSAGE_POS
    w, h = MESSAGE_SIZE
    paste(img, panel(w + 60, h + 60, 40, (10, 16, 34), (6, 10, 22), border=shade(GOLD, -0.5),
                     border_w=2, opacity=0.55, shine=False), (x - 30, y - 30))


def clear_of(x, y, areas):
    return all(not (ax0 - 90 < x < ax1 + 20 and ay0 - 90 < y < ay1 + 20)
               for ax0, ay0, ax1, ay1 in areas)


def falling_gems(img, seed, names, region_top, region_bottom, areas):
    """Gems scattered at random (fixed seed) outside the given areas."""
    rng = np.random.default_rng(seed)
    areas = list(areas)
    placed = 0
    while placed < len(names):
        x, y = int(rng.integers(40, W - 100)), int(rng.integers(region_top, region_bottom))
        if not clear_of(x, y, areas):
            continue
        size = int(rng.integers(40, 76))
        gem = gem_image(names[placed], size).rotate(float(rng.integers(-30, 30)), expand=True)
        paste(img, gem, (x, y))
        areas.append((x, y, x + size, y + size))
        placed += 1


GO_STOPS = [(0, (236, 240, 255)), (0.5, (176, 190, 226)), (1, (104, 112, 160))]
WIN_STOPS = [(0, (255, 248, 214)), (0.45, LIGHT_GOLD), (0.55, GOLD), (1, shade(GOLD, -0.35))]
CALM = (MESSAGE_POS[0] - 30, MESSAGE_POS[1] - 30, MESSAGE_POS[0] + MESSAGE_SIZE[0] + 30,
        MESSAGE_POS[1] + MESSAGE_SIZE[1] + 30)
TITLE_AREA = (200, 120, 1720, 460)


def game_over():
    img = vignette(veiled(0.7, (14, 10, 30)), 0.7)
    falling_gems(img, 5, [9, 4, "trash", 7, 2, "trash", 5, 8, 3, 6], 560, 1000,
                 [CALM])
    fancy_text(img, (W // 2, 270), "Game Over", FONT_MAIN, 180, GO_STOPS,
               halo=shade(ROSE, -0.2), halo_radius=26, stroke=4)
    text(img, (W // 2, 420), "The thread is still.", font(FONT_MAIN, 40), LIGHT_ROSE,
         shadow_px=2)
    calm_area(img)
    return img


def congratulations():
    img = vignette(veiled(0.55), 0.6)
    falling_gems(img, 9, [9, 8, "diamond", 7, 6, "diamond", 5, 4, 3, 2, "diamond", 9], 40, 1000,
                 [CALM, TITLE_AREA])
    rng = np.random.default_rng(21)
    for _ in range(26):
        x, y = int(rng.integers(60, W - 60)), int(rng.integers(40, 540))
        if 600 < x < 1320 and 180 < y < 480:
            continue
        sparkle(img, x, y, 8 + 14 * float(rng.random()), LIGHT_GOLD, 0.9)
    fancy_text(img, (W // 2, 270), "Congratulations!", FONT_MAIN, 160, WIN_STOPS,
               halo=(120, 220, 200), halo_radius=26, stroke=4)
    text(img, (W // 2, 420), "A game to remember.", font(FONT_MAIN, 40), CREAM, shadow_px=2)
    calm_area(img)
    return img


# title lines, a smaller line under them, best score?, level count shown?
MESSAGES = {
    "GO1.png": (["Time is up -", "a new best score!"], "All sixty levels played.", True, False),
    "GO2.png": (["Time is up!"], "All sixty levels played.", False, False),
    "GO3.png": (["The board is full -", "a new best score!"], "A column reached the top.", True,
                True),
    "GO4.png": (["The board is full!"], "A column reached the top.", False, True),
}


def digit_blank(img, origin, count):
    """A sunken box under `count` large digits whose first one stands at origin."""
    x, y = local(origin)
    w = BIG_STEP * (count - 1) + BIG_DIGIT[0] + 12
    paste(img, inset_box(w, BIG_DIGIT[1] + 8, 6), (x - 6, y - 4))


def divider(img, y):
    d = ImageDraw.Draw(img)
    w = img.width
    d.line((70, y, w // 2 - 14, y), fill=shade(GOLD, -0.2), width=2)
    d.line((w // 2 + 14, y, w - 70, y), fill=shade(GOLD, -0.2), width=2)
    d.polygon([(w // 2, y - 8), (w // 2 + 8, y), (w // 2, y + 8), (w // 2 - 8, y)], fill=GOLD)


def message(lines, subline, best, levels):
    w, h = MESSAGE_SIZE
    img = panel(w, h, 26, shade(NAVY, 0.1), NIGHT, border=GOLD, border_w=3)
    stops = WIN_STOPS if best else GO_STOPS
    size = 44 if len(lines) > 1 else 54
    top = 52 if len(lines) > 1 else 70
    for i, s in enumerate(lines):
        fancy_text(img, (w // 2, top + 54 * i), s, FONT_MAIN, size, stops, stroke=2)
    text(img, (w // 2, 166), subline, font(FONT_ITALIC, 24), LIGHT_ROSE if not best else CREAM,
         shadow_px=1)
    divider(img, 198)
    if best:
        for x, y in ((34, 36), (w - 34, 36)):
            sparkle(img, x, y, 14, LIGHT_GOLD)
    label_font = font(FONT_MAIN, 21)
    if levels:
        digit_blank(img, LEVEL_DIGITS, 2)
        lx, ly = local(LEVEL_DIGITS)
        text(img, (lx - 10, ly + 15), "Levels:", label_font, CREAM, anchor="rm", shadow_px=2)
    digit_blank(img, SCORE_DIGITS, 5)
    sx, sy = local(SCORE_DIGITS)
    text(img, (sx - 10, sy + 15), "Score:", label_font, CREAM, anchor="rm", shadow_px=2)
    return img


def end_pictures():
    out = {"game_over.png": game_over(), "congratulations.png": congratulations()}
    for name, (lines, subline, best, levels) in MESSAGES.items():
        out[name] = message(lines, subline, best, levels)
    return out


"""End-screen pictures: "Game Over" and "Congratulations!" pages, with a strung thread where the
summary appears and how to go back, and the four summary messages with labelled places for the
level count and the score digits.
"""
import numpy as np
from PIL import ImageDraw

from common import (CREAM, FONT_ITALIC, FONT_MAIN, GOLD, LIGHT_GOLD, LIGHT_ROSE, NAVY, NIGHT,
                    ROSE, fancy_text, font, inset_box, panel, paste, shade, sparkle, text)
from gems import gem_image
from scenery import W, veiled, vignette

MESSAGE_POS = (695, 571)
MESSAGE_SIZE = (530, 320)
LEVEL_DIGITS = (799, 795)
SCORE_DIGITS = (907, 829)
BIG_DIGIT = (16, 30)
BIG_STEP = 16


def local(pt):
    return pt[0] - MESSAGE_POS[0], pt[1] - MESSAGE_POS[1]


def strung_thread(img, names, sag, step=58, size=54):
    """A gold thread across the summary's place, sagging by sag pixels in the middle, with gems
    strung on it (None: an empty bead); the summary's opaque message covers it whole."""
    x0, x1 = KEEPSAKE[0], KEEPSAKE[2]
    mid_y = (KEEPSAKE[1] + KEEPSAKE[3]) / 2 - sag / 2

    def y_at(x):
        t = (x - x0) / (x1 - x0)
        return mid_y + sag * 4 * t * (1 - t)

    d = ImageDraw.Draw(img)
    d.line([(x, y_at(x)) for x in range(x0, x1 + 1, 4)], fill=shade(GOLD, -0.2), width=3,
           joint="curve")
    first = (x0 + x1) / 2 - step * (len(names) - 1) / 2
    for i, name in enumerate(names):
        x = first + step * i
        if name is None:
            d.ellipse((x - 6, y_at(x) - 6, x + 6, y_at(x) + 6), outline=LIGHT_GOLD, width=2)
        else:
            paste(img, gem_image(name, size), (x - size // 2, y_at(x) - size // 2))


def back_hint(img, colour):
    text(img, (W // 2, HINT_Y), "Space, Enter or a click: back to the menu",
         font(FONT_ITALIC, 30), colour, shadow_px=2)


def clear_of(x, y, areas):
    # x, y is a gem's top left; a gem turned by up to 30 degrees reaches about 110 pixels on.
    return all(not (ax0 - 110 < x < ax1 + 20 and ay0 - 110 < y < ay1 + 20)
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
# Around the summary's place nothing is drawn before the summary but the thread inside it; the
# message's own border is the only frame there, and it comes with the summary.
CALM = (MESSAGE_POS[0] - 40, MESSAGE_POS[1] - 40, MESSAGE_POS[0] + MESSAGE_SIZE[0] + 40,
        MESSAGE_POS[1] + MESSAGE_SIZE[1] + 40)
KEEPSAKE = (MESSAGE_POS[0] + 45, MESSAGE_POS[1] + 45, MESSAGE_POS[0] + MESSAGE_SIZE[0] - 45,
            MESSAGE_POS[1] + MESSAGE_SIZE[1] - 45)
TITLE_AREA = (200, 120, 1720, 460)
HINT_Y = 1012
HINT_AREA = (560, HINT_Y - 24, 1360, HINT_Y + 24)


def game_over():
    img = vignette(veiled(0.7, (14, 10, 30)), 0.7)
    falling_gems(img, 5, [9, 4, "trash", 7, 2, "trash", 5, 8, 3, 6], 560, 1000,
                 [CALM, HINT_AREA])
    fancy_text(img, (W // 2, 270), "Game Over", FONT_MAIN, 180, GO_STOPS,
               halo=shade(ROSE, -0.2), halo_radius=26, stroke=4)
    text(img, (W // 2, 420), "The thread is still.", font(FONT_MAIN, 40), LIGHT_ROSE,
         shadow_px=2)
    strung_thread(img, [8, None, "trash", None, None, 6, None, 3], 60)
    back_hint(img, LIGHT_ROSE)
    return img


def congratulations():
    img = vignette(veiled(0.55), 0.6)
    falling_gems(img, 9, [9, 8, "diamond", 7, 6, "diamond", 5, 4, 3, 2, "diamond", 9], 40, 1000,
                 [CALM, TITLE_AREA, HINT_AREA])
    rng = np.random.default_rng(21)
    for _ in range(26):
        x, y = int(rng.integers(60, W - 60)), int(rng.integers(40, 540))
        if 600 < x < 1320 and y > 180:  # clear of the title and of the summary's place
            continue
        sparkle(img, x, y, 8 + 14 * float(rng.random()), LIGHT_GOLD, 0.9)
    fancy_text(img, (W // 2, 270), "Congratulations!", FONT_MAIN, 160, WIN_STOPS,
               halo=(120, 220, 200), halo_radius=26, stroke=4)
    text(img, (W // 2, 420), "A game to remember.", font(FONT_MAIN, 40), CREAM, shadow_px=2)
    strung_thread(img, [9, 8, 7, "diamond", "diamond", 7, 8, 9], 10)
    for x, y in ((KEEPSAKE[0] + 30, KEEPSAKE[1] + 30), (KEEPSAKE[2] - 30, KEEPSAKE[3] - 30)):
        sparkle(img, x, y, 14, LIGHT_GOLD, 0.9)
    back_hint(img, CREAM)
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
    # The digits' places are fixed; the level count's lies 104 pixels from the left edge, so its
    # label is kept small enough to leave a clear margin inside the border.
    label_font = font(FONT_MAIN, 19)
    if levels:
        digit_blank(img, LEVEL_DIGITS, 2)
        lx, ly = local(LEVEL_DIGITS)
        text(img, (lx - 12, ly + 15), "Levels:", label_font, CREAM, anchor="rm", shadow_px=2)
    digit_blank(img, SCORE_DIGITS, 5)
    sx, sy = local(SCORE_DIGITS)
    text(img, (sx - 12, sy + 15), "Score:", label_font, CREAM, anchor="rm", shadow_px=2)
    return img


def end_pictures():
    out = {"game_over.png": game_over(), "congratulations.png": congratulations()}
    for name, (lines, subline, best, levels) in MESSAGES.items():
        out[name] = message(lines, subline, best, levels)
    return out


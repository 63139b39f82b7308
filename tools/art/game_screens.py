"""The game screen's pictures: the three mode backgrounds laid out around the board, thread,
pattern, tube and read-outs, the glass trash tube, and the landscape behind them.
"""
import numpy as np
from PIL import Image, ImageDraw

from common import (CREAM, FONT_ITALIC, FONT_MAIN, GOLD, LIGHT_GOLD, LIGHT_TEAL, NAVY, NIGHT,
                    SS, WARN, canvas, font, inset_box, panel, paste, shade, text,
                    vertical_gradient)
from gems import gem_image
from scenery import H, W, nature

CELL = 60
BOARD_X, BOARD_Y, ROWS, COLS = 270, 113, 8, 12
COLUMN_STEP = 120
TUBE_X = 1773
CELL_TUBE_X = 1777
PATTERN_X = 60
THREAD_Y = 595
DIGIT_W, DIGIT_STEP, DIGIT_Y, DIGIT_H = 22, 25, 60, 34
TRAY = (1534, 12, 1916, 96)
# The frames round the board and the tube end (exclusive) one row into the thread's top slot, under
# the board's cells: the slot's gems start three rows further down and hang clear of them, and only
# an empty slot's cord meets the frame's edge.
FRAME_TOP, FRAME_BOTTOM = 104, THREAD_Y + 1


def column_x(c):
    return BOARD_X + COLUMN_STEP * c


def readout(img, x, digits, label):
    """A sunken box behind `digits` digit places starting at x, labelled above."""
    w = DIGIT_STEP * (digits - 1) + DIGIT_W + 20
    paste(img, inset_box(w, 48, 9), (x - 10, DIGIT_Y - 7))
    text(img, (x - 10 + w / 2, 30), label, font(FONT_MAIN, 22), LIGHT_GOLD, shadow_px=2)


def name_plate(img, centre_x):
    w = 270
    paste(img, inset_box(w, 48, 12), (centre_x - w // 2, DIGIT_Y - 7))
    text(img, (centre_x, 30), "Player", font(FONT_MAIN, 22), LIGHT_GOLD, shadow_px=2)


def veil():
    """Dark glass over the landscape: denser where gems must stand out."""
    v = vertical_gradient(W, H, [(0, (8, 13, 28, 236)), (0.1, (10, 16, 34, 225)),
                                 (0.56, (12, 20, 40, 214)), (0.6, (10, 18, 36, 168)),
                                 (1, (8, 14, 28, 190))])
    return v


def rail(img, x, y0, y1, w=68):
    """One column's channel: a dark groove with faint cell marks."""
    paste(img, panel(w, y1 - y0, 12, (5, 9, 20), (11, 19, 36), border=(46, 66, 96), border_w=2,
                     shine=False), (x, y0))
    d = ImageDraw.Draw(img)
    for r in range(1, ROWS):
        y = BOARD_Y + CELL * r
        d.line((x + 10, y, x + w - 10, y), fill=(38, 54, 84, 255), width=1)


def frame_panel(x0, x1, radius):
    return panel(x1 - x0, FRAME_BOTTOM - FRAME_TOP, radius, shade(NAVY, 0.12), shade(NAVY, -0.2),
                 border=GOLD, border_w=3)


def board_frame(img):
    x0, x1 = BOARD_X - 22, column_x(COLS - 1) + CELL + 22
    paste(img, frame_panel(x0, x1, 20), (x0, FRAME_TOP))
    for c in range(COLS):
        rail(img, column_x(c) - 4, BOARD_Y - 4, BOARD_Y + ROWS * CELL)
    d = ImageDraw.Draw(img)
    danger = BOARD_Y + 2 * CELL
    for x in (x0 + 4, x1 - 16):
        d.polygon([(x, danger - 6), (x + 12, danger), (x, danger + 6)] if x < 1000 else
                  [(x + 12, danger - 6), (x, danger), (x + 12, danger + 6)], fill=WARN)


def pattern_column(img):
    rail(img, PATTERN_X - 6, BOARD_Y - 5, BOARD_Y + ROWS * CELL + 5, 72)
    d = ImageDraw.Draw(img)
    d.rounded_rectangle((PATTERN_X - 10, BOARD_Y - 9, PATTERN_X + CELL + 10,
                         BOARD_Y + ROWS * CELL + 9), radius=15, outline=GOLD, width=3)
    text(img, (PATTERN_X + 30, 632), "Pattern", font(FONT_MAIN, 26), LIGHT_GOLD, shadow_px=2)
    small = font(FONT_ITALIC, 19)
    text(img, (PATTERN_X + 30, 664), "pull its bottom", small, CREAM, shadow_px=1)
    text(img, (PATTERN_X + 30, 688), "gem first", small, CREAM, shadow_px=1)


def tube_socket(img):
    x0, x1 = TUBE_X - 12, TUBE_X + 68 + 12
    paste(img, frame_panel(x0, x1, 18), (x0, FRAME_TOP))
    rail(img, TUBE_X - 2, BOARD_Y - 4, BOARD_Y + ROWS * CELL, 72)
    label = canvas(480, 40)
    text(label, (240, 20), "Trash tube", font(FONT_MAIN, 24), LIGHT_GOLD, shadow_px=2)
    paste(img, label.rotate(90, expand=True), (x1 + 6, 113))


KEY_HINTS = [("Left Right", "move"), ("Down", "pull"), ("Up", "push back"),
             ("Up on tube", "flush"), ("Space", "drop"), ("P", "pause"), ("B", "menu"),
             ("Escape", "quit")]


def key_legend(img, y, hints=KEY_HINTS):
    paste(img, panel(228, 44 + 30 * len(hints), 16, shade(NAVY, 0.05), NIGHT,
                     border=shade(GOLD, -0.35), border_w=2), (14, y))
    text(img, (128, y + 22), "Keys", font(FONT_MAIN, 22), LIGHT_GOLD, shadow_px=1)
    for i, (k, what) in enumerate(hints):
        yy = y + 50 + 30 * i
        text(img, (28, yy), k, font(FONT_MAIN, 18), LIGHT_GOLD, anchor="lm")
        text(img, (232, yy), what, font(FONT_MAIN, 18), CREAM, anchor="rm")


def button_tray(img):
    x0, y0, x1, y1 = TRAY
    paste(img, panel(x1 - x0, y1 - y0, 40, shade(NAVY, 0.1), NIGHT, border=shade(GOLD, -0.3),
                     border_w=2), (x0, y0))


def base_background():
    img = veil()
    button_tray(img)
    board_frame(img)
    return img


def background_standard():
    img = base_background()
    readout(img, 50, 5, "Time")
    readout(img, 328, 2, "Level")
    readout(img, 510, 5, "Score")
    readout(img, 771, 5, "Best")
    readout(img, 1072, 4, "Patterns")
    name_plate(img, 1368)
    pattern_column(img)
    tube_socket(img)
    key_legend(img, 760)
    return img


def goal_panel(img, lines):
    paste(img, panel(228, 300, 16, shade(NAVY, 0.05), NIGHT, border=shade(GOLD, -0.35),
                     border_w=2), (14, 113))
    text(img, (128, 145), "Goal", font(FONT_MAIN, 26), LIGHT_GOLD, shadow_px=2)
    for i, s in enumerate(lines):
        text(img, (128, 190 + 32 * i), s, font(FONT_MAIN, 20), CREAM, shadow_px=1)


def background_colorlines():
    img = base_background()
    readout(img, 50, 5, "Time")
    readout(img, 328, 2, "Level")
    readout(img, 510, 5, "Score")
    readout(img, 771, 5, "Best")
    readout(img, 1025, 4, "Lines")
    name_plate(img, 1282)
    goal_panel(img, ["String eight", "gems of one", "colour on the", "thread.", "",
                     "A line scores", "8 x its number."])
    key_legend(img, 760, [k for k in KEY_HINTS if k[0] != "Up on tube"])
    line_values(img)
    return img


def line_values(img):
    """Where the tube stands in other modes: what a line of each kind is worth."""
    x0, w = 1690, 220
    paste(img, panel(w, FRAME_BOTTOM - FRAME_TOP, 18, shade(NAVY, 0.05), NIGHT,
                     border=shade(GOLD, -0.35), border_w=2), (x0, FRAME_TOP))
    text(img, (x0 + w // 2, 134), "A line of", font(FONT_MAIN, 22), LIGHT_GOLD, shadow_px=1)
    for i, points in enumerate(range(9, 1, -1)):
        y = 160 + 54 * i
        paste(img, gem_image(points, 48), (x0 + 34, y))
        text(img, (x0 + 150, y + 25), "= %d" % (8 * points), font(FONT_MAIN, 26), CREAM,
             shadow_px=1)


def background_casual():
    img = base_background()
    readout(img, 50, 4, "Patterns")
    text(img, (760, 78), "Casual - no clock, no score, fast falls: play till the board fills",
         font(FONT_ITALIC, 26), CREAM, shadow_px=2)
    pattern_column(img)
    tube_socket(img)
    key_legend(img, 760)
    return img


def trash_tube():
    """A glass tube, mostly clear so the gems passing through it stay visible."""
    w, h = 68, 480
    n_w, n_h = w * SS, h * SS
    img = canvas(n_w, n_h)
    xs = np.linspace(-1, 1, n_w, dtype=np.float32)
    edge = np.clip((np.abs(xs) - 0.72) / 0.28, 0, 1) ** 1.5
    alpha = (18 + 150 * edge)[None, :].repeat(n_h, axis=0)
    glass = np.zeros((n_h, n_w, 4), np.float32)
    glass[..., :3] = np.array(LIGHT_TEAL, np.float32)
    glass[..., 3] = alpha
    img.alpha_composite(Image.fromarray(glass.astype(np.uint8), "RGBA"))
    d = ImageDraw.Draw(img)
    d.rounded_rectangle((12 * SS, 20 * SS, 17 * SS, (h - 20) * SS), radius=2 * SS,
                        fill=(255, 255, 255, 120))
    d.rounded_rectangle((52 * SS, 30 * SS, 54 * SS, (h - 40) * SS), radius=SS,
                        fill=(255, 255, 255, 60))
    for y0 in (0, h - 14):
        d.rounded_rectangle((0, y0 * SS, n_w - 1, (y0 + 14) * SS), radius=5 * SS,
                            fill=shade(GOLD, -0.15), outline=shade(GOLD, -0.55), width=SS)
        d.line((3 * SS, (y0 + 4) * SS, n_w - 3 * SS, (y0 + 4) * SS), fill=LIGHT_GOLD,
               width=SS)
    for r in range(1, 8):
        y = r * 60 * SS
        d.line((3 * SS, y, 8 * SS, y), fill=shade(GOLD, -0.1), width=SS)
        d.line((n_w - 8 * SS, y, n_w - 3 * SS, y), fill=shade(GOLD, -0.1), width=SS)
    return img.resize((w, h), Image.LANCZOS)


def game_pictures():
    return {"nature.png": nature(), "background.png": background_standard(),
            "backgroundColorLines.png": background_colorlines(),
            "backgroundCasual.png": background_casual(), "TrashTube.png": trash_tube()}


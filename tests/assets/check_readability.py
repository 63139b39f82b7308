#!/usr/bin/python3
"""Checks that the places where the game draws digits, names and gems sit on dark, quiet
ground in the pictures beneath them, so light digits and white text stay readable, and that
the end pictures keep the summary's area calm. Usage:
  check_readability.py [ASSETS_DIR]     exit status 1 on failure
"""
import sys

import numpy as np
from PIL import Image

import catalogue as cat

MAX_MEAN = 60.0   # grey level, 0..255
MAX_PEAK = 120.0
CALM_STD = 20.0


def rect_digits(x, y, count, step=25, w=22, h=34):
    return (x, y, x + step * (count - 1) + w, y + h)


def top_readouts(mode):
    if mode == "casual":
        return [rect_digits(50, 60, 4)]
    spots = [rect_digits(50, 60, 5), rect_digits(328, 60, 2), rect_digits(510, 60, 5),
             rect_digits(771, 60, 5)]
    name_x = 1282 if mode == "lines" else 1368
    spots.append(rect_digits(1025 if mode == "lines" else 1072, 60, 4))
    spots.append((name_x - 100, 59, name_x + 100, 77))
    return spots


def board_cells():
    return [(270 + 120 * c, 113 + 60 * r, 330 + 120 * c, 173 + 60 * r)
            for c in range(12) for r in range(8)]


def settings_spots():
    spots = [rect_digits(398, 432, 3), rect_digits(398, 769, 3), (1355, 258, 1565, 282)]
    spots += [(1406, 412 + 47 * i, 1606, 436 + 47 * i) for i in range(10)]
    return spots


def message_spots(name):
    x0, y0 = cat.MESSAGE_POS
    spots = [rect_digits(907, 829, 5, 16, 16, 30)]
    if name in ("GO3", "GO4"):
        spots.append(rect_digits(799, 795, 2, 16, 16, 30))
    return [(a - x0, b - y0, c - x0, d - y0) for a, b, c, d in spots]


def grey(img):
    return np.asarray(img.convert("L"), np.float32)


def over(base, top):
    out = base.copy()
    out.alpha_composite(top)
    return out


def check_dark(report, name, img, spots):
    g = grey(img)
    for x0, y0, x1, y1 in spots:
        area = g[y0:y1, x0:x1]
        report.check(area.mean() <= MAX_MEAN and area.max() <= MAX_PEAK,
                     "%s: spot %s is too light (mean %.0f, peak %.0f)"
                     % (name, (x0, y0, x1, y1), area.mean(), area.max()))


def check_light_digits(report, folder):
    for name in cat.PLAIN_DIGITS + cat.LARGE_DIGITS:
        img = Image.open(cat.path(name, folder)).convert("RGBA")
        alpha = np.asarray(img.getchannel("A"))
        ink = grey(img)[alpha > 200]
        report.check(ink.size > 0 and np.percentile(ink, 90) >= 180,
                     "%s has no light strokes to read on a dark box" % name)


def main():
    folder = cat.assets_dir()
    report = cat.Report()
    imgs = {n: Image.open(cat.path(n, folder)).convert("RGBA") for n in
            ["nature", "background", "backgroundColorLines", "backgroundCasual", "settings",
             "enterYourName", "game_over", "congratulations"] + cat.MESSAGES}
    games = [("background", "standard"), ("backgroundColorLines", "lines"),
             ("backgroundCasual", "casual")]
    for name, mode in games:
        screen = over(imgs["nature"], imgs[name])
        check_dark(report, name, screen, top_readouts(mode) + board_cells())
    check_dark(report, "settings", imgs["settings"], settings_spots())
    check_dark(report, "enterYourName", imgs["enterYourName"], [(6, 56, 216, 80)])
    for name in cat.MESSAGES:
        check_dark(report, name, imgs[name], message_spots(name))
    for name in ("game_over", "congratulations"):
        calm = grey(imgs[name])[571:871, 695:1225]
        report.check(calm.std() <= CALM_STD, "%s: the summary area is busy (spread %.0f)"
                     % (name, calm.std()))
    check_light_digits(report, folder)
    return report.finish("readability")


if __name__ == "__main__":
    sys.exit(main())

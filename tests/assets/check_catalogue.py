#!/usr/bin/python3
"""Checks that every picture the game loads exists, decodes, and keeps a size that fits the
game's layout: full-screen pages fill the screen, buttons centre on the menu column without
overlapping, digits fit their spacing, gems fill one cell. Usage:
  check_catalogue.py [ASSETS_DIR [ICON]]     exit status 1 on failure
"""
import sys

from PIL import Image

import catalogue as cat

CENTRE_X = 960


def load(report, folder, name):
    p = cat.path(name, folder)
    try:
        img = Image.open(p)
        img.load()
    except (OSError, ValueError) as err:
        report.check(False, "%s cannot be read: %s" % (p, err))
        return None
    return img.convert("RGBA")


def box(pos, img):
    return (pos[0], pos[1], pos[0] + img.width, pos[1] + img.height)


def overlap(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


def check_full_screen(report, imgs):
    for name in cat.FULL_SCREEN:
        img = imgs[name]
        report.check(img.size == cat.SCREEN, "%s is %s, not 1920x1080" % (name, img.size))
    for name in cat.OPAQUE:
        low = imgs[name].getchannel("A").getextrema()[0]
        report.check(low == 255, "%s has see-through pixels (alpha down to %d)" % (name, low))


def check_centred_column(report, imgs, files, max_h, what):
    boxes = {}
    for name, pos in files.items():
        img = imgs[name]
        centre = pos[0] + img.width / 2
        report.check(abs(centre - CENTRE_X) <= 3,
                     "%s centres on x=%.0f, not %d" % (name, centre, CENTRE_X))
        report.check(img.height <= max_h, "%s is %d high, more than %d" % (name, img.height, max_h))
        boxes[name] = box(pos, img)
    names = sorted(boxes)
    for i, a in enumerate(names):
        for b in names[i + 1:]:
            if files[a] != files[b]:
                report.check(not overlap(boxes[a], boxes[b]), "%s %s overlap %s" % (what, a, b))
    return boxes


def check_pairs_match(report, imgs, pairs):
    for a, b in pairs:
        report.check(imgs[a].size == imgs[b].size,
                     "%s %s and %s %s differ in size" % (a, imgs[a].size, b, imgs[b].size))


def check_buttons(report, imgs):
    menu = cat.menu_button_files()
    check_centred_column(report, imgs, menu, 136, "menu button")
    modes = cat.mode_button_files()
    modes["back"] = cat.BACK
    check_centred_column(report, imgs, modes, 74, "settings button")
    pairs = [(n, n + "Active") for n in cat.MODE_BUTTONS]
    pairs += [("instructions_gary" if n == "instructions" else n + "_gray", n + "_pink")
              for n in cat.MENU_BUTTONS]
    check_pairs_match(report, imgs, pairs)
    for name, places in cat.ARROWS.items():
        w, h = imgs[name].size
        report.check(60 <= w <= 100 and 60 <= h <= 100, "%s is %dx%d" % (name, w, h))
        for pos in places:
            for readout in cat.VOLUME_READOUTS:
                report.check(not overlap(box(pos, imgs[name]), readout),
                             "%s at %s covers the volume read-out %s" % (name, pos, readout))


def check_game_buttons(report, imgs):
    xs = sorted(set(cat.GAME_BUTTONS.values()))
    step = min(b - a for a, b in zip(xs, xs[1:]))
    for name, x in cat.GAME_BUTTONS.items():
        w, h = imgs[name].size
        report.check(48 <= w <= step and 48 <= h <= 80, "%s is %dx%d" % (name, w, h))
        report.check(x + w <= cat.SCREEN[0], "%s runs off the screen" % name)
    check_pairs_match(report, imgs, [("button_music_on", "button_music_off"),
                                     ("button_sound_on", "button_sound_off"),
                                     ("button_pause", "button_resume")])


def check_small_pieces(report, imgs):
    for name in cat.GEMS:
        report.check(imgs[name].size == (60, 60), "%s is %s, not 60x60" % (name, imgs[name].size))
    sizes = {imgs[n].size for n in cat.PLAIN_DIGITS}
    report.check(len(sizes) == 1, "plain digits differ in size: %s" % sorted(sizes))
    w, h = imgs["digit_0"].size
    report.check(w <= 25 and 26 <= h <= 40, "plain digits are %dx%d (25 apart)" % (w, h))
    sizes = {imgs[n].size for n in cat.LARGE_DIGITS}
    report.check(len(sizes) == 1, "large digits differ in size: %s" % sorted(sizes))
    w, h = imgs["digit_b0"].size
    report.check(w <= 16 and 22 <= h <= 40, "large digits are %dx%d (16 apart)" % (w, h))
    report.check(imgs["cursor"].size == (32, 32), "cursor is %s" % (imgs["cursor"].size,))
    report.check(imgs["cursor"].getpixel((1, 1))[3] > 128, "cursor tip is not at the top left")
    w, h = imgs["TrashTube"].size
    report.check(60 <= w <= 76 and 470 <= h <= 490, "TrashTube is %dx%d" % (w, h))


def check_placed_pictures(report, imgs):
    for name in cat.MESSAGES:
        img = imgs[name]
        right, bottom = cat.MESSAGE_POS[0] + img.width, cat.MESSAGE_POS[1] + img.height
        # The large digits of the score end at 907 + 4 * 16 + 16, 829 + 30.
        report.check(right >= 990 and bottom >= 860 and right <= 1920 and bottom <= 1080,
                     "%s at (695, 571) spans to (%d, %d)" % (name, right, bottom))
    check_pairs_match(report, imgs, [("GO1", n) for n in cat.MESSAGES[1:]])
    img = imgs["enterYourName"]
    right, bottom = cat.NAME_FIELD_POS[0] + img.width, cat.NAME_FIELD_POS[1] + img.height
    report.check(right >= 1355 + 210 and bottom >= 256 + 26,
                 "enterYourName does not cover the typed name (ends at %d, %d)" % (right, bottom))


def check_icon(report, icon_path):
    try:
        img = Image.open(icon_path)
        report.check(img.size == (256, 256), "icon is %s, not 256x256" % (img.size,))
    except OSError as err:
        report.check(False, "icon %s cannot be read: %s" % (icon_path, err))


def main():
    folder = cat.assets_dir()
    report = cat.Report()
    imgs = {n: load(report, folder, n) for n in cat.all_names()}
    report.check(len(imgs) == 83, "the catalogue lists %d pictures, not 83" % len(imgs))
    if all(img is not None for img in imgs.values()):
        check_full_screen(report, imgs)
        check_buttons(report, imgs)
        check_game_buttons(report, imgs)
        check_small_pieces(report, imgs)
        check_placed_pictures(report, imgs)
    check_icon(report, sys.argv[2] if len(sys.argv) > 2 else cat.ICON)
    return report.finish("picture catalogue")


if __name__ == "__main__":
    sys.exit(main())

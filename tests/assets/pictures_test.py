#!/usr/bin/python3
"""The committed pictures are byte for byte what tools/art/generate.py draws, and fit the game's layout (not
the generator's): sizes that fit, centred buttons that do not overlap, light figures on dark quiet ground,
gem kinds distinct in grey."""
import filecmp
import itertools
import os
import subprocess
import sys
import tempfile

import numpy as np
from PIL import Image

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ASSETS, ICON = os.path.join(REPO, "assets"), os.path.join(REPO, "dist", "icons", "tavrello.png")
SEE_THROUGH = ["background", "backgroundCasual", "backgroundColorLines"]  # drawn over nature; others on black
FULL_SCREEN = SEE_THROUGH + ["start_page", "menu_page", "settings", "instructions", "about", "nature",
                             "game_over", "congratulations"]
MENU = {"start_gray": (858, 367), "settings_gray": (856, 504), "instructions_gary": (855, 640),
        "about_gray": (857, 775), "quit_gray": (859, 911)}  # each with its _pink look
MODES = {"easy": (906, 260), "normal": (879, 335), "hard": (907, 410), "veryHard": (854, 485),
         "ColorLines": (846, 663), "casual": (883, 738)}  # each with its Active look
ARROWS = {"upArrow": [(403, 341), (403, 678)], "downArrow": [(403, 489), (403, 826)]}
READOUTS = [(398, 432, 470, 466), (398, 769, 470, 803)]  # three digits 25 apart: left, top, right, bottom
SWITCHES = ["button_music_on", "button_music_off", "button_sound_on", "button_sound_off", "button_pause",
            "button_resume"]  # pairs of looks of one button
GAME_BUTTONS = SWITCHES + ["button_main_menu", "button_quit"]
GEMS = ["gem_90", "gem_80", "gem_70", "gem_60", "gem_50", "gem_40", "gem_30", "gem_20", "gem_diamond", "gem_trash"]
DIGITS, LARGE_DIGITS = ["digit_%d" % d for d in range(10)] + ["digit_colon"], ["digit_b%d" % d for d in range(10)]
MESSAGES = ["GO1", "GO2", "GO3", "GO4"]
SIZES = [(FULL_SCREEN, (1920, 1920, 1080, 1080)), (GEMS + ["thread_segment"], (60, 60, 60, 60)),
         (["cursor"], (32, 32, 32, 32)), (["TrashTube"], (60, 76, 470, 490)), (ARROWS, (60, 100, 60, 100)),
         (DIGITS, (1, 25, 26, 40)), (LARGE_DIGITS, (1, 16, 22, 40)), (GAME_BUTTONS, (48, 76, 48, 80))]
# Placed at a point, reaching at least a far corner and staying on screen: the end summary's digits, the typed name.
REACHES = [(m, (695, 571), (990, 860)) for m in MESSAGES] + [("enterYourName", (1349, 202), (1565, 282)),
                                                             ("button_quit", (1847, 22), (1895, 70))]
ALL = (FULL_SCREEN + list(MENU) + [n.split("_")[0] + "_pink" for n in MENU] + list(MODES)
       + [n + "Active" for n in MODES] + ["back", "TrashTube", "enterYourName", "cursor", "thread_segment"]
       + list(ARROWS) + GAME_BUTTONS + GEMS + DIGITS + LARGE_DIGITS + MESSAGES)
CELL_COLOUR = (8, 14, 28, 255)
DARK_MEAN, DARK_PEAK, CALM_SPREAD = 60.0, 120.0, 20.0  # grey levels 0..255
GEM_DIFFERENCE, GEM_COVER = 12.0, 0.25  # distinct cuts differ by 17 and more; one cut in two similar hues by 6
PROBLEMS = []  # listed together at the end


def problem(found, message):
    if found:
        PROBLEMS.append(message)


# Boxes are (left, top, right, bottom); digits_box covers a row of count digits placed step apart.
def box(x, y, picture): return (x, y, x + picture.width, y + picture.height)
def digits_box(x, y, count, step=25, w=22, h=34): return (x, y, x + step * (count - 1) + w, y + h)
def overlap(a, b): return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


def check_layout(pics):
    for names, (low_w, high_w, low_h, high_h) in SIZES:
        for name, (w, h) in ((name, pics[name].size) for name in names):
            problem(not (low_w <= w <= high_w and low_h <= h <= high_h), f"{name} is {w}x{h}")
    for name in set(FULL_SCREEN) - set(SEE_THROUGH):
        problem(pics[name].getchannel("A").getextrema()[0] < 255, f"{name} has see-through pixels")
    problem(pics["cursor"].getpixel((1, 1))[3] <= 128, "the cursor's tip is not at its top left")
    pairs = [(n, n.split("_")[0] + "_pink") for n in MENU] + [(n, n + "Active") for n in MODES]
    pairs += list(zip(SWITCHES[::2], SWITCHES[1::2])) + [p for group in (DIGITS, LARGE_DIGITS, MESSAGES)
                                                         for p in zip(group, group[1:])]
    for a, b in pairs:
        problem(pics[a].size != pics[b].size, f"{a} {pics[a].size} and {b} {pics[b].size} differ in size")
    for places, tallest in ((MENU, 136), ({**MODES, "back": (832, 861)}, 74)):
        for name, (x, y) in places.items():
            problem(abs(x + pics[name].width / 2 - 960) > 3, f"{name} is not centred on x=960")
            problem(pics[name].height > tallest, f"{name} is higher than {tallest}")
        boxes = [box(*place, pics[name]) for name, place in places.items()]
        problem(any(overlap(a, b) for a, b in itertools.combinations(boxes, 2)), f"buttons overlap: {boxes}")
    for name, places in ARROWS.items():
        problem(any(overlap(box(*p, pics[name]), r) for p in places for r in READOUTS), f"{name} covers a read-out")
    for name, (x, y), (right, bottom) in REACHES:
        end = box(x, y, pics[name])
        problem(not (right <= end[2] <= 1920 and bottom <= end[3] <= 1080), f"{name} at ({x}, {y}) ends at {end[2:]}")


def dark_spots():  # where light digits, names and gems are drawn
    cells = [(270 + 120 * c, 113 + 60 * r, 330 + 120 * c, 173 + 60 * r) for c in range(12) for r in range(8)]
    top = [digits_box(50, 60, 5), digits_box(328, 60, 2), digits_box(510, 60, 5), digits_box(771, 60, 5)] + cells
    summary = [(907 - 695, 829 - 571, 5), (799 - 695, 795 - 571, 2)]  # score, then level, beside the message
    return [("background", top + [digits_box(1072, 60, 4), (1268, 59, 1468, 77)]),
            ("backgroundColorLines", top + [digits_box(1025, 60, 4), (1182, 59, 1382, 77)]),
            ("backgroundCasual", [digits_box(50, 60, 4)] + cells), ("enterYourName", [(6, 56, 216, 80)]),
            ("settings", [digits_box(398, 432, 3), digits_box(398, 769, 3), (1355, 258, 1565, 282)]
             + [(1406, 412 + 47 * i, 1606, 436 + 47 * i) for i in range(10)])] + [
        (m, [digits_box(x, y, n, 16, 16, 30) for x, y, n in summary[:1 + (m in ("GO3", "GO4"))]]) for m in MESSAGES]


def grey(picture, ground=None):
    return np.asarray((picture if ground is None else Image.alpha_composite(ground, picture)).convert("L"), np.float32)


def check_looks(pics):
    for name, spots in dark_spots():
        g = grey(pics[name], pics["nature"] if name in SEE_THROUGH else None)
        for x0, y0, x1, y1 in spots:
            area = g[y0:y1, x0:x1]
            problem(area.mean() > DARK_MEAN or area.max() > DARK_PEAK,
                    f"{name}: {(x0, y0, x1, y1)} is too light (mean {area.mean():.0f}, peak {area.max():.0f})")
    for name in ("game_over", "congratulations"):
        problem(grey(pics[name])[571:871, 695:1225].std() > CALM_SPREAD, f"{name}: the summary's area is busy")
    for name in DIGITS + LARGE_DIGITS:
        ink = grey(pics[name])[np.asarray(pics[name].getchannel("A")) > 200]
        problem(ink.size == 0 or np.percentile(ink, 90) < 180, f"{name} has no light strokes")
    greys = {kind: grey(pics[kind], Image.new("RGBA", pics[kind].size, CELL_COLOUR)) for kind in GEMS}
    for kind in GEMS:
        cover = np.asarray(pics[kind].getchannel("A"), np.float32).mean() / 255
        problem(cover < GEM_COVER, f"{kind} covers only {100 * cover:.0f}% of its cell")
    for a, b in itertools.combinations(GEMS, 2):
        difference = float(np.abs(greys[a] - greys[b]).mean()) if greys[a].shape == greys[b].shape else 99
        problem(difference < GEM_DIFFERENCE, f"{a} and {b} differ by only {difference:.1f} grey levels")


def check_regenerated():
    with tempfile.TemporaryDirectory() as made:
        run = subprocess.run([sys.executable, os.path.join(REPO, "tools", "art", "generate.py"), "--out", made,
                              "--icon", os.path.join(made, "tavrello.png")], capture_output=True, text=True)
        problem(run.returncode != 0, f"the generator failed:\n{run.stderr[-2000:]}")
        for name, kept in [(n + ".png", os.path.join(ASSETS, n + ".png")) for n in ALL] + [("tavrello.png", ICON)]:
            drawn = os.path.join(made, name)
            problem(not (os.path.exists(drawn) and filecmp.cmp(drawn, kept, shallow=False)), f"{kept} is not as drawn")


if __name__ == "__main__":
    check_regenerated()
    pics = {}
    for name in ALL:
        try:
            pics[name] = Image.open(os.path.join(ASSETS, name + ".png")).convert("RGBA")
        except OSError as error:
            problem(True, f"{name}.png cannot be read: {error}")
    if len(pics) == len(ALL):
        check_layout(pics)
        check_looks(pics)
    print("\n".join(f"FAIL: {p}" for p in PROBLEMS) or "all good")
    sys.exit(1 if PROBLEMS else 0)

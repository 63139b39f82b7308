#!/usr/bin/python3
"""The committed pictures are byte for byte what tools/art/generate.py draws, and fit the game's layout (not
the generator's): sizes that fit, centred buttons apart, light figures on dark ground, gems distinct in grey."""
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
         "ColorLines": (846, 663), "casual": (883, 738), "back": (832, 861)}  # each but back with its Active look
ARROWS = {"upArrow": [(403, 341), (403, 678)], "downArrow": [(403, 489), (403, 826)]}
VOLUMES = [(398, 432, 470, 466), (398, 769, 470, 803)]  # read-outs, three digits 25 apart: left, top, right, bottom
SWITCHES = [[f"button_{n}_on", f"button_{n}_off"] for n in ("music", "sound")] + [["button_pause", "button_resume"]]
GEMS = ["gem_90", "gem_80", "gem_70", "gem_60", "gem_50", "gem_40", "gem_30", "gem_20", "gem_diamond", "gem_trash"]
DIGITS, LARGE_DIGITS = ["digit_%d" % d for d in range(10)] + ["digit_colon"], ["digit_b%d" % d for d in range(10)]
MESSAGES = ["GO1", "GO2", "GO3", "GO4"]
# Least and most width and height where the game draws them: game buttons 76 apart up to x=1847, end messages
# at (695, 571) under the summary to (990, 860), the name field at (1349, 202) under the name to (1565, 282).
SIZES = [(FULL_SCREEN, (1920, 1920, 1080, 1080)), (GEMS + ["thread_segment"], (60, 60, 60, 60)),
         (["cursor"], (32, 32, 32, 32)), (["TrashTube"], (60, 76, 470, 490)), (ARROWS, (60, 100, 60, 100)),
         (DIGITS, (1, 25, 26, 40)), (LARGE_DIGITS, (1, 16, 22, 40)), (MENU, (1, 1920, 1, 136)),
         (MODES, (1, 1920, 1, 74)), (sum(SWITCHES, ["button_main_menu", "button_quit"]), (48, 73, 48, 80)),
         (MESSAGES, (295, 1225, 289, 509)), (["enterYourName"], (216, 571, 80, 878))]
DARK_MEAN, DARK_PEAK = 60.0, 120.0  # grey levels 0..255
GEM_DIFFERENCE = 12.0  # on the board's cell colour distinct cuts differ by 17 and more; one cut in two hues by 6
PROBLEMS = []  # listed together at the end


# Boxes are (left, top, right, bottom); digits_box covers a row of count digits placed step apart.
def problem(found, message): PROBLEMS.extend([message] if found else [])
def box(x, y, picture): return (x, y, x + picture.width, y + picture.height)
def digits_box(x, y, count, step=25, w=22, h=34): return (x, y, x + step * (count - 1) + w, y + h)
def overlap(a, b): return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


def check_layout(pics):
    for name, (w0, w1, h0, h1) in ((name, size) for names, size in SIZES for name in names):
        problem(not (w0 <= pics[name].width <= w1 and h0 <= pics[name].height <= h1), f"{name}: {pics[name].size}")
    for name in set(FULL_SCREEN) - set(SEE_THROUGH):
        problem(pics[name].getchannel("A").getextrema()[0] < 255, f"{name} has see-through pixels")
    problem(pics["cursor"].getpixel((1, 1))[3] <= 128, "the cursor's tip is not at its top left")
    looks = [[n, n.split("_")[0] + "_pink"] for n in MENU] + [[n, n + "Active"] for n in list(MODES)[:-1]]
    for group in looks + SWITCHES + [DIGITS, LARGE_DIGITS, MESSAGES]:
        problem(len({pics[name].size for name in group}) > 1, f"the looks {group} differ in size")
    for places in (MENU, MODES):
        problem(off := [n for n, (x, y) in places.items() if abs(x + pics[n].width / 2 - 960) > 3],
                f"not centred on x=960: {off}")
        boxes = [box(*place, pics[name]) for name, place in places.items()]
        problem(any(overlap(a, b) for a, b in itertools.combinations(boxes, 2)), f"buttons overlap: {boxes}")
    for name, places in ARROWS.items():
        problem(any(overlap(box(*p, pics[name]), r) for p in places for r in VOLUMES), f"{name} covers a read-out")


# Where light digits, names and gems are drawn: the board's cells, the read-outs, the player list, the summary.
CELLS = [(270 + 120 * c, 113 + 60 * r, 330 + 120 * c, 173 + 60 * r) for c in range(12) for r in range(8)]
TOP = [digits_box(x, 60, n) for x, n in ((50, 5), (328, 2), (510, 5), (771, 5))] + CELLS
SUMMARY = [digits_box(907 - 695, 829 - 571, 5, 16, 16, 30), digits_box(799 - 695, 795 - 571, 2, 16, 16, 30)]
DARK_SPOTS = [("background", TOP + [digits_box(1072, 60, 4), (1268, 59, 1468, 77)]),
              ("backgroundColorLines", TOP + [digits_box(1025, 60, 4), (1182, 59, 1382, 77)]),
              ("backgroundCasual", [digits_box(50, 60, 4)] + CELLS), ("enterYourName", [(6, 56, 216, 80)]),
              ("settings", VOLUMES + [(1355, 258, 1565, 282)] + [(1406, y, 1606, y + 24) for y in range(412, 882, 47)]),
              ("GO1", SUMMARY[:1]), ("GO2", SUMMARY[:1]), ("GO3", SUMMARY), ("GO4", SUMMARY)]  # score, level


def grey(picture, ground=None):
    return np.asarray((picture if ground is None else Image.alpha_composite(ground, picture)).convert("L"), np.float32)


def check_looks(pics):
    for name, spots in DARK_SPOTS:
        g = grey(pics[name], pics["nature"] if name in SEE_THROUGH else None)
        for x0, y0, x1, y1 in spots:
            area = g[y0:y1, x0:x1]
            problem(area.mean() > DARK_MEAN or area.max() > DARK_PEAK, f"{name}: {(x0, y0, x1, y1)} is too light")
    for name in DIGITS + LARGE_DIGITS:
        ink = grey(pics[name])[np.asarray(pics[name].getchannel("A")) > 200]
        problem(ink.size == 0 or np.percentile(ink, 90) < 180, f"{name} has no light strokes")
    greys = {kind: grey(pics[kind], Image.new("RGBA", pics[kind].size, (8, 14, 28, 255))) for kind in GEMS}
    for a, b in itertools.combinations(GEMS, 2):
        problem((d := float(np.abs(greys[a] - greys[b]).mean())) < GEM_DIFFERENCE, f"{a} and {b} differ by {d:.1f}")


if __name__ == "__main__":
    with tempfile.TemporaryDirectory() as made:
        icon = os.path.join(made, "icon", "tavrello.png")
        run = subprocess.run([sys.executable, os.path.join(REPO, "tools", "art", "generate.py"), "--out", made,
                              "--icon", icon], capture_output=True, text=True)
        problem(run.returncode != 0, f"the generator failed:\n{run.stderr[-2000:]}")
        names = sorted({n for folder in (made, ASSETS) for n in os.listdir(folder) if n.endswith(".png")})
        differ = sum(filecmp.cmpfiles(made, ASSETS, names, shallow=False)[1:], [])
        differ += [] if os.path.exists(icon) and filecmp.cmp(icon, ICON, shallow=False) else [ICON]
        problem(differ, f"not as drawn: {differ}")
    pics = {n[:-4]: Image.open(p).convert("RGBA") for n in names if os.path.exists(p := os.path.join(ASSETS, n))}
    try:
        check_layout(pics)
        check_looks(pics)
    except (KeyError, ValueError) as error:  # a picture missing, or gems of different sizes
        problem(True, f"the pictures cannot be checked: {error!r}")
    print("\n".join(f"FAIL: {p}" for p in PROBLEMS) or "all good")
    sys.exit(1 if PROBLEMS else 0)

#!/usr/bin/python3
"""Checks that the ten gem kinds stay distinguishable without colour.

Each gem is laid on the board's dark cell colour and turned to greyscale; every pair of kinds
must differ by a clear mean absolute difference over the 60x60 picture. Usage:
  check_gems_greyscale.py [ASSETS_DIR]     exit status 1 on failure
"""
import itertools
import sys

import numpy as np
from PIL import Image

from catalogue import Report, assets_dir, path

KINDS = ["gem_90", "gem_80", "gem_70", "gem_60", "gem_50", "gem_40", "gem_30", "gem_20",
         "gem_diamond", "gem_trash"]
CELL_COLOUR = (8, 14, 28, 255)
# Grey levels 0..255. Distinct cuts of distinct brightness measure about 17 and more; one cut
# in two hues of similar brightness measures under 6, which is what this guards against.
MIN_DIFFERENCE = 12.0
MIN_COVER = 0.25


def grey(folder, kind):
    img = Image.open(path(kind, folder)).convert("RGBA")
    ground = Image.new("RGBA", img.size, CELL_COLOUR)
    ground.alpha_composite(img)
    alpha = np.asarray(img.getchannel("A"), np.float32) / 255.0
    return np.asarray(ground.convert("L"), np.float32), alpha


def main():
    folder = assets_dir()
    report = Report()
    pictures = {}
    for kind in KINDS:
        g, alpha = grey(folder, kind)
        pictures[kind] = g
        report.check(g.shape == (60, 60), "%s is %s, not 60x60" % (kind, g.shape[::-1]))
        report.check(alpha.mean() >= MIN_COVER,
                     "%s covers only %.0f%% of its cell" % (kind, 100 * alpha.mean()))
    worst = None
    for a, b in itertools.combinations(KINDS, 2):
        if pictures[a].shape != pictures[b].shape:
            continue
        diff = float(np.abs(pictures[a] - pictures[b]).mean())
        worst = min(worst or (diff, a, b), (diff, a, b))
        report.check(diff >= MIN_DIFFERENCE,
                     "%s and %s differ by only %.1f grey levels" % (a, b, diff))
    if worst:
        print("closest pair: %s / %s, %.1f grey levels" % (worst[1], worst[2], worst[0]))
    return report.finish("gems in greyscale")


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""Writes every picture of Tavrello: assets/*.png and dist/icons/tavrello.png.

Deterministic: the same bytes on every run. Usage:
  generate.py [--out DIR] [--icon PATH] [--only NAME ...]
--out defaults to the repository's assets/; --only limits the run to the named files
(e.g. gem_90.png) and to the groups that draw them.
"""
import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import buttons  # noqa: E402
import digits  # noqa: E402
import end_screens  # noqa: E402
import game_screens  # noqa: E402
import gems  # noqa: E402
import icon  # noqa: E402
import pages  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

# Each group is drawn by one function; the names let --only skip the slow groups.
GROUPS = [
    ("gems", gems.gem_pictures),
    ("digits", digits.digit_pictures),
    ("buttons", buttons.button_pictures),
    ("pages", pages.page_pictures),
    ("game", game_screens.game_pictures),
    ("end", end_screens.end_pictures),
]

GROUP_FILES = {
    "gems": ["thread_segment.png"] + ["gem_%d.png" % v for v in range(20, 100, 10)]
    + ["gem_diamond.png", "gem_trash.png"],
    "digits": ["digit_%d.png" % d for d in range(10)] + ["digit_b%d.png" % d for d in range(10)]
    + ["digit_colon.png"],
    "pages": ["start_page.png", "menu_page.png", "settings.png", "instructions.png",
              "about.png"],
    "game": ["nature.png", "background.png", "backgroundColorLines.png", "backgroundCasual.png",
             "TrashTube.png"],
    "end": ["game_over.png", "congratulations.png", "GO1.png", "GO2.png", "GO3.png", "GO4.png"],
}


def save(img, path):
    # No metadata chunks: the bytes depend only on the pixels.
    img.save(path, format="PNG", optimize=False, compress_level=9)


def wanted_groups(only):
    if not only:
        return [g for g, _ in GROUPS]
    names = set(only)
    return [g for g, _ in GROUPS if g not in GROUP_FILES or names & set(GROUP_FILES[g])]


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=os.path.join(REPO, "assets"))
    ap.add_argument("--icon", default=os.path.join(REPO, "dist", "icons", "tavrello.png"))
    ap.add_argument("--only", nargs="*", default=None)
    args = ap.parse_args(argv)
    os.makedirs(args.out, exist_ok=True)
    groups = wanted_groups(args.only)
    for name, draw in GROUPS:
        if name not in groups:
            continue
        for fname, img in sorted(draw().items()):
            if args.only and fname not in args.only:
                continue
            save(img, os.path.join(args.out, fname))
    if not args.only or "tavrello.png" in args.only:
        os.makedirs(os.path.dirname(args.icon), exist_ok=True)
        save(icon.app_icon(), args.icon)
    return 0


if __name__ == "__main__":
    sys.exit(main())

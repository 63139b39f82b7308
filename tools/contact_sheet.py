#!/usr/bin/python3
"""Lays every gem, digit and button of assets/ on one sheet for review, or screenshots of the
game's screens side by side. Usage:
  contact_sheet.py OUTPUT.png [ASSETS_DIR]
  contact_sheet.py --screens OUTPUT.png SHOTS_DIR [COLUMNS]
Each picture is shown at its own size on the board's dark colour, with its file name under it;
the gems are repeated in greyscale on the last row. Screenshots (every PNG of SHOTS_DIR, in name
order) are shown at a quarter of their size, COLUMNS (default 4) to a row, each with its name.
"""
import glob
import os
import sys

from PIL import Image, ImageDraw, ImageFont

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FONT = "/usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf"
GROUND = (8, 14, 28, 255)
SHEET_W = 1800
PAD = 10
LABEL_H = 16

GROUPS = [
    ("gems", ["thread_segment", "gem_90", "gem_80", "gem_70", "gem_60", "gem_50", "gem_40",
              "gem_30", "gem_20", "gem_diamond", "gem_trash"]),
    ("digits", ["digit_%d" % d for d in range(10)] + ["digit_colon"]
     + ["digit_b%d" % d for d in range(10)]),
    ("menu buttons", "*_gray.png *_gary.png *_pink.png"),
    ("mode buttons", "easy* normal* hard* veryHard* ColorLines* casual* back upArrow downArrow"),
    ("game buttons", "button_*.png TrashTube cursor enterYourName"),
]


def expand(folder, spec):
    if isinstance(spec, list):
        return [os.path.join(folder, n + ".png") for n in spec]
    out = []
    for pattern in spec.split():
        pattern = pattern if pattern.endswith(".png") else pattern + ".png"
        out += sorted(glob.glob(os.path.join(folder, pattern)))
    return out


def lay_out(items):
    """Positions for (title, [images]) rows, wrapping at the sheet width."""
    x = y = PAD
    placed, row_h = [], 0
    for title, pictures in items:
        x, y = PAD, y + row_h + (PAD if row_h else 0)
        placed.append(("title", title, (x, y)))
        y += 22
        row_h = 0
        for name, img in pictures:
            if x + img.width > SHEET_W - PAD:
                x, y, row_h = PAD, y + row_h + LABEL_H + PAD, 0
            placed.append(("img", (name, img), (x, y)))
            x += max(img.width, 84) + PAD
            row_h = max(row_h, img.height)
        row_h += LABEL_H
    return placed, y + row_h + PAD


def screens_sheet(output, folder, columns=4):
    files = sorted(glob.glob(os.path.join(folder, "*.png")))
    if not files:
        print("no screenshots in " + folder)
        return 1
    shots = [Image.open(f).convert("RGB") for f in files]
    w, h = shots[0].width // 4, shots[0].height // 4
    rows = (len(shots) + columns - 1) // columns
    sheet = Image.new("RGB", (PAD + columns * (w + PAD), PAD + rows * (h + LABEL_H + PAD)), GROUND[:3])
    draw = ImageDraw.Draw(sheet)
    font = ImageFont.truetype(FONT, 13)
    for i, (path, shot) in enumerate(zip(files, shots)):
        x, y = PAD + (i % columns) * (w + PAD), PAD + (i // columns) * (h + LABEL_H + PAD)
        sheet.paste(shot.resize((w, h), Image.LANCZOS), (x, y))
        draw.text((x, y + h + 2), os.path.basename(path)[:-4], font=font, fill=(200, 200, 200))
    sheet.save(output)
    return 0


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    if sys.argv[1] == "--screens":
        if len(sys.argv) < 4:
            print(__doc__)
            return 2
        return screens_sheet(sys.argv[2], sys.argv[3], *[int(a) for a in sys.argv[4:5]])
    folder = sys.argv[2] if len(sys.argv) > 2 else os.path.join(REPO, "assets")
    items = []
    for title, spec in GROUPS:
        files = expand(folder, spec)
        items.append((title, [(os.path.basename(f)[:-4], Image.open(f).convert("RGBA"))
                              for f in files]))
    gems = items[0][1]
    items.append(("gems in greyscale", [(n, Image.alpha_composite(
        Image.new("RGBA", i.size, GROUND), i).convert("L").convert("RGBA")) for n, i in gems]))
    placed, height = lay_out(items)
    sheet = Image.new("RGBA", (SHEET_W, height), GROUND)
    draw = ImageDraw.Draw(sheet)
    font = ImageFont.truetype(FONT, 12)
    for kind, what, (x, y) in placed:
        if kind == "title":
            draw.text((x, y), what, font=ImageFont.truetype(FONT, 16), fill=(240, 220, 160))
            continue
        name, img = what
        sheet.alpha_composite(img, (x, y))
        draw.text((x, y + img.height + 2), name, font=font, fill=(200, 200, 200))
    sheet.convert("RGB").save(sys.argv[1])
    return 0


if __name__ == "__main__":
    sys.exit(main())

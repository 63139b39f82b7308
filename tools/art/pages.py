"""Full-screen menu pages: the splash, the main menu, the settings page, instructions and about."""
from PIL import ImageDraw

from buttons import FIELD_BOX, name_field_box
from common import (CREAM, FONT_ITALIC, FONT_MAIN, GOLD, LIGHT_GOLD, LIGHT_TEAL, NAVY, NIGHT,
                    fancy_text, font, inset_box, panel, paragraph, paste, shade, sparkle, text)
from gems import gem_image
from scenery import W, veiled, vignette

TITLE_STOPS = [(0, (255, 246, 210)), (0.45, LIGHT_GOLD), (0.55, GOLD), (1, shade(GOLD, -0.35))]
GEM_ROW = [9, 8, 7, 6, 5, 4, 3, 2, "diamond"]


def strung_gems(img, x, top, names, size, gap):
    """A gold thread hanging from the top of the screen with gems strung on it."""
    y = top + len(names) * (size + gap)
    d = ImageDraw.Draw(img)
    d.line((x, 0, x, y), fill=shade(GOLD, -0.2), width=3)
    yy = top
    for name in names:
        paste(img, gem_image(name, size), (x - size // 2, yy))
        yy += size + gap
        d.ellipse((x - 4, yy - gap // 2 - 4, x + 4, yy - gap // 2 + 4), fill=LIGHT_GOLD)


def side_threads(img, seed_shift=0):
    sets = [(150, 120, [9, 6, 3], 64), (300, 40, [8, 5, 2, "diamond"], 56),
            (450, 200, [7, 4], 60), (1470, 180, [4, 7, 9], 60), (1620, 60, [2, 5, 8, 6], 56),
            (1770, 150, ["diamond", 3], 64)]
    for i, (x, top, names, size) in enumerate(sets):
        strung_gems(img, x, top + 20 * ((i + seed_shift) % 3), names, size, 16)


def title(img, y, size=170):
    fancy_text(img, (W // 2, y), "Tavrello", FONT_MAIN, size, TITLE_STOPS, halo=(90, 200, 190),
               halo_radius=22, stroke=4)


def start_page():
    img = vignette(veiled(0.35), 0.55)
    side_threads(img)
    title(img, 360, 200)
    text(img, (W // 2, 495), "String the gems.  Match the pattern.", font(FONT_ITALIC, 44),
         CREAM, shadow_px=3)
    for i, name in enumerate(GEM_ROW):
        paste(img, gem_image(name, 72), (W // 2 - 9 * 84 // 2 + i * 84 + 6, 580))
    banner = panel(760, 84, 42, shade(NAVY, 0.1), NIGHT, border=GOLD, border_w=3, opacity=0.92)
    paste(img, banner, (W // 2 - 380, 800))
    text(img, (W // 2, 842), "Press Space, Enter or click to start", font(FONT_MAIN, 38),
         LIGHT_GOLD, shadow_px=2)
    return img


def menu_page():
    img = vignette(veiled(0.5), 0.6)
    side_threads(img, 1)
    title(img, 190, 170)
    text(img, (W // 2, 300), "main menu", font(FONT_ITALIC, 34), LIGHT_TEAL, shadow_px=2)
    for x, y in [(700, 160), (1220, 160), (610, 250), (1310, 250)]:
        sparkle(img, x, y, 12, LIGHT_GOLD, 0.9)
    return img


def heading(img, pos, s, size=40, anchor="mm"):
    fancy_text(img, pos, s, FONT_MAIN, size, TITLE_STOPS, stroke=2, halo=None, anchor=anchor)


def settings_volume(img):
    paste(img, panel(440, 700, 28, shade(NAVY, 0.08), NIGHT, opacity=0.9), (200, 250))
    heading(img, (420, 295), "Volume")
    for label, y_readout in (("Music", 432), ("Sound", 769)):
        text(img, (360, y_readout + 17), label, font(FONT_MAIN, 40), CREAM, anchor="rm",
             shadow_px=2)
        paste(img, inset_box(96, 50), (386, y_readout - 8))


def settings_modes(img):
    paste(img, panel(340, 760, 28, shade(NAVY, 0.08), NIGHT, opacity=0.9), (790, 190))
    heading(img, (960, 232), "Difficulty", 38)
    heading(img, (960, 618), "Modes", 38)
    ImageDraw.Draw(img).line((830, 580, 1090, 580), fill=shade(GOLD, -0.3), width=2)


def settings_players(img):
    paste(img, panel(400, 790, 28, shade(NAVY, 0.08), NIGHT, opacity=0.9), (1306, 110))
    heading(img, (1506, 152), "Players")
    field = name_field_box(314, 100, FIELD_BOX, False)
    paste(img, field, (1349, 202))
    text(img, (1506, 222), "Your name, then Enter", font(FONT_ITALIC, 24), shade(CREAM, -0.1),
         shadow_px=1)
    list_box = panel(340, 500, 16, (4, 8, 18), (12, 22, 40), border=shade(GOLD, -0.35),
                     border_w=2, shine=False)
    paste(img, list_box, (1336, 396))
    d = ImageDraw.Draw(img)
    for i in range(1, 10):
        y = 410 + 47 * i - 4
        d.line((1356, y, 1656, y), fill=(40, 54, 80), width=1)
    text(img, (1506, 372), "click a name to play as it", font(FONT_ITALIC, 22),
         shade(LIGHT_TEAL, -0.1), shadow_px=1)
    text(img, (1506, 926), "Delete removes the yellow name", font(FONT_ITALIC, 22),
         shade(LIGHT_TEAL, -0.1), shadow_px=1)


def settings():
    img = vignette(veiled(0.62), 0.5)
    fancy_text(img, (W // 2, 92), "Settings", FONT_MAIN, 96, TITLE_STOPS, stroke=3,
               halo=(90, 200, 190), halo_radius=16)
    settings_volume(img)
    settings_modes(img)
    settings_players(img)
    text(img, (W // 2, 1040), "Escape returns to the main menu", font(FONT_ITALIC, 24),
         shade(CREAM, -0.2), shadow_px=1)
    return img


INSTRUCTIONS_LEFT = [
    ("The thread", [
        "Gems fall one at a time into the twelve columns.",
        "You do not steer them: you string them on the",
        "thread that hangs under the column you choose",
        "with Left and Right.",
        "Down pulls the bottom gem of that column onto",
        "the thread; Up pushes the thread's top gem back",
        "(while the column has room).",
    ]),
    ("The pattern", [
        "Make the thread equal the pattern at the left.",
        "The gem you pull first ends at the bottom, so",
        "pull the pattern's bottom gem first, its top gem last.",
        "A match scores the numbers on its eight gems",
        "(16 to 72 points), slides away, and a new",
        "pattern rises.",
    ]),
    ("Diamonds, trash and the tube", [
        "Eight diamonds on the thread score 80 points.",
        "Trash matches nothing. To get rid of a full thread,",
        "move to the tube right of the board and press Up:",
        "the thread is flushed away for 4 points.",
    ]),
]

INSTRUCTIONS_RIGHT = [
    ("Levels", [
        "Each level lasts 60 seconds. Every level makes the",
        "gems fall faster; every ten levels a new kind joins.",
        "The game ends when a column fills to the top, or",
        "when level 60 runs out. A gem pulsing near the top",
        "warns that its column is nearly full.",
    ]),
    ("Modes", [
        "Easy, Normal, Hard, Very hard: faster falls and more",
        "trash; diamonds in all but Easy.",
        "Color Lines: no pattern - string eight gems of one",
        "colour. The tube is closed.",
        "Casual: no clock, no levels, no score, and the fastest",
        "falls of all; play till the board fills.",
    ]),
]

KEYS = [("Left / Right", "move the thread"), ("Down", "pull a gem onto the thread"),
        ("Up", "push a gem back; on the tube: flush"), ("Space", "drop the falling gem"),
        ("P", "pause"), ("B", "back to the menu"), ("M / S", "music / sound on or off"),
        ("Escape", "on a page: back to the menu"),
        ("", "anywhere else, in a game too: quit at once")]
PANEL_TOP, PANEL_BOTTOM = 122, 990
LINE_H = 32


def text_column(img, x, y, sections):
    body = font(FONT_MAIN, 25)
    for head, lines in sections:
        heading(img, (x, y), head, 36, anchor="lm")
        y = paragraph(img, x, y + 30, lines, body, CREAM, LINE_H) + 18
    return y


def gem_legend(img, x, y):
    """The ten kinds side by side: each coloured gem shows its points."""
    heading(img, (x, y), "The gems", 36, anchor="lm")
    for i, name in enumerate(GEM_ROW + ["trash"]):
        paste(img, gem_image(name, 56), (x + i * 74, y + 28))
    text(img, (x, y + 100), "Numbers are points; eight diamonds score 80; trash scores nothing.",
         font(FONT_ITALIC, 21), CREAM, anchor="lm", shadow_px=1)


def instructions():
    img = vignette(veiled(0.72), 0.5)
    fancy_text(img, (W // 2, 70), "How to play", FONT_MAIN, 84, TITLE_STOPS, stroke=3,
               halo=(90, 200, 190), halo_radius=14)
    for x, w in ((60, 860), (980, 880)):
        paste(img, panel(w, PANEL_BOTTOM - PANEL_TOP, 26, shade(NAVY, 0.06), NIGHT, opacity=0.88),
              (x, PANEL_TOP))
    y = text_column(img, 100, PANEL_TOP + 42, INSTRUCTIONS_LEFT)
    gem_legend(img, 100, y)
    y = text_column(img, 1020, PANEL_TOP + 42, INSTRUCTIONS_RIGHT)
    heading(img, (1020, y), "Keys", 36, anchor="lm")
    y += 30
    for key, what in KEYS:
        text(img, (1020, y), key, font(FONT_MAIN, 25), LIGHT_GOLD, anchor="la", shadow_px=1)
        text(img, (1200, y), what, font(FONT_MAIN, 25), CREAM, anchor="la", shadow_px=1)
        y += LINE_H
    text(img, (W // 2, 1036), "Click anywhere to return", font(FONT_ITALIC, 30), LIGHT_GOLD,
         shadow_px=2)
    return img


def about():
    img = vignette(veiled(0.6), 0.55)
    paste(img, panel(900, 640, 32, shade(NAVY, 0.08), NIGHT, opacity=0.9), (510, 200))
    title(img, 320, 140)
    text(img, (W // 2, 430), "Version 1.0", font(FONT_MAIN, 44), LIGHT_GOLD, shadow_px=2)
    lines = ["A puzzle of gems, a thread and a pattern.", "", "Made with SFML.",
             "Lettering: URW Bookman (AGPL, font exception).", "Player names: DejaVu Serif.",
             "Pictures, sounds and music made for this game."]
    y = 510
    for s in lines:
        text(img, (W // 2, y), s, font(FONT_MAIN, 32), CREAM, shadow_px=2)
        y += 46
    for i, name in enumerate(GEM_ROW):
        paste(img, gem_image(name, 48), (W // 2 - 9 * 56 // 2 + i * 56 + 4, 770))
    text(img, (W // 2, 930), "Click to return", font(FONT_ITALIC, 36), LIGHT_GOLD, shadow_px=2)
    return img


def page_pictures():
    return {"start_page.png": start_page(), "menu_page.png": menu_page(),
            "settings.png": settings(), "instructions.png": instructions(),
            "about.png": about()}


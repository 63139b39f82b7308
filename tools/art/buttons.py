"""Buttons and small controls: main-menu buttons (gray and pink looks), mode buttons with their
selected looks, the back button, volume arrows, the game-screen buttons, the name field and the
mouse pointer.
"""
from PIL import Image, ImageDraw

from common import (CREAM, DEEP_TEAL, FONT_MAIN, GOLD, INDIGO, LIGHT_GOLD, LIGHT_ROSE, NAVY,
                    NIGHT, ROSE, SLATE, SS, TEAL, WARN, blur, canvas, fit_font, font, glow,
                    panel, rrect_mask, shade, shadow, solid, subtract, text, vertical_gradient,
                    with_alpha)

MENU_H = 110
# Widths that centre every button on x = 960 from its fixed top-left corner.
MENU_BUTTONS = [("start", "Start", 858), ("settings", "Settings", 856),
                ("instructions", "Instructions", 855), ("about", "About", 857),
                ("quit", "Quit", 859)]
MODE_H = 60
MODE_BUTTONS = [("easy", "Easy", 906), ("normal", "Normal", 879), ("hard", "Hard", 907),
                ("veryHard", "Very hard", 854), ("ColorLines", "Color Lines", 846),
                ("casual", "Casual", 883)]
CENTRE_X = 960


def centred_width(x):
    return 2 * (CENTRE_X - x)


def pill(w, h, box, radius, stops, border, border_w, halo=None):
    """A rounded button body inside a (w, h) picture; box is the body's rectangle."""
    img = canvas(w, h)
    outer = rrect_mask(w, h, box, radius)
    x0, y0, x1, y1 = box
    inner = rrect_mask(w, h, (x0 + border_w, y0 + border_w, x1 - border_w, y1 - border_w),
                       radius - border_w)
    if halo:
        img.alpha_composite(glow(outer, 5, halo, 0.9))
    else:
        img.alpha_composite(shadow(outer, (0, 3), 3, NIGHT, 0.7))
    body = vertical_gradient(w, h, stops)
    img.alpha_composite(with_alpha(body, inner))
    shine = vertical_gradient(w, h, [(0, (255, 255, 255, 0)), (y0 / h, (255, 255, 255, 70)),
                                     ((y0 + (y1 - y0) * 0.5) / h, (255, 255, 255, 8)),
                                     (1, (255, 255, 255, 0))])
    img.alpha_composite(with_alpha(shine, inner))
    img.alpha_composite(solid((w, h), border, subtract(outer, inner)))
    return img


def common_size(labels, start):
    """The largest size at which every label of a family fits its button, so the family
    shares one letter size."""
    return min(fit_font(FONT_MAIN, s, w - 42, h - 36, start).size for s, w, h in labels)


MENU_FONT = common_size([(s, centred_width(x), MENU_H) for _n, s, x in MENU_BUTTONS], 40)
MODE_FONT = common_size([(s, centred_width(x), MODE_H) for _n, s, x in MODE_BUTTONS], 30)


def label(img, box, s, fill, size, dark_shadow=True):
    x0, y0, x1, y1 = box
    fnt = font(FONT_MAIN, size)
    centre = ((x0 + x1) / 2, (y0 + y1) / 2 + 1)
    text(img, centre, s, fnt, fill, shadow_px=2 if dark_shadow else 0,
         shadow_fill=(0, 0, 0, 200) if dark_shadow else (0, 0, 0, 0))


GRAY_STOPS = [(0, shade(SLATE, 0.15)), (0.5, SLATE), (1, shade(NAVY, 0.05))]
PINK_STOPS = [(0, LIGHT_ROSE), (0.45, ROSE), (1, shade(ROSE, -0.35))]


def menu_button(s, x, highlighted):
    w, h = centred_width(x), MENU_H
    box = (8, 12, w - 8, h - 12)
    if highlighted:
        img = pill(w, h, box, 43, PINK_STOPS, LIGHT_GOLD, 3, halo=shade(ROSE, 0.2))
        label(img, box, s, (255, 252, 246), MENU_FONT)
    else:
        img = pill(w, h, box, 43, GRAY_STOPS, shade(GOLD, -0.15), 3)
        label(img, box, s, CREAM, MENU_FONT)
    return img


NORMAL_MODE_STOPS = [(0, shade(INDIGO, 0.15)), (1, NAVY)]
ACTIVE_MODE_STOPS = [(0, LIGHT_GOLD), (0.5, GOLD), (1, shade(GOLD, -0.3))]


def mode_button(s, w, active):
    h = MODE_H
    box = (4, 5, w - 4, h - 5)
    if active:
        img = pill(w, h, box, 18, ACTIVE_MODE_STOPS, (255, 244, 206), 2, halo=GOLD)
        label(img, box, s, NIGHT, MODE_FONT, dark_shadow=False)
    else:
        img = pill(w, h, box, 18, NORMAL_MODE_STOPS, shade(TEAL, 0.2), 2)
        label(img, box, s, CREAM, MODE_FONT)
    return img


def back_button():
    w, h = 256, 70
    box = (6, 6, w - 6, h - 6)
    img = pill(w, h, box, 29, GRAY_STOPS, shade(GOLD, -0.15), 3)
    d = ImageDraw.Draw(img)
    d.polygon([(40, 35), (58, 22), (58, 48)], fill=LIGHT_GOLD)
    text(img, (w / 2 + 14, h / 2 + 1), "Back", font(FONT_MAIN, 34), CREAM, shadow_px=2)
    return img


def round_button(size, ring=GOLD, top=None, bottom=None):
    """A round glassy button body at SS resolution."""
    n = size * SS
    img = canvas(n, n)
    m = Image.new("L", (n, n), 0)
    ImageDraw.Draw(m).ellipse((3 * SS, 2 * SS, n - 3 * SS, n - 4 * SS), fill=255)
    img.alpha_composite(shadow(m, (0, 2 * SS), 2 * SS, NIGHT, 0.8))
    inner = Image.new("L", (n, n), 0)
    ImageDraw.Draw(inner).ellipse((6 * SS, 5 * SS, n - 6 * SS, n - 7 * SS), fill=255)
    img.alpha_composite(solid((n, n), ring, m))
    body = vertical_gradient(n, n, [(0, top or shade(TEAL, 0.1)), (1, bottom or DEEP_TEAL)])
    img.alpha_composite(with_alpha(body, inner))
    shine = Image.new("L", (n, n), 0)
    ImageDraw.Draw(shine).ellipse((12 * SS, 7 * SS, n - 12 * SS, n * 0.45), fill=70)
    img.alpha_composite(solid((n, n), (255, 255, 255), blur(shine, 2 * SS)))
    return img


def arrow(up):
    size = 80
    img = round_button(size)
    d = ImageDraw.Draw(img)
    k = SS
    if up:
        pts = [(40, 20), (60, 47), (20, 47)]
    else:
        pts = [(40, 58), (60, 31), (20, 31)]
    d.polygon([(x * k, y * k) for x, y in pts], fill=LIGHT_GOLD, outline=shade(GOLD, -0.4),
              width=SS)
    return img.resize((size, size), Image.LANCZOS)


def icon_note(d, k, col):
    d.ellipse((17 * k, 36 * k, 27 * k, 44 * k), fill=col)
    d.ellipse((35 * k, 32 * k, 45 * k, 40 * k), fill=col)
    d.line((25.5 * k, 40 * k, 25.5 * k, 19 * k), fill=col, width=int(3 * k))
    d.line((43.5 * k, 36 * k, 43.5 * k, 15 * k), fill=col, width=int(3 * k))
    d.polygon([(24 * k, 17 * k), (45 * k, 12 * k), (45 * k, 19 * k), (24 * k, 24 * k)], fill=col)


def icon_speaker(d, k, col):
    d.polygon([(16 * k, 26 * k), (24 * k, 26 * k), (33 * k, 18 * k), (33 * k, 44 * k),
               (24 * k, 36 * k), (16 * k, 36 * k)], fill=col)


def icon_waves(d, k, col):
    for r in (8, 14):
        d.arc(((33 - r) * k, (31 - r) * k, (33 + r) * k, (31 + r) * k), -50, 50, fill=col,
              width=int(3 * k))


def icon_slash(d, k):
    d.line((16 * k, 47 * k, 48 * k, 15 * k), fill=NIGHT, width=int(7 * k))
    d.line((16 * k, 47 * k, 48 * k, 15 * k), fill=WARN, width=int(4 * k))


def icon_cross(d, k, cx, cy, r, col, width):
    d.line(((cx - r) * k, (cy - r) * k, (cx + r) * k, (cy + r) * k), fill=col, width=int(width * k))
    d.line(((cx - r) * k, (cy + r) * k, (cx + r) * k, (cy - r) * k), fill=col, width=int(width * k))


def icon_house(d, k, col):
    d.polygon([(32 * k, 14 * k), (49 * k, 30 * k), (15 * k, 30 * k)], fill=col)
    d.rectangle((20 * k, 29 * k, 44 * k, 46 * k), fill=col)
    d.rectangle((28 * k, 35 * k, 36 * k, 46 * k), fill=DEEP_TEAL)


def icon_pause(d, k, col):
    d.rounded_rectangle((21 * k, 18 * k, 28 * k, 44 * k), radius=2 * k, fill=col)
    d.rounded_rectangle((36 * k, 18 * k, 43 * k, 44 * k), radius=2 * k, fill=col)


def icon_play(d, k, col):
    d.polygon([(25 * k, 17 * k), (46 * k, 31 * k), (25 * k, 45 * k)], fill=col)


def icon_power(d, k, col):
    d.arc((18 * k, 17 * k, 46 * k, 45 * k), -55, 235, fill=col, width=int(4 * k))
    d.line((32 * k, 13 * k, 32 * k, 30 * k), fill=col, width=int(4 * k))


def game_button(kind):
    size = 64
    off = kind.endswith("_off")
    top, bottom = (shade(SLATE, 0.05), shade(NAVY, 0.1)) if off else (None, None)
    img = round_button(size, top=top, bottom=bottom)
    d = ImageDraw.Draw(img)
    k = SS
    col = shade(CREAM, -0.25) if off else CREAM
    draw_icon(d, k, kind, col)
    return img.resize((size, size), Image.LANCZOS)


def draw_icon(d, k, kind, col):
    if kind.startswith("music"):
        icon_note(d, k, col)
    elif kind.startswith("sound"):
        icon_speaker(d, k, col)
        if kind.endswith("_on"):
            icon_waves(d, k, col)
        else:
            icon_cross(d, k, 42, 31, 5, WARN, 3.2)
    elif kind == "main_menu":
        icon_house(d, k, col)
    elif kind == "pause":
        icon_pause(d, k, col)
    elif kind == "resume":
        icon_play(d, k, LIGHT_GOLD)
    elif kind == "quit":
        icon_power(d, k, shade(LIGHT_ROSE, 0.2))
    if kind == "music_off":
        icon_slash(d, k)


GAME_BUTTONS = ["music_on", "music_off", "sound_on", "sound_off", "main_menu", "pause",
                "resume", "quit"]

NAME_FIELD = (314, 100)
# The field box inside the name prompt picture, in its own pixels; the settings background
# draws the same box at the same place so the typed name always sits on a dark field.
FIELD_BOX = (2, 42, 312, 96)


def name_field_box(w, h, box, prompt):
    img = canvas(w, h)
    outer = rrect_mask(w, h, box, 12)
    x0, y0, x1, y1 = box
    inner = rrect_mask(w, h, (x0 + 3, y0 + 3, x1 - 3, y1 - 3), 9)
    if prompt:
        img.alpha_composite(glow(outer, 2, LIGHT_GOLD, 0.9))
    img.alpha_composite(solid((w, h), LIGHT_GOLD if prompt else shade(GOLD, -0.2), outer))
    img.alpha_composite(with_alpha(vertical_gradient(w, h, [(0, (4, 8, 18)), (1, (14, 24, 44))]),
                                   inner))
    return img


def pad_to(img, w, h):
    out = canvas(w, h)
    out.alpha_composite(img)
    return out


def enter_your_name():
    """The blinking prompt: an opaque caption plate over the page's own caption, and a
    glowing field."""
    w, h = NAME_FIELD
    img = panel(w, 40, 14, shade(NAVY, 0.12), NIGHT, border=shade(GOLD, -0.2), border_w=2)
    img = pad_to(img, w, h)
    img.alpha_composite(name_field_box(w, h, FIELD_BOX, True))
    text(img, (w / 2, 20), "Enter your name", font(FONT_MAIN, 28), LIGHT_GOLD, shadow_px=2,
         stroke=1, stroke_fill=shade(GOLD, -0.5))
    return img


CURSOR_PTS = [(1, 1), (1, 25), (7.5, 19), (12, 29.5), (16.5, 27.5), (12, 18), (20.5, 18)]


def cursor():
    n = 32 * SS
    pts = [(x * SS, y * SS) for x, y in CURSOR_PTS]
    m = Image.new("L", (n, n), 0)
    ImageDraw.Draw(m).polygon(pts, fill=255)
    img = canvas(n, n)
    img.alpha_composite(shadow(m, (SS, SS), SS, NIGHT, 0.6))
    fill = vertical_gradient(n, n, [(0, (255, 248, 226)), (1, GOLD)])
    img.alpha_composite(with_alpha(fill, m))
    ImageDraw.Draw(img).polygon(pts, outline=NIGHT, width=int(1.3 * SS))
    return img.resize((32, 32), Image.LANCZOS)


def button_pictures():
    out = {}
    for name, s, x in MENU_BUTTONS:
        gray = "instructions_gary.png" if name == "instructions" else name + "_gray.png"
        out[gray] = menu_button(s, x, False)
        out[name + "_pink.png"] = menu_button(s, x, True)
    for name, s, x in MODE_BUTTONS:
        out[name + ".png"] = mode_button(s, centred_width(x), False)
        out[name + "Active.png"] = mode_button(s, centred_width(x), True)
    out["back.png"] = back_button()
    out["upArrow.png"] = arrow(True)
    out["downArrow.png"] = arrow(False)
    for kind in GAME_BUTTONS:
        out["button_%s.png" % kind] = game_button(kind)
    out["enterYourName.png"] = enter_your_name()
    out["cursor.png"] = cursor()
    return out


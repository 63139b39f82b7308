"""What a player sees, read from screenshots of the real game: pictures of assets/ found at their design
positions (scaled to the screen), which full-screen page is up, and the cells of the board and thread.
Every comparison samples the screen at design pixel centres, so it works at any screen size."""
import os

import numpy as np
from PIL import Image

# Colour channels may differ this much between a picture and the screen (blending, rounding).
CHANNEL_TOLERANCE = 12
# Share of a picture's solid pixels that must be on screen for the picture to count as shown.
SHOWN_SHARE = 0.9
# Full-screen pages share their scenery; the page on screen must match this well, and better than the rest.
PAGE_SHARE = 0.85
PAGES = ("start_page.png", "menu_page.png", "settings.png", "instructions.png", "about.png",
         "game_over.png", "congratulations.png", "game:background.png")
SAMPLED_POINTS = 400

# Board geometry of the game screen, in design units.
COLUMN_X = [270 + 120 * c for c in range(12)] + [1777]
BOARD_TOP = 113
THREAD_TOP = 595
CELL = 60
ROWS = 8
PLAY_COLUMNS = 12
GEM_FILES = ["gem_90.png", "gem_80.png", "gem_70.png", "gem_60.png", "gem_50.png", "gem_40.png",
             "gem_30.png", "gem_20.png", "gem_diamond.png", "gem_trash.png"]  # cell codes 1 to 10
NO_THREAD = -1  # a thread slot position where no thread hangs


class Pictures:
    """The game's pictures, loaded once, as RGBA arrays in design pixels."""

    def __init__(self, assets):
        self.assets = assets
        self.cache = {}

    def rgba(self, name):
        if name not in self.cache:
            self.cache[name] = self._load(name)
        return self.cache[name]

    def _load(self, name):
        # "game:X" is the game screen's background X drawn over the backdrop, as the game draws it.
        if name.startswith("game:"):
            backdrop = Image.open(os.path.join(self.assets, "nature.png")).convert("RGBA")
            layer = Image.open(os.path.join(self.assets, name[5:])).convert("RGBA")
            return np.asarray(Image.alpha_composite(backdrop, layer)).astype(np.int16)
        return np.asarray(Image.open(os.path.join(self.assets, name)).convert("RGBA")).astype(np.int16)

    def solid_points(self, name):
        """Sample points (rows, columns) inside the picture's fully opaque areas, away from their edges,
        where the screen shows the picture's own colour whatever lies beneath."""
        key = ("solid", name)
        if key not in self.cache:
            opaque = self.rgba(name)[..., 3] == 255
            inner = opaque.copy()
            inner[[0, -1], :] = False
            inner[:, [0, -1]] = False
            for dy in (-1, 0, 1):
                for dx in (-1, 0, 1):
                    inner[1:-1, 1:-1] &= opaque[1 + dy:opaque.shape[0] - 1 + dy, 1 + dx:opaque.shape[1] - 1 + dx]
            rows, columns = np.nonzero(inner)
            pick = np.linspace(0, len(rows) - 1, min(SAMPLED_POINTS, len(rows))).astype(int)
            self.cache[key] = (rows[pick], columns[pick])
        return self.cache[key]


def screen_points(shot, x, y, rows, columns, scale):
    """Screen pixels at the centres of design pixels (x + column, y + row)."""
    sx, sy = scale
    xs = np.clip(((x + columns + 0.5) * sx).astype(int), 0, shot.shape[1] - 1)
    ys = np.clip(((y + rows + 0.5) * sy).astype(int), 0, shot.shape[0] - 1)
    return shot[ys, xs].astype(np.int16)


def screen_patch(shot, x, y, width, height, scale):
    """The design rectangle as the screen shows it, one sample per design pixel."""
    rows, columns = np.mgrid[0:height, 0:width]
    return screen_points(shot, x, y, rows.ravel(), columns.ravel(), scale).reshape(height, width, 3)


def picture_share(shot, pictures, name, x, y, scale=(1.0, 1.0)):
    """Share of the picture's solid pixels that the screen shows where the picture is drawn at (x, y)."""
    rows, columns = pictures.solid_points(name)
    if len(rows) == 0:
        return 0.0
    expected = pictures.rgba(name)[rows, columns, :3]
    difference = np.abs(screen_points(shot, x, y, rows, columns, scale) - expected).max(axis=1)
    return float((difference <= CHANNEL_TOLERANCE).mean())


def picture_shown(shot, pictures, name, x, y, scale=(1.0, 1.0)):
    return picture_share(shot, pictures, name, x, y, scale) >= SHOWN_SHARE


def page_shares(shot, pictures, scale=(1.0, 1.0), pages=PAGES):
    """How well each full-screen page matches the screen, on a coarse grid of the whole screen."""
    rows, columns = np.mgrid[4:1080:16, 4:1920:16]
    rows, columns = rows.ravel(), columns.ravel()
    seen = screen_points(shot, 0, 0, rows, columns, scale)
    shares = {}
    for page in pages:
        expected = pictures.rgba(page)[rows, columns, :3]
        shares[page] = float((np.abs(seen - expected).max(axis=1) <= CHANNEL_TOLERANCE).mean())
    return shares


def page_on_screen(shot, pictures, scale=(1.0, 1.0), pages=PAGES):
    """The full-screen page on screen, or None while none matches well (black, mid-fade)."""
    shares = page_shares(shot, pictures, scale, pages)
    best = max(shares, key=shares.get)
    return best if shares[best] >= PAGE_SHARE else None


class BoardReader:
    """Reads the game screen's board and thread in the plain game mode by comparing each cell with the
    empty background and with every gem picture drawn over it."""

    def __init__(self, pictures, scale=(1.0, 1.0), background="game:background.png"):
        self.pictures = pictures
        self.scale = scale
        self.base = pictures.rgba(background)
        self.gems = [pictures.rgba(name) for name in GEM_FILES]
        self.segment = pictures.rgba("thread_segment.png")
        self.cache = {}

    def _candidates(self, x, y, layers, name):
        """The design patch at (x, y) as it looks bare and with each layer drawn over it, stacked."""
        key = (x, y, name)
        if key not in self.cache:
            under = self.base[y:y + CELL, x:x + CELL, :3].astype(np.float32)
            looks = [under]
            for layer in layers:
                alpha = layer[..., 3:4].astype(np.float32) / 255.0
                looks.append(layer[..., :3] * alpha + under * (1.0 - alpha))
            self.cache[key] = np.stack(looks)
        return self.cache[key]

    def _closest(self, shot, x, y, layers, name):
        seen = screen_patch(shot, x, y, CELL, CELL, self.scale).astype(np.float32)
        distances = np.abs(self._candidates(x, y, layers, name) - seen).mean(axis=(1, 2, 3))
        return int(np.argmin(distances))

    def cell(self, shot, row, column):
        """Cell code shown at (row, column): 0 empty, 1 to 10 a gem; the falling gem counts too."""
        return self._closest(shot, COLUMN_X[column], BOARD_TOP + CELL * row, self.gems, "board")

    def board(self, shot):
        """Cell codes of the play columns, board[row][column]."""
        return [[self.cell(shot, row, column) for column in range(PLAY_COLUMNS)] for row in range(ROWS)]

    def thread_slot(self, shot, slot, column):
        """What hangs at a thread slot under the column: NO_THREAD, 0 for an empty segment, or a gem code."""
        layers = [self.segment] + self.gems
        return self._closest(shot, COLUMN_X[column], THREAD_TOP + CELL * slot, layers, "thread") - 1

    def thread_column(self, shot):
        """The column whose top thread slot shows the thread, or None when there is none or several."""
        hanging = [c for c in range(len(COLUMN_X)) if self.thread_slot(shot, 0, c) != NO_THREAD]
        return hanging[0] if len(hanging) == 1 else None

    def thread(self, shot, column):
        return [self.thread_slot(shot, slot, column) for slot in range(ROWS)]

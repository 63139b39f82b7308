"""A whole session with real keys and clicks, seen and heard: splash music and M, name entry without a
high-score file, one game with every play key to its end screen and the result written. With --wide, quick
clicks on a 2560x1080 display land where the buttons are drawn."""
import subprocess
import sys

import numpy as np

from harness import TWO_PLAYERS, Capture, check, main, wait_until

NAME = "sam"  # holds m and s, the music and sound keys outside the settings page
START, SETTINGS, HARD, MUSIC_UP, SOUND_DOWN = (960, 422), (960, 559), (960, 440), (443, 381), (443, 866)
VOLUMES = (("digit_", 398, 432, 25, 3), ("digit_", 398, 769, 25, 3))  # music, sound
MUSIC_X, SOUND_X, PAUSE_X, QUIT_X, BUTTON_Y = 1543, 1619, 1771, 1847, 22
SCORE, END_SCORE, END_LEVELS = ("digit_", 510, 60, 25, 5), ("digit_b", 907, 829, 16, 5), ("digit_b", 815, 795, 16, 1)
END_MESSAGE, FLUSH_POINTS = ("GO3.png", 695, 571), 4  # a full board with the best score; a full thread flushed
MUSIC_HEARD, SILENCE, EFFECT_HEARD = 1e-3, 1e-4, 1e-2  # RMS: music at volume 2 ~4e-3, gem fall at 20 ~3e-2
COLUMN_X, BOARD_TOP, THREAD_TOP, CELL, TUBE = [270 + 120 * c for c in range(12)] + [1777], 113, 595, 60, 12
GEMS = ["gem_90", "gem_80", "gem_70", "gem_60", "gem_50", "gem_40", "gem_30", "gem_20", "gem_diamond", "gem_trash"]


class Board:  # each cell matched to the bare background or a gem (or on the thread, a bare segment) over it
    def __init__(self, t):
        self.t, self.looks = t, {}
        self.base = t.picture("game:background.png")[..., :3].astype(np.float32)
        self.layers = [t.picture(name + ".png") for name in ["thread_segment"] + GEMS]

    def _closest(self, shot, x, y, first_layer):
        if (x, y) not in self.looks:
            under, alpha = self.base[y:y + CELL, x:x + CELL], [layer[..., 3:] / 255 for layer in self.layers]
            self.looks[(x, y)] = np.stack([under] + [layer[..., :3] * a + under * (1 - a) for layer, a in zip(
                self.layers[first_layer:], alpha[first_layer:])])
        seen = self.t.sample(shot, x, y, *np.mgrid[0:CELL, 0:CELL])
        return int(np.argmin(np.abs(self.looks[(x, y)] - seen).mean(axis=(1, 2, 3))))

    # A cell holds 0 or the gem (the falling one too); a thread slot -1 where no thread hangs, 0 when empty.
    def cell(self, shot, row, column): return self._closest(shot, COLUMN_X[column], BOARD_TOP + CELL * row, 1)
    def grid(self, shot): return [[self.cell(shot, row, column) for column in range(12)] for row in range(8)]
    def slot(self, shot, slot, column): return self._closest(shot, COLUMN_X[column], THREAD_TOP + CELL * slot, 0) - 1
    def held(self, shot, column): return sum(self.slot(shot, slot, column) > 0 for slot in range(8))

    def thread_column(self, shot):
        hanging = [c for c in range(13) if self.slot(shot, 0, c) != -1]
        return hanging[0] if len(hanging) == 1 else None


def start_game(t):
    t.click(*START)
    return t.wait_page("game:background.png", ("button_pause.png", PAUSE_X, BUTTON_Y))


def drop_until(t, board, enough):
    presses = subprocess.Popen(["xdotool", "key", "--repeat", "100000", "--repeat-delay", "80", "space"],
                               env=t.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        t.wait_for("the board filling under hard drops", lambda s: enough(board.grid(s)), 120)
    finally:
        presses.kill()
        presses.wait()
        t.xdotool("keyup", "space")  # killed between press and release, Space would auto-repeat


def press_until(t, key, seen, tries=20):
    """Pressed again only after a handled frame: some keys act once a frame or are refused as a gem lands."""
    for _ in range(tries):
        t.key(key)
        if wait_until(lambda: seen(t.shot()), 3) or t.wait_handled() or seen(t.shot()):
            return
    check(False, f"{key} never had its effect")


def move_thread(t, board, column):
    while (current := board.thread_column(t.shot())) != column:
        check(current is not None, "no thread under the board")
        press_until(t, "Right" if column > current else "Left", lambda s: board.thread_column(s) != current)


def pull(t, board):
    while not any((grid := board.grid(t.shot()))[7]):
        drop_until(t, board, lambda g: any(g[7]))
    near = board.thread_column(t.shot_taken) or 0
    column = min((c for c in range(12) if grid[7][c]), key=lambda c: abs(c - near))
    move_thread(t, board, column)
    held = board.held(t.shot(), column)
    press_until(t, "Down", lambda s: board.held(s, column) == held + 1)
    return column, grid[7][column]


def play_game(t, capture):
    """P pauses only while a gem is in the air with room under it, so a press may be refused."""
    board, mark = Board(t), capture.seconds()
    t.wait_for("the thread under its first column", lambda s: board.thread_column(s) == 6)
    column, gem = pull(t, board)  # after a gem landed in the bottom row, with its effect
    check(wait_until(lambda: capture.loudest(mark, 0.05) > EFFECT_HEARD), "no effect sounded in the game")
    check(board.slot(t.shot(), 0, column) == gem, "the pulled gem is not at the top of the thread")
    t.key("Up")
    t.wait_for("the gem pushed back", lambda s: board.held(s, column) == 0 and board.cell(s, 7, column) == gem)
    press_until(t, "p", lambda s: t.shows(s, "button_resume.png", PAUSE_X, BUTTON_Y), 10)
    t.key("p")
    t.wait_for("the pause picture back after P", lambda s: t.shows(s, "button_pause.png", PAUSE_X, BUTTON_Y))
    while board.held(t.shot(), board.thread_column(t.shot_taken) or 0) < 8:
        pull(t, board)
    move_thread(t, board, TUBE)
    t.key("Up")
    t.wait_for("the thread emptied into the tube and the score shown",
               lambda s: board.held(s, TUBE) == 0 and t.digits(s, *SCORE) == f"{FLUSH_POINTS:05d}")
    drop_until(t, board, lambda g: any(g[0][c] and g[1][c] for c in range(12)))
    summary = t.wait_page("congratulations.png", END_MESSAGE)
    check(t.digits(summary, *END_SCORE) == f"{FLUSH_POINTS:05d}", "the end screen shows another score")
    check((levels := t.digits(summary, *END_LEVELS)).isdigit(), "the end screen shows no level count")
    expected = f"{NAME}\n0,0,0\n0,0,0\n{FLUSH_POINTS},{levels},0\n0,0,0\n0,0,0\n[LAST_PLAYER]\n{NAME}\n"
    check(wait_until(lambda: t.scores() == expected), f"after the game the high-score file holds {t.scores()!r}")


def play(t):
    capture = Capture(t.work)
    t.start(capture.env)
    check(t.xdotool("search", "--name", "^Tavrello Game$").stdout.strip(), "no window titled 'Tavrello Game'")
    t.wait_page("start_page.png")
    check(wait_until(lambda: capture.seconds() > 2 and capture.loudest(capture.seconds() - 1) > MUSIC_HEARD),
          "no music on the splash")
    mark = capture.seconds()
    t.key("m")
    check(wait_until(lambda: capture.seconds() > mark + 1 and capture.loudest(capture.seconds() - 1) < SILENCE),
          "the music plays on after M")
    t.main_menu("space")
    t.click(*START)
    t.wait_page("settings.png")
    check(t.scores() is None, "a high-score file appeared before any name was entered")
    mark = capture.seconds()
    t.xdotool("type", "--delay", 60, NAME)
    t.key("Return")
    expected = NAME + "\n" + "0,0,0\n" * 5 + "[LAST_PLAYER]\n" + NAME + "\n"
    check(wait_until(lambda: t.scores() == expected), f"after Enter the high-score file holds {t.scores()!r}")
    check(capture.loudest(mark) < SILENCE, "typing the name switched the music back on")
    t.click(*HARD)
    t.main_menu()
    check(t.shows(shot := start_game(t), "button_music_off.png", MUSIC_X, BUTTON_Y) and t.shows(
        shot, "button_sound_on.png", SOUND_X, BUTTON_Y), "the typed m and s moved the audio switches")
    play_game(t, capture)
    t.main_menu("space")
    t.key("Escape")
    check(t.wait_exit() == 0, f"Escape on the main menu ended the game with {t.process.poll()}")


def wide(t):
    t.start()
    t.wait_page("start_page.png")
    t.click(960, 700, quick=True)
    t.main_menu()
    t.click(*SETTINGS, quick=True)
    t.wait_page("settings.png", ("upArrow.png", 403, 341), ("normalActive.png", 879, 335))
    for arrow, expected in ((MUSIC_UP, ("003", "020")), (SOUND_DOWN, ("003", "019"))):  # from 2 and 20
        t.click(*arrow, quick=True)
        t.wait_handled()  # a second of frames on: one step a click, no repeat
        t.wait_for(f"the volumes {expected}", lambda s: tuple(t.digits(s, *r) for r in VOLUMES) == expected)
    t.key("Escape")
    t.main_menu()
    start_game(t)
    board = Board(t)  # the page may match while it still fades in; its buttons answer once the game runs
    t.wait_for("the thread under its first column", lambda s: board.thread_column(s) == 6)
    t.click(QUIT_X + 32, BUTTON_Y + 32, quick=True)
    check(t.wait_exit() == 0, f"the game's quit button ended the game with {t.process.poll()}")
    check(t.scores() == TWO_PLAYERS, f"the high-score file changed without a finished game: {t.scores()!r}")


if __name__ == "__main__":
    sys.exit(main(wide, 2560, 1080, TWO_PLAYERS) if "--wide" in sys.argv else main(play))

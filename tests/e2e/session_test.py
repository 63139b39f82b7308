"""A whole session of the real binary with real keys and clicks, screenshots compared with the game's own
pictures and the sound captured: splash music and M, the main menu, name entry without a high-score file,
the hard mode, a game with every play key, a game played out to its end screen with the result written,
and Escape. With --wide the game runs on a 2560x1080 display and only what stretching changes is checked,
with quick clicks: pages and buttons where they are drawn (About, the volume arrows, the game's quit button),
the volume read-outs at once on the settings page and one step for each click on an arrow."""
import subprocess
import sys
import time

import numpy as np

from harness import TWO_PLAYERS, Failure, check, main, sample, wait_until
from wave_capture import WaveCapture

NAME = "sam"  # holds m and s, the music and sound keys outside the settings page
AWAY, START, SETTINGS, ABOUT, QUIT, HARD = (300, 200), (960, 422), (960, 559), (960, 830), (960, 966), (960, 440)
MUSIC_UP, SOUND_DOWN = (443, 381), (443, 866)
VOLUMES = (("digit_", 398, 432, 25, 3), ("digit_", 398, 769, 25, 3))  # music, sound
NAME_PROMPT, PLAYER_ROW = ("enterYourName.png", 1349, 202), (1406, 410, 1606, 450)  # left, top, right, bottom
MUSIC_X, SOUND_X, PAUSE_X, QUIT_X, BUTTON_Y = 1543, 1619, 1771, 1847, 22
SCORE, LEVEL_UNITS = ("digit_", 510, 60, 25, 5), ("digit_", 353, 60, 25, 1)
END_SCORE, END_LEVEL_UNITS = ("digit_b", 907, 829, 16, 5), ("digit_b", 815, 795, 16, 1)
END_MESSAGE = ("GO3.png", 695, 571)  # a full board with the player's best score
FLUSH_POINTS, END_DELAY, FALL_SECONDS = 4, 6.0, 0.6  # the hard mode's first level: a row each 0.6 s
MUSIC_HEARD, SILENCE, EFFECT_HEARD = 1e-3, 1e-4, 1e-2  # RMS: music at volume 2 ~4e-3, gem fall at 20 ~3e-2
COLUMN_X, BOARD_TOP, THREAD_TOP, CELL, TUBE = [270 + 120 * c for c in range(12)] + [1777], 113, 595, 60, 12
GEMS = ["gem_90", "gem_80", "gem_70", "gem_60", "gem_50", "gem_40", "gem_30", "gem_20", "gem_diamond", "gem_trash"]


class Board:
    """Reads the board and thread of the plain modes: each cell is compared with the bare background and
    with every gem picture (for the thread, also the bare segment) drawn over it."""

    def __init__(self, t):
        self.t, self.looks = t, {}
        self.base = t.picture("game:background.png")[..., :3].astype(np.float32)
        self.layers = [t.picture(name + ".png") for name in ["thread_segment"] + GEMS]

    def _closest(self, shot, x, y, first_layer):
        if (x, y) not in self.looks:
            under = self.base[y:y + CELL, x:x + CELL]
            self.looks[(x, y)] = np.stack([under] + [layer[..., :3] * (layer[..., 3:] / 255) + under * (
                1 - layer[..., 3:] / 255) for layer in self.layers[first_layer:]])
        seen = sample(shot, x, y, *np.mgrid[0:CELL, 0:CELL], self.t.display.scale)
        return int(np.argmin(np.abs(self.looks[(x, y)] - seen).mean(axis=(1, 2, 3))))

    def cell(self, shot, row, column):
        """0 for an empty cell, 1 to 10 for a gem (the falling one too)."""
        return self._closest(shot, COLUMN_X[column], BOARD_TOP + CELL * row, 1)

    def grid(self, shot):
        return [[self.cell(shot, row, column) for column in range(12)] for row in range(8)]

    def slot(self, shot, slot, column):
        """-1 where no thread hangs, 0 for an empty segment, else the gem on it."""
        return self._closest(shot, COLUMN_X[column], THREAD_TOP + CELL * slot, 0) - 1

    def thread_column(self, shot):
        hanging = [c for c in range(13) if self.slot(shot, 0, c) != -1]
        return hanging[0] if len(hanging) == 1 else None

    def held(self, shot, column):
        return sum(self.slot(shot, slot, column) > 0 for slot in range(8))


def main_menu(t):
    t.display.move(*AWAY)
    t.wait_page("menu_page.png", ("start_gray.png", 858, 367))


def start_game(t):
    t.display.click(*START)
    return t.wait_page("game:background.png", ("button_pause.png", PAUSE_X, BUTTON_Y))


def splash_music_and_m(t, capture):
    def last_second():
        return capture.rms(capture.seconds() - 1, 1)

    t.wait_page("start_page.png")
    check(wait_until(lambda: capture.seconds() > 2 and last_second() > MUSIC_HEARD), "no music on the splash")
    mark = capture.seconds()
    t.display.key("m")
    check(wait_until(lambda: capture.seconds() > mark + 1 and last_second() < SILENCE), "the music plays on after M")


def name_entry(t, capture):
    t.display.click(*START)
    t.wait_page("settings.png")
    check(t.scores() is None, "a high-score file appeared before any name was entered")
    seen = set()  # the prompt blinks a quarter of a second each way
    check(wait_until(lambda: seen.add(t.shows(t.shot(), *NAME_PROMPT)) or len(seen) == 2, step=0.07),
          "the name prompt does not blink")
    mark = capture.seconds()
    t.display.type(NAME)
    t.display.key("Return")
    expected = NAME + "\n" + "0,0,0\n" * 5 + "[LAST_PLAYER]\n" + NAME + "\n"
    check(wait_until(lambda: t.scores() == expected), f"after Enter the high-score file holds {t.scores()!r}")
    left, top, right, bottom = PLAYER_ROW
    t.wait_for("the new player listed in yellow", lambda s: ((s[top:bottom, left:right, :2].min(axis=2) > 200)
                                                             & (s[top:bottom, left:right, 2] < 100)).sum() > 20)
    check(not any(t.shows(t.shot(), *NAME_PROMPT) for _ in range(4)), "the name prompt still shows after Enter")
    check(capture.rms(mark, capture.seconds() - mark) < SILENCE, "typing the name switched the music back on")


def gem_in_second_row(board, shot):
    """(column, gem, empty cells under it) of a gem that has fallen one row, or None. It has fallen for at
    least a fall interval, so no earlier landing still sounds, and few cells are read, so the test is quick."""
    for column in range(12):
        gem = board.cell(shot, 1, column)
        if gem and not board.cell(shot, 0, column):
            return column, gem, next((r for r in range(2, 8) if board.cell(shot, r, column)), 8) - 2
    return None


def hard_drop_sounds(t, board, capture):
    """Space lands a gem high in the air and the gem-fall effect sounds from the press on. A gem cannot fall
    a row in less than FALL_SECONDS, so an attempt that the test itself was too slow to judge is repeated."""
    deadline = time.monotonic() + 120
    while time.monotonic() < deadline:
        mark, looked = capture.seconds(), time.monotonic()
        found = gem_in_second_row(board, t.shot())
        if not found or found[2] < 3:
            continue
        column, gem, below = found
        t.display.key("space")
        t.wait_for("the dropped gem at the bottom", lambda s: board.cell(s, 1 + below, column) == gem)
        if time.monotonic() - looked < FALL_SECONDS * (below - 1):
            heard = capture.seconds() + 0.5
            wait_until(lambda: capture.seconds() > heard)
            before, after = capture.loudest(mark - 0.25, 0.23), capture.loudest(mark - 0.02, heard - mark)
            check(before < SILENCE and after > EFFECT_HEARD, f"hard drop: loudest {before:.1e}, then {after:.1e}")
            return
    raise Failure("no hard drop could be timed in two minutes")


def drop_until(t, board, enough):
    """Presses Space every 80 ms in the background while reading the board, until enough(grid) holds."""
    presses = subprocess.Popen(["xdotool", "key", "--repeat", "100000", "--repeat-delay", "80", "space"],
                               env=t.display.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        t.wait_for("the board filling under hard drops", lambda s: enough(board.grid(s)), 120)
    finally:
        presses.kill()
        presses.wait()
        t.display.xdotool("keyup", "space")  # killed between press and release, Space would auto-repeat


def move_thread(t, board, column):
    """One press at a time, each seen on the screen: Left and Right act at most once per 0.03 s, so presses
    that reach one frame together count once."""
    for _ in range(40):
        current = board.thread_column(t.shot())
        check(current is not None, "no thread under the board")
        if current == column:
            return
        t.display.key("Right" if column > current else "Left")
        if not wait_until(lambda: board.thread_column(t.shot()) != current, 3):
            t.game.wait_handled()  # a press a busy game has not handled yet must not be repeated
    raise Failure(f"the thread did not reach column {column}")


def pull(t, board):
    """Pulls the bottom gem of the nearest column that has one; returns (column, gem). A press that meets a
    gem landing in that column is refused, so it is tried again."""
    for _ in range(20):
        grid, near = board.grid(t.shot()), board.thread_column(t.shot_taken) or 0
        columns = sorted((c for c in range(12) if grid[7][c]), key=lambda c: abs(c - near))
        if not columns:
            drop_until(t, board, lambda g: any(g[7]))
            continue
        move_thread(t, board, columns[0])
        held = board.held(t.shot(), columns[0])
        t.display.key("Down")
        if wait_until(lambda: board.held(t.shot(), columns[0]) == held + 1, 3):
            return columns[0], grid[7][columns[0]]
        t.game.wait_handled()  # a press a busy game has not handled yet must not be repeated
        if board.held(t.shot(), columns[0]) == held + 1:
            return columns[0], grid[7][columns[0]]
    raise Failure("Down pulled no gem onto the thread")


def play_keys(t, board, capture):
    """The thread moves under Left and Right, Down pulls and Up pushes back, Space drops, P pauses."""
    t.wait_for("the thread under its first column", lambda s: board.thread_column(s) == 6)
    for key, column in (("Left", 5), ("Right", 6), ("Right", 7)):
        t.display.key(key)
        t.wait_for(f"the thread under column {column} after {key}", lambda s: board.thread_column(s) == column)
    hard_drop_sounds(t, board, capture)
    column, gem = pull(t, board)
    check(board.slot(t.shot(), 0, column) == gem, "the pulled gem is not at the top of the thread")
    t.display.key("Up")
    t.wait_for("the gem pushed back", lambda s: board.held(s, column) == 0 and board.cell(s, 7, column) == gem)
    for _ in range(10):  # P pauses only while the gem is in the air with room under it: a press may be refused
        t.display.key("p")
        t.game.wait_handled()
        if t.shows(t.shot(), "button_resume.png", PAUSE_X, BUTTON_Y):
            break
    else:
        raise Failure("P never paused the game")
    frozen = board.grid(t.shot())
    t.game.wait_handled()  # a second of frames: a running game would move the gem a row
    check(board.grid(t.shot()) == frozen, "the board changed while the game was paused")
    t.display.key("p")
    t.wait_for("the pause picture back after P", lambda s: t.shows(s, "button_pause.png", PAUSE_X, BUTTON_Y))


def played_out_game(t, board):
    """A full thread emptied into the tube scores; then hard drops until a column is full. The end screen
    follows six seconds later, and the result goes to the high-score file."""
    start_game(t)
    while board.held(t.shot(), board.thread_column(t.shot_taken) or 0) < 8:
        pull(t, board)
    move_thread(t, board, TUBE)
    t.display.key("Up")
    t.wait_for("the thread emptied into the tube and the score shown",
               lambda s: board.held(s, TUBE) == 0 and t.digits(s, *SCORE) == f"{FLUSH_POINTS:05d}")
    drop_until(t, board, lambda g: any(g[0][c] and g[1][c] for c in range(12)))
    before_full, full = t.spans
    # Only the units: a game this short stays below level 10, and the tens may keep a blink's hidden colour.
    level = int(t.digits(t.wait_for("the level", lambda s: t.digits(s, *LEVEL_UNITS).isdigit()), *LEVEL_UNITS))
    t.wait_for("the end screen", lambda s: not t.shows(s, "button_pause.png", PAUSE_X, BUTTON_Y))
    last_game_screen, end = t.spans
    shortest, longest = last_game_screen[0] - full[1], end[1] - before_full[0]
    # Never early; late by a few slow frames of a game on a busy machine (12 s seen under a load of 20).
    check(longest > END_DELAY - 1 and shortest < 3 * END_DELAY,
          f"the end screen came between {shortest:.1f} and {longest:.1f} s after the full board")
    summary = t.wait_page("congratulations.png", END_MESSAGE)
    check(t.digits(summary, *END_SCORE) == f"{FLUSH_POINTS:05d}", "the end screen shows another score")
    check(t.digits(summary, *END_LEVEL_UNITS) == str(level - 1), f"the end screen's level count is not {level - 1}")
    expected = f"{NAME}\n0,0,0\n0,0,0\n{FLUSH_POINTS},{level - 1},0\n0,0,0\n0,0,0\n[LAST_PLAYER]\n{NAME}\n"
    check(wait_until(lambda: t.scores() == expected), f"after the game the high-score file holds {t.scores()!r}")


def play(t):
    capture = WaveCapture(t.work)
    t.start(capture.env)
    board = Board(t)
    splash_music_and_m(t, capture)
    t.display.key("space")
    main_menu(t)
    t.display.move(*START)
    t.wait_page("menu_page.png", ("start_pink.png", 858, 367))
    name_entry(t, capture)
    t.display.click(*HARD)
    main_menu(t)
    t.display.click(*SETTINGS)
    t.wait_page("settings.png", ("hardActive.png", 907, 410), ("normal.png", 879, 335))
    t.display.key("Escape")
    main_menu(t)
    check(t.shows(shot := start_game(t), "button_music_off.png", MUSIC_X, BUTTON_Y) and t.shows(
        shot, "button_sound_on.png", SOUND_X, BUTTON_Y), "the typed m and s moved the audio switches")
    play_keys(t, board, capture)
    t.display.key("b")
    main_menu(t)
    played_out_game(t, board)
    t.display.key("space")
    main_menu(t)
    t.display.key("Escape")
    check(t.game.wait_exit() == 0, f"Escape on the main menu ended the game with {t.game.process.poll()}")


def volumes(t, shot):
    return tuple(t.digits(shot, *readout) for readout in VOLUMES)


def shows_volumes(t, expected):
    """The read-outs show the volumes, and still do a second of frames later: one step a click."""
    t.wait_for(f"the volumes {expected}", lambda s: volumes(t, s) == expected)
    t.game.wait_handled()
    check(volumes(t, t.shot()) == expected, f"the volumes went on from {expected} to {volumes(t, t.shot_taken)}")


def wide(t):
    """Quick clicks here (press and release back to back, as a touchpad tap), held ones in the play run."""
    t.start()
    t.wait_page("start_page.png")
    t.display.click(960, 700, quick=True)
    main_menu(t)
    t.display.move(*ABOUT)
    t.wait_page("menu_page.png", ("about_pink.png", 857, 775))
    t.display.click(*ABOUT, quick=True)
    t.wait_page("about.png")
    t.display.click(*QUIT, quick=True)  # leaves the About page where Quit is drawn: must not quit
    main_menu(t)
    t.display.click(*SETTINGS, quick=True)
    t.wait_page("settings.png", ("upArrow.png", 403, 341), ("normalActive.png", 879, 335))
    shows_volumes(t, ("002", "020"))  # at once, before any click on the page
    t.display.click(*MUSIC_UP, quick=True)
    shows_volumes(t, ("003", "020"))
    t.display.click(*SOUND_DOWN, quick=True)
    shows_volumes(t, ("003", "019"))
    t.display.key("Escape")
    main_menu(t)
    start_game(t)
    board = Board(t)
    t.wait_for("the thread under its first column", lambda s: board.thread_column(s) == 6)
    t.display.click(QUIT_X + 32, BUTTON_Y + 32, quick=True)
    check(t.game.wait_exit() == 0, f"the game's quit button ended the game with {t.game.process.poll()}")
    check(t.scores() == TWO_PLAYERS, f"the high-score file changed without a finished game: {t.scores()!r}")

if __name__ == "__main__":
    sys.exit(main(wide, 2560, 1080, TWO_PLAYERS) if "--wide" in sys.argv else main(play))

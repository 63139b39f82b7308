"""Random-input soak of the real binary: random keys, held keys, typed text (ASCII and Cyrillic), clicks
on the buttons of every screen and anywhere else, for a bounded time. The seed fixes the input sequence
(the game's own randomness follows the clock). It fails on a crash or a non-zero exit, a sanitizer
report, a hang (no new frame for 5 s), or a high-score file that the game's start-up check would empty.
A quit (Escape, Quit, the game's quit button) is a normal end: the game is started again.

    soak_test.py BINARY REPO [--seconds 60] [--seed N] [--keep-running]

The long run: --seconds 600 (ten minutes). The resident memory of each run of the game is printed at
its start and end, and once a minute; with --keep-running the input never quits (no Escape, no click
on a quit button), so one run of the game lasts the whole time and its memory can be followed."""
import argparse
import os
import random
import re
import sys
import time

import screen
from xsession import GameRun, HeartbeatWatch, XSession, prepare_workdir, read_scores, remove_workdir

DEFAULT_SEED = 20240607
START_SCORES = ("Alpha\n1450,4,3\n0,0,0\n220,1,0\n0,0,0\n0,0,0\n"
                "Bravo\n0,0,0\n0,0,0\n0,0,0\n0,0,0\n0,0,0\n[LAST_PLAYER]\nBravo\n")
KEYS = {"space": 15, "Return": 4, "Left": 6, "Right": 6, "Up": 5, "Down": 6, "p": 3, "b": 2, "m": 2,
        "s": 2, "Delete": 1, "BackSpace": 2, "Escape": 0.5, "a": 1, "comma": 1, "Tab": 0.5}
HELD_KEYS = ["Left", "Right", "Down", "Up", "space", "m", "s", "p"]
TEXT = "abcdefghijklmnopqrstuvwxyzMS0123456789 ,.-_"
CYRILLIC = "абвгдежзийклмнопрстуфхцчшщыэюя"
# Design points of every button and control the screens have, so that random clicks reach all screens.
TARGETS = [
    (960, 422), (960, 422), (960, 422), (960, 559), (960, 695), (960, 830), (960, 966),  # main menu, Start 3x
    (960, 290), (960, 365), (960, 440), (960, 515), (960, 693), (960, 768), (960, 896),  # modes, back
    (443, 381), (443, 529), (443, 718), (443, 866),                    # volume arrows
    (1506, 430), (1506, 477), (1506, 524), (1506, 571),                # player list rows
    (1575, 54), (1651, 54), (1727, 54), (1803, 54), (1879, 54),        # game screen buttons
]
QUIT_TARGETS = [(960, 966), (1879, 54)]
QUIT_BUTTONS = [(859, 911, 1061, 1021), (1847, 22, 1911, 86)]  # left, top, right, bottom
MEMORY_EVERY_SECONDS = 60.0
STALL_SECONDS = 5.0
LOOK_EVERY_SECONDS = 3.0  # how often the screen on display is noted, to show which screens were reached
SCREENS = screen.PAGES + ("game:backgroundCasual.png", "game:backgroundColorLines.png")
START_TIMEOUT = 120.0  # a sanitizer build on a loaded machine can be slow to load its pictures
MARKER = "[LAST_PLAYER]"
RESULT_LINE = re.compile(r"^\s*[-+]?\d+,\s*[-+]?\d+,\s*[-+]?\d+")


class SoakFailure(Exception):
    pass


def passes_startup_check(text):
    """The high-score file's start-up rules: a marker line, and 0 or 5 well-formed result lines after
    every name line (lines after the marker are not examined)."""
    count = 0
    for line in text.replace("\r\n", "\n").split("\n"):
        if not line:
            continue
        if line == MARKER:
            return count in (0, 5)
        if "," in line:
            if not RESULT_LINE.match(line):
                return False
            count += 1
        elif count in (0, 5):
            count = 0
        else:
            return False
    return False


class Soak:
    def __init__(self, session, binary, work, rng, assets, keep_running=False):
        self.session, self.binary, self.work, self.rng = session, binary, work, rng
        self.keep_running = keep_running
        self.keys = {k: w for k, w in KEYS.items() if not (keep_running and k == "Escape")}
        self.targets = [t for t in TARGETS if not (keep_running and t in QUIT_TARGETS)]
        self.memory_noted = time.monotonic()
        self.pictures = screen.Pictures(assets)
        self.screens = {}
        self.looked = 0.0
        self.game = None
        self.watch = None
        self.runs = 0
        self.actions = 0
        self.life = None

    def start_game(self):
        self.runs += 1
        self.game = GameRun(self.session, self.binary, self.work, name=f"soak{self.runs}")
        if not self.game.wait_started(START_TIMEOUT):
            self.check_ended()
            raise SoakFailure(f"run {self.runs}: the game showed no frame within {START_TIMEOUT:.0f} s")
        self.watch = HeartbeatWatch(self.game, STALL_SECONDS)
        self.life = (time.monotonic(), self.game.resident_mb())
        self.last_rss = self.life[1]

    def report_life(self, how):
        began, start_rss = self.life
        print(f"run {self.runs}: {how} after {time.monotonic() - began:.0f} s; resident memory "
              f"{start_rss:.0f} MB at start, {self.last_rss:.0f} MB at end")

    def check_ended(self):
        """After the game has gone: it must have quit cleanly and reported nothing."""
        code = self.game.wait_exit(10)
        report = self.game.fault_report()
        if report:
            raise SoakFailure(f"run {self.runs}: sanitizer or crash report:\n{report}")
        if code != 0:
            raise SoakFailure(f"run {self.runs}: the game ended with {code}\n{self.game.errors()[-2000:]}")

    def check_running(self):
        if not self.game.alive():
            self.check_ended()
            if self.keep_running:
                raise SoakFailure(f"run {self.runs}: the game quit without any quit input")
            self.report_life("quit by the input")
            self.start_game()
            return
        self.last_rss = self.game.resident_mb() or self.last_rss
        if time.monotonic() - self.memory_noted >= MEMORY_EVERY_SECONDS:
            self.memory_noted = time.monotonic()
            print(f"run {self.runs}: resident memory {self.last_rss:.0f} MB after "
                  f"{self.memory_noted - self.life[0]:.0f} s", flush=True)
        if self.watch.stalled():
            raise SoakFailure(f"run {self.runs}: no new frame for {STALL_SECONDS:.0f} s (hang)")
        if time.monotonic() - self.looked > LOOK_EVERY_SECONDS:
            self.looked = time.monotonic()
            page = screen.page_on_screen(self.session.grab(), self.pictures, pages=SCREENS) or "other (fading)"
            self.screens[page] = self.screens.get(page, 0) + 1

    def key(self):
        names = list(self.keys)
        self.session.key(self.rng.choices(names, weights=[self.keys[n] for n in names])[0])

    def hold_key(self):
        name = self.rng.choice(HELD_KEYS)
        self.session.xdotool("keydown", name)
        time.sleep(self.rng.uniform(0.05, 1.5))
        self.session.xdotool("keyup", name)

    def type_text(self):
        letters = CYRILLIC if self.rng.random() < 0.2 else TEXT
        self.session.type_text("".join(self.rng.choice(letters) for _ in range(self.rng.randint(1, 8))), 30)

    def allowed(self, x, y):
        """Every point, or when the game must keep running, every point outside the quit buttons."""
        return not self.keep_running or not any(l <= x <= r and t <= y <= b for l, t, r, b in QUIT_BUTTONS)

    def random_point(self):
        while True:
            x, y = self.rng.randint(0, 1919), self.rng.randint(0, 1079)
            if self.allowed(x, y):
                return x, y

    def click_target(self):
        while True:
            x, y = self.rng.choice(self.targets)
            x, y = x + self.rng.randint(-20, 20), y + self.rng.randint(-15, 15)
            if self.allowed(x, y):
                break
        self.session.click(x, y, self.rng.uniform(0.05, 0.3))

    def click_anywhere(self):
        self.session.click(*self.random_point(), self.rng.uniform(0.05, 0.3))

    def hold_mouse(self):
        self.session.move_to(*self.rng.choice(self.targets))
        self.session.xdotool("mousedown", 1)
        time.sleep(self.rng.uniform(0.1, 1.2))
        if self.rng.random() < 0.5:
            self.session.move_to(*self.random_point())
        self.session.xdotool("mouseup", 1)

    def move_mouse(self):
        self.session.move_to(*self.random_point())

    def drop_burst(self):
        self.session.key(*(["space"] * self.rng.randint(5, 30)), delay_ms=120)

    def idle(self):
        time.sleep(self.rng.uniform(0.05, 0.6))

    def step(self):
        actions = [(self.key, 30), (self.hold_key, 3), (self.type_text, 3), (self.click_target, 12),
                   (self.click_anywhere, 5), (self.hold_mouse, 2), (self.move_mouse, 3), (self.drop_burst, 3),
                   (self.idle, 3)]
        action = self.rng.choices([a for a, _ in actions], weights=[w for _, w in actions])[0]
        action()
        self.actions += 1
        time.sleep(self.rng.uniform(0.02, 0.1))
        self.check_running()

    def finish(self):
        """Ends the last run cleanly: Escape leaves the settings page, then quits from any screen."""
        self.last_rss = self.game.resident_mb() or self.last_rss
        for _ in range(3):
            if not self.game.alive():
                break
            self.session.key("Escape")
            self.game.wait_exit(3)
        if self.game.alive():
            raise SoakFailure("three Escapes did not end the game")
        self.check_ended()
        self.report_life("ended by the test")


def startup_check_keeps(session, binary, work):
    """The game's own start-up check empties a malformed file: start it once more and see."""
    before = read_scores(work)
    game = GameRun(session, binary, work, name="check")
    try:
        if not game.wait_started(START_TIMEOUT):
            raise SoakFailure("the checking run of the game showed no frame")
        return read_scores(work) == before
    finally:
        session.key("Escape")
        if game.wait_exit(10) is None:
            game.stop()


def run(session, binary, work, seconds, seed, keep_running):
    soak = Soak(session, binary, work, random.Random(seed), os.path.join(work, "assets"), keep_running)
    soak.start_game()
    deadline = time.monotonic() + seconds
    try:
        while time.monotonic() < deadline:
            soak.step()
        soak.finish()
    finally:
        soak.game.stop()
    scores = read_scores(work)
    if scores is None or not passes_startup_check(scores):
        raise SoakFailure(f"the high-score file no longer passes the start-up check:\n{scores!r}")
    if not startup_check_keeps(session, binary, work):
        raise SoakFailure(f"the game's start-up check emptied the high-score file:\n{scores!r}")
    print(f"{soak.actions} actions over {seconds:.0f} s in {soak.runs} runs of the game, seed {seed}")
    print("screens seen: " + ", ".join(f"{page} {count}x" for page, count in sorted(soak.screens.items())))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("binary")
    parser.add_argument("repo")
    parser.add_argument("--seconds", type=float, default=60.0)
    parser.add_argument("--seed", type=int, default=DEFAULT_SEED)
    parser.add_argument("--keep-running", action="store_true")
    args = parser.parse_args()
    session = XSession()
    work = prepare_workdir(args.repo, START_SCORES)
    try:
        run(session, args.binary, work, args.seconds, args.seed, args.keep_running)
    except SoakFailure as error:
        print(f"FAILED: {error}")
        return 1
    finally:
        session.close()
        remove_workdir(work)
    return 0


if __name__ == "__main__":
    sys.exit(main())

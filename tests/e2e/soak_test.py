"""Random input to the real binary for a bounded time: keys, held keys, typed text (ASCII and Cyrillic),
quick and held clicks on every screen's buttons and anywhere else. The seed fixes the input (the game's own
randomness follows the clock). It fails on a crash or a non-zero exit, a sanitizer report, a hang (no new
frame for STALL_SECONDS), or a high-score file that the game's own start-up check then empties. A quit
(Escape, Quit, the game's quit button) is a normal end: the game is started again.

    soak_test.py BINARY REPO [--seconds 60] [--seed N] [--keep-running]

The long run is --seconds 600. Each run's resident memory is printed at its start and end and once a
minute; with --keep-running the input never quits, so one run of the game lasts the whole time."""
import argparse
import random
import sys
import time

from harness import PAGES, TWO_PLAYERS, check, main

KEYS = {"space": 15, "Return": 4, "Left": 6, "Right": 6, "Up": 5, "Down": 6, "p": 3, "b": 2, "m": 2, "s": 2,
        "Delete": 1, "BackSpace": 2, "Escape": 0.5, "a": 1, "comma": 1, "Tab": 0.5}
HELD_KEYS = ["Left", "Right", "Down", "Up", "space", "m", "s", "p"]
TEXTS = ("abcdefghijklmnopqrstuvwxyzMS0123456789 ,.-_", "абвгдежзийклмнопрстуфхцчшщыэюя")
TARGETS = [(960, 422), (960, 422), (960, 559), (960, 695), (960, 830), (960, 966),  # main menu, Start twice
           (960, 290), (960, 365), (960, 440), (960, 515), (960, 693), (960, 768), (960, 896),  # modes, back
           (443, 381), (443, 529), (443, 718), (443, 866), (1506, 430), (1506, 477), (1506, 524),  # arrows, list
           (1575, 54), (1651, 54), (1727, 54), (1803, 54), (1879, 54)]  # game screen buttons
QUIT_BUTTONS = [(859, 911, 1061, 1021), (1847, 22, 1911, 86)]  # left, top, right, bottom
STALL_SECONDS = 15.0  # generous: a busy machine slows frames, a hung loop stops them for good
SCREENS = PAGES + ("game:backgroundCasual.png", "game:backgroundColorLines.png")


class Soak:
    def __init__(self, t, seed, keep_running):
        self.t, self.rng, self.keep_running = t, random.Random(seed), keep_running
        self.keys = {k: w for k, w in KEYS.items() if not (keep_running and k == "Escape")}
        self.runs, self.actions, self.screens, self.looked, self.memory = 0, 0, {}, 0.0, [0.0, 0.0]
        self.start()

    def start(self):
        self.runs += 1
        self.game = self.t.start(name=f"soak{self.runs}")
        self.began = self.noted = self.frames_seen = time.monotonic()
        self.frames, self.memory = self.game.frames(), [self.resident_mb()] * 2

    def resident_mb(self):
        try:
            with open(f"/proc/{self.game.process.pid}/status") as f:
                return next(int(line.split()[1]) / 1024 for line in f if line.startswith("VmRSS:"))
        except (OSError, StopIteration):  # the game is ending
            return self.memory[1]

    def ended(self, how):
        code, report = self.game.wait_exit(), self.game.fault_report()
        check(not report, f"run {self.runs}: sanitizer or crash report:\n{report}")
        check(code == 0, f"run {self.runs}: the game ended with {code}\n{self.game.output()[-2000:]}")
        print(f"run {self.runs}: {how} after {time.monotonic() - self.began:.0f} s; resident memory "
              f"{self.memory[0]:.0f} MB at start, {self.memory[1]:.0f} MB at end", flush=True)

    def watch(self):
        """After each action: a quit starts the game again; a hang fails; memory and screens are noted."""
        if not self.game.alive():
            check(not self.keep_running, f"run {self.runs}: the game quit without any quit input")
            self.ended("quit by the input")
            return self.start()
        now, frames = time.monotonic(), self.game.frames()
        self.frames, self.frames_seen = frames, now if frames != self.frames else self.frames_seen
        check(now - self.frames_seen < STALL_SECONDS, f"run {self.runs}: no new frame for {STALL_SECONDS:.0f} s")
        self.memory[1] = self.resident_mb()
        if now - self.noted >= 60:
            self.noted = now
            print(f"run {self.runs}: resident memory {self.memory[1]:.0f} MB after {now - self.began:.0f} s")
        if now - self.looked >= 3:
            self.looked, page = now, self.t.page(self.t.shot(), SCREENS) or "none (fading)"
            self.screens[page] = self.screens.get(page, 0) + 1

    def point(self, near=None):
        """A random design point near a target or anywhere, off the quit buttons when the game must run on."""
        while True:
            x, y = near or (self.rng.randint(0, 1919), self.rng.randint(0, 1079))
            x, y = (x + self.rng.randint(-20, 20), y + self.rng.randint(-15, 15)) if near else (x, y)
            if not (self.keep_running and any(l <= x <= r and t <= y <= b for l, t, r, b in QUIT_BUTTONS)):
                return x, y

    def hold(self, press, release):
        self.t.display.xdotool(*press)
        time.sleep(self.rng.uniform(0.05, 1.2))
        self.t.display.xdotool(*release)

    def step(self):
        d, rng = self.t.display, self.rng
        actions = [
            (30, lambda: d.key(rng.choices(list(self.keys), weights=list(self.keys.values()))[0])),
            (3, lambda: self.hold(("keydown", (k := rng.choice(HELD_KEYS))), ("keyup", k))),
            (3, lambda: d.type("".join(rng.choice(rng.choice(TEXTS)) for _ in range(rng.randint(1, 8))), 30)),
            (12, lambda: d.click(*self.point(rng.choice(TARGETS)), quick=rng.random() < 0.5)),
            (5, lambda: d.click(*self.point(), quick=rng.random() < 0.5)),
            (2, lambda: (d.move(*self.point(rng.choice(TARGETS))), self.hold(("mousedown", 1), ("mouseup", 1)))),
            (3, lambda: d.move(*self.point())),
            (3, lambda: d.key(*["space"] * rng.randint(5, 30), delay_ms=120)),
            (3, lambda: time.sleep(rng.uniform(0.05, 0.6)))]
        rng.choices([a for _, a in actions], weights=[w for w, _ in actions])[0]()
        self.actions += 1
        time.sleep(rng.uniform(0.02, 0.1))
        self.watch()


def soak(t, seconds, seed, keep_running):
    run, deadline = Soak(t, seed, keep_running), time.monotonic() + seconds
    while time.monotonic() < deadline:
        run.step()
    for _ in range(3):  # Escape leaves the settings page, then quits from any screen
        if run.game.alive():
            t.display.key("Escape")
            run.game.wait_exit(5)
    run.ended("ended by the test")
    check((scores := t.scores()) is not None, "the high-score file is gone")
    t.start(name="check")  # the game's own start-up check empties a malformed file
    check(t.scores() == scores, f"the game's start-up check emptied the high-score file:\n{scores!r}")
    t.display.key("Escape")
    print(f"{run.actions} actions over {seconds:.0f} s in {run.runs} runs of the game, seed {seed}")
    print("screens seen: " + ", ".join(f"{page} {count}x" for page, count in sorted(run.screens.items())))


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("binary")
    parser.add_argument("repo")
    parser.add_argument("--seconds", type=float, default=60.0)
    parser.add_argument("--seed", type=int, default=20240607)
    parser.add_argument("--keep-running", action="store_true")
    args = parser.parse_args()
    sys.exit(main(lambda t: soak(t, args.seconds, args.seed, args.keep_running), scores=TWO_PLAYERS))

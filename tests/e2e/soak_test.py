"""Random input with a fixed seed for SECONDS (soak_test.py BINARY REPO SECONDS), a quit starting the game again:
no crash, hang or sanitizer report, and a high-score file the game's own start-up check keeps."""
import random
import sys
import time

from harness import TARGETS, TWO_PLAYERS, check, main

KEYS = {"space": 15, "Return": 4, "Left": 6, "Right": 6, "Up": 5, "Down": 6, "p": 3, "b": 2, "m": 2, "s": 2,
        "Delete": 1, "BackSpace": 2, "Escape": 0.5, "a": 1, "comma": 1, "Tab": 0.5}
TEXTS = ("abcdefghijklmnopqrstuvwxyzMS0123456789 ,.-_", "абвгдежзийклмнопрстуфхцчшщыэюя")
STALL_SECONDS, SEED = 15.0, 20240607  # generous: a busy machine slows frames, a hung loop stops them for good


def ended(t, runs):
    code, report = t.wait_exit(), t.fault_report()
    check(code == 0 and not report, f"run {runs}: the game ended with {code}\n{report or t.output()[-2000:]}")


def act(t, rng):  # the display is 1920x1080, so design points are screen points
    x, y = rng.choice(TARGETS) if rng.random() > 0.3 else (rng.randint(0, 1919), rng.randint(0, 1079))
    move, hold = ["mousemove", x + rng.randint(-20, 20), y + rng.randint(-15, 15)], rng.uniform(0.05, 1.2)
    rng.choices([  # a hold is how long a player holds a key or button: random input, not a wait
        lambda: t.key(rng.choices(list(KEYS), weights=list(KEYS.values()))[0]),
        lambda: t.xdotool("keydown", (held := rng.choice(list(KEYS))), "sleep", hold, "keyup", held),
        lambda: t.xdotool("type", "--delay", 30, "".join(rng.choice(rng.choice(TEXTS)) for _ in range(8))),
        lambda: t.xdotool(*move, "click", 1),
        lambda: t.xdotool(*move, "mousedown", 1, "sleep", rng.choice([0.1, hold]), "mouseup", 1),
        lambda: t.key(*["space"] * rng.randint(5, 30), delay_ms=120),
        lambda: time.sleep(hold / 2)], weights=[30, 3, 3, 9, 10, 3, 3])[0]()
    time.sleep(rng.uniform(0.02, 0.1))


def soak(t, seconds):
    rng, runs, deadline, frames = random.Random(SEED), 1, time.monotonic() + seconds, None
    t.start(name="soak1")
    while time.monotonic() < deadline:
        if not t.alive():
            ended(t, runs)
            runs += 1
            t.start(name=f"soak{runs}")
        if t.frames() != frames:
            frames, frames_seen = t.frames(), time.monotonic()
        check(time.monotonic() - frames_seen < STALL_SECONDS, f"run {runs}: no new frame for {STALL_SECONDS:.0f} s")
        act(t, rng)
    for _ in range(3):  # Escape leaves the settings page, then quits from any screen
        if t.alive():
            t.key("Escape")
            t.wait_exit(5)
    ended(t, runs)
    check((scores := t.scores()) is not None, "the high-score file is gone")
    t.start(name="check")  # the game's own start-up check empties a malformed file
    check(t.scores() == scores, f"the game's start-up check emptied the high-score file:\n{scores!r}")
    t.key("Escape")
    print(f"{seconds:.0f} s of input in {runs} runs of the game, seed {SEED}")


if __name__ == "__main__":
    sys.exit(main(lambda t: soak(t, float(sys.argv[3])), scores=TWO_PLAYERS))

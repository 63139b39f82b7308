"""Random keys, held keys, typed text and clicks for SECONDS (soak_test.py BINARY REPO SECONDS), a quit
starting the game again. Fails on a crash, a non-zero exit, a sanitizer report, a hang, or a high-score file
the game's own start-up check then empties. The seed fixes the input; the game's randomness follows the clock."""
import random
import sys
import time

from harness import TWO_PLAYERS, check, main

KEYS = {"space": 15, "Return": 4, "Left": 6, "Right": 6, "Up": 5, "Down": 6, "p": 3, "b": 2, "m": 2, "s": 2,
        "Delete": 1, "BackSpace": 2, "Escape": 0.5, "a": 1, "comma": 1, "Tab": 0.5}
HELD_KEYS = ["Left", "Right", "Down", "Up", "space", "m", "s", "p"]
TEXTS = ("abcdefghijklmnopqrstuvwxyzMS0123456789 ,.-_", "абвгдежзийклмнопрстуфхцчшщыэюя")
TARGETS = [(960, 422), (960, 422), (960, 559), (960, 695), (960, 830), (960, 966),  # main menu, Start twice
           (960, 290), (960, 365), (960, 440), (960, 515), (960, 693), (960, 768), (960, 896),  # modes, back
           (443, 381), (443, 529), (443, 718), (443, 866), (1506, 430), (1506, 477), (1506, 524),  # arrows, list
           (1575, 54), (1651, 54), (1727, 54), (1803, 54), (1879, 54)]  # game screen buttons
STALL_SECONDS, SEED = 15.0, 20240607  # generous: a busy machine slows frames, a hung loop stops them for good


def ended(t, runs):
    code, report = t.wait_exit(), t.fault_report()
    check(not report, f"run {runs}: sanitizer or crash report:\n{report}")
    check(code == 0, f"run {runs}: the game ended with {code}\n{t.output()[-2000:]}")


def act(t, rng):
    def point(near):  # near a target or anywhere
        return (near[0] + rng.randint(-20, 20), near[1] + rng.randint(-15, 15)) if near else (
            rng.randint(0, 1919), rng.randint(0, 1079))

    def hold(press, release):
        t.xdotool(*press)
        time.sleep(rng.uniform(0.05, 1.2))  # how long a player holds: part of the random input, not a wait
        t.xdotool(*release)

    actions = [
        (30, lambda: t.key(rng.choices(list(KEYS), weights=list(KEYS.values()))[0])),
        (3, lambda: hold(("keydown", (k := rng.choice(HELD_KEYS))), ("keyup", k))),
        (3, lambda: t.xdotool("type", "--delay", 30, "".join(rng.choice(rng.choice(TEXTS)) for _ in range(8)))),
        (17, lambda: t.click(*point(rng.random() > 0.3 and rng.choice(TARGETS)), quick=rng.random() < 0.5)),
        (2, lambda: (t.move(*point(rng.choice(TARGETS))), hold(("mousedown", 1), ("mouseup", 1)))),
        (3, lambda: t.move(*point(None))),
        (3, lambda: t.key(*["space"] * rng.randint(5, 30), delay_ms=120)),
        (3, lambda: time.sleep(rng.uniform(0.05, 0.6)))]
    rng.choices([a for _, a in actions], weights=[w for w, _ in actions])[0]()
    time.sleep(rng.uniform(0.02, 0.1))


def soak(t, seconds):
    rng, runs, actions, deadline, frames = random.Random(SEED), 0, 0, time.monotonic() + seconds, None
    while time.monotonic() < deadline:
        if not t.process or not t.alive():
            if runs:
                ended(t, runs)
            runs += 1
            t.start(name=f"soak{runs}")
        now = time.monotonic()
        if t.frames() != frames:
            frames, frames_seen = t.frames(), now
        check(now - frames_seen < STALL_SECONDS, f"run {runs}: no new frame for {STALL_SECONDS:.0f} s")
        act(t, rng)
        actions += 1
    for _ in range(3):  # Escape leaves the settings page, then quits from any screen
        if t.alive():
            t.key("Escape")
            t.wait_exit(5)
    ended(t, runs)
    check((scores := t.scores()) is not None, "the high-score file is gone")
    t.start(name="check")  # the game's own start-up check empties a malformed file
    check(t.scores() == scores, f"the game's start-up check emptied the high-score file:\n{scores!r}")
    t.key("Escape")
    print(f"{actions} actions over {seconds:.0f} s in {runs} runs of the game, seed {SEED}")


if __name__ == "__main__":
    sys.exit(main(lambda t: soak(t, float(sys.argv[3])), scores=TWO_PLAYERS))

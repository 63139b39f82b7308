"""The real game binary on a private X display, driven by xdotool: the display, the game with its heartbeat,
output and exit, real input, and screenshots compared with the game's own pictures. Every wait polls what
the screen or a file shows, with deadlines generous enough for a machine busy with builds."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import numpy as np
from PIL import Image

WAIT = 30.0  # seconds; the sanitized game draws in software and may share two cores with builds
TOLERANCE = 12  # colour channels may differ this much between a picture and the screen
SHOWN = 0.9  # share of a picture's solid pixels that must be on screen for it to count as shown
PAGE_SHARE = 0.85  # pages share their scenery: the one on screen must match this well
PAGES = ("start_page.png", "menu_page.png", "settings.png", "instructions.png", "about.png", "game_over.png",
         "congratulations.png", "game:background.png")
FAULTS = ("ERROR: AddressSanitizer", "runtime error:", "SUMMARY: ", "Segmentation fault", "Aborted")
TWO_PLAYERS = ("Alpha\n1450,4,3\n0,0,0\n220,1,0\n0,0,0\n0,0,0\n"
               "Bravo\n0,0,0\n0,0,0\n0,0,0\n0,0,0\n0,0,0\n[LAST_PLAYER]\nBravo\n")


class Failure(Exception):
    pass


def check(ok, reason):
    if not ok:
        raise Failure(reason)


def read(path):
    """A file's text as it is (line ends kept), or None while there is no such file."""
    try:
        with open(path, newline="", errors="replace") as f:
            return f.read()
    except FileNotFoundError:
        return None


def wait_until(condition, timeout=WAIT, step=0.05):
    """Polls condition() until it gives a true value or the deadline passes; returns the last value."""
    deadline = time.monotonic() + timeout
    while not (value := condition()) and time.monotonic() < deadline:
        time.sleep(step)
    return value


class Display:
    """Xvfb on a display number it picks itself, so tests started together never share one; -noreset keeps
    it from resetting when a client leaves, which would drop a game connecting at that moment."""

    def __init__(self, width, height):
        self.scale = (width / 1920, height / 1080)
        reader, writer = os.pipe()
        self.server = subprocess.Popen(["Xvfb", "-displayfd", str(writer), "-screen", "0", f"{width}x{height}x24",
                                        "-nolisten", "tcp", "-noreset"],
                                       stderr=subprocess.DEVNULL, pass_fds=(writer,))
        os.close(writer)
        with os.fdopen(reader) as number:
            self.name = ":" + number.readline().strip()
        check(wait_until(lambda: self.xdotool("getdisplaygeometry").returncode == 0), "Xvfb did not start")

    def env(self, extra=None):
        """The environment for a program on this display; an extra value of None removes that variable."""
        env = {**os.environ, "DISPLAY": self.name, "ALSOFT_DRIVERS": "null", **(extra or {})}
        return {name: value for name, value in env.items() if value is not None}

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env(), capture_output=True, text=True)

    def key(self, *keys, delay_ms=80):
        self.xdotool("key", "--delay", delay_ms, *keys)

    def type(self, text, delay_ms=60):
        self.xdotool("type", "--delay", delay_ms, text)

    def move(self, x, y):
        """To a design point of the full-screen window."""
        self.xdotool("mousemove", round(x * self.scale[0]), round(y * self.scale[1]))

    def click(self, x, y, quick=False):
        """Quick: press and release back to back, as a touchpad tap; else held a tenth of a second."""
        self.move(x, y)
        if quick:
            return self.xdotool("click", 1)
        self.xdotool("mousedown", 1)
        time.sleep(0.1)
        self.xdotool("mouseup", 1)

    def grab(self):
        """The screen as an RGB array [y, x], from an xwd dump of 32-bit BGRx pixels."""
        data = subprocess.run(["xwd", "-root", "-silent"], env=self.env(), capture_output=True, check=True).stdout
        header = np.frombuffer(data[:100], ">u4")
        width, height, line = int(header[4]), int(header[5]), int(header[12])
        pixels = np.frombuffer(data, np.uint8, height * line, int(header[0]) + int(header[19]) * 12)
        return pixels.reshape(height, line // 4, 4)[:, :width, [2, 1, 0]].copy()


class Game:
    """The binary started in a working folder; its output goes to a file (a pipe nobody reads could stall
    it) and its heartbeat file holds the number of frames shown, rewritten every second."""

    def __init__(self, display, binary, work, env=None, name="game"):
        self.heartbeat, self.output_path = (os.path.join(work, name + suffix) for suffix in (".heartbeat", ".out"))
        env = display.env({"TAVRELLO_HEARTBEAT": self.heartbeat, "ASAN_OPTIONS": "detect_leaks=0", **(env or {})})
        with open(self.output_path, "w") as output:
            self.process = subprocess.Popen([binary], cwd=work, env=env, stdout=output, stderr=output)

    def frames(self):
        return int(read(self.heartbeat) or 0)  # empty for a moment while the game rewrites it

    def alive(self):
        return self.process.poll() is None

    def wait_growing(self, frames=5, timeout=WAIT):
        """Waits for more frames shown: the first heartbeat is a window open and drawing."""
        start = self.frames()
        check(wait_until(lambda: self.frames() >= start + frames or not self.alive(), timeout, 0.1)
              and self.alive(), f"no new frame for {timeout:.0f} s (exit {self.process.poll()})")

    def wait_handled(self, timeout=WAIT):
        """Waits until input sent before the call has been handled and drawn: a frame rewrites the heartbeat
        after each second of frames, so the second rewrite after the one current at the call comes from a
        frame begun after the call."""
        counts = set()

        def rewritten_twice():
            counts.add(self.frames())
            return len(counts - {0}) >= 3 or not self.alive()

        check(wait_until(rewritten_twice, timeout, 0.1) and self.alive(), f"no new frame for {timeout:.0f} s")

    def wait_exit(self, timeout=WAIT):
        wait_until(lambda: not self.alive(), timeout)
        return self.process.poll()

    def output(self):
        return read(self.output_path)

    def fault_report(self):
        text = self.output()
        starts = [text.find(marker) for marker in FAULTS if marker in text]
        return text[min(starts):][:4000] if starts else ""

    def stop(self):
        if self.alive():
            self.process.kill()
        self.process.wait()


def sample(shot, x, y, rows, columns, scale):
    """The screen pixels at the centres of the design pixels (x + columns, y + rows)."""
    xs = np.clip(((x + columns + 0.5) * scale[0]).astype(int), 0, shot.shape[1] - 1)
    ys = np.clip(((y + rows + 0.5) * scale[1]).astype(int), 0, shot.shape[0] - 1)
    return shot[ys, xs].astype(np.int16)


class Tester:
    """What a test sees and does: the display, a working folder whose assets/ links to the game's files
    (the high-score file is the test's own), the game under test and its pictures."""

    def __init__(self, display, binary, repo, scores):
        self.display, self.binary, self.game, self.shot_taken, self.cache = display, binary, None, None, {}
        self.spans = ((0.0, 0.0), (0.0, 0.0))
        self.assets, self.work = os.path.join(repo, "assets"), tempfile.mkdtemp(prefix="tavrello-e2e-")
        os.mkdir(os.path.join(self.work, "assets"))
        for name in os.listdir(self.assets):
            if not name.startswith("highscore"):
                os.symlink(os.path.join(self.assets, name), os.path.join(self.work, "assets", name))
        self.scores_path = os.path.join(self.work, "assets", "highscore.txt")
        if scores is not None:
            with open(self.scores_path, "w") as f:
                f.write(scores)

    def start(self, env=None, name="game"):
        self.game = Game(self.display, self.binary, self.work, env, name)
        self.game.wait_growing(1, 120)  # a sanitized start-up on a busy machine is slow
        return self.game

    def scores(self):
        return read(self.scores_path)

    def shot(self):
        """A screenshot; spans holds when the last two were taken (start and end of each)."""
        check(self.game.alive(), f"the game ended unexpectedly (exit {self.game.process.poll()})")
        began, self.shot_taken = time.monotonic(), self.display.grab()
        self.spans = (self.spans[1], (began, time.monotonic()))
        return self.shot_taken

    def wait_for(self, what, condition, timeout=WAIT):
        """Takes screenshots until condition(shot) holds; returns that screenshot."""
        check(wait_until(lambda: condition(self.shot()), timeout), f"waited {timeout:.0f} s in vain for {what}")
        return self.shot_taken

    def picture(self, name):
        """A picture of the game as RGBA values; "game:X" is X drawn over the game screen's backdrop."""
        if name not in self.cache:
            picture = Image.open(os.path.join(self.assets, name.split(":")[-1])).convert("RGBA")
            if name.startswith("game:"):
                picture = Image.alpha_composite(Image.open(os.path.join(self.assets, "nature.png")).convert("RGBA"),
                                                picture)
            self.cache[name] = np.asarray(picture).astype(np.int16)
        return self.cache[name]

    def solid_points(self, name, count=400):
        """Points (rows, columns) of the picture a pixel away from any see-through one, where the screen
        shows the picture's own colour whatever lies beneath."""
        if (name, count) not in self.cache:
            opaque = np.pad(self.picture(name)[..., 3] == 255, 1)
            h, w = opaque.shape[0] - 2, opaque.shape[1] - 2
            inner = np.logical_and.reduce([opaque[y:y + h, x:x + w] for y in range(3) for x in range(3)])
            rows, columns = np.nonzero(inner)
            pick = np.linspace(0, len(rows) - 1, min(count, len(rows))).astype(int)
            self.cache[(name, count)] = rows[pick], columns[pick]
        return self.cache[(name, count)]

    def share(self, shot, name, x, y):
        """Share of the picture's solid pixels that the screen shows where it is drawn at design (x, y)."""
        rows, columns = self.solid_points(name)
        seen = sample(shot, x, y, rows, columns, self.display.scale)
        return float((np.abs(seen - self.picture(name)[rows, columns, :3]).max(axis=1) <= TOLERANCE).mean())

    def shows(self, shot, name, x, y):
        return self.share(shot, name, x, y) >= SHOWN

    def page(self, shot, pages=PAGES):
        """The full-screen page on screen, or None while none matches (black, mid-fade)."""
        rows, columns = (grid.ravel() for grid in np.mgrid[4:1080:16, 4:1920:16])
        seen = sample(shot, 0, 0, rows, columns, self.display.scale)
        shares = {p: (np.abs(seen - self.picture(p)[rows, columns, :3]).max(axis=1) <= TOLERANCE).mean()
                  for p in pages}
        best = max(shares, key=shares.get)
        return best if shares[best] >= PAGE_SHARE else None

    def wait_page(self, page, *pictures):
        """Waits for the full-screen page with the pictures (name, x, y) on it; returns that screenshot."""
        return self.wait_for(f"{page} with {[p[0] for p in pictures]}",
                             lambda s: self.page(s) == page and all(self.shows(s, *p) for p in pictures))

    def digits(self, shot, prefix, x, y, spacing, count):
        """The number a row of digit pictures ("digit_" or "digit_b") shows; '?' where none matches."""
        shares = [[self.share(shot, f"{prefix}{d}.png", x + i * spacing, y) for d in range(10)] for i in range(count)]
        return "".join(str(np.argmax(s)) if max(s) >= SHOWN else "?" for s in shares)


def main(body, width=1920, height=1080, scores=None):
    """Runs body(tester) against the binary and repository named first on the command line; on a failure
    prints the reason, the last screenshot and the game's output, and returns 1."""
    started, display = time.monotonic(), Display(width, height)
    t = Tester(display, sys.argv[1], sys.argv[2], scores)
    try:
        body(t)
        check(not (t.game and t.game.fault_report()), f"sanitizer report:\n{t.game and t.game.fault_report()}")
    except Failure as error:
        print(f"FAILED: {error}")
        if t.shot_taken is not None:
            path = os.path.join(tempfile.gettempdir(), f"tavrello-{os.getpid()}.png")
            Image.fromarray(t.shot_taken).save(path)
            print(f"last screenshot: {path}")
        if t.game:
            lines = t.game.fault_report() or "\n".join(dict.fromkeys(t.game.output().splitlines()))[-3000:]
            print("game output, each line once:\n" + lines)
        return 1
    finally:
        if t.game:
            t.game.stop()
        display.server.kill()
        shutil.rmtree(t.work, ignore_errors=True)
    print(f"passed in {time.monotonic() - started:.0f} s")
    return 0

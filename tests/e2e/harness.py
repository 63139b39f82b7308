"""The real game on a private X display, driven by xdotool, its screen compared with the game's own pictures
and its sound captured by OpenAL's wave backend; every wait polls what the screen or a file shows."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import numpy as np
from PIL import Image, ImageGrab

WAIT = 30.0  # seconds; the sanitized game draws in software and may share two cores with builds
TOLERANCE, SHOWN, PAGE_SHARE = 12, 0.9, 0.85  # per channel; share of a picture's pixels; pages share scenery
PAGES = ("start_page.png", "menu_page.png", "settings.png", "instructions.png", "about.png", "game_over.png",
         "congratulations.png", "game:background.png", "game:backgroundCasual.png", "game:backgroundColorLines.png")
FAULTS = ("ERROR: AddressSanitizer", "runtime error:", "SUMMARY: ", "Segmentation fault", "Aborted")
TWO_PLAYERS = ("Alpha\n1450,4,3\n0,0,0\n220,1,0\n0,0,0\n0,0,0\n"
               "Bravo\n0,0,0\n0,0,0\n0,0,0\n0,0,0\n0,0,0\n[LAST_PLAYER]\nBravo\n")
RATE = 44100  # captured samples a second, 16-bit mono
# Design places (1920 x 1080) clicked or looked at, as view/positions.h and game/game.h give them: buttons' and the
# first listed player's middles; the game buttons' corner; read-outs as (picture prefix, x, y, step, digits); the board; the soak's targets.
START, HARD, SETTINGS, EASY, FIRST_ROW = (960, 422), (960, 440), (960, 559), (960, 290), (1506, 430)
MUSIC_X, SOUND_X, PAUSE_X, QUIT_X, BUTTON_Y = 1543, 1619, 1771, 1847, 22
SCORE, END_LEVELS, START_BUTTON = ("digit_", 510, 60, 25, 5), ("digit_b", 815, 795, 16, 1), ("start_gray.png", 858, 367)
END_MESSAGE = ("GO3.png", 695, 571)  # a full board with the best score
COLUMN_X, BOARD_TOP, THREAD_TOP, CELL, TUBE = [270 + 120 * c for c in range(12)] + [1777], 113, 595, 60, 12
TARGETS = ([(960, y) for y in range(260, 1000, 75)] + [(443, y) for y in (381, 529, 718, 866)]  # buttons, arrows
           + [(1506, y) for y in (430, 477, 524)] + [(x, 54) for x in range(1575, 1880, 76)])  # player list, game


def check(ok, reason):
    if not ok:
        raise AssertionError(reason)


def read(path):
    return open(path, newline="", errors="replace").read() if os.path.exists(path) else None


def wait(condition, what=None, timeout=WAIT, step=0.05):  # the value that held; fails naming what if it never did
    deadline = time.monotonic() + timeout
    while not (value := condition()) and time.monotonic() < deadline:
        time.sleep(step)
    check(value or what is None, f"waited {timeout:.0f} s in vain for {what}")
    return value


class Capture:  # the mix written in real time, so the file's length is its clock (the header adds 1 ms)
    def __init__(self, work):
        self.path, config = os.path.join(work, "capture.wav"), os.path.join(work, "alsoft.conf")
        with open(config, "w") as f:
            f.write(f"[general]\nsample-type=int16\nchannels=mono\nfrequency={RATE}\n[wave]\nfile={self.path}\n")
        self.env = {"ALSOFT_CONF": config, "ALSOFT_DRIVERS": "wave"}

    def seconds(self): return os.path.getsize(self.path) / (2 * RATE) if os.path.exists(self.path) else 0.0

    def loudest(self, since):  # the loudest RMS (full scale 1) of the 50 ms windows from second since on
        values, size = np.fromfile(self.path, "<i2", offset=2 * int(since * RATE)) / 32768.0, RATE // 20
        return max((float(np.sqrt(np.mean(values[i:i + size]**2))) for i in range(0, len(values), size)), default=0.0)


class Tester:
    """A display of its own (-noreset: one resetting as a client leaves drops a game connecting then)."""

    def __init__(self, width, height, binary, repo, scores):
        self.scale, self.binary, self.process, self.shot_taken = (width / 1920, height / 1080), binary, None, None
        reader, writer = os.pipe()  # Xvfb writes its display's number once it takes clients
        self.server = subprocess.Popen(["Xvfb", "-displayfd", str(writer), "-screen", "0", f"{width}x{height}x24",
                                        "-nolisten", "tcp", "-noreset"], stderr=subprocess.DEVNULL, pass_fds=(writer,))
        os.close(writer)
        with os.fdopen(reader) as number:
            self.display = ":" + number.readline().strip()
        self.assets, self.work, self.cache = os.path.join(repo, "assets"), tempfile.mkdtemp(prefix="tavrello-"), {}
        shutil.copytree(self.assets, os.path.join(self.work, "assets"), copy_function=os.symlink,
                        ignore=shutil.ignore_patterns("highscore*"))
        self.scores_path = os.path.join(self.work, "assets", "highscore.txt")
        if scores is not None:
            open(self.scores_path, "w").write(scores)

    def env(self, extra=None): return {**os.environ, "DISPLAY": self.display, "ALSOFT_DRIVERS": "null", **(extra or {})}

    def start(self, env=None, name="game", cwd=None):
        """Output to a file: a pipe nobody reads could stall it. No leak checks: the GL driver unloaded at exit
        leaves what LeakSanitizer calls an unknown module; display_tests check the game's own code for leaks."""
        self.heartbeat, self.output_path = (os.path.join(self.work, name + suffix) for suffix in (".beat", ".out"))
        env = self.env({"TAVRELLO_HEARTBEAT": self.heartbeat, "ASAN_OPTIONS": "detect_leaks=0",
                        "UBSAN_OPTIONS": "print_stacktrace=1:halt_on_error=1", **(env or {})})
        with open(self.output_path, "w") as output:
            self.process = subprocess.Popen([self.binary], cwd=cwd or self.work, env=env, stdout=output, stderr=output)
        wait(lambda: self.frames() > 0 or not self.alive(), "the first frame or an exit", 120)

    # The heartbeat holds the frames shown, rewritten after each second of frames (empty for a moment).
    def frames(self): return int(read(self.heartbeat) or 0)
    def alive(self): return self.process.poll() is None
    def output(self): return read(self.output_path) or ""
    def lines(self): return [line for line in self.output().splitlines() if line.strip()]
    def scores(self): return read(self.scores_path)

    def wait_handled(self):
        """The second heartbeat rewrite after the call's comes from a frame begun after input sent before it."""
        counts = set()
        wait(lambda: counts.add(self.frames()) or len(counts - {0}) >= 3 or not self.alive(), "new frames", step=0.1)
        check(self.alive(), f"the game ended with {self.process.poll()}")

    def wait_exit(self, timeout=WAIT):
        wait(lambda: not self.alive(), None, timeout)
        return self.process.poll()

    def fault_report(self):
        starts = [self.output().find(marker) for marker in FAULTS if marker in self.output()]
        return self.output()[min(starts):][:4000] if starts else ""

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env(), capture_output=True, text=True)

    def key(self, *keys, delay_ms=80): self.xdotool("key", "--delay", delay_ms, *keys)
    def move(self, x, y): self.xdotool("mousemove", round(x * self.scale[0]), round(y * self.scale[1]))  # design x, y

    def click(self, x, y, quick=False):  # quick as a touchpad tap, or held a tenth of a second
        self.move(x, y)
        self.xdotool(*(["click", 1] if quick else ["mousedown", 1, "sleep", 0.1, "mouseup", 1]))

    def shot(self):  # RGB [y, x]
        check(self.alive(), f"the game ended unexpectedly (exit {self.process.poll()})")
        self.shot_taken = np.asarray(ImageGrab.grab(xdisplay=self.display))
        return self.shot_taken

    def wait_for(self, what, condition, timeout=WAIT):  # returns the screenshot that showed it
        wait(lambda: condition(self.shot()), what, timeout)
        return self.shot_taken

    def sample(self, shot, x, y, rows, columns):  # the screen pixels at the design pixels (x + columns, y + rows)
        xs = np.clip(((x + columns + 0.5) * self.scale[0]).astype(int), 0, shot.shape[1] - 1)
        ys = np.clip(((y + rows + 0.5) * self.scale[1]).astype(int), 0, shot.shape[0] - 1)
        return shot[ys, xs].astype(np.int16)

    def picture(self, name):  # RGBA; "game:X" is X drawn over the game screen's backdrop
        if name not in self.cache:
            picture = Image.open(os.path.join(self.assets, name.split(":")[-1])).convert("RGBA")
            if name.startswith("game:"):
                picture = Image.alpha_composite(Image.open(os.path.join(self.assets, "nature.png")).convert("RGBA"),
                                                picture)
            self.cache[name] = np.asarray(picture).astype(np.int16)
        return self.cache[name]

    def share(self, shot, name, x, y, points=None):  # of its pixels shown; by default 400 inside its opaque part
        if (points := points or self.cache.get((name,))) is None:
            opaque = np.pad(self.picture(name)[..., 3] == 255, 1)
            h, w = opaque.shape[0] - 2, opaque.shape[1] - 2
            rows, columns = np.nonzero(np.logical_and.reduce([opaque[y:y + h, x:x + w] for y in range(3)
                                                              for x in range(3)]))
            pick = np.linspace(0, len(rows) - 1, min(400, len(rows))).astype(int)
            points = self.cache[(name,)] = rows[pick], columns[pick]
        seen = self.sample(shot, x, y, *points)
        return float((np.abs(seen - self.picture(name)[points[0], points[1], :3]).max(axis=1) <= TOLERANCE).mean())

    def shows(self, shot, name, x, y): return self.share(shot, name, x, y) >= SHOWN

    def page(self, shot):  # None while none matches (black, mid-fade)
        grid = tuple(axis.ravel() for axis in np.mgrid[4:1080:16, 4:1920:16])
        shares = {p: self.share(shot, p, 0, 0, grid) for p in PAGES}
        best = max(shares, key=shares.get)
        return best if shares[best] >= PAGE_SHARE else None

    def wait_page(self, page, *pictures):
        return self.wait_for(f"{page} with {[p[0] for p in pictures]}",
                             lambda s: self.page(s) == page and all(self.shows(s, *p) for p in pictures))

    def main_menu(self, key=None):  # pressed first: Space leaves the splash or the end screen
        if key:
            self.key(key)
        self.move(300, 200)  # away from the buttons, which light up under the pointer
        self.wait_page("menu_page.png", START_BUTTON)


def main(body, width=1920, height=1080, scores=None):
    started, t = time.monotonic(), Tester(width, height, sys.argv[1], sys.argv[2], scores)
    try:
        body(t)
        check(not (t.process and t.fault_report()), f"sanitizer report:\n{t.process and t.fault_report()}")
        print(f"passed in {time.monotonic() - started:.0f} s")
        return 0
    except AssertionError as error:
        output = t.process and (t.fault_report() or "\n".join(dict.fromkeys(t.output().splitlines()))[-3000:])
        print(f"FAILED: {error}\ngame output, each line once:\n{output}")
        return 1
    finally:
        if t.process and t.alive():
            t.process.kill()
        t.server.kill()
        shutil.rmtree(t.work, ignore_errors=True)

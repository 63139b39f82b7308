"""A private X display with the real game binary in it, driven by xdotool, for end-to-end tests: the
display, the game process with its heartbeat and exit, real keyboard and mouse input, screenshots."""
import os
import select
import shutil
import subprocess
import tempfile
import time

import numpy as np
from PIL import Image

DESIGN_WIDTH = 1920
DESIGN_HEIGHT = 1080
# The menus read the last polled event: a press and its release must reach different frames.
CLICK_HOLD_SECONDS = 0.1
# Sanitizer reports and the game's own crash lines, as they start on the error stream.
FAULT_MARKERS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:", "SUMMARY: ",
                 "Segmentation fault", "Aborted")


def wait_until(condition, timeout, step=0.05):
    """Polls condition() until it returns a true value or the timeout passes; returns the last value."""
    deadline = time.monotonic() + timeout
    value = condition()
    while not value and time.monotonic() < deadline:
        time.sleep(step)
        value = condition()
    return value


def read_xwd(data):
    """The pixels of an xwd dump of a 24-bit TrueColor screen as an RGB array (rows, columns, 3)."""
    header = np.frombuffer(data[:100], dtype=">u4")
    header_size, width, height = int(header[0]), int(header[4]), int(header[5])
    bytes_per_line, colour_count = int(header[12]), int(header[19])
    offset = header_size + colour_count * 12
    pixels = np.frombuffer(data, dtype=np.uint8, count=height * bytes_per_line, offset=offset)
    # 32 bits per pixel, least significant byte first: blue, green, red, unused.
    pixels = pixels.reshape(height, bytes_per_line // 4, 4)[:, :width]
    return pixels[..., [2, 1, 0]].copy()


def _read_line(fd, timeout):
    """One line from a pipe, or what arrived of it before the timeout."""
    text = b""
    deadline = time.monotonic() + timeout
    while not text.endswith(b"\n") and time.monotonic() < deadline:
        ready, _, _ = select.select([fd], [], [], max(0.0, deadline - time.monotonic()))
        if not ready:
            break
        chunk = os.read(fd, 64)
        if not chunk:
            break
        text += chunk
    return text.decode(errors="replace").strip()


class XSession:
    """Starts Xvfb on a free display of the given size; stops it on close."""

    def __init__(self, width=DESIGN_WIDTH, height=DESIGN_HEIGHT, timeout=30):
        self.width, self.height = width, height
        self.scale_x, self.scale_y = width / DESIGN_WIDTH, height / DESIGN_HEIGHT
        # Xvfb picks the free display number itself and reports it: tests started together cannot race
        # for one number and end up sharing a server. -noreset keeps the server from resetting when a
        # probe disconnects, which would drop a game connecting at that moment.
        reader, writer = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(writer), "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp",
             "-noreset"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, pass_fds=(writer,))
        os.close(writer)
        number = _read_line(reader, timeout)
        os.close(reader)
        self.display = f":{number}" if number.isdigit() else None
        if not self.display or not wait_until(self._answers, timeout):
            self.close()
            raise RuntimeError("no X display could be started")

    def env(self, extra=None):
        """The environment for programs on this display; an extra value of None removes that variable."""
        env = dict(os.environ)
        env["DISPLAY"] = self.display
        env.setdefault("ALSOFT_DRIVERS", "null")
        for name, value in (extra or {}).items():
            if value is None:
                env.pop(name, None)
            else:
                env[name] = value
        return env

    def _answers(self):
        if self.server.poll() is not None:
            return False
        result = subprocess.run(["xdotool", "getdisplaygeometry"], env=self.env(),
                                capture_output=True, text=True)
        return result.returncode == 0

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env(), capture_output=True, text=True)

    def key(self, *keys, delay_ms=60):
        """Presses and releases each key in turn (xdotool key names: space, Return, Left, m ...)."""
        return self.xdotool("key", "--delay", delay_ms, *keys)

    def key_stream(self, key, interval_ms):
        """Starts pressing the key again and again in the background; the caller kills the process."""
        return subprocess.Popen(["xdotool", "key", "--repeat", "100000", "--repeat-delay", str(interval_ms), key],
                                env=self.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def type_text(self, text, delay_ms=60):
        return self.xdotool("type", "--delay", delay_ms, text)

    def to_screen(self, x, y):
        """Window pixel of a design point; the game's window covers the whole screen."""
        return round(x * self.scale_x), round(y * self.scale_y)

    def move_to(self, x, y):
        """Moves the mouse to a design point."""
        return self.xdotool("mousemove", *self.to_screen(x, y))

    def click(self, x, y, hold=CLICK_HOLD_SECONDS):
        """A left click at a design point, pressed and released like a player's."""
        self.move_to(x, y)
        self.xdotool("mousedown", 1)
        time.sleep(hold)
        self.xdotool("mouseup", 1)

    def find_window(self, name, timeout=20):
        def search():
            result = self.xdotool("search", "--name", f"^{name}$")
            lines = result.stdout.split()
            return lines[0] if lines else None
        return wait_until(search, timeout, 0.1)

    def grab(self):
        """The whole screen as an RGB array indexed [y, x]."""
        dump = subprocess.run(["xwd", "-root", "-silent"], env=self.env(), capture_output=True, check=True)
        return read_xwd(dump.stdout)

    def screenshot(self, path=None):
        """Returns the whole screen as an RGB PIL image (and keeps a PNG when a path is given)."""
        image = Image.fromarray(self.grab())
        if path:
            image.save(path)
        return image

    def close(self):
        if self.server and self.server.poll() is None:
            self.server.terminate()
            try:
                self.server.wait(5)
            except subprocess.TimeoutExpired:
                self.server.kill()


class GameRun:
    """The real game binary on a session's display, started in a prepared working directory. Its error
    stream goes to a file (a pipe nobody reads could fill up and stall the game), and it reports its
    frame count through the heartbeat file."""

    def __init__(self, session, binary, work, extra_env=None, name="game"):
        self.work = work
        self.heartbeat = os.path.join(work, f"{name}.heartbeat")
        self.error_path = os.path.join(work, f"{name}.stderr")
        env = session.env({"TAVRELLO_HEARTBEAT": self.heartbeat, **(extra_env or {})})
        env.setdefault("ASAN_OPTIONS", "detect_leaks=0")
        env.setdefault("UBSAN_OPTIONS", "print_stacktrace=1:halt_on_error=1")
        with open(self.error_path, "w") as errors:
            self.process = subprocess.Popen([binary], cwd=work, env=env, stdout=subprocess.DEVNULL,
                                            stderr=errors)
        self.pid = self.process.pid

    def frames(self):
        """The last frame count the game wrote, or None before its first heartbeat."""
        try:
            with open(self.heartbeat) as f:
                return int(f.read().strip() or 0)
        except (OSError, ValueError):
            return None

    def wait_started(self, timeout=120):
        """Waits for the first heartbeat: the window is open and frames are being shown."""
        return wait_until(lambda: self.frames() or not self.alive(), timeout, 0.1) and self.alive()

    def alive(self):
        return self.process.poll() is None

    def wait_exit(self, timeout):
        """The exit code, or None if the game still runs after the timeout."""
        wait_until(lambda: not self.alive(), timeout, 0.05)
        return self.process.poll()

    def errors(self):
        with open(self.error_path, errors="replace") as f:
            return f.read()

    def fault_report(self):
        """The sanitizer or crash report on the error stream, or an empty string."""
        text = self.errors()
        starts = [text.find(marker) for marker in FAULT_MARKERS if marker in text]
        return text[min(starts):][:4000] if starts else ""

    def resident_mb(self):
        try:
            with open(f"/proc/{self.pid}/status") as f:
                for line in f:
                    if line.startswith("VmRSS:"):
                        return int(line.split()[1]) / 1024.0
        except OSError:
            pass
        return None

    def stop(self):
        if self.alive():
            self.process.kill()
            self.process.wait()


class HeartbeatWatch:
    """Declares the game hung when its frame count has not grown for the given time."""

    def __init__(self, game, stall_seconds=5.0):
        self.game = game
        self.stall_seconds = stall_seconds
        self.count = game.frames()
        self.since = time.monotonic()

    def stalled(self):
        count = self.game.frames()
        now = time.monotonic()
        if count != self.count:
            self.count, self.since = count, now
            return False
        return now - self.since > self.stall_seconds


def prepare_workdir(repo, keep_scores=None):
    """A scratch working directory whose assets/ links to the repository's files, so the game can write
    its high-score file there without touching the repository."""
    work = tempfile.mkdtemp(prefix="tavrello-e2e-")
    os.makedirs(os.path.join(work, "assets"))
    source = os.path.join(repo, "assets")
    for name in os.listdir(source):
        if name.startswith("highscore"):
            continue
        os.symlink(os.path.join(source, name), os.path.join(work, "assets", name))
    if keep_scores is not None:
        write_scores(work, keep_scores)
    return work


def scores_path(work):
    return os.path.join(work, "assets", "highscore.txt")


def write_scores(work, text):
    with open(scores_path(work), "w") as f:
        f.write(text)


def read_scores(work):
    """The high-score file's text, or None when it does not exist."""
    try:
        with open(scores_path(work), newline="") as f:
            return f.read()
    except FileNotFoundError:
        return None


def remove_workdir(work):
    shutil.rmtree(work, ignore_errors=True)

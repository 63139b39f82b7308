"""A private X display with the real game binary in it, driven by xdotool, for end-to-end tests."""
import os
import shutil
import subprocess
import tempfile
import time

from PIL import Image


def wait_until(condition, timeout, step=0.05):
    """Polls condition() until it returns a true value or the timeout passes; returns the last value."""
    deadline = time.monotonic() + timeout
    value = condition()
    while not value and time.monotonic() < deadline:
        time.sleep(step)
        value = condition()
    return value


class XSession:
    """Starts Xvfb on a free display of the given size; stops it on close."""

    def __init__(self, width=1920, height=1080):
        self.width, self.height = width, height
        self.display = None
        self.server = None
        for number in range(90, 140):
            if os.path.exists(f"/tmp/.X{number}-lock"):
                continue
            server = subprocess.Popen(
                ["Xvfb", f":{number}", "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.display = f":{number}"
            self.server = server
            if wait_until(self._answers, 10):
                return
            server.kill()
            server.wait()
        raise RuntimeError("no X display could be started")

    def env(self, extra=None):
        env = dict(os.environ)
        env["DISPLAY"] = self.display
        env.setdefault("ALSOFT_DRIVERS", "null")
        env.update(extra or {})
        return env

    def _answers(self):
        if self.server.poll() is not None:
            return False
        result = subprocess.run(["xdotool", "getdisplaygeometry"], env=self.env(),
                                capture_output=True, text=True)
        return result.returncode == 0

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env(), capture_output=True, text=True)

    def find_window(self, name, timeout=20):
        def search():
            result = self.xdotool("search", "--name", f"^{name}$")
            lines = result.stdout.split()
            return lines[0] if lines else None
        return wait_until(search, timeout, 0.1)

    def screenshot(self, path=None):
        """Returns the whole screen as an RGB PIL image (and keeps a PNG when a path is given)."""
        with tempfile.TemporaryDirectory() as tmp:
            xwd = os.path.join(tmp, "screen.xwd")
            subprocess.run(["xwd", "-root", "-silent", "-out", xwd], env=self.env(), check=True)
            png = path or os.path.join(tmp, "screen.png")
            subprocess.run(["/usr/bin/convert", xwd, png], check=True)
            return Image.open(png).convert("RGB")

    def close(self):
        if self.server and self.server.poll() is None:
            self.server.terminate()
            try:
                self.server.wait(5)
            except subprocess.TimeoutExpired:
                self.server.kill()


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
        with open(os.path.join(work, "assets", "highscore.txt"), "w") as f:
            f.write(keep_scores)
    return work


def remove_workdir(work):
    shutil.rmtree(work, ignore_errors=True)

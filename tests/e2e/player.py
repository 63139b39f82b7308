"""A test's player at the real game: looks at the screen, waits for what it expects with timeouts, and on
a failure stops with the reason, a screenshot and the game's own error output."""
import os
import tempfile
import time

from PIL import Image

import screen
from xsession import wait_until

# Waits are generous: the machine may be shared with builds, and the sanitized game draws in software.
SCREEN_TIMEOUT = 20.0


class Failure(Exception):
    pass


class Player:
    def __init__(self, session, game, assets):
        self.session = session
        self.game = game
        self.pictures = screen.Pictures(assets)
        self.scale = (session.scale_x, session.scale_y)
        self.board = screen.BoardReader(self.pictures, self.scale)
        self.last_shot = None

    def shot(self):
        """A screenshot; fails at once if the game is gone."""
        if not self.game.alive():
            raise Failure(f"the game ended unexpectedly (exit {self.game.process.poll()})")
        self.last_shot = self.session.grab()
        return self.last_shot

    def fail(self, reason):
        raise Failure(reason)

    def wait_for(self, what, condition, timeout=SCREEN_TIMEOUT):
        """Takes screenshots until condition(shot) holds; returns that screenshot."""
        found = wait_until(lambda: condition(self.shot()), timeout, 0.05)
        if not found:
            self.fail(f"timed out after {timeout:.0f} s waiting for {what}")
        return self.last_shot

    def shows(self, shot, picture, x, y):
        return screen.picture_shown(shot, self.pictures, picture, x, y, self.scale)

    def page(self, shot):
        return screen.page_on_screen(shot, self.pictures, self.scale)

    def wait_page(self, page, timeout=SCREEN_TIMEOUT, also=None):
        """Waits until the full-screen page is up (and the extra pictures [(name, x, y)] on it)."""
        extra = also or []
        return self.wait_for(f"page {page} with {[p[0] for p in extra]}",
                             lambda s: self.page(s) == page and all(self.shows(s, *p) for p in extra),
                             timeout)

    def read_digits(self, shot, prefix, x, y, spacing, count):
        """The number shown by a row of digit pictures ("digit_" or "digit_b"); '?' where none matches."""
        text = ""
        for i in range(count):
            shares = [screen.picture_share(shot, self.pictures, f"{prefix}{d}.png", x + i * spacing, y,
                                           self.scale) for d in range(10)]
            best = max(range(10), key=lambda d: shares[d])
            text += str(best) if shares[best] >= screen.SHOWN_SHARE else "?"
        return text

    def key(self, *keys):
        self.session.key(*keys)

    def click(self, x, y):
        self.session.click(x, y)

    def keep_last_shot(self, name):
        """Saves the last screenshot for a failure report; returns its path."""
        if self.last_shot is None:
            return None
        path = os.path.join(tempfile.gettempdir(), f"{name}-{int(time.time())}.png")
        Image.fromarray(self.last_shot).save(path)
        return path


def report_failure(player, error, name):
    """Prints what went wrong with everything that helps to see why."""
    print(f"FAILED: {error}")
    if player is not None:
        picture = player.keep_last_shot(name)
        if picture:
            print(f"last screenshot: {picture}")
        if player.game is not None:
            print("game error output (tail, repeated lines once):\n" + distinct_lines(player.game.errors())[-3000:])


def distinct_lines(text):
    """The text without repeats of a line already seen (the settings page may log once per frame)."""
    seen, kept = set(), []
    for line in text.splitlines():
        if line not in seen:
            seen.add(line)
            kept.append(line)
    return "\n".join(kept)

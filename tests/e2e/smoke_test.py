"""Smoke test of the real binary: a window under the game's title, a splash that lights the screen, and
Escape ending the game with exit code 0."""
import sys

from harness import check, main


def smoke(t):
    game = t.start()
    check(t.display.xdotool("search", "--name", "^Tavrello Game$").stdout.strip(), "no window 'Tavrello Game'")
    t.wait_for("the splash to light the screen", lambda shot: (shot.sum(axis=2) > 60).mean() > 0.25)
    t.display.key("Escape")
    check(game.wait_exit() == 0, f"Escape ended the game with {game.process.poll()}, not 0")


if __name__ == "__main__":
    sys.exit(main(smoke))

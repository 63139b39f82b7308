"""Start-up of the real binary. From its folder: a window under the game's title, a splash that lights the
screen, and Escape ending it with 0. With --away, started from a folder without assets/ (as from its build
folder): one line or two naming the folder looked for and the tavrello command, an error status, no window."""
import os
import sys

from harness import Game, check, main, wait_until

WINDOW = ("search", "--name", "^Tavrello Game$")


def smoke(t):
    t.start()
    check(t.display.xdotool(*WINDOW).stdout.strip(), "no window titled 'Tavrello Game'")
    t.wait_for("the splash to light the screen", lambda shot: (shot.sum(axis=2) > 60).mean() > 0.25)
    t.display.key("Escape")
    check(t.game.wait_exit() == 0, f"Escape ended the game with {t.game.process.poll()}, not 0")


def away(t):
    os.mkdir(elsewhere := os.path.join(t.work, "elsewhere"))
    t.game = Game(t.display, t.binary, elsewhere)
    seen = wait_until(lambda: t.display.xdotool(*WINDOW).stdout.strip() or not t.game.alive(), 60)
    check(seen is True, "the game opened its window" if seen else "the game still runs after 60 s")
    check(t.game.process.poll() > 0, f"the game ended with {t.game.process.poll()}, not an error status")
    lines = [line for line in t.game.output().splitlines() if line.strip()]
    check(len(lines) <= 2 and any(elsewhere in line and "assets" in line and "tavrello" in line for line in lines),
          f"not one line or two naming {elsewhere}, assets and the tavrello command:\n" + "\n".join(lines[:10]))


if __name__ == "__main__":
    sys.exit(main(away if "--away" in sys.argv else smoke))

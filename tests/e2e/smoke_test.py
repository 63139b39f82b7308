"""Smoke test of the real binary: its window appears under its title, it draws something, and Escape
ends it with exit code 0."""
import os
import subprocess
import sys
import time

from xsession import XSession, prepare_workdir, remove_workdir, wait_until


def lit_share(shot):
    samples = list(shot.resize((96, 54)).getdata())
    return sum(1 for p in samples if sum(p) > 60) / len(samples)


def main(binary, repo):
    session = XSession()
    work = prepare_workdir(repo)
    game = None
    try:
        log_path = os.path.join(work, "game.log")
        log = open(log_path, "w")
        game = subprocess.Popen([binary], cwd=work, env=session.env(),
                                stdout=subprocess.DEVNULL, stderr=log)

        def game_log():
            log.flush()
            with open(log_path) as f:
                return f.read()[-3000:]

        # A sanitizer build on a loaded two-core machine can take a while to load its pictures.
        window = session.find_window("Tavrello Game", timeout=90)
        assert window, (f"no window titled 'Tavrello Game' appeared (game exit code {game.poll()}):\n"
                        f"{game_log()}")
        # The splash fades in over one second once start-up is done; a loaded machine may need longer.
        lit = wait_until(lambda: lit_share(session.screenshot()) > 0.25, 20, 0.5)
        assert lit, f"the splash stayed mostly black ({lit_share(session.screenshot()):.2f} lit)"
        session.xdotool("key", "Escape")
        started = time.monotonic()
        ended = wait_until(lambda: game.poll() is not None, 2.0)
        assert ended, "Escape did not end the game within 2 s"
        assert game.returncode == 0, f"exit code {game.returncode}:\n{game_log()}"
        print(f"window found, splash lit, exit 0 after {time.monotonic() - started:.2f} s")
    finally:
        if game and game.poll() is None:
            game.kill()
        session.close()
        remove_workdir(work)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])

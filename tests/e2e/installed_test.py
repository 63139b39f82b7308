"""The installed game started as a player starts it: `cmake --install` into a scratch prefix, the command on
a private X display, a player registered through real key presses and clicks. The scores land as a plain
file in the player's directory, nothing under the prefix or HOME; every asset is found through the links.
    installed_test.py BINARY REPO CMAKE BUILD_DIR"""
import os
import subprocess
import sys

from harness import check, main, read, wait_until


def installed(t):
    prefix, home, data = (os.path.join(t.work, name) for name in ("pre fix", "home", "data home"))
    os.mkdir(home)
    run = subprocess.run([sys.argv[3], "--install", sys.argv[4], "--prefix", prefix], capture_output=True, text=True)
    check(run.returncode == 0, f"cmake --install failed:\n{run.stdout[-2000:]}{run.stderr[-2000:]}")
    t.start({"HOME": home, "XDG_DATA_HOME": data}, command=[os.path.join(prefix, "bin", "tavrello")], cwd=home)
    t.wait_page("start_page.png")
    t.key("space")
    t.move(300, 200)
    t.wait_page("menu_page.png", ("start_gray.png", 858, 367))
    t.click(960, 422)
    t.wait_page("settings.png")
    t.type("Tester")
    t.key("Return")
    scores = os.path.join(data, "tavrello", "assets", "highscore.txt")
    check(wait_until(lambda: (read(scores) or "").startswith("Tester\n")), f"the player's scores: {read(scores)!r}")
    t.key("Escape")
    t.wait_page("menu_page.png")
    t.key("Escape")
    check(t.wait_exit() == 0, f"Escape ended the game with {t.process.poll()}")
    check(not os.path.islink(scores), "the scores are a link, not the player's own file")
    written = [os.path.join(d, n) for top in (prefix, home) for d, _, names in os.walk(top) for n in names]
    check(not [p for p in written if "highscore" in p or "/.local/" in p], f"written elsewhere: {written}")
    check("Failed to" not in t.output(), f"assets missing:\n{t.output()[-2000:]}")


if __name__ == "__main__":
    sys.exit(main(installed))

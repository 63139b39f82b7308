"""The high-score file under the real game (store_test.py BINARY REPO RUN). full-disk: a name registered and a game
ended on a full 64 KiB disk (as root; skipped otherwise) say why in one line each and leave the file whole; two-copies:
one copy clicks a listed name again and again while another in the same folder registers eight names: none is lost."""
import os
import shutil
import subprocess
import sys
import threading

from harness import EASY, FIRST_ROW, SETTINGS, TWO_PLAYERS, Tester, check, main, wait
from session_test import Board, drop_until, start_game

NAMES = ["p" + letter for letter in "abcdefgh"]
SKIPPED = 77  # CTest's SKIP_RETURN_CODE
FULL = "no space left on device"


def temporaries(t): return [name for name in os.listdir(os.path.dirname(t.scores_path)) if ".tmp" in name]


def settings_page(t):
    t.wait_page("start_page.png")
    t.main_menu("space")
    t.click(*SETTINGS)
    t.wait_page("settings.png")


def full_disk(t):
    links, assets = t.work + "/links", os.path.dirname(t.scores_path)
    os.rename(assets, links)
    os.mkdir(assets)
    subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", assets], check=True)
    try:
        for name in (name for name in os.listdir(links) if os.path.islink(os.path.join(links, name))):
            os.symlink(os.readlink(os.path.join(links, name)), os.path.join(assets, name))
        open(t.scores_path, "w").write(TWO_PLAYERS)
        subprocess.run(["dd", "if=/dev/zero", "of=" + assets + "/filler", "bs=4k"], stderr=subprocess.DEVNULL)
        t.start()
        settings_page(t)
        t.xdotool("type", "--delay", 60, "pz")
        t.key("Return")
        wait(lambda: t.output().count(FULL) >= 2, "the registration and the last player's failed writes")
        t.click(*EASY)
        t.main_menu()
        start_game(t)
        drop_until(t, Board(t), lambda g: any(g[0][c] and g[1][c] for c in range(12)))
        wait(lambda: t.output().count(FULL) >= 3, "the game's failed write", 60)
        check([line.split(":")[0] for line in t.lines() if FULL in line] == [
            "Не удалось открыть файл для записи", "Не удалось открыть файл для записи обновлённого списка",
            "Результат игры не сохранён"], f"lines: {t.lines()}")
        check(t.scores() == TWO_PLAYERS and not temporaries(t), f"{t.scores()!r}, {temporaries(t)} left")
    finally:
        t.process and t.alive() and (t.process.kill(), t.process.wait())
        subprocess.run(["umount", assets])


def two_copies(t):
    other, stop = Tester(1920, 1080, sys.argv[1], sys.argv[2], None), threading.Event()
    try:
        t.start()
        other.start(cwd=t.work)
        settings_page(t), settings_page(other)
        t.move(*FIRST_ROW)  # bursts of quick clicks, each a rewrite, several handled in one frame
        clicker = threading.Thread(target=lambda: [t.xdotool("click", "--repeat", 20, "--delay", 1, 1)
                                                   for _ in iter(stop.is_set, True)])
        clicker.start()
        for name in NAMES:
            other.xdotool("type", "--delay", 10, name)
            other.key("Return")
        other.wait_handled()
        stop.set()
        clicker.join()
        t.wait_handled()
    finally:
        stop.set()
        other.process and other.alive() and other.process.kill()
        other.server.kill()
        shutil.rmtree(other.work, ignore_errors=True)
    players = TWO_PLAYERS.split("[LAST_PLAYER]")[0] + "".join(name + "\n" + "0,0,0\n" * 5 for name in NAMES)
    check(t.scores() in (players + f"[LAST_PLAYER]\n{last}\n" for last in ("Alpha", NAMES[-1])) and not temporaries(
        t), f"the file holds {t.scores()!r}, temporary files left: {temporaries(t)}")


if __name__ == "__main__":
    if sys.argv[3] == "full-disk" and os.geteuid() != 0:
        print("skipped: the full disk is a 64 KiB tmpfs, and only root may mount one")
        sys.exit(SKIPPED)
    sys.exit(main({"full-disk": full_disk, "two-copies": two_copies}[sys.argv[3]], scores=TWO_PLAYERS))

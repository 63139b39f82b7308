"""tavrello.exe under Wine in Xvfb, run by an unprivileged player named with a non-ASCII letter (session_test.py OUT
REPO; OUT holds the zip and the installer): the portable game with music, two names, an Easy game and CR LF; no sound
server; the silent installer, the game from its Start-menu shortcut, the uninstaller that leaves every score."""
import contextlib
import glob
import os
import re
import shutil
import subprocess
import sys
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from harness import RATE, Capture, check, main, read, wait  # noqa: E402
from session_test import (END_MESSAGE, FLUSH_POINTS, MUSIC_HEARD, SCORE, START, TUBE, Board,  # noqa
                          digits, drop_until, move_thread, pull, start_game)

PLAYER = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"]
USER, FOLDER = "Zoë", "Spiele für Jürgen"  # Wine names the profile folder after USER
EASY, NAMES = (960, 290), ("ann", "bob")
BLANK, QUIET = "0,0,0\r\n" * 5, {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}


def as_player(t, *command):
    return subprocess.run(PLAYER + list(command), env=t.wine, timeout=300, **QUIET)  # Wine's helpers hold pipes


def prepare(t):  # the player's own home, runtime folder and Wine prefix
    os.makedirs(run := os.path.join(t.work, "run"), mode=0o700)
    t.wine = {**{k: v for k, v in os.environ.items() if not k.startswith(("ALSOFT", "WINE"))}, "DISPLAY": t.display,
              "HOME": t.work, "USER": USER, "LOGNAME": USER, "XDG_RUNTIME_DIR": run, "WINEDEBUG": "-all",
              "WINEPREFIX": os.path.join(t.work, "prefix"), "WINEDLLOVERRIDES": "mscoree,mshtml="}
    subprocess.run(["chown", "-R", "nobody:nogroup", t.work], check=True)
    as_player(t, "wineboot", "-i")
    t.drive = os.path.join(t.wine["WINEPREFIX"], "drive_c")


class Started:  # the game the shell started for the shortcut, known by its id; its exit code is not ours
    def __init__(self): self.pid = wait(self.find, "the started game")

    @staticmethod
    def find():  # its Wine process, by the Windows command line
        for cmdline in glob.glob("/proc/[0-9]*/cmdline"):
            with contextlib.suppress(OSError), open(cmdline, "rb") as f:
                if b"Tavrello\\tavrello.exe" in f.read():
                    return int(cmdline.split("/")[2])

    def poll(self): return None if os.path.exists(f"/proc/{self.pid}") else 0
    def kill(self): os.kill(self.pid, 9)


def launch(t, name, *command):
    t.heartbeat, t.output_path = (os.path.join(t.work, name + suffix) for suffix in (".beat", ".out"))
    with open(t.output_path, "w") as output:
        t.process = subprocess.Popen(PLAYER + ["wine", *command], cwd=t.work, stdout=output, stderr=output,
                                     env={**t.wine, "TAVRELLO_HEARTBEAT": "Z:" + t.heartbeat})
    if command[0] == "start":
        check(t.process.wait() == 0, "start could not open the shortcut")
        t.process = Started()
    wait(lambda: t.frames() > 0 or not t.alive(), "the first frame or an exit", 120)
    t.wait_page("start_page.png")


def quit_from_menu(t):  # Space leaves the splash or the end screen; Escape on the main menu ends the game
    t.main_menu("space")
    t.key("Escape")
    check(t.wait_exit() == 0, f"the game ended with {t.process.poll()}, not 0")


def register(t, scores, *names):  # with no file Start opens the name prompt; each name a rewrite of the file
    t.click(*START)
    t.wait_page("settings.png")
    for name in names:
        t.xdotool("type", "--delay", 60, name)
        t.key("Return")
        check(wait(lambda: name + "\r\n" + BLANK in (read(scores) or "")), f"{name} not in {read(scores)!r}")


class PulseCapture(Capture):  # the null sink's monitor, recorded as the wave backend writes: 16-bit mono
    def __init__(self, t):
        self.path = os.path.join(t.work, "capture.raw")
        daemon = ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--load=module-native-protocol-unix",
                  "--load=module-null-sink sink_name=null"]
        self.server = subprocess.Popen(PLAYER + daemon, env=t.wine, **QUIET)
        wait(lambda: as_player(t, "pactl", "info").returncode == 0, "PulseAudio to start")
        record = f"parec -d null.monitor --raw --format=s16le --channels=1 --rate={RATE} --latency-msec=20"
        self.recorder = subprocess.Popen(PLAYER + ["sh", "-c", f"exec {record} >'{self.path}'"], env=t.wine)

    def stop(self): [(process.kill(), process.wait()) for process in (self.recorder, self.server)]


def play_easy(t, scores):
    register(t, scores, *NAMES)
    t.click(*EASY)  # a mode picked returns to the menu; the result's line in the file shows which
    t.main_menu()
    start_game(t)
    board = Board(t)
    t.wait_for("the thread under its first column", lambda s: board.thread_column(s) == 6)
    while board.held(t.shot(), board.thread_column(t.shot_taken) or 0) < 8:
        pull(t, board)
    move_thread(t, board, TUBE)
    t.key("Up")
    t.wait_for("the flushed thread's points", lambda s: digits(t, s, *SCORE) == f"{FLUSH_POINTS:05d}")
    drop_until(t, board, lambda g: any(g[0][c] and g[1][c] for c in range(12)))
    t.wait_page("congratulations.png", END_MESSAGE)
    return f"{NAMES[1]}\r\n{FLUSH_POINTS},[0-9]+,0\r\n" + "0,0,0\r\n" * 4  # Easy's line, then the other modes


def portable(t):
    archive = zipfile.ZipFile(glob.glob(os.path.join(sys.argv[1], "tavrello-*-windows-x64.zip"))[0])
    pe = (exe := archive.read("Tavrello/tavrello.exe"))[int.from_bytes(exe[0x3C:0x40], "little"):]
    check(pe[:4] == b"PE\0\0" and pe[92:94] == b"\2\0", "tavrello.exe is not a GUI program")  # Subsystem 2, not 3
    archive.extractall(folder := os.path.join(t.work, FOLDER))
    subprocess.run(["chown", "-R", "nobody:nogroup", folder], check=True)
    exe, scores = os.path.join(folder, "Tavrello", "tavrello.exe"), os.path.join(folder, "Tavrello", "highscore.txt")
    capture = PulseCapture(t)
    try:
        launch(t, "portable", exe)
        wait(lambda: capture.seconds() > 2 and capture.loudest(capture.seconds() - 1) > MUSIC_HEARD, "music heard")
        t.main_menu("space")
        result = play_easy(t, scores)
    finally:
        capture.stop()
    quit_from_menu(t)
    expected = f"{NAMES[0]}\r\n{BLANK}{result}\\[LAST_PLAYER]\r\n{NAMES[1]}\r\n"
    check(re.fullmatch(expected, read(scores)), f"the high-score file holds {read(scores)!r}, not {expected!r}")
    launch(t, "silent", exe)  # no sound server now: the game plays silent and quits as ever
    quit_from_menu(t)
    return scores


def installed(t, kept):
    setup = glob.glob(os.path.join(sys.argv[1], "tavrello-*-windows-x64-setup.exe"))[0]
    check(as_player(t, "wine", setup, "/S").returncode == 0, "the silent install failed")
    program = os.path.join(t.drive, "Program Files", "Tavrello")
    shortcut = glob.glob(t.drive + "/ProgramData/Microsoft/Windows/Start Menu/Programs/Tavrello/Tavrello.lnk")
    check(os.path.isfile(os.path.join(program, "tavrello.exe")) and shortcut, "no program or Start-menu shortcut")
    os.chmod(program, 0o555)  # as Program Files is to a player: the scores go to the player's own folder
    launch(t, "installed", "start", "/unix", shortcut[0])
    t.main_menu("space")
    register(t, local := os.path.join(t.drive, "users", USER, "AppData", "Local", "Tavrello", "highscore.txt"), "cy")
    t.key("Escape")
    quit_from_menu(t)
    os.chmod(program, 0o755)  # then scores left beside the program by an earlier, writable install
    [shutil.copy(kept, os.path.join(program, name)) for name in ("highscore.txt", "highscore.txt.bak")]
    as_player(t, "wine", os.path.join(program, "uninstall.exe"), "/S")
    wait(lambda: not os.path.exists(os.path.dirname(shortcut[0])), "the uninstaller's last step, the Start-menu folder")
    left = sorted(os.listdir(program))
    check(left == ["highscore.txt", "highscore.txt.bak"] and not os.path.exists(shortcut[0]) and read(local),
          f"after uninstalling: {left} beside the program, shortcut {os.path.exists(shortcut[0])}")


def session(t):
    prepare(t)
    installed(t, portable(t))
    as_player(t, "wineserver", "-k")


if __name__ == "__main__":
    sys.exit(main(session))

"""Runs of the game with real input (session_test.py BINARY REPO RUN). play: splash music and M, name entry without a
file, every play key in a game to its end screen, the result written; scaling: quick clicks at 2560x1080; no-assets:
the folder named, no window, the line lost on a closed pipe without a crash; no-device, server (killed),
device-lost: M and S work, no output flood, no thread spins."""
import os
import subprocess
import sys
import time

import numpy as np

from harness import (BOARD_TOP, BUTTON_Y, CELL, COLUMN_X, END_LEVELS, END_MESSAGE, HARD, MUSIC_X, PAUSE_X, QUIT_X,
                     SCORE, SHOWN, SOUND_X, START, THREAD_TOP, TUBE, TWO_PLAYERS, Capture, check, main, read, wait)

NAME = "sam"  # holds m and s, the music and sound keys outside the settings page
FLUSH_POINTS = 4  # a full thread flushed
MUSIC_HEARD, SILENCE, EFFECT_HEARD = 1e-3, 1e-4, 1e-2  # RMS: music at volume 2 ~4e-3, gem fall at 20 ~3e-2
GEMS = ["gem_90", "gem_80", "gem_70", "gem_60", "gem_50", "gem_40", "gem_30", "gem_20", "gem_diamond", "gem_trash"]


class Board:  # each cell matched to the bare background or a gem (or on the thread, a bare segment) over it
    def __init__(self, t):
        self.t, self.looks, self.base = t, {}, t.picture("game:background.png")[..., :3].astype(np.float32)
        layers = (t.picture(name + ".png") for name in ["thread_segment"] + GEMS)
        self.layers = [(layer[..., :3], layer[..., 3:] / 255) for layer in layers]

    def _closest(self, shot, x, y, first_layer):
        if (x, y) not in self.looks:
            under = self.base[y:y + CELL, x:x + CELL]
            self.looks[(x, y)] = np.stack([under] + [rgb * a + under * (1 - a) for rgb, a in self.layers[first_layer:]])
        seen = self.t.sample(shot, x, y, *np.mgrid[0:CELL, 0:CELL])
        return int(np.argmin(np.abs(self.looks[(x, y)] - seen).mean(axis=(1, 2, 3))))

    # A cell holds 0 or the gem (the falling one too); a thread slot -1 where no thread hangs, 0 when empty.
    def cell(self, shot, row, column): return self._closest(shot, COLUMN_X[column], BOARD_TOP + CELL * row, 1)
    def grid(self, shot): return [[self.cell(shot, row, column) for column in range(12)] for row in range(8)]
    def slot(self, shot, slot, column): return self._closest(shot, COLUMN_X[column], THREAD_TOP + CELL * slot, 0) - 1
    def held(self, shot, column): return sum(self.slot(shot, slot, column) > 0 for slot in range(8))

    def thread_column(self, shot):
        hanging = [c for c in range(13) if self.slot(shot, 0, c) != -1]
        return hanging[0] if len(hanging) == 1 else None


def digits(t, shot, prefix, x, y, spacing, count):
    shares = [[t.share(shot, f"{prefix}{d}.png", x + i * spacing, y) for d in range(10)] for i in range(count)]
    return "".join(str(np.argmax(s)) if max(s) >= SHOWN else "?" for s in shares)


def start_game(t, quick=False):
    t.click(*START, quick)
    return t.wait_page("game:background.png", ("button_pause.png", PAUSE_X, BUTTON_Y))


def drop_until(t, board, enough):
    presses = subprocess.Popen(["xdotool", "key", "--repeat", "100000", "--repeat-delay", "80", "space"],
                               env=t.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        t.wait_for("the board filling under hard drops", lambda s: enough(board.grid(s)), 120)
    finally:
        presses.kill()
        presses.wait()
        t.xdotool("keyup", "space")  # killed between press and release, Space would auto-repeat


def press_until(t, key, seen, tries=20):
    """Pressed again only after a handled frame: some keys act once a frame or are refused as a gem lands."""
    def pressed(): return t.key(key) or wait(lambda: seen(t.shot()), None, 3) or t.wait_handled() or seen(t.shot())
    check(any(pressed() for _ in range(tries)), f"{key} never had its effect")


def move_thread(t, board, column):
    while (current := board.thread_column(t.shot())) != column:
        check(current is not None, "no thread under the board")
        press_until(t, "Right" if column > current else "Left", lambda s: board.thread_column(s) != current)


def pull(t, board):
    while not any((grid := board.grid(t.shot()))[7]):
        drop_until(t, board, lambda g: any(g[7]))
    near = board.thread_column(t.shot_taken) or 0
    column = min((c for c in range(12) if grid[7][c]), key=lambda c: abs(c - near))
    move_thread(t, board, column)
    held = board.held(t.shot(), column)
    press_until(t, "Down", lambda s: board.held(s, column) == held + 1)


def play_game(t, capture):
    board, mark = Board(t), capture.seconds()
    t.wait_for("the thread under its first column", lambda s: board.thread_column(s) == 6)
    pull(t, board)  # after a gem landed in the bottom row, with its effect
    wait(lambda: capture.loudest(mark) > EFFECT_HEARD, "an effect heard in the game")
    press_until(t, "p", lambda s: t.shows(s, "button_resume.png", PAUSE_X, BUTTON_Y), 10)  # only while a gem falls
    t.key("p")
    t.wait_for("the pause picture back after P", lambda s: t.shows(s, "button_pause.png", PAUSE_X, BUTTON_Y))
    while board.held(t.shot(), board.thread_column(t.shot_taken) or 0) < 8:
        pull(t, board)
    move_thread(t, board, TUBE)
    t.key("Up")
    t.wait_for("the thread emptied into the tube and the score shown",
               lambda s: board.held(s, TUBE) == 0 and digits(t, s, *SCORE) == f"{FLUSH_POINTS:05d}")
    drop_until(t, board, lambda g: any(g[0][c] and g[1][c] for c in range(12)))
    summary = t.wait_page("congratulations.png", END_MESSAGE)
    check((levels := digits(t, summary, *END_LEVELS)).isdigit(), "the end screen shows no level count")
    expected = f"{NAME}\n0,0,0\n0,0,0\n{FLUSH_POINTS},{levels},0\n0,0,0\n0,0,0\n[LAST_PLAYER]\n{NAME}\n"
    check(wait(lambda: t.scores() == expected), f"after the game the high-score file holds {t.scores()!r}")


def play(t):
    capture = Capture(t.work)
    t.start(capture.env)
    check(t.xdotool("search", "--name", "^Tavrello Game$").stdout.strip(), "no window titled 'Tavrello Game'")
    t.wait_page("start_page.png")
    wait(lambda: capture.seconds() > 2 and capture.loudest(capture.seconds() - 1) > MUSIC_HEARD, "music on the splash")
    mark = capture.seconds()
    t.key("m")
    wait(lambda: capture.seconds() > mark + 1 and capture.loudest(capture.seconds() - 1) < SILENCE, "silence after M")
    t.main_menu("space")
    t.click(*START)
    t.wait_page("settings.png")  # the name registered and written at once: app_screens_test
    t.xdotool("type", "--delay", 60, NAME)
    t.key("Return")
    t.click(*HARD)
    t.main_menu()
    check(t.shows(shot := start_game(t), "button_music_off.png", MUSIC_X, BUTTON_Y) and t.shows(
        shot, "button_sound_on.png", SOUND_X, BUTTON_Y), "the typed m and s moved the audio switches")
    play_game(t, capture)  # leaving the end screen and Escape on the menu: screen flow tests, no-device run


def wide(t):  # every menu button's and settings arrow's quick clicks: app_screens_test
    t.start()
    t.wait_page("start_page.png")
    t.click(960, 700, quick=True)
    t.main_menu()
    start_game(t, quick=True)
    t.wait_handled()  # the page may match while it still fades in for a second; its buttons answer once it ran
    t.click(QUIT_X + 32, BUTTON_Y + 32, quick=True)
    check(t.wait_exit() == 0, f"the game's quit button ended the game with {t.process.poll()}")
    check(t.scores() == TWO_PLAYERS, f"the high-score file changed without a finished game: {t.scores()!r}")


def no_assets(t):
    os.mkdir(elsewhere := os.path.join(t.work, "elsewhere"))
    t.start(cwd=elsewhere)
    seen = wait(lambda: t.xdotool("search", "--name", "Tavrello").stdout.strip() or not t.alive(), None, 60)
    check(seen is True and t.process.poll() > 0, f"window {seen!r}, exit {t.process.poll()}: no window, an error")
    check(len(lines := t.lines()) <= 2 and any(
        elsewhere in line and "assets" in line and "tavrello" in line.replace(elsewhere, "") for line in lines),
          f"not one line or two naming {elsewhere}, assets and the tavrello command:\n" + "\n".join(lines[:10]))
    closed, pipe = os.pipe()  # output to a reader that has quit, as piped to head: the line is lost, not the game
    os.close(closed)
    code = subprocess.run([t.binary], cwd=elsewhere, env=t.env({}), stdout=pipe, stderr=pipe).returncode
    os.close(pipe)
    check(code == 1, f"with its output on a closed pipe the game ended with {code}, not 1")


def thread_cpu(pid):  # {"id (name": CPU seconds} but for the software renderer's, which may use every core
    stats = [read(f"/proc/{pid}/task/{tid}/stat").rsplit(")", 1) for tid in os.listdir(f"/proc/{pid}/task")]
    return {name: sum(map(int, fields.split()[11:13])) / os.sysconf("SC_CLK_TCK") for name, fields in stats
            if "(llvmpipe" not in name}


def plays_on(t, on_game_screen=lambda: None):
    t.wait_page("start_page.png")
    t.main_menu("space")
    start_game(t)
    on_game_screen()
    for look in ("off", "on"):  # switched on again, the music must not flood the output of a dead device
        t.key("m", "s")
        t.wait_page("game:background.png", (f"button_music_{look}.png", MUSIC_X, BUTTON_Y),
                    (f"button_sound_{look}.png", SOUND_X, BUTTON_Y))
    t.key("space")  # a hard drop starts the gem-fall effect
    before, began = thread_cpu(t.process.pid), time.monotonic()
    t.wait_handled()
    after, elapsed = thread_cpu(t.process.pid), time.monotonic() - began
    busy = {name: used - before[name] for name, used in after.items() if used - before.get(name, used) > elapsed / 2}
    check(not busy, f"threads spinning: {busy}")
    t.key("Escape")
    check(t.wait_exit(10) == 0, f"Escape ended the game with {t.process.poll()}, not 0 within 10 s")
    check(len(lines := t.lines()) <= 6, f"{len(lines)} lines of output:\n" + "\n".join(lines[:20]))


def server_killed(t):
    env = t.env(private := {"HOME": t.work, "XDG_RUNTIME_DIR": t.work})  # made by mkdtemp, private as it asks
    server = subprocess.Popen(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                               "--load=module-null-sink sink_name=null", "--load=module-native-protocol-unix"],
                              env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    def pactl(): return subprocess.run(["pactl", "list", "sink-inputs"], env=env, capture_output=True, text=True)
    try:
        wait(lambda: pactl().returncode == 0, "PulseAudio to start")
        t.start({**private, "ALSOFT_DRIVERS": "pulse"})
        wait(lambda: f'application.process.id = "{t.process.pid}"' in pactl().stdout, "the game's sound stream")
        plays_on(t, lambda: (server.kill(), server.wait()))
    finally:
        server.kill()


def device_lost(t):  # the wave output on a full disk: OpenAL reports the device gone at its first write
    with open(conf := os.path.join(t.work, "alsoft.conf"), "w") as f:
        f.write("[wave]\nfile=/dev/full\n")
    t.start({"ALSOFT_CONF": conf, "ALSOFT_DRIVERS": "wave"})
    plays_on(t)
    check("audio device went away" in t.output(), "the game did not say that its audio device went away")


if __name__ == "__main__":
    runs = {"play": play, "scaling": wide, "no-assets": no_assets, "server": server_killed, "device-lost": device_lost,
            "no-device": lambda t: (t.start({"ALSOFT_DRIVERS": "none"}), plays_on(t))}
    run = sys.argv[3]
    sys.exit(main(runs[run], 2560 if run == "scaling" else 1920, 1080, None if run == "play" else TWO_PLAYERS))

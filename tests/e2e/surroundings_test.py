"""Started without assets/, the game names the folder and the tavrello command and opens no window. With no
audio device, or its PulseAudio server killed during play, it plays on: M and S switch their buttons, no
flood of output, no thread spinning, Escape ends it with 0."""
import functools
import os
import shutil
import subprocess
import sys
import tempfile
import time

from harness import TWO_PLAYERS, check, main, read, wait_until

MUSIC, SOUND = (1543, 22), (1619, 22)


def no_assets(t):
    os.mkdir(elsewhere := os.path.join(t.work, "elsewhere"))
    t.start(cwd=elsewhere, first_frame=False)
    seen = wait_until(lambda: t.xdotool("search", "--name", "Tavrello").stdout.strip() or not t.alive(), 60)
    check(seen is True, "the game opened its window" if seen else "the game still runs after 60 s")
    check(t.process.poll() > 0, f"the game ended with {t.process.poll()}, not an error status")
    lines = t.lines()
    check(len(lines) <= 2 and any(elsewhere in line and "assets" in line and "tavrello" in line.replace(elsewhere, "")
                                  for line in lines),
          f"not one line or two naming {elsewhere}, assets and the tavrello command:\n" + "\n".join(lines[:10]))


def thread_cpu(pid):  # {id: (name, CPU seconds)} but for the software renderer's, which may use every core
    stats = {tid: read(f"/proc/{pid}/task/{tid}/stat").rsplit(")", 1) for tid in os.listdir(f"/proc/{pid}/task")}
    return {tid: (name.split("(", 1)[1], sum(map(int, fields.split()[11:13])) / os.sysconf("SC_CLK_TCK"))
            for tid, (name, fields) in stats.items() if "(llvmpipe" not in name}


def plays_on(t, on_game_screen=lambda: None):
    t.wait_page("start_page.png")
    t.main_menu("space")
    t.click(960, 422)
    t.wait_page("game:background.png", ("button_music_on.png", *MUSIC), ("button_sound_on.png", *SOUND))
    on_game_screen()
    for look in ("off", "on"):  # switched on again, the music must not flood the output of a dead device
        t.key("m", "s")
        t.wait_page("game:background.png", (f"button_music_{look}.png", *MUSIC), (f"button_sound_{look}.png", *SOUND))
    t.key("space")  # a hard drop starts the gem-fall effect
    before, began = thread_cpu(t.process.pid), time.monotonic()
    t.wait_handled()
    after, elapsed = thread_cpu(t.process.pid), time.monotonic() - began
    busy = {name: used - before[tid][1] for tid, (name, used) in after.items()
            if tid in before and used - before[tid][1] > elapsed / 2}  # more than half the time
    check(not busy, f"threads spinning: {busy}")
    t.key("Escape")
    check(t.wait_exit(10) == 0, f"Escape ended the game with {t.process.poll()}, not 0 within 10 s")
    check(len(lines := t.lines()) <= 6, f"{len(lines)} lines of output:\n" + "\n".join(lines[:20]))


def server_killed(t):
    check(shutil.which("pulseaudio") and shutil.which("pactl"), "the test set-up lacks pulseaudio and pulseaudio-utils")
    home, runtime = tempfile.mkdtemp(dir=t.work), tempfile.mkdtemp(dir=t.work)  # private, as the server asks
    env = t.env({"HOME": home, "XDG_RUNTIME_DIR": runtime})
    server = subprocess.Popen(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                               "--load=module-null-sink sink_name=null", "--load=module-native-protocol-unix"],
                              env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    pactl = functools.partial(subprocess.run, ["pactl", "list", "sink-inputs"], env=env, capture_output=True, text=True)
    try:
        check(wait_until(lambda: pactl().returncode == 0), "PulseAudio did not start")
        t.start({"HOME": home, "XDG_RUNTIME_DIR": runtime, "ALSOFT_DRIVERS": "pulse"})
        check(wait_until(lambda: f'application.process.id = "{t.process.pid}"' in pactl().stdout),
              "the game has no stream on the sound server")
        plays_on(t, lambda: (server.kill(), server.wait()))
    finally:
        server.kill()
        server.wait()


if __name__ == "__main__":
    runs = {"no-assets": no_assets, "no-device": lambda t: (t.start({"ALSOFT_DRIVERS": "none"}), plays_on(t)),
            "server": server_killed}
    sys.exit(main(runs[sys.argv[3]], scores=TWO_PLAYERS))

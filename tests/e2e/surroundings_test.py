"""The real binary where its surroundings fail it.     surroundings_test.py BINARY REPO no-assets|no-device|server
no-assets: started from a folder without assets/ (as from its build folder), it prints a line or two naming
the folder looked for and the tavrello command, ends with an error status and opens no window.
no-device: OpenAL finds no audio device; server: a real PulseAudio server (null sink, private folders) is
killed during play. The game goes on: M and S switch their buttons, no flood of output, no thread spinning,
and Escape ends it with 0."""
import os
import shutil
import subprocess
import sys
import time

from harness import TWO_PLAYERS, check, main, wait_until

MUSIC, SOUND = (1543, 22), (1619, 22)


def no_assets(t):
    os.mkdir(elsewhere := os.path.join(t.work, "elsewhere"))
    t.start(cwd=elsewhere, first_frame=False)
    seen = wait_until(lambda: t.xdotool("search", "--name", "Tavrello").stdout.strip() or not t.alive(), 60)
    check(seen is True, "the game opened its window" if seen else "the game still runs after 60 s")
    check(t.process.poll() > 0, f"the game ended with {t.process.poll()}, not an error status")
    lines = [line for line in t.output().splitlines() if line.strip()]
    check(len(lines) <= 2 and any(elsewhere in line and "assets" in line and "tavrello" in line for line in lines),
          f"not one line or two naming {elsewhere}, assets and the tavrello command:\n" + "\n".join(lines[:10]))


def main_menu(t):
    t.wait_page("start_page.png")
    t.key("space")
    t.move(300, 200)
    t.wait_page("menu_page.png", ("start_gray.png", 858, 367))


def thread_cpu(pid):
    """CPU seconds each thread has used: {id: (name, seconds)}."""
    usage = {}
    for tid in os.listdir(f"/proc/{pid}/task"):
        with open(f"/proc/{pid}/task/{tid}/stat") as f:
            name, fields = f.read().rsplit(")", 1)
        usage[tid] = name.split("(", 1)[1], sum(map(int, fields.split()[11:13])) / os.sysconf("SC_CLK_TCK")
    return usage


def plays_on(t, on_game_screen=lambda: None):
    main_menu(t)
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
    # Busy more than half the time, but for the software renderer's threads, which may use every core.
    busy = {name: used - before[tid][1] for tid, (name, used) in after.items()
            if tid in before and not name.startswith("llvmpipe") and used - before[tid][1] > elapsed / 2}
    check(not busy, f"threads spinning: {busy}")
    t.key("Escape")
    check(t.wait_exit(10) == 0, f"Escape ended the game with {t.process.poll()}, not 0 within 10 s")
    lines = [line for line in t.output().splitlines() if line.strip()]
    check(len(lines) <= 6, f"{len(lines)} lines of output:\n" + "\n".join(lines[:20]))


def no_device(t):
    t.start({"ALSOFT_DRIVERS": "none"})
    plays_on(t)


def server_killed(t):
    check(shutil.which("pulseaudio") and shutil.which("pactl"), "the test set-up lacks pulseaudio and pulseaudio-utils")
    home, runtime = os.path.join(t.work, "home"), os.path.join(t.work, "runtime")
    os.mkdir(home)
    os.mkdir(runtime, 0o700)
    env = t.env({"HOME": home, "XDG_RUNTIME_DIR": runtime})
    server = subprocess.Popen(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                               "--load=module-null-sink sink_name=null", "--load=module-native-protocol-unix"],
                              env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def streams():
        return subprocess.run(["pactl", "list", "sink-inputs"], env=env, capture_output=True, text=True)

    try:
        check(wait_until(lambda: streams().returncode == 0), "PulseAudio did not start")
        t.start({"HOME": home, "XDG_RUNTIME_DIR": runtime, "ALSOFT_DRIVERS": "pulse"})
        check(wait_until(lambda: f'application.process.id = "{t.process.pid}"' in streams().stdout),
              "the game has no stream on the sound server")
        plays_on(t, lambda: (server.kill(), server.wait()))
    finally:
        server.kill()
        server.wait()


if __name__ == "__main__":
    runs = {"no-assets": no_assets, "no-device": no_device, "server": server_killed}
    sys.exit(main(runs[sys.argv[3]], scores=TWO_PLAYERS))

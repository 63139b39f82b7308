"""The real binary where sound cannot be played: without an audio device (OpenAL with no backend), or with a
real PulseAudio server (null sink, private folders) killed during play. The game goes on: new frames, a key
and a click change the screen, M and S still switch their buttons, no flood of output, no thread spinning,
and Escape ends it with 0.     audio_device_test.py BINARY REPO none|server"""
import os
import shutil
import subprocess
import sys
import time

from harness import TWO_PLAYERS, check, main, wait_until

HANDFUL = 6  # lines of output in the whole run
MUSIC, SOUND = (1543, 22), (1619, 22)


def output_lines(game):
    return [line for line in game.output().splitlines() if line.strip()]


def thread_cpu(pid):
    """CPU seconds each thread has used, by thread id: (name, seconds)."""
    usage = {}
    for tid in os.listdir(f"/proc/{pid}/task"):
        with open(f"/proc/{pid}/task/{tid}/stat") as f:
            name, fields = f.read().rsplit(")", 1)
        usage[tid] = name.split("(", 1)[1], sum(map(int, fields.split()[11:13])) / os.sysconf("SC_CLK_TCK")
    return usage


def spinning_threads(pid, seconds=3.0):
    """Threads busy for more than half the time, but for the software renderer's, which may use every core."""
    before, began = thread_cpu(pid), time.monotonic()
    time.sleep(seconds)
    after, elapsed = thread_cpu(pid), time.monotonic() - began
    return {name: round(used - before[tid][1], 2) for tid, (name, used) in after.items()
            if tid in before and not name.startswith("llvmpipe") and used - before[tid][1] > elapsed / 2}


def plays_on(t, on_game_screen=lambda: None):
    t.game.wait_growing()
    t.display.key("space")
    t.display.move(300, 200)
    t.wait_page("menu_page.png", ("start_gray.png", 858, 367))
    t.display.click(960, 422)
    t.wait_page("game:background.png", ("button_music_on.png", *MUSIC), ("button_sound_on.png", *SOUND))
    on_game_screen()
    for look in ("off", "on"):
        t.display.key("m", "s")
        t.wait_page("game:background.png", (f"button_music_{look}.png", *MUSIC), (f"button_sound_{look}.png", *SOUND))
    t.display.key("space")  # a hard drop starts the gem-fall effect
    check(not (busy := spinning_threads(t.game.process.pid)), f"threads spinning: {busy}")
    t.display.key("Escape")
    check(t.game.wait_exit(10) == 0, f"Escape ended the game with {t.game.process.poll()}, not 0 within 10 s")
    lines = output_lines(t.game)
    check(len(lines) <= HANDFUL, f"{len(lines)} lines of output:\n" + "\n".join(lines[:20]))


def without_device(t):
    t.start({"ALSOFT_DRIVERS": "none"})
    plays_on(t)


def server_killed(t):
    check(shutil.which("pulseaudio") and shutil.which("pactl"), "the test set-up lacks pulseaudio and pulseaudio-utils")
    home, runtime = os.path.join(t.work, "home"), os.path.join(t.work, "runtime")
    os.mkdir(home)
    os.mkdir(runtime, 0o700)
    env = t.display.env({"HOME": home, "XDG_RUNTIME_DIR": runtime})
    server = subprocess.Popen(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                               "--load=module-null-sink sink_name=null", "--load=module-native-protocol-unix"],
                              env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def streams():
        return subprocess.run(["pactl", "list", "sink-inputs"], env=env, capture_output=True, text=True)

    try:
        check(wait_until(lambda: streams().returncode == 0), "PulseAudio did not start")
        t.start({"HOME": home, "XDG_RUNTIME_DIR": runtime, "ALSOFT_DRIVERS": "pulse"})
        check(wait_until(lambda: f'application.process.id = "{t.game.process.pid}"' in streams().stdout),
              "the game has no stream on the sound server")
        plays_on(t, lambda: (server.kill(), server.wait()))
    finally:
        server.kill()
        server.wait()


if __name__ == "__main__":
    sys.exit(main(server_killed if sys.argv[3:] == ["server"] else without_device, scores=TWO_PLAYERS))

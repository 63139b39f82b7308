"""Builds the game's sound effects (MP3, via lame) and background music (Ogg Vorbis, via oggenc).

Run from anywhere with /usr/bin/python3; output is deterministic. Also writes sounds.txt beside this
script: the rate, channel count and exact length of every file, which the decoder tests check.
"""
import os
import re
import subprocess
import sys
import tempfile
import wave
import zlib

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import effects  # noqa: E402
import music  # noqa: E402
from synth import RATE  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
ASSETS = os.path.join(HERE, "..", "..", "assets")
MANIFEST = os.path.join(HERE, "sounds.txt")
MUSIC_FILE = "tavrelloMusic.ogg"
MUSIC_SEED = 20240611
LAME_ARGS = ["lame", "--quiet", "--noreplaygain", "--cbr", "-b", "128", "-m", "m", "-q", "2"]
OGGENC_ARGS = ["oggenc", "--quiet", "-q", "4", "-s", "1234"]


def write_wav(path, data):
    """16-bit PCM WAV from a float buffer in -1..1 (mono 1-D or stereo (n, 2))."""
    channels = 1 if data.ndim == 1 else data.shape[1]
    pcm = np.clip(np.round(data * 32767.0), -32768, 32767).astype("<i2")
    with wave.open(path, "wb") as out:
        out.setnchannels(channels)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(pcm.tobytes())


def effect_seed(name):
    return zlib.crc32(name.encode("ascii"))


def build_effects(workdir):
    rows = []
    for name, builder in effects.EFFECTS.items():
        data = builder(np.random.default_rng(effect_seed(name)))
        wav_path = os.path.join(workdir, name + ".wav")
        write_wav(wav_path, data)
        target = name + ".mp3"
        subprocess.run(LAME_ARGS + [wav_path, os.path.join(ASSETS, target)], check=True)
        rows.append((target, RATE, 1, len(data)))
    return rows


def build_music(workdir):
    data = music.render(np.random.default_rng(MUSIC_SEED))
    wav_path = os.path.join(workdir, "music.wav")
    write_wav(wav_path, data)
    target = os.path.join(ASSETS, MUSIC_FILE)
    subprocess.run(OGGENC_ARGS + ["-o", target, wav_path], check=True)
    return (MUSIC_FILE, RATE, 2, len(data))


def write_manifest(rows):
    with open(MANIFEST, "w") as out:
        out.write("# file sample_rate channels frames (written by generate.py)\n")
        for name, rate, channels, frames in rows:
            out.write(f"{name} {rate} {channels} {frames}\n")


def sox_stat(path, workdir):
    """Length, peak and RMS as sox measures them (MP3s via lame's gapless decoder: sox lacks one)."""
    if path.endswith(".mp3"):
        decoded = os.path.join(workdir, "decoded.wav")
        subprocess.run(["lame", "--quiet", "--decode", path, decoded], check=True)
        path = decoded
    report = subprocess.run(["sox", path, "-n", "stat"], capture_output=True, text=True).stderr
    value = {key: float(re.search(key + r"[^:]*:\s*(-?[\d.e+-]+)", report).group(1))
             for key in ["Length", "Maximum amplitude", "Minimum amplitude", "RMS\\s+amplitude"]}
    peak = max(value["Maximum amplitude"], -value["Minimum amplitude"])
    return value["Length"], 20 * np.log10(peak), 20 * np.log10(value["RMS\\s+amplitude"])


def loop_seam(path):
    """Jump across the loop point compared with the typical step between neighbouring samples."""
    raw = subprocess.run(["sox", path, "-t", "f32", "-"], capture_output=True, check=True).stdout
    pcm = np.frombuffer(raw, dtype="<f4").reshape(-1, 2)
    steps = np.abs(np.diff(pcm, axis=0))
    return float(np.max(np.abs(pcm[0] - pcm[-1])) / np.mean(steps))


def main():
    os.makedirs(ASSETS, exist_ok=True)
    with tempfile.TemporaryDirectory() as workdir:
        rows = build_effects(workdir) + [build_music(workdir)]
        for name, _, _, _ in rows:
            length, peak, rms = sox_stat(os.path.join(ASSETS, name), workdir)
            print(f"{name:20s} length {length:6.3f} s  peak {peak:6.2f} dBFS  rms {rms:6.2f} dBFS")
    write_manifest(rows)
    seam = loop_seam(os.path.join(ASSETS, MUSIC_FILE))
    print(f"music loop seam: jump / mean step = {seam:.2f}")


if __name__ == "__main__":
    main()

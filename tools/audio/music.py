"""The background music: a calm 16-bar loop in C (pads, bass, arpeggio, pentatonic melody).

The loop is rendered once with its ringing tails, then the tails are folded back onto the start, which
is exactly what the second of two back-to-back passes sounds like, so the end flows into the start.
"""
import numpy as np

from synth import (convolve, decay_env, fm_tone, hold_env, midi_hz, mix_in, normalise,
                   room_impulse, samples, tone)

TEMPO_BPM = 76
BEAT = 60.0 / TEMPO_BPM
BEATS_PER_BAR = 4
TAIL_SECONDS = 6.0
MUSIC_PEAK_DB = -1.2

# Pad voicing and bass root (MIDI notes) for each of the 16 bars.
CHORDS = {
    "C": ([55, 59, 62, 64], 36),
    "Am": ([57, 60, 64, 67], 33),
    "F": ([53, 57, 60, 64], 41),
    "G": ([50, 55, 59, 62], 43),
    "Em": ([52, 55, 59, 62], 40),
    "Gsus": ([50, 55, 60, 62], 43),
}
BARS = ["C", "C", "Am", "Am", "F", "F", "G", "G", "C", "C", "Em", "Em", "F", "F", "Gsus", "G"]

# Melody on the C major pentatonic scale: (start beat, length in beats, MIDI note).
MELODY = [
    (0, 1.5, 76), (1.5, 0.5, 79), (2, 1, 81), (3, 1, 79), (4, 2, 76), (6, 1, 74), (7, 1, 72),
    (8, 1.5, 74), (9.5, 0.5, 76), (10, 2, 79), (12, 3, 76),
    (16, 1.5, 81), (17.5, 0.5, 79), (18, 1, 76), (19, 1, 74), (20, 2, 72), (22, 1, 74), (23, 1, 76),
    (24, 1.5, 74), (25.5, 0.5, 76), (26, 1, 74), (27, 1, 72), (28, 3, 74),
    (32, 1.5, 76), (33.5, 0.5, 79), (34, 1, 81), (35, 1, 84), (36, 2, 81), (38, 1, 79), (39, 1, 76),
    (40, 1.5, 79), (41.5, 0.5, 76), (42, 2, 74), (44, 3, 76),
    (48, 1, 81), (49, 1, 84), (50, 1, 81), (51, 1, 79), (52, 2, 76), (54, 1, 79), (55, 1, 76),
    (56, 1, 74), (57, 1, 76), (58, 1, 79), (59, 1, 76), (60, 3, 74),
]
ARPEGGIO_STEPS = [0, 1, 2, 3, 4, 3, 2, 1]
PLUCK = [(1.0, 1.0), (2.0, 0.4), (3.0, 0.15), (4.0, 0.06)]
WARM = [(1.0, 1.0), (2.0, 0.12), (3.0, 0.03)]


def loop_seconds():
    return len(BARS) * BEATS_PER_BAR * BEAT


def chord_spans():
    """Merges repeated bars into (first bar, bar count, chord name) so pads sustain across them."""
    spans = []
    for bar, name in enumerate(BARS):
        if spans and spans[-1][2] == name:
            spans[-1] = (spans[-1][0], spans[-1][1] + 1, name)
        else:
            spans.append((bar, 1, name))
    return spans


def add_pads(buffer, rng):
    """Three slightly detuned voices per note, spread across the stereo field, slow swells."""
    bar_seconds = BEATS_PER_BAR * BEAT
    for first, count, name in chord_spans():
        length = samples(count * bar_seconds + 1.5)
        env = hold_env(length, 1.2, 2.0)
        for note in CHORDS[name][0]:
            for cents, pan in [(-7.0, -0.6), (0.0, 0.0), (7.0, 0.6)]:
                freq = midi_hz(note + cents / 100.0)
                voice = tone(freq, env, WARM, phase0=rng.uniform(0.0, 2.0 * np.pi))
                mix_in(buffer, voice, first * bar_seconds, 0.045, pan)


def add_bass(buffer):
    """Soft round root notes on beats one and three."""
    for bar, name in enumerate(BARS):
        root = midi_hz(CHORDS[name][1])
        for beat, gain in [(0, 0.34), (2, 0.22)]:
            env = hold_env(samples(2.2 * BEAT), 0.02, 0.3, decay=1.6)
            mix_in(buffer, tone(root, env, [(1.0, 1.0), (2.0, 0.25), (3.0, 0.05)]),
                   (bar * BEATS_PER_BAR + beat) * BEAT, gain)


def add_arpeggio(buffer, rng):
    """Gentle plucked eighth notes walking up and down the chord, alternating sides."""
    for bar, name in enumerate(BARS):
        pad = CHORDS[name][0]
        ladder = [n + 12 for n in pad] + [pad[1] + 24]
        for step, index in enumerate(ARPEGGIO_STEPS):
            at = (bar * BEATS_PER_BAR + step * 0.5) * BEAT + rng.normal(0.0, 0.004)
            env = decay_env(samples(1.2), 0.004, 0.45)
            pluck = tone(midi_hz(ladder[index]), env, PLUCK, bright_decay=4.0)
            gain = 0.075 * rng.uniform(0.8, 1.0) * (1.15 if step == 0 else 1.0)
            mix_in(buffer, pluck, max(at, 0.0), gain, 0.35 if step % 2 else -0.35)


def add_melody(buffer, rng):
    """The tune: a soft electric-piano voice, a little humanised in timing and touch."""
    for beat, beats, note in MELODY:
        length = samples(beats * BEAT + 0.6)
        env = hold_env(length, 0.006, 0.6, decay=1.4)
        voice = fm_tone(midi_hz(note), env, 1.0, 1.1, 0.35)
        at = beat * BEAT + rng.normal(0.0, 0.006)
        mix_in(buffer, voice, max(at, 0.0), 0.2 * rng.uniform(0.85, 1.0), 0.05)


def stereo_reverb(buffer, rng, mix):
    """A different room response for each ear gives width without a hard pan."""
    impulses = [room_impulse(rng, 2.6, 0.7, darkness=4000.0) for _ in range(2)]
    out = np.zeros((len(buffer) + len(impulses[0]) - 1, 2))
    for channel, impulse in enumerate(impulses):
        out[:, channel] = mix * convolve(buffer[:, channel], impulse)
        out[:len(buffer), channel] += (1.0 - mix) * buffer[:, channel]
    return out


def fold_tail(buffer, loop_count):
    """Adds everything past the loop's end onto its start: the loop then repeats without a seam."""
    loop = buffer[:loop_count].copy()
    tail = buffer[loop_count:]
    while len(tail):
        part = tail[:loop_count]
        loop[:len(part)] += part
        tail = tail[loop_count:]
    return loop


def level_out(loop):
    """Gentle compression (computed around the loop, so it too is seamless), then peak level."""
    window = samples(0.3)
    power = np.mean(loop ** 2, axis=1)
    wrapped = np.concatenate([power[-window:], power])
    running = np.cumsum(wrapped)
    mean = (running[window:] - running[:-window]) / window
    level_db = 10.0 * np.log10(mean + 1e-12) - 10.0 * np.log10(np.max(mean))
    threshold_db, ratio = -12.0, 2.0
    gain_db = np.where(level_db > threshold_db, (threshold_db - level_db) * (1.0 - 1.0 / ratio), 0.0)
    return normalise(loop * (10.0 ** (gain_db / 20.0))[:, None], MUSIC_PEAK_DB)


def render(rng):
    """Returns the loop as a (samples, 2) float buffer."""
    loop_count = samples(loop_seconds())
    buffer = np.zeros((loop_count + samples(TAIL_SECONDS), 2))
    add_pads(buffer, rng)
    add_bass(buffer)
    add_arpeggio(buffer, rng)
    add_melody(buffer, rng)
    wet = stereo_reverb(buffer, rng, 0.3)
    return level_out(fold_tail(wet, loop_count))

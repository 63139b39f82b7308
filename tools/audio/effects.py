"""The game's eight sound effects, each built from the synthesis toolkit as a mono buffer.

Every builder takes a seeded numpy generator so the same run always yields the same samples.
"""
import numpy as np

from synth import (bandpass, decay_env, fade, hold_env, midi_hz, mix_in, normalise, pad_to,
                   phase_of, reverb, room_impulse, samples, swept_bandpass, timeline, tone, vibrato)

EFFECT_PEAK_DB = -3.0
BELL = [(1.0, 1.0), (2.0, 0.3), (3.0, 0.1), (4.1, 0.04)]
SOFT_BELL = [(1.0, 1.0), (2.0, 0.18), (3.0, 0.05)]
BRASS = [(k, 1.0 / k ** 1.7) for k in range(1, 8)]


def falling_thump(seconds, high, low, drop, decay):
    """A sine whose pitch sags from high to low: the body of a landing object."""
    count = samples(seconds)
    t = timeline(count)
    freq = low + (high - low) * np.exp(-t / drop)
    return np.sin(phase_of(freq, count)) * decay_env(count, 0.002, decay)


def noise_burst(rng, seconds, low, high, decay):
    count = samples(seconds)
    return bandpass(rng.standard_normal(count), low, high) * decay_env(count, 0.0005, decay)


def finish(x, seconds, fade_out, peak_db=EFFECT_PEAK_DB):
    """Cuts to length, smooths both ends and sets the peak level."""
    x = pad_to(x, seconds)
    return normalise(fade(x, 0.003, fade_out), peak_db)


def gem_fall(rng):
    """A short wooden knock with a soft low thump: played on every landing, so it stays light."""
    length = 0.32
    thump = falling_thump(length, 190.0, 85.0, 0.03, 0.06)
    knock = tone(610.0, decay_env(samples(length), 0.001, 0.035),
                 [(1.0, 1.0), (2.3, 0.5), (3.9, 0.25)], bright_decay=20.0)
    tick = noise_burst(rng, length, 1800.0, 6000.0, 0.006)
    mix = thump + 0.45 * knock + 0.25 * tick / np.max(np.abs(tick))
    return finish(mix, length, 0.05)


def pattern_shift(rng):
    """A quick upward run of bells over a rising shimmer: the thread slides away."""
    length = 0.95
    out = np.zeros(samples(length))
    for i, note in enumerate([81, 85, 88, 93]):
        env = decay_env(samples(0.7), 0.003, 0.28)
        mix_in(out, tone(midi_hz(note), env, BELL, bright_decay=6.0), 0.055 * i)
    count = len(out)
    t = timeline(count)
    centres = 700.0 * (5000.0 / 700.0) ** (t / length)
    shimmer = swept_bandpass(rng.standard_normal(count), centres, 0.5)
    shimmer *= hold_env(count, 0.12, 0.05, decay=0.25)
    out += 0.35 * shimmer / np.max(np.abs(shimmer))
    return finish(reverb(out, room_impulse(rng, 0.8, 0.2), 0.2), length, 0.12)


def alert(rng):
    """A soft two-note chime that leaves room after it, so repeating it does not nag."""
    length = 0.9
    out = np.zeros(samples(length))
    for at, note, gain in [(0.0, 83, 0.8), (0.14, 88, 1.0)]:
        env = decay_env(samples(0.6), 0.005, 0.16)
        mix_in(out, tone(midi_hz(note), env, SOFT_BELL, bright_decay=4.0), at, gain)
        mix_in(out, tone(midi_hz(note - 12), env, [(1.0, 1.0)]), at, 0.3 * gain)
    return finish(reverb(out, room_impulse(rng, 0.6, 0.15), 0.18), length, 0.3, peak_db=-4.0)


def bubbles(rng, out, count, start, stop):
    """Little rising blips: water gurgling down the tube."""
    for _ in range(count):
        at = rng.uniform(start, stop)
        base = rng.uniform(250.0, 700.0)
        n = samples(0.06)
        freq = base * (1.0 + 0.6 * timeline(n) / 0.06)
        blip = np.sin(phase_of(freq, n)) * decay_env(n, 0.002, 0.018)
        mix_in(out, blip, at, rng.uniform(0.3, 0.6))


def trash_drop(rng):
    """A falling whoosh with a gurgle: the thread's gems are flushed down the tube."""
    length = 1.15
    count = samples(length)
    t = timeline(count)
    centres = 2600.0 * (220.0 / 2600.0) ** (t / 0.9).clip(0.0, 1.0)
    whoosh = swept_bandpass(rng.standard_normal(count), centres, 0.7)
    whoosh *= decay_env(count, 0.06, 0.4)
    out = 0.8 * whoosh / np.max(np.abs(whoosh))
    bubbles(rng, out, 16, 0.12, 0.85)
    mix_in(out, falling_thump(0.3, 110.0, 60.0, 0.04, 0.08), 0.0, 0.6)
    return finish(reverb(out, room_impulse(rng, 0.6, 0.15), 0.15), length, 0.2)


def level_up(rng):
    """A bright major arpeggio ending on a ringing top note over a soft chord."""
    length = 1.2
    out = np.zeros(samples(length))
    notes = [72, 76, 79, 84]
    for i, note in enumerate(notes):
        decay = 0.55 if i == len(notes) - 1 else 0.35
        env = decay_env(samples(1.0), 0.003, decay)
        mix_in(out, tone(midi_hz(note), env, BELL, bright_decay=5.0), 0.085 * i)
    for note in notes[:3]:
        env = decay_env(samples(0.9), 0.05, 0.5)
        mix_in(out, tone(midi_hz(note), env, SOFT_BELL), 0.255, 0.25)
    return finish(reverb(out, room_impulse(rng, 1.0, 0.25), 0.22), length, 0.25)


def sparkles(rng, out, count, start, stop):
    """Scattered high pentatonic pings that glitter over a fanfare."""
    for _ in range(count):
        note = rng.choice([96, 98, 100, 103, 105])
        env = decay_env(samples(0.4), 0.002, 0.12)
        mix_in(out, tone(midi_hz(note), env, [(1.0, 1.0)]), rng.uniform(start, stop),
               rng.uniform(0.08, 0.16))


def level11_up(rng):
    """A festive run into a full brass chord with glitter: a new gem kind joins the game."""
    length = 2.3
    out = np.zeros(samples(length))
    for i, note in enumerate([72, 76, 79, 84, 88, 91]):
        env = decay_env(samples(0.8), 0.003, 0.3)
        mix_in(out, tone(midi_hz(note), env, BELL, bright_decay=5.0), 0.065 * i)
    chord_len = samples(1.8)
    for note in [60, 67, 72, 76, 79]:
        env = hold_env(chord_len, 0.04, 0.4, decay=0.9)
        freq = vibrato(midi_hz(note), chord_len, 5.5, 0.004, delay=0.3)
        mix_in(out, tone(freq, env, BRASS, bright_decay=1.5), 0.42, 0.22)
    mix_in(out, falling_thump(0.8, 98.0, 65.0, 0.05, 0.25), 0.42, 0.5)
    sparkles(rng, out, 22, 0.45, 1.7)
    return finish(reverb(out, room_impulse(rng, 1.6, 0.4), 0.25), length, 0.4)


def clap_templates(rng, count):
    """Short filtered noise bursts, each a slightly different pair of hands."""
    claps = []
    for _ in range(count):
        low = rng.uniform(500.0, 1100.0)
        burst = noise_burst(rng, 0.04, low, low * rng.uniform(2.2, 3.5), rng.uniform(0.004, 0.009))
        claps.append(burst / np.max(np.abs(burst)))
    return claps


def applause(rng):
    """A small crowd clapping, swelling in and thinning out."""
    length = 3.0
    out = np.zeros(samples(length))
    claps = clap_templates(rng, 16)
    for _ in range(36):
        rate = rng.uniform(3.4, 5.2)
        start, stop = rng.uniform(0.0, 0.35), rng.uniform(1.9, 2.7)
        loudness = rng.uniform(0.3, 1.0)
        for at in np.arange(start, stop, 1.0 / rate):
            jittered = max(0.0, at + rng.normal(0.0, 0.012))
            mix_in(out, claps[rng.integers(len(claps))], jittered, loudness * rng.uniform(0.7, 1.0))
    swell = hold_env(len(out), 0.12, 1.2)
    wet = reverb(out * swell, room_impulse(rng, 1.2, 0.3), 0.3)
    return finish(wet, length, 0.6)


def sad_note(freq_hz, seconds, last):
    count = samples(seconds)
    if last:
        droop = midi_hz(0) / midi_hz(0.3)
        freq = vibrato(freq_hz, count, 5.0, 0.008, delay=0.3) * np.linspace(1.0, droop, count)
    else:
        freq = freq_hz
    env = hold_env(count, 0.035, 0.35 if last else 0.08, decay=1.5)
    return tone(freq, env, BRASS, bright_decay=2.0) + 0.35 * tone(np.asarray(freq) / 2.0, env,
                                                                  BRASS[:3])


def defeat(rng):
    """Four soft falling horn notes, the last one wavering: the board has filled up."""
    length = 2.7
    out = np.zeros(samples(length))
    phrase = [(62, 0.0, 0.4), (61, 0.42, 0.4), (60, 0.84, 0.4), (59, 1.26, 1.2)]
    for i, (note, at, seconds) in enumerate(phrase):
        mix_in(out, sad_note(midi_hz(note), seconds, i == len(phrase) - 1), at)
    return finish(reverb(out, room_impulse(rng, 1.2, 0.3), 0.22), length, 0.35, peak_db=-4.5)


EFFECTS = {
    "gem_fall": gem_fall,
    "pattern_shift": pattern_shift,
    "applause": applause,
    "defeat": defeat,
    "alert": alert,
    "trash_drop": trash_drop,
    "level_up": level_up,
    "level11_up": level11_up,
}

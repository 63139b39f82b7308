"""Small synthesis toolkit for the game's sounds: oscillators, envelopes, filters, reverb, mixing.

Everything works on float64 numpy arrays at RATE; stereo buffers are shaped (samples, 2).
"""
import numpy as np

RATE = 44100


def samples(seconds):
    return int(round(seconds * RATE))


def timeline(count):
    return np.arange(count) / RATE


def midi_hz(note):
    return 440.0 * 2.0 ** ((note - 69) / 12.0)


def ramp(count):
    """Raised-cosine rise from 0 to 1 over count samples (smooth, so edges never click)."""
    if count <= 0:
        return np.ones(0)
    return 0.5 - 0.5 * np.cos(np.pi * np.arange(count) / count)


def fade(x, fade_in, fade_out):
    """Fades both ends of a mono or stereo buffer in place and returns it."""
    head = min(samples(fade_in), len(x))
    tail = min(samples(fade_out), len(x))
    shape = (-1, 1) if x.ndim == 2 else (-1,)
    x[:head] *= ramp(head).reshape(shape)
    if tail:
        x[len(x) - tail:] *= ramp(tail)[::-1].reshape(shape)
    return x


def decay_env(count, attack, decay):
    """Quick smooth attack followed by an exponential decay with time constant `decay`."""
    t = timeline(count)
    env = np.exp(-t / decay)
    rise = min(samples(attack), count)
    env[:rise] *= ramp(rise)
    return env


def hold_env(count, attack, release, decay=None):
    """Swell in, hold (optionally sagging), and release at the end of the note."""
    t = timeline(count)
    env = np.ones(count) if decay is None else np.exp(-t / decay)
    rise = min(samples(attack), count)
    fall = min(samples(release), count - rise)
    env[:rise] *= ramp(rise)
    if fall:
        env[count - fall:] *= ramp(fall)[::-1]
    return env


def phase_of(freq, count):
    """Running phase (radians) of a constant or per-sample frequency."""
    freqs = np.broadcast_to(np.asarray(freq, dtype=float), (count,))
    return 2.0 * np.pi * np.cumsum(freqs) / RATE


def tone(freq, env, partials, bright_decay=0.0, phase0=0.0):
    """Additive tone: partials are (ratio, amplitude); higher partials die sooner by bright_decay."""
    count = len(env)
    phase = phase_of(freq, count) + phase0
    t = timeline(count)
    out = np.zeros(count)
    for ratio, amp in partials:
        out += amp * np.sin(ratio * phase) * np.exp(-t * bright_decay * (ratio - 1.0))
    return out * env


def fm_tone(freq, env, ratio, index, index_decay):
    """Two-operator FM (electric-piano like): the brightness fades as the note rings."""
    count = len(env)
    t = timeline(count)
    carrier = phase_of(freq, count)
    modulator = np.sin(ratio * carrier) * index * np.exp(-t / index_decay)
    return np.sin(carrier + modulator) * env


def vibrato(freq, count, rate, depth, delay=0.0):
    """Per-sample frequency with a vibrato that swells in after `delay` seconds."""
    t = timeline(count)
    swell = np.clip((t - delay) / 0.25, 0.0, 1.0)
    return freq * (1.0 + depth * swell * np.sin(2.0 * np.pi * rate * t))


def butterworth_mask(count, low, high, order=2):
    freqs = np.fft.rfftfreq(count, 1.0 / RATE)
    freqs[0] = 1e-6
    mask = np.ones_like(freqs)
    if low:
        mask /= np.sqrt(1.0 + (low / freqs) ** (2 * order))
    if high:
        mask /= np.sqrt(1.0 + (freqs / high) ** (2 * order))
    return mask


def bandpass(x, low, high, order=2):
    """Zero-phase band filter done in the frequency domain (padded so it does not wrap)."""
    size = 1 << int(np.ceil(np.log2(len(x) * 2)))
    spectrum = np.fft.rfft(x, size) * butterworth_mask(size, low, high, order)
    return np.fft.irfft(spectrum, size)[:len(x)]


def swept_bandpass(x, centres, octaves):
    """Band filter whose centre follows `centres` (Hz per sample): short-time spectra, overlap-add."""
    frame, hop = 1024, 512
    window = np.sqrt(0.5 - 0.5 * np.cos(2.0 * np.pi * np.arange(frame) / frame))
    padded = np.concatenate([np.zeros(frame), x, np.zeros(frame)])
    out = np.zeros_like(padded)
    freqs = np.maximum(np.fft.rfftfreq(frame, 1.0 / RATE), 1.0)
    for start in range(0, len(padded) - frame, hop):
        middle = min(max(start + hop - frame, 0), len(x) - 1)
        octave_gap = np.log2(freqs / centres[middle]) / octaves
        spectrum = np.fft.rfft(padded[start:start + frame] * window) * np.exp(-0.5 * octave_gap ** 2)
        out[start:start + frame] += np.fft.irfft(spectrum, frame) * window
    return out[frame:frame + len(x)]


def convolve(x, kernel):
    size = 1 << int(np.ceil(np.log2(len(x) + len(kernel))))
    full = np.fft.irfft(np.fft.rfft(x, size) * np.fft.rfft(kernel, size), size)
    return full[:len(x) + len(kernel) - 1]


def room_impulse(rng, length, decay, darkness=5000.0):
    """Decaying filtered noise: a soft, diffuse room with unit energy."""
    count = samples(length)
    impulse = bandpass(rng.standard_normal(count), 120.0, darkness) * np.exp(-timeline(count) / decay)
    impulse *= ramp(count)[::-1]
    return impulse / np.sqrt(np.sum(impulse ** 2))


def reverb(x, impulse, mix):
    """Adds a reverberated copy; the result is longer by the impulse's length minus one."""
    wet = convolve(x, impulse)
    dry = np.concatenate([x, np.zeros(len(impulse) - 1)])
    return (1.0 - mix) * dry + mix * wet


def pad_to(x, seconds):
    """Zero-extends (or cuts) a mono buffer to an exact duration."""
    count = samples(seconds)
    if len(x) >= count:
        return x[:count].copy()
    return np.concatenate([x, np.zeros(count - len(x))])


def mix_in(buffer, signal, at, gain=1.0, pan=None):
    """Adds a mono signal at `at` seconds; stereo buffers place it with an equal-power pan (-1..1)."""
    start = samples(at)
    end = min(start + len(signal), len(buffer))
    if end <= start:
        return
    part = signal[:end - start] * gain
    if buffer.ndim == 1:
        buffer[start:end] += part
        return
    angle = (0.0 if pan is None else pan) * np.pi / 4.0 + np.pi / 4.0
    buffer[start:end, 0] += part * np.cos(angle)
    buffer[start:end, 1] += part * np.sin(angle)


def normalise(x, peak_db):
    return x * (10.0 ** (peak_db / 20.0) / np.max(np.abs(x)))

"""What the game plays, captured by OpenAL Soft's wave-file backend as 16-bit mono samples. The backend
writes the mix in real time, so the capture's length is its clock: a test notes it before an input and
measures the sound after it."""
import os

import numpy as np

RATE = 44100  # samples a second


class WaveCapture:
    def __init__(self, work):
        self.path, config, self.offset = os.path.join(work, "capture.wav"), os.path.join(work, "alsoft.conf"), None
        with open(config, "w") as f:
            f.write(f"[general]\ndrivers = wave\nsample-type = int16\nchannels = mono\nfrequency = {RATE}\n"
                    f"[wave]\nfile = {self.path}\n")
        self.env = {"ALSOFT_CONF": config, "ALSOFT_DRIVERS": None}

    def _offset(self):
        """Where the samples start, once the header is written."""
        if self.offset is None and os.path.exists(self.path):
            with open(self.path, "rb") as f:
                head = f.read(256)
            self.offset = head.find(b"data") + 8 if b"data" in head else None
        return self.offset

    def seconds(self):
        return (os.path.getsize(self.path) - self._offset()) / (2 * RATE) if self._offset() else 0.0

    def rms(self, start, length):
        """Root mean square of the samples from start for length seconds, full scale 1."""
        with open(self.path, "rb") as f:
            f.seek(self._offset() + 2 * int(max(0.0, start) * RATE))
            raw = f.read(2 * int(length * RATE))
        values = np.frombuffer(raw[:len(raw) // 2 * 2], "<i2") / 32768.0  # the last sample may be half written
        return float(np.sqrt(np.mean(values**2))) if len(values) else 0.0

    def loudest(self, start, length, window=0.05):
        """The largest RMS of the short windows that make up the span: finds a short effect in it."""
        return max(self.rms(start + i * window, window) for i in range(max(1, round(length / window))))

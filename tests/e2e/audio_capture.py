"""What the game plays, captured by OpenAL Soft's wave-file backend. The backend writes the mix in real
time, so the length of the file is the capture's clock: a test notes it before an input and measures
the sound in windows relative to that moment."""
import os
import struct

import numpy as np

FLOAT_FORMAT = 3
EXTENSIBLE_FORMAT = 0xFFFE


class AudioCapture:
    def __init__(self, work):
        self.path = os.path.join(work, "capture.wav")
        self.config = os.path.join(work, "alsoft.conf")
        with open(self.config, "w") as f:
            f.write(f"[general]\ndrivers = wave\n[wave]\nfile = {self.path}\n")
        self.layout = None

    def env(self):
        """Environment for the game: the wave backend instead of the silent one."""
        return {"ALSOFT_CONF": self.config, "ALSOFT_DRIVERS": None}

    def _read_layout(self):
        """(sample format, channels, rate, bytes per sample, offset of the samples), once the header is
        on disk; the sizes in the header stay unset while the capture runs."""
        if self.layout or not os.path.exists(self.path):
            return self.layout
        with open(self.path, "rb") as f:
            head = f.read(4096)
        position = 12
        fmt = None
        while position + 8 <= len(head):
            chunk, size = head[position:position + 4], struct.unpack("<I", head[position + 4:position + 8])[0]
            if chunk == b"fmt ":
                tag, channels, rate, _, _, bits = struct.unpack("<HHIIHH", head[position + 8:position + 24])
                if tag == EXTENSIBLE_FORMAT:
                    tag = struct.unpack("<H", head[position + 32:position + 34])[0]
                fmt = (tag, channels, rate, bits // 8)
            if chunk == b"data" and fmt:
                self.layout = fmt + (position + 8,)
                break
            position += 8 + size
        return self.layout

    def seconds(self):
        """How much sound has been captured so far."""
        layout = self._read_layout()
        if not layout:
            return 0.0
        _, channels, rate, width, offset = layout
        return max(0, os.path.getsize(self.path) - offset) / (channels * rate * width)

    def samples(self, start, length):
        """Samples of all channels between start and start + length seconds, as floats in -1..1."""
        tag, channels, rate, width, offset = self._read_layout()
        frame = channels * width
        with open(self.path, "rb") as f:
            f.seek(offset + int(max(0.0, start) * rate) * frame)
            raw = f.read(int(length * rate) * frame)
        raw = raw[:len(raw) // frame * frame]
        if tag == FLOAT_FORMAT:
            return np.frombuffer(raw, dtype="<f4").astype(np.float64)
        return np.frombuffer(raw, dtype="<i2").astype(np.float64) / 32768.0

    def rms(self, start, length):
        values = self.samples(start, length)
        return float(np.sqrt(np.mean(values ** 2))) if len(values) else 0.0

    def loudest(self, start, length, window=0.05):
        """The largest RMS of the short windows that make up the span: finds a short effect in it."""
        steps = max(1, int(round(length / window)))
        return max(self.rms(start + i * window, window) for i in range(steps))

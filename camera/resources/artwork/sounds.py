"""The application's WAVE sounds, synthesised: "zoomin" (a rising chirp),
"zoomout" (a falling chirp) and "SNAP" (a two-stage shutter click).
16-bit mono PCM at 22,050 Hz."""
import math
import random
import struct

RATE = 22050


def _samples(seconds, voice):
    return [voice(i / RATE) for i in range(int(seconds * RATE))]


def chirp(start_hz, end_hz, seconds=0.12, level=0.5):
    """A sine sweep with a soft start and end."""
    phase = [0.0]

    def voice(t):
        frequency = start_hz + (end_hz - start_hz) * t / seconds
        phase[0] += 2 * math.pi * frequency / RATE
        envelope = min(1.0, t / 0.008, (seconds - t) / 0.03)
        return level * envelope * (0.8 * math.sin(phase[0]) + 0.2 * math.sin(2 * phase[0]))

    return _samples(seconds, voice)


def shutter(seconds=0.2):
    """Two clicks, as a focal-plane shutter opens and closes: short bursts of
    filtered noise over a quick knock, the second softer."""
    noise = random.Random(20)  # the same sound on every run
    smoothed = [0.0]

    def click(t, at, level):
        age = t - at
        if age < 0:
            return 0.0
        knock = math.sin(2 * math.pi * 1800 * age) * math.exp(-age / 0.004)
        return level * (0.6 * knock + math.exp(-age / 0.012))

    def voice(t):
        smoothed[0] += 0.55 * (noise.uniform(-1, 1) - smoothed[0])
        body = click(t, 0.0, 0.85) + click(t, 0.085, 0.6)
        return max(-1.0, min(1.0, body * smoothed[0]))

    return _samples(seconds, voice)


def wav_image(samples):
    """A RIFF WAVE image with a 16-byte PCM format record."""
    data = b"".join(struct.pack("<h", int(round(max(-1.0, min(1.0, s)) * 32767))) for s in samples)
    channels, bits = 1, 16
    block = channels * bits // 8
    fmt = struct.pack("<HHIIHH", 1, channels, RATE, RATE * block, block, bits)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


SOUNDS = {
    "zoomin": lambda: chirp(700, 1500),
    "zoomout": lambda: chirp(1500, 700),
    "SNAP": shutter,
}

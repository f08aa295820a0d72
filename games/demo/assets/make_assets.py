#!/usr/bin/env python3
"""Draws the sprite sheets, synthesises the sound effects and writes the song of Star Dash.

Python's standard library only: PNG through zlib and struct, WAV through wave, the MIDI file
byte by byte. The output is the same on every run, so the generated files are committed
beside this script and the game runs without regenerating them:

    python3 games/demo/assets/make_assets.py
"""

import math
import os
import struct
import wave
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------------------------------------
# Images: a small RGBA canvas, drawn at low resolution and scaled up by whole pixels.

CLEAR = (0, 0, 0, 0)


class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = [CLEAR] * (width * height)

    def get(self, x, y):
        if 0 <= x < self.width and 0 <= y < self.height:
            return self.pixels[y * self.width + x]
        return CLEAR

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y * self.width + x] = colour

    def rect(self, x, y, width, height, colour):
        for j in range(y, y + height):
            for i in range(x, x + width):
                self.set(i, j, colour)

    def ellipse(self, cx, cy, rx, ry, colour):
        for j in range(math.floor(cy - ry), math.ceil(cy + ry) + 1):
            for i in range(math.floor(cx - rx), math.ceil(cx + rx) + 1):
                dx = (i + 0.5 - cx) / rx
                dy = (j + 0.5 - cy) / ry
                if dx * dx + dy * dy <= 1.0:
                    self.set(i, j, colour)

    def polygon(self, points, colour):
        """Fills a polygon by the even-odd rule, testing every pixel centre."""
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        for j in range(math.floor(min(ys)), math.ceil(max(ys)) + 1):
            for i in range(math.floor(min(xs)), math.ceil(max(xs)) + 1):
                if inside(points, i + 0.5, j + 0.5):
                    self.set(i, j, colour)

    def outline(self, colour):
        """Gives every opaque shape a one-pixel border in the clear pixels around it."""
        border = []
        for y in range(self.height):
            for x in range(self.width):
                if self.get(x, y)[3] == 0 and any(
                        self.get(x + dx, y + dy)[3] != 0
                        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                    border.append((x, y))
        for x, y in border:
            self.set(x, y, colour)

    def paste(self, other, left, top):
        for y in range(other.height):
            for x in range(other.width):
                colour = other.get(x, y)
                if colour[3] != 0:
                    self.set(left + x, top + y, colour)

    def scaled(self, factor):
        big = Canvas(self.width * factor, self.height * factor)
        for y in range(big.height):
            for x in range(big.width):
                big.pixels[y * big.width + x] = self.pixels[(y // factor) * self.width +
                                                            x // factor]
        return big

    def png(self):
        rows = b"".join(b"\x00" + bytes(c for pixel in self.pixels[y * self.width:(y + 1) *
                                                                   self.width] for c in pixel)
                        for y in range(self.height))

        def chunk(kind, data):
            return (struct.pack(">I", len(data)) + kind + data +
                    struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def inside(points, x, y):
    hit = False
    for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            hit = not hit
    return hit


def sheet(cells, cell_width, cell_height):
    """Lays the cells out in one row: the grid an animation file cuts frames from."""
    result = Canvas(cell_width * len(cells), cell_height)
    for index, cell in enumerate(cells):
        result.paste(cell, index * cell_width, 0)
    return result


def save_png(name, canvas):
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(canvas.png())


# Colours.
INK = (40, 24, 32, 255)
WHITE = (255, 255, 255, 255)
FUR = (240, 128, 48, 255)
FUR_LIGHT = (255, 200, 120, 255)
CHEEK = (255, 120, 140, 255)
PAW = (120, 56, 24, 255)
BAT = (120, 72, 168, 255)
BAT_WING = (88, 48, 128, 255)
STEEL = (96, 120, 168, 255)
STEEL_LIGHT = (168, 192, 232, 255)
GOLD = (255, 216, 40, 255)
GOLD_LIGHT = (255, 248, 176, 255)
RED = (232, 48, 64, 255)


def runner(bob, front_leg, back_leg, eye_open=True, tucked=False):
    """The player, a small fox facing right, on a 16 x 16 cell shown three times as large."""
    c = Canvas(16, 16)
    top = 4 + bob
    # Tail, ears, body, belly.
    c.polygon([(1, top + 5), (4, top + 3), (5, top + 7), (2, top + 8)], FUR)
    c.polygon([(5, top + 1), (7, top - 3), (8, top + 1)], FUR)
    c.polygon([(9, top + 1), (11, top - 3), (12, top + 1)], FUR)
    c.ellipse(8.5, top + 4.5, 5, 4.5, FUR)
    c.ellipse(9.5, top + 6, 3, 2.5, FUR_LIGHT)
    # Eye and cheek.
    if eye_open:
        c.rect(10, top + 2, 2, 2, WHITE)
        c.set(11, top + 3, INK)
    else:
        c.rect(10, top + 3, 2, 1, INK)
    c.set(12, top + 5, CHEEK)
    # Legs.
    leg_top = top + 8
    if tucked:
        c.rect(6, leg_top, 2, 2, PAW)
        c.rect(10, leg_top, 2, 2, PAW)
    else:
        c.rect(6 + back_leg, leg_top, 2, 3, PAW)
        c.rect(10 + front_leg, leg_top, 2, 3, PAW)
    c.outline(INK)
    return c.scaled(3)


def bat(wing):
    """A flying enemy; wing is -1 (up), 0 or 1 (down)."""
    c = Canvas(16, 16)
    tip = 4 + 4 * wing
    c.polygon([(8, 8), (1, tip), (3, 10), (6, 11)], BAT_WING)
    c.polygon([(8, 8), (15, tip), (13, 10), (10, 11)], BAT_WING)
    c.ellipse(8, 9, 3.5, 3.5, BAT)
    c.polygon([(6, 6), (6.5, 4), (7.5, 6)], BAT)
    c.polygon([(8.5, 6), (9.5, 4), (10, 6)], BAT)
    c.set(6, 9, WHITE)
    c.set(9, 9, WHITE)
    c.outline(INK)
    return c.scaled(3)


def spiky():
    """A rolling ball of spikes; the game turns it as it rolls."""
    c = Canvas(16, 16)
    for k in range(8):
        a = k * math.pi / 4
        c.polygon([(8 + 7.4 * math.cos(a), 8 + 7.4 * math.sin(a)),
                   (8 + 4 * math.cos(a + 0.6), 8 + 4 * math.sin(a + 0.6)),
                   (8 + 4 * math.cos(a - 0.6), 8 + 4 * math.sin(a - 0.6))], STEEL_LIGHT)
    c.ellipse(8, 8, 4.6, 4.6, STEEL)
    c.rect(5, 7, 2, 2, WHITE)
    c.rect(9, 7, 2, 2, WHITE)
    c.set(6, 8, INK)
    c.set(10, 8, INK)
    c.outline(INK)
    return c.scaled(3)


def star():
    c = Canvas(12, 12)
    points = []
    for k in range(10):
        radius = 5.8 if k % 2 == 0 else 2.5
        a = -math.pi / 2 + k * math.pi / 5
        points.append((6 + radius * math.cos(a), 6.4 + radius * math.sin(a)))
    c.polygon(points, GOLD)
    c.rect(5, 4, 1, 3, GOLD_LIGHT)
    c.outline((176, 96, 16, 255))
    return c.scaled(2)


def sparkle():
    c = Canvas(8, 8)
    c.rect(3, 0, 2, 8, GOLD_LIGHT)
    c.rect(0, 3, 8, 2, GOLD_LIGHT)
    c.rect(3, 3, 2, 2, WHITE)
    return c.scaled(2)


def heart():
    c = Canvas(8, 8)
    c.ellipse(2.5, 2.5, 2, 2, RED)
    c.ellipse(5.5, 2.5, 2, 2, RED)
    c.polygon([(0.5, 3), (7.5, 3), (4, 7.5)], RED)
    c.set(2, 2, WHITE)
    c.outline(INK)
    return c.scaled(2)


def ridge(width, height, waves, base, colour, cap=None, cap_depth=0):
    """A layer that repeats seamlessly every width pixels: a skyline of sine waves."""
    c = Canvas(width, height)
    for x in range(width):
        t = 2 * math.pi * x / width
        top = base - sum(amp * math.sin(t * cycles + phase) for amp, cycles, phase in waves)
        for y in range(max(0, int(top)), height):
            c.set(x, y, colour)
            if cap and y < top + cap_depth and top < base - 10:
                c.set(x, y, cap)
    return c


def mountains():
    c = ridge(320, 80, [(14, 2, 0.3), (8, 5, 1.1), (4, 11, 2.0)], 48, (112, 104, 184, 255),
              (236, 236, 255, 255), 4)
    for cx, cy, r in ((40, 12, 6), (50, 10, 8), (62, 13, 5), (200, 20, 5), (210, 17, 7),
                      (222, 20, 5)):
        c.ellipse(cx, cy, r * 1.4, r * 0.8, (255, 255, 255, 230))
    return c.scaled(2)


def hills():
    c = ridge(320, 60, [(8, 3, 0.0), (5, 7, 0.8)], 30, (72, 168, 88, 255))
    for x in range(0, 320, 23):
        top = next((y for y in range(60) if c.get(x, y)[3]), 59)
        c.ellipse(x, top + 3, 4, 4, (48, 128, 72, 255))
    return c.scaled(2)


def ground():
    c = Canvas(320, 40)
    c.rect(0, 0, 320, 40, (150, 96, 56, 255))
    c.rect(0, 0, 320, 5, (96, 200, 80, 255))
    for x in range(0, 320, 4):
        c.set(x, 5, (72, 160, 64, 255))
        c.set(x + 1, 6, (72, 160, 64, 255))
    seed = 12345
    for _ in range(90):
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        x = seed % 320
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        y = 10 + seed % 28
        c.rect(x, y, 2, 1, (120, 72, 40, 255))
    return c.scaled(2)


# Letters of the logo, five by seven.
LETTERS = {
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    " ": ["00000"] * 7,
}


def logo(text):
    c = Canvas(len(text) * 6 + 1, 9)
    for index, letter in enumerate(text):
        for row, bits in enumerate(LETTERS[letter]):
            for column, bit in enumerate(bits):
                if bit == "1":
                    shade = GOLD if row < 4 else (255, 160, 40, 255)
                    c.set(1 + index * 6 + column, 1 + row, shade)
    c.outline(INK)
    return c.scaled(5)


def draw_images():
    save_png("runner.png", sheet([
        runner(0, 0, 0), runner(-1, 1, -1), runner(0, 0, 0), runner(-1, -1, 1),
        runner(0, 0, 0), runner(0, 0, 0, eye_open=False),
        runner(-1, 0, 0, tucked=True), runner(0, 1, -1)], 48, 48))
    save_png("bat.png", sheet([bat(-1), bat(0), bat(1)], 48, 48))
    save_png("spiky.png", spiky())
    save_png("star.png", star())
    save_png("sparkle.png", sparkle())
    save_png("heart.png", heart())
    save_png("mountains.png", mountains())
    save_png("hills.png", hills())
    save_png("ground.png", ground())
    save_png("logo.png", logo("STAR DASH"))


# ---------------------------------------------------------------------------------------------
# Sound effects: 16-bit mono at 22 050 Hz.

RATE = 22050


def square(phase):
    return 1.0 if phase % 1.0 < 0.5 else -1.0


def tone(frequencies, seconds, volume=0.35, wave_shape=square):
    """A note whose pitch follows the list of frequencies (a slide), fading out."""
    samples = []
    phase = 0.0
    count = int(RATE * seconds)
    for n in range(count):
        position = n / count * (len(frequencies) - 1)
        low = int(position)
        high = min(low + 1, len(frequencies) - 1)
        frequency = frequencies[low] + (frequencies[high] - frequencies[low]) * (position - low)
        phase += frequency / RATE
        envelope = min(1.0, n / 80) * (1.0 - n / count)
        samples.append(volume * envelope * wave_shape(phase))
    return samples


def noise(seconds, volume):
    samples = []
    seed = 1
    count = int(RATE * seconds)
    for n in range(count):
        seed = (seed * 214013 + 2531011) & 0xFFFFFFFF
        samples.append(volume * (1.0 - n / count) ** 2 * (((seed >> 16) & 0x7FFF) / 16384 - 1))
    return samples


def mix(*tracks):
    length = max(len(t) for t in tracks)
    return [sum(t[n] for t in tracks if n < len(t)) for n in range(length)]


def save_wav(name, samples):
    with wave.open(os.path.join(HERE, name), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(
            struct.pack("<h", int(max(-1.0, min(1.0, s)) * 32767)) for s in samples))


def make_sounds():
    save_wav("jump.wav", tone([280, 720], 0.16))
    save_wav("star.wav", tone([988], 0.06) + tone([1319], 0.22))
    save_wav("hit.wav", mix(noise(0.3, 0.4), tone([220, 60], 0.35, 0.3)))
    save_wav("start.wav", sum((tone([f], 0.08) for f in (523, 659, 784)), []) +
             tone([1047], 0.25))
    save_wav("over.wav", sum((tone([f], 0.18) for f in (784, 659, 523)), []) +
             tone([392, 370], 0.6))


# ---------------------------------------------------------------------------------------------
# Music: a Standard MIDI File of type 1, an eight-bar loop in C major at 150 beats a minute.

TICKS = 96  # per quarter note


def variable_length(value):
    data = [value & 0x7F]
    value >>= 7
    while value:
        data.insert(0, 0x80 | (value & 0x7F))
        value >>= 7
    return bytes(data)


def track(events, end_tick):
    """events: (tick, bytes) in any order; the track ends exactly at end_tick."""
    data = b""
    now = 0
    for tick, message in sorted(events, key=lambda e: (e[0], e[1][0] & 0xF0 != 0x80)):
        data += variable_length(tick - now) + message
        now = tick
    data += variable_length(end_tick - now) + b"\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(data)) + data


def notes(channel, program, items, velocity):
    """items: (start in eighths, length in eighths, MIDI note)."""
    events = [(0, bytes([0xC0 | channel, program]))]
    eighth = TICKS // 2
    for start, length, note in items:
        events.append((start * eighth, bytes([0x90 | channel, note, velocity])))
        events.append(((start + length) * eighth - 4, bytes([0x80 | channel, note, 0])))
    return events


def make_song():
    bars = 8
    end = bars * 4 * TICKS
    tempo = [(0, b"\xff\x51\x03" + (60_000_000 // 150).to_bytes(3, "big")),
             (0, b"\xff\x58\x04\x04\x02\x18\x08")]
    # Melody: one (note, eighths) list per bar, 0 is a rest.
    melody_bars = [
        [(72, 2), (76, 2), (79, 2), (76, 2)], [(74, 3), (72, 1), (69, 4)],
        [(65, 2), (69, 2), (72, 2), (77, 2)], [(76, 2), (74, 2), (71, 4)],
        [(72, 2), (76, 2), (79, 2), (84, 2)], [(81, 3), (79, 1), (76, 4)],
        [(77, 2), (76, 2), (74, 2), (72, 2)], [(71, 2), (74, 2), (72, 4)],
    ]
    melody = []
    at = 0
    for bar in melody_bars:
        for note, length in bar:
            if note:
                melody.append((at, length, note))
            at += length
    roots = [48, 45, 41, 43, 48, 45, 41, 43]
    bass = [(bar * 8 + step * 2, 2, roots[bar] + (12 if step % 2 else 0))
            for bar in range(bars) for step in range(4)]
    drums = []
    for bar in range(bars):
        for step in range(8):
            at = bar * 8 + step
            drums.append((at, 1, 42))
            if step in (0, 4):
                drums.append((at, 1, 36))
            if step in (2, 6):
                drums.append((at, 1, 38))
    tracks = [track(tempo, end),
              track(notes(0, 80, melody, 84), end),
              track(notes(1, 33, bass, 96), end),
              track(notes(9, 0, drums, 64), end)]
    header = b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), TICKS)
    with open(os.path.join(HERE, "theme.mid"), "wb") as out:
        out.write(header + b"".join(tracks))


if __name__ == "__main__":
    draw_images()
    make_sounds()
    make_song()

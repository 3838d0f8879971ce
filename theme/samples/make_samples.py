#!/usr/bin/env python3
"""Writes the sample files of the theme tab (run it in this folder; only the standard library):
   saver.gif     96 x 64, 12 frames: a ring of lights turning over waves (the screen saver)
   picture.bmp   128 x 128, 24-bit: mountains at sunset (the picture)
   picture.wbmp  96 x 64, one bit a pixel: the same scene dithered, as the phones show WBMP
   ring.imy      an iMelody ring tone (BEAT 140, a repeat block)
   ring.mid      the same kind of tune as a format-1 MIDI file with a tempo change
Everything is drawn and composed here; nothing is taken from elsewhere."""
import math
import struct


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


# --- the landscape (picture.bmp, picture.wbmp) ---------------------------------------------

def landscape(x, y, w, h):
    """The colour of a pixel of the sunset scene, x and y in 0..1."""
    horizon = 0.62
    sun = (0.68, 0.50, 0.11)  # centre x, y and radius
    ridge1 = 0.50 + 0.07 * math.sin(x * 7.0 + 1.0) + 0.03 * math.sin(x * 19.0)
    ridge2 = 0.56 + 0.05 * math.sin(x * 11.0 + 2.5) + 0.02 * math.sin(x * 31.0)
    if y < horizon:
        if y > ridge2:
            return lerp((40, 30, 70), (20, 15, 40), (y - ridge2) / (horizon - ridge2 + 1e-9))
        if y > ridge1:
            return lerp((90, 50, 100), (60, 35, 80), (y - ridge1) / 0.1)
        d = math.hypot(x - sun[0], (y - sun[1]) * h / w)
        if d < sun[2]:
            return lerp((255, 250, 200), (255, 200, 80), d / sun[2])
        sky = lerp((60, 40, 120), (250, 140, 60), (y / horizon) ** 1.4)
        glow = max(0.0, 1.0 - d / 0.45)
        return lerp(sky, (255, 210, 120), glow * 0.6)
    # the lake mirrors the sky, darker, with ripples
    mirror = horizon - (y - horizon) * 1.6
    ripple = 0.5 + 0.5 * math.sin(y * 140.0 + math.sin(x * 9.0) * 2.0)
    base = landscape(x, max(0.0, mirror), w, h)
    return lerp(base, (20, 30, 70), 0.45 + 0.15 * ripple)


def write_bmp(path, w, h):
    rows = []
    pad = (4 - (w * 3) % 4) % 4
    for row in range(h - 1, -1, -1):  # bottom-up
        line = bytearray()
        for col in range(w):
            r, g, b = landscape(col / (w - 1), row / (h - 1), w, h)
            line += bytes((b, g, r))
        rows.append(bytes(line) + b"\0" * pad)
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    open(path, "wb").write(header + info + data)


def write_wbmp(path, w, h):
    bayer = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]
    out = bytearray(b"\0\0")  # type 0, no extension headers
    out += bytes((w,)) if w < 128 else bytes((0x80 | (w >> 7), w & 0x7F))
    out += bytes((h,)) if h < 128 else bytes((0x80 | (h >> 7), h & 0x7F))
    for row in range(h):
        bits = 0
        count = 0
        for col in range(w):
            r, g, b = landscape(col / (w - 1), row / (h - 1), w, h)
            light = (0.3 * r + 0.59 * g + 0.11 * b) / 255.0
            white = light * 16 > bayer[row % 4][col % 4] + 0.5
            bits = (bits << 1) | (1 if white else 0)
            count += 1
            if count == 8:
                out.append(bits)
                bits = count = 0
        if count:
            out.append(bits << (8 - count))
    open(path, "wb").write(out)


# --- the animated screen saver (saver.gif) -------------------------------------------------

def lzw(indices, min_size):
    """GIF LZW compression of palette indices."""
    clear, end = 1 << min_size, (1 << min_size) + 1
    table = {bytes((i,)): i for i in range(clear)}
    size, next_code = min_size + 1, end + 1
    out, acc, nbits = bytearray(), 0, 0

    def put(code):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8

    put(clear)
    word = b""
    for i in indices:
        candidate = word + bytes((i,))
        if candidate in table:
            word = candidate
            continue
        put(table[word])
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            put(clear)
            table = {bytes((j,)): j for j in range(clear)}
            size, next_code = min_size + 1, end + 1
        word = bytes((i,))
    if word:
        put(table[word])
    put(end)
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out)


def write_gif(path, w, h, frames, palette, delay_cs):
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", w, h, 0xF7, 0, 0)  # global table of 256 colours
    for colour in palette + [(0, 0, 0)] * (256 - len(palette)):
        out += bytes(colour)
    out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"  # loop for ever
    for pixels in frames:
        out += b"\x21\xF9\x04\x00" + struct.pack("<H", delay_cs) + b"\x00\x00"
        out += b"\x2C" + struct.pack("<HHHHB", 0, 0, w, h, 0)
        data = lzw(pixels, 8)
        out.append(8)
        for i in range(0, len(data), 255):
            chunk = data[i:i + 255]
            out.append(len(chunk))
            out += chunk
        out.append(0)
    out.append(0x3B)
    open(path, "wb").write(out)


def saver_frames(w, h, count):
    # palette: 0..63 night blues, 64..127 light (yellow to white), 128..191 sea greens
    palette = [lerp((5, 10, 40), (30, 50, 120), i / 63) for i in range(64)]
    palette += [lerp((255, 160, 20), (255, 255, 230), i / 63) for i in range(64)]
    palette += [lerp((0, 60, 90), (80, 200, 210), i / 63) for i in range(64)]
    frames = []
    for f in range(count):
        phase = f / count
        pixels = bytearray()
        for y in range(h):
            for x in range(w):
                sea = h * 0.72 + 3 * math.sin(x / 7.0 + phase * 2 * math.pi)
                if y > sea:
                    crest = 0.5 + 0.5 * math.sin(x / 5.0 - y / 2.0 + phase * 4 * math.pi)
                    pixels.append(128 + int(63 * crest * (1 - (y - sea) / (h - sea + 1))))
                    continue
                value = 63 * y // h
                # eight lights on a ring, the brightest one going round
                for k in range(8):
                    angle = 2 * math.pi * (k / 8 + phase)
                    cx, cy = w / 2 + 18 * math.cos(angle), h * 0.36 + 14 * math.sin(angle)
                    d = math.hypot(x - cx, y - cy)
                    if d < 4.5:
                        strength = ((k / 8) % 1.0)
                        value = 64 + int(63 * (1 - d / 4.5) * (0.3 + 0.7 * strength))
                        break
                pixels.append(value)
        frames.append(bytes(pixels))
    return frames, palette


# --- the tunes (ring.imy, ring.mid) --------------------------------------------------------

IMELODY = "\r\n".join([
    "BEGIN:IMELODY",
    "VERSION:1.2",
    "FORMAT:CLASS1.0",
    "NAME:Orlin",
    "BEAT:140",
    "STYLE:S0",
    "VOLUME:V10",
    "MELODY:*4e3g3*5c2*4b3g3e2r3(a3*5c3e3d3c3*4a3g2@2)*4e3g3*5c2.*4b3*5d2c1",
    "END:IMELODY",
    "",
])


def vlq(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, 0x80 | (value & 0x7F))
        value >>= 7
    return bytes(out)


def track(events):
    """events: (tick, bytes) in time order; an end-of-track follows the last."""
    data, last = bytearray(), 0
    for tick, message in events:
        data += vlq(tick - last) + message
        last = tick
    data += b"\x00\xFF\x2F\x00"
    return b"MTrk" + struct.pack(">I", len(data)) + data


def write_midi(path):
    q = 480  # ticks a quarter
    # tempo 132, then 120 from bar 3; melody on channel 0 (vibraphone), bass on channel 1
    tempo = [(0, b"\xFF\x51\x03" + (454545).to_bytes(3, "big")),
             (8 * q, b"\xFF\x51\x03" + (500000).to_bytes(3, "big"))]
    melody = [(76, 1), (79, 1), (84, 2), (83, 1), (79, 1), (76, 2),
              (81, 1), (84, 1), (88, 1), (86, 1), (84, 2), (79, 2), (84, 4)]
    bass = [(48, 4), (43, 4), (45, 4), (48, 4)]

    def notes(channel, program, tune, velocity, step):
        events, tick = [(0, bytes((0xC0 | channel, program)))], 0
        for key, beats in tune:
            events.append((tick, bytes((0x90 | channel, key, velocity))))
            tick += beats * step
            events.append((tick - step // 8, bytes((0x80 | channel, key, 0))))
        return events

    tracks = [track(tempo), track(notes(0, 11, melody, 100, q // 2)),
              track(notes(1, 32, bass, 80, q))]
    header = b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), q)
    open(path, "wb").write(header + b"".join(tracks))


if __name__ == "__main__":
    write_bmp("picture.bmp", 128, 128)
    write_wbmp("picture.wbmp", 96, 64)
    frames, palette = saver_frames(96, 64, 12)
    write_gif("saver.gif", 96, 64, frames, palette, 10)
    open("ring.imy", "w", newline="").write(IMELODY)
    write_midi("ring.mid")

#!/usr/bin/env python3
"""Draws the library's two scroll-bar pictures: 4 frames (track, thumb hovered, thumb, spare),
side by side for the vertical bar (scroll_v.png) and one above the other for the horizontal bar
(scroll_h.png). Each frame is 8 x 40 (40 x 8) with round 6-pixel caps. Run from this folder."""
import struct
import zlib

THICK, LONG = 8, 40
# (r, g, b, a) of track, hovered thumb, thumb, spare
FRAMES = [(0xD8, 0xD8, 0xD8, 0x80), (0x70, 0x70, 0x70, 0xFF), (0xA0, 0xA0, 0xA0, 0xFF), (0xA0, 0xA0, 0xA0, 0x80)]


def coverage(across, along):
    """Alpha share of a pixel of a bar with round ends, sampled 4 x 4."""
    r = THICK / 2.0
    hits = 0
    for sy in range(4):
        for sx in range(4):
            x = across + (sx + 0.5) / 4
            y = along + (sy + 0.5) / 4
            cy = min(max(y, r), LONG - r)
            if (x - r) ** 2 + (y - cy) ** 2 <= r * r:
                hits += 1
    return hits / 16.0


def png(width, height, pixel):
    raw = b""
    for y in range(height):
        raw += b"\0" + b"".join(bytes(pixel(x, y)) for x in range(width))
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def frame_pixel(frame, across, along):
    r, g, b, a = FRAMES[frame]
    return (r, g, b, int(round(a * coverage(across, along))))


with open("scroll_v.png", "wb") as f:
    f.write(png(THICK * 4, LONG, lambda x, y: frame_pixel(x // THICK, x % THICK, y)))
with open("scroll_h.png", "wb") as f:
    f.write(png(LONG, THICK * 4, lambda x, y: frame_pixel(y // THICK, y % THICK, x)))

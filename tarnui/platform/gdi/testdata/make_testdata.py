#!/usr/bin/env python3
"""Writes the drawing tests' pictures (run from this folder):
strip4.png   40 x 10, four 10 x 10 frames: red, green, blue, white, all opaque
corner.png   20 x 20 opaque yellow
anim2.gif    8 x 8, two frames: red, then blue over the right half only (disposal 1)
icon_bmp.ico one 16 x 16 24-bit entry, its top-left 8 x 8 masked out, the rest magenta
icon_mix.ico a 16 x 16 32-bit entry (cyan) and a 32 x 32 PNG entry (green)"""
import struct
import zlib


def png(width, height, pixel):
    raw = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def lzw_literals(indices):
    # Minimum code size 2: a clear code before every two literals keeps every code 3 bits wide.
    codes = []
    for i in range(0, len(indices), 2):
        codes.append(4)
        codes.extend(indices[i:i + 2])
    codes.append(5)
    bits, count, out = 0, 0, bytearray()
    for c in codes:
        bits |= c << count
        count += 3
        while count >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            count -= 8
    if count:
        out.append(bits & 0xFF)
    blocks = b""
    for i in range(0, len(out), 255):
        part = out[i:i + 255]
        blocks += bytes([len(part)]) + part
    return b"\x02" + blocks + b"\x00"


def gif():
    palette = bytes([255, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0, 0])  # red, blue, green, black
    data = b"GIF89a" + struct.pack("<HHBBB", 8, 8, 0x81, 0, 0) + palette
    data += b"\x21\xF9\x04" + struct.pack("<BHB", 1 << 2, 10, 0) + b"\x00"
    data += b"\x2C" + struct.pack("<HHHHB", 0, 0, 8, 8, 0) + lzw_literals([0] * 64)
    data += b"\x21\xF9\x04" + struct.pack("<BHB", 1 << 2, 20, 0) + b"\x00"
    data += b"\x2C" + struct.pack("<HHHHB", 4, 0, 4, 8, 0) + lzw_literals([1] * 32)
    return data + b"\x3B"


def dib(size, bits, pixel, mask):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    stride = (size * bits + 31) // 32 * 4
    rows = b""
    for y in reversed(range(size)):
        row = b"".join(bytes(pixel(x, y)) for x in range(size))
        rows += row + b"\0" * (stride - len(row))
    mstride = (size + 31) // 32 * 4
    masks = b""
    for y in reversed(range(size)):
        value = 0
        for x in range(size):
            if mask(x, y):
                value |= 1 << (mstride * 8 - 1 - x)
        masks += value.to_bytes(mstride, "big")
    return header + rows + masks


def ico(entries):
    head = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    directory, body = b"", b""
    for size, bits, data in entries:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, bits, len(data), offset + len(body))
        body += data
    return head + directory + body


FRAMES = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255)]
open("strip4.png", "wb").write(png(40, 10, lambda x, y: FRAMES[x // 10] + (255,)))
open("corner.png", "wb").write(png(20, 20, lambda x, y: (255, 255, 0, 255)))
open("anim2.gif", "wb").write(gif())
open("icon_bmp.ico", "wb").write(ico([(16, 24, dib(16, 24, lambda x, y: (255, 0, 255), lambda x, y: x < 8 and y < 8))]))
open("icon_mix.ico", "wb").write(ico([
    (16, 32, dib(16, 32, lambda x, y: (255, 255, 0, 255), lambda x, y: False)),
    (32, 32, png(32, 32, lambda x, y: (0, 255, 0, 255)))]))

#!/usr/bin/env python3
"""Draws the emulator's own bitmap resources as PNG files (standard library only).

101.png: the demo program's picture, a camera on black; black is the
transparent colour the program draws it with.
Run from anywhere: python3 handheld/resources/make_bitmaps.py
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def write_png(path, width, height, pixel):
    rows = bytearray()
    for y in range(height):
        rows.append(0)  # no filter
        for x in range(width):
            rows.extend(pixel(x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"IDAT", zlib.compress(bytes(rows), 9)))
        out.write(chunk(b"IEND", b""))


def camera(x, y):
    black = (0, 0, 0)
    if 22 <= x < 34 and 6 <= y < 12:
        return (90, 90, 100)  # viewfinder hump
    if 46 <= x < 54 and 8 <= y < 12:
        return (220, 40, 40)  # shutter button
    if 6 <= x < 58 and 12 <= y < 42:
        distance = math.hypot(x + 0.5 - 32, y + 0.5 - 27)
        if distance < 5:
            return (230, 240, 255) if x < 31 and y < 26 else (40, 80, 200)
        if distance < 11:
            return (20, 30, 60)
        if distance < 13:
            return (200, 200, 210)
        return (120, 120, 135)
    return black


if __name__ == "__main__":
    folder = os.path.join(HERE, "bitmaps")
    os.makedirs(folder, exist_ok=True)
    write_png(os.path.join(folder, "101.png"), 64, 48, camera)

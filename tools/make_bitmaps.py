#!/usr/bin/env python3
"""Draws the 16x16 toolbar bitmaps: a calendar page (date) and a clock face (time), each
plug-in's as plugins.json names it.

Writes <plug-in>.bmp for each plug-in into the folder given as the only argument: 24 bits per
pixel, uncompressed, bottom-up rows. As a resource each is the 40-byte header followed by the
768 bytes of pixels (808 bytes); the file adds the 14-byte file header in front.
"""
import math
import struct
import sys
from pathlib import Path

import plugins

SIZE = 16

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
GREY = (128, 128, 128)
LIGHT = (192, 192, 192)
RED = (200, 30, 30)
BLUE = (30, 60, 170)
BACKGROUND = (192, 192, 192)  # the toolbar's usual face colour


def blank():
    return [[BACKGROUND] * SIZE for _ in range(SIZE)]


def calendar_page():
    """A page with two binding rings, a red title band and a grid of day dots."""
    image = blank()
    for y in range(2, 15):
        for x in range(1, 15):
            edge = x in (1, 14) or y in (2, 14)
            image[y][x] = GREY if edge else WHITE
    for y in range(3, 6):
        for x in range(2, 14):
            image[y][x] = RED
    for x in (4, 11):  # binding rings above the band
        image[1][x] = BLACK
        image[2][x] = BLACK
    for row in range(4):
        for col in range(5):
            x, y = 3 + col * 2, 7 + row * 2
            image[y][x] = BLUE if (row, col) == (1, 2) else BLACK
    return image


def clock_face():
    """A round face with hour marks and hands at ten past ten."""
    image = blank()
    centre = 7.5
    for y in range(SIZE):
        for x in range(SIZE):
            distance = math.hypot(x - centre, y - centre)
            if distance <= 6.0:
                image[y][x] = WHITE
            elif distance <= 7.4:
                image[y][x] = BLACK
    for hour in range(12):
        angle = math.radians(hour * 30)
        x = round(centre + 5.0 * math.sin(angle))
        y = round(centre - 5.0 * math.cos(angle))
        if hour % 3 == 0:
            image[y][x] = GREY
    draw_hand(image, centre, math.radians(300), 3.5, BLACK)  # hour hand at ten
    draw_hand(image, centre, math.radians(60), 5.0, RED)  # minute hand at two
    image[7][7] = BLACK
    return image


def draw_hand(image, centre, angle, length, colour):
    steps = int(length * 4)
    for i in range(steps + 1):
        r = length * i / steps
        x = int(round(centre - 0.5 + r * math.sin(angle)))
        y = int(round(centre - 0.5 - r * math.cos(angle)))
        image[y][x] = colour


def bmp_bytes(image):
    pixels = bytearray()
    for row in reversed(image):  # bottom-up
        for red, green, blue in row:
            pixels += bytes((blue, green, red))
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    assert len(info) + len(pixels) == 808
    return header + info + pixels


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    drawings = {"calendar_page": calendar_page, "clock_face": clock_face}
    for plugin in plugins.PLUGINS:
        (out / (plugin["name"] + ".bmp")).write_bytes(bmp_bytes(drawings[plugin["bitmap"]]()))


if __name__ == "__main__":
    main()

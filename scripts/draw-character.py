#!/usr/bin/env python3
"""Draws Tamvoro's demo character: a round, friendly figure in nine moods, as 24-bit BMP
files on a plain magenta background (the key colour the agent leaves out of its outline).

Usage: scripts/draw-character.py [output folder]   (default: agent/demo)
Plain Python, no libraries; the pictures are committed, so the demo needs no generator.
"""
import math
import os
import struct
import sys

W, H = 120, 150
KEY = (255, 0, 255)
INK = (60, 40, 30)
BODY = (255, 196, 92)
BELLY = (255, 232, 170)
CHEEK = (250, 140, 120)
WHITE = (255, 255, 255)
BLUE = (80, 150, 240)
RED = (220, 50, 40)
GREEN = (60, 170, 90)
YELLOW = (250, 220, 40)


class Canvas:
    def __init__(self):
        self.px = [[KEY] * W for _ in range(H)]

    def fill(self, inside, color):
        for y in range(H):
            for x in range(W):
                if inside(x + 0.5, y + 0.5):
                    self.px[y][x] = color

    def ellipse(self, cx, cy, rx, ry, color, outline=0):
        if outline:
            self.fill(lambda x, y: ((x - cx) / (rx + outline)) ** 2
                      + ((y - cy) / (ry + outline)) ** 2 <= 1, INK)
        self.fill(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1, color)

    def stroke(self, points, width, color):
        """A thick polyline: every pixel within width/2 of a segment."""
        half = width / 2.0
        for (x1, y1), (x2, y2) in zip(points, points[1:]):
            def near(x, y, x1=x1, y1=y1, x2=x2, y2=y2):
                dx, dy = x2 - x1, y2 - y1
                length = dx * dx + dy * dy
                t = 0 if length == 0 else max(0, min(1, ((x - x1) * dx + (y - y1) * dy) / length))
                return math.hypot(x - (x1 + t * dx), y - (y1 + t * dy)) <= half
            self.fill(near, color)

    def arc(self, cx, cy, rx, ry, start, end, width, color):
        steps = 24
        points = [(cx + rx * math.cos(math.radians(start + (end - start) * i / steps)),
                   cy + ry * math.sin(math.radians(start + (end - start) * i / steps)))
                  for i in range(steps + 1)]
        self.stroke(points, width, color)

    def save(self, path):
        stride = (W * 3 + 3) // 4 * 4
        data = bytearray()
        for row in reversed(self.px):
            line = bytearray()
            for r, g, b in row:
                line += bytes((b, g, r))
            data += line + b"\0" * (stride - len(line))
        header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        with open(path, "wb") as f:
            f.write(header + info + data)


def body(c, arms="down"):
    # Feet, arms, then the round body over them.
    c.ellipse(42, 136, 15, 8, BODY, outline=2)
    c.ellipse(78, 136, 15, 8, BODY, outline=2)
    if arms == "up":
        c.ellipse(16, 62, 9, 16, BODY, outline=2)
        c.ellipse(104, 62, 9, 16, BODY, outline=2)
    else:
        c.ellipse(14, 92, 9, 16, BODY, outline=2)
        c.ellipse(106, 92, 9, 16, BODY, outline=2)
    c.ellipse(60, 82, 46, 52, BODY, outline=3)
    c.ellipse(60, 100, 28, 26, BELLY)
    # A leaf on top.
    c.stroke([(60, 32), (60, 20)], 3, INK)
    c.ellipse(68, 18, 9, 5, GREEN, outline=1)


def cheeks(c):
    c.ellipse(32, 84, 7, 4, CHEEK)
    c.ellipse(88, 84, 7, 4, CHEEK)


def open_eyes(c, look=0):
    for x in (44, 76):
        c.ellipse(x, 66, 7, 9, INK)
        c.ellipse(x - 2 + look, 63, 2.5, 3, WHITE)


def closed_eyes(c, up=True):
    for x in (44, 76):
        if up:
            c.arc(x, 70, 8, 6, 200, 340, 3, INK)
        else:
            c.arc(x, 62, 8, 6, 20, 160, 3, INK)


def normal(c):
    body(c)
    open_eyes(c)
    cheeks(c)
    c.arc(60, 80, 12, 9, 20, 160, 3, INK)


def good(c):
    body(c, arms="up")
    closed_eyes(c, up=True)
    cheeks(c)
    mouth = lambda rx, ry: (lambda x, y: y >= 80 and ((x - 60) / rx) ** 2
                            + ((y - 80) / ry) ** 2 <= 1)
    c.fill(mouth(15, 13), INK)
    c.fill(mouth(12, 10), RED)
    star(c, 104, 28)


def info(c):
    body(c)
    open_eyes(c, look=2)
    cheeks(c)
    c.ellipse(60, 86, 6, 6, RED, outline=2)


def bad(c):
    body(c)
    open_eyes(c)
    c.arc(60, 94, 12, 8, 200, 340, 3, INK)
    c.stroke([(36, 52), (50, 56)], 3, INK)
    c.stroke([(84, 52), (70, 56)], 3, INK)


def critical(c):
    body(c, arms="up")
    for x in (44, 76):
        c.stroke([(x - 7, 59), (x + 7, 73)], 4, INK)
        c.stroke([(x + 7, 59), (x - 7, 73)], 4, INK)
    c.ellipse(60, 90, 9, 11, RED, outline=2)


def question(c):
    body(c)
    open_eyes(c, look=-2)
    cheeks(c)
    c.stroke([(52, 86), (68, 84)], 3, INK)
    c.arc(102, 20, 9, 9, 180, 400, 5, BLUE)
    c.stroke([(108, 27), (102, 33), (102, 38)], 5, BLUE)
    c.ellipse(102, 46, 3, 3, BLUE)


def exclamation(c):
    body(c, arms="up")
    open_eyes(c)
    c.ellipse(60, 88, 8, 10, RED, outline=2)
    c.stroke([(104, 8), (104, 34)], 7, RED)
    c.ellipse(104, 44, 4, 4, RED)


def wait(c):
    body(c)
    closed_eyes(c, up=False)
    cheeks(c)
    c.stroke([(54, 84), (66, 84)], 3, INK)
    for x, y, s in ((92, 30, 6), (102, 18, 8)):
        c.stroke([(x - s, y - s), (x + s, y - s), (x - s, y + s), (x + s, y + s)], 3, BLUE)


def negative(c):
    body(c)
    closed_eyes(c, up=False)
    c.arc(60, 96, 10, 7, 200, 340, 3, INK)
    c.ellipse(34, 80, 4, 7, BLUE)


def star(c, cx, cy):
    points = []
    for i in range(11):
        r = 14 if i % 2 == 0 else 6
        a = math.radians(-90 + 36 * i)
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    c.stroke(points, 4, YELLOW)


MOODS = {
    "normal.bmp": normal,
    "good.bmp": good,
    "info.bmp": info,
    "bad.bmp": bad,
    "critical.bmp": critical,
    "question.bmp": question,
    "exclamation.bmp": exclamation,
    "wait.bmp": wait,
    "negative.bmp": negative,
}


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "agent", "demo")
    for name, draw in MOODS.items():
        c = Canvas()
        draw(c)
        c.save(os.path.join(out, name))


if __name__ == "__main__":
    main()

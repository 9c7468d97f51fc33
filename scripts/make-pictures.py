#!/usr/bin/env python3
"""Draws the editor's own pictures and writes them as JPEG files into
resources/pictures/: the about window's background (541 x 385, dark enough
for white text) and the advertisement of Brindel Ostrelle 3 (809 x 609).

Pure Python draws the pixels (a PPM file); cjpeg (libjpeg-turbo-progs)
encodes them. Run it again after changing a drawing; the JPEG files are
committed, so a build never needs it.
"""
import math
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "resources", "pictures")

# A 5 x 7 pixel font for the few letters the advertisement writes.
GLYPHS = {
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "D": ["11100", "10010", "10001", "10001", "10001", "10010", "11100"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "3": ["11110", "00001", "00001", "01110", "00001", "00001", "11110"],
    " ": ["00000"] * 7,
}


class Canvas:
    def __init__(self, width, height, paint):
        self.width, self.height = width, height
        self.pixels = bytearray(width * height * 3)
        for y in range(height):
            for x in range(width):
                self.put(x, y, paint(x, y))

    def put(self, x, y, rgb):
        if 0 <= x < self.width and 0 <= y < self.height:
            i = (y * self.width + x) * 3
            self.pixels[i:i + 3] = bytes(max(0, min(255, int(c))) for c in rgb)

    def blend(self, x, y, rgb, alpha):
        if 0 <= x < self.width and 0 <= y < self.height:
            i = (y * self.width + x) * 3
            for k in range(3):
                self.pixels[i + k] = int(self.pixels[i + k] * (1 - alpha) + rgb[k] * alpha)

    def disc(self, cx, cy, r, rgb, alpha):
        for y in range(int(cy - r), int(cy + r) + 1):
            for x in range(int(cx - r), int(cx + r) + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.blend(x, y, rgb, alpha)

    def text(self, left, top, scale, s, rgb):
        for n, ch in enumerate(s):
            rows = GLYPHS[ch]
            for gy, row in enumerate(rows):
                for gx, bit in enumerate(row):
                    if bit == "1":
                        for y in range(scale):
                            for x in range(scale):
                                self.put(left + (n * 6 + gx) * scale + x, top + gy * scale + y, rgb)

    def save_jpeg(self, path):
        with tempfile.NamedTemporaryFile(suffix=".ppm", delete=False) as f:
            f.write(b"P6\n%d %d\n255\n" % (self.width, self.height))
            f.write(bytes(self.pixels))
            ppm = f.name
        try:
            with open(path, "wb") as out:
                subprocess.run(["cjpeg", "-quality", "88", "-optimize", ppm], stdout=out, check=True)
        finally:
            os.unlink(ppm)


def about():
    # Night blue to deep violet, a quill's sweep of light discs across it.
    def paint(x, y):
        t = y / 385.0
        return (18 + 30 * t, 24 + 10 * t, 62 + 40 * t)
    c = Canvas(541, 385, paint)
    for i in range(160):
        a = i / 160.0
        x = 60 + a * 460
        y = 300 - math.sin(a * math.pi) * 190
        c.disc(x, y, 2 + 10 * math.sin(a * math.pi), (120, 170, 255), 0.18)
    # The stars keep out of the window's text: its three labels' areas, in
    # the picture's pixels (the window shows it from x = 5), with a margin.
    text = [(16, 16, 486, 136), (16, 200, 486, 230), (16, 236, 486, 266)]

    def on_text(x, y):
        return any(l - 6 <= x - 5 <= r + 6 and t - 6 <= y <= b + 6 for l, t, r, b in text)
    stars = 0
    for i in range(400):
        x, y = 40 + (i * 97) % 500, 20 + (i * 53) % 340
        if stars < 40 and not on_text(x, y):
            c.disc(x, y, 1.5, (230, 230, 255), 0.8)
            stars += 1
    return c


def advert():
    # A sunrise of orange over dark green, the product's name across it.
    def paint(x, y):
        d = math.hypot(x - 404, y - 640) / 700.0
        return (250 - 200 * d, 150 - 100 * d, 60 + 10 * d)
    c = Canvas(809, 609, paint)
    for ring in range(6):
        r = 120 + ring * 60
        for k in range(360):
            ang = math.radians(k / 2.0 + 90)
            c.disc(404 + r * math.cos(ang), 640 - r * math.sin(ang), 3, (255, 230, 160), 0.10)
    c.text(70, 110, 10, "BRINDEL", (255, 255, 255))
    c.text(70, 210, 10, "OSTRELLE 3", (255, 255, 255))
    return c


def main():
    if not os.path.isdir(OUT):
        os.makedirs(OUT)
    about().save_jpeg(os.path.join(OUT, "about.jpg"))
    advert().save_jpeg(os.path.join(OUT, "advertisement.jpg"))
    return 0


if __name__ == "__main__":
    sys.exit(main())

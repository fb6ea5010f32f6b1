#!/usr/bin/env python3
"""Draws the toolbar strips and the program icon (korvex7.ico, 16, 24, 32, 48
and 256 pixels).

A toolbar strip holds 14 pictures side by side, one per settings dialog, in
toolbar button order: toolbar.bmp of 61 x 55 pixels each (100 %), and
toolbar_150.bmp (92 x 83) and toolbar_200.bmp (122 x 110) for displays at 150
and 200 %, the same drawings rasterised at those sizes rather than enlarged.
Each picture is a light panel with a pictogram drawn on it; the area outside
the rounded panel is magenta, which the toolbar treats as transparent.

Pure Python, no imaging library: shapes are given in the pixels of the 61 x 55
picture, rasterised at four times the final resolution and averaged down,
which gives smooth edges.

    python3 make_images.py [output-directory]

The outputs are committed next to this script, so a build needs no Python;
run it again after changing a drawing.
"""

import math
import os
import struct
import sys
import zlib

W, H = 61, 55          # one toolbar picture, in the units the drawings use
COUNT = 14
# The strips: file name and picture size in pixels.
STRIPS = [
    ('toolbar.bmp', 61, 55),
    ('toolbar_150.bmp', 92, 83),
    ('toolbar_200.bmp', 122, 110),
]
SS = 4                 # supersampling factor
MASK = (255, 0, 255)   # transparent colour of the toolbar image list

# Colours (R, G, B)
PANEL = (250, 250, 252)
PANEL_EDGE = (150, 160, 175)
INK = (40, 48, 64)
BLUE = (40, 100, 200)
LIGHT_BLUE = (150, 190, 240)
RED = (210, 40, 40)
GOLD = (230, 170, 30)
GREEN = (40, 150, 70)
GREY = (120, 125, 135)
SCREEN = (30, 40, 60)
SCREEN_TEXT = (250, 250, 250)
ORANGE = (240, 120, 30)


# The size in pixels of the toolbar pictures being drawn (write_strip).
OUTPUT = (W, H)


class Canvas:
    """A supersampled RGB canvas of one picture: width x height units of the
    drawings, rasterised to `output` pixels (the same number unless given)."""

    def __init__(self, width, height, background, output=None):
        out_w, out_h = output or (width, height)
        self.w = out_w * SS
        self.h = out_h * SS
        # Supersamples per unit of the drawings, across and down.
        self.kx = SS * out_w / width if out_w != width else SS
        self.ky = SS * out_h / height if out_h != height else SS
        self.px = [list(background) for _ in range(self.w * self.h)]

    # All coordinates below are in the drawings' units (floats allowed).
    def _fill(self, inside, x0, y0, x1, y1, colour):
        kx, ky = self.kx, self.ky
        sx0 = max(0, int(math.floor(x0 * kx)))
        sy0 = max(0, int(math.floor(y0 * ky)))
        sx1 = min(self.w, int(math.ceil(x1 * kx)) + 1)
        sy1 = min(self.h, int(math.ceil(y1 * ky)) + 1)
        for sy in range(sy0, sy1):
            y = (sy + 0.5) / ky
            row = sy * self.w
            for sx in range(sx0, sx1):
                x = (sx + 0.5) / kx
                if inside(x, y):
                    self.px[row + sx] = list(colour)

    def rect(self, x0, y0, x1, y1, colour):
        self._fill(lambda x, y: x0 <= x < x1 and y0 <= y < y1, x0, y0, x1, y1, colour)

    def round_rect(self, x0, y0, x1, y1, r, colour):
        def inside(x, y):
            if not (x0 <= x < x1 and y0 <= y < y1):
                return False
            cx = min(max(x, x0 + r), x1 - r)
            cy = min(max(y, y0 + r), y1 - r)
            return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
        self._fill(inside, x0, y0, x1, y1, colour)

    def ellipse(self, cx, cy, rx, ry, colour):
        def inside(x, y):
            return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0
        self._fill(inside, cx - rx, cy - ry, cx + rx, cy + ry, colour)

    def ring(self, cx, cy, r, width, colour):
        ri = r - width

        def inside(x, y):
            d = (x - cx) ** 2 + (y - cy) ** 2
            return ri * ri <= d <= r * r
        self._fill(inside, cx - r, cy - r, cx + r, cy + r, colour)

    def arc(self, cx, cy, r, width, a0, a1, colour):
        """Ring segment from angle a0 to a1 (degrees, counter-clockwise, 0 = east)."""
        ri = r - width

        def inside(x, y):
            d = (x - cx) ** 2 + (y - cy) ** 2
            if not (ri * ri <= d <= r * r):
                return False
            a = math.degrees(math.atan2(cy - y, x - cx)) % 360
            lo, hi = a0 % 360, a1 % 360
            return lo <= a <= hi if lo <= hi else (a >= lo or a <= hi)
        self._fill(inside, cx - r, cy - r, cx + r, cy + r, colour)

    def line(self, xa, ya, xb, yb, width, colour):
        half = width / 2.0
        dx, dy = xb - xa, yb - ya
        length2 = dx * dx + dy * dy or 1e-9

        def inside(x, y):
            t = ((x - xa) * dx + (y - ya) * dy) / length2
            t = min(1.0, max(0.0, t))
            px, py = xa + t * dx, ya + t * dy
            return (x - px) ** 2 + (y - py) ** 2 <= half * half
        self._fill(inside, min(xa, xb) - half, min(ya, yb) - half,
                   max(xa, xb) + half, max(ya, yb) + half, colour)

    def polygon(self, points, colour):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]

        def inside(x, y):
            result = False
            j = len(points) - 1
            for i in range(len(points)):
                xi, yi = points[i]
                xj, yj = points[j]
                if (yi > y) != (yj > y):
                    xcross = xi + (y - yi) * (xj - xi) / (yj - yi)
                    if x < xcross:
                        result = not result
                j = i
            return result
        self._fill(inside, min(xs), min(ys), max(xs), max(ys), colour)

    def text(self, x, y, s, scale, colour):
        """Draws s with the 5 x 7 glyphs below, each dot scale pixels."""
        for ch in s:
            glyph = FONT.get(ch)
            if glyph is None:
                x += 4 * scale
                continue
            for row, bits in enumerate(glyph):
                for col in range(5):
                    if bits & (0x10 >> col):
                        self.rect(x + col * scale, y + row * scale,
                                  x + (col + 1) * scale, y + (row + 1) * scale, colour)
            x += 6 * scale

    def downsample(self):
        out = []
        w = self.w // SS
        h = self.h // SS
        n = SS * SS
        for y in range(h):
            for x in range(w):
                acc = [0, 0, 0]
                masked = 0
                for sy in range(SS):
                    row = (y * SS + sy) * self.w + x * SS
                    for sx in range(SS):
                        p = self.px[row + sx]
                        if tuple(p) == MASK:
                            masked += 1
                        acc[0] += p[0]
                        acc[1] += p[1]
                        acc[2] += p[2]
                if masked * 2 >= n:
                    # Mostly outside the panel: transparent, never blended.
                    out.append(MASK)
                elif masked:
                    out.append(PANEL_EDGE)
                else:
                    out.append(tuple((c + n // 2) // n for c in acc))
        return out


# 5 x 7 glyphs, one int per row, bit 4 = leftmost column.
FONT = {
    'A': [0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11],
    'B': [0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E],
    'C': [0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E],
    'G': [0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F],
    'H': [0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11],
    'L': [0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F],
    'N': [0x11, 0x19, 0x15, 0x13, 0x11, 0x11, 0x11],
    'P': [0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10],
    'S': [0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E],
    'T': [0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04],
    'a': [0x00, 0x00, 0x0E, 0x01, 0x0F, 0x11, 0x0F],
    '/': [0x01, 0x01, 0x02, 0x04, 0x08, 0x10, 0x10],
    '1': [0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E],
    '2': [0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F],
}


def panel():
    c = Canvas(W, H, MASK, OUTPUT)
    c.round_rect(1, 1, W - 1, H - 1, 6, PANEL_EDGE)
    c.round_rect(2, 2, W - 2, H - 2, 5, PANEL)
    return c


def monitor(c, x0, y0, x1, y1, fill=SCREEN):
    """A small monitor with a stand; returns the screen rectangle."""
    c.round_rect(x0, y0, x1, y1, 2, INK)
    c.rect(x0 + 2, y0 + 2, x1 - 2, y1 - 2, fill)
    mid = (x0 + x1) / 2
    c.rect(mid - 2, y1, mid + 2, y1 + 3, INK)
    c.rect(mid - 7, y1 + 3, mid + 7, y1 + 5, INK)
    return (x0 + 2, y0 + 2, x1 - 2, y1 - 2)


def draw_alarm():
    c = panel()
    # Bell: dome, flared skirt, clapper, and two ringing marks.
    c.ellipse(30.5, 22, 11, 12, GOLD)
    c.rect(19.5, 22, 41.5, 34, GOLD)
    c.polygon([(17, 34), (44, 34), (47, 39), (14, 39)], GOLD)
    c.rect(14, 38, 47, 40, (190, 130, 20))
    c.ellipse(30.5, 43, 4, 3.5, (190, 130, 20))
    c.rect(28.5, 7, 32.5, 11, (190, 130, 20))
    c.arc(30.5, 24, 20, 2.5, 120, 160, RED)
    c.arc(30.5, 24, 20, 2.5, 20, 60, RED)
    return c


def draw_video_loss():
    c = panel()
    sx0, sy0, sx1, sy1 = monitor(c, 8, 7, 53, 40)
    # Blank (lost) picture: blue screen crossed out in red.
    c.rect(sx0, sy0, sx1, sy1, (40, 70, 170))
    c.line(18, 13, 43, 34, 4, RED)
    c.line(43, 13, 18, 34, 4, RED)
    return c


def draw_date_time():
    c = panel()
    # Calendar page behind a clock face.
    c.rect(6, 9, 32, 40, INK)
    c.rect(7.5, 16, 30.5, 38.5, (255, 255, 255))
    c.rect(7.5, 10.5, 30.5, 16, RED)
    for r in range(3):
        for k in range(4):
            c.rect(10 + k * 5, 19 + r * 6, 13 + k * 5, 22 + r * 6, GREY)
    c.ellipse(40, 31, 15, 15, INK)
    c.ellipse(40, 31, 12.5, 12.5, (255, 255, 255))
    for h in range(12):
        a = math.radians(h * 30)
        c.line(40 + 10 * math.sin(a), 31 - 10 * math.cos(a),
               40 + 11.5 * math.sin(a), 31 - 11.5 * math.cos(a), 1.2, INK)
    c.line(40, 31, 40, 22, 2.2, INK)
    c.line(40, 31, 46.5, 34.5, 2.2, INK)
    c.ellipse(40, 31, 1.8, 1.8, RED)
    return c


def draw_title():
    c = panel()
    # A text cursor over a lettered title bar: editing the titles.
    c.round_rect(6, 14, 55, 34, 3, BLUE)
    c.text(10, 17, "CH1", 2, SCREEN_TEXT)
    c.rect(47, 10, 49.5, 38, INK)
    c.rect(44, 9, 52.5, 11, INK)
    c.rect(44, 37, 52.5, 39, INK)
    c.rect(10, 42, 51, 45, GREY)
    return c


def draw_title_display():
    c = panel()
    sx0, sy0, sx1, sy1 = monitor(c, 8, 6, 53, 39, (70, 120, 90))
    # Picture with a title overlay shown on it.
    c.ellipse(20, 28, 9, 6, (60, 150, 60))
    c.ellipse(40, 30, 12, 5, (50, 130, 50))
    c.ellipse(42, 14, 4, 4, (250, 220, 90))
    c.rect(sx0 + 2, sy0 + 2, sx0 + 24, sy0 + 10, (0, 0, 0))
    c.text(sx0 + 3.5, sy0 + 3, "CH1", 1, SCREEN_TEXT)
    return c


def draw_font_size():
    c = panel()
    c.text(6, 9, "A", 6, INK)
    c.text(40, 25, "A", 3, BLUE)
    c.line(8, 48, 53, 48, 1.5, GREY)
    c.polygon([(53, 48), (48, 45), (48, 51)], GREY)
    c.polygon([(8, 48), (13, 45), (13, 51)], GREY)
    return c


def draw_auto_switch():
    c = panel()
    # Two monitors joined by a cycle of arrows.
    c.rect(5, 9, 25, 24, INK)
    c.rect(6.5, 10.5, 23.5, 22.5, LIGHT_BLUE)
    c.rect(36, 31, 56, 46, INK)
    c.rect(37.5, 32.5, 54.5, 44.5, (240, 200, 120))
    c.arc(30.5, 27.5, 17, 3, 20, 80, GREEN)
    c.polygon([(44, 24), (50, 20), (48, 29)], GREEN)
    c.arc(30.5, 27.5, 17, 3, 200, 260, GREEN)
    c.polygon([(17, 31), (11, 35), (13, 26)], GREEN)
    return c


def draw_video_adjust():
    c = panel()
    # Three sliders.
    for i, (pos, colour) in enumerate([(20, RED), (38, GREEN), (28, BLUE)]):
        y = 14 + i * 13
        c.rect(8, y - 1.5, 53, y + 1.5, GREY)
        c.round_rect(pos - 3.5, y - 6, pos + 3.5, y + 6, 2, colour)
    return c


def draw_agc():
    c = panel()
    # A swinging signal squeezed to a level: automatic gain.
    prev = None
    for i in range(41):
        x = 8 + i * 1.1
        amp = 13 - i * 0.22
        y = 24 + amp * math.sin(i * 0.75)
        if prev:
            c.line(prev[0], prev[1], x, y, 2, BLUE)
        prev = (x, y)
    c.line(8, 10, 53, 10, 1, GREY)
    c.line(8, 38, 53, 38, 1, GREY)
    c.text(14, 42, "AGC", 1.6, INK)
    return c


def draw_video_format():
    c = panel()
    c.round_rect(7, 8, 54, 47, 4, INK)
    c.rect(9.5, 10.5, 51.5, 44.5, (255, 255, 255))
    c.text(12, 14, "NTSC", 1.6, BLUE)
    c.line(12, 28, 49, 28, 1.2, GREY)
    c.text(17, 32, "PAL", 1.6, RED)
    return c


def draw_title_position():
    c = panel()
    sx0, sy0, sx1, sy1 = monitor(c, 6, 6, 55, 41)
    # A title block with move arrows around it: fine position adjustment.
    cx, cy = 30.5, 21
    c.rect(cx - 8, cy - 4, cx + 8, cy + 4, SCREEN_TEXT)
    c.polygon([(cx, sy0 + 1), (cx - 4, sy0 + 6), (cx + 4, sy0 + 6)], GOLD)
    c.polygon([(cx, sy1 - 1), (cx - 4, sy1 - 6), (cx + 4, sy1 - 6)], GOLD)
    c.polygon([(sx0 + 2, cy), (sx0 + 7, cy - 4), (sx0 + 7, cy + 4)], GOLD)
    c.polygon([(sx1 - 2, cy), (sx1 - 7, cy - 4), (sx1 - 7, cy + 4)], GOLD)
    return c


def draw_split_layout():
    c = panel()
    sx0, sy0, sx1, sy1 = monitor(c, 8, 6, 53, 40)
    colours = [(200, 80, 80), (80, 160, 90), (80, 120, 210), (220, 170, 60)]
    mx = (sx0 + sx1) / 2
    my = (sy0 + sy1) / 2
    cells = [(sx0, sy0, mx, my), (mx, sy0, sx1, my), (sx0, my, mx, sy1), (mx, my, sx1, sy1)]
    for (x0, y0, x1, y1), colour in zip(cells, colours):
        c.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, colour)
    c.text(sx0 + 6, sy0 + 4, "1", 1, SCREEN_TEXT)
    c.text(mx + 6, sy0 + 4, "2", 1, SCREEN_TEXT)
    return c


def draw_screen_switch():
    c = panel()
    # Single picture -> split picture.
    c.rect(4, 14, 25, 32, INK)
    c.rect(5.5, 15.5, 23.5, 30.5, LIGHT_BLUE)
    c.rect(36, 14, 57, 32, INK)
    for k, colour in enumerate([(200, 80, 80), (80, 160, 90), (80, 120, 210), (220, 170, 60)]):
        x = 37.5 + (k % 2) * 9
        y = 15.5 + (k // 2) * 7.5
        c.rect(x, y, x + 8, y + 7, colour)
    c.rect(26, 21.5, 31, 24.5, ORANGE)
    c.polygon([(30, 18), (35, 23), (30, 28)], ORANGE)
    c.rect(4, 38, 57, 41, GREY)
    c.round_rect(14, 36, 22, 43, 2, BLUE)
    return c


def draw_other():
    c = panel()
    # A gear.
    cx, cy = 30.5, 27.5
    for k in range(8):
        a = math.radians(k * 45)
        ca, sa = math.cos(a), math.sin(a)
        pts = []
        for (r, da) in [(12, -10), (19, -7), (19, 7), (12, 10)]:
            b = a + math.radians(da)
            pts.append((cx + r * math.cos(b), cy + r * math.sin(b)))
        c.polygon(pts, GREY)
        del ca, sa
    c.ellipse(cx, cy, 14, 14, GREY)
    c.ellipse(cx, cy, 6, 6, PANEL)
    return c


DRAWINGS = [
    draw_alarm,           # 40006 アラーム
    draw_video_loss,      # 40007 ビデオロス
    draw_date_time,       # 40020 日付・時刻
    draw_title,           # 40008 タイトル
    draw_title_display,   # 40009 タイトル表示
    draw_font_size,       # 40023 フォントサイズ
    draw_auto_switch,     # 40011 自動切換え
    draw_video_adjust,    # 40022 ビデオ調整
    draw_agc,             # 40025 オート・ゲイン・コントロール
    draw_video_format,    # 40024 ビデオフォーマット
    draw_title_position,  # 40012 タイトル位置微調整
    draw_split_layout,    # 40013 分割画面配置
    draw_screen_switch,   # 40014 画面切換え
    draw_other,           # 40015 その他
]


def write_bmp(path, width, height, pixels):
    """24-bit bottom-up BMP."""
    row_bytes = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixels[y * width + x]
            row += bytes((b, g, r))
        row += b'\0' * (row_bytes - len(row))
        data += row
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def icon_image(size):
    """The program icon: a monitor showing a 4-way split picture."""
    global W, H
    saved = (W, H)
    W = H = size
    s = size / 32.0
    c = Canvas(size, size, (0, 0, 0))
    alpha = Canvas(size, size, (0, 0, 0))
    for canvas, col in ((c, None), (alpha, (255, 255, 255))):
        canvas.round_rect(1 * s, 3 * s, 31 * s, 25 * s, 2.5 * s, col or INK)
        canvas.rect(13 * s, 25 * s, 19 * s, 28 * s, col or INK)
        canvas.rect(8 * s, 28 * s, 24 * s, 30 * s, col or INK)
    colours = [(200, 80, 80), (80, 160, 90), (80, 120, 210), (220, 170, 60)]
    for k, colour in enumerate(colours):
        x = 3 * s + (k % 2) * 13.5 * s
        y = 5 * s + (k // 2) * 9.5 * s
        c.rect(x, y, x + 12.5 * s, y + 8.5 * s, colour)
    rgb = c.downsample()
    a = [p[0] for p in alpha.downsample()]
    W, H = saved
    return rgb, a


def png_image(size, rgb, a):
    """The picture as a PNG (8-bit RGBA), as an icon holds its 256-pixel one."""
    raw = bytearray()
    for y in range(size):
        raw.append(0)  # no filter
        for x in range(size):
            r, g, b = rgb[y * size + x]
            raw += bytes((r, g, b, a[y * size + x]))

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) +
            chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))


def write_ico(path, sizes):
    """The icon file: a 32-bit DIB with its mask for each size up to 48, a PNG
    for 256 (Windows Vista and later read it; a DIB would be 270 kB)."""
    images = []
    for size in sizes:
        rgb, a = icon_image(size)
        if size >= 256:
            images.append((size, png_image(size, rgb, a)))
            continue
        xor = bytearray()
        for y in range(size - 1, -1, -1):
            for x in range(size):
                r, g, b = rgb[y * size + x]
                xor += bytes((b, g, r, a[y * size + x]))
        and_row = ((size + 31) // 32) * 4
        mask = bytearray()
        for y in range(size - 1, -1, -1):
            row = bytearray(and_row)
            for x in range(size):
                if a[y * size + x] < 128:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0,
                             len(xor) + len(mask), 0, 0, 0, 0)
        images.append((size, header + xor + mask))
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(path, 'wb') as f:
        f.write(out)


def write_strip(path, width, height):
    global OUTPUT
    OUTPUT = (width, height)
    strip = [MASK] * (width * COUNT * height)
    for i, draw in enumerate(DRAWINGS):
        pixels = draw().downsample()
        for y in range(height):
            for x in range(width):
                strip[y * width * COUNT + i * width + x] = pixels[y * width + x]
    OUTPUT = (W, H)
    write_bmp(path, width * COUNT, height, strip)


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    assert len(DRAWINGS) == COUNT
    for name, width, height in STRIPS:
        write_strip(os.path.join(out_dir, name), width, height)
    # 16, 24, 32 and 48 for the title bar, the taskbar and Explorer at 100 to
    # 200 %, 256 for Explorer's large views. The first three were the icon's
    # only sizes once and come first, as they were.
    write_ico(os.path.join(out_dir, 'korvex7.ico'), [32, 16, 48, 24, 256])


if __name__ == '__main__':
    main()

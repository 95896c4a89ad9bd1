"""Miniature wallpapers, the product's subject, drawn as small scenes for the
cards and screens of the animations. `phase` (0..1) moves what moves in them;
a scene at phase 1 equals the scene at phase 0, so loops close."""

import math
import random

from PIL import ImageChops, ImageDraw, ImageFilter

from look import CYAN, PINK, VIOLET, WHITE, rgba
from paint import (ellipse_mask, glow, gradient, new, over, shape_mask, solid)

SCENES = ("sunset", "ocean", "night", "aurora", "city", "bubbles")


def wave_mask(w, h, base, amp, periods, phase, ss=4):
    """The area below a sine line across the scene."""
    def draw(d, s):
        pts = []
        steps = max(16, w // 2)
        for i in range(steps + 1):
            x = w * i / steps
            y = base + amp * math.sin(2 * math.pi * (periods * i / steps + phase))
            pts.append((x * s, y * s))
        pts += [(w * s, h * s), (0, h * s)]
        d.polygon(pts, fill=255)
    return shape_mask(w, h, draw, ss)


def sunset(w, h, phase):
    out = gradient(w, h, [(0.0, rgba((255, 140, 120))), (0.45, rgba(PINK)), (1.0, rgba((90, 50, 170)))], 90)
    sun_y = h * 0.50 + math.sin(2 * math.pi * phase) * h * 0.02
    out = over(out, glow(w, h, w * 0.62, sun_y, w * 0.16, w * 0.16, rgba((255, 230, 170), 150), w * 0.06))
    out = over(out, solid(w, h, rgba((255, 238, 200)), ellipse_mask(
        w, h, (w * 0.62 - w * 0.1, sun_y - w * 0.1, w * 0.62 + w * 0.1, sun_y + w * 0.1))))

    def ridge(d, s, peaks, top):
        pts = [(0, h * s)]
        for i, p in enumerate(peaks):
            pts.append((w * s * i / (len(peaks) - 1), (top + p * h) * s))
        pts.append((w * s, h * s))
        d.polygon(pts, fill=255)
    far = shape_mask(w, h, lambda d, s: ridge(d, s, [0.10, 0.02, 0.12, -0.02, 0.08, 0.0], h * 0.55))
    near = shape_mask(w, h, lambda d, s: ridge(d, s, [0.06, 0.14, 0.04, 0.16, 0.08], h * 0.68))
    out = over(out, solid(w, h, rgba((120, 50, 140)), far), solid(w, h, rgba((52, 26, 92)), near))
    return out


def ocean(w, h, phase):
    out = gradient(w, h, [(0.0, rgba((120, 220, 255))), (0.5, rgba((60, 140, 255))), (1.0, rgba((30, 50, 140)))],
                   90)
    out = over(out, glow(w, h, w * 0.25, h * 0.22, w * 0.12, w * 0.12, rgba(WHITE, 200), w * 0.04))
    for i, (base, amp, alpha) in enumerate(((0.50, 0.05, 120), (0.62, 0.06, 170), (0.76, 0.05, 230))):
        mask = wave_mask(w, h, h * base, h * amp, 1.5 + i * 0.5, phase * (1 if i % 2 == 0 else -1) + i * 0.3)
        tone = [(40, 170, 255), (30, 110, 220), (22, 60, 160)][i]
        out = over(out, solid(w, h, rgba(tone, alpha), mask))
    return out


def night(w, h, phase):
    out = gradient(w, h, [(0.0, rgba((14, 16, 48))), (1.0, rgba((60, 40, 120)))], 90)
    rng = random.Random(7 + w * 31 + h)
    layer = new(w, h)
    d = ImageDraw.Draw(layer)
    for i in range(max(8, w * h // 260)):
        x, y = rng.uniform(0, w), rng.uniform(0, h * 0.7)
        twinkle = 0.5 + 0.5 * math.sin(2 * math.pi * (phase * rng.choice((1, 2)) + rng.random()))
        a = round(80 + 175 * twinkle)
        r = rng.choice((0.5, 0.7, 1.0))
        d.ellipse((x - r, y - r, x + r, y + r), fill=rgba(WHITE, a))
    out = over(out, layer)
    moon = ellipse_mask(w, h, (w * 0.66, h * 0.14, w * 0.84, h * 0.14 + w * 0.18))
    bite = ellipse_mask(w, h, (w * 0.70, h * 0.10, w * 0.88, h * 0.10 + w * 0.18))
    out = over(out, glow(w, h, w * 0.75, h * 0.14 + w * 0.09, w * 0.14, w * 0.14, rgba((200, 210, 255), 90), w * 0.05))
    out = over(out, solid(w, h, rgba((250, 240, 210)), ImageChops.subtract(moon, bite)))
    hills = wave_mask(w, h, h * 0.80, h * 0.06, 1.0, 0.1)
    return over(out, solid(w, h, rgba((20, 14, 44)), hills))


def aurora(w, h, phase):
    out = gradient(w, h, [(0.0, rgba((6, 12, 34))), (1.0, rgba((18, 30, 70)))], 90)
    band = new(w, h)
    d = ImageDraw.Draw(band)
    for i, (colour, y0) in enumerate((((80, 255, 190), 0.35), (CYAN, 0.48), (VIOLET, 0.42))):
        pts = []
        for k in range(41):
            x = w * k / 40
            y = h * y0 + h * 0.10 * math.sin(2 * math.pi * (k / 40 * (1 + i * 0.5) + phase + i * 0.33))
            pts.append((x, y))
        d.line(pts, fill=rgba(colour, 150), width=max(2, round(h * 0.10)))
    band = band.filter(ImageFilter.GaussianBlur(max(1, h * 0.06)))
    out = over(out, band)
    return over(out, solid(w, h, rgba((8, 14, 30)), wave_mask(w, h, h * 0.84, h * 0.03, 2.0, 0.0)))


def city(w, h, phase):
    out = gradient(w, h, [(0.0, rgba((70, 40, 140))), (0.6, rgba(PINK)), (1.0, rgba((255, 170, 120)))], 90)
    rng = random.Random(11 + w)
    sky = new(w, h)
    d = ImageDraw.Draw(sky)
    x = 0.0
    while x < w:
        bw = rng.uniform(w * 0.06, w * 0.13)
        bh = rng.uniform(h * 0.25, h * 0.62)
        d.rectangle((x, h - bh, x + bw - 1, h), fill=rgba((30, 18, 60)))
        for wy in range(int(h - bh + 3), int(h) - 2, 4):
            for wx in range(int(x + 2), int(x + bw - 2), 3):
                lit = math.sin(2 * math.pi * (phase + rng.random())) > 0.2
                if lit:
                    d.point((wx, wy), fill=rgba((255, 220, 140), 220))
        x += bw + rng.uniform(0, w * 0.02)
    return over(out, sky)


def bubbles(w, h, phase):
    out = gradient(w, h, [(0.0, rgba(VIOLET)), (1.0, rgba((40, 30, 110)))], 120)
    rng = random.Random(5 + h)
    for i in range(9):
        r = rng.uniform(h * 0.08, h * 0.22)
        cx = rng.uniform(0, w)
        cy = (rng.uniform(0, h) - phase * h * rng.choice((1, 2))) % (h + 2 * r) - r
        colour = rng.choice((CYAN, PINK, WHITE))
        out = over(out, solid(w, h, rgba(colour, 70), ellipse_mask(w, h, (cx - r, cy - r, cx + r, cy + r))))
    return out


def scene(kind, w, h, phase=0.0):
    return {"sunset": sunset, "ocean": ocean, "night": night, "aurora": aurora, "city": city,
            "bubbles": bubbles}[kind](w, h, phase)

"""The installer's look, shared by every image: the palette, the dark glass of its
windows and panels, the accent pill of its buttons and the product's mark."""

import math

from PIL import ImageChops, ImageFilter

from paint import (clip, ellipse_mask, glow, gradient, new, over, round_rect_mask, shadow, shape_mask,
                   solid, stroke_mask)

CYAN = (64, 208, 255)
BLUE = (77, 130, 255)
VIOLET = (132, 94, 255)
PINK = (255, 98, 176)
WHITE = (255, 255, 255)
INK = (10, 12, 28)

GLASS_TOP = (34, 33, 72)
GLASS_MID = (20, 22, 50)
GLASS_BOTTOM = (11, 13, 31)
GLASS_ALPHA = 236      # the desktop shows faintly through the window

WINDOW_RADIUS = 10


def rgba(rgb, alpha=255):
    return tuple(rgb) + (alpha,)


def accent_stops(alpha=255, lift=0):
    """Cyan through blue to violet; `lift` brightens (positive) or darkens."""
    def tone(c):
        if lift >= 0:
            return tuple(round(v + (255 - v) * lift) for v in c)
        return tuple(round(v * (1 + lift)) for v in c)
    return [(0.0, rgba(tone(CYAN), alpha)), (0.5, rgba(tone(BLUE), alpha)), (1.0, rgba(tone(VIOLET), alpha))]


def glass(w, h, radius, seed, corners=None, tint=1.0):
    """A dark glass pane of w x h: a deep vertical gradient, two coloured glows
    inside, a faint sheen at the top and a light hairline at the edge. `corners`
    limits the rounding to some corners (a mask from `corner_mask`)."""
    mask = corners if corners is not None else round_rect_mask(w, h, (0, 0, w, h), radius)
    body = gradient(w, h, [(0.0, rgba(GLASS_TOP, GLASS_ALPHA)), (0.45, rgba(GLASS_MID, GLASS_ALPHA)),
                           (1.0, rgba(GLASS_BOTTOM, 246))], 90, dither=seed)
    blobs = [
        glow(w, h, w * 0.12, h * 0.08, w * 0.55, h * 0.28, rgba(VIOLET, round(70 * tint)), w * 0.22),
        glow(w, h, w * 0.95, h * 0.62, w * 0.45, h * 0.30, rgba(CYAN, round(34 * tint)), w * 0.22),
        glow(w, h, w * 0.30, h * 1.02, w * 0.60, h * 0.20, rgba(PINK, round(22 * tint)), w * 0.20),
    ]
    body = over(body, *blobs)
    sheen = gradient(w, h, [(0.0, rgba(WHITE, 20)), (0.18, rgba(WHITE, 0)), (1.0, rgba(WHITE, 0))], 90)
    body = over(body, sheen)
    body = clip(body, mask)
    return over(body, hairline(mask, 28))


def hairline(mask, alpha, width=1):
    """A light line along the inside of the mask's edge, brighter at the top."""
    w, h = mask.size
    inner = mask.filter(ImageFilter.MinFilter(width * 2 + 1))
    edge = ImageChops.subtract(mask, inner)
    fade = gradient(w, h, [(0.0, rgba(WHITE, alpha)), (0.5, rgba(WHITE, alpha // 2)),
                           (1.0, rgba(WHITE, alpha // 3))], 90)
    return clip(fade, edge)


def corner_mask(w, h, radius, top=True, bottom=True):
    """A rectangle rounded only at the top or bottom corners."""
    def draw(d, s):
        d.rounded_rectangle((0, 0, w * s - 1, h * s - 1), radius * s, fill=255)
        if not top:
            d.rectangle((0, 0, w * s - 1, h * s // 2), fill=255)
        if not bottom:
            d.rectangle((0, h * s // 2, w * s - 1, h * s - 1), fill=255)
    return shape_mask(w, h, draw)


def pill(w, h, box, stops, radius=None, angle=0, glow_alpha=0, lift_top=40, press=0):
    """A raised pill inside `box` of a w x h image: the gradient, a light upper
    half, a hairline and, when `glow_alpha`, a soft coloured shadow below."""
    x0, y0, x1, y1 = box
    r = (y1 - y0) / 2 if radius is None else radius
    mask = round_rect_mask(w, h, box, r)
    layers = []
    if glow_alpha:
        layers.append(shadow(mask, (0, 3 - press), 4, glow_alpha / 255, colour=tuple(stops[-1][1][:3])))
    body = gradient(w, h, stops, angle, mask=mask)
    shine = gradient(w, h, [(0.0, rgba(WHITE, lift_top)), (0.5, rgba(WHITE, lift_top // 4)), (1.0, rgba(WHITE, 0))],
                     90)
    shine = clip(shine, round_rect_mask(w, h, (x0, y0, x1, y0 + (y1 - y0) * 0.55), r))
    out = over(new(w, h), *layers, body, shine)
    return over(out, hairline(mask, 70))


def mark(size):
    """The product's mark at `size` pixels: a rounded square in the accent colours
    holding a sun over two waves, the moving picture on a desktop. Below 24 pixels
    it keeps only the square and one bold wave."""
    s = size
    r = s * 0.24
    inset = max(0.0, s * 0.02)
    mask = round_rect_mask(s, s, (inset, inset, s - inset, s - inset), r)
    body = gradient(s, s, [(0.0, rgba(CYAN)), (0.48, rgba(BLUE)), (0.78, rgba(VIOLET)), (1.0, rgba(PINK))], 55,
                    mask=mask)
    top_light = clip(gradient(s, s, [(0.0, rgba(WHITE, 60)), (0.55, rgba(WHITE, 0)), (1.0, rgba(WHITE, 0))], 90),
                     mask)
    out = over(new(s, s), body, top_light)
    small = s < 24
    wave_w = s * (0.13 if small else 0.085)

    def wave(y, amp, phase_shift):
        pts = []
        n = 48
        x_from, x_to = s * 0.20, s * 0.80
        for i in range(n + 1):
            t = i / n
            x = x_from + (x_to - x_from) * t
            pts.append((x, y + amp * math.sin(math.pi * 2 * t + phase_shift)))
        return pts

    white = rgba(WHITE)
    if small:
        out = over(out, solid(s, s, white, stroke_mask(s, s, wave(s * 0.58, s * 0.10, 0.6), wave_w)))
        return out
    sun = ellipse_mask(s, s, (s * 0.22, s * 0.20, s * 0.42, s * 0.40))
    out = over(out, glow(s, s, s * 0.32, s * 0.30, s * 0.14, s * 0.14, rgba(WHITE, 90), s * 0.06))
    out = over(out, solid(s, s, rgba(WHITE, 240), sun))
    out = over(out, solid(s, s, white, stroke_mask(s, s, wave(s * 0.58, s * 0.075, 0.6), wave_w)))
    out = over(out, solid(s, s, rgba(WHITE, 150), stroke_mask(s, s, wave(s * 0.74, s * 0.06, 1.4), wave_w)))
    return out

"""The window-sized images: the backgrounds of the main window, its pages and the
message box, and the animation strips of 340 x 420 frames (splash, four install
slides, completion). Every strip loops: its last frame leads back into its first.
Frames are built from layers drawn once and only placed, rotated or faded per
frame, which keeps the 115-frame splash to a second or so."""

import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter

from look import (BLUE, CYAN, PINK, VIOLET, WHITE, WINDOW_RADIUS, accent_stops, corner_mask, glass, hairline,
                  mark, rgba)
from paint import (clip, double, ellipse_mask, fade, glow, gradient, new, over, over_at, ring_mask,
                   round_rect_mask, shadow, shape_mask, solid, strip, stroke_mask, text_layer)
from wallpapers import scene

W, H = 340, 420
TAU = 2 * math.pi


# --- backgrounds -----------------------------------------------------------------

def main_back():
    """The window: dark glass with rounded corners, drawn at the window's size and
    doubled, as the skin stretches it down to 340 x 420."""
    return double(glass(W, H, WINDOW_RADIUS, seed=1))


def float_edge(x, w=W):
    """The top edge of the lower panel: a low arch, highest in the middle."""
    return 16 - 12 * math.sin(math.pi * x / w)


def lower_panel_mask(w, h):
    def draw(d, s):
        pts = [(x * s, float_edge(x, w) * s) for x in range(0, w + 1, 4)]
        r = WINDOW_RADIUS * s
        pts += [(w * s, h * s - r)]
        d.polygon(pts + [(0, h * s - r)], fill=255)
        d.rounded_rectangle((0, h * s - 2 * r, w * s - 1, h * s - 1), r, fill=255)
    return shape_mask(w, h, draw)


def float_back():
    """340 x 200 over the lower part of the window: a lighter sheet of glass under
    the page's texts, whose arched top lets the animation above show."""
    w, h = W, 200
    mask = lower_panel_mask(w, h)
    body = gradient(w, h, [(0.0, rgba((46, 44, 96), 215)), (0.3, rgba((26, 27, 62), 236)),
                           (1.0, rgba((12, 14, 32), 248))], 90, dither=2)
    body = over(body, glow(w, h, w * 0.5, 10, w * 0.5, 22, rgba(VIOLET, 60), 18))
    body = clip(body, mask)
    top_line = new(w, h)
    d = ImageDraw.Draw(top_line)
    for x in range(w):
        a = round(120 * math.sin(math.pi * x / w) ** 2)
        y = float_edge(x + 0.5)
        d.point((x, int(y)), fill=rgba(WHITE, round(a * (1 - (y - int(y))))))
        d.point((x, int(y) + 1), fill=rgba(WHITE, round(a * (y - int(y)))))
    under = shadow(mask, (0, -3), 5, 0.35)
    under = clip(under, ImageChops.invert(mask))
    return over(under, body, top_line)


def custom_back():
    """340 x 100: the drawer of the install options, lifted over the window."""
    w, h = W, 100
    mask = shape_mask(w, h, lambda d, s: (
        d.rounded_rectangle((0, 5 * s, w * s - 1, h * s - 1), 14 * s, fill=255),
        d.rectangle((0, (h - 30) * s, w * s - 1, (h - WINDOW_RADIUS) * s), fill=255)))
    bottom = corner_mask(w, h, WINDOW_RADIUS, top=False)
    mask = ImageChops.multiply(mask, bottom)
    body = gradient(w, h, [(0.0, rgba((52, 50, 108), 250)), (1.0, rgba((16, 18, 42), 252))], 90, dither=3)
    body = over(body, glow(w, h, w * 0.5, 0, w * 0.35, 20, rgba(CYAN, 40), 16))
    body = clip(body, mask)
    lift = clip(shadow(mask, (0, -2), 4, 0.45), ImageChops.invert(mask))
    return over(lift, body, hairline(mask, 60))


def finished_back():
    """340 x 200 over the lower panel of the last page: the words "安装完成" with a
    soft light behind them and fine lines at their sides."""
    w, h = W, 200
    out = glow(w, h, 170, 38, 70, 14, rgba(CYAN, 50), 14)
    out = over(out, text_layer(w, h, "安装完成", 20, rgba(WHITE), (170, 38)))
    left = gradient(60, 1, [(0.0, rgba(CYAN, 0)), (1.0, rgba(CYAN, 170))], 0)
    right = gradient(60, 1, [(0.0, rgba(VIOLET, 170)), (1.0, rgba(VIOLET, 0))], 0)
    out.alpha_composite(left, (46, 38))
    out.alpha_composite(right, (234, 38))
    return out


def messagebox_back():
    """320 x 150 in three equal states: the glass of the window, the buttons' strip
    set off below a faint line."""
    w, h = 320, 150
    pane = glass(w, h, WINDOW_RADIUS, seed=4, tint=0.8)
    line = gradient(w - 40, 1, [(0.0, rgba(WHITE, 0)), (0.5, rgba(WHITE, 40)), (1.0, rgba(WHITE, 0))], 0)
    pane.alpha_composite(line, (20, 86))
    return strip([pane, pane, pane])


# --- shared animation parts ---------------------------------------------------------

def soft_dot(radius, colour, blur_ratio=0.6):
    size = int(radius * 4) + 2
    c = size / 2
    layer = glow(size, size, c, c, radius * 0.55, radius * 0.55, colour, radius * blur_ratio)
    core = ellipse_mask(size, size, (c - radius * 0.35, c - radius * 0.35, c + radius * 0.35, c + radius * 0.35))
    return over(layer, solid(size, size, rgba(WHITE, colour[3]), core))


def sparkle(size, colour):
    """A four-pointed glint."""
    s = size
    c = s / 2
    shape = shape_mask(s, s, lambda d, k: d.polygon(
        [(c * k, 0), (c * 1.14 * k, c * 0.86 * k), (s * k, c * k), (c * 1.14 * k, c * 1.14 * k), (c * k, s * k),
         (c * 0.86 * k, c * 1.14 * k), (0, c * k), (c * 0.86 * k, c * 0.86 * k)], fill=255))
    return over(glow(s, s, c, c, s * 0.18, s * 0.18, colour[:3] + (colour[3] // 2,), s * 0.12),
                solid(s, s, colour, shape))


def place_centred(base, sprite, cx, cy, alpha=1.0):
    sprite = fade(sprite, alpha)
    return over_at(base, sprite, (round(cx - sprite.width / 2), round(cy - sprite.height / 2)))


def stars(rng, count, area):
    x0, y0, x1, y1 = area
    return [(rng.uniform(x0, x1), rng.uniform(y0, y1), rng.choice((1.2, 1.6, 2.2, 3.0)), rng.choice((1, 2, 3)),
             rng.random()) for _ in range(count)]


def draw_stars(frame, field, t, sprites):
    for x, y, r, speed, ph in field:
        tw = 0.5 + 0.5 * math.sin(TAU * (t * speed + ph))
        place_centred(frame, sprites[r], x, y, 0.25 + 0.75 * tw)
    return frame


def star_sprites():
    return {r: soft_dot(r, rgba(WHITE, 230)) for r in (1.2, 1.6, 2.2)} | {3.0: sparkle(9, rgba(WHITE, 235))}


def ribbon_texture(width, period, base, amp, thickness, colour, alpha, blur, waves=1):
    """A band of light that repeats every `period` pixels across."""
    layer = new(width, H)
    d = ImageDraw.Draw(layer)
    pts = [(x, base + amp * math.sin(TAU * waves * x / period)) for x in range(0, width + 1, 4)]
    d.line(pts, fill=rgba(colour, alpha), width=thickness, joint="curve")
    return layer.filter(ImageFilter.GaussianBlur(blur))


def arc_sprite(size, radius, width, sweep, stops):
    """A comet arc: `sweep` degrees of ring fading in from its tail to a bright head
    at angle 0 (pointing right), as a square sprite centred on the ring's centre."""
    c = size / 2
    ring = ring_mask(size, size, c, c, radius, width)
    # The fade follows the angle: a conic ramp, drawn as thin wedges.
    ramp = Image.new("L", (size, size), 0)
    d = ImageDraw.Draw(ramp)
    steps = 90
    for i in range(steps):
        a0 = -sweep + sweep * i / steps
        a1 = -sweep + sweep * (i + 1) / steps + 0.8
        d.pieslice((0, 0, size - 1, size - 1), a0, a1, fill=round(255 * ((i + 1) / steps) ** 1.6))
    alpha = ImageChops.multiply(ring, ramp)
    colours = gradient(size, size, stops, 0)
    colours.putalpha(alpha)
    head = soft_dot(width * 1.6, rgba(WHITE, 255))
    return place_centred(colours, head, c + radius, c)


def rotate(sprite, degrees):
    return sprite.rotate(degrees, resample=Image.BICUBIC)


# --- the splash ----------------------------------------------------------------------

def splash(frames=115):
    """While the manifest loads: the mark in a halo, two comet rings turning around
    it in opposite directions, three motes orbiting on a tilted path, stars that
    twinkle and bands of light drifting across the lower half."""
    rng = random.Random(115)
    cx, cy = 170, 124
    field = stars(rng, 30, (18, 38, 322, 214))
    sprites = star_sprites()
    ribbons = [
        (ribbon_texture(2 * W, W, 196, 16, 26, CYAN, 70, 11), 1),
        (ribbon_texture(2 * W, W, 214, 20, 34, VIOLET, 80, 14, waves=2), -1),
        (ribbon_texture(2 * W, W, 236, 14, 22, PINK, 55, 10), 2),
    ]
    halo = over(glow(200, 200, 100, 100, 56, 56, rgba(VIOLET, 150), 26),
                glow(200, 200, 100, 100, 36, 36, rgba(CYAN, 110), 16))
    track = solid(160, 160, rgba(WHITE, 34), ring_mask(160, 160, 80, 80, 56, 1.2))
    outer = arc_sprite(160, 56, 3.6, 220, [(0.0, rgba(CYAN)), (1.0, rgba((170, 140, 255)))])
    inner = arc_sprite(160, 44, 2.4, 160, [(0.0, rgba(PINK)), (1.0, rgba((200, 150, 255)))])
    logo = over(shadow(mark(64).getchannel("A"), (0, 3), 5, 0.5), mark(64))
    motes = [soft_dot(3.2, rgba(CYAN, 255)), soft_dot(2.6, rgba(PINK, 255)), soft_dot(2.2, rgba(WHITE, 255))]
    out = []
    for f in range(frames):
        t = f / frames
        frame = new(W, H)
        for texture, speed in ribbons:
            shift = round((t * speed * W) % W)
            frame.alpha_composite(texture.crop((shift, 0, shift + W, H)))
        draw_stars(frame, field, t, sprites)
        place_centred(frame, halo, cx, cy, 0.75 + 0.25 * math.sin(TAU * 5 * t))
        place_centred(frame, track, cx, cy)
        place_centred(frame, rotate(outer, -720 * t), cx, cy)
        place_centred(frame, rotate(inner, 360 * t + 180), cx, cy)
        orbit = []
        for i, mote in enumerate(motes):
            a = TAU * (3 * t + i / 3)
            x, y = 78 * math.cos(a), 22 * math.sin(a)
            tilt = math.radians(-14)
            orbit.append((y, cx + x * math.cos(tilt) - y * math.sin(tilt), cy + x * math.sin(tilt) + y * math.cos(tilt),
                          mote))
        for depth, x, y, mote in orbit:
            if depth < 0:
                place_centred(frame, mote, x, y, 0.55)
        place_centred(frame, logo, cx, cy + 2)
        for depth, x, y, mote in orbit:
            if depth >= 0:
                place_centred(frame, mote, x, y)
        out.append(frame)
    # Stacked, so that the skin can decode it a frame at a time from the top while
    # it plays, instead of the whole strip before the first frame.
    return strip(out, vertical=True)


# --- the completion ----------------------------------------------------------------

def completion(frames=67):
    """The last page: a glowing disc with a tick, ripples leaving it, a glint
    sweeping over it, and confetti rising and turning around it."""
    rng = random.Random(67)
    cx, cy = 170, 124
    disc_size = 100
    dc = disc_size / 2
    disc_mask = ellipse_mask(disc_size, disc_size, (dc - 40, dc - 40, dc + 40, dc + 40))
    disc = gradient(disc_size, disc_size, accent_stops(), 45, mask=disc_mask)
    disc = over(disc, clip(gradient(disc_size, disc_size, [(0.0, rgba(WHITE, 70)), (0.5, rgba(WHITE, 0)),
                                                           (1.0, rgba(WHITE, 0))], 90), disc_mask))
    tick = stroke_mask(disc_size, disc_size, [(dc - 17, dc + 1), (dc - 5, dc + 13), (dc + 18, dc - 12)], 7)
    disc = over(disc, shadow(tick, (0, 2), 2, 0.25), solid(disc_size, disc_size, rgba(WHITE), tick))
    band = gradient(3 * disc_size, disc_size, [(0.0, rgba(WHITE, 0)), (0.45, rgba(WHITE, 0)), (0.5, rgba(WHITE, 90)),
                                               (0.55, rgba(WHITE, 0)), (1.0, rgba(WHITE, 0))], 20)
    halo = over(glow(220, 220, 110, 110, 64, 64, rgba(VIOLET, 140), 30),
                glow(220, 220, 110, 110, 46, 46, rgba(CYAN, 120), 18))
    confetti = []
    palette = (CYAN, PINK, VIOLET, (255, 214, 102), WHITE, BLUE)
    for i in range(22):
        side = -1 if i % 2 == 0 else 1
        x = cx + side * rng.uniform(58, 150)
        shape = new(12, 12)
        colour = rgba(palette[i % len(palette)], 235)
        if i % 3 == 0:
            shape = solid(12, 12, colour, ellipse_mask(12, 12, (3.5, 3.5, 8.5, 8.5)))
        else:
            shape = solid(12, 12, colour, round_rect_mask(12, 12, (2, 4.5, 10, 7.5), 1.2))
        confetti.append((x, rng.uniform(0, 1), rng.choice((1, 2)), rng.choice((-1, 1)) * rng.choice((1, 2)), shape,
                         rng.uniform(0, 360)))
    sparkles = [(cx + dx, cy + dy, ph) for dx, dy, ph in ((-62, -40, 0.0), (66, -30, 0.35), (-48, 44, 0.6),
                                                          (58, 46, 0.8))]
    glint = sparkle(13, rgba(WHITE, 255))
    out = []
    for f in range(frames):
        t = f / frames
        frame = new(W, H)
        place_centred(frame, halo, cx, cy, 0.8 + 0.2 * math.sin(TAU * 3 * t))
        for k in range(3):
            p = (t + k / 3) % 1
            r = 42 + 64 * p
            size = int(2 * r + 8)
            ring = solid(size, size, rgba(CYAN if k % 2 == 0 else VIOLET, round(200 * (1 - p) ** 1.5)),
                         ring_mask(size, size, size / 2, size / 2, r, 2.0 - p))
            place_centred(frame, ring, cx, cy)
        for x, y0, speed, spin, shape, angle in confetti:
            p = (y0 + t * speed) % 1
            y = 214 - p * 170
            sway = 6 * math.sin(TAU * (p * 2 + y0))
            alpha = min(1.0, p * 5, (1 - p) * 4)
            place_centred(frame, rotate(shape, angle + 360 * spin * t), x + sway, y, alpha)
        shine = band.crop((round(2 * disc_size * (1 - t)), 0, round(2 * disc_size * (1 - t)) + disc_size, disc_size))
        lit = over(disc, clip(shine, disc_mask))
        place_centred(frame, lit, cx, cy)
        for x, y, ph in sparkles:
            tw = max(0.0, math.sin(TAU * (t * 2 + ph)))
            if tw > 0.02:
                place_centred(frame, glint, x, y, tw)
        out.append(frame)
    return strip(out)


# --- the install slides ----------------------------------------------------------------

# The pictures sit between the slide's title (at the top) and the lower panel.
PICTURE_TOP, PICTURE_BOTTOM = 94, 214


def card(w, h, kind, phase=0.0, radius=8, lift=True):
    """A wallpaper card: the scene with rounded corners, a light edge and a shadow,
    as a sprite with room for the shadow around it."""
    pad = 8
    sw, sh = w + 2 * pad, h + 2 * pad
    mask = round_rect_mask(sw, sh, (pad, pad, pad + w, pad + h), radius)
    picture = new(sw, sh)
    picture.paste(scene(kind, w, h, phase), (pad, pad))
    picture = clip(picture, mask)
    layers = [shadow(mask, (0, 3), 4, 0.5)] if lift else []
    return over(new(sw, sh), *layers, picture, hairline(mask, 70))


def slide_store(frames=10):
    """Wallpaper store: a glass shelf of six wallpapers, a glint sweeping over them
    and a download badge whose arrow keeps dropping."""
    base = new(W, H)
    panel_box = (62, PICTURE_TOP + 4, 278, PICTURE_BOTTOM - 6)
    panel_mask = round_rect_mask(W, H, panel_box, 12)
    base = over(base, shadow(panel_mask, (0, 4), 8, 0.5), solid(W, H, rgba((255, 255, 255), 20), panel_mask),
                hairline(panel_mask, 50))
    kinds = ("sunset", "ocean", "night", "aurora", "city", "bubbles")
    tiles = []
    for i, kind in enumerate(kinds):
        col, row = i % 3, i // 3
        x, y = 74 + col * 66, PICTURE_TOP + 16 + row * 48
        tiles.append((x, y, card(58, 40, kind, radius=6)))
    for x, y, tile in tiles:
        over_at(base, tile, (x - 8, y - 8))
    shelf_mask = Image.new("L", (W, H), 0)
    for x, y, _ in tiles:
        shelf_mask.paste(round_rect_mask(58, 40, (0, 0, 58, 40), 6), (x, y))
    sweep = gradient(3 * W, H, [(0.0, rgba(WHITE, 0)), (0.46, rgba(WHITE, 0)), (0.5, rgba(WHITE, 80)),
                                (0.54, rgba(WHITE, 0)), (1.0, rgba(WHITE, 0))], 15)
    badge_c = (270, PICTURE_BOTTOM - 14)
    badge = over(shadow(ellipse_mask(44, 44, (6, 6, 38, 38)), (0, 2), 3, 0.5),
                 gradient(44, 44, accent_stops(), 45, mask=ellipse_mask(44, 44, (6, 6, 38, 38))))
    badge_clip = ellipse_mask(44, 44, (8, 8, 36, 36))
    out = []
    for f in range(frames):
        t = f / frames
        frame = base.copy()
        x = round(2 * W * (1 - t))
        frame = over(frame, clip(sweep.crop((x, 0, x + W, H)), shelf_mask))
        dy = -7 + 14 * t   # the arrow drops through the badge and fades at both ends
        shape = ImageChops.lighter(stroke_mask(44, 44, [(22, 14 + dy), (22, 28 + dy)], 2.6),
                                   stroke_mask(44, 44, [(16, 22 + dy), (22, 28 + dy), (28, 22 + dy)], 2.6))
        arrow = solid(44, 44, rgba(WHITE, round(255 * min(1.0, 0.25 + t * 4, (1 - t) * 4))), shape)
        arrow = clip(arrow, badge_clip)
        place_centred(frame, over(badge, arrow), *badge_c)
        out.append(frame)
    return strip(out)


def slide_cloud(frames=8):
    """Downloads: a cloud pouring wallpapers down into a glowing tray."""
    base = new(W, H)
    cx = 170
    cloud_mask = shape_mask(W, H, lambda d, s: (
        d.ellipse(((cx - 52) * s, (PICTURE_TOP + 18) * s, (cx - 8) * s, (PICTURE_TOP + 50) * s), fill=255),
        d.ellipse(((cx - 26) * s, (PICTURE_TOP + 2) * s, (cx + 26) * s, (PICTURE_TOP + 48) * s), fill=255),
        d.ellipse(((cx + 6) * s, (PICTURE_TOP + 14) * s, (cx + 52) * s, (PICTURE_TOP + 50) * s), fill=255),
        d.rounded_rectangle(((cx - 40) * s, (PICTURE_TOP + 30) * s, (cx + 40) * s, (PICTURE_TOP + 50) * s),
                            10 * s, fill=255)))
    cloud = over(shadow(cloud_mask, (0, 3), 6, 0.45),
                 gradient(W, H, [(0.0, rgba(WHITE)), (0.5, rgba((200, 220, 255))), (1.0, rgba((170, 190, 255)))], 90,
                          mask=cloud_mask))
    tray_box = (cx - 70, PICTURE_BOTTOM - 18, cx + 70, PICTURE_BOTTOM - 8)
    tray_mask = round_rect_mask(W, H, tray_box, 5)
    tray = over(glow(W, H, cx, PICTURE_BOTTOM - 16, 80, 10, rgba(CYAN, 120), 10),
                gradient(W, H, accent_stops(), 0, mask=tray_mask))
    base = over(base, tray)
    kinds = ("sunset", "ocean", "aurora", "night", "city", "bubbles")
    cards = [card(26, 18, kind, radius=3, lift=False) for kind in kinds]
    lanes = (cx - 34, cx, cx + 34)
    top, bottom = PICTURE_TOP + 40, PICTURE_BOTTOM - 16
    out = []
    for f in range(frames):
        t = f / frames
        frame = base.copy()
        for lane, x in enumerate(lanes):
            for k in range(2):
                p = ((k + t + lane / 3) % 2) / 2
                y = top + p * (bottom - top)
                alpha = min(1.0, p * 6, (1 - p) * 5)
                place_centred(frame, cards[(lane * 2 + k) % len(cards)], x, y, alpha)
        frame = over(frame, cloud)
        out.append(frame)
    return strip(out)


def slide_screen(frames=10):
    """Live wallpapers: a monitor whose wallpaper moves, and a pointer whose touch
    sends a ripple over it."""
    base = new(W, H)
    sx0, sy0, sw, sh = 90, PICTURE_TOP, 160, 96
    bezel = round_rect_mask(W, H, (sx0 - 5, sy0 - 5, sx0 + sw + 5, sy0 + sh + 5), 9)
    stand = shape_mask(W, H, lambda d, s: (
        d.polygon([((170 - 10) * s, (sy0 + sh + 5) * s), ((170 + 10) * s, (sy0 + sh + 5) * s),
                   ((170 + 14) * s, (sy0 + sh + 15) * s), ((170 - 14) * s, (sy0 + sh + 15) * s)], fill=255),
        d.rounded_rectangle(((170 - 34) * s, (sy0 + sh + 14) * s, (170 + 34) * s, (sy0 + sh + 18) * s), 2 * s,
                            fill=255)))
    base = over(base, shadow(bezel, (0, 4), 7, 0.5), solid(W, H, rgba((24, 26, 52), 250), bezel),
                hairline(bezel, 80), solid(W, H, rgba((150, 160, 210), 200), stand))
    screen_mask = round_rect_mask(sw, sh, (0, 0, sw, sh), 4)
    pointer = shape_mask(24, 24, lambda d, s: d.polygon(
        [(2 * s, 1 * s), (2 * s, 18 * s), (6.5 * s, 14 * s), (9.5 * s, 21 * s), (12.5 * s, 19.8 * s),
         (9.6 * s, 13 * s), (15 * s, 13 * s)], fill=255))
    pointer_edge = pointer.filter(ImageFilter.MaxFilter(3))
    pointer_sprite = over(solid(24, 24, rgba((20, 20, 40), 230), pointer_edge), solid(24, 24, rgba(WHITE), pointer))
    touch = (sx0 + 112, sy0 + 62)
    out = []
    for f in range(frames):
        t = f / frames
        frame = base.copy()
        picture = clip(scene("ocean", sw, sh, t), screen_mask)
        for k in (0, 1):
            p = (t + k / 2) % 1
            r = 4 + 30 * p
            ring = solid(sw, sh, rgba(WHITE, round(170 * (1 - p))),
                         ring_mask(sw, sh, touch[0] - sx0, touch[1] - sy0, r, 1.6))
            picture = over(picture, clip(ring, screen_mask))
        frame.alpha_composite(picture, (sx0, sy0))
        press = 1 if t < 0.2 else 0
        over_at(frame, pointer_sprite, (touch[0] - 2, touch[1] - 1 + press))
        out.append(frame)
    return strip(out)


def slide_gallery(frames=9):
    """A wealth of wallpapers: a fan of cards and a lens gliding over them."""
    base = new(W, H)
    fan = (("night", -14, 120, 160), ("city", 14, 220, 160), ("aurora", 0, 170, 152))
    for kind, angle, x, y in fan:
        sprite = card(84, 56, kind)
        sprite = sprite.rotate(angle, resample=Image.BICUBIC, expand=True)
        place_centred(base, sprite, x, y)
    lens_size = 60
    lc = lens_size / 2
    glass_mask = ellipse_mask(lens_size, lens_size, (lc - 17, lc - 17, lc + 17, lc + 17))
    rim = ring_mask(lens_size, lens_size, lc, lc, 18, 3.2)
    handle = stroke_mask(lens_size, lens_size, [(lc + 14, lc + 14), (lc + 25, lc + 25)], 5)
    lens = over(solid(lens_size, lens_size, rgba(WHITE, 50), glass_mask),
                clip(gradient(lens_size, lens_size, [(0.0, rgba(WHITE, 120)), (0.5, rgba(WHITE, 0)),
                                                     (1.0, rgba(WHITE, 0))], 45), glass_mask),
                shadow(ImageChops.lighter(rim, handle), (0, 2), 2, 0.5),
                solid(lens_size, lens_size, rgba(WHITE), rim),
                gradient(lens_size, lens_size, accent_stops(), 45, mask=handle))
    glint = sparkle(11, rgba(WHITE, 255))
    out = []
    for f in range(frames):
        t = f / frames
        frame = base.copy()
        a = TAU * t
        x, y = 170 + 42 * math.cos(a), 150 + 16 * math.sin(a)
        place_centred(frame, lens, x + 6, y + 6)
        for k, (gx, gy) in enumerate(((96, 118), (248, 124), (210, 198))):
            tw = max(0.0, math.sin(TAU * (t + k / 3)))
            if tw > 0.02:
                place_centred(frame, glint, gx, gy, tw)
        out.append(frame)
    return strip(out)


def all_scenes():
    return {
        "png_main_bk_png": main_back(),
        "png_main_bk_float_png": float_back(),
        "png_custom_bk_png": custom_back(),
        "png_page_install_finished_bk_png": finished_back(),
        "png_messagebox_bk_png": messagebox_back(),
        "png_animate_request_png": splash(),
        "png_animate_install1_png": slide_store(),
        "png_animate_install2_png": slide_cloud(),
        "png_animate_install3_png": slide_screen(),
        "png_animate_install4_png": slide_gallery(),
        "png_animate_install_finished_png": completion(),
    }

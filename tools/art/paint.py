"""Drawing primitives over Pillow: anti-aliased shapes by supersampling, gradients,
glows and shadows, text. Every function is deterministic; the only noise comes from
a seeded generator, so a run writes the same bytes as the last one."""

import math
import random
import struct
from functools import lru_cache

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont, ImageMath

FONT_FILE = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
SS = 4   # supersampling factor of the shapes

CLEAR = (0, 0, 0, 0)


def new(w, h, fill=CLEAR):
    return Image.new("RGBA", (w, h), fill)


@lru_cache(maxsize=None)
def font(size):
    return ImageFont.truetype(FONT_FILE, size)


# --- masks ---------------------------------------------------------------------

def shape_mask(w, h, draw_fn, ss=SS):
    """An anti-aliased L mask of `draw_fn(draw, s)`, which draws in white on a canvas
    `s` times the size (coordinates scaled by the caller with s)."""
    big = Image.new("L", (w * ss, h * ss), 0)
    draw_fn(ImageDraw.Draw(big), ss)
    return big.reduce(ss)


def round_rect_mask(w, h, box, radius, ss=SS):
    x0, y0, x1, y1 = box
    return shape_mask(w, h, lambda d, s: d.rounded_rectangle(
        (x0 * s, y0 * s, x1 * s - 1, y1 * s - 1), radius * s, fill=255), ss)


def ellipse_mask(w, h, box, ss=SS):
    x0, y0, x1, y1 = box
    return shape_mask(w, h, lambda d, s: d.ellipse((x0 * s, y0 * s, x1 * s - 1, y1 * s - 1), fill=255), ss)


def ring_mask(w, h, cx, cy, radius, width, ss=SS):
    r0, r1 = radius - width / 2, radius + width / 2

    def draw(d, s):
        d.ellipse(((cx - r1) * s, (cy - r1) * s, (cx + r1) * s, (cy + r1) * s), fill=255)
        d.ellipse(((cx - r0) * s, (cy - r0) * s, (cx + r0) * s, (cy + r0) * s), fill=0)
    return shape_mask(w, h, draw, ss)


def stroke_mask(w, h, points, width, ss=SS):
    """A polyline of the given width with round joints and caps."""
    def draw(d, s):
        pts = [(x * s, y * s) for x, y in points]
        d.line(pts, fill=255, width=max(1, round(width * s)), joint="curve")
        r = width * s / 2
        for x, y in pts:   # round caps, and joints without the seams of Pillow's own
            d.ellipse((x - r, y - r, x + r, y + r), fill=255)
    return shape_mask(w, h, draw, ss)


def scale_mask(mask, factor):
    """The mask with every value multiplied by `factor` (0..1)."""
    if factor >= 1:
        return mask
    return mask.point(lambda v: int(v * factor + 0.5))




# --- fills ---------------------------------------------------------------------

def solid(w, h, colour, mask=None):
    """`colour` (RGBA) over the mask; the mask's coverage scales the alpha."""
    layer = new(w, h, colour[:3] + (0,))
    alpha = Image.new("L", (w, h), colour[3])
    if mask is not None:
        alpha = ImageChops.multiply(alpha, mask)
    layer.putalpha(alpha)
    return layer


def _lut(stops):
    """256 entries per channel of the colours between the stops [(t, rgba)]."""
    channels = [[], [], [], []]
    for i in range(256):
        t = i / 255
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t <= t1 or (t1, c1) == stops[-1]:
                f = 0 if t1 == t0 else min(1, max(0, (t - t0) / (t1 - t0)))
                for k in range(4):
                    channels[k].append(round(c0[k] + (c1[k] - c0[k]) * f))
                break
    return channels


@lru_cache(maxsize=None)
def _ramps(w, h):
    xs = Image.frombytes("F", (w, 1), struct.pack(f"<{w}f", *[x + 0.5 for x in range(w)]))
    ys = Image.frombytes("F", (1, h), struct.pack(f"<{h}f", *[y + 0.5 for y in range(h)]))
    return xs.resize((w, h), Image.NEAREST), ys.resize((w, h), Image.NEAREST)


def gradient(w, h, stops, angle=90, mask=None, dither=None):
    """A linear gradient across the whole w x h box; `angle` 0 runs left to right,
    90 top to bottom. `stops` are (t, rgba) with t from 0 to 1. With `dither`
    (a seed) the colour channels get +-1 of fixed noise against banding."""
    rad = math.radians(angle)
    dx, dy = math.cos(rad), math.sin(rad)
    span = abs(w * dx) + abs(h * dy)
    origin = (w / 2) * dx + (h / 2) * dy - span / 2
    a, b, c = 255 * dx / span, 255 * dy / span, -255 * origin / span
    xs, ys = _ramps(w, h)
    t = ImageMath.eval("convert(min(max(x * a + y * b + c, 0), 255), 'L')", x=xs, y=ys, a=a, b=b, c=c)
    luts = _lut(stops)
    bands = [t.point(lut) for lut in luts]
    if dither is not None:
        noise = dither_noise(w, h, dither)
        bands[:3] = [ImageChops.add(band, noise, 1.0, -1) for band in bands[:3]]
    layer = Image.merge("RGBA", bands)
    if mask is not None:
        layer.putalpha(ImageChops.multiply(bands[3], mask))
    return layer


def dither_noise(w, h, seed):
    """Values 0, 1 and 2 (offset -1 when added), the same for the same seed."""
    raw = random.Random(seed).randbytes(w * h)
    table = bytes(i % 3 for i in range(256))
    return Image.frombytes("L", (w, h), raw.translate(table))


def glow(w, h, cx, cy, rx, ry, colour, blur):
    """A soft blob of `colour`: an ellipse blurred by `blur` pixels."""
    mask = Image.new("L", (w, h), 0)
    ImageDraw.Draw(mask).ellipse((cx - rx, cy - ry, cx + rx, cy + ry), fill=255)
    mask = mask.filter(ImageFilter.GaussianBlur(blur))
    return solid(w, h, colour, mask)


def shadow(mask, offset=(0, 2), blur=4, opacity=0.5, colour=(0, 0, 0)):
    """A blurred, offset copy of the mask as a dark layer of the same size."""
    w, h = mask.size
    moved = Image.new("L", (w, h), 0)
    moved.paste(mask, offset)
    moved = moved.filter(ImageFilter.GaussianBlur(blur))
    return solid(w, h, colour + (round(255 * opacity),), moved)


def over(base, *layers):
    """The layers composited over `base` in order (all the same size)."""
    for layer in layers:
        base = Image.alpha_composite(base, layer)
    return base


def over_at(base, layer, xy):
    """`layer` composited over `base` with its top-left at xy (may be off the edges)."""
    x, y = xy
    w, h = layer.size
    bx0, by0 = max(0, x), max(0, y)
    bx1, by1 = min(base.width, x + w), min(base.height, y + h)
    if bx0 >= bx1 or by0 >= by1:
        return base
    part = layer.crop((bx0 - x, by0 - y, bx1 - x, by1 - y))
    base.alpha_composite(part, (bx0, by0))
    return base


def fade(layer, factor):
    """The layer with its alpha multiplied by `factor` (0..1)."""
    if factor >= 1:
        return layer
    out = layer.copy()
    out.putalpha(scale_mask(layer.getchannel("A"), max(0.0, factor)))
    return out


def clip(layer, mask):
    """The layer limited to the mask."""
    out = layer.copy()
    out.putalpha(ImageChops.multiply(layer.getchannel("A"), mask))
    return out




# --- text ----------------------------------------------------------------------

def text_layer(w, h, text, size, colour, centre=None):
    """`text` in the given pixel size, centred on `centre` (default the middle of
    the box) by its ink, as a layer of w x h."""
    layer = new(w, h)
    f = font(size)
    cx, cy = centre if centre else (w / 2, h / 2)
    x0, y0, x1, y1 = f.getbbox(text)
    ImageDraw.Draw(layer).text((round(cx - (x0 + x1) / 2), round(cy - (y0 + y1) / 2)), text, font=f, fill=colour)
    return layer


# --- strips --------------------------------------------------------------------

def strip(frames, vertical=False):
    """The frames side by side, as the image skins read their states, or stacked
    for a skin marked "vertical"."""
    w, h = frames[0].size
    out = new(w, h * len(frames)) if vertical else new(w * len(frames), h)
    for i, frame in enumerate(frames):
        out.paste(frame, (0, i * h) if vertical else (i * w, 0))
    return out


def double(image):
    """Twice the size, each pixel a 2 x 2 block: stretched down to half size by any
    sampling, the image shows exactly as drawn."""
    return image.resize((image.width * 2, image.height * 2), Image.NEAREST)

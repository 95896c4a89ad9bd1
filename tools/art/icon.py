"""The program icon: the mark drawn afresh at each size and written as one .ico
file, the small sizes as 32-bit bitmaps with alpha, the large ones as PNG."""

import io
import struct

from look import mark

SIZES = (16, 32, 64, 128, 256, 512)
PNG_FROM = 256   # entries this large are stored as PNG, as Windows reads them


def dib_entry(image):
    """A 32-bit bottom-up DIB of the image followed by its AND mask (all zero: the
    alpha channel decides)."""
    w, h = image.size
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    data = image.tobytes("raw", "BGRA")
    for y in range(h - 1, -1, -1):
        rows.append(data[y * w * 4:(y + 1) * w * 4])
    mask_row = ((w + 31) // 32) * 4
    return header + b"".join(rows) + bytes(mask_row * h)


def png_entry(image):
    out = io.BytesIO()
    image.save(out, "PNG", optimize=False, compress_level=9)
    return out.getvalue()


def icon_file(images):
    entries = [png_entry(im) if im.width >= PNG_FROM else dib_entry(im) for im in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for image, data in zip(images, entries):
        side = image.width % 256   # 0 stands for 256 and above
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(entries)


def logo_icon():
    return icon_file([mark(size) for size in SIZES])

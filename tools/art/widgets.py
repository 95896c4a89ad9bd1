"""The installer's controls: buttons with their states side by side (normal,
hover, pushed, then disabled where there is one), check boxes, the scroll bar,
the progress bar, small icons and the panels of the module list."""

from PIL import ImageChops

from look import (CYAN, PINK, VIOLET, WHITE, accent_stops, hairline, mark, pill, rgba)
from paint import (clip, double, ellipse_mask, gradient, new, over, round_rect_mask, shape_mask, solid,
                   strip, stroke_mask, text_layer)

NORMAL, HOVER, PUSHED, DISABLED = range(4)
RED = (236, 72, 92)
WARNING = (246, 22, 89)


def accent_button(w, h, box, state, glow=True):
    """The raised accent pill in one state; disabled is a flat, colourless pill."""
    if state == DISABLED:
        mask = round_rect_mask(w, h, box, (box[3] - box[1]) / 2)
        return over(solid(w, h, rgba(WHITE, 30), mask), hairline(mask, 40))
    lift = {NORMAL: 0.0, HOVER: 0.16, PUSHED: -0.18}[state]
    glow_alpha = {NORMAL: 110, HOVER: 170, PUSHED: 50}[state] if glow else 0
    return pill(w, h, box, accent_stops(lift=lift), glow_alpha=glow_alpha, lift_top=46 if state != PUSHED else 16,
                press=1 if state == PUSHED else 0)


def ghost_button(w, h, box, state):
    """The quiet pill of a secondary choice: a light outline over faint glass."""
    fill = {NORMAL: 16, HOVER: 36, PUSHED: 8}[state]
    line = {NORMAL: 90, HOVER: 150, PUSHED: 60}[state]
    r = (box[3] - box[1]) / 2
    mask = round_rect_mask(w, h, box, r)
    inner = round_rect_mask(w, h, (box[0] + 1, box[1] + 1, box[2] - 1, box[3] - 1), r - 1)
    ring = ImageChops.subtract(mask, inner)
    return over(solid(w, h, rgba(WHITE, fill), mask), solid(w, h, rgba(WHITE, line), ring))


def caption_on(layer, text, size, colour, centre):
    w, h = layer.size
    return over(layer, text_layer(w, h, text, size, colour, centre))


def btn_basic():
    w, h = 160, 40
    return strip([accent_button(w, h, (4, 3, 156, 37), s) for s in (NORMAL, HOVER, PUSHED, DISABLED)])


def btn_ok():
    w, h = 110, 30
    box = (3, 2, 107, 27)
    frames = []
    for s in (NORMAL, HOVER, PUSHED):
        frames.append(caption_on(accent_button(w, h, box, s), "确定", 14, rgba(WHITE), (55, 14.5)))
    return strip(frames)


def msgbox_btn_ok():
    w, h = 110, 30
    box = (3, 2, 107, 27)
    frames = [caption_on(accent_button(w, h, box, s), "继续安装", 14, rgba(WHITE), (55, 14.5))
              for s in (NORMAL, HOVER, PUSHED)]
    return strip([double(f) for f in frames])


def msgbox_btn_cancel():
    w, h = 110, 30
    box = (3, 2, 107, 27)
    text = {NORMAL: 215, HOVER: 255, PUSHED: 170}
    frames = [caption_on(ghost_button(w, h, box, s), "退出", 14, rgba(WHITE, text[s]), (55, 14.5))
              for s in (NORMAL, HOVER, PUSHED)]
    return strip([double(f) for f in frames])


def caption_button(glyph):
    """30 x 30 buttons of the title bar; the close button turns red under the mouse."""
    w = h = 30
    frames = []
    for s in (NORMAL, HOVER, PUSHED):
        frame = new(w, h)
        bg = round_rect_mask(w, h, (4, 4, 26, 26), 6)
        if glyph == "close" and s != NORMAL:
            frame = over(frame, solid(w, h, rgba(RED, 235 if s == HOVER else 170), bg))
        elif s != NORMAL:
            frame = over(frame, solid(w, h, rgba(WHITE, 34 if s == HOVER else 18), bg))
        ink = rgba(WHITE, 190 if s == NORMAL else 255)
        if glyph == "min":
            shape = stroke_mask(w, h, [(10.5, 15.5), (19.5, 15.5)], 1.4)
        else:
            shape = ImageChops.lighter(stroke_mask(w, h, [(11, 11), (19, 19)], 1.4),
                                       stroke_mask(w, h, [(19, 11), (11, 19)], 1.4))
        frames.append(over(frame, solid(w, h, ink, shape)))
    return strip(frames)


def btn_file():
    """The folder picker: a small folder on a glass tile."""
    w = h = 20
    frames = []
    for s in (NORMAL, HOVER, PUSHED):
        tile = round_rect_mask(w, h, (0, 0, 20, 20), 5)
        frame = over(solid(w, h, rgba(WHITE, {NORMAL: 22, HOVER: 46, PUSHED: 12}[s]), tile),
                     hairline(tile, {NORMAL: 60, HOVER: 110, PUSHED: 40}[s]))

        def folder(d, k):
            d.rounded_rectangle((4.5 * k, 5.5 * k, 9.5 * k, 8.5 * k), 1.2 * k, fill=255)
            d.rounded_rectangle((4.5 * k, 7 * k, 15.5 * k, 14.5 * k), 1.4 * k, fill=255)
        ink = rgba(WHITE, {NORMAL: 215, HOVER: 255, PUSHED: 170}[s])
        frame = over(frame, solid(w, h, ink, shape_mask(w, h, folder)))
        tab_gap = shape_mask(w, h, lambda d, k: d.rectangle((4.5 * k, 8.2 * k, 15.5 * k, 8.9 * k), fill=255))
        frame = over(frame, solid(w, h, rgba(CYAN, {NORMAL: 120, HOVER: 200, PUSHED: 90}[s]), tab_gap))
        frames.append(frame)
    return strip(frames)


def btn_down():
    """The 13 x 13 button that folds the options panel away: a chevron in a disc."""
    w = h = 13
    frames = []
    for s in (NORMAL, HOVER, PUSHED):
        disc = ellipse_mask(w, h, (0, 0, 13, 13))
        frame = solid(w, h, rgba(WHITE, {NORMAL: 40, HOVER: 80, PUSHED: 24}[s]), disc)
        chevron = stroke_mask(w, h, [(3.9, 5.2), (6.5, 7.8), (9.1, 5.2)], 1.3)
        frames.append(over(frame, solid(w, h, rgba(WHITE, {NORMAL: 220, HOVER: 255, PUSHED: 170}[s]), chevron)))
    return strip(frames)


def link_button(w, h, caption, size, caption_centre, chevron, inks, underline=None):
    """A caption and a chevron in white that brightens under the mouse; `underline`
    (two points) is drawn in the hover state."""
    frames = []
    for s in (NORMAL, HOVER, PUSHED):
        ink = rgba(WHITE, inks[s])
        frame = over(solid(w, h, ink, stroke_mask(w, h, chevron, 1.2)),
                     text_layer(w, h, caption, size, ink, caption_centre))
        if underline and s == HOVER:
            frame = over(frame, solid(w, h, rgba(CYAN, 200), stroke_mask(w, h, underline, 0.8)))
        frames.append(frame)
    return strip(frames)


def btn_back():
    """37 x 12: back to the module page."""
    return link_button(37, 12, "返回", 11, (22, 6), [(5.5, 2.5), (2.5, 6), (5.5, 9.5)],
                       {NORMAL: 170, HOVER: 255, PUSHED: 120})


def btn_custom():
    """51 x 13: opens the install options, beside the check boxes' quiet texts."""
    return link_button(51, 13, "自定义", 12, (20, 6.5), [(42.5, 4), (45.5, 6.5), (42.5, 9)],
                       {NORMAL: 150, HOVER: 255, PUSHED: 110}, underline=[(2, 12.3), (38, 12.3)])


def check_box(size):
    """Eight states: unticked normal, hover, pushed, disabled, then the same ticked.
    Disabled boxes look like the normal ones: the module list disables the boxes
    of the modules that must be installed and shows them as plain choices."""
    w = h = size
    r = size * 0.26
    line = max(1.0, size / 15)
    frames = []
    for ticked in (False, True):
        for s in (NORMAL, HOVER, PUSHED, NORMAL):
            box = (0.5, 0.5, w - 0.5, h - 0.5)
            mask = round_rect_mask(w, h, box, r)
            if not ticked:
                inner = round_rect_mask(w, h, (box[0] + line, box[1] + line, box[2] - line, box[3] - line),
                                        max(0.5, r - line))
                ring = ImageChops.subtract(mask, inner)
                fill = {NORMAL: 18, HOVER: 34, PUSHED: 52}[s]
                edge = {NORMAL: 130, HOVER: 220, PUSHED: 170}[s]
                frame = over(solid(w, h, rgba(WHITE, fill), mask), solid(w, h, rgba(WHITE, edge), ring))
            else:
                lift = {NORMAL: 0.0, HOVER: 0.18, PUSHED: -0.18}[s]
                frame = over(gradient(w, h, accent_stops(lift=lift), 45, mask=mask), hairline(mask, 90))
                tick = stroke_mask(w, h, [(w * 0.26, h * 0.52), (w * 0.44, h * 0.70), (w * 0.75, h * 0.33)],
                                   max(1.5, size * 0.11))
                frame = over(frame, solid(w, h, rgba(WHITE), tick))
            frames.append(frame)
    return strip(frames)


def scrollbar():
    """9 x 43: three states of a 3-pixel bar side by side, the rounded thumb in the
    upper 21 rows and the faint rail in the next 21; the last row stays empty."""
    out = new(9, 43)
    for state, alpha in enumerate((90, 150, 210)):
        x = state * 3
        thumb = new(3, 21)
        body = solid(3, 21, rgba(WHITE, alpha))
        cap = shape_mask(3, 21, lambda d, k: d.rounded_rectangle((0, 0, 3 * k - 1, 21 * k - 1), 1.5 * k, fill=255),
                         8)
        thumb = clip(body, cap)
        out.paste(thumb, (x, 0))
        out.paste(solid(3, 21, rgba(WHITE, 16 + 6 * state), shape_mask(3, 21, lambda d, k: d.rounded_rectangle(
            (0, 0, 3 * k - 1, 21 * k - 1), 1.5 * k, fill=255), 8)), (x, 21))
    return out


def progress_back():
    return solid(254, 3, rgba(WHITE, 34))


def progress_fore():
    w, h = 254, 3
    bar = gradient(w, h, [(0.0, rgba(CYAN)), (0.6, rgba(VIOLET)), (1.0, rgba(PINK))], 0)
    shine = solid(w, 1, rgba(WHITE, 90))
    out = bar.copy()
    out.alpha_composite(shine, (0, 0))
    return out


def icon_warning():
    """14 x 12: a warning triangle in the colour of the warning texts."""
    w, h = 14, 12
    tri = shape_mask(w, h, lambda d, k: d.polygon([(7 * k, 0.4 * k), (13.7 * k, 11.6 * k), (0.3 * k, 11.6 * k)],
                                                    fill=255), 8)
    out = solid(w, h, rgba(WARNING), tri)
    bar = stroke_mask(w, h, [(7, 4.2), (7, 7.4)], 1.5)
    dot = ellipse_mask(w, h, (6.2, 8.8, 7.8, 10.4))
    return over(out, solid(w, h, rgba(WHITE), ImageChops.lighter(bar, dot)))


def module_card(selected):
    """The 300 x 70 card behind one module of the list. The row draws it as its
    non-client frame, the ring of its 2-pixel margin, so only that ring shows:
    the card's edge lies in it, faint for a module left out, glowing for a
    chosen one. The fill inside is for the image seen whole."""
    w, h = 300, 70
    mask = round_rect_mask(w, h, (0, 0, w, h), 5)
    inner = round_rect_mask(w, h, (2, 2, w - 2, h - 2), 3)
    ring = ImageChops.subtract(mask, inner)
    if not selected:
        fill = solid(w, h, rgba(WHITE, 12), mask)
        edge = gradient(w, h, [(0.0, rgba(WHITE, 44)), (1.0, rgba(WHITE, 22))], 90, mask=ring)
        return over(fill, edge)
    fill = gradient(w, h, [(0.0, rgba(CYAN, 44)), (1.0, rgba(VIOLET, 40))], 0, mask=mask)
    edge = gradient(w, h, [(0.0, rgba(CYAN, 220)), (1.0, rgba(VIOLET, 200))], 0, mask=ring)
    return over(fill, edge)


def module_icon_back():
    w = h = 60
    mask = round_rect_mask(w, h, (0, 0, 60, 60), 12)
    return over(solid(w, h, rgba(WHITE, 20), mask), hairline(mask, 50))


def module_list_back():
    """300 x 278 behind the module list: a darker well, its header set off by a line."""
    w, h = 300, 278
    mask = round_rect_mask(w, h, (0, 0, w, h), 12)
    well = solid(w, h, (4, 6, 18, 96), mask)
    divider = gradient(w, 1, [(0.0, rgba(WHITE, 0)), (0.5, rgba(WHITE, 46)), (1.0, rgba(WHITE, 0))], 0)
    well.alpha_composite(divider, (0, 34))
    return over(well, hairline(mask, 26))


def caption_logo():
    """128 x 24: the mark and the name."""
    w, h = 128, 24
    out = new(w, h)
    out.alpha_composite(mark(20), (0, 2))
    out = over(out, text_layer(w, h, "Tivala", 15, rgba(WHITE), (49, 12)))
    return over(out, text_layer(w, h, "安装", 11, rgba(WHITE, 150), (88, 12.5)))


def all_widgets():
    return {
        "png_btn_basic_png": btn_basic(),
        "png_btn_ok_png": btn_ok(),
        "png_msgbox_btn_ok_png": msgbox_btn_ok(),
        "png_msgbox_btn_cancle_png": msgbox_btn_cancel(),
        "png_btn_min_png": caption_button("min"),
        "png_btn_close_png": caption_button("close"),
        "png_btn_file_png": btn_file(),
        "png_btn_down_png": btn_down(),
        "png_btn_back_png": btn_back(),
        "png_btn_custom_png": btn_custom(),
        "png_check_24_png": check_box(24),
        "png_check_15_png": check_box(15),
        "png_scorll_png": scrollbar(),
        "png_progress_bk_png": progress_back(),
        "png_progress_fore_png": progress_fore(),
        "png_icon_warning_png": icon_warning(),
        "png_module_bk_png": module_card(False),
        "png_module_bk_selected_png": module_card(True),
        "png_module_icon_bk_png": module_icon_back(),
        "png_module_list_bk_png": module_list_back(),
        "png_caption_logo_png": caption_logo(),
    }

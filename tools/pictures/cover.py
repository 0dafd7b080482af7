"""The cover picture: a forced-draft unit under the program's name.  The
title stands in the label below the picture on the cover window, so the
picture does not repeat it."""

import os

from PIL import Image

from .canvas import GREY, INK, PANEL, STEEL, TITLEBAR, Pic
from .parts import bundle, fan, header_box, motor

WARM = (214, 120, 60)
AIR_UP = (30, 105, 180)


def cover(k=None):
    p = Pic("cover.gif", 600, 400)
    top, bottom = (206, 226, 246), (255, 255, 255)
    for y in range(0, 300):
        t = y / 299
        col = tuple(int(top[i] + (bottom[i] - top[i]) * t) for i in range(3))
        p.rect(0, y, 600, y + 1, fill=col, outline=None)
    p.rect(0, 372, 600, 400, fill=(214, 218, 210), outline=None)
    p.line([(0, 372), (600, 372)], width=2.5, color=GREY)
    p.text(300, 14, "KELD", 84, "bold", TITLEBAR, anchor="ma")
    # the unit
    for x in (110, 490):
        p.rect(x - 7, 222, x + 7, 372, fill=STEEL, outline=None)
    for x in (130, 240, 360, 470):
        p.arrow(x, 166, x, 126, width=6, color=WARM, head=18)
    p.poly([(122, 220), (478, 220), (434, 284), (166, 284)], fill=PANEL,
           outline=INK, width=2.5)
    bundle(p, 100, 170, 500, 222, rows=4)
    header_box(p, 68, 158, 100, 234)
    header_box(p, 500, 158, 532, 234)
    p.rect(75, 134, 93, 158, fill=(176, 186, 198), outline=INK, width=2)
    p.rect(507, 234, 525, 258, fill=(176, 186, 198), outline=INK, width=2)
    for cx in (230, 370):
        fan(p, cx, 294, 54)
        motor(p, cx, 314, 342, 300)
    for x in (178, 282, 318, 422):
        p.arrow(x, 398, x, 350, width=5, color=AIR_UP, head=15)
    return p


def save_cover(pic, outdir):
    """The cover as a 256-colour GIF, as the cover window reads it."""
    img = pic.final().quantize(colors=256, method=Image.Quantize.MEDIANCUT,
                               dither=Image.Dither.NONE)
    path = os.path.join(outdir, pic.name)
    img.save(path, optimize=True)
    return path

#!/usr/bin/python3
"""Draw the pictures of KELD's tutorial and instruction pages, and its cover.

Run from the repository root:

    /usr/bin/python3 tools/make_pictures.py                  # data/Pictures/
    /usr/bin/python3 tools/make_pictures.py OUTDIR           # elsewhere
    /usr/bin/python3 tools/make_pictures.py OUTDIR tut03 cover   # only these

Needs the Debian packages python3-pil and fonts-dejavu-core
(apt-get install -y python3-pil fonts-dejavu-core).

Every page picture is 1132 x 802 pixels (the 1.41 aspect of the picture box
of the page window), white, drawn with dark lines.  Text is never smaller
than 22 pixels, so the pictures stay readable at half size in the page
window and enlarged in the zoom window.  Everything is drawn three times
larger and scaled down, which smooths lines and letters.

The script checks its own layout: a label that leaves the picture, or two
labels that overlap, stops it with a message naming the picture.
"""

import math
import os
import sys

from PIL import Image, ImageDraw, ImageFont

W, H = 1132, 802
SS = 3                      # supersampling factor
MIN_TEXT = 22               # smallest text height in pixels

FONT_DIR = "/usr/share/fonts/truetype/dejavu"
FONT_FILES = {
    "sans": "DejaVuSans.ttf",
    "bold": "DejaVuSans-Bold.ttf",
    "mono": "DejaVuSansMono.ttf",
    "monob": "DejaVuSansMono-Bold.ttf",
    "ital": "DejaVuSans-Oblique.ttf",
}

# Colours
INK = (28, 30, 34)
GREY = (105, 110, 118)
MID = (170, 175, 182)
LIGHT = (226, 229, 233)
PANEL = (241, 242, 244)
WHITE = (255, 255, 255)
AIR = (30, 105, 180)
AIR_FILL = (214, 231, 248)
HOT = (190, 58, 36)
HOT_FILL = (252, 226, 214)
STEEL = (120, 132, 146)
STEEL_FILL = (206, 213, 221)
ALU = (186, 192, 200)
GOOD = (28, 128, 72)
BAD = (192, 40, 40)
BADGE = (222, 110, 20)
TITLEBAR = (48, 66, 88)
SELECT = (48, 104, 168)

_fonts = {}


def font(kind, size):
    key = (kind, size)
    if key not in _fonts:
        path = os.path.join(FONT_DIR, FONT_FILES[kind])
        _fonts[key] = ImageFont.truetype(path, int(round(size * SS)))
    return _fonts[key]


class LayoutError(Exception):
    pass


class Pic:
    """A picture drawn in final-pixel coordinates on a supersampled canvas."""

    def __init__(self, name, w=W, h=H, bg=WHITE, check_overlap=True):
        self.name = name
        self.w, self.h = w, h
        self.img = Image.new("RGB", (w * SS, h * SS), bg)
        self.d = ImageDraw.Draw(self.img)
        self.boxes = []
        self.check_overlap = check_overlap

    # -- geometry helpers -------------------------------------------------
    @staticmethod
    def _s(v):
        return v * SS

    def _pts(self, pts):
        return [(x * SS, y * SS) for x, y in pts]

    def line(self, pts, width=3, color=INK, dash=None):
        if dash:
            for a, b in zip(pts, pts[1:]):
                self._dash(a, b, width, color, dash)
            return
        self.d.line(self._pts(pts), fill=color, width=int(width * SS),
                    joint="curve")

    def _dash(self, a, b, width, color, dash):
        on, off = dash
        length = math.dist(a, b)
        if length == 0:
            return
        ux, uy = (b[0] - a[0]) / length, (b[1] - a[1]) / length
        t = 0.0
        while t < length:
            t2 = min(t + on, length)
            self.d.line(self._pts([(a[0] + ux * t, a[1] + uy * t),
                                   (a[0] + ux * t2, a[1] + uy * t2)]),
                        fill=color, width=int(width * SS))
            t = t2 + off

    def rect(self, x0, y0, x1, y1, fill=None, outline=INK, width=3, r=0):
        box = [x0 * SS, y0 * SS, x1 * SS, y1 * SS]
        wd = int(width * SS) if outline is not None else 0
        if r:
            self.d.rounded_rectangle(box, radius=r * SS, fill=fill,
                                     outline=outline, width=wd)
        else:
            self.d.rectangle(box, fill=fill, outline=outline, width=wd)

    def ellipse(self, cx, cy, rx, ry, fill=None, outline=INK, width=3):
        box = [(cx - rx) * SS, (cy - ry) * SS, (cx + rx) * SS, (cy + ry) * SS]
        self.d.ellipse(box, fill=fill, outline=outline,
                       width=int(width * SS) if outline is not None else 0)

    def circle(self, cx, cy, r, **kw):
        self.ellipse(cx, cy, r, r, **kw)

    def poly(self, pts, fill=None, outline=INK, width=3):
        if fill is not None:
            self.d.polygon(self._pts(pts), fill=fill)
        if outline is not None:
            self.line(list(pts) + [pts[0]], width=width, color=outline)

    def arrow(self, x0, y0, x1, y1, width=4, color=INK, head=18, both=False):
        ang = math.atan2(y1 - y0, x1 - x0)
        hx = x1 - head * 0.8 * math.cos(ang)
        hy = y1 - head * 0.8 * math.sin(ang)
        sx, sy = x0, y0
        if both:
            sx = x0 + head * 0.8 * math.cos(ang)
            sy = y0 + head * 0.8 * math.sin(ang)
        self.line([(sx, sy), (hx, hy)], width=width, color=color)
        self._head(x1, y1, ang, head, color)
        if both:
            self._head(x0, y0, ang + math.pi, head, color)

    def _head(self, x, y, ang, head, color):
        spread = 0.42
        p1 = (x - head * math.cos(ang - spread), y - head * math.sin(ang - spread))
        p2 = (x - head * math.cos(ang + spread), y - head * math.sin(ang + spread))
        self.d.polygon(self._pts([(x, y), p1, p2]), fill=color)

    # -- text -----------------------------------------------------------
    def text_size(self, s, size=26, kind="sans"):
        l, t, r, b = self.d.textbbox((0, 0), s, font=font(kind, size),
                                     anchor="la")
        return (r - l) / SS, (b - t) / SS

    def text(self, x, y, s, size=26, kind="sans", color=INK, anchor="la",
             check=True):
        if isinstance(kind, tuple):          # text(x, y, s, size, COLOUR)
            kind, color = "sans", kind
        if size < MIN_TEXT:
            raise LayoutError(f"{self.name}: text '{s}' smaller than "
                              f"{MIN_TEXT} px")
        f = font(kind, size)
        self.d.text((x * SS, y * SS), s, font=f, fill=color, anchor=anchor)
        l, t, r, b = self.d.textbbox((x * SS, y * SS), s, font=f,
                                     anchor=anchor)
        box = (l / SS, t / SS, r / SS, b / SS)
        if box[0] < 2 or box[1] < 2 or box[2] > self.w - 2 or box[3] > self.h - 2:
            raise LayoutError(f"{self.name}: text '{s}' leaves the picture "
                              f"at {tuple(round(v) for v in box)}")
        if check:
            self.boxes.append((box, s))
        return box

    def lines(self, x, y, rows, size=26, kind="sans", color=INK, gap=1.45,
              anchor="la"):
        for i, s in enumerate(rows):
            self.text(x, y + i * size * gap, s, size=size, kind=kind,
                      color=color, anchor=anchor)
        return y + len(rows) * size * gap

    def title(self, s, size=34):
        self.text(36, 24, s, size=size, kind="bold")

    # -- finishing ------------------------------------------------------
    def _check(self):
        if not self.check_overlap:
            return
        bx = self.boxes
        for i in range(len(bx)):
            a, sa = bx[i]
            for j in range(i + 1, len(bx)):
                b, sb = bx[j]
                if (a[0] < b[2] - 1 and b[0] < a[2] - 1 and
                        a[1] < b[3] - 1 and b[1] < a[3] - 1):
                    raise LayoutError(f"{self.name}: labels '{sa}' and "
                                      f"'{sb}' overlap")

    def final(self):
        self._check()
        return self.img.resize((self.w, self.h), Image.LANCZOS)

    def save(self, outdir):
        path = os.path.join(outdir, self.name)
        self.final().save(path, optimize=True)
        return path


# ---------------------------------------------------------------------------
# Building blocks of the exchanger drawings
# ---------------------------------------------------------------------------

def bundle(p, x0, y0, x1, y1, rows=4, fill=STEEL_FILL):
    """Side view of a finned tube bundle: a box with fin texture."""
    p.rect(x0, y0, x1, y1, fill=fill, outline=None)
    step = 7
    x = x0 + 3
    while x < x1 - 1:
        p.line([(x, y0), (x, y1)], width=1.4, color=ALU)
        x += step
    for r in range(1, rows):
        y = y0 + (y1 - y0) * r / rows
        p.line([(x0, y), (x1, y)], width=1.5, color=STEEL)
    p.rect(x0, y0, x1, y1, outline=INK, width=3)


def header_box(p, x0, y0, x1, y1):
    p.rect(x0, y0, x1, y1, fill=(176, 186, 198), outline=INK, width=3)


def fan(p, cx, y, half, color=INK):
    """Side view of an axial fan: ring, hub and two blades."""
    for sx in (-1, 1):
        p.rect(cx + sx * (half + 5) - 5, y - 16, cx + sx * (half + 5) + 5,
               y + 16, fill=GREY, outline=None)
        p.poly([(cx + sx * 14, y - 7), (cx + sx * (half - 4), y - 3),
                (cx + sx * (half - 4), y + 3), (cx + sx * 14, y + 7)],
               fill=(92, 100, 112), outline=None)
    p.rect(cx - 16, y - 12, cx + 16, y + 12, fill=INK, outline=None, r=5)


def motor(p, cx, y0, y1, shaft_to):
    p.line([(cx, shaft_to), (cx, y0 if shaft_to < y0 else y1)], width=5,
           color=INK)
    p.rect(cx - 26, y0, cx + 26, y1, fill=(150, 158, 168), outline=INK,
           width=3, r=6)


def air_arrow(p, x, y0, y1, color=AIR, width=7, head=26):
    p.arrow(x, y0, x, y1, width=width, color=color, head=head)


def leader(p, x0, y0, x1, y1, color=GREY):
    p.line([(x0, y0), (x1, y1)], width=2.5, color=color)
    p.circle(x1, y1, 4, fill=color, outline=None)


def callout(p, x, y, s, tx, ty, size=26, kind="sans", color=INK,
            anchor="lm", lcolor=GREY):
    """A label at (x, y) with a leader line from its nearest edge to (tx, ty)."""
    l, t, r, b = p.text(x, y, s, size, kind, color, anchor=anchor)
    cy = (t + b) / 2
    if tx > r:
        sx, sy = r + 6, cy
    elif tx < l:
        sx, sy = l - 6, cy
    elif ty > b:
        sx, sy = (l + r) / 2, b + 5
    else:
        sx, sy = (l + r) / 2, t - 5
    leader(p, sx, sy, tx, ty, color=lcolor)


# ---------------------------------------------------------------------------
# Tutorial pictures
# ---------------------------------------------------------------------------

def tut01():
    p = Pic("tut01.png")
    p.title("Hot fluid in the tubes, air across the fins")
    ground = 740
    p.line([(40, ground), (1092, ground)], width=4, color=INK)
    # structure
    for x in (250, 880):
        p.rect(x - 9, 400, x + 9, ground, fill=STEEL, outline=None)
    # plenum and fans (forced draft)
    p.poly([(300, 420), (830, 420), (780, 510), (350, 510)], fill=PANEL,
           outline=INK, width=3)
    for cx in (440, 690):
        fan(p, cx, 522, 100)
        motor(p, cx, 575, 625, 530)
    # bundle and headers
    bundle(p, 260, 340, 870, 420)
    header_box(p, 196, 322, 260, 438)
    header_box(p, 870, 322, 934, 438)
    # nozzles
    p.rect(212, 290, 244, 322, fill=(176, 186, 198), outline=INK, width=3)
    p.rect(934, 396, 966, 426, fill=(176, 186, 198), outline=INK, width=3)
    p.arrow(228, 180, 228, 284, width=7, color=HOT, head=26)
    p.text(228, 172, "hot fluid in", 28, "bold", HOT, anchor="ms")
    p.arrow(970, 411, 1080, 411, width=7, color=HOT, head=26)
    p.lines(1096, 446, ["cooled", "fluid out"], 28, "bold", HOT, gap=1.2,
            anchor="ra")
    # air
    for x in (440, 690):
        air_arrow(p, x, 720, 640)
    p.text(565, 700, "cool air in", 28, "bold", AIR, anchor="mm")
    for x in (340, 480, 620, 760):
        p.arrow(x, 326, x, 236, width=6, color=(214, 120, 60), head=24)
    p.text(550, 210, "warm air out", 28, "bold", (200, 96, 40), anchor="mm")
    # labels
    p.text(565, 380, "finned tube bundle", 28, "bold", anchor="mm")
    callout(p, 990, 300, "header", 926, 330)
    callout(p, 40, 460, "plenum", 330, 470)
    callout(p, 40, 522, "fan", 340, 522)
    callout(p, 40, 600, "motor", 414, 600)
    callout(p, 960, 690, "structure", 889, 680)
    return p


def tut02():
    p = Pic("tut02.png")
    p.line([(566, 30), (566, 780)], width=2, color=LIGHT)
    # --- forced draft, left
    c = 313
    p.text(283, 40, "Forced draft", 34, "bold", anchor="ma")
    ground = 700
    p.line([(40, ground), (530, ground)], width=4)
    for x in (c - 150, c + 150):
        p.rect(x - 7, 300, x + 7, ground, fill=STEEL, outline=None)
    bundle(p, c - 173, 240, c + 173, 300)
    p.poly([(c - 143, 300), (c + 143, 300), (c + 87, 400), (c - 87, 400)],
           fill=PANEL, outline=INK, width=3)
    fan(p, c, 410, 84)
    motor(p, c, 450, 496, 416)
    air_arrow(p, c, 650, 520)
    p.text(c, 676, "air in", 26, "bold", AIR, anchor="mm")
    for x in (c - 113, c, c + 113):
        p.arrow(x, 228, x, 150, width=6, color=(214, 120, 60), head=22)
    p.text(c, 124, "warm air out", 26, "bold", (200, 96, 40), anchor="mm")
    callout(p, 40, 190, "bundle", c - 140, 248, 24)
    callout(p, 40, 340, "plenum", c - 110, 350, 24)
    callout(p, 40, 440, "fan", c - 60, 410, 24)
    callout(p, 40, 530, "motor", c - 26, 474, 24)
    p.lines(283, 722, ["fans push cool air up", "through the bundle"], 24,
            anchor="ma", gap=1.3)
    # --- induced draft, right
    p.text(849, 40, "Induced draft", 34, "bold", anchor="ma")
    p.line([(600, ground), (1092, ground)], width=4)
    for x in (662, 1036):
        p.rect(x - 7, 470, x + 7, ground, fill=STEEL, outline=None)
    bundle(p, 676, 410, 1022, 470)
    p.poly([(706, 410), (992, 410), (936, 312), (762, 312)], fill=PANEL,
           outline=INK, width=3)
    fan(p, 849, 302, 84)
    motor(p, 849, 220, 266, 296)
    air_arrow(p, 849, 650, 490)
    p.text(849, 676, "air in", 26, "bold", AIR, anchor="mm")
    for x in (790, 908):
        p.arrow(x, 290, x, 150, width=6, color=(214, 120, 60), head=22)
    p.text(849, 124, "warm air out", 26, "bold", (200, 96, 40), anchor="mm")
    callout(p, 1092, 560, "bundle", 990, 462, 24, anchor="rm")
    callout(p, 1092, 380, "plenum", 960, 370, 24, anchor="rm")
    callout(p, 600, 350, "fan", 800, 304, 24)
    callout(p, 600, 222, "motor", 822, 240, 24)
    p.lines(849, 722, ["fans pull the air up and", "work in the warm air"], 24,
            anchor="ma", gap=1.3)
    return p


def tut03():
    p = Pic("tut03.png")
    p.title("Bundle cross-section: 1 inch tubes on a 2.5 inch pitch")
    px = 36.0                       # pixels per inch
    pitch = 2.5 * px
    rowgap = 2.165 * px
    x_start = 190
    rows = 4
    y_top = 230
    centres = []
    for r in range(rows):
        y = y_top + r * rowgap
        off = 0 if r % 2 == 0 else pitch / 2
        n = 10 if r % 2 == 0 else 9
        for i in range(n):
            centres.append((x_start + off + i * pitch, y, r))
    for cx, cy, r in centres:
        p.circle(cx, cy, 1.12 * px, fill=(236, 239, 243), outline=ALU, width=2)
    for cx, cy, r in centres:
        p.circle(cx, cy, 0.5 * px, fill=STEEL, outline=INK, width=2.5)
    for r in range(rows):
        y = y_top + r * rowgap
        p.text(120, y, f"row {r + 1}", 24, anchor="rm")
    # pitch dimension on top row
    xa, xb = x_start + 2 * pitch, x_start + 3 * pitch
    ydim = y_top - 80
    for x in (xa, xb):
        p.line([(x, ydim - 12), (x, y_top - 42)], width=2, color=GREY)
    p.arrow(xa, ydim, xb, ydim, width=2.5, color=INK, head=14, both=True)
    p.text((xa + xb) / 2, ydim - 12, "pitch 2.5 in", 26, "bold", anchor="ms")
    # tube OD label
    t = centres[7]
    leader(p, 1000, 140, t[0] + 10, t[1] - 10)
    p.text(1100, 130, "tube, 1 in OD", 26, "bold", anchor="rm")
    # one foot of width
    yft = y_top + 3 * rowgap + 80
    xf0 = x_start - pitch / 2 + 0.0
    xf1 = xf0 + 12 * px
    for x in (xf0, xf1):
        p.line([(x, yft - 30), (x, yft + 12)], width=2, color=GREY)
    p.arrow(xf0, yft, xf1, yft, width=2.5, color=INK, head=14, both=True)
    p.text((xf0 + xf1) / 2, yft + 14, "1 ft of width = 12 / 2.5 = 4.8 tubes per row",
           26, "bold", anchor="ma")
    callout(p, 1030, 463, "fins", 993, 470, 26, "bold")
    p.lines(40, 626, ["Bare tube surface behind 1 sq ft of face, per row:",
                      "4.8 × π × 1/12 ft = 1.257 sq ft"], 26, gap=1.4)
    for x in (820, 940, 1060):
        air_arrow(p, x, 790, 700)
    p.text(940, 660, "air", 28, "bold", AIR, anchor="mm")
    return p


def tut04():
    p = Pic("tut04.png")
    p.title("Finned surface = 21.2 × bare tube surface")
    # longitudinal view of a finned tube
    y = 250
    r_t, r_f = 30, 78
    x0, x1 = 70, 1060
    x = x0 + 10
    while x < x1 - 10:
        p.rect(x, y - r_f, x + 3.5, y + r_f, fill=ALU, outline=None)
        x += 16
    p.rect(x0, y - r_t, x1, y + r_t, fill=STEEL, outline=INK, width=3)
    p.text(565, y, "bare tube, 1 in OD", 26, "bold", WHITE, anchor="mm")
    # fins per inch: ten fin spacings make one inch here
    xa = x0 + 10 + 16 * 34
    xb = xa + 160
    for xx in (xa, xb):
        p.line([(xx, 110), (xx, 168)], width=2, color=GREY)
    p.arrow(xa, 120, xb, 120, width=2.5, head=12, both=True)
    p.text(xb + 16, 120, "1 inch: 10 or 11 fins", 26, "bold", anchor="lm")
    p.text(40, 360, "aluminium fins wound on as a helix", 24, GREY)

    def inset(x0, title1, title2, embedded):
        p.rect(x0, 420, x0 + 512, 780, outline=MID, width=2, r=12)
        p.text(x0 + 256, 440, title1, 28, "bold", anchor="ma")
        p.text(x0 + 256, 478, title2, 24, GREY, anchor="ma")
        base = 700
        wall = 34
        p.rect(x0 + 30, base, x0 + 482, base + wall, fill=STEEL, outline=INK,
               width=2.5)
        p.text(x0 + 400, base + wall / 2, "tube wall", 22, "bold", WHITE,
               anchor="mm")
        xs = [x0 + 66 + k * 60 for k in range(5)]
        if not embedded:
            p.rect(x0 + 30, base - 26, x0 + 482, base, fill=ALU, outline=INK,
                   width=2)
            for xf in xs:
                p.poly([(xf - 9, base - 26), (xf - 4, 560), (xf + 4, 560),
                        (xf + 9, base - 26)], fill=ALU, outline=INK, width=2)
            rows, target = ["aluminium", "sleeve"], (x0 + 330, base - 13)
        else:
            for xf in xs:
                p.rect(xf - 9, base - 2, xf + 9, base + 14, fill=WHITE,
                       outline=None)
                p.poly([(xf - 4, base + 12), (xf - 4, 560), (xf + 4, 560),
                        (xf + 4, base + 12)], fill=ALU, outline=INK, width=2)
                p.line([(xf - 9, base), (xf - 4, base + 4)], width=2)
                p.line([(xf + 9, base), (xf + 4, base + 4)], width=2)
            rows, target = ["groove in", "the wall"], (xs[-1] + 8, base + 6)
        callout(p, x0 + 360, 570, "fin", xs[-1] + 6, 590, 24)
        p.lines(x0 + 360, 612, rows, 24, gap=1.2)
        leader(p, x0 + 354, 640, target[0], target[1])

    inset(40, "Extruded fin", "hot fluid in up to 500 °F", False)
    inset(580, "Embedded fin", "hot fluid in above 500 °F", True)
    return p


def tut05():
    p = Pic("tut05.png")
    p.title("Plug header: one plug opposite each tube")
    metal = (150, 160, 172)
    # front view of the plug sheet
    x0, y0, x1, y1 = 50, 190, 510, 490
    p.rect(x0, y0, x1, y1, fill=(196, 204, 214), outline=INK, width=3)
    for ny0, ny1 in ((150, 190), (490, 530)):
        p.rect(250, ny0, 310, ny1, fill=(176, 186, 198), outline=INK, width=3)
    p.rect(236, 140, 324, 154, fill=metal, outline=INK, width=2)
    p.rect(236, 526, 324, 540, fill=metal, outline=INK, width=2)
    for r in range(4):
        for c in range(8):
            cx = x0 + 48 + c * 52 + (26 if r % 2 else 0)
            cy = y0 + 44 + r * 68 + (10 if r >= 2 else 0)
            if cx > x1 - 30:
                continue
            hexa = [(cx + 17 * math.cos(a), cy + 17 * math.sin(a))
                    for a in [k * math.pi / 3 for k in range(6)]]
            p.poly(hexa, fill=metal, outline=INK, width=2)
            p.circle(cx, cy, 7, fill=INK, outline=None)
    p.line([(x0 + 4, 340), (x1 - 4, 340)], width=2.5, color=HOT, dash=(12, 8))
    p.text(280, 566, "front view", 26, "bold", GREY, anchor="ma")
    p.text(280, 602, "dashed: pass partition behind", 24, GREY, anchor="ma")
    # section through the header
    sx0 = 700
    top, bot = 190, 490
    p.rect(sx0, top - 18, sx0 + 156, bot + 18, fill=metal, outline=INK,
           width=3)
    p.rect(sx0 + 24, top, sx0 + 130, bot, fill=HOT_FILL, outline=None)
    p.line([(sx0 + 24, top), (sx0 + 24, bot)], width=2.5)
    p.line([(sx0 + 130, top), (sx0 + 130, bot)], width=2.5)
    p.rect(sx0 + 24, 335, sx0 + 130, 345, fill=metal, outline=INK, width=2)
    tubes = (230, 296, 384, 450)
    for k, ty in enumerate(tubes):
        p.rect(sx0 + 156, ty - 14, 1100, ty + 14, fill=STEEL_FILL, outline=INK,
               width=2.5)
        p.rect(sx0 - 26, ty - 11, sx0 + 2, ty + 11, fill=(120, 130, 142),
               outline=INK, width=2)
        if k == 0:
            p.arrow(960, ty, 1060, ty, width=4, color=HOT, head=16)
        if k == 3:
            p.arrow(1060, ty, 960, ty, width=4, color=HOT, head=16)
    for ny0, ny1 in ((top - 60, top - 18), (bot + 18, bot + 60)):
        p.rect(sx0 + 50, ny0, sx0 + 104, ny1, fill=(176, 186, 198),
               outline=INK, width=3)
    p.arrow(sx0 + 77, 76, sx0 + 77, top - 66, width=6, color=HOT, head=22)
    p.text(sx0 + 100, 90, "in", 26, "bold", HOT, anchor="lm")
    p.arrow(sx0 + 77, bot + 64, sx0 + 77, bot + 124, width=6, color=HOT,
            head=22)
    p.text(sx0 + 100, bot + 104, "out", 26, "bold", HOT, anchor="lm")
    p.text(sx0 + 78, 646, "section", 26, "bold", GREY, anchor="ma")
    callout(p, 528, 230, "plug", sx0 - 26, 230, 24)
    p.lines(528, 404, ["plug", "sheet"], 24, gap=1.15)
    leader(p, 590, 420, sx0 + 12, 420)
    callout(p, 874, 340, "pass partition", sx0 + 120, 340, 24)
    callout(p, 930, 548, "tube sheet", sx0 + 143, bot - 4, 24)
    callout(p, 1100, 150, "tubes", 1040, 220, 24, anchor="rm")
    p.lines(40, 690, ["Unscrew a plug to reach one tube for cleaning,",
                      "inspection or plugging a leak."], 26, gap=1.35)
    return p


# The material list of the sheet, in its order, with the factors as shown.
MATERIALS = [("Steel", "1.0"), ("Stainless Tubes Only", "1.30"),
             ("316 Stainless", "1.55"), ("304 Stainless", "1.41"),
             ("Monel", "7.25"), ("Incoloy 825", "4.3"), ("Inconel 600", "12.5"),
             ("Duplex", "1.89"), ("Titanium", "6.75"), ("Hastelloy", "6.7")]


def tut06():
    p = Pic("tut06.png")
    p.title("Price factor of tubes and headers (steel = 1)")
    x_lab = 320
    xmax = 1000
    scale = (xmax - x_lab - 20) / 12.5
    y = 120
    step = 64
    for name, text in MATERIALS:
        f = float(text)
        p.text(x_lab - 14, y + 22, name, 26, anchor="rm")
        col = AIR if f < 2 else (BADGE if f < 7 else HOT)
        p.rect(x_lab, y + 4, x_lab + f * scale, y + 40, fill=col, outline=None)
        p.text(x_lab + f * scale + 12, y + 22, text, 26, "bold", anchor="lm")
        y += step
    p.line([(x_lab, 110), (x_lab, y)], width=3)
    xs = x_lab + scale
    p.line([(xs, 110), (xs, y)], width=2, color=GREY, dash=(8, 6))
    return p


FLOW = [
    ("Duty, temperatures, U, tube length", "10 MMBtu/hr, U = 80"),
    ("P = (Thot,in − Thot,out) / (Thot,in − Tair,in)", "P = 0.762"),
    ("Row index 100·P/U → rows, face velocity", "10 rows, 400 ft/min"),
    ("NTU of the air side", "NTU = 2.33"),
    ("A bracketed root search finds C", "C = 0.870"),
    ("Air flow, face area, width, tubes", "332.6 sq ft, 580 tubes"),
    ("Bare and finned surface, outlet air", "4555 sq ft, 164.6 °F"),
    ("Fan power, weight, price", "35.2 hp, 43,576 lb"),
]


def tut07():
    p = Pic("tut07.png")
    p.text(36, 18, "The sizing steps", 32, "bold")
    p.text(1100, 24, "example", 26, "bold", AIR, anchor="ra")
    y = 76
    bh, gap = 64, 25
    for i, (step, ex) in enumerate(FLOW):
        fill = HOT_FILL if i == 0 else (AIR_FILL if i < 7 else (230, 242, 232))
        p.rect(40, y, 730, y + bh, fill=fill, outline=INK, width=2.5, r=10)
        p.text(60, y + bh / 2, f"{i + 1}", 26, "bold", GREY, anchor="lm")
        p.text(96, y + bh / 2, step, 25, anchor="lm")
        p.text(1100, y + bh / 2, ex, 25, "bold", AIR, anchor="rm")
        if i < len(FLOW) - 1:
            p.arrow(385, y + bh + 2, 385, y + bh + gap - 1, width=4, head=14)
        y += bh + gap
    return p


ROWBANDS = [(0.0, 0.45, 4, 650), (0.45, 0.60, 5, 600), (0.60, 0.75, 6, 550),
            (0.75, 0.90, 8, 450), (0.90, 1.20, 10, 400)]


def tut08():
    p = Pic("tut08.png")
    p.title("Row index 100·P/U picks rows and face velocity")
    xl, xr, yb, yt = 150, 1060, 640, 150
    sx = (xr - xl) / 1.2
    sy = (yb - yt) / 11.0
    cols = [(214, 231, 248), (190, 216, 242), (160, 198, 234), (122, 172, 220),
            (84, 140, 200)]
    for (a, b, rows, v), c in zip(ROWBANDS, cols):
        x0, x1 = xl + a * sx, xl + b * sx
        top = yb - rows * sy
        p.rect(x0 + 2, top, x1 - 2, yb, fill=c, outline=INK, width=2)
        p.text((x0 + x1) / 2, top - 10, f"{rows} rows", 25, "bold",
               anchor="ms")
        tc = INK if rows < 8 else WHITE
        p.text((x0 + x1) / 2, yb - 60, f"{v}", 26, "bold", tc, anchor="ms")
        p.text((x0 + x1) / 2, yb - 24, "ft/min", 22, color=tc, anchor="ms")
    p.line([(xl, yb), (xr + 20, yb)], width=3)
    p.line([(xl, yb), (xl, yt - 20)], width=3)
    for v in (0.0, 0.45, 0.60, 0.75, 0.90):
        x = xl + v * sx
        p.line([(x, yb), (x, yb + 10)], width=3)
        p.text(x, yb + 16, f"{v:.2f}" if v else "0", 24, anchor="ma")
    for r in (2, 4, 6, 8, 10):
        y = yb - r * sy
        p.line([(xl - 10, y), (xl, y)], width=3)
        p.text(xl - 16, y, f"{r}", 24, anchor="rm")
    p.text(40, yt - 46, "tube rows", 24, "bold")
    p.text((xl + xr) / 2, yb + 56, "row index = 100 · P / U", 26, "bold",
           anchor="ma")
    xe = xl + 0.952 * sx
    p.line([(xe, yt - 30), (xe, yb)], width=3, color=HOT, dash=(10, 7))
    p.text(xe - 8, yt - 36, "example 0.952", 24, "bold", HOT, anchor="rs")
    p.text(560, 740, "P = (Thot,in − Thot,out) / (Thot,in − Tair,in),   U in Btu/(hr sq ft °F)",
           24, GREY, anchor="ma")
    return p


def eff(n, c):
    if abs(1 - c) < 1e-9:
        return n / (1 + n)
    e = math.exp(-n * (1 - c))
    return (1 - e) / (1 - c * e)


def tut09():
    p = Pic("tut09.png")
    p.text(566, 22, "Counterflow:  ε = (1 − e^(−N(1−C))) / (1 − C·e^(−N(1−C)))",
           28, "bold", anchor="ma")
    xl, xr, yb, yt = 130, 1060, 680, 130
    nmax = 5.0
    sx = (xr - xl) / nmax
    sy = (yb - yt) / 1.0
    for k in range(1, 6):
        x = xl + k * sx
        p.line([(x, yt), (x, yb)], width=1.5, color=LIGHT)
    for k in range(1, 5):
        y = yb - k * 0.25 * sy
        p.line([(xl, y), (xr, y)], width=1.5, color=LIGHT)
    curves = [(0.0, GOOD, "C = 0"), (0.5, AIR, "C = 0.5"),
              (0.87, HOT, "C = 0.87"), (1.0, INK, "C = 1")]
    for c, col, lab in curves:
        pts = []
        for i in range(0, 401):
            n = nmax * i / 400
            pts.append((xl + n * sx, yb - eff(n, c) * sy))
        p.line(pts, width=5 if c == 0.87 else 3.5, color=col)
    p.line([(xl, yb), (xr, yb)], width=3)
    p.line([(xl, yb), (xl, yt)], width=3)
    for k in range(0, 6):
        x = xl + k * sx
        p.line([(x, yb), (x, yb + 10)], width=3)
        p.text(x, yb + 14, f"{k}", 24, anchor="ma")
    for k in range(0, 5):
        y = yb - k * 0.25 * sy
        p.line([(xl - 10, y), (xl, y)], width=3)
        p.text(xl - 16, y, f"{k * 0.25:.2f}", 24, anchor="rm")
    p.text((xl + xr) / 2, yb + 48, "N, transfer units of the smaller stream",
           26, "bold", anchor="ma")
    p.text(40, 80, "ε, effectiveness", 26, "bold")
    # legend
    lx, ly = 700, 420
    p.rect(lx - 20, ly - 20, 1046, ly + 4 * 42 - 4, fill=WHITE, outline=MID,
           width=2, r=8)
    for i, (c, col, lab) in enumerate(curves):
        y = ly + i * 42 + 10
        p.line([(lx, y), (lx + 60, y)], width=5, color=col)
        p.text(lx + 76, y, lab, 26, anchor="lm")
    # example point
    n_ex = 2.327106 / 0.869868
    e_ex = eff(n_ex, 0.869868)
    ex, ey = xl + n_ex * sx, yb - e_ex * sy
    p.circle(ex, ey, 9, fill=HOT, outline=INK, width=2)
    p.lines(300, 598, ["example, hot fluid smaller:",
                       "N = 2.33 / 0.870 = 2.68, ε = P = 0.762"], 24,
            kind="bold", color=HOT, gap=1.3)
    leader(p, 540, 590, ex - 3, ey + 10, color=HOT)
    return p


def tut10():
    p = Pic("tut10.png")
    p.title("From air flow to face, width and tubes")
    s = 24.0                         # pixels per foot
    x0, y0 = 150, 110
    L, Wd, need = 30, 12, 332.64 / 30
    x1 = x0 + L * s
    y1 = y0 + Wd * s
    yn = y0 + need * s
    p.rect(x0, y0, x1, yn, fill=AIR_FILL, outline=None)
    p.rect(x0, yn, x1, y1, fill=(255, 236, 200), outline=None)
    k = 0
    yy = y0 + s / 4.8 / 2
    while yy < y1:
        p.line([(x0, yy), (x1, yy)], width=1, color=(150, 170, 190))
        yy += s / 4.8
        k += 1
    p.line([(x0, yn), (x1, yn)], width=3, color=HOT, dash=(10, 6))
    p.rect(x0, y0, x1, y1, outline=INK, width=3)
    header_box(p, x0 - 30, y0 - 8, x0, y1 + 8)
    header_box(p, x1, y0 - 8, x1 + 30, y1 + 8)
    p.text((x0 + x1) / 2, (y0 + yn) / 2, "face needed: 332.6 sq ft", 28, "bold",
           anchor="mm")
    # dimensions
    yd = y1 + 40
    p.arrow(x0, yd, x1, yd, width=2.5, head=14, both=True)
    p.text((x0 + x1) / 2, yd + 10, "tube length 30 ft", 26, anchor="ma")
    xd = x1 + 64
    p.arrow(xd, y0, xd, y1, width=2.5, head=14, both=True)
    p.text(xd + 16, y0 + 70, "width", 26, "bold", anchor="lm")
    p.text(xd + 16, y0 + 110, "12 ft", 26, "bold", anchor="lm")
    p.text(xd + 16, (yn + y1) / 2, "extra", 24, HOT, anchor="lm")
    ys = 500
    rows = [
        "air capacity rate = 598,750 lb/hr × 0.24 = 143,700 Btu/(hr °F)",
        "rate per sq ft of face = 400 × 60 × 0.075 × 0.24 = 432",
        "face area = air capacity rate ÷ rate per sq ft of face",
        "               = 143,700 ÷ 432 = 332.6 sq ft",
        "width = 332.6 ÷ 30 = 11.1 ft → 12 ft (next whole foot)",
        "tubes per row = 4.8 × 12 = 57.6 → 58",
        "tubes = 58 × 10 rows = 580",
    ]
    p.lines(40, ys, rows, 26, gap=1.4)
    return p


HP_TABLE = [(3, 48.61), (4, 58.5), (5, 68.61), (6, 79.7), (7, 90.57),
            (8, 102.43), (9, 115.77), (10, 129.56)]
WT_TABLE = [(3, 66), (4, 75), (5, 80), (6, 88), (7, 97), (8, 115), (9, 126),
            (10, 131)]


def tut11():
    p = Pic("tut11.png")

    def panel(x0, x1, title1, title2, table, vmax, col, fmt):
        p.text((x0 + x1) / 2, 26, title1, 28, "bold", anchor="ma")
        p.text((x0 + x1) / 2, 66, title2, 24, GREY, anchor="ma")
        xl = x0 + 110
        span = x1 - xl - 100
        y = 130
        for rows, v in table:
            p.text(xl - 12, y + 24, f"{rows} rows", 24, anchor="rm")
            p.rect(xl, y + 6, xl + v / vmax * span, y + 42, fill=col,
                   outline=None)
            p.text(xl + v / vmax * span + 10, y + 24, fmt(v), 24, "bold",
                   anchor="lm")
            y += 78
        p.line([(xl, 124), (xl, y)], width=3)

    panel(30, 550, "Fan power", "sq ft of bare surface per hp", HP_TABLE,
          130, AIR, lambda v: f"{v:g}")
    p.line([(566, 30), (566, 780)], width=2, color=LIGHT)
    panel(586, 1110, "Weight", "lb per sq ft of face", WT_TABLE, 131,
          (120, 130, 142), lambda v: f"{v:g}")
    return p


PRICE_COEF = {3: (1.390023, 194761.6, 29.0303), 4: (1.378199, 201861.4, 24.08489),
              5: (1.306789, 133041.9, 20.97974), 6: (1.74192, 3551334, 19.43371),
              8: (1.712087, 3551668, 16.91799), 10: (1.603914, 1677404, 15.3634)}


def price_per_sqft(area, rows, length=30.0):
    a, b, c = PRICE_COEF[rows]
    aa = max(area, 1000.0)
    u = aa ** (-a) * b + c + 20
    lf = 1.0 if area < 1000 else 5.3 * length ** (-0.48)
    cost = u * 1.45 * lf * aa
    cost = max(cost, 40000.0) * 1.25
    return cost / area


def tut12():
    p = Pic("tut12.png")
    p.title("Price per sq ft of bare surface (steel, 30 ft tubes)")
    xl, xr, yb, yt = 130, 1060, 640, 140
    amax = 20000.0
    vmax = 125.0
    sx = (xr - xl) / amax
    sy = (yb - yt) / vmax
    for k in range(1, 5):
        x = xl + k * 5000 * sx
        p.line([(x, yt), (x, yb)], width=1.5, color=LIGHT)
    for k in range(1, 6):
        y = yb - k * 25 * sy
        p.line([(xl, y), (xr, y)], width=1.5, color=LIGHT)
    curves = [(4, GOOD, "4 rows"), (6, AIR, "6 rows"), (8, BADGE, "7 or 8 rows"),
              (10, HOT, "9 or 10 rows")]
    for rows, col, lab in curves:
        pts = []
        for i in range(0, 381):
            a = 1000 + (amax - 1000) * i / 380
            pts.append((xl + a * sx, yb - price_per_sqft(a, rows) * sy))
        p.line(pts, width=4, color=col)
    p.line([(xl, yb), (xr, yb)], width=3)
    p.line([(xl, yb), (xl, yt)], width=3)
    for k in range(0, 5):
        x = xl + k * 5000 * sx
        p.line([(x, yb), (x, yb + 10)], width=3)
        p.text(x, yb + 14, f"{k * 5000:,}", 24, anchor="ma")
    for k in range(0, 6):
        y = yb - k * 25 * sy
        p.line([(xl - 10, y), (xl, y)], width=3)
        p.text(xl - 16, y, f"{k * 25}", 24, anchor="rm")
    p.text((xl + xr) / 2, yb + 50, "bare surface, sq ft", 26, "bold",
           anchor="ma")
    p.text(40, 86, "US$ per sq ft", 26, "bold")
    lx, ly = 720, 450
    p.rect(lx - 20, ly - 24, 1046, ly + 4 * 42 - 8, fill=WHITE, outline=MID,
           width=2, r=8)
    for i, (rows, col, lab) in enumerate(curves):
        y = ly + i * 42
        p.line([(lx, y), (lx + 60, y)], width=5, color=col)
        p.text(lx + 76, y, lab, 26, anchor="lm")
    ex_a = 4555.31
    ex_v = price_per_sqft(ex_a, 10)
    ex, ey = xl + ex_a * sx, yb - ex_v * sy
    p.circle(ex, ey, 9, fill=HOT, outline=INK, width=2)
    leader(p, 420, 560, ex, ey + 8, color=HOT)
    p.text(420, 570, f"example: {ex_v:.2f} US$ per sq ft", 24, "bold", HOT,
           anchor="ma")
    p.text(566, 740, "all factors included: × 1.45, tube length, × 1.25",
           24, GREY, anchor="ma")
    return p


def tut13():
    p = Pic("tut13.png")
    p.title("Worked example")
    p.rect(30, 86, 452, 540, fill=HOT_FILL, outline=None, r=14)
    p.rect(470, 86, 1102, 780, fill=AIR_FILL, outline=None, r=14)
    p.text(50, 104, "You enter", 28, "bold")
    p.text(490, 104, "KELD finds", 28, "bold")
    given = ["Duty 10 million Btu/hr", "Hot fluid 200 → 120 °F",
             "Air in at 95 °F", "U = 80 Btu/(hr sq ft °F)",
             "Tubes 30 ft long", "Steel, factor 1",
             "Rows left to KELD"]
    found = ["P = 0.762, row index 0.952", "10 rows at 400 ft/min",
             "NTU = 2.33, C = 0.870", "Air 598,750 lb/hr, out 164.6 °F",
             "Face 332.6 sq ft, width 12 ft", "58 tubes per row, 580 tubes",
             "Bare surface 4555 sq ft", "Finned surface 96,573 sq ft",
             "Fan power 35.2 hp", "Weight 43,576 lb",
             "Price about 321,860 US$"]
    p.lines(50, 164, given, 26, gap=1.9)
    # a small sketch of the result: 10 rows, 12 ft wide, 30 ft long
    bundle(p, 80, 620, 400, 690, rows=10)
    header_box(p, 56, 608, 80, 702)
    header_box(p, 400, 608, 424, 702)
    p.poly([(110, 690), (370, 690), (330, 730), (150, 730)], fill=PANEL,
           outline=INK, width=2.5)
    fan(p, 240, 738, 80)
    p.text(240, 582, "10 rows, 30 ft × 12 ft", 24, "bold", anchor="mm")
    p.lines(490, 164, found, 26, gap=1.9)
    return p


def tut14():
    p = Pic("tut14.png")
    p.title("What the estimate covers")

    def check(x, y):
        p.line([(x - 12, y), (x - 3, y + 10), (x + 14, y - 12)], width=5,
               color=GOOD)

    def cross(x, y):
        p.line([(x - 11, y - 11), (x + 11, y + 11)], width=5, color=BAD)
        p.line([(x - 11, y + 11), (x + 11, y - 11)], width=5, color=BAD)

    p.text(50, 100, "Planning estimate", 28, "bold", GOOD)
    p.text(600, 100, "Left to detailed design", 28, "bold", BAD)
    yes = ["rows and face velocity", "width and tube count",
           "bare and finned surface", "air flow and outlet air",
           "fan power", "weight", "price"]
    no = ["pressure drop, tubes and air", "fouling in detail",
          "noise", "fans: number, size, speed", "headers and passes",
          "structure and access", "winter and hot air return"]
    for i, s in enumerate(yes):
        y = 172 + i * 72
        check(66, y)
        p.text(100, y, s, 26, anchor="lm")
    for i, s in enumerate(no):
        y = 172 + i * 72
        cross(616, y)
        p.text(650, y, s, 26, anchor="lm")
    p.line([(566, 90), (566, 680)], width=2, color=LIGHT)
    p.text(566, 730, "Ask for a firm design and quotation before you commit.",
           26, "bold", anchor="ma")
    return p


# ---------------------------------------------------------------------------
# Instruction pictures: sketches of the program's windows
# ---------------------------------------------------------------------------

def window(p, x0, y0, x1, y1, caption, menu=None, size=22):
    p.rect(x0, y0, x1, y1, fill=PANEL, outline=INK, width=2.5)
    p.rect(x0, y0, x1, y0 + 38, fill=TITLEBAR, outline=None)
    p.text(x0 + 14, y0 + 19, caption, size, "bold", WHITE, anchor="lm")
    bx = x1 - 34
    p.line([(bx, y0 + 11), (bx + 16, y0 + 27)], width=2.5, color=WHITE)
    p.line([(bx, y0 + 27), (bx + 16, y0 + 11)], width=2.5, color=WHITE)
    y = y0 + 38
    if menu:
        p.rect(x0 + 1, y, x1 - 1, y + 36, fill=(228, 230, 234), outline=None)
        x = x0 + 14
        for item in menu:
            p.text(x, y + 18, item, size, anchor="lm")
            x += p.text_size(item, size)[0] + 26
        p.line([(x0, y + 36), (x1, y + 36)], width=1.5, color=MID)
        y += 36
    return y


def field(p, x, y, w, text="", size=22, h=34, kind="sans", right=False):
    p.rect(x, y, x + w, y + h, fill=WHITE, outline=GREY, width=2)
    if text:
        if right:
            p.text(x + w - 8, y + h / 2, text, size, kind, anchor="rm")
        else:
            p.text(x + 8, y + h / 2, text, size, kind, anchor="lm")


def combo(p, x, y, w, text, size=22, h=34):
    field(p, x, y, w - h, text, size, h)
    p.rect(x + w - h, y, x + w, y + h, fill=(228, 230, 234), outline=GREY,
           width=2)
    cx, cy = x + w - h / 2, y + h / 2
    p.poly([(cx - 7, cy - 4), (cx + 7, cy - 4), (cx, cy + 5)], fill=INK,
           outline=None)


def radio(p, x, y, label, on, size=22):
    p.circle(x + 10, y, 10, fill=WHITE, outline=GREY, width=2)
    if on:
        p.circle(x + 10, y, 5, fill=INK, outline=None)
    p.text(x + 28, y, label, size, anchor="lm")
    return x + 28 + p.text_size(label, size)[0]


def group(p, x0, y0, x1, y1, caption, size=22, bg=PANEL):
    p.rect(x0, y0, x1, y1, outline=MID, width=2, r=6)
    tw = p.text_size(caption, size)[0]
    p.rect(x0 + 10, y0 - 14, x0 + 22 + tw, y0 + 14, fill=bg, outline=None)
    p.text(x0 + 16, y0, caption, size, "bold", anchor="lm")


def button(p, x0, y0, x1, y1, label, size=22, default=False):
    p.rect(x0, y0, x1, y1, fill=(232, 234, 238), outline=INK if default else GREY,
           width=3 if default else 2, r=6)
    p.text((x0 + x1) / 2, (y0 + y1) / 2, label, size, anchor="mm")


def badge(p, x, y, label, r=20):
    p.circle(x, y, r, fill=BADGE, outline=None)
    p.text(x, y + 1, label, 24, "bold", WHITE, anchor="mm", check=False)


def note(p, x, y, rows, size=24, color=BADGE, anchor="la", gap=1.3):
    return p.lines(x, y, rows, size, "bold", color, gap=gap, anchor=anchor)


def sheet_items(p, L0=40, L1=548, R0=592, R1=1092, top=160, fluid="Process Water",
                rng=("100", "150", "125")):
    """The six numbered items of the calculation sheet, as on the window."""
    # 1
    group(p, L0, top, L1, top + 110, "1. Input Project Description")
    p.text(L0 + 16, top + 36, "Title:", 22, anchor="lm")
    field(p, L0 + 186, top + 20, 306, "Cooling Water Return")
    p.text(L0 + 16, top + 80, "Item Number:", 22, anchor="lm")
    field(p, L0 + 186, top + 64, 150, "E-101")
    # 2
    y2 = top + 132
    group(p, L0, y2, L1, y2 + 58, "2. Select Units")
    x = radio(p, L0 + 20, y2 + 32, "English", True)
    radio(p, x + 40, y2 + 32, "Metric", False)
    # 3
    y3 = y2 + 80
    group(p, L0, y3, L1, y3 + 300, "3. Select Type of Service and Hot Fluid")
    p.text(L0 + 16, y3 + 32, "Service:", 22, anchor="lm")
    radio(p, L0 + 120, y3 + 32, "Condensing", False)
    radio(p, L0 + 300, y3 + 32, "Gas Cooling", False)
    radio(p, L0 + 120, y3 + 68, "Liquid Cooling", True)
    p.text(L0 + 16, y3 + 106, "Hot Tube Side Fluid:", 22, anchor="lm")
    combo(p, L0 + 16, y3 + 124, 476, fluid)
    p.text(L0 + 16, y3 + 182, "Overall Bare Tube Heat Transfer Coefficient:",
           22, anchor="lm")
    field(p, L0 + 16, y3 + 202, 80, rng[0])
    p.text(L0 + 108, y3 + 219, "to", 22, anchor="lm")
    field(p, L0 + 140, y3 + 202, 80, rng[1])
    p.text(L0 + 16, y3 + 270, "Btu/(Hr-SqFt-F), Used =", 22, anchor="lm")
    field(p, L0 + 290, y3 + 253, 90, rng[2])
    # 4
    group(p, R0, top, R1, top + 62, "4. Select Fan Draft")
    x = radio(p, R0 + 20, top + 34, "Forced", True)
    radio(p, x + 40, top + 34, "Induced", False)
    # 5
    y5 = top + 84
    group(p, R0, y5, R1, y5 + 176, "5. Input Hot Fluid Parameters")
    for i, (lab, val) in enumerate([("Heat Duty, Million Btu/Hr", "12.5"),
                                    ("Inlet Temperature, °F", "180"),
                                    ("Outlet Temperature, °F", "120")]):
        yy = y5 + 36 + i * 46
        p.text(R0 + 16, yy + 17, lab, 22, anchor="lm")
        field(p, R1 - 110, yy, 94, val)
    # 6
    y6 = y5 + 198
    group(p, R0, y6, R1, y6 + 276, "6. Input KELD Parameters")
    for i, (lab, val) in enumerate([("Inlet Air Temperature, °F", "95"),
                                    ("Tube Length, Feet", "30"),
                                    ("Number of Tube Rows:", "5"),
                                    ("Tubes and Headers:", None),
                                    ("Price Multiplication Factor:", "1.1")]):
        yy = y6 + 32 + i * 48
        p.text(R0 + 16, yy + 17, lab, 22, anchor="lm")
        if val is None:
            combo(p, R1 - 170, yy, 154, "Steel")
        else:
            field(p, R1 - 110, yy, 94, val)
    return [(L0, top), (L0, y2), (L0, y3), (R0, top), (R0, y5), (R0, y6)]


def ins01():
    p = Pic("ins01.png")
    y = window(p, 16, 12, 1116, 790, "KELD - default.ini",
               ["File", "Calculate", "Instructions", "Reset", "Tutorial",
                "About"])
    p.text(566, y + 14, "Input for KELD Size and Price Estimate", 24, "bold",
           anchor="ma")
    corners = sheet_items(p)
    button(p, 180, 700, 400, 748, "Calculate", default=True)
    for n, (x, yb) in enumerate(corners):
        badge(p, x - 14, yb, str(n + 1), r=18)
    return p


def ins02():
    p = Pic("ins02.png")
    p.title("Items 1 and 2: project and units")
    group(p, 40, 110, 700, 270, "1. Input Project Description", 26, bg=WHITE)
    p.text(64, 160, "Title:", 26, anchor="lm")
    field(p, 270, 138, 400, "Cooling Water Return", 26, h=44)
    p.text(64, 226, "Item Number:", 26, anchor="lm")
    field(p, 270, 204, 200, "E-101", 26, h=44)
    note(p, 730, 144, ["required"])
    p.arrow(726, 160, 680, 160, width=3, color=BADGE, head=14)
    note(p, 730, 210, ["optional"])
    p.arrow(726, 226, 480, 226, width=3, color=BADGE, head=14)
    group(p, 40, 320, 700, 400, "2. Select Units", 26, bg=WHITE)
    x = radio(p, 70, 364, "English", True, 26)
    radio(p, x + 60, 364, "Metric", False, 26)
    # unit table
    top = 450
    cols = (40, 520, 1092)
    p.rect(cols[0], top, cols[2], top + 50, fill=LIGHT, outline=None)
    p.text(cols[0] + 20, top + 25, "English", 26, "bold", anchor="lm")
    p.text(cols[1] + 20, top + 25, "Metric", 26, "bold", anchor="lm")
    rows = [("Btu/(Hr-SqFt-F)", "W/(SqM-C)"), ("Million Btu/Hr", "MW"),
            ("°F", "°C"), ("Feet", "Meters")]
    for i, (e, m) in enumerate(rows):
        y = top + 50 + i * 56
        p.line([(cols[0], y), (cols[2], y)], width=1.5, color=MID)
        p.text(cols[0] + 20, y + 28, e, 26, anchor="lm")
        p.text(cols[1] + 20, y + 28, m, 26, anchor="lm")
    p.rect(cols[0], top, cols[2], top + 50 + 4 * 56, outline=MID, width=2)
    p.line([(cols[1], top), (cols[1], top + 50 + 4 * 56)], width=1.5,
           color=MID)
    return p


def ins03():
    p = Pic("ins03.png")
    p.title("Item 3: service, fluid and coefficient")
    group(p, 40, 100, 1092, 390, "3. Select Type of Service and Hot Fluid",
          24, bg=WHITE)
    p.text(60, 140, "Service:", 24, anchor="lm")
    x = radio(p, 170, 140, "Condensing", True, 24)
    x = radio(p, x + 40, 140, "Gas Cooling", False, 24)
    radio(p, x + 40, 140, "Liquid Cooling", False, 24)
    p.text(60, 196, "Hot Tube Side Fluid:", 24, anchor="lm")
    combo(p, 320, 178, 500, "Steam @ 0 to 20 psig", 24, h=38)
    p.text(60, 262, "Overall Bare Tube Heat Transfer Coefficient:", 24,
           anchor="lm")
    field(p, 600, 244, 90, "110", 24, h=38)
    p.text(704, 262, "to", 24, anchor="lm")
    field(p, 740, 244, 90, "175", 24, h=38)
    p.text(60, 330, "Btu/(Hr-SqFt-F), Used =", 24, anchor="lm")
    field(p, 360, 312, 110, "142.5", 24, h=38)
    note(p, 850, 236, ["typical range"])
    note(p, 500, 318, ["the value used: yours may be 6 to 200"])
    # the condensing list
    p.text(40, 420, "The Condensing list", 26, "bold")
    items = ["Steam @ 0 to 20 psig", "Amine Reactivator", "Ammonia",
             "Freon 12", "Freon 22", "Light Hydrocarbons C2, C3, C4",
             "Light Gasoline C5, C6", "Light Naphtha", "Heavy Naphtha",
             "Amine Still OH @ 230 to 180 °F",
             "Amine Still OH @ 180 to 120 °F",
             "Still OH, Light Naphtha + Steam + NC", "Reactor Effluent",
             "Benzene, Toluene, Xylene", "User Defined Condensate"]
    for i, it in enumerate(items):
        col, row = divmod(i, 8)
        x = 40 + col * 540
        y = 468 + row * 38
        if i == 0:
            p.rect(x - 6, y - 4, x + 500, y + 30, fill=SELECT, outline=None)
            p.text(x, y, it, 23, color=WHITE)
        elif i == len(items) - 1:
            p.text(x, y, it, 23, "bold", BADGE)
        else:
            p.text(x, y, it, 23)
    note(p, 580, 468 + 7 * 38 + 4, ["last entry: a fluid of your own"], 23)
    return p


def small_unit(p, cx, y_top, forced):
    """A small side view of a unit for the draft pictures."""
    if forced:
        bundle(p, cx - 120, y_top, cx + 120, y_top + 40, rows=3)
        p.poly([(cx - 100, y_top + 40), (cx + 100, y_top + 40),
                (cx + 60, y_top + 100), (cx - 60, y_top + 100)], fill=PANEL,
               outline=INK, width=2.5)
        fan(p, cx, y_top + 108, 58)
        air_arrow(p, cx, y_top + 200, y_top + 130, width=5, head=20)
        p.arrow(cx, y_top - 10, cx, y_top - 60, width=5, color=(214, 120, 60),
                head=20)
    else:
        bundle(p, cx - 120, y_top + 120, cx + 120, y_top + 160, rows=3)
        p.poly([(cx - 100, y_top + 120), (cx + 100, y_top + 120),
                (cx + 60, y_top + 60), (cx - 60, y_top + 60)], fill=PANEL,
               outline=INK, width=2.5)
        fan(p, cx, y_top + 52, 58)
        air_arrow(p, cx, y_top + 230, y_top + 172, width=5, head=20)
        p.arrow(cx, y_top + 36, cx, y_top - 20, width=5, color=(214, 120, 60),
                head=20)


def ins04():
    p = Pic("ins04.png")
    p.title("Item 4: fan draft")
    group(p, 40, 110, 620, 190, "4. Select Fan Draft", 26, bg=WHITE)
    x = radio(p, 70, 154, "Forced", True, 26)
    radio(p, x + 60, 154, "Induced", False, 26)
    small_unit(p, 300, 320, True)
    small_unit(p, 800, 300, False)
    p.text(300, 560, "Forced", 28, "bold", anchor="ma")
    p.text(800, 560, "Induced", 28, "bold", anchor="ma")
    p.rect(40, 630, 1092, 780, fill=(255, 240, 224), outline=BADGE, width=3,
           r=12)
    p.lines(64, 646, ["Air leaving above 250 °F (121 °C): the report shows",
                      "Forced, while the sheet keeps your choice.",
                      "Fewer tube rows give more air and a cooler outlet."],
            26, gap=1.45)
    p.lines(660, 118, ["The draft is printed in the report;",
                       "it does not change the sizing."], 24, color=GREY,
            gap=1.35)
    return p


def ins05():
    p = Pic("ins05.png")
    p.title("Item 5: hot fluid parameters")
    group(p, 40, 100, 640, 300, "5. Input Hot Fluid Parameters", 24, bg=WHITE)
    rows = [("Heat Duty, Million Btu/Hr", "10", "0.1 to 9990"),
            ("Inlet Temperature, °F", "200", "above air inlet, up to 750 °F"),
            ("Outlet Temperature, °F", "120", "between air inlet and hot inlet")]
    for i, (lab, val, rng) in enumerate(rows):
        y = 140 + i * 52
        p.text(60, y + 19, lab, 24, anchor="lm")
        field(p, 510, y, 110, val, 24, h=38)
        p.text(660, y + 19, rng, 23, "bold", BADGE, anchor="lm")
    # temperature picture (counterflow)
    xl, xr, yb, yt = 150, 880, 720, 360
    tmin, tmax = 80, 210
    sy = (yb - yt) / (tmax - tmin)

    def ty(t):
        return yb - (t - tmin) * sy
    p.line([(xl, yb), (xr, yb)], width=3)
    p.line([(xl, yb), (xl, yt - 10)], width=3)
    p.text(40, yt - 34, "°F", 26, "bold")
    for t in (100, 150, 200):
        p.line([(xl - 10, ty(t)), (xl, ty(t))], width=3)
        p.text(xl - 16, ty(t), str(t), 24, anchor="rm")
    p.line([(xl, ty(200)), (xr, ty(120))], width=5, color=HOT)
    p.line([(xl, ty(164.6)), (xr, ty(95))], width=5, color=AIR)
    p.arrow(xl + 300, ty(200) + (ty(120) - ty(200)) * 300 / (xr - xl) - 24,
            xl + 420, ty(200) + (ty(120) - ty(200)) * 420 / (xr - xl) - 24,
            width=3, color=HOT, head=14)
    p.arrow(xl + 560, ty(95) + (ty(164.6) - ty(95)) * (1 - 560 / (xr - xl)) + 24,
            xl + 440, ty(95) + (ty(164.6) - ty(95)) * (1 - 440 / (xr - xl)) + 24,
            width=3, color=AIR, head=14)
    p.text(xl + 12, ty(200) - 14, "hot in 200", 24, "bold", HOT, anchor="ls")
    p.text(xr + 10, ty(120), "hot out 120", 24, "bold", HOT, anchor="lm")
    p.text(xr + 10, ty(95), "air in 95", 24, "bold", AIR, anchor="lm")
    p.text(xl + 12, ty(164.6) + 58, "air out 164.6", 24, "bold", AIR,
           anchor="la")
    p.arrow(xr - 20, ty(120), xr - 20, ty(95), width=2.5, head=12, both=True)
    p.text(xr + 10, (ty(120) + ty(95)) / 2, "approach 25", 23, anchor="lm")
    p.text((xl + xr) / 2, yb + 14, "along the bundle", 24, GREY, anchor="ma")
    return p


def ins06():
    p = Pic("ins06.png")
    p.title("Item 6: air, tubes, rows, material, price")
    group(p, 40, 100, 640, 400, "6. Input KELD Parameters", 24, bg=WHITE)
    rows = [("Inlet Air Temperature, °F", "95", "-40 to 200 °F"),
            ("Tube Length, Feet", "30", "8 to 60 ft"),
            ("Number of Tube Rows:", "10", "3 to 10"),
            ("Tubes and Headers:", None, "price factor 1.0 to 12.5"),
            ("Price Multiplication Factor:", "1", "multiplies the price")]
    for i, (lab, val, rng) in enumerate(rows):
        y = 136 + i * 52
        p.text(60, y + 19, lab, 24, anchor="lm")
        if val is None:
            combo(p, 440, y, 180, "Steel", 24, h=38)
        else:
            field(p, 510, y, 110, val, 24, h=38)
        p.text(660, y + 19, rng, 23, "bold", BADGE, anchor="lm")
    # the mouse pointer clicking into the rows field
    mx, my = 560, 258
    arrow_pts = [(mx, my), (mx, my + 34), (mx + 9, my + 26), (mx + 16, my + 40),
                 (mx + 22, my + 37), (mx + 15, my + 23), (mx + 26, my + 23)]
    p.poly(arrow_pts, fill=WHITE, outline=INK, width=2)
    p.rect(40, 450, 1092, 750, fill=AIR_FILL, outline=None, r=12)
    p.text(64, 470, "Number of tube rows", 28, "bold")
    p.lines(64, 524, [
        "The sheet suggests 4, 5, 6, 8 or 10 rows whenever a",
        "temperature or the coefficient changes.",
        "To keep your own count, click into the field with",
        "the mouse, then type it.",
        "A later change of a temperature or U suggests again."], 26,
        gap=1.42)
    return p


def message_box(p, x0, y0, x1, lines_, size=26):
    h = 38 + 30 + len(lines_) * size * 1.4 + 80
    y = window(p, x0, y0, x1, y0 + h, "KELD2")
    p.rect(x0 + 2, y, x1 - 2, y0 + h - 2, fill=WHITE, outline=None)
    p.lines(x0 + 30, y + 24, lines_, size, gap=1.4)
    cx = (x0 + x1) / 2
    button(p, cx - 60, y0 + h - 62, cx + 60, y0 + h - 18, "OK", 24,
           default=True)
    return y0 + h


def ins07():
    p = Pic("ins07.png")
    p.title("Calculate: checks, sizing, report")
    button(p, 40, 110, 280, 166, "Calculate", 26, default=True)
    message_box(p, 320, 96, 1092, ["The Tube Length (Item 6) is out of range.",
                                   "Values between 8 and 60 feet are valid."])
    message_box(p, 320, 370, 1092, ["All calculation completed without error."])
    p.lines(40, 220, ["an entry is", "out of range:"], 24, "bold", BADGE,
            gap=1.3)
    p.lines(40, 430, ["all entries", "are valid:"], 24, "bold", GOOD, gap=1.3)
    flow = ["Calculate", "check item by item", "size the bundle", "report"]
    x = 40
    y = 660
    widths = [190, 300, 280, 150]
    for i, (t, w) in enumerate(zip(flow, widths)):
        fill = AIR_FILL if i else (232, 234, 238)
        p.rect(x, y, x + w, y + 64, fill=fill, outline=INK, width=2.5, r=10)
        p.text(x + w / 2, y + 32, t, 25, anchor="mm")
        if i < len(flow) - 1:
            p.arrow(x + w + 4, y + 32, x + w + 40, y + 32, width=4, head=14)
        x += w + 44
    p.text(40, 600, "The first missing or wrong entry stops with a message.",
           24, GREY)
    return p


REPORT_LINES = [
    ("Heat duty", "MMBtu/hr", "10.0", "2.93", "MW"),
    ("Hot fluid in", "°F", "200", "93.3", "°C"),
    ("Hot fluid out", "°F", "120", "48.9", "°C"),
    ("Air in", "°F", "95.0", "35.0", "°C"),
    ("Air out", "°F", "165", "73.7", "°C"),
    ("Air flow", "lb/hr", "599,000", "75.4", "kg/s"),
    ("Tube rows", "", "10", "", ""),
    ("Tubes", "", "580", "", ""),
    ("Bare surface", "sq ft", "4,560", "423", "sq m"),
    ("Width", "ft", "12.0", "3.66", "m"),
    ("Fan power", "hp", "35.2", "26.2", "kW"),
    ("Weight", "lb", "43,600", "19,800", "kg"),
    ("Price", "US$", "322,000", "", ""),
]


def ins08():
    p = Pic("ins08.png")
    y = window(p, 16, 12, 1116, 790, "KELD2 Output - E-101.ini",
               ["File", "Print", "Calculations", "Exit"])
    p.rect(40, y + 20, 1092, 770, fill=WHITE, outline=GREY, width=2)
    cw = p.text_size("0", 22, "mono")[0]
    x0 = 64
    xe = x0 + 25 * cw
    xm = xe + 13 * cw
    bottom = y + 90 + len(REPORT_LINES) * 35 + 6
    p.rect(xe - 10, y + 30, xe + 10 * cw, bottom, fill=HOT_FILL, outline=None)
    p.rect(xm - 10, y + 30, xm + 13 * cw, bottom, fill=AIR_FILL, outline=None)
    p.text(xe, y + 44, "English", 22, "monob")
    p.text(xm, y + 44, "Metric", 22, "monob")
    for i, (lab, ue, e, m, um) in enumerate(REPORT_LINES):
        yy = y + 90 + i * 35
        p.text(x0, yy, lab, 22, "mono")
        p.text(xe, yy, e, 22, "mono")
        if m:
            p.text(xm, yy, m, 22, "mono")
        if ue:
            p.text(xm + 14 * cw, yy, f"{ue} | {um}" if um else ue, 22, "mono",
                   GREY)
    note(p, x0, bottom + 34, ["Print sends the report to a printer;",
                              "Calculations goes back to the sheet."], 24)
    return p


def file_icon(p, x, y, name):
    p.poly([(x, y), (x + 26, y), (x + 36, y + 10), (x + 36, y + 44),
            (x, y + 44)], fill=WHITE, outline=INK, width=2)
    p.text(x + 50, y + 22, name, 24, anchor="lm")


def ins09():
    p = Pic("ins09.png")
    p.title("Project files")
    # the File menu
    y = window(p, 40, 90, 420, 330, "KELD - E-101.ini", ["File", "Calculate"])
    p.rect(42, y, 250, y + 150, fill=WHITE, outline=GREY, width=2)
    for i, t in enumerate(["Open", "Save", "Exit"]):
        p.text(62, y + 26 + i * 46, t, 24, anchor="lm")
    # folder
    fx, fy = 600, 110
    p.poly([(fx, fy + 20), (fx + 90, fy + 20), (fx + 110, fy + 40),
            (fx + 470, fy + 40), (fx + 470, fy + 380), (fx, fy + 380)],
           fill=(255, 244, 214), outline=INK, width=2.5)
    p.text(fx + 20, fy + 74, "Files", 28, "bold", anchor="lm")
    file_icon(p, fx + 30, fy + 120, "default.ini")
    file_icon(p, fx + 30, fy + 190, "E-101.ini")
    file_icon(p, fx + 30, fy + 260, "condenser.ini")
    p.arrow(430, 180, 590, 180, width=4, color=AIR, head=16)
    p.text(510, 168, "Save", 24, "bold", AIR, anchor="ms")
    p.arrow(590, 245, 430, 245, width=4, color=GOOD, head=16)
    p.text(510, 233, "Open", 24, "bold", GOOD, anchor="ms")
    p.arrow(590, 310, 430, 310, width=4, color=GREY, head=16)
    p.text(510, 298, "Reset", 24, "bold", GREY, anchor="ms")
    p.lines(40, 540, ["At start and with Reset the sheet reads default.ini.",
                      "The caption names the file the sheet matches:",
                      ], 26, gap=1.5)
    p.text(80, 660, "KELD - E-101.ini", 24, "bold")
    p.text(420, 660, "unchanged since Open or Save", 24, GREY)
    p.text(80, 710, "KELD - ", 24, "bold")
    p.text(420, 710, "changed: save before you leave", 24, GREY)
    return p


def ins10():
    p = Pic("ins10.png")
    p.title("Your own price: Ctrl+P on the sheet")
    for i, k in enumerate(["Ctrl", "P"]):
        x = 60 + i * 170
        p.rect(x, 110, x + 110, 180, fill=WHITE, outline=INK, width=3, r=10)
        p.text(x + 55, 145, k, 28, "bold", anchor="mm")
    p.text(200, 145, "+", 30, "bold", anchor="mm")
    p.text(380, 145, "while the calculation sheet is active", 26, GREY,
           anchor="lm")
    y = window(p, 60, 230, 620, 500, "KELD Price")
    p.text(90, y + 36, "Enter KELD Price (US Dollars)", 24, anchor="lm")
    field(p, 90, y + 70, 300, "125000", 24, h=40)
    button(p, 110, y + 140, 250, y + 190, "OK", 24, default=True)
    button(p, 290, y + 140, 430, y + 190, "Cancel", 24)
    p.arrow(640, 380, 720, 380, width=5, color=INK, head=18)
    p.rect(740, 300, 1092, 460, fill=WHITE, outline=GREY, width=2)
    p.text(760, 330, "report", 24, GREY)
    p.text(760, 400, "Price   125,000*", 26, "monob")
    p.lines(40, 560, [
        "The price, in US dollars and above 0, replaces the estimate",
        "in the next report and is marked there with *.",
        "No factor and no lowest price apply to it.",
        "Closing the report clears it."],
        26, gap=1.45)
    return p


def ins11():
    p = Pic("ins11.png")
    p.title("A fluid of your own")
    y = window(p, 40, 90, 640, 500, "Fluid Name")
    group(p, 64, y + 34, 616, y + 346, "User Defined Fluid Selected", 24)
    p.text(88, y + 76, "Enter Fluid Name (optional):", 24, anchor="lm")
    field(p, 88, y + 98, 500, "Brine", 24, h=40)
    p.text(88, y + 176, "Enter Overall Heat Transfer", 24, anchor="lm")
    p.text(88, y + 208, "Coefficient:", 24, anchor="lm")
    field(p, 88, y + 230, 140, "75", 24, h=40)
    p.text(244, y + 250, "Btu/(Hr-SqFt-F)", 24, anchor="lm")
    button(p, 120, y + 290, 270, y + 334, "OK", 24, default=True)
    button(p, 330, y + 290, 480, y + 334, "Cancel", 24)
    x = 680
    p.text(x, 120, "Fluid list, last entry", 24, "bold")
    combo(p, x, 160, 412, "User Defined Liquid", 23, h=38)
    p.arrow(880, 210, 880, 270, width=4, head=16)
    p.text(896, 240, "OK", 24, "bold", anchor="lm")
    combo(p, x, 282, 412, "User Defined Liquid: Brine", 23, h=38)
    p.text(x, 350, "Coefficient on the sheet:", 24, anchor="la")
    p.text(x, 390, "75  to  75,  Used = 75", 24, "bold")
    p.lines(40, 560, [
        "Coefficient: 6 to 200 Btu/(Hr-SqFt-F) on an English sheet,",
        "about 34 to 1135 W/(SqM-C) on a Metric sheet.",
        "Cancel returns to the first fluid of the list."], 26, gap=1.45)
    return p


def cover():
    """The cover picture: a forced-draft unit under the program's name."""
    p = Pic("cover.gif", 600, 400)
    top, bottom = (206, 226, 246), (255, 255, 255)
    for y in range(0, 300):
        t = y / 299
        col = tuple(int(top[i] + (bottom[i] - top[i]) * t) for i in range(3))
        p.rect(0, y, 600, y + 1, fill=col, outline=None)
    p.rect(0, 372, 600, 400, fill=(214, 218, 210), outline=None)
    p.line([(0, 372), (600, 372)], width=2.5, color=GREY)
    p.text(300, 16, "KELD", 84, "bold", TITLEBAR, anchor="ma")
    p.text(300, 118, "Air-Cooled Heat Exchanger Estimate", 26, "bold",
           (60, 70, 84), anchor="ma")
    # the unit
    for x in (130, 470):
        p.rect(x - 6, 250, x + 6, 372, fill=STEEL, outline=None)
    for x in (150, 250, 350, 450):
        p.arrow(x, 200, x, 168, width=5, color=(214, 120, 60), head=16)
    p.poly([(140, 248), (460, 248), (420, 300), (180, 300)], fill=PANEL,
           outline=INK, width=2.5)
    bundle(p, 120, 206, 480, 250, rows=4)
    header_box(p, 92, 196, 120, 260)
    header_box(p, 480, 196, 508, 260)
    p.rect(98, 176, 114, 196, fill=(176, 186, 198), outline=INK, width=2)
    p.rect(486, 260, 502, 280, fill=(176, 186, 198), outline=INK, width=2)
    for cx in (240, 360):
        fan(p, cx, 308, 46)
        motor(p, cx, 326, 350, 312)
    for x in (196, 284, 316, 404):
        p.arrow(x, 396, x, 350, width=5, color=AIR, head=15)
    return p


def save_cover(outdir):
    pic = cover()
    img = pic.final().quantize(colors=256, method=Image.Quantize.MEDIANCUT,
                               dither=Image.Dither.NONE)
    path = os.path.join(outdir, "cover.gif")
    img.save(path, optimize=True)
    return path


def main():
    outdir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "data", "Pictures")
    outdir = os.path.normpath(outdir)
    os.makedirs(outdir, exist_ok=True)
    makers = [tut01, tut02, tut03, tut04, tut05, tut06, tut07, tut08, tut09,
              tut10, tut11, tut12, tut13, tut14, ins01, ins02, ins03, ins04,
              ins05, ins06, ins07, ins08, ins09, ins10, ins11]
    only = set(sys.argv[2:])
    for make in makers:
        if only and make.__name__ not in only:
            continue
        pic = make()
        print(pic.save(outdir))
    if not only or "cover" in only:
        print(save_cover(outdir))


if __name__ == "__main__":
    main()

"""The picture itself: a supersampled canvas in final-pixel coordinates, its
fonts and colours, and the layout checks (text size, text inside the
picture, no two labels overlapping)."""

import math
import os

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
             check=True, clip=None):
        """Text at (x, y); with clip, a left-anchored text is cut at that x."""
        if isinstance(kind, tuple):          # text(x, y, s, size, COLOUR)
            kind, color = "sans", kind
        if size < MIN_TEXT:
            raise LayoutError(f"{self.name}: text '{s}' smaller than "
                              f"{MIN_TEXT} px")
        f = font(kind, size)
        while clip is not None and s and x + self.text_size(s, size, kind)[0] > clip:
            s = s[:-1]
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

    def text_up(self, x, y, s, size=26, kind="sans", color=INK):
        """Text read upwards (turned a quarter to the left), its middle at
        (x, y), as a chart's vertical axis title; checked like text()."""
        if size < MIN_TEXT:
            raise LayoutError(f"{self.name}: text '{s}' smaller than "
                              f"{MIN_TEXT} px")
        f = font(kind, size)
        l, t, r, b = self.d.textbbox((0, 0), s, font=f, anchor="la")
        layer = Image.new("L", (r - l + 2 * SS, b - t + 2 * SS), 0)
        ImageDraw.Draw(layer).text((SS - l, SS - t), s, font=f, fill=255,
                                   anchor="la")
        layer = layer.rotate(90, expand=True)
        w, h = layer.size
        left, top = round(x * SS - w / 2), round(y * SS - h / 2)
        self.img.paste(Image.new("RGB", layer.size, color), (left, top),
                       layer)
        box = (left / SS, top / SS, (left + w) / SS, (top + h) / SS)
        if box[0] < 2 or box[1] < 2 or box[2] > self.w - 2 or box[3] > self.h - 2:
            raise LayoutError(f"{self.name}: text '{s}' leaves the picture "
                              f"at {tuple(round(v) for v in box)}")
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



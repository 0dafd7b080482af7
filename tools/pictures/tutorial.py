"""The pictures of the tutorial pages, tut01 to tut16.

Every figure of the estimate in them (tube geometry, fin surface, materials,
row bands, fan power, weight, price, the worked example, fans, noise and the
cost of ownership) comes from
keld-size runs through the figures module; each drawing function takes the
KeldSize runner as its one argument.
"""

import math

from . import figures as F
from .canvas import (AIR, AIR_FILL, ALU, BAD, BADGE, GOOD, GREY, HOT,
                     HOT_FILL, INK, LIGHT, MID, PANEL, STEEL, STEEL_FILL,
                     WHITE, Pic)
from .keld import report_value
from .parts import air_arrow, bundle, callout, fan, header_box, leader, motor


def tut01(k):
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


def tut02(k):
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



def tube_geometry(k):
    """Tube outside diameter (in), tubes per foot of width and row, and bare
    surface per foot of tube (sq ft), as the example run used them."""
    run = F.example(k)
    od = float(report_value(k.report(F.EXAMPLE),
                            "Tube outside diameter (in | mm)")[1][0])
    return od, run["TUBESPERFOOT"], run["ATUBEPERFOOT"]


def tut03(k):
    od, per_foot, per_tube_foot = tube_geometry(k)
    pitch_in = 12 / per_foot
    p = Pic("tut03.png")
    p.title(f"Bundle cross-section: {od:g} inch tubes on a {pitch_in:g} inch pitch")
    px = 36.0                       # pixels per inch
    pitch = pitch_in * px
    rowgap = pitch * math.sqrt(3) / 2
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
        p.circle(cx, cy, od / 2 * px, fill=STEEL, outline=INK, width=2.5)
    for r in range(rows):
        y = y_top + r * rowgap
        p.text(120, y, f"row {r + 1}", 24, anchor="rm")
    # pitch dimension on top row
    xa, xb = x_start + 2 * pitch, x_start + 3 * pitch
    ydim = y_top - 80
    for x in (xa, xb):
        p.line([(x, ydim - 12), (x, y_top - 42)], width=2, color=GREY)
    p.arrow(xa, ydim, xb, ydim, width=2.5, color=INK, head=14, both=True)
    p.text((xa + xb) / 2, ydim - 12, f"pitch {pitch_in:g} in", 26, "bold",
           anchor="ms")
    # tube OD label
    t = centres[7]
    leader(p, 1000, 140, t[0] + 10, t[1] - 10)
    p.text(1100, 130, f"tube, {od:g} in OD", 26, "bold", anchor="rm")
    # one foot of width
    yft = y_top + 3 * rowgap + 80
    xf0 = x_start - pitch / 2 + 0.0
    xf1 = xf0 + 12 * px
    for x in (xf0, xf1):
        p.line([(x, yft - 30), (x, yft + 12)], width=2, color=GREY)
    p.arrow(xf0, yft, xf1, yft, width=2.5, color=INK, head=14, both=True)
    p.text((xf0 + xf1) / 2, yft + 14,
           f"1 ft of width = 12 / {pitch_in:g} = {per_foot:g} tubes per row",
           26, "bold", anchor="ma")
    callout(p, 1030, 463, "fins", 993, 470, 26, "bold")
    p.lines(40, 626, ["Bare tube surface behind 1 sq ft of face, per row:",
                      f"{per_foot:g} × {per_tube_foot:.4f} sq ft per ft of tube = "
                      f"{per_foot * per_tube_foot:.3f} sq ft"], 26, gap=1.4)
    for x in (820, 940, 1060):
        air_arrow(p, x, 790, 700)
    p.text(940, 660, "air", 28, "bold", AIR, anchor="mm")
    return p


def tut04(k):
    run = F.example(k)
    ratio = run["ATUBEFINTOTAL"] / run["ATUBEBARETOTAL"]
    (cool, cool_fins), (hot, hot_fins), limit = F.fins(k)
    p = Pic("tut04.png")
    p.title(f"Finned surface = {ratio:.1f} × bare tube surface")
    od = tube_geometry(k)[0]
    # longitudinal view of a finned tube
    y = 250
    r_t, r_f = 30, 78
    x0, x1 = 70, 1060
    x = x0 + 10
    while x < x1 - 10:
        p.rect(x, y - r_f, x + 3.5, y + r_f, fill=ALU, outline=None)
        x += 16
    p.rect(x0, y - r_t, x1, y + r_t, fill=STEEL, outline=INK, width=3)
    p.text(565, y, f"bare tube, {od:g} in OD", 26, "bold", WHITE, anchor="mm")
    # fins per inch: ten fin spacings make one inch here
    xa = x0 + 10 + 16 * 34
    xb = xa + 160
    for xx in (xa, xb):
        p.line([(xx, 110), (xx, 168)], width=2, color=GREY)
    p.arrow(xa, 120, xb, 120, width=2.5, head=12, both=True)
    p.text(xb + 16, 120, f"1 inch: {cool_fins[0]} or {hot_fins[0]} fins", 26,
           "bold", anchor="lm")
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

    inset(40, f"{cool} fin", f"hot fluid in up to {limit:g} °F", False)
    inset(580, f"{hot} fin", f"hot fluid in above {limit:g} °F", True)
    return p


def tut05(k):
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



def tut06(k):
    mats = F.materials(k)
    top = max(f for _, f in mats)
    p = Pic("tut06.png")
    p.title("Price factor of tubes and headers (steel = 1)")
    x_lab = 320
    xmax = 1000
    scale = (xmax - x_lab - 20) / top
    y = 120
    step = 64
    for name, f in mats:
        p.text(x_lab - 14, y + 22, name, 26, anchor="rm")
        col = AIR if f < 2 else (BADGE if f < 7 else HOT)
        p.rect(x_lab, y + 4, x_lab + f * scale, y + 40, fill=col, outline=None)
        p.text(x_lab + f * scale + 12, y + 22, f"{f:.2f}", 26, "bold",
               anchor="lm")
        y += step
    p.line([(x_lab, 110), (x_lab, y)], width=3)
    xs = x_lab + scale
    p.line([(xs, 110), (xs, y)], width=2, color=GREY, dash=(8, 6))
    return p


def example_steps(k):
    """The six sizing steps of the tutorial, as on the page tut07, each with
    the figures of the worked example (one or two lines)."""
    c = F.example(k).case
    return [
        ("P = (Thot,in − Thot,out) / (Thot,in − Tair,in)",
         [f"P = {c['PHOT']:.3f}"]),
        ("Row index 100·P/U → rows, face velocity",
         [f"index {c['ROWINDEX']:.3f}:",
          f"{c['NROWS']} rows, {c['FACEVELOCITY']:g} ft/min"]),
        ("Rows, face velocity, U → NTU of the air",
         [f"NTU = {c['NTUAIR']:.2f}"]),
        ("A root solver finds the ratio C", [f"C = {c['CRATIO']:.3f}"]),
        ("Air flow → face, width, tubes, outlet air",
         [f"{c['XWIDTH']:g} ft wide, {c['TUBESTOTAL']} tubes",
          f"air out {c['TAIROUT']:.1f} °F"]),
        ("Fan power, weight, price",
         [f"{c['HORSEPOWER']:.1f} hp, {F.sig(c['WEIGHTTOTAL'], 5)} lb",
          f"{c['COSTTOTAL']:,.0f} US$"]),
    ]


def tut07(k):
    steps = example_steps(k)
    p = Pic("tut07.png")
    p.text(36, 18, "The sizing steps", 32, "bold")
    p.text(1100, 24, "example", 26, "bold", AIR, anchor="ra")
    y = 76
    bh, gap = 66, 32
    x1 = 670
    mid = (40 + x1) / 2
    e = F.EXAMPLE
    given = [f"{float(e.duty):g} MMBtu/hr, U = {float(e.used):g}",
             f"{float(e.hot_in):g} → {float(e.hot_out):g} °F, air "
             f"{float(e.air_in):g} °F, {float(e.length):g} ft"]

    def example_text(lines):
        if len(lines) == 1:
            p.text(1100, y + bh / 2, lines[0], 25, "bold", AIR, anchor="rm")
        else:
            p.text(1100, y + bh / 2 - 2, lines[0], 23, "bold", AIR, anchor="rs")
            p.text(1100, y + bh / 2 + 2, lines[1], 23, "bold", AIR, anchor="ra")

    p.rect(40, y, x1, y + bh, fill=HOT_FILL, outline=INK, width=2.5, r=10)
    p.text(96, y + bh / 2, "Duty, temperatures, U, tube length", 25,
           anchor="lm")
    example_text(given)
    for i, (step, ex) in enumerate(steps):
        p.arrow(mid, y + bh + 2, mid, y + bh + gap - 1, width=4, head=14)
        y += bh + gap
        fill = AIR_FILL if i < len(steps) - 1 else (230, 242, 232)
        p.rect(40, y, x1, y + bh, fill=fill, outline=INK, width=2.5, r=10)
        p.text(66, y + bh / 2, f"{i + 1}", 28, "bold", GREY, anchor="mm")
        p.text(96, y + bh / 2, step, 25, anchor="lm")
        example_text(ex)
    return p


def tut08(k):
    bands = F.row_bands(k)
    index = F.example(k)["ROWINDEX"]
    p = Pic("tut08.png")
    p.title("Steps 1 and 2: the row index picks rows and face velocity", 30)
    xl, xr, yb, yt = 150, 1060, 640, 150
    xmax = 1.2
    sx = (xr - xl) / xmax
    sy = (yb - yt) / 11.0
    cols = [(214, 231, 248), (190, 216, 242), (160, 198, 234), (122, 172, 220),
            (84, 140, 200), (60, 110, 180)]
    for (a, b, rows, v), c in zip(bands, cols):
        b = xmax if b is None else b
        x0, x1 = xl + a * sx, xl + b * sx
        top = yb - rows * sy
        p.rect(x0 + 2, top, x1 - 2, yb, fill=c, outline=INK, width=2)
        p.text((x0 + x1) / 2, top - 10, f"{rows} rows", 25, "bold",
               anchor="ms")
        tc = INK if c[0] > 150 else WHITE
        p.text((x0 + x1) / 2, yb - 60, f"{v:g}", 26, "bold", tc, anchor="ms")
        p.text((x0 + x1) / 2, yb - 24, "ft/min", 22, color=tc, anchor="ms")
    p.line([(xl, yb), (xr + 20, yb)], width=3)
    p.line([(xl, yb), (xl, yt - 20)], width=3)
    for a, _, _, _ in bands:
        x = xl + a * sx
        p.line([(x, yb), (x, yb + 10)], width=3)
        p.text(x, yb + 16, f"{a:.2f}" if a else "0", 24, anchor="ma")
    for r in (2, 4, 6, 8, 10):
        y = yb - r * sy
        p.line([(xl - 10, y), (xl, y)], width=3)
        p.text(xl - 16, y, f"{r}", 24, anchor="rm")
    p.text(40, yt - 46, "tube rows", 24, "bold")
    p.text((xl + xr) / 2, yb + 56, "row index = 100 · P / U", 26, "bold",
           anchor="ma")
    xe = xl + index * sx
    p.line([(xe, yt - 30), (xe, yb)], width=3, color=HOT, dash=(10, 7))
    p.text(xe - 8, yt - 36, f"example {index:.3f}", 24, "bold", HOT,
           anchor="rs")
    p.text(560, 740, "P = (Thot,in − Thot,out) / (Thot,in − Tair,in),   U in Btu/(hr sq ft °F)",
           24, GREY, anchor="ma")
    return p


def eff(n, c):
    """Effectiveness of a counterflow exchanger: the textbook formula,
    drawn here only to illustrate the curves; the sizing is the program's."""
    if abs(1 - c) < 1e-9:
        return n / (1 + n)
    e = math.exp(-n * (1 - c))
    return (1 - e) / (1 - c * e)


def tut09(k):
    c = F.example(k).case
    ntu, cr, phot = c["NTUAIR"], c["CRATIO"], c["PHOT"]
    hot_smaller = phot > ntu / (1 + ntu)
    p = Pic("tut09.png")
    p.text(36, 18, "Steps 3 and 4: transfer units and the ratio C", 30, "bold")
    p.text(36, 64, "Counterflow:  ε = (1 − e^(−N(1−C))) / (1 − C·e^(−N(1−C)))",
           24, GREY)
    xl, xr, yb, yt = 130, 1060, 680, 170
    nmax = 5.0
    sx = (xr - xl) / nmax
    sy = (yb - yt) / 1.0
    for i in range(1, 6):
        x = xl + i * sx
        p.line([(x, yt), (x, yb)], width=1.5, color=LIGHT)
    for i in range(1, 5):
        y = yb - i * 0.25 * sy
        p.line([(xl, y), (xr, y)], width=1.5, color=LIGHT)
    curves = [(0.0, GOOD, "C = 0"), (0.5, AIR, "C = 0.5"),
              (round(cr, 2), HOT, f"C = {cr:.2f}"), (1.0, INK, "C = 1")]
    for cc, col, lab in curves:
        pts = []
        for i in range(0, 401):
            n = nmax * i / 400
            pts.append((xl + n * sx, yb - eff(n, cc) * sy))
        p.line(pts, width=5 if col == HOT else 3.5, color=col)
    p.line([(xl, yb), (xr, yb)], width=3)
    p.line([(xl, yb), (xl, yt)], width=3)
    for i in range(0, 6):
        x = xl + i * sx
        p.line([(x, yb), (x, yb + 10)], width=3)
        p.text(x, yb + 14, f"{i}", 24, anchor="ma")
    for i in range(0, 5):
        y = yb - i * 0.25 * sy
        p.line([(xl - 10, y), (xl, y)], width=3)
        p.text(xl - 16, y, f"{i * 0.25:.2f}", 24, anchor="rm")
    p.text((xl + xr) / 2, yb + 48, "N, transfer units of the smaller stream",
           26, "bold", anchor="ma")
    p.text(40, 114, "ε, effectiveness", 26, "bold")
    # legend
    lx, ly = 700, 420
    p.rect(lx - 20, ly - 20, 1046, ly + 4 * 42 - 4, fill=WHITE, outline=MID,
           width=2, r=8)
    for i, (cc, col, lab) in enumerate(curves):
        y = ly + i * 42 + 10
        p.line([(lx, y), (lx + 60, y)], width=5, color=col)
        p.text(lx + 76, y, lab, 26, anchor="lm")
    # the example: the program's NTU, C and P
    if hot_smaller:
        n_ex, e_ex = ntu / cr, phot
        rows = ["example, hot fluid smaller:",
                f"N = {ntu:.2f} / {cr:.3f} = {n_ex:.2f}, ε = P = {phot:.3f}"]
    else:
        n_ex, e_ex = ntu, phot / cr
        rows = ["example, air smaller:",
                f"N = NTU = {ntu:.2f}, ε = P / C = {e_ex:.3f}"]
    ex, ey = xl + n_ex * sx, yb - e_ex * sy
    p.circle(ex, ey, 9, fill=HOT, outline=INK, width=2)
    p.lines(300, 598, rows, 24, kind="bold", color=HOT, gap=1.3)
    leader(p, 540, 590, ex - 3, ey + 10, color=HOT)
    return p


def tut10(k):
    run = F.example(k)
    c = run.case
    cp, density, per_face = F.air_properties(run)
    length, width, face = c["LENGTH"], c["XWIDTH"], c["AFACE"]
    rate = c["MAIR"] * cp
    p = Pic("tut10.png")
    p.title("Step 5: from air flow to face, width and tubes")
    s = 24.0                         # pixels per foot
    x0, y0 = 150, 110
    need = face / length
    x1 = x0 + length * s
    y1 = y0 + width * s
    yn = y0 + need * s
    p.rect(x0, y0, x1, yn, fill=AIR_FILL, outline=None)
    p.rect(x0, yn, x1, y1, fill=(255, 236, 200), outline=None)
    yy = y0 + s / c["TUBESPERFOOT"] / 2
    while yy < y1:
        p.line([(x0, yy), (x1, yy)], width=1, color=(150, 170, 190))
        yy += s / c["TUBESPERFOOT"]
    p.line([(x0, yn), (x1, yn)], width=3, color=HOT, dash=(10, 6))
    p.rect(x0, y0, x1, y1, outline=INK, width=3)
    header_box(p, x0 - 30, y0 - 8, x0, y1 + 8)
    header_box(p, x1, y0 - 8, x1 + 30, y1 + 8)
    p.text((x0 + x1) / 2, (y0 + yn) / 2, f"face needed: {face:.1f} sq ft", 28,
           "bold", anchor="mm")
    # dimensions
    yd = y1 + 40
    p.arrow(x0, yd, x1, yd, width=2.5, head=14, both=True)
    p.text((x0 + x1) / 2, yd + 10, f"tube length {length:g} ft", 26,
           anchor="ma")
    xd = x1 + 64
    p.arrow(xd, y0, xd, y1, width=2.5, head=14, both=True)
    p.text(xd + 16, y0 + 70, "width", 26, "bold", anchor="lm")
    p.text(xd + 16, y0 + 110, f"{width:g} ft", 26, "bold", anchor="lm")
    p.text(xd + 16, (yn + y1) / 2, "extra", 24, HOT, anchor="lm")
    per_row = c["TUBESPERFOOT"] * width
    rows = [
        f"air capacity rate = {F.sig(c['MAIR'], 5)} lb/hr × {cp:.2f} = "
        f"{F.sig(rate, 4)} Btu/(hr °F)",
        f"rate per sq ft of face = {c['FACEVELOCITY']:g} × 60 × {density:.3f} × "
        f"{cp:.2f} = {per_face:.0f}",
        "face area = air capacity rate ÷ rate per sq ft of face",
        f"               = {F.sig(rate, 4)} ÷ {per_face:.0f} = {face:.1f} sq ft",
        f"width = {face:.1f} ÷ {length:g} = {need:.1f} ft → {width:g} ft "
        "(next whole foot)",
        f"tubes per row = {c['TUBESPERFOOT']:g} × {width:g} = {per_row:.1f} → "
        f"{c['TUBESPERROW']}",
        f"tubes = {c['TUBESPERROW']} × {c['NROWS']} rows = {c['TUBESTOTAL']}",
    ]
    p.lines(40, 500, rows, 26, gap=1.4)
    return p


def tut11(k):
    tables = F.row_tables(k)
    p = Pic("tut11.png")

    def panel(x0, x1, title1, title2, column, col):
        values = [(r, tables[r][column]) for r in sorted(tables)]
        vmax = max(v for _, v in values)
        p.text((x0 + x1) / 2, 26, title1, 28, "bold", anchor="ma")
        p.text((x0 + x1) / 2, 66, title2, 24, GREY, anchor="ma")
        xl = x0 + 110
        span = x1 - xl - 100
        y = 130
        for rows, v in values:
            p.text(xl - 12, y + 24, f"{rows} rows", 24, anchor="rm")
            p.rect(xl, y + 6, xl + v / vmax * span, y + 42, fill=col,
                   outline=None)
            p.text(xl + v / vmax * span + 10, y + 24, F.fmt(v), 24, "bold",
                   anchor="lm")
            y += 78
        p.line([(xl, 124), (xl, y)], width=3)

    panel(30, 550, "Step 6: fan power", "sq ft of bare surface per hp", 0, AIR)
    p.line([(566, 30), (566, 780)], width=2, color=LIGHT)
    panel(586, 1110, "Step 6: weight", "lb per sq ft of face", 1,
          (120, 130, 142))
    return p


def tut12(k):
    run = F.example(k)
    length = run["LENGTH"]
    small = F.smallest_priced_area(k)
    p = Pic("tut12.png")
    p.title(f"Step 6: price per sq ft of bare surface (steel, {length:g} ft tubes)",
            30)
    xl, xr, yb, yt = 130, 1060, 640, 140
    amax = 20000.0
    vmax = 125.0
    sx = (xr - xl) / amax
    sy = (yb - yt) / vmax
    for i in range(1, 5):
        x = xl + i * 5000 * sx
        p.line([(x, yt), (x, yb)], width=1.5, color=LIGHT)
    for i in range(1, 6):
        y = yb - i * 25 * sy
        p.line([(xl, y), (xr, y)], width=1.5, color=LIGHT)
    # the surface priced as the smallest one
    p.rect(xl + 2, yt, xl + small * sx, yb - 2, fill=(244, 236, 226),
           outline=None)
    drawn = [(4, GOOD), (6, AIR), (8, BADGE), (10, HOT)]
    curves = {r: F.price_curve(k, r, small, amax, length) for r, _ in drawn}
    for r, _ in drawn:
        if r - 1 not in curves:
            curves[r - 1] = F.price_curve(k, r - 1, small, amax, length)
    legend = []
    for rows, col in drawn:
        pts = curves[rows]
        p.line([(xl + a * sx, yb - v * sy) for a, v in pts], width=4, color=col)
        shares = same_curve(curves[rows - 1], pts) and rows - 1 not in dict(drawn)
        legend.append((col, f"{rows - 1} or {rows} rows" if shares
                       else f"{rows} rows"))
    p.line([(xl, yb), (xr, yb)], width=3)
    p.line([(xl, yb), (xl, yt)], width=3)
    for i in range(0, 5):
        x = xl + i * 5000 * sx
        p.line([(x, yb), (x, yb + 10)], width=3)
        p.text(x, yb + 14, f"{i * 5000:,}", 24, anchor="ma")
    for i in range(0, 6):
        y = yb - i * 25 * sy
        p.line([(xl - 10, y), (xl, y)], width=3)
        p.text(xl - 16, y, f"{i * 25}", 24, anchor="rm")
    p.text((xl + xr) / 2, yb + 50, "bare surface, sq ft", 26, "bold",
           anchor="ma")
    p.text(40, 86, "US$ per sq ft", 26, "bold")
    lx, ly = 720, 450
    p.rect(lx - 20, ly - 24, 1046, ly + 4 * 42 - 8, fill=WHITE, outline=MID,
           width=2, r=8)
    for i, (col, lab) in enumerate(legend):
        y = ly + i * 42
        p.line([(lx, y), (lx + 60, y)], width=5, color=col)
        p.text(lx + 76, y, lab, 26, anchor="lm")
    ex_a, ex_v = run["ATUBEBARETOTAL"], run["COSTTOTALPERAREA"]
    ex, ey = xl + ex_a * sx, yb - ex_v * sy
    p.circle(ex, ey, 9, fill=HOT, outline=INK, width=2)
    leader(p, 420, 560, ex, ey + 8, color=HOT)
    p.text(420, 570, f"example: {ex_v:.2f} US$ per sq ft", 24, "bold", HOT,
           anchor="ma")
    p.lines(566, 722, [f"below {small:,.0f} sq ft: priced as {small:,.0f} sq ft "
                       "with a tube-length factor of 1.0",
                       "price factor 1; every factor of the estimate included"],
            24, color=GREY, anchor="ma", gap=1.25)
    return p


def same_curve(a, b, tolerance=0.005):
    """Whether two price curves lie on one line: each point of b against a
    interpolated at its surface, where a is flat enough to interpolate."""
    if len(a) < 2:
        return False
    for x, y in b:
        if x < 2 * a[0][0]:
            continue
        for (x0, y0), (x1, y1) in zip(a, a[1:]):
            if x0 <= x <= x1:
                ya = y0 + (y1 - y0) * (x - x0) / (x1 - x0)
                if abs(ya - y) > tolerance * y:
                    return False
    return True


def plan_view(p, x0, y0, s, run, fill=AIR_FILL):
    """The bundle seen from above, tubes running left to right, s pixels per
    foot: its bays (solid lines across), each fan's plot (dashed red), the fan
    circles and around each the room its ring takes (the ring clearance,
    dashed grey), as keld-size laid them out.  Returns the right and bottom
    edges."""
    c, f = run.case, run.fans
    length, width = c["LENGTH"], c["XWIDTH"]
    x1, y1 = x0 + length * s, y0 + width * s
    p.rect(x0, y0, x1, y1, fill=fill, outline=None)
    header_box(p, x0 - 16, y0 - 6, x0, y1 + 6)
    header_box(p, x1, y0 - 6, x1 + 16, y1 + 6)
    bays, per_bay = f["bays"], f["fansPerBay"]
    bay_w = f["bayWidthFt"] * s
    plot_l = f["plotLengthFt"] * s
    radius = f["fanDiameterFt"] / 2 * s
    ring = (f["fanDiameterFt"] + f["fanClearanceFt"]) / 2 * s
    for b in range(bays):
        for n in range(per_bay):
            cx, cy = x0 + (n + 0.5) * plot_l, y0 + (b + 0.5) * bay_w
            steps = 48
            for i in range(0, steps, 2):
                a0, a1 = 2 * math.pi * i / steps, 2 * math.pi * (i + 1) / steps
                p.line([(cx + ring * math.cos(a0), cy + ring * math.sin(a0)),
                        (cx + ring * math.cos(a1), cy + ring * math.sin(a1))],
                       width=2.5, color=GREY)
            p.circle(cx, cy, radius, fill=WHITE, outline=INK, width=3)
            p.circle(cx, cy, 0.14 * radius, fill=(150, 158, 168), outline=INK,
                     width=2)
        for n in range(1, per_bay):
            x = x0 + n * plot_l
            p.line([(x, y0 + b * bay_w), (x, y0 + (b + 1) * bay_w)], width=2.5,
                   color=HOT, dash=(10, 7))
    for b in range(1, bays):
        y = y0 + b * bay_w
        p.line([(x0, y), (x1, y)], width=4, color=HOT)
    p.rect(x0, y0, x1, y1, outline=INK, width=3)
    return x1, y1


def side_view(p, x0, y_bundle, s, run):
    """The bundle seen from the side along its tubes, s pixels per foot:
    the bundle, the plenum below it as deep as the least plenum depth, the
    fans (forced draft) in the middle of their plots, the 45° lines of the
    air's dispersion from each fan's edge to its plot's ends, and the
    motors.  Returns the plenum's bottom (the fans' level) and the fans'
    middles."""
    c, f = run.case, run.fans
    x1 = x0 + c["LENGTH"] * s
    plot, half = f["plotLengthFt"] * s, f["fanDiameterFt"] / 2 * s
    deck = y_bundle + 40 + f["plenumDepthFt"] * s
    header_box(p, x0 - 22, y_bundle - 8, x0, y_bundle + 48)
    header_box(p, x1, y_bundle - 8, x1 + 22, y_bundle + 48)
    bundle(p, x0, y_bundle, x1, y_bundle + 40, rows=c["NROWS"])
    p.rect(x0, y_bundle + 40, x1, deck, fill=PANEL, outline=None)
    for x in (x0, x1):
        p.line([(x, y_bundle + 40), (x, deck)], width=3)
    middles = []
    for n in range(f["fansPerBay"]):
        cx = x0 + (n + 0.5) * plot
        middles.append(cx)
        for sx in (-1, 1):
            p.line([(cx + sx * half, deck),
                    (cx + sx * (half + (deck - y_bundle - 40)), y_bundle + 40)],
                   width=3, color=AIR, dash=(8, 5))
    # the fan deck: closed between the fans, open in each fan's circle
    edges = [x0] + [m + sx * half for m in middles for sx in (-1, 1)] + [x1]
    for xa, xb in zip(edges[::2], edges[1::2]):
        p.line([(xa, deck), (xb, deck)], width=4)
    for n in range(1, f["fansPerBay"]):
        x = x0 + n * plot
        p.line([(x, y_bundle + 40), (x, deck + 20)], width=2.5, color=HOT,
               dash=(10, 7))
    for cx in middles:
        fan(p, cx, deck + 14, half - 6)
        motor(p, cx, deck + 44, deck + 84, deck + 26)
    return deck, middles


def tut13(k):
    run = F.default_case(k)
    c, f = run.case, run.fans
    p = Pic("tut13.png")
    p.title(f"{f['fans']} fans in {f['bays']} bay: plots, rings and plenum", 32)
    # from above
    s = 17.0                              # pixels per foot
    x0, y0 = 70, 96
    x1, y1 = plan_view(p, x0, y0, s, run)
    plot = f["plotLengthFt"] * s
    yd = y1 + 22
    for n in range(f["fansPerBay"]):
        xa, xb = x0 + n * plot, x0 + (n + 1) * plot
        p.arrow(xa + 2, yd, xb - 2, yd, width=2.5, head=12, both=True)
        p.text((xa + xb) / 2, yd + 8, f"plot {f['plotLengthFt']:g} ft", 24,
               "bold", HOT, anchor="ma")
    xd = x1 + 40
    p.arrow(xd, y0 + 2, xd, y1 - 2, width=2.5, head=12, both=True)
    p.lines(xd + 14, (y0 + y1) / 2 - 30, ["bay", f"{f['bayWidthFt']:g} ft"],
            24, "bold", gap=1.25)
    radius = f["fanDiameterFt"] / 2 * s
    cx, cy = x0 + 0.5 * plot, y0 + 0.5 * f["bayWidthFt"] * s
    p.arrow(cx - radius + 2, cy, cx - 0.14 * radius - 4, cy, width=2.5,
            head=12)
    p.arrow(cx + 0.14 * radius + 4, cy, cx + radius - 2, cy, width=2.5,
            head=12)
    p.text(cx, cy - 14, f"fan {f['fanDiameterFt']:g} ft", 24, "bold",
           anchor="ms")
    # the figures beside the plan
    tx = 716
    p.text(tx, 100, f"default case, {c['NROWS']} rows", 25, "bold")
    p.lines(tx, 142, [
        f"{c['XWIDTH']:g} ft wide, {c['LENGTH']:g} ft tubes",
        f"{f['bays']} bay, {f['fans']} fans of {f['fanDiameterFt']:g} ft",
        f"fans cover {100 * f['coverage']:.0f} % of the face",
        f"ring clearance {f['fanClearanceFt']:g} ft (dashed)",
        f"{f['shaftPowerPerFanHp']:.1f} hp per fan: "
        f"{f['motorRating']:g} {f['motorRatingUnit']} motors",
        f"tips at {f['tipSpeedFtMin']:,.0f} ft/min: {f['rpm']:.0f} rpm"],
        24, gap=1.4)
    # from the side, along the tubes
    s2 = 30.0
    sx0 = 116
    yb = 486
    p.text(36, yb - 44, "from the side, along the tubes (forced draft)", 24,
           "bold")
    deck, middles = side_view(p, sx0, yb, s2, run)
    p.text(sx0 + c["LENGTH"] * s2 / 2, yb + 20, "tube bundle", 22, "bold",
           anchor="mm")
    # the plenum depth at the right end
    xr = sx0 + c["LENGTH"] * s2 + 40
    p.arrow(xr, yb + 40, xr, deck, width=2.5, head=10, both=True)
    p.text(xr + 4, deck + 12, f"{f['plenumDepthFt']:g} ft", 24, "bold",
           anchor="ma")
    callout(p, 40, deck + 70, "45°", sx0 + 16, yb + 62, 24, "bold", AIR,
            lcolor=AIR)
    callout(p, middles[0] + 60, deck + 70,
            f"{f['motorRating']:g} {f['motorRatingUnit']} motor",
            middles[0] + 28, deck + 64, 24)
    for cx in middles:
        air_arrow(p, cx - 90, deck + 150, deck + 100)
        air_arrow(p, cx + 90, deck + 150, deck + 100)
    p.lines(566, deck + 160, [
        f"least plenum depth = (plot − fan) / 2 = ({f['plotLengthFt']:g} − "
        f"{f['fanDiameterFt']:g}) / 2 = {f['plenumDepthFt']:g} ft"],
        24, GREY, anchor="ma")
    return p


def tut14(k):
    bars = F.evaluated_by_rows(k)
    run = F.default_case(k)
    o = run.ownership
    p = Pic("tut14.png")
    p.title(f"Price and fan energy, default case with {run['LENGTH']:g} ft tubes",
            30)
    xl, xr, yb, yt = 150, 1070, 600, 210
    top = math.ceil(max(pr + pv for _, pr, pv, _, _, _ in bars) / 100000) * 100000
    sy = (yb - yt) / top
    step = (xr - xl) / len(bars)
    for v in range(0, top + 1, 100000):
        y = yb - v * sy
        if v:
            p.line([(xl, y), (xr, y)], width=1.5, color=LIGHT)
        p.line([(xl - 10, y), (xl, y)], width=3)
        p.text(xl - 16, y, f"{v // 1000:,}", 24, anchor="rm")
    p.text(40, yt - 44, "thousand US$", 24, "bold")
    for i, (rows, price, pv, hp, kw, marks) in enumerate(bars):
        x0 = xl + i * step + 20
        x1 = x0 + step - 40
        yp, ye = yb - price * sy, yb - (price + pv) * sy
        p.rect(x0, yp, x1, yb, fill=STEEL_FILL, outline=INK, width=2)
        p.rect(x0, ye, x1, yp, fill=(255, 214, 170), outline=INK, width=2)
        p.text((x0 + x1) / 2, ye - 8, f"{(price + pv) / 1000:.0f}", 24, "bold",
               anchor="ms")
        p.text((x0 + x1) / 2, yp + 10, f"{price / 1000:.0f}", 22, anchor="ma")
        p.text((x0 + x1) / 2, ye + 10, f"{pv / 1000:.0f}", 22, anchor="ma")
        p.text((x0 + x1) / 2, yb + 12, f"{rows} rows", 24, anchor="ma")
        p.text((x0 + x1) / 2, yb + 44, f"{hp:.1f} hp", 22, GREY, anchor="ma")
        p.text((x0 + x1) / 2, yb + 72, f"{kw:.1f} kW", 22, GREY, anchor="ma")
        # the cheapest labelled to the left of its line, the lowest
        # evaluated cost to the right (one above the other on one bar)
        both = "cheapest" in marks and "lowest evaluated cost" in marks
        for mark, col, anchor, dy in (("cheapest", AIR, "ra", 0),
                                      ("lowest evaluated cost", GOOD, "la",
                                       36 if both else 0)):
            if mark in marks:
                cx = (x0 + x1) / 2
                ty = 124 + dy
                p.text(cx + (12 if anchor == "ra" else -12), ty, mark, 24,
                       "bold", col, anchor=anchor)
                p.line([(cx, ty + 32), (cx, ye - 38)], width=2.5, color=col)
    p.line([(xl, yb), (xr, yb)], width=3)
    p.line([(xl, yt - 10), (xl, yb)], width=3)
    p.lines(xl - 16, yb + 44, ["fan power", "electrical"], 22, GREY,
            anchor="ra", gap=1.27)
    # legend
    lx, ly = 150, 712
    p.rect(lx, ly, lx + 40, ly + 28, fill=STEEL_FILL, outline=INK, width=2)
    p.text(lx + 52, ly + 14, "price", 24, anchor="lm")
    lx2 = 330
    p.rect(lx2, ly, lx2 + 40, ly + 28, fill=(255, 214, 170), outline=INK,
           width=2)
    p.text(lx2 + 52, ly + 14, "present value of the energy the motors draw", 24,
           anchor="lm")
    p.text(566, 758, f"{o['energyPricePerKwh']:.2f} US$ per kWh, "
           f"{o['hoursPerYear']:,.0f} hours a year, {o['years']} years at "
           f"{100 * o['rate']:g} %; drive {o['driveEfficiency']:g}, motor "
           f"{o['motorEfficiency']:g}", 24, GREY, anchor="ma")
    return p


def tut15(k):
    c = F.example(k).case
    e = F.EXAMPLE
    p = Pic("tut15.png")
    p.title("Worked example")
    p.rect(30, 86, 452, 540, fill=HOT_FILL, outline=None, r=14)
    p.rect(470, 86, 1102, 780, fill=AIR_FILL, outline=None, r=14)
    p.text(50, 104, "You enter", 28, "bold")
    p.text(490, 104, "KELD finds", 28, "bold")
    given = [f"Duty {float(e.duty):g} million Btu/hr",
             f"Hot fluid {float(e.hot_in):g} → {float(e.hot_out):g} °F",
             f"Air in at {float(e.air_in):g} °F",
             f"U = {float(e.used):g} Btu/(hr sq ft °F)",
             f"Tubes {float(e.length):g} ft long",
             f"{e.material}, factor {float(e.factor):g}",
             "Rows left to KELD"]
    found = [f"P = {c['PHOT']:.3f}, row index {c['ROWINDEX']:.3f}",
             f"{c['NROWS']} rows at {c['FACEVELOCITY']:g} ft/min",
             f"NTU = {c['NTUAIR']:.2f}, C = {c['CRATIO']:.3f}",
             f"Air {F.sig(c['MAIR'], 5)} lb/hr, out {c['TAIROUT']:.1f} °F",
             f"Face {c['AFACE']:.1f} sq ft, width {c['XWIDTH']:g} ft",
             f"{c['TUBESPERROW']} tubes per row, {c['TUBESTOTAL']} tubes",
             f"Bare surface {c['ATUBEBARETOTAL']:.0f} sq ft",
             f"Finned surface {c['ATUBEFINTOTAL']:,.0f} sq ft",
             f"Fan power {c['HORSEPOWER']:.1f} hp",
             f"Weight {c['WEIGHTTOTAL']:,.0f} lb",
             f"Price about {c['COSTTOTAL']:,.0f} US$"]
    p.lines(50, 164, given, 26, gap=1.9)
    # a small sketch of the result
    bundle(p, 80, 620, 400, 690, rows=c["NROWS"])
    header_box(p, 56, 608, 80, 702)
    header_box(p, 400, 608, 424, 702)
    p.poly([(110, 690), (370, 690), (330, 730), (150, 730)], fill=PANEL,
           outline=INK, width=2.5)
    fan(p, 240, 738, 80)
    p.text(240, 582, f"{c['NROWS']} rows, {c['LENGTH']:g} ft × "
           f"{c['XWIDTH']:g} ft", 24, "bold", anchor="mm")
    p.lines(490, 164, found, 26, gap=1.9)
    return p


def tut16(k):
    p = Pic("tut16.png")
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
           "fan power", "weight", "price", "bays, fans, plenum, motors",
           "noise at a distance", "cost of ownership"]
    no = ["pressure drop, tubes and air", "fouling in detail",
          "noise spectrum, screening", "fan selection and drives",
          "headers and passes", "structure and access",
          "winter and hot air return"]
    for i, s in enumerate(yes):
        y = 162 + i * 54
        check(66, y)
        p.text(100, y, s, 25, anchor="lm")
    for i, s in enumerate(no):
        y = 162 + i * 54
        cross(616, y)
        p.text(650, y, s, 25, anchor="lm")
    p.line([(566, 90), (566, 680)], width=2, color=LIGHT)
    p.text(566, 730, "Ask for a firm design and quotation before you commit.",
           26, "bold", anchor="ma")
    return p


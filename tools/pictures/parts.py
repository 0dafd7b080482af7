"""Building blocks of the exchanger drawings: bundle, headers, fan, motor,
air arrows and labelled callouts."""

from .canvas import (AIR, ALU, GREY, INK, PANEL, STEEL, STEEL_FILL)

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



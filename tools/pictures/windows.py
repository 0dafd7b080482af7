"""Mock-ups of the program's windows: caption and menu bar, fields, lists,
option buttons, check boxes, groups, buttons, the calculation sheet, message
boxes, the report window, the Options dialog and the Alternatives window
with its chart and table."""

import math

from .canvas import (BADGE, GREY, INK, LIGHT, MID, PANEL, TITLEBAR, WHITE,
                     LayoutError)

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


def button(p, x0, y0, x1, y1, label, size=22, default=False, enabled=True):
    p.rect(x0, y0, x1, y1, fill=(232, 234, 238), outline=INK if default else GREY,
           width=3 if default else 2, r=6)
    p.text((x0 + x1) / 2, (y0 + y1) / 2, label, size,
           color=INK if enabled else GREY, anchor="mm")


def check_box(p, x, y, label, on, size=22):
    """A check box, its middle at y; returns the right end of its label."""
    p.rect(x, y - 10, x + 20, y + 10, fill=WHITE, outline=GREY, width=2, r=2)
    if on:
        p.line([(x + 4, y), (x + 9, y + 5), (x + 16, y - 6)], width=3)
    p.text(x + 28, y, label, size, anchor="lm")
    return x + 28 + p.text_size(label, size)[0]


def badge(p, x, y, label, r=20):
    p.circle(x, y, r, fill=BADGE, outline=None)
    p.text(x, y + 1, label, 24, "bold", WHITE, anchor="mm", check=False)


def note(p, x, y, rows, size=24, color=BADGE, anchor="la", gap=1.3):
    return p.lines(x, y, rows, size, "bold", color, gap=gap, anchor=anchor)


SERVICES = [("CONDENSE", "Condensing"), ("GAS", "Gas Cooling"),
            ("LIQUID", "Liquid Cooling")]


def sheet_items(p, case, L0=40, L1=548, R0=592, R1=1092, top=160):
    """The six numbered items of the calculation sheet (English units) as
    the window shows the entries of a project file (a keld.Case)."""
    if case.units.upper() != "ENGLISH":
        raise ValueError("the sheet is drawn in English units only")
    # 1
    group(p, L0, top, L1, top + 110, "1. Input Project Description")
    p.text(L0 + 16, top + 36, "Title:", 22, anchor="lm")
    field(p, L0 + 186, top + 20, 306, case.title)
    p.text(L0 + 16, top + 80, "Item Number:", 22, anchor="lm")
    field(p, L0 + 186, top + 64, 150, case.item)
    # 2
    y2 = top + 132
    group(p, L0, y2, L1, y2 + 58, "2. Select Units")
    x = radio(p, L0 + 20, y2 + 32, "English", True)
    radio(p, x + 40, y2 + 32, "Metric", False)
    # 3
    y3 = y2 + 80
    service = case.service.upper()
    group(p, L0, y3, L1, y3 + 300, "3. Select Type of Service and Hot Fluid")
    p.text(L0 + 16, y3 + 32, "Service:", 22, anchor="lm")
    for (code, label), (dx, dy) in zip(SERVICES, [(120, 32), (300, 32),
                                                  (120, 68)]):
        radio(p, L0 + dx, y3 + dy, label, service == code)
    p.text(L0 + 16, y3 + 106, "Hot Tube Side Fluid:", 22, anchor="lm")
    combo(p, L0 + 16, y3 + 124, 476, case.fluid)
    p.text(L0 + 16, y3 + 182, "Overall Bare Tube Heat Transfer Coefficient:",
           22, anchor="lm")
    field(p, L0 + 16, y3 + 202, 80, case.low)
    p.text(L0 + 108, y3 + 219, "to", 22, anchor="lm")
    field(p, L0 + 140, y3 + 202, 80, case.high)
    p.text(L0 + 16, y3 + 270, "Btu/(Hr-SqFt-F), Used =", 22, anchor="lm")
    field(p, L0 + 290, y3 + 253, 90, case.used)
    # 4
    forced = case.draft.upper() != "INDUCED"
    group(p, R0, top, R1, top + 62, "4. Select Fan Draft")
    x = radio(p, R0 + 20, top + 34, "Forced", forced)
    radio(p, x + 40, top + 34, "Induced", not forced)
    # 5
    y5 = top + 84
    group(p, R0, y5, R1, y5 + 176, "5. Input Hot Fluid Parameters")
    for i, (lab, val) in enumerate([("Heat Duty, Million Btu/Hr", case.duty),
                                    ("Inlet Temperature, °F", case.hot_in),
                                    ("Outlet Temperature, °F", case.hot_out)]):
        yy = y5 + 36 + i * 46
        p.text(R0 + 16, yy + 17, lab, 22, anchor="lm")
        field(p, R1 - 110, yy, 94, val)
    # 6
    y6 = y5 + 198
    group(p, R0, y6, R1, y6 + 276, "6. Input KELD Parameters")
    for i, (lab, val) in enumerate([("Inlet Air Temperature, °F", case.air_in),
                                    ("Tube Length, Feet", case.length),
                                    ("Number of Tube Rows:", case.rows),
                                    ("Tubes and Headers:", None),
                                    ("Price Multiplication Factor:",
                                     case.factor)]):
        yy = y6 + 32 + i * 48
        p.text(R0 + 16, yy + 17, lab, 22, anchor="lm")
        if val is None:
            combo(p, R1 - 170, yy, 154, case.material)
        else:
            field(p, R1 - 110, yy, 94, val)
    return [(L0, top), (L0, y2), (L0, y3), (R0, top), (R0, y5), (R0, y6)]


def message_box(p, x0, y0, x1, lines_, size=26):
    h = 38 + 30 + len(lines_) * size * 1.4 + 80
    y = window(p, x0, y0, x1, y0 + h, "KELD2")
    p.rect(x0 + 2, y, x1 - 2, y0 + h - 2, fill=WHITE, outline=None)
    p.lines(x0 + 30, y + 24, lines_, size, gap=1.4)
    cx = (x0 + x1) / 2
    button(p, cx - 60, y0 + h - 62, cx + 60, y0 + h - 18, "OK", 24,
           default=True)
    return y0 + h


def file_icon(p, x, y, name):
    p.poly([(x, y), (x + 26, y), (x + 36, y + 10), (x + 36, y + 44),
            (x, y + 44)], fill=WHITE, outline=INK, width=2)
    p.text(x + 50, y + 22, name, 24, anchor="lm")




def scrollbar(p, x0, y0, x1, y1, share, start=0.0):
    """A vertical scroll bar, its handle showing the given share of the
    text from the given share on (0 at the top)."""
    p.rect(x0, y0, x1, y1, fill=(232, 234, 238), outline=MID, width=1.5)
    w = x1 - x0
    for ya, yb in ((y0, y0 + w), (y1 - w, y1)):
        p.rect(x0, ya, x1, yb, fill=(222, 225, 230), outline=MID, width=1.5)
    cx = (x0 + x1) / 2
    p.poly([(cx - 6, y0 + w * 0.62), (cx + 6, y0 + w * 0.62),
            (cx, y0 + w * 0.36)], fill=INK, outline=None)
    p.poly([(cx - 6, y1 - w * 0.62), (cx + 6, y1 - w * 0.62),
            (cx, y1 - w * 0.36)], fill=INK, outline=None)
    track = y1 - y0 - 2 * w
    top = y0 + w + track * start
    p.rect(x0 + 3, top + 2, x1 - 3, top + max(30, track * share) - 2,
           fill=(196, 200, 208), outline=GREY, width=1.5, r=3)


def drop_menu(p, x0, y0, items, size=22):
    """An open menu below its menu bar item: [(item, shortcut or "")]."""
    wide = max(p.text_size(i, size)[0] + (p.text_size(s, size)[0] + 48 if s
                                          else 0) for i, s in items)
    x1 = x0 + wide + 40
    p.rect(x0, y0, x1, y0 + 12 + len(items) * 40, fill=WHITE, outline=GREY,
           width=2)
    for n, (item, shortcut) in enumerate(items):
        y = y0 + 26 + n * 40
        p.text(x0 + 20, y, item, size, anchor="lm")
        if shortcut:
            p.text(x1 - 20, y, shortcut, size, color=GREY, anchor="rm")
    return x1


def report_window(p, x0, y0, x1, y1, caption, title, lines, size=22, first=0,
                  file_menu=None):
    """The report window: caption, menu, bold title and the report text in a
    fixed-pitch font from its line `first` on, cut at the bottom as a
    scrolled window shows it; with file_menu ([(item, shortcut)]) the File
    menu is open over it."""
    y = window(p, x0, y0, x1, y1, caption, ["File", "Edit", "Print",
                                            "Calculations", "Exit"])
    p.text(x0 + 20, y + 26, title, size, "bold", anchor="lm",
           check=file_menu is None)
    tx0, ty0, tx1, ty1 = x0 + 10, y + 48, x1 - 10, y1 - 10
    p.rect(tx0, ty0, tx1, ty1, fill=WHITE, outline=GREY, width=2)
    line_h = round(size * 1.22)
    shown = int((ty1 - ty0 - 12) // line_h)
    # the open menu hides what lies beneath it (drawn over it at the end)
    menu_bottom = y + 12 + 40 * len(file_menu) if file_menu else y
    for i, line in enumerate(lines[first:first + shown]):
        if line.strip():
            # what a line would carry past the window is not shown
            ly = ty0 + 6 + i * line_h
            p.text(tx0 + 8, ly, line.rstrip(), size, "mono", clip=tx1 - 30,
                   check=ly > menu_bottom)
    scrollbar(p, tx1 - 26, ty0 + 2, tx1 - 2, ty1 - 2,
              min(1.0, shown / max(1, len(lines))), first / max(1, len(lines)))
    if file_menu:
        drop_menu(p, x0 + 4, y, file_menu, size)
    return shown


def options_dialog(p, x0, y0, x1, note_lines, groups, size=22):
    """The dialog "Options": its note, its groups of fields two by two (the
    first two groups in the left column, the next two in the right, as the
    dialog's grid places them), each group a column of labels and one of
    fields, and the buttons Defaults, OK and Cancel.  groups: [(title,
    [(label, value)])].  Returns {label: (x, y, w, h) of its field} and the
    dialog's bottom."""
    row_h, field_w, field_h, pad = 44, 92, 36, 10
    rows_in = [max(len(groups[g][1]) for g in range(r, len(groups), 2))
               for r in range(2)]
    group_h = [30 + n * row_h + 8 for n in rows_in]
    note_h = len(note_lines) * size * 1.3
    h = 38 + 14 + note_h + 14 + group_h[0] + 22 + group_h[1] + 18 + 44 + 16
    y = window(p, x0, y0, x1, y0 + h, "Options")
    p.lines(x0 + 16, y + 12, note_lines, size, gap=1.3)
    top = y + 14 + note_h + 14
    col_w = (x1 - x0 - 2 * 16 - 12) / 2
    fields = {}
    for g, (title, rows) in enumerate(groups):
        row, col = g % 2, g // 2
        gx0 = x0 + 16 + col * (col_w + 12)
        gy0 = top + row * (group_h[0] + 22)
        group(p, gx0, gy0 + 12, gx0 + col_w, gy0 + group_h[row], title, size)
        label_w = max(p.text_size(label, size)[0] for label, _ in rows)
        fx = gx0 + pad + label_w + 10
        if fx + field_w > gx0 + col_w - pad + 1e-6:
            raise LayoutError(f"{p.name}: the group {title} is too narrow "
                              "for its fields")
        for n, (label, value) in enumerate(rows):
            yy = gy0 + 30 + n * row_h
            p.text(gx0 + pad, yy + field_h / 2, label, size, anchor="lm")
            field(p, fx, yy, field_w, value, size, h=field_h)
            fields[label] = (fx, yy, field_w, field_h)
    yb = y0 + h - 16 - 44
    button(p, x0 + 16, yb, x0 + 156, yb + 44, "Defaults", size)
    button(p, x1 - 312, yb, x1 - 172, yb + 44, "OK", size, default=True)
    button(p, x1 - 156, yb, x1 - 16, yb + 44, "Cancel", size)
    return fields, y0 + h


def hscrollbar(p, x0, y0, x1, y1, share, start=0.0):
    """A horizontal scroll bar, its handle showing the given share of the
    width from the given share on (0 at the left)."""
    p.rect(x0, y0, x1, y1, fill=(232, 234, 238), outline=MID, width=1.5)
    h = y1 - y0
    for xa, xb in ((x0, x0 + h), (x1 - h, x1)):
        p.rect(xa, y0, xb, y1, fill=(222, 225, 230), outline=MID, width=1.5)
    cy = (y0 + y1) / 2
    p.poly([(x0 + h * 0.62, cy - 6), (x0 + h * 0.62, cy + 6),
            (x0 + h * 0.36, cy)], fill=INK, outline=None)
    p.poly([(x1 - h * 0.62, cy - 6), (x1 - h * 0.62, cy + 6),
            (x1 - h * 0.36, cy)], fill=INK, outline=None)
    track = x1 - x0 - 2 * h
    left = x0 + h + track * start
    p.rect(left + 2, y0 + 3, left + max(30, track * share) - 2, y1 - 3,
           fill=(196, 200, 208), outline=GREY, width=1.5, r=3)


def progress_bar(p, x0, y0, x1, y1, share, size=22):
    """A progress bar filled to the given share, its percentage in the
    middle."""
    p.rect(x0, y0, x1, y1, fill=WHITE, outline=GREY, width=2, r=4)
    if share > 0:
        p.rect(x0 + 2, y0 + 2, x0 + 2 + (x1 - x0 - 4) * share, y1 - 2,
               fill=(48, 140, 220), outline=None, r=3)
    p.text((x0 + x1) / 2, (y0 + y1) / 2, f"{share:.0%}", size,
           color=WHITE if share > 0.55 else INK, anchor="mm")


# The colours of the chart's curves, one for each row count, and of the best
# alternative's mark, as the Alternatives window sets them.
CHART_COLOURS = [(0x1f, 0x77, 0xb4), (0xff, 0x7f, 0x0e), (0x2c, 0xa0, 0x2c),
                 (0x94, 0x67, 0xbd), (0x8c, 0x56, 0x4b), (0xe3, 0x77, 0xc2),
                 (0x7f, 0x7f, 0x7f), (0x17, 0xbe, 0xcf)]
BEST_COLOUR = (0xc0, 0x28, 0x28)


def nice_number(x, ceiling):
    """A round number near x (1, 2 or 5 times a power of ten)."""
    z = 10 ** math.floor(math.log10(x))
    q = x / z
    if ceiling:
        q = 1 if q <= 1 else 2 if q <= 2 else 5 if q <= 5 else 10
    else:
        q = 1 if q < 1.5 else 2 if q < 3 else 5 if q < 7 else 10
    return q * z


def nice_axis(low, high, ticks=5):
    """The range and tick count that the chart's value axis takes for
    [low, high] once it rounds to nice numbers: (low, high, ticks)."""
    step = nice_number(nice_number(high - low, True) / (ticks - 1), False)
    first, last = math.floor(low / step), math.ceil(high / step)
    return first * step, last * step, int(last - first) + 1


def chart(p, x0, y0, x1, y1, title, x_title, y_title, x_axis, y_axis,
          series, best, y_format="{:.0f}", legend_w=150):
    """A chart of curves: the panel (x0, y0)-(x1, y1), its title, the axes
    ((low, high, ticks) each, labelled with %g and y_format), the series
    [(name, [(x, y)])] drawn with points, the best alternative as a large
    dot named "Best", and the legend at the right.  Returns a function that
    maps a point of the data to the picture."""
    p.rect(x0, y0, x1, y1, fill=WHITE, outline=None, r=8)
    p.text((x0 + x1) / 2, y0 + 10, title, 22, anchor="ma")
    (xa, xb, xt), (ya, yb, yt) = x_axis, y_axis
    y_labels = [y_format.format(ya + (yb - ya) * i / (yt - 1))
                for i in range(yt)]
    label_w = max(p.text_size(s, 22)[0] for s in y_labels)
    left = x0 + 12 + 28 + 10 + label_w + 10
    right = x1 - legend_w - 20
    top, bottom = y0 + 52, y1 - 76

    def at(x, y):
        return (left + (x - xa) / (xb - xa) * (right - left),
                bottom - (y - ya) / (yb - ya) * (bottom - top))

    for i in range(xt):
        x = left + (right - left) * i / (xt - 1)
        p.line([(x, top), (x, bottom)], width=1.5, color=LIGHT)
        p.text(x, bottom + 8, f"{xa + (xb - xa) * i / (xt - 1):g}", 22,
               anchor="ma")
    for i, s in enumerate(y_labels):
        y = bottom - (bottom - top) * i / (yt - 1)
        p.line([(left, y), (right, y)], width=1.5, color=LIGHT)
        p.text(left - 10, y, s, 22, anchor="rm")
    p.line([(left, top), (left, bottom), (right, bottom)], width=2,
           color=MID)
    p.text((left + right) / 2, bottom + 40, x_title, 22, "bold", anchor="ma")
    p.text_up(x0 + 12 + 14, (top + bottom) / 2, y_title, 22, "bold")
    names = [name for name, _ in series] + ["Best"]
    for n, (_, points) in enumerate(series):
        colour = CHART_COLOURS[n % len(CHART_COLOURS)]
        pts = [at(x, y) for x, y in points]
        if len(pts) > 1:
            p.line(pts, width=2.5, color=colour)
        for x, y in pts:
            p.circle(x, y, 3.5, fill=colour, outline=None)
    colour = BEST_COLOUR
    if best is not None:
        bx, by = at(*best)
        p.circle(bx, by, 11, fill=colour, outline=WHITE, width=1.5)
    row_h = 26
    ly = (top + bottom) / 2 - row_h * (len(names) - 1) / 2
    lx = x1 - legend_w
    for n, name in enumerate(names):
        y = ly + n * row_h
        fill = (BEST_COLOUR if n == len(names) - 1
                else CHART_COLOURS[n % len(CHART_COLOURS)])
        p.rect(lx, y - 6, lx + 12, y + 6, fill=fill, outline=GREY, width=1)
        p.text(lx + 20, y, name, 22, anchor="lm")
    return at


def tooltip(p, x, y, rows, size=22):
    """A tooltip box with its top left corner at (x, y)."""
    w = max(p.text_size(r, size)[0] for r in rows) + 20
    h = len(rows) * size * 1.3 + 14
    p.rect(x, y, x + w, y + h, fill=(255, 255, 225), outline=GREY, width=1.5)
    p.lines(x + 10, y + 8, rows, size, gap=1.3)
    return x + w, y + h


def pointer(p, x, y):
    """The mouse pointer, its tip at (x, y)."""
    p.poly([(x, y), (x, y + 34), (x + 9, y + 26), (x + 16, y + 40),
            (x + 22, y + 37), (x + 15, y + 23), (x + 26, y + 23)],
           fill=WHITE, outline=INK, width=2)


def table(p, x0, y0, x1, y1, headings, rows, left_aligned=(), sorted_by=0,
          total_rows=None, size=22, to_the_end=False):
    """A table view: a heading row (the sorted column with its arrow), the
    rows given, cut at the right edge as a scrolled view shows them, and
    its scroll bars.  Numbers stand at the right of their cells, the
    columns in left_aligned at the left.  to_the_end: scrolled to the
    right as far as it goes, a whole column at the left edge (the view
    scrolls by columns).  Returns the first and the last column shown."""
    bar = 22
    p.rect(x0, y0, x1, y1, fill=WHITE, outline=GREY, width=2)
    right, bottom = x1 - bar - 2, y1 - bar - 2
    head_h, row_h, pad = 34, 32, 5
    widths = []
    for c, head in enumerate(headings):
        cells = [r[c] for r in rows if c < len(r)]
        w = max([p.text_size(head, size)[0] + (20 if c == sorted_by else 0)]
                + [p.text_size(s, size)[0] for s in cells])
        widths.append(w + 2 * pad)
    first = 0
    if to_the_end:
        while sum(widths[first:]) > right - x0 - 2:
            first += 1
    p.rect(x0 + 2, y0 + 2, right, y0 + head_h, fill=(240, 241, 243),
           outline=None)
    x = x0 + 2
    shown = first
    for c, (head, w) in enumerate(zip(headings, widths)):
        if c < first:
            continue
        if x + w > right:
            break
        p.line([(x + w, y0 + 2), (x + w, bottom)], width=1, color=LIGHT)
        p.text(x + w / 2 - (10 if c == sorted_by else 0), y0 + head_h / 2,
               head, size, anchor="mm")
        if c == sorted_by:
            ax, ay = x + w - pad - 8, y0 + head_h / 2
            p.poly([(ax - 6, ay - 4), (ax + 6, ay - 4), (ax, ay + 4)],
                   fill=GREY, outline=None)
        for n, row in enumerate(rows):
            y = y0 + head_h + n * row_h + row_h / 2
            if c in left_aligned:
                p.text(x + pad, y, row[c], size, anchor="lm")
            else:
                p.text(x + w - pad, y, row[c], size, anchor="rm")
        x += w
        shown += 1
    p.line([(x0 + 2, y0 + head_h), (right, y0 + head_h)], width=1.5,
           color=MID)
    for n in range(len(rows) + 1):
        y = y0 + head_h + (n + 1) * row_h
        if y < bottom:
            p.line([(x0 + 2, y), (right, y)], width=1, color=LIGHT)
    seen = sum(widths[first:shown]) + (right - x)
    scrollbar(p, right + 2, y0 + 2, x1 - 2, bottom,
              len(rows) / max(len(rows), total_rows or len(rows)))
    hscrollbar(p, x0 + 2, bottom + 2, right, y1 - 2,
               min(1.0, seen / sum(widths)),
               min(sum(widths[:first]) / sum(widths), 1.0 - seen / sum(widths)))
    return first, shown - 1


def alternatives_window(p, x0, y0, x1, y1, caption, top, plot, rows,
                        status):
    """The Alternatives window: the top row (top: the label of the tube
    lengths, the three lengths, whether all materials, whether usual
    proportions only, the ranking), the chart (plot: the arguments of
    chart() after its panel), the table (rows: the arguments of table()
    after its frame), scrolled to its right end where the fans, their
    motors and their noise stand, and the bottom row (status).  The top row, one row in
    the window, takes two here: the ranking and the buttons Sweep and
    Cancel stand below the check boxes.  Returns the chart's mapping from
    data to picture."""
    y = window(p, x0, y0, x1, y1, caption)
    label, lengths, all_materials, usual_only, rank = top
    m = 14
    ym = y + 30
    x = x0 + m
    x = p.text(x, ym, label, 22, anchor="lm")[2] + 8
    for n, value in enumerate(lengths):
        field(p, x, ym - 17, 52, value)
        x += 52
        if n < 2:
            x = p.text(x + 8, ym, ("to", "by")[n], 22, anchor="lm")[2] + 8
    x = check_box(p, x + 18, ym, "All materials", all_materials)
    check_box(p, x + 18, ym, "Usual proportions only", usual_only)
    ym += 44
    x = p.text(x0 + m, ym, "Rank by", 22, anchor="lm")[2] + 8
    combo(p, x, ym - 17, 112, rank)
    button(p, x1 - m - 184, ym - 19, x1 - m - 96, ym + 19, "Sweep")
    button(p, x1 - m - 88, ym - 19, x1 - m, ym + 19, "Cancel", enabled=False)
    # the chart above the table, the progress and the buttons below
    yb = y1 - 34
    table_top = yb - 34 - 226
    at = chart(p, x0 + m, ym + 30, x1 - m, table_top - 10, *plot)
    table(p, x0 + m, table_top, x1 - m, yb - 22, *rows, to_the_end=True)
    progress_bar(p, x0 + m, yb - 18, x0 + m + 300, yb + 18, 1.0)
    p.text(x0 + m + 316, yb, status, 22, anchor="lm")
    button(p, x1 - m - 270, yb - 19, x1 - m - 100, yb + 19, "Export CSV…")
    button(p, x1 - m - 92, yb - 19, x1 - m, yb + 19, "Close")
    return at

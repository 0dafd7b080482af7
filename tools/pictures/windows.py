"""Mock-ups of the program's windows: caption and menu bar, fields, lists,
option buttons, groups, buttons, the calculation sheet, message boxes and
the report window."""

from .canvas import (BADGE, GREY, INK, MID, PANEL, TITLEBAR, WHITE)

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
    y = window(p, x0, y0, x1, y1, caption, ["File", "Print", "Calculations",
                                            "Exit"])
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


def options_dialog(p, x0, y0, x1, note_lines, rows, size=22):
    """The dialog "Options": its note, the rows of label and value, and the
    buttons Defaults, OK and Cancel.  Returns the field's left edge and the
    y of every row's middle, and the dialog's bottom."""
    h = 38 + 20 + len(note_lines) * size * 1.3 + 14 + len(rows) * 50 + 74
    y = window(p, x0, y0, x1, y0 + h, "Options")
    p.lines(x0 + 22, y + 16, note_lines, size, gap=1.3)
    y += 20 + len(note_lines) * size * 1.3 + 14
    fx = x1 - 22 - 150
    mids = []
    for n, (label, value) in enumerate(rows):
        yy = y + n * 50
        p.text(x0 + 22, yy + 19, label, size, anchor="lm")
        field(p, fx, yy, 150, value, size, h=38)
        mids.append(yy + 19)
    yb = y0 + h - 60
    button(p, x0 + 22, yb, x0 + 172, yb + 44, "Defaults", size)
    button(p, x1 - 344, yb, x1 - 194, yb + 44, "OK", size, default=True)
    button(p, x1 - 172, yb, x1 - 22, yb + 44, "Cancel", size)
    return fx, mids, y0 + h

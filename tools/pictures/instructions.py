"""The pictures of the instruction pages, ins01 to ins13: sketches of the
program's windows with the program's own entries, messages and report.

The sheet of ins01 shows the shipped default case as the program shows it
after start-up, the report of ins08 is the one that Calculate then gives
(the start-up leaves the rows to the sizing, so keld-size --auto-rows),
messages come from keld-size runs, the Options dialog of ins12 shows the
options of keld-size --describe (labels, units, defaults, the tooltip's
range) in the dialog's four groups, and every limit named here, of the
sheet and of the options, is checked against keld-size before it is drawn
(check_limits).  The Alternatives window of ins13 shows the default case's
default sweep of usual proportions (keld-size --sweep --usual-only --csv),
its table rows checked against the table that keld-size --sweep prints.
"""

import os
import re

from . import figures as F
from .canvas import (AIR, AIR_FILL, BADGE, GOOD, GREY, HOT, INK, LIGHT, MID,
                     SELECT, WHITE, LayoutError, Pic)
from .keld import DEFAULT_CASE, REPO, KeldSizeError, num, report_value
from .parts import small_unit
from .windows import (alternatives_window, badge, button, combo, drop_menu,
                      field, file_icon, group, message_box, nice_axis, note,
                      options_dialog, pointer, radio, report_window,
                      sheet_items, tooltip, window)

DATA = os.path.join(REPO, "data")

# The limits that the pages name, English and Metric, as the program accepts
# them: (what, English text, Metric text, entry of the case, English bounds,
# Metric bounds).  A bound of None is not checked here.
LIMITS = {
    "coefficient": ("6 to 200 Btu/(Hr-SqFt-F)", "34.07 to 1135 W/(SqM-C)",
                    "used", (6, 200), (34.07, 1135)),
    "duty": ("0.1 to 9990 million Btu/hr", "0.02931 to 2927 MW", "duty",
             (0.1, 9990), (0.02931, 2927)),
    "air": ("-40 to 200 °F", "-40 to 93.33 °C", "air_in", (-40, 200),
            (-40, 93.33)),
    "hot_in": ("at most 750 °F", "at most 398.8 °C", "hot_in", (None, 750),
               (None, 398.8)),
    "length": ("8 to 60 ft", "2.439 to 18.28 m", "length", (8, 60),
               (2.439, 18.28)),
    "rows": ("3 to 10", "3 to 10", "rows", (3, 10), (3, 10)),
}


# The worked example entered on a Metric sheet.
METRIC_EXAMPLE = F.EXAMPLE.but(units="METRIC", low=454, high=454, used=454,
                               air_in=35, hot_in=93.33, hot_out=48.89,
                               length=9.144, duty=2.93)

def option_label(option, units="english"):
    """An option's label as the dialog shows it: "Fan tip speed, ft/min:"."""
    unit = option["unit"][units]
    return option["label"] + (f", {unit}" if unit else "") + ":"


def option_default(option, units="english"):
    """An option's default as the dialog shows it (up to ten significant
    digits), "" for none."""
    value = option["default"][units]
    return "" if value is None else format(float(value), ".10g")


def option_line(option):
    """An option as ins12 lists it, its range then its default on an
    English sheet: "Fan tip speed, ft/min: 5000 to 12000; 10000",
    "Years of operation: whole, 1 to 100; 10", "...: 30 to 140; none"."""
    low, high = num(option["low"]["english"]), num(option["high"]["english"])
    return (option_label(option) + " " + ("whole, " if option["whole"] else "")
            + f"{low} to {high}; " + (option_default(option) or "none"))


def metric_option_ranges(k):
    """The options whose Metric unit differs from the English one, as ins12
    names them for a Metric sheet: "0 to 0.9 m, 0.3"."""
    return [f"{num(o['low']['metric'])} to {num(o['high']['metric'])} "
            f"{o['unit']['metric']}, {option_default(o, 'metric')}"
            for o in k.options if o["unit"]["metric"] != o["unit"]["english"]]


# The groups of the dialog "Options" in their order, each with the flags of
# its options.  keld-size --describe lists the options in the dialog's order
# but not their groups: option_groups() checks that these groups hold every
# option of the listing, once and in its order.
OPTION_GROUPS = (
    ("Fan layout", ("--fewest-fans", "--fan-clearance", "--largest-fan")),
    ("Motors", ("--motor-margin", "--drive-efficiency", "--motor-efficiency")),
    ("Noise", ("--tip-speed", "--noise-distance", "--noise-limit",
               "--near-field-limit")),
    ("Cost of ownership", ("--energy-price", "--hours", "--years", "--rate")),
)


def option_groups(k):
    """[(group title, [options of --describe])] in the dialog's order."""
    flags = [flag for _, group_flags in OPTION_GROUPS for flag in group_flags]
    listed = [o["flag"] for o in k.options]
    if sorted(flags) != sorted(listed):
        raise KeldSizeError(f"the dialog's groups hold {flags}, keld-size "
                            f"--describe lists {listed}")
    if flags != listed:
        raise KeldSizeError(f"the dialog's groups hold {flags}, not in the "
                            f"order of keld-size --describe: {listed}")
    by_flag = {o["flag"]: o for o in k.options}
    return [(title, [by_flag[f] for f in group_flags])
            for title, group_flags in OPTION_GROUPS]


def check_option_limits(k):
    """Every bound of the options (keld-size --describe): keld-size takes a
    value at the bound and refuses one just beyond it."""
    for o in k.options:
        option, whole = o["flag"], o["whole"]
        for case, units in ((F.EXAMPLE, "english"), (METRIC_EXAMPLE, "metric")):
            low, high = o["low"][units], o["high"][units]
            step = 1 if whole else max(abs(high) * 0.002, 0.001)
            tries = [(high, True), (high + step, False), (low - step, False),
                     (low, True)]
            if whole:
                tries.append((low + 0.5, False))
            for value, taken in tries:
                if k.accepts(case, [option, num(value)]) != taken:
                    raise KeldSizeError(
                        f"option {option} ({case.units}): keld-size "
                        f"{'refuses' if taken else 'takes'} {value}")


def check_limits(k):
    """Every limit above: a value at the bound passes the program's checks,
    a value just beyond it is refused as out of range; and the options'
    limits (check_option_limits)."""
    check_option_limits(k)
    english = F.EXAMPLE
    metric = METRIC_EXAMPLE
    hot = {"ENGLISH": dict(hot_in=700, hot_out=300),
           "METRIC": dict(hot_in=370, hot_out=150)}
    cases = []
    for what, (_, _, entry, eb, mb) in LIMITS.items():
        for base, bounds in ((english, eb), (metric, mb)):
            for side, bound in zip((-1, 1), bounds):
                if bound is None:
                    continue
                step = 1 if entry == "rows" else max(abs(bound) * 0.002, 0.01)
                for value, inside in ((bound, True), (bound + side * step, False)):
                    case = base.but(**{entry: value})
                    if entry == "air_in" and side > 0:
                        case = case.but(**hot[base.units])
                    if entry == "used":
                        case = case.but(low=value, high=value)
                    cases.append((what, base.units, value, inside, case))
    runs = k.size_all([c for *_, c in cases])
    for (what, units, value, inside, _), run in zip(cases, runs):
        refused = not run.ok and "out of range" in run.messages[0]
        if refused == inside:
            raise KeldSizeError(
                f"limit '{what}' ({units}): keld-size "
                f"{'refuses' if refused else 'accepts'} {value}: {run.messages}")


def english(what):
    return LIMITS[what][0]


def metric(what):
    return LIMITS[what][1]


def read_config(section, key):
    """A value of KELD4WIN.INI (keys without regard to case, first wins)."""
    current = None
    with open(os.path.join(DATA, "KELD4WIN.INI"), encoding="cp1252") as f:
        for line in f:
            line = line.strip()
            if line.startswith("["):
                current = line.strip("[]").lower()
            elif current == section.lower() and "=" in line:
                name, value = line.split("=", 1)
                if name.strip().lower() == key.lower():
                    return value.strip()
    raise LayoutError(f"KELD4WIN.INI has no {key} in [{section}]")


def ins01(k):
    p = Pic("ins01.png")
    y = window(p, 16, 12, 1116, 790, "KELD - default.ini",
               ["File", "Calculate", "Instructions", "Reset", "Tutorial",
                "Options…", "Alternatives…", "About"])
    p.text(566, y + 14, "Input for KELD Size and Price Estimate", 24, "bold",
           anchor="ma")
    # At start-up the sheet shows the entries of default.ini as they stand,
    # the row count included.
    corners = sheet_items(p, k.read_project(DEFAULT_CASE))
    button(p, 180, 700, 400, 748, "Calculate", default=True)
    for n, (x, yb) in enumerate(corners):
        badge(p, x - 14, yb, str(n + 1), r=18)
    return p


def ins02(k):
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



def ins03(k):
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
    lo_hi = english("coefficient").split(" Btu")[0]
    note(p, 500, 318, [f"the value used: yours may be {lo_hi}"])
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


def ins04(k):
    limit = F.induced_draft_limit(k)
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
    p.lines(64, 646, [f"Air leaving above {limit:g} °F ({(limit - 32) / 1.8:.0f} °C): "
                      "the report shows",
                      "Forced, and the sheet selects Forced as well.",
                      "Fewer tube rows give more air and a cooler outlet."],
            26, gap=1.45)
    p.lines(660, 118, ["The draft is printed in the report;",
                       "it does not change the sizing."], 24, color=GREY,
            gap=1.35)
    return p


def ins05(k):
    e = F.EXAMPLE
    hot_in, hot_out, air_in = float(e.hot_in), float(e.hot_out), float(e.air_in)
    air_out = F.example(k)["TAIROUT"]
    p = Pic("ins05.png")
    p.title("Item 5: hot fluid parameters")
    group(p, 40, 100, 640, 300, "5. Input Hot Fluid Parameters", 24, bg=WHITE)
    rows = [("Heat Duty, Million Btu/Hr", e.duty,
             english("duty").replace(" million Btu/hr", "")),
            ("Inlet Temperature, °F", e.hot_in,
             "above air inlet, " + english("hot_in").replace("at most", "up to")),
            ("Outlet Temperature, °F", e.hot_out,
             "between air inlet and hot inlet")]
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
    p.line([(xl, ty(hot_in)), (xr, ty(hot_out))], width=5, color=HOT)
    p.line([(xl, ty(air_out)), (xr, ty(air_in))], width=5, color=AIR)

    def along(t0, t1, x):
        return t0 + (t1 - t0) * (x - xl) / (xr - xl)
    p.arrow(xl + 300, ty(along(hot_in, hot_out, xl + 300)) - 24,
            xl + 420, ty(along(hot_in, hot_out, xl + 420)) - 24,
            width=3, color=HOT, head=14)
    p.arrow(xl + 560, ty(along(air_out, air_in, xl + 560)) + 24,
            xl + 440, ty(along(air_out, air_in, xl + 440)) + 24,
            width=3, color=AIR, head=14)
    p.text(xl + 12, ty(hot_in) - 14, f"hot in {hot_in:g}", 24, "bold", HOT,
           anchor="ls")
    p.text(xr + 10, ty(hot_out), f"hot out {hot_out:g}", 24, "bold", HOT,
           anchor="lm")
    p.text(xr + 10, ty(air_in), f"air in {air_in:g}", 24, "bold", AIR,
           anchor="lm")
    p.text(xl + 12, ty(air_out) + 58, f"air out {air_out:.1f}", 24, "bold",
           AIR, anchor="la")
    p.arrow(xr - 20, ty(hot_out), xr - 20, ty(air_in), width=2.5, head=12,
            both=True)
    p.text(xr + 10, (ty(hot_out) + ty(air_in)) / 2,
           f"approach {hot_out - air_in:g}", 23, anchor="lm")
    p.text((xl + xr) / 2, yb + 14, "along the bundle", 24, GREY, anchor="ma")
    return p


def ins06(k):
    mats = F.materials(k)
    factors = sorted(f for _, f in mats)
    suggested = [str(rows) for _, _, rows, _ in F.row_bands(k)]
    p = Pic("ins06.png")
    p.title("Item 6: air, tubes, rows, material, price")
    group(p, 40, 100, 640, 400, "6. Input KELD Parameters", 24, bg=WHITE)
    rows = [("Inlet Air Temperature, °F", F.EXAMPLE.air_in, english("air")),
            ("Tube Length, Feet", F.EXAMPLE.length, english("length")),
            ("Number of Tube Rows:", F.EXAMPLE.rows, english("rows")),
            ("Tubes and Headers:", None,
             f"price factor {factors[0]:.1f} to {factors[-1]:.1f}"),
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
        f"The sheet suggests {', '.join(suggested[:-1])} or {suggested[-1]} "
        "rows whenever a",
        "temperature or the coefficient changes.",
        "To keep your own count, click into the field with",
        "the mouse, then type it.",
        "A later change of a temperature or U suggests again."], 26,
        gap=1.42)
    return p


def ins07(k):
    refused = F.message(k, F.EXAMPLE.but(length=70)).split("\n")
    completed = F.example(k).messages[0].split("\n")
    p = Pic("ins07.png")
    p.title("Calculate: checks, sizing, report")
    button(p, 40, 110, 280, 166, "Calculate", 26, default=True)
    message_box(p, 320, 96, 1092, refused)
    message_box(p, 320, 370, 1092, completed)
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


def ins08(k):
    """The report scrolled to its sections on fans and the cost of
    ownership, the File menu open."""
    lines = k.report(DEFAULT_CASE, auto_rows=True)
    first = next((n for n, line in enumerate(lines)
                  if line.startswith("FANS AND NOISE")), None)
    if first is None:
        raise KeldSizeError("the report has no section FANS AND NOISE")
    caption = (read_config("Brochure", "TitleBar") + " KELD2 Output - "
               + os.path.basename(DEFAULT_CASE))
    p = Pic("ins08.png")
    # two lines more, for the open menu to cover rather than the heading
    report_window(p, 8, 8, 1124, 794, caption,
                  read_config("Brochure", "title"), lines, first=first - 2,
                  file_menu=[("Save as PDF…", ""), ("Exit", "")])
    return p


def ins09(k):
    p = Pic("ins09.png")
    p.title("Project files")
    # the File menu
    y = window(p, 40, 90, 420, 470, "KELD - E-101.ini", ["File", "Calculate"])
    # the last files opened or saved under Save
    drop_menu(p, 42, y, [("Open", "Ctrl+O"), ("Save", "Ctrl+S"),
                         ("1 E-101.ini", ""), ("2 condenser.ini", ""),
                         ("Exit", "")], 24)

    def folder(fx, fy, h, name, files, fill):
        p.poly([(fx, fy + 20), (fx + 90, fy + 20), (fx + 110, fy + 40),
                (fx + 490, fy + 40), (fx + 490, fy + h), (fx, fy + h)],
               fill=fill, outline=INK, width=2.5)
        p.text(fx + 20, fy + 70, name, 26, "bold", anchor="lm")
        for i, f in enumerate(files):
            file_icon(p, fx + 30, fy + 100 + i * 64, f)

    folder(600, 60, 210, "Files, beside the program", ["default.ini"],
           (236, 238, 242))
    p.text(1076, 184, "belongs to root", 23, GREY, anchor="rm")
    folder(600, 290, 240, "A folder of your own, e.g. home",
           ["E-101.ini", "condenser.ini"], (255, 244, 214))
    p.arrow(590, 190, 430, 190, width=4, color=GREY, head=16)
    p.text(510, 178, "Reset", 24, "bold", GREY, anchor="ms")
    p.arrow(430, 380, 590, 380, width=4, color=AIR, head=16)
    p.text(510, 368, "Save", 24, "bold", AIR, anchor="ms")
    p.arrow(590, 450, 430, 450, width=4, color=GOOD, head=16)
    p.text(510, 438, "Open", 24, "bold", GOOD, anchor="ms")
    p.lines(40, 556, ["At start and with Reset the sheet reads default.ini.",
                      "The dialogs start in Files: save your cases in a folder",
                      "of your own. The caption names the file the sheet matches:",
                      ], 26, gap=1.4)
    p.text(80, 676, "KELD - E-101.ini", 24, "bold")
    p.text(420, 676, "unchanged since Open or Save", 24, GREY)
    p.text(80, 724, "KELD - ", 24, "bold")
    p.text(420, 724, "changed: KELD asks before it lets them go", 24, GREY)
    return p


def ins10(k):
    price = 125000
    shown = report_value(k.report(DEFAULT_CASE, price=price),
                         "Estimated price (US$)")[0]
    p = Pic("ins10.png")
    p.title("Your own price: Ctrl+P on the sheet")
    for i, key in enumerate(["Ctrl", "P"]):
        x = 60 + i * 170
        p.rect(x, 110, x + 110, 180, fill=WHITE, outline=INK, width=3, r=10)
        p.text(x + 55, 145, key, 28, "bold", anchor="mm")
    p.text(200, 145, "+", 30, "bold", anchor="mm")
    p.text(380, 145, "while the calculation sheet is active", 26, GREY,
           anchor="lm")
    y = window(p, 40, 230, 560, 500, "KELD Price")
    p.text(70, y + 36, "Enter KELD Price (US Dollars)", 24, anchor="lm")
    field(p, 70, y + 70, 300, str(price), 24, h=40)
    button(p, 90, y + 140, 230, y + 190, "OK", 24, default=True)
    button(p, 270, y + 140, 410, y + 190, "Cancel", 24)
    p.arrow(572, 380, 628, 380, width=5, color=INK, head=18)
    p.rect(640, 300, 1100, 460, fill=WHITE, outline=GREY, width=2)
    p.text(656, 330, "report", 24, GREY)
    p.text(656, 400, f"Estimated price (US$)  {shown}", 22, "mono")
    p.lines(40, 560, [
        "The price, in US dollars and above 0, replaces the estimate",
        "in the next report and is marked there with *.",
        "No factor and no lowest price apply to it.",
        "Closing the report clears it."],
        26, gap=1.45)
    return p


def ins11(k):
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
        f"Coefficient: {english('coefficient')} on an English sheet,",
        f"{metric('coefficient')} on a Metric sheet.",
        "Cancel returns to the first fluid of the list."], 26, gap=1.45)
    return p


def ins12(k):
    """The dialog "Options" on an English sheet with the options that
    keld-size uses when none are given, in its four groups, and the tooltip
    of one field with the range it accepts."""
    p = Pic("ins12.png")
    # the sheet's menu bar, "Options…" chosen
    menu = ["File", "Calculate", "Instructions", "Reset", "Tutorial",
            "Options…", "Alternatives…", "About"]
    window(p, 10, 12, 1122, 92, "KELD - default.ini", menu)
    x = 10 + 14 + sum(p.text_size(m, 22)[0] + 26 for m in menu[:5])
    w = p.text_size(menu[5], 22)[0]
    p.rect(x - 8, 53, x + w + 8, 85, outline=BADGE, width=3, r=6)
    # the dialog's note as it wraps at this width
    note_lines = ["Fans, motors, noise and the cost of owning the cooler, in "
                  "the report's sections",
                  "\"FANS AND NOISE\", \"AIR SIDE\" and \"COST OF OWNERSHIP\". "
                  "The estimate itself does not",
                  "change. A noise limit left empty is none."]
    groups = [(title, [(option_label(o), option_default(o)) for o in options])
              for title, options in option_groups(k)]
    fields, _ = options_dialog(p, 10, 108, 1122, note_lines, groups)
    # the pointer resting on a field, its tooltip below it
    largest = next(o for o in k.options if o["flag"] == "--largest-fan")
    fx, fy, fw, fh = fields[option_label(largest)]
    px, py = fx + fw - 40, fy + fh - 16
    tooltip(p, px + 4, py + 42, [largest["range"]["english"]])
    pointer(p, px, py)
    return p


def ins13(k):
    """The Alternatives window on the default case with "Usual proportions
    only" ticked and swept: the sweep ranked by price (keld-size --sweep
    --usual-only --csv), the chart of the price against the tube length
    with one curve per row count and the best marked, the pointer resting
    on the design that Calculate sizes on the freshly started sheet (the
    rows it chooses, the file's tube length), and the first rows of the
    table scrolled to its right end, where the fans, their motors and their
    noise stand."""
    case = k.read_project(DEFAULT_CASE)
    english = case.units.upper() == "ENGLISH"
    unit = "ft" if english else "m"    # as the window's labels name it
    swept = k.sweep(DEFAULT_CASE, usual_only=True)
    # The CSV's columns: rank, rows, length, material, the figures of the
    # table (price the fifth), marks and message.
    keys = list(swept[0])
    length_key, figure_keys = keys[2], keys[4:-2]
    price_key = figure_keys[4]
    ranked = sorted((r for r in swept if r["rank"]), key=lambda r: int(r["rank"]))
    if not ranked:
        raise KeldSizeError("the default sweep has no feasible alternative")
    lengths = sorted({float(r[length_key]) for r in swept})
    drawn = sorted({float(r[length_key]) for r in ranked})
    # The table that keld-size --sweep prints: its headings are the window's
    # columns, its first rows those the window's table shows.
    printed = k.sweep(DEFAULT_CASE, text=True, usual_only=True)
    headings = re.split(r"\s{2,}", printed[0].strip())

    def figure(r, key):
        # a count (the fans) stands as it is, the other figures to three
        # significant digits
        return r[key] if r[key].isdigit() and key == "fans" else F.sig(float(r[key]))

    def cells(r):
        return ([r["rank"], r["rows"], F.sig(float(r[length_key])),
                 r["material"]] + [figure(r, key) for key in figure_keys]
                + [r["marks"]])

    shown = [cells(r) for r in ranked[:5]]
    for row, line in zip(shown, printed[1:]):
        if not " ".join(line.split()).startswith(" ".join(row).strip()):
            raise KeldSizeError(f"ins13: the row {row} is printed as {line!r}")
    if len(headings) != len(shown[0]):
        raise KeldSizeError(f"ins13: the columns {headings} do not match "
                            f"the CSV's")
    # One curve per row count: at each length the best of its materials.
    curves = {}
    for r in ranked:
        curves.setdefault(int(r["rows"]), {}).setdefault(
            float(r[length_key]), float(r[price_key]))
    series = [(f"{rows} rows", sorted(curves.get(rows, {}).items()))
              for rows in F.ROW_RANGE]
    prices = [float(r[price_key]) for r in ranked]
    margin = (max(prices) - min(prices)) * 0.05
    y_axis = nice_axis(min(prices) - margin, max(prices) + margin)
    x_axis = (drawn[0], drawn[-1], 5)
    best = ranked[0]
    price_heading = headings[8]
    caption = (read_config("Brochure", "TitleBar") + " Alternatives - "
               + os.path.basename(DEFAULT_CASE))
    status = (f"{len(swept)} alternatives: {len(ranked)} feasible, "
              f"{len(swept) - len(ranked)} infeasible.")
    p = Pic("ins13.png")
    at = alternatives_window(
        p, 8, 8, 1124, 794, caption,
        (f"Tube lengths, {unit}: from",
         [f"{lengths[0]:g}", f"{lengths[-1]:g}", f"{lengths[1] - lengths[0]:g}"],
         False, True, "Price"),
        ("Price against tube length", f"Tube length, {unit}", price_heading,
         x_axis, y_axis, series,
         (float(best[length_key]), float(best[price_key]))),
        (headings, shown, (3, len(headings) - 1), 0, len(swept)),
        status)
    # The pointer rests on the design that Calculate sizes after start-up:
    # its figures in a tooltip.
    rows = str(F.default_case(k)["NROWS"])
    own = next(r for r in ranked if r["rows"] == rows
               and float(r[length_key]) == float(case.length)
               and r["material"] == case.material)
    c = cells(own)
    tip = [f"{own['rows']} rows, {c[2]} {unit}, {own['material']}",
           f"price {c[8]} US$, evaluated cost {c[9]} US$",
           f"fan power {c[6]} {headings[6].split()[-1]}, noise {c[13]} dB(A), "
           f"weight {c[7]} {headings[7].split()[-1]}"]
    px, py = at(float(own[length_key]), float(own[price_key]))
    tooltip(p, px - 200, py - 150, tip)
    pointer(p, px, py)
    return p

"""The pages checked against keld-size: every figure of the estimate that a
page on fans, noise, the cost of ownership, the options or the alternatives
quotes, and every rule and limit it names.

A page is plain text, so it cannot take its figures from keld-size as the
pictures do; instead each figure is worked out here from keld-size runs
and looked for in the page, and the rules that the pages state in words
(the bay width, the plot, the fan diameter, the ring, the plenum, the
motors, the noise and the cost of ownership) are held against many cases
that keld-size plans.  A page or a rule of the program that changes alone
stops the picture tool with a message naming the page and what it misses.
"""

import math
import os
import re

from . import figures as F
from .instructions import (METRIC_EXAMPLE, OPTION_GROUPS, metric_option_ranges,
                           option_line)
from .keld import DEFAULT_CASE, REPO, KeldSizeError

PAGES = os.path.join(REPO, "data", "Pages")

# A relative allowance for comparing a figure with a rule's formula.
CLOSE = 1e-6


def page_text(name):
    """A page's text as the page window shows it, whitespace made single
    blanks: the title and the heading left out, every other tag a blank."""
    with open(os.path.join(PAGES, name + ".txt"), "rb") as f:
        text = f.read().decode("cp1252")
    text = re.sub(r"(?is)<(title|h1|h2|h3)>.*?</\1>", " ", text)
    text = re.sub(r"<[^>]*>", " ", text)
    return " ".join(text.split())


def grouped(x):
    """A number as the pages write it: thousands separated, no trailing
    zeros (10,000; 3,280; 60.96)."""
    return f"{x:,g}"


def option(k, flag):
    return next(o for o in k.options if o["flag"] == flag)


def english_and_metric(k, flag):
    """An option's default as the pages name it: "1 ft (0.3 m)"."""
    o = option(k, flag)
    return (f"{grouped(o['default']['english'])} {o['unit']['english']} "
            f"({grouped(o['default']['metric'])} {o['unit']['metric']})")


def range_english_and_metric(k, flag, units=True):
    """An option's range as the pages name it: "10 to 3,280 ft (3 to 1,000
    m)", or without the English unit "5,000 to 12,000 (25.4 to 60.96 m/s)"."""
    o = option(k, flag)
    english = f"{grouped(o['low']['english'])} to {grouped(o['high']['english'])}"
    metric = f"{grouped(o['low']['metric'])} to {grouped(o['high']['metric'])}"
    unit = f" {o['unit']['english']}" if units else ""
    return f"{english}{unit} ({metric} {o['unit']['metric']})"


NUMBER_WORDS = {1: "One", 2: "Two", 3: "Three", 14: "fourteen"}


def expected(k):
    """{page: [the words it must hold]}, the figures in them from keld-size."""
    run = F.default_case(k)
    c, f, o = run.case, run.fans, run.ownership
    limit = 60
    limited = F.default_case(k, ("--noise-limit", str(limit)))
    distance = option(k, "--noise-distance")["default"]["english"]
    margin = option(k, "--motor-margin")["default"]["english"]
    drive = option(k, "--drive-efficiency")["default"]["english"]
    tut13 = [
        "at most 30 ft (9.14 m) wide", "longer than 1.8 bay widths",
        "at least 4 ft", "at least 40 % of its face", "45°",
        "(plot - fan) / 2",
        f"{english_and_metric(k, '--fan-clearance')} of clearance",
        f"may exceed {english_and_metric(k, '--largest-fan')}",
        f"margin of {margin:.2f}", f"drive efficiency of {drive:g}",
        f"the tips at {english_and_metric(k, '--tip-speed')}",
        f"from {range_english_and_metric(k, '--tip-speed', units=False)}",
        f"{english_and_metric(k, '--noise-distance')} or "
        f"{range_english_and_metric(k, '--noise-distance')}",
        "56 + 30·log10(tip speed / 1000 ft/min) + 10·log10(hp per fan) dB(A)",
        "10·log10(fans)", "- 20·log10(r / 1 m) - 8 dB(A)",
        "keld-size --auto-rows on default.ini",
        f"choosing {c['NROWS']} rows",
        f"{c['XWIDTH']:g} ft wide, {c['LENGTH']:g} ft tubes, "
        f"{c['HORSEPOWER']:.2f} hp",
        f"{NUMBER_WORDS[f['bays']]} bay, {f['fans']} fans of "
        f"{f['fanDiameterFt']:g} ft in plots of {f['plotLengthFt']:g} ft",
        f"covering {100 * f['coverage']:.0f} % of the face",
        f"plenum {f['plenumDepthFt']:g} ft",
        f"{f['shaftPowerPerFanHp']:.2f} hp per fan, {f['motorRating']:g} "
        f"{f['motorRatingUnit']} motors", f"{f['rpm']:.0f} rpm",
        f"Sound power {f['soundPowerPerFanDbA']:.1f} dB(A) a fan, "
        f"{f['soundPowerDbA']:.1f} both",
        f"{f['soundPressureDbA']:.1f} dB(A) at {distance:g} ft",
        f"{f['nearFieldDbA']:.1f} dB(A) 1 m below a fan",
        f"A limit of {limit} dB(A) at {distance:g} ft allows "
        f"{limited.fans['tipSpeedForLimitsFtMin']:,.0f} ft/min",
    ]
    annual, pv = o["energyCostPerYear"], o["energyPresentValue"]
    factor = pv / annual
    more = o["electricalPowerKw"] / (c["HORSEPOWER"] * 0.7457) - 1
    bars = {rows: rest for rows, *rest in F.evaluated_by_rows(k)}
    cheapest = next(r for r, rest in bars.items() if "cheapest" in rest[-1])
    own = c["NROWS"]
    if cheapest == own:
        raise KeldSizeError("tut14: the rows that Calculate chooses are the "
                            "cheapest now; the page tells another story")

    def price_and_evaluated(rows):
        price, value, hp = bars[rows][:3]
        return round(price), round(price + value), hp

    cheap_price, cheap_eval, cheap_hp = price_and_evaluated(cheapest)
    own_price, own_eval, own_hp = price_and_evaluated(own)
    tut14 = [
        "0.7457 kW per hp",
        f"by default {o['driveEfficiency']:g} for the belts or gears and "
        f"{o['motorEfficiency']:g} for the motor",
        f"about {100 * more:.0f} % more than the fans take",
        f"by default {o['hoursPerYear']:,.0f} hours at "
        f"{o['energyPricePerKwh']:.2f} US$ per kWh",
        f"{factor:.5f} times for {o['years']} years at {100 * o['rate']:g} %",
        f"({own} rows, as Calculate chooses them",
        f"{c['HORSEPOWER']:.2f} hp of fan power draw "
        f"{o['electricalPowerKw']:.2f} kW",
        f"cost {annual:,.0f} US$ a year, worth {annual:,.0f} × {factor:.5f} = "
        f"{pv:,.0f} US$ over {o['years']} years",
        f"With the price of {c['COSTTOTAL']:,.0f} US$ the evaluated cost is "
        f"{o['evaluatedCost']:,.0f} US$",
        f"the energy adds {100 * pv / c['COSTTOTAL']:.0f} % to the price",
        f"with {c['LENGTH']:g} ft tubes, swept over its rows (keld-size "
        f"--sweep --lengths {c['LENGTH']:g})",
        f"{cheapest} rows are the cheapest, {cheap_price:,} US$ with "
        f"{cheap_hp:.1f} hp, evaluated at {cheap_eval:,} US$; the {own} rows "
        f"that Calculate chooses cost {own_price:,} US$ with {own_hp:.1f} hp, "
        f"evaluated at {own_eval:,} US$, {cheap_eval - own_eval:,} US$ less",
    ]
    ins12 = ([f"with {NUMBER_WORDS[len(k.options)]} options",
              option(k, "--tip-speed")["message"]["english"]]
             + [title + ":" for title, _ in OPTION_GROUPS]
             + [option_line(o) for o in k.options]
             + metric_option_ranges(k))
    english = sorted({float(r["length_ft"]) for r in k.sweep(DEFAULT_CASE)})
    metric = sorted({float(r["length_m"])
                     for r in k.sweep(METRIC_EXAMPLE, units="metric")})
    ins13 = [
        f"every tube length from {english[0]:g} to {english[-1]:g} ft by "
        f"{english[1] - english[0]:g} ({metric[0]:g} to {metric[-1]:g} m by "
        f"{metric[1] - metric[0]:g} on a Metric sheet)",
        f"tubes longer than {usual_length(k)}",
    ]
    return {"tut13": tut13, "tut14": tut14, "ins12": ins12, "ins13": ins13}


def usual_length(k):
    """The longest tube of usual proportions, as the pages name it ("50 ft
    (15.24 m)"): keld-size --usual-only takes a sweep at that length and
    leaves out the next length up, with the reason in words."""
    case = k.read_project(DEFAULT_CASE)
    longest, metric = 50, "15.24"
    rows = k.sweep(case, f"{longest},{longest + 2}", usual_only=True)
    kept = {float(r["length_ft"]) for r in rows if r["rank"]}
    left_out = [r["message"] for r in rows
                if float(r["length_ft"]) == longest + 2]
    if longest not in kept or (longest + 2) in kept or not all(
            f"tubes longer than {longest} ft" in m for m in left_out):
        raise KeldSizeError(f"keld-size --usual-only keeps {sorted(kept)} of "
                            f"{longest} and {longest + 2} ft: {left_out}")
    metric_rows = k.sweep(METRIC_EXAMPLE, f"{metric},15.5", usual_only=True,
                          units="metric")
    if [bool(r["rank"]) for r in metric_rows if r["rows"] == "3"] != [True, False]:
        raise KeldSizeError(f"keld-size --usual-only on a Metric case does "
                            f"not end at {metric} m")
    return f"{longest} ft ({metric} m)"


# Cases for the rules: the default case with other duties and tube lengths,
# narrow and wide bundles, one bay and several, the rows left to the sizing.
RULE_DUTIES = (1, 4, 12.5, 30, 60, 120, 250)
RULE_LENGTHS = (8, 14, 30, 44, 60)


def close(a, b, tolerance=CLOSE):
    return abs(a - b) <= tolerance * max(1.0, abs(a), abs(b))


def check_rules(k):
    """The rules of fans, motors, noise and the cost of ownership that the
    pages state, held against keld-size's plans of many cases; returns the
    faults found."""
    base = k.read_project(DEFAULT_CASE)
    cases = [base.but(duty=d, length=n) for d in RULE_DUTIES
             for n in RULE_LENGTHS]
    defaults = {o["flag"]: o["default"]["english"] for o in k.options}
    fewest = defaults["--fewest-fans"]
    clearance, largest = defaults["--fan-clearance"], defaults["--largest-fan"]
    margin, drive = defaults["--motor-margin"], defaults["--drive-efficiency"]
    motor = defaults["--motor-efficiency"]
    faults = []
    several_bays = False
    for case, run in zip(cases, k.size_all(cases, auto_rows=True)):
        c, f, o = run.case, run.fans, run.ownership
        if not run.ok:
            faults.append(f"{case.duty} million Btu/hr, {case.length} ft: "
                          f"{run.messages}")
            continue
        if not f.get("bays"):
            continue              # no layout fits: the report's notes say why
        d, bay, plot = f["fanDiameterFt"], f["bayWidthFt"], f["plotLengthFt"]
        per_fan = f["shaftPowerPerFanHp"]
        several_bays |= f["bays"] > 1
        tip = f["tipSpeedFtMin"]
        d_m = f["fanDiameterM"]
        rules = {
            "bays at most 30 ft wide": bay <= 30 * (1 + 1e-9),
            "bays share the width": close(bay * f["bays"], c["XWIDTH"]),
            "plots share the tubes": close(plot * f["fansPerBay"], c["LENGTH"]),
            "fans = bays × fans per bay": f["fans"] == f["bays"] * f["fansPerBay"],
            "at least the fewest fans": f["fans"] >= fewest,
            "a plot at most 1.8 bay widths": plot <= 1.8 * bay * (1 + 1e-9),
            "a whole foot, at least 4 ft": d == int(d) and d >= 4,
            "at most the largest fan": d <= largest,
            "40 % of the face covered": f["coverage"] >= 0.40 - 1e-9,
            "the smallest such diameter": d == 4 or
            f["coverage"] * ((d - 1) / d) ** 2 < 0.40,
            "fan and ring fit the plot": d + clearance <= min(bay, plot) + 1e-9,
            "plenum (plot - fan) / 2": close(f["plenumDepthFt"],
                                             max(0.0, (plot - d) / 2)),
            "shaft power shared": close(per_fan * f["fans"], c["HORSEPOWER"]),
            "motor rating covers margin and drive":
                f["motorRating"] >= per_fan * margin / drive * (1 - 1e-9),
            "rpm from tip speed": close(f["rpm"], tip / (math.pi * d)),
            "sound power of a fan": close(
                f["soundPowerPerFanDbA"],
                56 + 30 * math.log10(tip / 1000) + 10 * math.log10(per_fan)),
            "sound power of all fans": close(
                f["soundPowerDbA"],
                f["soundPowerPerFanDbA"] + 10 * math.log10(f["fans"])),
            "sound pressure at the listener": close(
                f["soundPressureDbA"],
                f["soundPowerDbA"] - 20 * math.log10(f["distanceM"]) - 8),
            "sound pressure 1 m below a fan": close(
                f["nearFieldDbA"], f["soundPowerPerFanDbA"] - 10 * math.log10(
                    max(math.pi * d_m ** 2 / 4, 2 * math.pi)), 1e-5),
            "electrical power": close(
                o["electricalPowerKw"], c["HORSEPOWER"] * 0.7457 / (drive * motor)),
            "energy cost a year": close(
                o["energyCostPerYear"], o["electricalPowerKw"]
                * o["hoursPerYear"] * o["energyPricePerKwh"]),
            "present value": close(
                o["energyPresentValue"], o["energyCostPerYear"]
                * (1 - (1 + o["rate"]) ** -o["years"]) / o["rate"]),
            "evaluated cost": close(o["evaluatedCost"],
                                    c["COSTTOTAL"] + o["energyPresentValue"]),
        }
        faults += [f"{case.duty} million Btu/hr, {case.length} ft: {rule}"
                   for rule, holds in rules.items() if not holds]
    if not several_bays:
        faults.append("no case has more than one bay: the 30 ft rule is "
                      "not tried")
    limited = F.default_case(k, ("--noise-limit", "60"))
    f = limited.fans
    if not close(f["tipSpeedForLimitsFtMin"], f["tipSpeedFtMin"]
                 * 10 ** ((60 - f["soundPressureDbA"]) / 30)):
        faults.append("the highest tip speed for a noise limit")
    return faults


def check_pages(k):
    """Every page's words (expected) and the rules: stops with a message
    naming what a page misses or which rule keld-size does not keep."""
    missing = []
    for name, phrases in expected(k).items():
        text = page_text(name)
        missing += [f"{name}: \"{s}\"" for s in phrases if s not in text]
    faults = check_rules(k)
    if missing or faults:
        raise KeldSizeError("the pages do not match keld-size:\n  "
                            + "\n  ".join(missing + faults))

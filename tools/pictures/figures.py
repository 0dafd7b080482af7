"""The figures of the estimate that the pictures show, each taken from
keld-size runs rather than from a copy of the program's tables.

Tables (rows and face velocity, fan power, weight, price, materials) are
read off runs of small cases; rules with a threshold (the row index bands,
the fin type, the smallest priced surface, the draft rule) are found by
bisection between a case on each side.  The worked example of the tutorial
is one case sized with the rows left to the program.
"""

import math

from .keld import (DEFAULT_CASE, Case, KeldSizeError, num,
                   report_value)

# The worked example of the tutorial: a liquid cooled from 200 to 120 °F,
# 10 million Btu/hr, air at 95 °F, U = 80, 30 ft steel tubes, factor 1, the
# rows left to the sizing.
EXAMPLE = Case(title="Worked example", item="EX-1")

ROW_RANGE = range(3, 11)       # the rows the program accepts


def bisect(lo, hi, upper, steps=40):
    """Narrow [lo, hi] around the point where upper(x) turns true."""
    for _ in range(steps):
        mid = (lo + hi) / 2
        if upper(mid):
            hi = mid
        else:
            lo = mid
    return lo, hi


def roundest(lo, hi):
    """The number with the fewest significant digits within [lo, hi]."""
    for k in range(6, -7, -1):
        step = 10.0 ** k
        n = math.ceil(lo / step - 1e-9) * step
        if n <= hi + 1e-9:
            return round(n, max(0, -k))
    return (lo + hi) / 2


def example(k):
    """The worked example, sized with the rows chosen by the program."""
    run = k.size(EXAMPLE, auto_rows=True)
    if not run.ok:
        raise KeldSizeError(f"the worked example stops: {run.messages}")
    return run


def air_properties(run):
    """Specific heat (Btu/(lb °F)) and density (lb/cu ft) of the air that a
    run used, from its duty, air flow, temperatures and face area."""
    c = run.case
    cp = c["QTOTAL"] / (c["MAIR"] * (c["TAIROUT"] - c["TAIRIN"]))
    rate_per_face = c["MAIR"] * cp / c["AFACE"]          # Btu/(hr °F sq ft)
    density = rate_per_face / (c["FACEVELOCITY"] * 60.0 * cp)
    return cp, density, rate_per_face


def row_bands(k):
    """[(from, to, rows, face velocity)] of the row index 100·P/U, read off
    --auto-rows runs whose hot outlet temperature sweeps the index."""
    base = EXAMPLE.but(hot_in=200, air_in=100, low=80, high=80, used=80)

    def at(index):                      # index = (200 - outlet) / 80 here
        return base.but(hot_out=200 - 80 * index)

    def choice(index):
        run = k.size(at(index), auto_rows=True)
        return run["NROWS"], run["FACEVELOCITY"]

    grid = [i / 100 for i in range(1, 124)]
    runs = k.size_all([at(x) for x in grid], auto_rows=True)
    picks = [(r["NROWS"], r["FACEVELOCITY"]) for r in runs]
    bands = []
    start = 0.0
    for i in range(1, len(grid)):
        if picks[i] != picks[i - 1]:
            below = picks[i - 1]
            lo, hi = bisect(grid[i - 1], grid[i], lambda x: choice(x) != below)
            edge = roundest(k.size(at(lo), auto_rows=True)["ROWINDEX"],
                            k.size(at(hi), auto_rows=True)["ROWINDEX"])
            bands.append((start, edge) + below)
            start = edge
    bands.append((start, None) + picks[-1])
    return bands


def row_tables(k):
    """{rows: (sq ft of bare surface per hp, lb per sq ft of face)} from
    runs of the example with each row count kept as given."""
    cases = [EXAMPLE.but(rows=r) for r in ROW_RANGE]
    out = {}
    for r, run in zip(ROW_RANGE, k.size_all(cases)):
        if not run.ok or run["NROWS"] != r:
            raise KeldSizeError(f"the example with {r} rows: {run.messages}")
        out[r] = (run["ATUBEBARETOTAL"] / run["HORSEPOWER"],
                  run["WEIGHTTOTAL"] / run["AFACE"])
    return out


def price_curve(k, rows, a_from, a_to, length=30, points=160):
    """[(bare surface, US$ per sq ft)] of steel bundles with the given rows
    and tube length, from runs of growing duty."""
    base = EXAMPLE.but(rows=rows, length=length)
    probe = k.size(base)
    per_duty = probe["ATUBEBARETOTAL"] / float(base.duty)
    d0, d1 = 0.9 * a_from / per_duty, 1.05 * a_to / per_duty
    cases = [base.but(duty=d0 + (d1 - d0) * i / (points - 1))
             for i in range(points)]
    pts = {}
    for run in k.size_all(cases):
        if run.ok:
            a = run["ATUBEBARETOTAL"]
            if a_from <= a <= a_to:
                pts[a] = run["COSTTOTALPERAREA"]
    return sorted(pts.items())


def smallest_priced_area(k):
    """The bare surface below which a bundle is priced as that surface with a
    tube-length factor of 1.0: found where the factor of short-tube bundles
    stops being 1.0."""
    base = EXAMPLE.but(rows=3, length=8)

    def run(duty):
        return k.size(base.but(duty=duty))

    def sized(duty):
        return run(duty)["LENGTHFACTOR"] != 1.0

    lo, hi = bisect(0.1, 10.0, sized, steps=30)
    if not sized(hi) or sized(lo):
        raise KeldSizeError("no smallest priced surface between 0.1 and 10 "
                            "million Btu/hr")
    return roundest(run(lo)["ATUBEBARETOTAL"], run(hi)["ATUBEBARETOTAL"])


def materials(k):
    """[(name, price factor)], cheapest first: the names from a sweep over
    every material, the factors from a run with each."""
    rows = k.sweep(EXAMPLE, "30", "all")
    names = [r["material"] for r in rows if r["rows"] == EXAMPLE.rows]
    runs = k.size_all([EXAMPLE.but(material=n) for n in names])
    return [(n, run["MATERIALFACTOR"]) for n, run in zip(names, runs)]


def fins(k):
    """(fin types and densities below and above the threshold, threshold in
    °F) from the reports of cases with a growing hot inlet temperature."""
    base = EXAMPLE

    def fin(t):
        lines = k.report(base.but(hot_in=t))
        kind = report_value(lines, "Fin type")[1][0]
        density = report_value(lines, "Fin density (fins per in | per mm)")[1]
        return kind, density

    cool, hot = fin(300), fin(740)
    lo, hi = bisect(300, 740, lambda t: fin(t) != cool, steps=24)
    return cool, hot, roundest(lo, hi)


def induced_draft_limit(k):
    """The outlet air temperature above which the program reports forced
    draft for a case entered as induced draft."""
    base = EXAMPLE.but(draft="INDUCED", rows=3, hot_in=700, air_in=95)

    def run(hot_out):
        return k.size(base.but(hot_out=hot_out))

    def forced(hot_out):
        return run(hot_out)["DRAFT"] is True

    lo, hi = bisect(100, 690, forced, steps=30)
    if not forced(hi) or forced(lo):
        raise KeldSizeError("no draft rule found for the induced-draft case")
    return roundest(run(lo)["TAIROUT"], run(hi)["TAIROUT"])


def message(k, case):
    """The message that the program gives for a case (its first)."""
    return k.size(case).messages[0]


def fmt(v, digits=2):
    """A figure with at most the given decimals, trailing zeros dropped."""
    s = f"{v:,.{digits}f}"
    return s.rstrip("0").rstrip(".") if "." in s else s


def sig(v, n=3):
    """A figure to n significant digits with thousands separators."""
    if v == 0:
        return "0"
    d = n - 1 - int(math.floor(math.log10(abs(v))))
    return f"{round(v, d):,.{max(0, d)}f}"



def planned(k, case, options=(), auto_rows=False):
    """A case sized by keld-size with its fans and cost of ownership."""
    run = k.size(case, auto_rows=auto_rows, options=options)
    if not run.ok or not run.fans or not run.ownership:
        raise KeldSizeError(f"{case}: no fans or cost of ownership: "
                            f"{run.messages}")
    return run


def default_case(k, options=()):
    """The shipped default case as the sheet calculates it after start-up:
    the start-up leaves the rows to the sizing, so Calculate chooses them
    (keld-size --auto-rows data/Files/default.ini)."""
    return planned(k, DEFAULT_CASE, options, auto_rows=True)


def evaluated_by_rows(k):
    """The default case at its own tube length for every row count, from a
    keld-size sweep: [(rows, price, present value of the fan energy, fan
    power in hp, electrical power in kW, marks)] in row order.  The sweep
    gives no electrical power; it comes from a run of the default case with
    each row count kept as given."""
    length = default_case(k)["LENGTH"]
    rows = k.sweep(DEFAULT_CASE, num(length))
    base = k.read_project(DEFAULT_CASE)
    counts = [int(r["rows"]) for r in rows]
    runs = dict(zip(counts, k.size_all([base.but(rows=n) for n in counts])))
    out = []
    for r in rows:
        n = int(r["rows"])
        run = runs[n]
        if not r["price_usd"] or not run.ownership:
            raise KeldSizeError(f"the default case with {n} rows: "
                                f"{r['message']} {run.messages}")
        price, evaluated = float(r["price_usd"]), float(r["evaluated_cost_usd"])
        hp = float(r["fan_power_hp"])
        if run["NROWS"] != n or abs(run["HORSEPOWER"] - hp) > 1e-6 * hp:
            raise KeldSizeError(f"the default case with {n} rows: the sweep "
                                f"gives {hp} hp, a run {run['HORSEPOWER']}")
        marks = [m.strip() for m in r["marks"].split(",") if m.strip()]
        out.append((n, price, evaluated - price, hp,
                    run.ownership["electricalPowerKw"], marks))
    return sorted(out)

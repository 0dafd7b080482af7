"""Running keld-size: the pictures take every figure of the estimate from
the program itself.

A case is written as a small project file (the 17-line format of the
README: CR LF, Windows-1252) into a temporary folder, keld-size sizes it,
and its JSON, CSV or report text is read back.  Every result is kept for the
rest of the run, so a figure asked for twice costs one run.
"""

import csv
import dataclasses
import io
import json
import os
import shutil
import subprocess
import tempfile

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DEFAULT_KELD_SIZE = os.path.join(REPO, "build", "release", "bin", "keld-size")
# The shipped default case, as the sheet starts on it.
DEFAULT_CASE = os.path.join(REPO, "data", "Files", "default.ini")



class KeldSizeError(Exception):
    pass


def num(v):
    """A number as a project file line holds it."""
    if isinstance(v, str):
        return v
    return format(float(v), ".12g")


@dataclasses.dataclass(frozen=True)
class Case:
    """The entries of one project file, in the order of its lines (the tags
    of the lines come from keld-size --describe)."""
    low: str = "80"             # TEXT1: typical coefficient, lower bound
    high: str = "80"            # TEXT2: upper bound
    used: str = "80"            # TEXT3: coefficient used
    title: str = "Picture case"
    air_in: str = "95"
    hot_in: str = "200"
    hot_out: str = "120"
    rows: str = "10"            # kept as given, unless auto_rows
    item: str = "P-1"
    factor: str = "1"
    length: str = "30"
    duty: str = "10"            # million Btu/hr, or MW
    service: str = "LIQUID"
    units: str = "ENGLISH"
    draft: str = "FORCED"
    fluid: str = "Process Water"
    material: str = "Steel"

    def but(self, **changes):
        """This case with some entries changed; numbers may be given as such."""
        return dataclasses.replace(self, **{k: num(v) for k, v in changes.items()})

    def values(self):
        return [getattr(self, f.name) for f in dataclasses.fields(self)]

    def file_bytes(self, tags):
        lines = [f"{v}{tag}" for v, tag in zip(self.values(), tags)]
        return ("\r\n".join(lines) + "\r\n").encode("cp1252")


def read_project(path, tags):
    """A project file as a Case (the value before each line's tag)."""
    with open(path, "rb") as f:
        text = f.read().decode("cp1252")
    by_tag = {}
    for line in text.splitlines():
        if "<" in line and line.endswith(">"):
            value, tag = line[:-1].rsplit("<", 1)
            by_tag.setdefault("<" + tag.upper() + ">", value)
    names = [f.name for f in dataclasses.fields(Case)]
    return Case(**{n: by_tag[t] for n, t in zip(names, tags) if t in by_tag})


class Run:
    """One keld-size --json result: ok, messages, the sizing record and the
    planning figures on top of it (fans and noise, cost of ownership)."""

    def __init__(self, data):
        self.ok = bool(data.get("ok"))
        self.messages = list(data.get("messages", []))
        self.case = data.get("case", {})
        self.fans = data.get("fans") or {}
        self.ownership = data.get("ownership") or {}

    def __getitem__(self, field):
        return self.case[field]


class KeldSize:
    """keld-size, run on cases and cached for the rest of the run."""

    def __init__(self, exe=DEFAULT_KELD_SIZE):
        self.exe = os.path.abspath(exe)
        if not (os.path.isfile(self.exe) and os.access(self.exe, os.X_OK)):
            raise KeldSizeError(
                f"keld-size not found at {self.exe}: build it with "
                "'bash scripts/setup.sh release' or name it with --keld-size")
        self._folder = tempfile.mkdtemp(prefix="keld-pictures-")
        self._files = {}
        self._cache = {}
        self.runs = 0            # processes started, for the summary line
        # The program's own tables: the tags of a project file's lines and
        # the planning options (flag, label, units, defaults, ranges).
        described = json.loads(self._run(["--describe"]))
        self.tags = described["projectFileTags"]
        self.options = described["options"]

    def close(self):
        shutil.rmtree(self._folder, ignore_errors=True)

    # -- plumbing ---------------------------------------------------------
    def _path(self, case):
        """The project file of a case; a path is a file of its own."""
        if isinstance(case, str):
            return case
        if case not in self._files:
            path = os.path.join(self._folder, f"case{len(self._files) + 1}.ini")
            with open(path, "wb") as f:
                f.write(case.file_bytes(self.tags))
            self._files[case] = path
        return self._files[case]

    def _run(self, args):
        env = dict(os.environ, LC_ALL="C")    # English month names in reports
        self.runs += 1
        done = subprocess.run([self.exe] + args, capture_output=True, env=env,
                              check=False)
        if done.returncode == 2:
            raise KeldSizeError(f"keld-size {' '.join(args)}: "
                                f"{done.stderr.decode('utf-8', 'replace').strip()}")
        return done.stdout.decode("utf-8")

    def read_project(self, path):
        """A project file as a Case."""
        return read_project(path, self.tags)

    # -- sizing -----------------------------------------------------------
    def size_all(self, cases, auto_rows=False, options=()):
        """Size every case (a Case or a project file's path; one keld-size
        run for all that are not cached), with the planning options given
        as keld-size arguments, such as ("--tip-speed", "8000")."""
        flags = (("--auto-rows",) if auto_rows else ()) + tuple(options)
        todo = [c for c in dict.fromkeys(cases) if (c, flags) not in self._cache]
        if len(todo) == 1:
            out = self._run(["--json", *flags, self._path(todo[0])])
            self._cache[(todo[0], flags)] = Run(json.loads(out))
        elif todo:
            out = self._run(["--json", *flags] + [self._path(c) for c in todo])
            for c, data in zip(todo, json.loads(out)):
                self._cache[(c, flags)] = Run(data)
        return [self._cache[(c, flags)] for c in cases]

    def size(self, case, auto_rows=False, options=()):
        return self.size_all([case], auto_rows, options)[0]

    def accepts(self, case, args):
        """Whether keld-size takes these arguments for the case (a usage
        error, status 2, is a refusal)."""
        key = ("accepts", case, tuple(args))
        if key not in self._cache:
            try:
                self._run(["--json", *args, self._path(case)])
                self._cache[key] = True
            except KeldSizeError:
                self._cache[key] = False
        return self._cache[key]

    def report(self, case_or_path, price=None, auto_rows=False):
        """The report text that keld-size prints, lines as a list."""
        path = (case_or_path if isinstance(case_or_path, str)
                else self._path(case_or_path))
        key = ("report", path, price, auto_rows)
        if key not in self._cache:
            args = [path] if price is None else ["--price", num(price), path]
            if auto_rows:
                args = ["--auto-rows"] + args
            self._cache[key] = self._run(args).splitlines()
        return self._cache[key]

    def sweep(self, case, lengths=None, materials=None, text=False,
              usual_only=False, units=None):
        """The rows of a --sweep --csv of the case, as dictionaries; lengths
        None sweeps keld-size's default lengths; usual_only leaves out the
        alternatives of unusual proportions (--usual-only); units names the
        units of the figures ("metric"; English by default).  With text,
        the lines of the table that --sweep prints instead."""
        key = ("sweep", case, lengths, materials, text, usual_only, units)
        if key not in self._cache:
            args = ["--sweep"] + ([] if text else ["--csv"])
            if units:
                args += ["--units", units]
            if lengths is not None:
                args += ["--lengths", lengths]
            if materials:
                args += ["--materials", materials]
            if usual_only:
                args.append("--usual-only")
            out = self._run(args + [self._path(case)])
            self._cache[key] = (out.splitlines() if text else
                                list(csv.DictReader(io.StringIO(out))))
        return self._cache[key]


def report_value(lines, label):
    """The English and Metric columns of the report line starting with label."""
    for line in lines:
        if line.startswith(label):
            rest = line[len(label):].strip()
            parts = rest.split()
            return rest, parts
    raise KeldSizeError(f"the report has no line '{label}'")

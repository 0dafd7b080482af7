"""Draw the pictures of KELD's pages and its cover.

    /usr/bin/python3 tools/make_pictures.py [--keld-size PATH] [OUTDIR] [NAME...]

OUTDIR defaults to data/Pictures/; NAMEs (tut01 ... tut16, ins01 ... ins13,
cover) choose some pictures, all by default.  Before it draws, the tool
checks the limits that the pages and pictures name and the figures and
rules of the pages (pages.py) against keld-size; --check-only stops there.
The figures of the estimate come from keld-size, by default the release
build's (build/release/bin/keld-size: bash scripts/setup.sh release).
"""

import argparse
import os
import sys
import time

from .canvas import LayoutError
from .cover import save_cover
from .instructions import check_limits
from .pages import check_pages
from .keld import DEFAULT_KELD_SIZE, REPO, KeldSize, KeldSizeError
from .registry import PICTURES


def main(argv=None):
    parser = argparse.ArgumentParser(
        prog="make_pictures.py",
        description="Draw the pictures of KELD's pages and its cover.")
    parser.add_argument("--keld-size", default=DEFAULT_KELD_SIZE,
                        help="the keld-size to take the figures from "
                             "(default: %(default)s)")
    parser.add_argument("outdir", nargs="?",
                        default=os.path.join(REPO, "data", "Pictures"),
                        help="where to write the pictures (default: data/Pictures)")
    parser.add_argument("names", nargs="*", metavar="NAME",
                        help="pictures to draw: " + " ".join(PICTURES))
    parser.add_argument("--check-only", action="store_true",
                        help="check the limits and the pages against "
                             "keld-size, and draw nothing")
    args = parser.parse_args(argv)
    # A first positional that names a picture is a name, not a folder.
    if args.outdir in PICTURES:
        args.names.insert(0, args.outdir)
        args.outdir = os.path.join(REPO, "data", "Pictures")
    unknown = [n for n in args.names if n not in PICTURES]
    if unknown:
        parser.error(f"no such picture: {' '.join(unknown)}")
    names = args.names or list(PICTURES)
    outdir = os.path.normpath(args.outdir)
    os.makedirs(outdir, exist_ok=True)
    started = time.monotonic()
    try:
        k = KeldSize(args.keld_size)
    except KeldSizeError as e:
        print(f"make_pictures: {e}", file=sys.stderr)
        return 2
    try:
        check_limits(k)
        check_pages(k)
        if args.check_only:
            print(f"limits and pages agree with keld-size ({k.runs} runs)")
            return 0
        for name in names:
            pic = PICTURES[name](k)
            if name == "cover":
                print(save_cover(pic, outdir))
            else:
                print(pic.save(outdir))
    except (LayoutError, KeldSizeError) as e:
        print(f"make_pictures: {e}", file=sys.stderr)
        return 1
    finally:
        k.close()
    print(f"{len(names)} pictures, {k.runs} keld-size runs, "
          f"{time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())

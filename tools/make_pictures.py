#!/usr/bin/python3
"""Draw the pictures of KELD's tutorial and instruction pages, and its cover.

Run from anywhere, after building keld-size (bash scripts/setup.sh release):

    /usr/bin/python3 tools/make_pictures.py                  # data/Pictures/
    /usr/bin/python3 tools/make_pictures.py OUTDIR           # elsewhere
    /usr/bin/python3 tools/make_pictures.py OUTDIR tut03 cover   # only these
    /usr/bin/python3 tools/make_pictures.py --keld-size build/dev/bin/keld-size
    /usr/bin/python3 tools/make_pictures.py --check-only     # draw nothing

Needs the Debian packages python3-pil and fonts-dejavu-core
(apt-get install -y python3-pil fonts-dejavu-core).

Every page picture is 1132 x 802 pixels, white, with text no smaller than 22
pixels; a label that leaves the picture, or two labels that overlap, stop
the tool with a message naming the picture.  Before drawing, the limits that
pages and pictures name, and the figures and rules that the pages on fans,
noise, the cost of ownership, the options and the alternatives quote, are
checked against keld-size; a page that no longer agrees stops the tool with
what it misses.  The drawing code is the package
tools/pictures/; every figure of the estimate in the pictures comes from
runs of keld-size.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from pictures.__main__ import main  # noqa: E402

if __name__ == "__main__":
    sys.exit(main())

"""Picture names and the functions that draw them, in page order."""

from . import instructions, tutorial
from .cover import cover

PICTURES = {}
for _module, _prefix, _count in ((tutorial, "tut", 16),
                                 (instructions, "ins", 13)):
    for _n in range(1, _count + 1):
        _name = f"{_prefix}{_n:02d}"
        PICTURES[_name] = getattr(_module, _name)
PICTURES["cover"] = cover

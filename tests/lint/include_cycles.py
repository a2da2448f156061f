#!/usr/bin/env python3
"""include_cycles.py SRC: fails when the units of SRC include each other in a
circle. A unit is a header and its .cpp (tree/ravelink.h and
tree/ravelink.cpp are the unit tree/ravelink); a unit depends on every unit
whose header one of its files includes."""
import collections
import os
import re
import sys

src = sys.argv[1]
units = collections.defaultdict(set)
for root, _, files in os.walk(src):
    for name in files:
        if not name.endswith((".h", ".cpp")):
            continue
        path = os.path.join(root, name)
        unit = os.path.splitext(os.path.relpath(path, src))[0]
        with open(path, encoding="utf-8") as text:
            for match in re.finditer(r'#include "([^"]+)"', text.read()):
                other = os.path.splitext(match.group(1))[0]
                if other != unit and os.path.exists(os.path.join(src, match.group(1))):
                    units[unit].add(other)

state = {}
cycles = []
for start in sorted(units):
    if start in state:
        continue
    stack = [(start, iter(sorted(units[start])))]
    state[start] = "open"
    while stack:
        unit, rest = stack[-1]
        nxt = next(rest, None)
        if nxt is None:
            state[unit] = "done"
            stack.pop()
        elif state.get(nxt) == "open":
            path = [u for u, _ in stack]
            cycles.append(path[path.index(nxt):] + [nxt])
        elif nxt not in state:
            state[nxt] = "open"
            stack.append((nxt, iter(sorted(units.get(nxt, ())))))
for cycle in cycles:
    print("include cycle: " + " -> ".join(cycle))
sys.exit(1 if cycles else 0)

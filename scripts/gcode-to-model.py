#!/usr/bin/env python3
"""Turns the milling moves of a g-code file into a model document of one path toolpath.

Usage: gcode-to-model.py GCODE TOOL_MM BOARD_HEIGHT_MM > OUT.json
Cutting moves are the moves in the plane made while the cutter is below the board's surface (Z < 0,
given directly or through a #variable), rapid or not: a cutter at depth cuts whatever the feed.
Each plunge starts a new contour. Moves far off any board (beyond 1 m) are counted on standard
error and left out. The board editor writes y downwards, the
Gerber files upwards: y is turned over about the board's height.
"""
import json, re, sys

path, tool, height = sys.argv[1], float(sys.argv[2]), float(sys.argv[3])
variables, contours, current, z, pos, wild = {}, [], [], 1.0, None, 0
word = re.compile(r"([A-Z])(#?-?[0-9.]+)")
for line in open(path):
    line = line.split("(")[0].strip()
    m = re.match(r"#(\d+)=(-?[0-9.]+)", line)
    if m:
        variables[m.group(1)] = float(m.group(2))
        continue
    words = {}
    for letter, value in word.findall(line):
        words.setdefault(letter, value)
    value = lambda v: variables.get(v[1:], 0.0) if v.startswith("#") else float(v)
    if "Z" in words:
        z = value(words["Z"])
        if z >= 0 and len(current) > 1:
            contours.append(current)
        if z >= 0:
            current = []
    if "X" in words or "Y" in words:
        x = value(words["X"]) if "X" in words else pos[0]
        y = height - value(words["Y"]) if "Y" in words else pos[1]
        if abs(x) > 1000 or abs(y) > 1000:
            wild += 1
            continue
        if z < 0:
            if not current and pos is not None:
                current = [pos]
            current.append((x, y))
        pos = (x, y)
if len(current) > 1:
    contours.append(current)

objects = [{"type": "sequence", "aperture": 1, "flags": 0, "phase": "Isolation", "layer": "Top",
            "mode": 1, "toolpath": 1, "scanField": 0,
            "contours": [{"elements": [{"kind": "segment", "start": list(a), "end": list(b)}
                                       for a, b in zip(c, c[1:]) if a != b]} for c in contours]}]
doc = {"unit": "mm", "polarity": "positive",
       "apertures": [{"number": 1, "name": "Iso%.2f" % tool, "shape": 1, "params": [tool], "tool": 1}],
       "layers": [{"name": "Top", "flags": 3}], "scanFields": [], "objects": objects}
json.dump(doc, sys.stdout)
if wild:
    print("%s: %d moves beyond 1 m left out" % (path, wild), file=sys.stderr)

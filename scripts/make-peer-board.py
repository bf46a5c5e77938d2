#!/usr/bin/env python3
"""Writes a small test board in the text board format pcb-rnd reads (millimetres, y downwards).

The board holds what decides whether a milling job isolates every net: pairs of traces at gaps
from 0.10 to 0.40 mm, a row of pads 0.27 mm apart and a row 0.15 mm apart (each pad with a trace
of its own), a copper pour with vias and a trace cut out of it, and the board's outline. pcb-rnd
exports it as Gerber and Excellon (what vex job reads) and as its own milling g-code, so that
both jobs can be checked against the same design (scripts/compare-peer.sh).
"""
import sys

W, H = 40.0, 30.0
vias, lines, pads, pour_lines, pour_vias = [], [], [], [], []

# Pairs of traces at gaps from 0.10 to 0.40 mm, each trace between two vias.
y = 3.0
for gap in (0.10, 0.15, 0.18, 0.22, 0.25, 0.30, 0.40):
    for dy in (0.0, 0.3 + gap):
        yy = y + dy
        x0, x1 = 4.0 + (2.0 if dy else 0.0), 16.0 + (2.0 if dy else 0.0)
        lines.append((x0, yy, x1, yy, 0.3, 0.4))
        vias.append((x0 - 1.0 if not dy else x1 + 1.0, yy, 1.2, 0.6))
        lines.append((x0 - 1.0 if not dy else x1, yy, x0 if not dy else x1 + 1.0, yy, 0.3, 0.4))
    y += 3.0

# Square pads: a row at 1.27 mm pitch (0.27 mm gaps), a row at 1.15 mm (0.15 mm gaps).
for row, pitch in ((0, 1.27), (1, 1.15)):
    for i in range(8):
        pads.append((22.0 + i * pitch, 4.0 + row * 4.0, 1.0))
    # every pad gets a short trace downward so that each is its own net
    for i in range(8):
        x = 22.0 + i * pitch
        lines.append((x, 4.0 + row * 4.0, x, 5.5 + row * 4.0, 0.25, 0.4))

# A pour with three vias and a trace cut out of it (clearance 0.3 mm each side).
for x in (26.0, 30.0, 34.0):
    pour_vias.append((x, 20.0, 1.4, 0.8))
pour_lines.append((24.0, 24.0, 36.0, 24.0, 0.4, 0.6))

def mm(v):
    return f"{v:.4f}mm"

out = []
out.append("FileVersion[20091103]")
out.append(f'PCB["peer" {mm(W)} {mm(H)}]')
out.append("Grid[0.1mm 0.0 0.0 1]")
out.append('Flags("nameonpcb,clearnew")')
out.append('Groups("1,c:2,s:3")')
out.append('Styles["Signal,0.25mm,1.2mm,0.6mm,0.2mm"]')
for (x, yy, d, drill) in vias + pour_vias:
    out.append(f'Via[{mm(x)} {mm(yy)} {mm(d)} {mm(0.6)} 0.0 {mm(drill)} "" ""]')
out.append('Layer(1 "top")')
out.append("(")
for (x0, y0, x1, y1, w, c) in lines:
    out.append(f'\tLine[{mm(x0)} {mm(y0)} {mm(x1)} {mm(y1)} {mm(w)} {mm(c)} "clearline"]')
for (x, yy, s) in pads:
    # a zero-length square line is a square pad of side s
    out.append(f'\tLine[{mm(x)} {mm(yy)} {mm(x)} {mm(yy)} {mm(s)} {mm(0.4)} "clearline,square"]')
for (x0, y0, x1, y1, w, c) in pour_lines:
    out.append(f'\tLine[{mm(x0)} {mm(y0)} {mm(x1)} {mm(y1)} {mm(w)} {mm(c)} "clearline"]')
out.append('\tPolygon("clearpoly")')
out.append("\t(")
out.append(f"\t\t[{mm(22.0)} {mm(17.0)}] [{mm(38.0)} {mm(17.0)}] [{mm(38.0)} {mm(27.0)}] [{mm(22.0)} {mm(27.0)}]")
out.append("\t)")
out.append(")")
out.append('Layer(2 "bottom")')
out.append("(")
out.append(")")
out.append('Layer(3 "outline")')
out.append("(")
corners = [(0, 0), (W, 0), (W, H), (0, H)]
for i in range(4):
    (x0, y0), (x1, y1) = corners[i], corners[(i + 1) % 4]
    out.append(f'\tLine[{mm(x0)} {mm(y0)} {mm(x1)} {mm(y1)} {mm(0.2)} 0.0 ""]')
out.append(")")
sys.stdout.write("\n".join(out) + "\n")

#!/usr/bin/env python3
"""Writes a Gerber or Excellon file of one kind of object, for timing readers and writers.

    make-designs.py KIND COUNT OUT

KIND is one of: draws (round draws in traces of 20), flashes (round flashes), rects (rectangle
flashes), regions (four-sided regions), macros (flashes of a macro aperture: a circle and a
centre line), board (a mix: traces, round and rectangle pads, macro pads, regions), holes (an
Excellon file of holes with four tools). COUNT objects are written; the same arguments always
give the same bytes (a fixed-seed generator drives every coordinate).
"""
import sys

HEADER = "%FSLAX46Y46*%\n%MOMM*%\n"
APERTURES = (
    "%ADD10C,0.2*%\n%ADD11C,1.2*%\n%ADD12R,1.5X0.8*%\n"
    "%AMPAD*1,1,$1,0,0*21,1,$1,$2,0,0,45*%\n%ADD13PAD,1.0X0.3*%\n"
)


class Random:
    """A linear congruential generator, the same on every machine."""

    def __init__(self):
        self.state = 12345

    def below(self, bound):
        self.state = (self.state * 6364136223846793005 + 1442695040888963407) % (1 << 64)
        return (self.state >> 33) % bound


def point(rnd):
    """A point on a board of 200 mm, in units of a millionth of a millimetre."""
    return 1000000 + rnd.below(198000) * 1000, 1000000 + rnd.below(198000) * 1000


def draws(rnd, count, out):
    out.append("D10*\n")
    for index in range(count):
        if index % 20 == 0:
            x, y = point(rnd)
            out.append("X%dY%dD02*\n" % (x, y))
        x += rnd.below(2001) - 1000
        y += rnd.below(2001) - 1000
        out.append("X%dY%dD01*\n" % (x, y))


def flashes(rnd, count, out, aperture):
    out.append("D%d*\n" % aperture)
    for _ in range(count):
        out.append("X%dY%dD03*\n" % point(rnd))


def regions(rnd, count, out):
    for _ in range(count):
        x, y = point(rnd)
        w, h = 200000 + rnd.below(800000), 200000 + rnd.below(800000)
        out.append("G36*\nX%dY%dD02*\nX%dY%dD01*\nX%dY%dD01*\nX%dY%dD01*\nX%dY%dD01*\nG37*\n"
                   % (x, y, x + w, y, x + w, y + h, x, y + h, x, y))


def board(rnd, count, out):
    # Of every 100 objects: 70 draws, 10 round pads, 10 rectangle pads, 5 macro pads, 5 regions.
    for _ in range(count // 100):
        draws(rnd, 70, out)
        flashes(rnd, 10, out, 11)
        flashes(rnd, 10, out, 12)
        flashes(rnd, 5, out, 13)
        regions(rnd, 5, out)


def holes(rnd, count, out):
    out.append("M48\nMETRIC,TZ\nT1C0.8\nT2C1.0\nT3C1.2\nT4C3.0\n%\nG90\nG05\n")
    for tool in range(1, 5):
        out.append("T%d\n" % tool)
        for _ in range(count // 4 + (1 if tool <= count % 4 else 0)):
            x, y = point(rnd)
            out.append("X%.3fY%.3f\n" % (x / 1e6, y / 1e6))
    out.append("M30\n")


def main():
    kind, count, path = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    rnd = Random()
    out = []
    if kind != "holes":
        out.append(HEADER + APERTURES)
    makers = {
        "draws": lambda: draws(rnd, count, out),
        "flashes": lambda: flashes(rnd, count, out, 11),
        "rects": lambda: flashes(rnd, count, out, 12),
        "macros": lambda: flashes(rnd, count, out, 13),
        "regions": lambda: regions(rnd, count, out),
        "board": lambda: board(rnd, count, out),
        "holes": lambda: holes(rnd, count, out),
    }
    if kind not in makers:
        sys.exit("unknown kind: " + kind)
    makers[kind]()
    if kind != "holes":
        out.append("M02*\n")
    with open(path, "w") as file:
        file.write("".join(out))


main()

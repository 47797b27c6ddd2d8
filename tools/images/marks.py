"""The two marks: Quorvath's dial and Torvane's winged T."""

from __future__ import annotations

import math
from dataclasses import dataclass

from colours import BLUE, NAVY, RGB, SIGNAL, VGA_BLUE, VGA_NAVY, VGA_RED, VGA_WHITE, WHITE
from raster import Canvas, Image, arc_band, pixel_art, polar


@dataclass(frozen=True)
class GaugeColours:
    rim: RGB  # also the ticks and the hub
    face: RGB
    signal: RGB  # the needle and the high range
    graph: RGB


GAUGE_COLOURS = GaugeColours(NAVY, WHITE, SIGNAL, BLUE)
GAUGE_COLOURS_VGA = GaugeColours(VGA_NAVY, VGA_WHITE, VGA_RED, VGA_BLUE)

# Quorvath's mark is a speed dial: ticks on the low side, the high range in
# the signal colour, the needle well up at 45 degrees and a small rising
# frame-rate graph under the hub. Below 40 pixels vector shapes smear into
# blotches, so those sizes are drawn by hand, one character a pixel:
# N rim, ticks and hub; . face; R needle and high range; B graph; blank outside.
GAUGE_16 = [
    "     NNNNNN     ",
    "   NNNNNNNNNN   ",
    "  NNN..NN..NNN  ",
    " NNN...NN...NNN ",
    " NN........R.NN ",
    "NN........R..RNN",
    "NN.......RR..RNN",
    "NNNN...NNR..RRNN",
    "NNNN...NN...RRNN",
    "NN..........RRNN",
    "NN.......B.RRRNN",
    " NN....B.B.RRNN ",
    " NNN.B.B.B..NNN ",
    "  NNN......NNN  ",
    "   NNNNNNNNNN   ",
    "     NNNNNN     ",
]

GAUGE_32 = [
    "            NNNNNNNN            ",
    "         NNNNNNNNNNNNNN         ",
    "       NNNNNNNNNNNNNNNNNN       ",
    "      NNNNNNN..NN..NNNNNNN      ",
    "     NNNNN.....NN.....NNNNN     ",
    "    NNNNN......NN......NNNNN    ",
    "   NNNNNN......NN........NNNN   ",
    "  NNNNNNN...............R.NNNN  ",
    "  NNNNNNNN............RR..NNNN  ",
    " NNNN...NN...........RR....NNNN ",
    " NNN................RRR...RRNNN ",
    " NNN...............RRR...RRRNNN ",
    "NNNN..............RRR....RRRNNNN",
    "NNN..............RRR......RRRNNN",
    "NNN............NNRR.......RRRNNN",
    "NNNNNNN.......NNNN........RRRNNN",
    "NNNNNNN.......NNNN........RRRNNN",
    "NNN............NN.........RRRNNN",
    "NNN.......................RRRNNN",
    "NNNN.....................RRRNNNN",
    " NNN..............BB.....RRRNNN ",
    " NNN..............BB....RRRRNNN ",
    " NNNN...NN.....BB.BB...RRRRNNNN ",
    "  NNNNNNNN.....BB.BB...RRRNNNN  ",
    "  NNNNNNN...BB.BB.BB....RRNNNN  ",
    "   NNNNNN...BB.BB.BB.....NNNN   ",
    "    NNNNN..............NNNNN    ",
    "     NNNNN............NNNNN     ",
    "      NNNNNNN......NNNNNNN      ",
    "       NNNNNNNNNNNNNNNNNN       ",
    "         NNNNNNNNNNNNNN         ",
    "            NNNNNNNN            ",
]

HAND_DRAWN_GAUGES = {16: GAUGE_16, 32: GAUGE_32}

GAUGE_FACE = 0.41  # radius of the face, as a share of the mark's size
GAUGE_TICKS = (225, 180, 135, 90)  # degrees; the same four as the hand-drawn 32
NEEDLE_ANGLE = 45


def hand_drawn_gauge(size: int, colours: GaugeColours, outside: RGB | None) -> Image:
    return pixel_art(HAND_DRAWN_GAUGES[size], {
        "N": colours.rim, ".": colours.face, "R": colours.signal, "B": colours.graph,
        " ": outside,
    })


def draw_gauge(canvas: Canvas, x: float, y: float, size: float, colours: GaugeColours) -> None:
    """The dial as shapes, for 40 pixels and up."""
    cx, cy = x + size / 2, y + size / 2
    face = size * GAUGE_FACE
    canvas.disc(colours.rim, cx, cy, size * 0.5)
    canvas.disc(colours.face, cx, cy, face)
    canvas.polygon(colours.signal, arc_band(cx, cy, face * 0.74, face, 30, -45))
    half = size * 0.035
    for angle in GAUGE_TICKS:
        a = math.radians(angle)
        ux, uy = math.cos(a), -math.sin(a)  # along the tick
        px, py = -uy * half, ux * half  # across it
        # Run the tick into the rim so no sliver of face shows between them.
        r0, r1 = face * 0.70, face + size * 0.04
        x0, y0, x1, y1 = cx + ux * r0, cy + uy * r0, cx + ux * r1, cy + uy * r1
        canvas.polygon(colours.rim, [(x0 + px, y0 + py), (x1 + px, y1 + py),
                                     (x1 - px, y1 - py), (x0 - px, y0 - py)])
    # Whole pixels keep the bars crisp and apart.
    bar_w = max(2, round(size * 0.065))
    gap = max(1, round(size * 0.035))
    base = round(cy + face * 0.80)
    left = round(cx - (3 * bar_w + 2 * gap) / 2)
    for i, height in enumerate((0.18, 0.32, 0.46)):
        bx = left + i * (bar_w + gap)
        canvas.rectangle(colours.graph, bx, base - round(face * height), bx + bar_w, base)
    tip = polar(cx, cy, face * 0.92, NEEDLE_ANGLE)
    half = size * 0.05
    side_a = polar(cx, cy, half, NEEDLE_ANGLE + 90)
    side_b = polar(cx, cy, half, NEEDLE_ANGLE - 90)
    tail = polar(cx, cy, half * 1.2, NEEDLE_ANGLE + 180)
    canvas.polygon(colours.signal, [tip, side_a, tail, side_b])
    canvas.disc(colours.rim, cx, cy, size * 0.07)


def draw_torvane_mark(canvas: Canvas, x: float, y: float, size: float) -> None:
    """Torvane's mark: a forward-leaning T whose crossbar is a swept wing,
    with two speed streaks trailing from its stem."""

    def p(u: float, v: float) -> tuple[float, float]:
        return (x + u * size, y + v * size)

    # Leading edge straight, the tips swept back.
    canvas.polygon(NAVY, [p(0.10, 0.08), p(1.00, 0.08), p(0.86, 0.30), p(0.00, 0.30)])
    canvas.polygon(NAVY, [p(0.46, 0.30), p(0.72, 0.30), p(0.55, 0.96), p(0.29, 0.96)])
    canvas.polygon(SIGNAL, [p(0.02, 0.42), p(0.42, 0.42), p(0.39, 0.54), p(0.00, 0.54)])
    canvas.polygon(SIGNAL, [p(0.10, 0.66), p(0.36, 0.66), p(0.33, 0.78), p(0.08, 0.78)])

"""Turning shapes, text and pixel art into RGBA pixels.

ImageMagick's `convert` rasterises shapes and text; everything after that
(colour reduction, file layouts) is done in Python so the results are exact.
"""

from __future__ import annotations

import math
import subprocess
from dataclasses import dataclass, field

from colours import RGB, hex_colour

Point = tuple[float, float]
RGBA = tuple[int, int, int, int]


@dataclass
class Image:
    """Top-down rows of straight (not premultiplied) RGBA pixels."""

    width: int
    height: int
    pixels: list[RGBA]

    def row(self, y: int) -> list[RGBA]:
        return self.pixels[y * self.width:(y + 1) * self.width]


def run_convert(args: list[str]) -> bytes:
    return subprocess.run(["convert", *args], check=True, capture_output=True).stdout


@dataclass
class InkBox:
    """Where a text's visible pixels fall, relative to its baseline origin."""

    left: int
    top: int
    width: int
    height: int


def measure_text(font: str, points: float, text: str) -> InkBox:
    origin_x = int(points) + 8
    origin_y = int(points * 2) + 8
    canvas_w = int(points * (len(text) + 2)) + 2 * origin_x
    canvas_h = int(points * 3) + 2 * origin_y
    fields = run_convert([
        "-size", f"{canvas_w}x{canvas_h}", "xc:black", "-font", font,
        "-pointsize", f"{points:.2f}", "-fill", "white",
        "-annotate", f"+{origin_x}+{origin_y}", text,
        "-trim", "-format", "%w %h %X %Y", "info:",
    ]).decode().split()
    width, height, x, y = (int(f) for f in fields)
    return InkBox(x - origin_x, y - origin_y, width, height)


def fit_text(font: str, text: str, max_w: float, max_h: float) -> tuple[float, InkBox]:
    """The largest point size (in quarter points) whose ink fits max_w x max_h."""
    reference = measure_text(font, 100.0, text)
    points = 100.0 * min(max_w / reference.width, max_h / reference.height)
    points = math.floor(points * 4) / 4
    while True:
        box = measure_text(font, points, text)
        if box.width <= max_w and box.height <= max_h:
            return points, box
        points -= 0.25


@dataclass
class Canvas:
    """Drawing steps collected in order and rendered by one `convert` call.

    Coordinates treat pixel (i, j) as the square from (i, j) to (i + 1, j + 1).
    """

    width: int
    height: int
    background: RGB | None  # None: transparent
    steps: list[list[str]] = field(default_factory=list)

    # ImageMagick puts pixel centres on whole coordinates.
    SHIFT = -0.5

    def polygon(self, colour: RGB, points: list[Point]) -> None:
        coords = " ".join(f"{x + self.SHIFT:.3f},{y + self.SHIFT:.3f}" for x, y in points)
        self.steps.append(["-draw", f"fill {hex_colour(colour)} polygon {coords}"])

    def rectangle(self, colour: RGB, x0: float, y0: float, x1: float, y1: float) -> None:
        self.polygon(colour, [(x0, y0), (x1, y0), (x1, y1), (x0, y1)])

    def disc(self, colour: RGB, cx: float, cy: float, r: float) -> None:
        cx, cy = cx + self.SHIFT, cy + self.SHIFT
        self.steps.append([
            "-draw",
            f"fill {hex_colour(colour)} circle {cx:.3f},{cy:.3f} {cx + r:.3f},{cy:.3f}",
        ])

    def text(self, colour: RGB, font: str, points: float, box: InkBox, left: int, top: int,
             value: str) -> None:
        """Draws `value` with its ink's top-left corner at (left, top); `box`
        is its measurement at `points`."""
        self.steps.append([
            "-font", font, "-pointsize", f"{points:.2f}", "-fill", hex_colour(colour),
            "-annotate", f"+{left - box.left}+{top - box.top}", value,
        ])

    def render(self, antialias: bool = True) -> Image:
        base = "none" if self.background is None else hex_colour(self.background)
        args = ["-size", f"{self.width}x{self.height}", f"xc:{base}"]
        if not antialias:
            args.append("+antialias")
        for step in self.steps:
            args += step
        raw = run_convert([*args, "-depth", "8", "rgba:-"])
        expected = self.width * self.height * 4
        if len(raw) != expected:
            raise RuntimeError(f"convert returned {len(raw)} bytes, expected {expected}")
        pixels = [(raw[i], raw[i + 1], raw[i + 2], raw[i + 3]) for i in range(0, expected, 4)]
        return Image(self.width, self.height, pixels)


def pixel_art(rows: list[str], legend: dict[str, RGB | None]) -> Image:
    """An image drawn by hand, one character a pixel; None is transparent."""
    width = len(rows[0])
    if any(len(row) != width for row in rows):
        raise ValueError("pixel art rows differ in length")
    pixels: list[RGBA] = []
    for row in rows:
        for ch in row:
            colour = legend[ch]
            pixels.append((0, 0, 0, 0) if colour is None else (*colour, 255))
    return Image(width, len(rows), pixels)


def polar(cx: float, cy: float, r: float, degrees: float) -> Point:
    """Angles turn anticlockwise on screen, 0 pointing right."""
    a = math.radians(degrees)
    return (cx + r * math.cos(a), cy - r * math.sin(a))


def arc_band(cx: float, cy: float, r_in: float, r_out: float, start: float,
             end: float) -> list[Point]:
    """A ring segment between two radii as a polygon."""
    segments = max(8, int(abs(end - start) / 4))
    outer = [polar(cx, cy, r_out, start + (end - start) * i / segments)
             for i in range(segments + 1)]
    inner = [polar(cx, cy, r_in, end + (start - end) * i / segments)
             for i in range(segments + 1)]
    return outer + inner

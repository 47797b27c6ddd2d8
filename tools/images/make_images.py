#!/usr/bin/env python3
"""Regenerates Quorvath's bitmaps and icon in src/ui/res.

Run from the repository root:  python3 tools/images/make_images.py

ImageMagick's `convert` only rasterises shapes and text into RGBA pixels;
colour reduction and the BMP/ICO byte layouts are done here, so the files are
exactly what the resource compiler and LoadImageW expect and come out
byte-identical on every run.
"""

from __future__ import annotations

import sys
from pathlib import Path

# The helper modules sit beside this script; keep their caches out of the tree.
sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parent))

from bmp_ico import bmp_file, icon_image_palettised, icon_image_true_colour, ico_file  # noqa: E402
from colours import (KEY_COLOURS, NAVY, PAPER, SIGNAL, VGA_PALETTE, VGA_SILVER,  # noqa: E402
                     ramp_palette)
from marks import (GAUGE_COLOURS, GAUGE_COLOURS_VGA, HAND_DRAWN_GAUGES, draw_gauge,  # noqa: E402
                   draw_torvane_mark, hand_drawn_gauge)
from raster import Canvas, Image, fit_text  # noqa: E402

REPO_ROOT = Path(__file__).resolve().parents[2]
RES_DIR = REPO_ROOT / "src" / "ui" / "res"

FONT_WORDMARK = "DejaVu-Sans-Bold-Oblique"
FONT_TITLE = "DejaVu-Sans-Bold"
MAKER_NAME = "Torvane"
PROGRAM_NAME = "Quorvath"


# Layouts are written in pixels at 96 DPI and drawn afresh at `scale`, so the
# 200 % versions are as sharp as the originals rather than enlarged copies.
def main_banner(scale: int) -> Image:
    """The maker's logo band above the program's title."""
    s = scale
    canvas = Canvas(343 * s, 83 * s, PAPER)
    margin = 8 * s
    right = 343 * s - margin
    band_h = 26 * s
    mark = 19 * s
    draw_torvane_mark(canvas, margin, (band_h - mark) // 2 + 1 * s, mark)
    points, box = fit_text(FONT_WORDMARK, MAKER_NAME, 200 * s, 13 * s)
    word_left = margin + mark + 6 * s
    canvas.text(NAVY, FONT_WORDMARK, points, box, word_left, (band_h - box.height) // 2 + 1 * s,
                MAKER_NAME)
    # Speed streaks carry the band on to the right edge.
    streak_left = word_left + box.width + 10 * s
    canvas.rectangle(SIGNAL, streak_left, 10 * s, right, 12 * s)
    canvas.rectangle(NAVY, streak_left + 14 * s, 15 * s, right, 16 * s)
    canvas.rectangle(NAVY, margin, band_h + 1 * s, right, band_h + 2 * s)

    lower_top = band_h + 2 * s
    lower_h = 83 * s - lower_top
    gauge = 46 * s
    draw_gauge(canvas, margin, lower_top + (lower_h - gauge) // 2, gauge, GAUGE_COLOURS)
    title_left = margin + gauge + 10 * s
    points, box = fit_text(FONT_TITLE, PROGRAM_NAME, right - title_left, 44 * s)
    canvas.text(NAVY, FONT_TITLE, points, box,
                title_left + (right - title_left - box.width) // 2,
                lower_top + (lower_h - box.height) // 2, PROGRAM_NAME)
    return canvas.render()


def about_banner(scale: int) -> Image:
    """The maker's logo with its wordmark."""
    s = scale
    canvas = Canvas(346 * s, 91 * s, PAPER)
    right = 346 * s - 16 * s
    mark = 66 * s
    mark_top = (91 * s - mark) // 2
    draw_torvane_mark(canvas, 18 * s, mark_top, mark)
    word_left = 104 * s
    points, box = fit_text(FONT_WORDMARK, MAKER_NAME, right - word_left, 46 * s)
    word_top = mark_top + 2 * s
    canvas.text(NAVY, FONT_WORDMARK, points, box, word_left, word_top, MAKER_NAME)
    streak_top = word_top + box.height + 8 * s
    canvas.rectangle(SIGNAL, word_left, streak_top, right, streak_top + 4 * s)
    canvas.rectangle(NAVY, word_left + 24 * s, streak_top + 8 * s, right, streak_top + 10 * s)
    return canvas.render()


def program_picture(size: int) -> Image:
    """The dial in the 16 VGA colours on the dialog face's grey, with crisp
    edges: a 16-colour table has no room for blended edge colours."""
    if size in HAND_DRAWN_GAUGES:
        return hand_drawn_gauge(size, GAUGE_COLOURS_VGA, VGA_SILVER)
    canvas = Canvas(size, size, VGA_SILVER)
    draw_gauge(canvas, 0, 0, size, GAUGE_COLOURS_VGA)
    return canvas.render(antialias=False)


def icon_picture(size: int) -> Image:
    if size in HAND_DRAWN_GAUGES:
        return hand_drawn_gauge(size, GAUGE_COLOURS, None)
    canvas = Canvas(size, size, None)
    draw_gauge(canvas, 0, 0, size, GAUGE_COLOURS)
    return canvas.render()


def write(name: str, data: bytes) -> None:
    path = RES_DIR / name
    path.write_bytes(data)
    print(f"{path.relative_to(REPO_ROOT)}: {len(data)} bytes")


def main() -> int:
    RES_DIR.mkdir(parents=True, exist_ok=True)
    palette = ramp_palette(KEY_COLOURS, 14)

    write("banner.bmp", bmp_file(main_banner(1), palette, 8, 96))
    write("banner_2x.bmp", bmp_file(main_banner(2), palette, 8, 192))
    write("about_banner.bmp", bmp_file(about_banner(1), palette, 8, 96))
    write("about_banner_2x.bmp", bmp_file(about_banner(2), palette, 8, 192))
    write("program_picture.bmp", bmp_file(program_picture(32), VGA_PALETTE, 4, 96))
    write("program_picture_2x.bmp", bmp_file(program_picture(64), VGA_PALETTE, 4, 192))
    # The 32 x 32 image first: shells that cannot choose take the first one.
    write("quorvath.ico", ico_file([
        (32, 8, icon_image_palettised(icon_picture(32), palette)),
        (16, 8, icon_image_palettised(icon_picture(16), palette)),
        (48, 32, icon_image_true_colour(icon_picture(48))),
        (64, 32, icon_image_true_colour(icon_picture(64))),
    ]))
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Checks the files make_images.py writes against the formats the program's
resources need; prints one line a file and exits 1 on the first mismatch.

Run from the repository root:  python3 tools/images/check_images.py
"""

from __future__ import annotations

import struct
import sys
from pathlib import Path

RES_DIR = Path(__file__).resolve().parents[2] / "src" / "ui" / "res"

# name: (width, height, bits per pixel)
BITMAPS = {
    "banner.bmp": (343, 83, 8),
    "banner_2x.bmp": (686, 166, 8),
    "about_banner.bmp": (346, 91, 8),
    "about_banner_2x.bmp": (692, 182, 8),
    "program_picture.bmp": (32, 32, 4),
    "program_picture_2x.bmp": (64, 64, 4),
}
# (size, bits per pixel) in directory order
ICON_IMAGES = [(32, 8), (16, 8), (48, 32), (64, 32)]
TOTAL_LIMIT = 400 * 1024


class Mismatch(Exception):
    pass


def expect(condition: bool, what: str) -> None:
    if not condition:
        raise Mismatch(what)


def stride(width: int, bits: int) -> int:
    return (width * bits + 31) // 32 * 4


def read_info_header(data: bytes, at: int) -> dict[str, int]:
    names = ("size", "width", "height", "planes", "bits", "compression", "image_size",
             "x_ppm", "y_ppm", "colours_used", "colours_important")
    return dict(zip(names, struct.unpack_from("<IiiHHIIiiII", data, at)))


def check_bitmap(name: str, width: int, height: int, bits: int) -> str:
    data = (RES_DIR / name).read_bytes()
    magic, file_size, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
    expect(magic == b"BM", "no BM signature")
    expect(file_size == len(data), f"file size field {file_size}, file has {len(data)}")
    info = read_info_header(data, 14)
    expect(info["size"] == 40, f"header size {info['size']} (not BITMAPINFOHEADER)")
    expect((info["width"], info["height"]) == (width, height),
           f"{info['width']} x {info['height']} (positive height: bottom-up)")
    expect(info["planes"] == 1, "planes")
    expect(info["bits"] == bits, f"{info['bits']} bits per pixel")
    expect(info["compression"] == 0, "compressed")
    table_entries = info["colours_used"] or 1 << bits
    expect(table_entries <= 1 << bits, "colour table too long")
    expect(offset == 14 + 40 + 4 * table_entries, f"pixel offset {offset}")
    pixels = stride(width, bits) * height
    expect(info["image_size"] == pixels, f"image size field {info['image_size']}")
    expect(len(data) == offset + pixels, "pixel data length")
    return f"{width} x {height}, {bits} bpp, {table_entries} colours, {len(data)} bytes"


def mask_bit(mask: bytes, size: int, x: int, y: int) -> int:
    row = mask[(size - 1 - y) * stride(size, 1):]
    return row[x // 8] >> (7 - x % 8) & 1


def check_icon() -> str:
    data = (RES_DIR / "quorvath.ico").read_bytes()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    expect((reserved, kind) == (0, 1), "not an icon file")
    expect(count == len(ICON_IMAGES), f"{count} images")
    for i, (size, bits) in enumerate(ICON_IMAGES):
        w, h, colours, _, planes, bpp, length, offset = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * i)
        where = f"image {i} ({size} x {size})"
        expect((w, h, bpp, planes, colours) == (size, size, bits, 1, 0),
               f"{where}: directory says {w} x {h}, {bpp} bpp, {planes} planes, {colours} colours")
        expect(offset + length <= len(data), f"{where}: runs past the end")
        info = read_info_header(data, offset)
        expect(info["size"] == 40, f"{where}: header size")
        expect((info["width"], info["height"], info["bits"], info["compression"])
               == (size, 2 * size, bits, 0), f"{where}: header {info}")
        table = 4 * (1 << bits) if bits <= 8 else 0
        xor = stride(size, bits) * size
        mask_at = offset + 40 + table + xor
        mask = data[mask_at:mask_at + stride(size, 1) * size]
        expect(length == 40 + table + xor + len(mask), f"{where}: length {length}")
        # A round mark: the corners show the screen, the middle does not.
        expect(mask_bit(mask, size, 0, 0) == 1 and mask_bit(mask, size, size - 1, size - 1) == 1,
               f"{where}: corners not transparent")
        expect(mask_bit(mask, size, size // 2, size // 2) == 0, f"{where}: centre transparent")
    return f"{count} images {ICON_IMAGES}, {len(data)} bytes"


def main() -> int:
    total = 0
    try:
        for name, (width, height, bits) in BITMAPS.items():
            print(f"{name}: {check_bitmap(name, width, height, bits)}")
            total += (RES_DIR / name).stat().st_size
        print(f"quorvath.ico: {check_icon()}")
        total += (RES_DIR / "quorvath.ico").stat().st_size
        expect(total < TOTAL_LIMIT, f"{total} bytes in all")
    except (Mismatch, OSError, struct.error) as problem:
        print(f"FAILED: {problem}", file=sys.stderr)
        return 1
    print(f"all images: {total} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())

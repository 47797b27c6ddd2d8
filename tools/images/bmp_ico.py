"""Byte layouts of Windows BMP v3 files and ICO files.

Only what the program's resources need: palettised BMPs with a
BITMAPINFOHEADER, no compression, bottom-up rows; icons whose images are
8-bit palettised or 32-bit with alpha, each with its AND mask.
"""

from __future__ import annotations

import struct

from colours import RGB, NearestColour
from raster import Image

FILE_HEADER_SIZE = 14
INFO_HEADER_SIZE = 40
BI_RGB = 0
OPAQUE_FROM = 128  # alpha at and above which an icon pixel is drawn


def pixels_per_metre(dpi: int) -> int:
    return round(dpi / 0.0254)


def row_stride(width: int, bits: int) -> int:
    return (width * bits + 31) // 32 * 4


def pack_rows(indices: list[int], width: int, height: int, bits: int) -> bytes:
    """Bottom-up rows of 8-, 4- or 1-bit values, each padded to four bytes."""
    per_byte = 8 // bits
    stride = row_stride(width, bits)
    out = bytearray()
    for y in range(height - 1, -1, -1):
        line = indices[y * width:(y + 1) * width]
        line += [0] * (-len(line) % per_byte)
        packed = bytearray()
        for i in range(0, len(line), per_byte):
            byte = 0
            for value in line[i:i + per_byte]:
                if value >> bits:
                    raise ValueError(f"{value} does not fit {bits} bits")
                byte = byte << bits | value
            packed.append(byte)
        out += packed + bytes(stride - len(packed))
    return bytes(out)


def info_header(width: int, height: int, bits: int, image_size: int, ppm: int) -> bytes:
    # Colours used 0: the table is full (2 ** bits entries).
    return struct.pack("<IiiHHIIiiII", INFO_HEADER_SIZE, width, height, 1, bits, BI_RGB,
                       image_size, ppm, ppm, 0, 0)


def colour_table(palette: list[RGB]) -> bytes:
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)


def bmp_file(image: Image, palette: list[RGB], bits: int, dpi: int) -> bytes:
    """A palettised BMP; every pixel becomes its nearest palette entry."""
    if len(palette) != 1 << bits:
        raise ValueError("the colour table must be full")
    nearest = NearestColour(palette)
    indices = [nearest((r, g, b)) for r, g, b, _ in image.pixels]
    pixels = pack_rows(indices, image.width, image.height, bits)
    table = colour_table(palette)
    offset = FILE_HEADER_SIZE + INFO_HEADER_SIZE + len(table)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    ppm = pixels_per_metre(dpi)
    return (file_header + info_header(image.width, image.height, bits, len(pixels), ppm)
            + table + pixels)


def and_mask(image: Image) -> bytes:
    """1 where the screen shows through."""
    transparent = [0 if a >= OPAQUE_FROM else 1 for _, _, _, a in image.pixels]
    return pack_rows(transparent, image.width, image.height, 1)


def icon_image_palettised(image: Image, palette: list[RGB]) -> bytes:
    if image.width != image.height or len(palette) != 256:
        raise ValueError("square image and a 256-colour table expected")
    nearest = NearestColour(palette)
    # Masked pixels are black in the colour plane, so the AND/XOR pair leaves
    # the screen untouched there.
    black = nearest((0, 0, 0))
    indices = [nearest((r, g, b)) if a >= OPAQUE_FROM else black
               for r, g, b, a in image.pixels]
    xor = pack_rows(indices, image.width, image.height, 8)
    mask = and_mask(image)
    # An icon's header describes the colour and mask planes stacked: twice the height.
    return (info_header(image.width, image.height * 2, 8, len(xor) + len(mask), 0)
            + colour_table(palette) + xor + mask)


def icon_image_true_colour(image: Image) -> bytes:
    if image.width != image.height:
        raise ValueError("square image expected")
    xor = bytearray()
    for y in range(image.height - 1, -1, -1):
        for r, g, b, a in image.row(y):
            xor += bytes((b, g, r, a))
    # Systems without alpha blending still use the mask.
    mask = and_mask(image)
    return (info_header(image.width, image.height * 2, 32, len(xor) + len(mask), 0)
            + bytes(xor) + mask)


def ico_file(entries: list[tuple[int, int, bytes]]) -> bytes:
    """entries: (size in pixels, bits per pixel, image from icon_image_*),
    in directory order."""
    header = struct.pack("<HHH", 0, 1, len(entries))
    offset = len(header) + 16 * len(entries)
    directory = b""
    for size, bits, data in entries:
        # Width and height 0 stand for 256; colour count 0 for 256 or more.
        colours = 1 << bits if bits < 8 else 0
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits,
                                 len(data), offset)
        offset += len(data)
    return header + directory + b"".join(data for _, _, data in entries)

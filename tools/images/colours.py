"""The images' colours and the palettes they are reduced to."""

from __future__ import annotations

RGB = tuple[int, int, int]

# Few and bold, and each one lands on a sensible entry of the 16-colour VGA
# palette (paper -> white, navy -> navy, blue -> blue, signal -> red), so the
# pictures still read on a 16-colour display.
BLACK: RGB = (0, 0, 0)
WHITE: RGB = (255, 255, 255)
PAPER: RGB = (238, 242, 248)
NAVY: RGB = (16, 38, 92)
BLUE: RGB = (24, 84, 216)
SIGNAL: RGB = (232, 64, 28)

KEY_COLOURS: list[RGB] = [BLACK, WHITE, PAPER, NAVY, BLUE, SIGNAL]

# Windows' standard 16-colour palette, in the order of its BMP colour table.
VGA_PALETTE: list[RGB] = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
VGA_SILVER: RGB = (192, 192, 192)  # the classic dialog face
VGA_NAVY: RGB = (0, 0, 128)
VGA_BLUE: RGB = (0, 0, 255)
VGA_RED: RGB = (255, 0, 0)
VGA_WHITE: RGB = (255, 255, 255)


def hex_colour(rgb: RGB) -> str:
    return "#%02X%02X%02X" % rgb


def ramp_palette(keys: list[RGB], steps: int) -> list[RGB]:
    """A full 256-entry table: the key colours plus `steps` blends between
    every pair of them.

    Anti-aliased edges are blends of two neighbouring flat colours, so pairwise
    ramps reproduce them closely, and one fixed table for every picture keeps
    the banners' colours identical to each other.
    """
    palette: list[RGB] = []
    for colour in keys:
        if colour not in palette:
            palette.append(colour)
    for i, a in enumerate(keys):
        for b in keys[i + 1:]:
            for step in range(1, steps + 1):
                t = step / (steps + 1)
                blend = (round(a[0] + (b[0] - a[0]) * t), round(a[1] + (b[1] - a[1]) * t),
                         round(a[2] + (b[2] - a[2]) * t))
                if blend not in palette:
                    palette.append(blend)
    if len(palette) > 256:
        raise ValueError(f"ramp palette has {len(palette)} colours")
    # Unused slots stay black: a full table keeps every reader happy.
    return palette + [BLACK] * (256 - len(palette))


class NearestColour:
    """Maps a colour to the index of the closest palette entry."""

    def __init__(self, palette: list[RGB]):
        self.palette = palette
        self.cache: dict[RGB, int] = {}

    def __call__(self, rgb: RGB) -> int:
        index = self.cache.get(rgb)
        if index is None:
            # Weighted by how sensitive the eye is to each channel; the first
            # of equally close entries wins, so the result never depends on
            # anything but the table's order.
            distances = [2 * (p[0] - rgb[0]) ** 2 + 4 * (p[1] - rgb[1]) ** 2
                         + 3 * (p[2] - rgb[2]) ** 2 for p in self.palette]
            index = distances.index(min(distances))
            self.cache[rgb] = index
        return index

#!/usr/bin/env bash
# Renders Quorvath's bitmaps and icon from the SVGs beside this script into src/ui/res,
# then checks their sizes and formats. Needs ImageMagick 6 with its SVG reader and the
# DejaVu fonts (Debian: imagemagick libmagickcore-6.q16-6-extra fonts-dejavu-core).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
res=$(cd "$here/../../src/ui/res" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

if ! convert -list format | grep -q '^ *MSVG' ||
  ! convert -list font | grep -q 'Font: DejaVu-Sans-Bold-Oblique$'; then
  echo "make-images.sh: needs ImageMagick's SVG reader and DejaVu Sans;" \
    "apt-get install libmagickcore-6.q16-6-extra fonts-dejavu-core" >&2
  exit 1
fi

# ImageMagick's own SVG renderer (MSVG:, whatever else is installed) puts pixel centres,
# not corners, on whole coordinates. So each SVG is rendered at 1536 DPI, 8 or 16 times
# too large, and brought down to size: smooth() averages, which puts edges where the SVG
# has them; crisp() takes the colour at each pixel's centre, for hard-edged small pictures.
smooth() { # svg size, then further options
  convert -background none -density 1536 "MSVG:$here/$1" -scale "$2!" "${@:3}"
}
crisp() {
  convert +antialias -background none -density 1536 "MSVG:$here/$1" -sample "$2!" "${@:3}"
}

# The banners: 8-bit, with a palette made for each picture.
banner() { # svg size dpi file
  smooth "$1" "$2" -alpha off +dither -colors 256 -units PixelsPerInch -density "$3" \
    -compress none "BMP3:$res/$4"
}
banner banner.svg 343x83 96 banner.bmp
banner banner.svg 686x166 192 banner_2x.bmp
banner about_banner.svg 346x91 96 about_banner.bmp
banner about_banner.svg 692x182 192 about_banner_2x.bmp

# The 16-colour VGA palette; the dial's colours land on navy, white, red and blue.
vga=(000000 800000 008000 808000 000080 800080 008080 C0C0C0
  808080 FF0000 00FF00 FFFF00 0000FF FF00FF 00FFFF FFFFFF)
convert "${vga[@]/#/xc:#}" +append "$tmp/vga.png"
# The small icons' colour table: more than 16 colours, so the icon images are 8-bit.
convert "${vga[@]/#/xc:#}" xc:#10265C xc:#E8401C xc:#1854D8 xc:none +append "$tmp/icon.png"

# The program picture: 4-bit, on the dialog face's grey.
picture() { # size dpi file
  crisp dial.svg "$1" -background '#C0C0C0' -flatten +dither -remap "$tmp/vga.png" \
    -type Palette -units PixelsPerInch -density "$2" -compress none "BMP3:$res/$3"
}
picture 32x32 96 program_picture.bmp
picture 64x64 192 program_picture_2x.bmp

# The icon: 32 and 16 pixels in 256 colours with a mask; 48 and 64 in 32-bit colour with
# alpha. The 32 comes first for shells that take the first image.
crisp dial.svg 32x32 "$tmp/icon-32.png"
crisp dial-16.svg 16x16 "$tmp/icon-16.png"
smooth dial.svg 48x48 "$tmp/icon-48.png"
smooth dial.svg 64x64 "$tmp/icon-64.png"
convert \( "$tmp"/icon-{32,16}.png +dither -remap "$tmp/icon.png" \) \
  \( "$tmp"/icon-{48,64}.png -type TrueColorAlpha \) "ICO:$res/quorvath.ico"

# The check: uncompressed BMP3 files of the right sizes and depths, and the icon's images.
status=0
expect() { # what found wanted
  if [ "$2" = "$3" ]; then echo "$1: $2"; else echo "$1: $2, not $3" >&2; status=1; fi
}
for bmp in banner:343x83x8 banner_2x:686x166x8 about_banner:346x91x8 \
  about_banner_2x:692x182x8 program_picture:32x32x4 program_picture_2x:64x64x4; do
  file="$res/${bmp%:*}.bmp"
  IFS=x read -r w h bits <<<"${bmp#*:}"
  expect "${bmp%:*}.bmp" "$(file -b "$file" | cut -d, -f1-3)" \
    "PC bitmap, Windows 3.x format, $w x $h x $bits"
  # Uncompressed: headers, a full colour table and the rows, each in whole 4-byte words.
  words=$(((w * bits + 31) / 32))
  expect "${bmp%:*}.bmp bytes" "$(stat -c %s "$file")" $((54 + 4 * (1 << bits) + 4 * words * h))
done
# The icon's directory: width x height / bits per pixel of each image.
expect quorvath.ico "$(od -An -v -tu1 -j6 -N64 "$res/quorvath.ico" |
  awk '{ printf "%s%sx%s/%s", (NR > 1 ? " " : ""), $1, $2, $7 }')" \
  "32x32/8 16x16/8 48x48/32 64x64/32"
exit "$status"

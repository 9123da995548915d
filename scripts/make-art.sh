#!/usr/bin/env bash
# Draws the project's pictures from shapes and text with ImageMagick and
# writes them into the tree, where they are kept (the build does not need
# ImageMagick):
#   editor/app/res/Logo.jpg       the About window's logo, 270 x 240, colour
#   editor/app/res/Nodraxcfg.ico  the editor's icon: 256 (PNG) for Explorer's
#                                 large views, and 16 to 64 pixels, the small
#                                 and large icon at 96, 120, 144 and 192 DPI
#   applet/Nodraxcpl.ico          the Control Panel icon, 32 x 32, 16 colours
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
convert=/usr/bin/convert  # the real ImageMagick, not a wrapper on the PATH
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A lattice mast with its radio waves, on a gradient from night blue to teal.
$convert -size 270x240 gradient:'#0b2a5b-#1f7a8c' \
  -fill none -stroke '#ffd166' -strokewidth 5 \
  -draw "ellipse 135,90 22,22 200,250" -draw "ellipse 135,90 22,22 290,340" \
  -draw "ellipse 135,90 42,42 200,250" -draw "ellipse 135,90 42,42 290,340" \
  -draw "ellipse 135,90 62,62 200,250" -draw "ellipse 135,90 62,62 290,340" \
  -stroke '#e8eef5' -strokewidth 4 -draw "line 135,90 105,185" -draw "line 135,90 165,185" \
  -strokewidth 2 -draw "line 112,163 158,163" -draw "line 118,143 152,143" \
  -draw "line 124,123 146,123" -draw "line 129,106 141,106" \
  -draw "line 112,163 152,143" -draw "line 118,143 146,123" -draw "line 124,123 141,106" \
  -stroke none -fill '#ef476f' -draw "circle 135,90 135,82" \
  -fill '#e8eef5' -draw "rectangle 95,185 175,190" \
  -font DejaVu-Sans-Bold -pointsize 34 -fill white -gravity north -annotate +0+194 'Nodrax' \
  -font DejaVu-Sans-Bold -pointsize 12 -fill '#ffd166' -gravity north -annotate +0+8 'PACKET RADIO BBS' \
  -strip -quality 90 "$root/editor/app/res/Logo.jpg"

# The same mast on a rounded square, drawn large and scaled to each size.
$convert -size 256x256 xc:none -fill '#0b2a5b' -draw "roundrectangle 8,8 247,247 40,40" \
  -fill none -stroke '#ffd166' -strokewidth 20 \
  -draw "ellipse 128,104 48,48 200,250" -draw "ellipse 128,104 48,48 290,340" \
  -draw "ellipse 128,104 86,86 207,243" -draw "ellipse 128,104 86,86 297,333" \
  -stroke '#ffffff' -strokewidth 18 -draw "line 128,104 78,228" -draw "line 128,104 178,228" \
  -strokewidth 12 -draw "line 92,192 164,192" -draw "line 106,154 150,154" \
  -stroke none -fill '#ef476f' -draw "circle 128,104 128,80" "$work/big.png"
icons=()
for s in 64 48 40 32 24 20 16; do
  $convert "$work/big.png" -filter Lanczos -resize ${s}x${s} "$work/i$s.png"
  icons+=("$work/i$s.png")
done
# ImageMagick stores the 256-pixel picture as PNG (8 bits a channel, as in
# Windows's own icons; a bitmap that size would take 256 KB) and the small
# ones as bitmaps, which every version of Windows reads.
$convert \( "$work/big.png" -depth 8 \) "${icons[@]}" "$root/editor/app/res/Nodraxcfg.ico"

# The applet's icon: pixel art without smoothing, in the 16 colours of the
# standard palette, stored as a 4-bit icon with a transparency mask.
$convert -size 32x32 xc:none +antialias -fill '#000080' -draw "roundrectangle 1,1 30,30 5,5" \
  -fill none -stroke '#ffff00' -strokewidth 2 \
  -draw "ellipse 16,13 6,6 200,250" -draw "ellipse 16,13 6,6 290,340" \
  -draw "ellipse 16,13 11,11 205,245" -draw "ellipse 16,13 11,11 295,335" \
  -stroke '#ffffff' -strokewidth 2 -draw "line 16,13 9,28" -draw "line 16,13 23,28" \
  -strokewidth 1 -draw "line 11,23 21,23" -draw "line 13,18 19,18" \
  -stroke none -fill '#ff0000' -draw "circle 16,13 16,11" \
  -depth 8 "rgba:$work/applet.rgba"
python3 - "$work/applet.rgba" "$root/applet/Nodraxcpl.ico" <<'PY'
import struct, sys
palette = [(0,0,0),(128,0,0),(0,128,0),(128,128,0),(0,0,128),(128,0,128),(0,128,128),(192,192,192),
           (128,128,128),(255,0,0),(0,255,0),(255,255,0),(0,0,255),(255,0,255),(0,255,255),(255,255,255)]
raw = open(sys.argv[1], 'rb').read()
size = 32
def nearest(r, g, b):
    return min(range(16), key=lambda i: sum((a - c) ** 2 for a, c in zip(palette[i], (r, g, b))))
index, mask = [], []
for y in range(size - 1, -1, -1):  # bottom-up rows
    for x in range(size):
        r, g, b, a = raw[(y * size + x) * 4:(y * size + x) * 4 + 4]
        index.append(nearest(r, g, b) if a >= 128 else 0)
        mask.append(0 if a >= 128 else 1)
xor = bytes((index[i] << 4) | index[i + 1] for i in range(0, len(index), 2))
and_rows = b''
for y in range(size):
    bits = mask[y * size:(y + 1) * size]
    and_rows += bytes(sum(bits[x * 8 + k] << (7 - k) for k in range(8)) for x in range(4))
header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, len(xor) + len(and_rows), 0, 0, 16, 0)
colours = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in palette)
image = header + colours + xor + and_rows
directory = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(image), 22)
open(sys.argv[2], 'wb').write(directory + image)
PY
echo "Wrote Logo.jpg, Nodraxcfg.ico and Nodraxcpl.ico"

#!/usr/bin/env bash
# Compares two renderings of scripts/screenshots.sh image by image:
#   scripts/compare-shots.sh <dirA> <dirB> [<diffdir>]
# Prints each image that differs with its count of differing pixels (or why
# it cannot be compared: missing on one side, another size) and ends with
# status 1 when any differs. On the images of the main window (page-*.png)
# the status bar's clock is left out of the comparison, at any DPI. With <diffdir>, each
# differing image gets a picture there of where it differs.
set -euo pipefail
if [ $# -lt 2 ] || [ $# -gt 3 ] || [ ! -d "$1" ] || [ ! -d "$2" ]; then
  echo "usage: $0 <dirA> <dirB> [<diffdir>]" >&2
  exit 2
fi
a=$1 b=$2 diffs=${3:-}
[ -n "$diffs" ] && mkdir -p "$diffs"
# The clock panel of the status bar, in pixels of the main window's image
# (the window's frame included), with a margin: at 96 DPI, where the image
# is 404 pixels wide, the rectangle 279,428 335,450. The panel moves and
# grows with the DPI of the shots (SHOTS_DPI of scripts/screenshots.sh),
# which an image's width tells: the frame does not grow with it, so the
# width gives the DPI only to the nearest step of 24 (96, 120, 144, ...).
clock() {  # image width
  local dpi=$((($1 * 96 / 404 + 12) / 24 * 24))
  echo "rectangle $((279 * dpi / 96)),$((428 * dpi / 96)) $(((335 * dpi + 95) / 96)),$(((450 * dpi + 95) / 96))"
}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

names=$(find "$a" "$b" -maxdepth 1 -name '*.png' -printf '%f\n' | sort -u)
if [ -z "$names" ]; then
  echo "no images in $a or $b" >&2
  exit 2
fi
count=0 differing=0
while IFS= read -r name; do
  count=$((count + 1))
  if [ ! -f "$a/$name" ] || [ ! -f "$b/$name" ]; then
    echo "$name: only in $([ -f "$a/$name" ] && echo "$a" || echo "$b")"
    differing=$((differing + 1))
    continue
  fi
  size_a=$(identify -format '%wx%h' "$a/$name")
  size_b=$(identify -format '%wx%h' "$b/$name")
  if [ "$size_a" != "$size_b" ]; then
    echo "$name: $size_a against $size_b"
    differing=$((differing + 1))
    continue
  fi
  left=$a/$name right=$b/$name
  case $name in
    page-*)
      mask=$(clock "${size_a%x*}")
      convert "$left" -fill black -draw "$mask" "$tmp/a.png"
      convert "$right" -fill black -draw "$mask" "$tmp/b.png"
      left=$tmp/a.png right=$tmp/b.png
      ;;
  esac
  # compare prints the count on stderr and ends with 1 when images differ.
  picture=null:
  [ -n "$diffs" ] && picture=$diffs/$name
  pixels=$(compare -metric AE "$left" "$right" "$picture" 2>&1 || true)
  pixels=$(printf '%.0f' "$pixels" 2>/dev/null || echo "$pixels")
  if [ "$pixels" != 0 ]; then
    echo "$name: $pixels pixels differ"
    differing=$((differing + 1))
  elif [ -n "$diffs" ]; then
    rm -f "$diffs/$name"
  fi
done <<<"$names"
if [ "$differing" -gt 0 ]; then
  echo "$differing of $count images differ"
  exit 1
fi
echo "all $count images are the same"

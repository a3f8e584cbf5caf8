#!/usr/bin/env bash
# Draws the game's images with ImageMagick into the data folder:
#
#     make_images.sh CONVERT DATA_FOLDER
#
# An image newer than this script is kept, so a warm run does nothing.
# Animation strips hold their frames side by side, as the sprite sets read them.
set -euo pipefail
convert=$1
data=$2
script=${BASH_SOURCE[0]}

# draw NAME ARGS...: the picture ARGS describe, written as NAME under the data folder.
draw() {
  local out="$data/$1"
  shift
  [[ "$out" -nt "$script" ]] && return 0
  mkdir -p "$(dirname "$out")"
  "$convert" "$@" "PNG32:$out.part"
  mv "$out.part" "$out"
}

# A blue gem turning on its axis: four frames of 64 x 64, narrowing and widening.
gem=()
widths=(24 15 4 15)
for k in 0 1 2 3; do
  cx=$((k * 64 + 32)) w=${widths[$k]}
  gem+=(-fill "#3d8fe0" -stroke "#0c2f66" -strokewidth 2
        -draw "polygon $cx,6 $((cx + w)),26 $cx,58 $((cx - w)),26"
        -fill "#a9d4ff" -stroke none -draw "polygon $cx,10 $((cx + w / 2)),24 $cx,30")
done
draw img/gem_spin.png -size 256x64 xc:none "${gem[@]}"

# A scarab walking to the right: four frames of 64 x 64, legs swinging.
scarab=()
swings=(-6 0 6 0)
for k in 0 1 2 3; do
  cx=$((k * 64 + 32)) s=${swings[$k]}
  scarab+=(-stroke "#2b1a06" -strokewidth 3
           -draw "line $((cx - 10)),24 $((cx - 18 + s)),12" -draw "line $((cx + 6)),24 $((cx + 14 - s)),12"
           -draw "line $((cx - 10)),40 $((cx - 18 - s)),52" -draw "line $((cx + 6)),40 $((cx + 14 + s)),52"
           -fill "#1f7a4d" -stroke "#0d3321" -strokewidth 2 -draw "ellipse $((cx - 2)),32 18,12 0,360"
           -fill "#d9b13b" -stroke none -draw "ellipse $((cx + 17)),32 6,7 0,360")
done
draw img/scarab_walk.png -size 256x64 xc:none "${scarab[@]}"

# A golden glow swelling over six frames of 40 x 40; the strip leaves 16 unused
# pixels on the right and 8 at the bottom of its 256 x 48 image.
glow=()
for k in 0 1 2 3 4 5; do
  cx=$((k * 40 + 20)) r=$((6 + k * 2))
  glow+=(-fill "rgba(255,214,90,0.55)" -draw "circle $cx,20 $((cx + r + 4)),20"
         -fill "rgba(255,240,170,0.95)" -draw "circle $cx,20 $((cx + r)),20")
done
draw ui_img/glow.png -size 256x48 xc:none "${glow[@]}"

# An hourglass turning over in eight frames of 32 x 32.
hourglass=()
for k in 0 1 2 3 4 5 6 7; do
  cx=$((k * 32 + 16))
  hourglass+=(-fill "#c8a25a" -stroke "#5a3d10" -strokewidth 1
              -draw "translate $cx,16 rotate $((k * 45)) polygon -8,-12 8,-12 0,0 8,12 -8,12 0,0")
done
draw ui_img/hourglass.png -size 256x32 xc:none "${hourglass[@]}"

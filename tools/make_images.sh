#!/usr/bin/env bash
# Draws the game's images with ImageMagick into the data folder:
#
#     make_images.sh CONVERT DATA_FOLDER
#
# An image newer than the script that draws it is kept, so a warm run does
# nothing. Animation strips hold their frames side by side, as the sprite sets
# read them. The board's sheets are drawn by the parts in tools/images/, one
# file per area, each sourced in turn with draw() at hand.
set -euo pipefail
convert=$1
data=$2
script=${BASH_SOURCE[0]}
# The file whose age an image is held against: this script, or the part
# being sourced when that part is newer.
drawer=$script

# draw NAME ARGS...: the picture ARGS describe, written as NAME under the data folder.
draw() {
  local out="$data/$1"
  shift
  [[ "$out" -nt "$script" && "$out" -nt "$drawer" ]] && return 0
  mkdir -p "$(dirname "$out")"
  # JPEG for pictures named so, PNG with alpha for the rest.
  local format=PNG32
  [[ "$out" == *.jpg ]] && format=JPG
  # Drawn aside under this process's own name, as another build may be
  # drawing the same picture at once, then renamed.
  "$convert" "$@" "$format:$out.$$.part"
  mv "$out.$$.part" "$out"
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

# The text caret and selection mark, stretched over the characters it marks.
draw ui_img/cursor.png -size 8x16 "xc:rgba(140,190,255,0.55)"

# The title panel: a sandstone tablet of 640 x 480 (0.8 x 0.8 of the screen),
# clear outside its rounded frame so that no square corner shows around it.
draw ui_img/title_back.png -size 640x480 "gradient:#ead7a6-#b48d55" \
  \( +clone -alpha transparent -fill white -draw "roundrectangle 0,0 639,479 23,23" \) \
  -alpha set -compose DstIn -composite -compose Over \
  -fill none -stroke "#5a3d10" -strokewidth 6 -draw "roundrectangle 3,3 636,476 20,20" \
  -stroke "#8a6a30" -strokewidth 2 -draw "roundrectangle 14,14 625,465 14,14"

# Buttons of 200 x 48 (0.25 x 0.08 of the screen): normal, under the mouse, pressed.
button() {
  draw "ui_img/$1" -size 200x48 xc:none -fill "$2" -stroke "$3" -strokewidth 3 \
    -draw "roundrectangle 2,2 197,45 12,12" -stroke none -fill "rgba(255,255,255,0.25)" \
    -draw "roundrectangle 8,6 191,20 8,8"
}
button button_off.png "#2f6f8f" "#173a4c"
button button_over.png "#3f8fb5" "#1d4a60"
button button_click.png "#24566f" "#0f2733"

# A text box of 240 x 36 (0.3 x 0.06 of the screen), dark enough under light
# text over any picture.
draw ui_img/textbox.png -size 240x36 xc:none -fill "rgba(30,20,8,0.92)" -stroke "#d9b86a" -strokewidth 2 \
  -draw "roundrectangle 1,1 238,34 6,6"

# The overlay a scripted screen fades in from: plain white, tinted as it fades.
draw ui_img/fade_bg.png -size 16x16 xc:white

# The mouse pointer the UI draws itself: a white arrow outlined in black, its
# tip at the top-left corner (32 x 32, shown at 0.02 x 0.02 of the screen).
draw Cursor.png -size 32x32 xc:none -fill white -stroke black -strokewidth 2 \
  -draw "polygon 1,1 1,28 8,21 13,31 18,29 13,19 23,19"

# Particle images: a soft white dot, a spark streak and a 3 x 3 sheet of
# cells (64 x 64 each) of a star that grows and fades, for animated particles.
draw particles/soft_dot.png -size 64x64 "radial-gradient:rgba(255,255,255,1)-rgba(255,255,255,0)"
draw particles/spark.png -size 32x64 xc:none \
  -fill "rgba(255,230,160,0.35)" -draw "ellipse 16,32 8,30 0,360" \
  -fill "rgba(255,255,235,1)" -draw "ellipse 16,32 3,24 0,360"
cells=()
for k in 0 1 2 3 4 5 6 7 8; do
  cx=$((k % 3 * 64 + 32)) cy=$((k / 3 * 64 + 32)) r=$((6 + k * 3)) a=$(awk "BEGIN { print 1 - $k / 10 }")
  cells+=(-fill "rgba(255,220,120,$a)"
          -draw "polygon $cx,$((cy - r)) $((cx + r / 4)),$((cy - r / 4)) $((cx + r)),$cy $((cx + r / 4)),$((cy + r / 4)) $cx,$((cy + r)) $((cx - r / 4)),$((cy + r / 4)) $((cx - r)),$cy $((cx - r / 4)),$((cy - r / 4))")
done
draw particles/star_cells.png -size 192x192 xc:none "${cells[@]}"

# The loading screen on white: a pyramid under the sun (256 x 192, 0.32 x 0.32
# of the screen) and the two halves of the loading bar (560 x 30, 0.7 x 0.05),
# gold where it is done and pale sand where it is not; a row across either
# half is one colour, so the split shows sharp wherever it falls.
draw ui_img/loading_pyramid.png -size 256x192 xc:none \
  -fill "#f2c94c" -draw "circle 188,50 188,22" \
  -fill "#c9974a" -stroke "#5a3d10" -strokewidth 3 -draw "polygon 20,180 128,40 236,180" \
  -fill "#a87834" -stroke none -draw "polygon 128,40 236,180 150,180" \
  -fill "#d9b86a" -draw "rectangle 0,180 255,191"
bar_half() {
  draw "ui_img/$1" -size 560x30 "gradient:$2-$3" \
    -fill none -stroke "#5a3d10" -strokewidth 2 -draw "rectangle 1,1 558,28"
}
bar_half loading_full.png "#f6d36b" "#b07818"
bar_half loading_empty.png "#efe6d2" "#cdb68a"

# The options screen's controls: a slider's groove (256 x 40, 0.32 x 0.05 of
# the screen, stretched) and its knob (24 x 48), and a check box of 36 x 36
# empty and ticked.
draw ui_img/slider_track.png -size 256x40 xc:none -fill "#6b4a1c" -stroke "#3a250a" -strokewidth 2 \
  -draw "roundrectangle 4,14 251,25 6,6"
draw ui_img/slider_knob.png -size 24x48 xc:none -fill "#f2c94c" -stroke "#5a3d10" -strokewidth 2 \
  -draw "roundrectangle 2,2 21,45 6,6" -stroke "#b07818" -draw "line 12,10 12,37"
check_box() {
  draw "ui_img/$1" -size 36x36 xc:none -fill "#efe6d2" -stroke "#5a3d10" -strokewidth 3 \
    -draw "roundrectangle 2,2 33,33 5,5" "${@:2}"
}
check_box check_off.png
check_box check_on.png -fill none -stroke "#2f6f3f" -strokewidth 5 -draw "polyline 8,18 15,26 28,9"
# The language list: its button (32 x 32, an arrow pointing down) and the
# pale sand behind the open list's rows (64 x 64, stretched).
draw ui_img/drop_button.png -size 32x32 xc:none -fill "#f2c94c" -stroke "#5a3d10" -strokewidth 2 \
  -draw "roundrectangle 1,1 30,30 5,5" -fill "#5a3d10" -stroke none -draw "polygon 8,12 24,12 16,22"
draw ui_img/drop_list.png -size 64x64 xc:"#efe6d2" -fill none -stroke "#5a3d10" -strokewidth 2 \
  -draw "rectangle 1,1 62,62"

# Digit strips for counters and clocks: the ten digits in cells of 24 pixels,
# then a comma and a colon in cells of 10, 32 pixels high (260 x 32); the
# number files in img/ give the cells' edges.
digits() {
  local strip=() k
  # Each character centred in its cell: offsets from the strip's centre.
  for k in 0 1 2 3 4 5 6 7 8 9; do strip+=(-annotate "$(printf '%+d+0' $((k * 24 + 12 - 130)))" "$k"); done
  strip+=(-annotate "+115+0" "," -annotate "+125+0" ":")
  draw "img/$1" -size 260x32 xc:none -font /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf \
    -pointsize 26 -gravity center -fill "$2" -stroke "$3" -strokewidth 1 "${strip[@]}"
}
digits digits_time.png "#f3d37a" "#4a2a0a"
digits digits_popup.png "#ffffff" "#1d4a60"

for part in "$(dirname "$script")"/images/*.sh; do
  [[ -e "$part" ]] || continue
  drawer=$part
  # shellcheck source=/dev/null
  source "$part"
done

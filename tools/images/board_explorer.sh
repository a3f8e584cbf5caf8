# The explorer and the level's end, sourced by make_images.sh with draw() at
# hand: the explorer's animations (frames of 64 x 64 side by side), the
# pieces of his route (45 x 45, a cell), the goal marker and target icon,
# the mini-map's spare frame, the grade stamps and the summary and defeat
# panels with their icons.

# explorer_frame CX DX DY STEP ARM: appends to the array `strip` the
# explorer drawn at column CX of a strip, facing (DX, DY) (0, 1 towards the
# viewer), his legs apart by STEP and his arms raised by ARM pixels.
explorer_frame() {
  local cx=$1 dx=$2 dy=$3 step=$4 arm=$5
  strip+=(-stroke "#3b2a10" -strokewidth 4 -draw "line $((cx - 4)),44 $((cx - 4 - step)),60"
          -draw "line $((cx + 4)),44 $((cx + 4 + step)),60"
          -stroke "#5a3d10" -strokewidth 3 -draw "line $((cx - 9)),30 $((cx - 14)),$((42 - arm))"
          -draw "line $((cx + 9)),30 $((cx + 14)),$((42 - arm))"
          -strokewidth 1 -fill "#c9a86a" -draw "roundrectangle $((cx - 9)),26 $((cx + 9)),46 4,4"
          -fill "#8a5a2b" -draw "rectangle $((cx - 9)),40 $((cx + 9)),43"
          -fill "#e8b88a" -draw "circle $cx,18 $((cx + 7)),18"
          -fill "#d9c48f" -draw "ellipse $cx,12 13,4 0,360" -draw "ellipse $cx,10 8,6 180,360")
  # Eyes show unless he faces away; seen from the side, one.
  if [[ $dy -ge 0 && $dx -eq 0 ]]; then
    strip+=(-stroke none -fill "#2b1a06" -draw "circle $((cx - 3)),19 $((cx - 2)),19"
            -draw "circle $((cx + 3)),19 $((cx + 4)),19")
  elif [[ $dy -ge 0 ]]; then
    strip+=(-stroke none -fill "#2b1a06" -draw "circle $((cx + dx * 4)),19 $((cx + dx * 4 + 1)),19")
  fi
}

# explorer_strip NAME FRAMES DX DY MODE: a strip of the explorer; MODE is
# walk (legs swinging), idle (breathing) or power (the arms swept up).
explorer_strip() {
  local name=$1 frames=$2 dx=$3 dy=$4 mode=$5 k step arm
  strip=()
  for ((k = 0; k < frames; k++)); do
    step=0 arm=0
    case $mode in
      walk) step=$(( (k % 2) * 8 - 4 )) ;;
      idle) arm=$(( k % 2 )) ;;
      power) arm=$(( k * 5 )) ;;
    esac
    explorer_frame $((k * 64 + 32)) "$dx" "$dy" "$step" "$arm"
  done
  draw "img/$name.png" -size "$((frames * 64))x64" xc:none "${strip[@]}"
}
explorer_strip explorer_idle 4 0 1 idle
explorer_strip explorer_walk_down 4 0 1 walk
explorer_strip explorer_walk_up 4 0 -1 walk
explorer_strip explorer_walk_left 4 -1 0 walk
explorer_strip explorer_walk_right 4 1 0 walk
explorer_strip explorer_power_left 6 -1 0 power

# The route: a band of gold dust through the cell's centre, ending at the
# cell's edges it joins. path_piece NAME ARGS... draws the listed strokes.
path_stroke=(-stroke "rgba(255,214,90,0.85)" -strokewidth 7 -fill none)
path_dots=(-stroke none -fill "rgba(255,245,200,0.9)")
draw img/path_vertical_run.png -size 45x45 xc:none "${path_stroke[@]}" -draw "line 22,0 22,44" \
  "${path_dots[@]}" -draw "circle 22,11 24,11" -draw "circle 22,33 24,33"
draw img/path_horizontal_run.png -size 45x45 xc:none "${path_stroke[@]}" -draw "line 0,22 44,22" \
  "${path_dots[@]}" -draw "circle 11,22 11,24" -draw "circle 33,22 33,24"
# Corners join the centre to two edges: top-left joins the top and the left.
draw img/path_top_left.png -size 45x45 xc:none "${path_stroke[@]}" -draw "line 22,0 22,22" -draw "line 0,22 22,22"
draw img/path_top_right.png -size 45x45 xc:none "${path_stroke[@]}" -draw "line 22,0 22,22" -draw "line 22,22 44,22"
draw img/path_bottom_left.png -size 45x45 xc:none "${path_stroke[@]}" -draw "line 22,22 22,44" -draw "line 0,22 22,22"
draw img/path_bottom_right.png -size 45x45 xc:none "${path_stroke[@]}" -draw "line 22,22 22,44" -draw "line 22,22 44,22"
# Arrows point the way the route arrives at its end.
arrow=(-fill "rgba(255,214,90,0.95)" -stroke "#8a5a10" -strokewidth 2)
draw img/arrow_right.png -size 45x45 xc:none "${arrow[@]}" -draw "polygon 6,12 30,12 30,4 42,22 30,40 30,32 6,32"
draw img/arrow_left.png -size 45x45 xc:none "${arrow[@]}" -draw "polygon 38,12 14,12 14,4 2,22 14,40 14,32 38,32"
draw img/arrow_down.png -size 45x45 xc:none "${arrow[@]}" -draw "polygon 12,6 12,30 4,30 22,42 40,30 32,30 32,6"
draw img/arrow_up.png -size 45x45 xc:none "${arrow[@]}" -draw "polygon 12,38 12,14 4,14 22,2 40,14 32,14 32,38"

# The goal marker: a ring of golden rays turning over four frames of 64 x 64.
marker=()
for k in 0 1 2 3; do
  cx=$((k * 64 + 32))
  marker+=(-fill none -stroke "rgba(255,214,90,0.9)" -strokewidth 3 -draw "circle $cx,32 $((cx + 22)),32")
  for angle in 0 45 90 135 180 225 270 315; do
    marker+=(-stroke "rgba(255,240,170,0.8)" -strokewidth 2
             -draw "translate $cx,32 rotate $((angle + k * 11)) line 25,0 30,0")
  done
done
draw img/selected_goal.png -size 256x64 xc:none "${marker[@]}"
# The target: cross-hairs in a ring, pulsing over four frames of 24 x 24.
target=()
for k in 0 1 2 3; do
  cx=$((k * 24 + 12)) r=$((7 + (k % 2)))
  target+=(-fill none -stroke "#d8322e" -strokewidth 2 -draw "circle $cx,12 $((cx + r)),12"
           -draw "line $cx,1 $cx,6" -draw "line $cx,18 $cx,23" -draw "line $((cx - 11)),12 $((cx - 6)),12"
           -draw "line $((cx + 6)),12 $((cx + 11)),12")
done
draw img/target_icon.png -size 96x24 xc:none "${target[@]}"
# A highlight the size of the mini-map, 213 x 124.
draw ui_img/selected_map.png -size 213x124 xc:none -fill none -stroke "rgba(255,214,90,0.8)" -strokewidth 3 \
  -draw "roundrectangle 2,2 210,121 8,8"

# The grade stamps, 128 x 128: a letter in red ink in a double ring, set askew.
for grade in a b c d f; do
  letter=$(echo "$grade" | tr '[:lower:]' '[:upper:]')
  draw "ui_img/stamp_$grade.png" -size 128x128 xc:none -fill none -stroke "rgba(176,28,24,0.85)" \
    -strokewidth 5 -draw "circle 64,64 64,6" -strokewidth 2 -draw "circle 64,64 64,16" \
    -stroke none -fill "rgba(176,28,24,0.9)" -font DejaVu-Sans-Bold -pointsize 64 -gravity center \
    -annotate -12x-12+0+2 "$letter"
done

# tablet W H RADIUS FROM TO: sets the array `tablet` to a sandstone gradient
# cut to a rounded rectangle.
tablet() {
  tablet=(-size "$1x$2" xc:none -fill white -draw "roundrectangle 3,3 $(($1 - 4)),$(($2 - 4)) $3,$3"
          "(" -size "$1x$2" "gradient:$4-$5" ")" -compose SrcIn -composite -compose Over)
}

# The summary's sandstone tablet (0.7 x 0.84 of the screen) and its icons.
tablet 560 504 20 "#ead7a6" "#b48d55"
draw ui_img/summary_back.png "${tablet[@]}" \
  -fill none -stroke "#5a3d10" -strokewidth 6 -draw "roundrectangle 3,3 556,500 20,20" \
  -stroke "#8a6a30" -strokewidth 2 -draw "roundrectangle 14,14 545,489 14,14" \
  -draw "line 40,72 520,72" -draw "line 40,388 520,388"
draw ui_img/summary_treasure.png -size 40x40 xc:none -fill "#d9b13b" -stroke "#6b4a0c" -strokewidth 2 \
  -draw "roundrectangle 5,14 35,34 3,3" -fill "#f2d774" -draw "ellipse 20,14 15,8 180,360"
draw ui_img/summary_critter.png -size 40x40 xc:none -stroke "#2b1a06" -strokewidth 2 \
  -draw "line 10,14 4,6" -draw "line 30,14 36,6" -draw "line 10,26 4,34" -draw "line 30,26 36,34" \
  -fill "#1f7a4d" -stroke "#0d3321" -draw "ellipse 20,20 12,9 0,360"
draw ui_img/summary_tiles.png -size 40x40 xc:none -fill "#d9b13b" -stroke "#6b4a0c" -strokewidth 2 \
  -draw "rectangle 4,4 19,19" -draw "rectangle 21,21 36,36" -fill "#c8a25a" -draw "rectangle 21,4 36,19" \
  -draw "rectangle 4,21 19,36"
draw ui_img/summary_time.png -size 40x40 xc:none -fill "#c8a25a" -stroke "#5a3d10" -strokewidth 2 \
  -draw "polygon 8,4 32,4 20,20 32,36 8,36 20,20"
draw ui_img/summary_star.png -size 48x48 xc:none -fill "#ffd75a" -stroke "#8a5a10" -strokewidth 2 \
  -draw "polygon 24,3 30,18 46,18 33,28 38,44 24,34 10,44 15,28 2,18 18,18"
# The defeat panel (0.5 x 0.5 of the screen): a darker tablet.
tablet 400 300 18 "#c9b287" "#7d5f36"
draw ui_img/defeat_back.png "${tablet[@]}" \
  -fill none -stroke "#3b2a10" -strokewidth 6 -draw "roundrectangle 3,3 396,296 18,18"

# The board's HUD and help box: the nine power icons (48 x 48), the count
# badges 1 to 9 (20 x 20), the plates behind the numbers, the help box's
# 3 x 3 frame (cells of 32 x 32) and its four corner marks (24 x 24), the
# mouse icons (32 x 40) and their sidebar. Sourced by make_images.sh with
# draw() at hand.

hud_font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

# power_icon N SHAPE...: a sandstone tile with the power's sign on it.
power_icon() {
  local n=$1
  shift
  draw "img/hud/${n}_off.png" -size 48x48 xc:none \
    -fill "#d9b86a" -stroke "#5a3d10" -strokewidth 2 -draw "roundrectangle 2,2 45,45 8,8" \
    -fill "rgba(255,255,255,0.25)" -stroke none -draw "roundrectangle 6,5 41,16 5,5" "$@"
}
gold="-fill #f2c94c -stroke #8a5a10 -strokewidth 2"
# 1 gild a tile, 2 gild an area, 3 banish the mummy, 4 a column, 5 a row,
# 6 a blast, 7 one colour, 8 bug spray, 9 tear a web.
power_icon 1 $gold -draw "rectangle 16,16 31,31"
power_icon 2 $gold -draw "rectangle 10,10 37,37" -fill "#fff2c4" -draw "rectangle 19,19 28,28"
power_icon 3 -fill "#efe6d2" -stroke "#3a250a" -strokewidth 2 -draw "ellipse 24,20 9,11 0,360" \
  -draw "rectangle 17,28 31,40" -stroke "#b02020" -strokewidth 4 -draw "line 10,38 38,10"
power_icon 4 -fill "#3d8fe0" -stroke "#0c2f66" -strokewidth 2 -draw "rectangle 19,6 29,42"
power_icon 5 -fill "#3d8fe0" -stroke "#0c2f66" -strokewidth 2 -draw "rectangle 6,19 42,29"
power_icon 6 -fill "#e8651c" -stroke "#7a2a08" -strokewidth 2 \
  -draw "polygon 24,6 29,18 42,14 32,24 42,34 29,30 24,42 19,30 6,34 16,24 6,14 19,18"
power_icon 7 -fill "#8a3dd0" -stroke "#3a1060" -strokewidth 2 -draw "circle 24,24 24,10" \
  -fill "#e0c2ff" -stroke none -draw "circle 20,20 20,15"
power_icon 8 -fill "#1f7a4d" -stroke "#0d3321" -strokewidth 2 -draw "ellipse 24,28 10,7 0,360" \
  -fill "rgba(230,240,255,0.8)" -stroke none -draw "circle 14,12 14,9" -draw "circle 26,10 26,7" -draw "circle 36,14 36,11"
power_icon 9 -fill none -stroke "#f6f6f0" -strokewidth 2 -draw "circle 24,24 24,8" -draw "circle 24,24 24,16" \
  -draw "line 6,24 42,24" -draw "line 24,6 24,42" -stroke "#b02020" -strokewidth 4 -draw "line 10,38 38,10"

# The count badges.
for n in 1 2 3 4 5 6 7 8 9; do
  draw "img/hud/power_$n.png" -size 20x20 xc:none -fill "#7a1f10" -stroke "#f6d36b" -strokewidth 2 \
    -draw "circle 10,10 10,1" -font "$hud_font" -pointsize 13 -fill "#fff2c4" -stroke none \
    -gravity center -annotate +0+1 "$n"
done

# The dark plates the score, time and gold are drawn on.
draw ui_img/hud_plate.png -size 128x32 xc:none -fill "rgba(30,18,6,0.7)" -stroke "#d9b86a" -strokewidth 2 \
  -draw "roundrectangle 1,1 126,30 8,8"

# The help box's frame: papyrus with a golden rim, cut 3 x 3 by the box.
draw ui_img/help_bg.png -size 96x96 xc:none -fill "#f3e6c0" -stroke "#8a5a10" -strokewidth 3 \
  -draw "roundrectangle 2,2 93,93 14,14" -fill none -stroke "#d9b86a" -strokewidth 1 \
  -draw "roundrectangle 7,7 88,88 10,10"

# The corner marks that fly in around what a hint points at: an arrowhead
# pointing into the rectangle from each corner.
corner() {
  draw "img/hud/help_$1.png" -size 24x24 xc:none -fill "#f2c94c" -stroke "#5a3d10" -strokewidth 2 \
    -draw "polygon $2"
}
corner tl "22,22 2,10 10,2"
corner tr "2,22 14,2 22,10"
corner bl "22,2 10,22 2,14"
corner br "2,2 22,14 14,22"

# The mouse with its left or right button lit, and the plate behind it.
mouse() {
  draw "img/hud/$1.png" -size 32x40 xc:none -fill "#efe6d2" -stroke "#3a250a" -strokewidth 2 \
    -draw "roundrectangle 4,4 27,37 11,11" -draw "line 16,4 16,17" -draw "line 4,17 27,17" \
    -fill "#e8651c" -stroke none -draw "$2"
}
mouse left_mouse "rectangle 6,6 14,15"
mouse right_mouse "rectangle 18,6 25,15"
draw ui_img/sidebar_bg.png -size 32x40 xc:none -fill "rgba(243,230,192,0.9)" -stroke "#8a5a10" -strokewidth 2 \
  -draw "roundrectangle 1,1 30,38 6,6"

# The hourglass's bulbs: sand, and the glass it leaves.
draw ui_img/sand_full.png -size 16x20 xc:none -fill "#e8c070" -stroke "#8a5a10" -strokewidth 1 \
  -draw "roundrectangle 1,1 14,18 4,4"
draw ui_img/sand_empty.png -size 16x20 xc:none -fill "rgba(200,225,240,0.5)" -stroke "#8a5a10" -strokewidth 1 \
  -draw "roundrectangle 1,1 14,18 4,4"

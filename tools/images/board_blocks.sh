# The board's blocks, sourced by make_images.sh with draw() at hand: the
# tokens of the 24 colours standing and under the pointer, the rock, the
# random-block placeholder, the tombs, the treasure, the race's milestone and
# start block, and the bottles of the 24 colours. A cell is 45 x 45 pixels;
# the tombs, the treasure and the milestone cover 2 x 2 cells.

# The colours in index order, each with its token's shape, so that colours
# of a level differ in outline as well as in hue: 0 circle, 1 diamond, 2
# square, 3 triangle, 4 hexagon, 5 star, 6 cross, 7 triangle on its point,
# 8 octagon, 9 pentagon.
block_colours=(blue green red yellow purple black turqoise orange pink violet cyan white
               generic1 generic2 generic3 generic4 generic5 generic6
               generic7 generic8 generic9 generic10 generic11 generic12)
block_hues=("#2f6fe0" "#2fae4a" "#d8322e" "#f2c81e" "#8a3fc4" "#34343a" "#1fb5a5" "#f07f1c"
            "#f27fb8" "#a98bf0" "#3fd6f0" "#f4f1e8" "#8b5a2b" "#7d8c2a" "#1f2f7a" "#7a1f3a"
            "#0f7f7f" "#a6e22e" "#c9a227" "#9aa4ae" "#ff6f5e" "#4b2a9a" "#9ff0c8" "#d62ad6")
block_shapes=(0 1 2 3 4 5 6 7 8 9 2 0
              8 3 5 1 9 4 6 0 7 2 5 1)

# block_mix COLOUR TARGET PERCENT: the colour moved that far towards the target.
block_mix() {
  local a=${1#\#} b=${2#\#} t=$3 out="#" i x y
  for i in 0 2 4; do
    x=$((16#${a:i:2})) y=$((16#${b:i:2}))
    out+=$(printf "%02x" $((x + (y - x) * t / 100)))
  done
  echo "$out"
}

# block_polygon SIDES RADIUS TURN: a regular polygon's points, the first at
# TURN (in half-turns) from the top.
block_polygon() {
  awk -v n="$1" -v r="$2" -v t="$3" 'BEGIN {
    for (k = 0; k < n; k++) { a = 3.14159 * (2 * k / n + t - 0.5); printf "%.1f,%.1f ", r * cos(a), r * sin(a) } }'
}

# block_shape KIND RADIUS: a drawing primitive centred on the origin.
block_shape() {
  local r=$2 s
  case $1 in
    0) echo "circle 0,0 $r,0" ;;
    1) echo "polygon $(block_polygon 4 "$r" 0)" ;;
    2) s=$((r * 4 / 5)); echo "roundrectangle -$s,-$s $s,$s 5,5" ;;
    3) echo "polygon 0,-$r $((r * 19 / 20)),$((r * 3 / 4)) -$((r * 19 / 20)),$((r * 3 / 4))" ;;
    4) echo "polygon $(block_polygon 6 "$r" 0.5)" ;;
    5) echo "polygon $(awk -v r="$r" 'BEGIN { for (k = 0; k < 10; k++) { q = (k % 2) ? r * 0.5 : r; a = -3.14159 / 2 + k * 3.14159 / 5; printf "%.1f,%.1f ", q * cos(a), q * sin(a) } }')" ;;
    6) s=$((r * 2 / 5)); echo "polygon -$s,-$r $s,-$r $s,-$s $r,-$s $r,$s $s,$s $s,$r -$s,$r -$s,$s -$r,$s -$r,-$s -$s,-$s" ;;
    7) echo "polygon 0,$r $((r * 19 / 20)),-$((r * 3 / 4)) -$((r * 19 / 20)),-$((r * 3 / 4))" ;;
    8) echo "polygon $(block_polygon 8 "$r" 0.125)" ;;
    9) echo "polygon $(block_polygon 5 "$r" 0)" ;;
  esac
}

# token_strip NAME COLOUR KIND SELECTED: eight frames of 45 x 45. Standing,
# a glint twinkles on the token's shoulder; under the pointer, a golden halo
# pulses behind a slightly larger token.
token_strip() {
  local name=$1 hue=$2 kind=$3 selected=$4 frames=() k
  local dark light
  dark=$(block_mix "$hue" "#000000" 55) light=$(block_mix "$hue" "#ffffff" 45)
  for k in 0 1 2 3 4 5 6 7; do
    local cx=$((k * 45 + 22)) scale=1 glint
    glint=$(awk -v k=$k 'BEGIN { g = sin(k * 3.14159 / 4); printf "%.2f", (g > 0 ? g : 0) }')
    if [[ $selected == 1 ]]; then
      local halo
      halo=$(awk -v k=$k 'BEGIN { printf "%.2f", 0.45 + 0.35 * sin(k * 3.14159 / 4) }')
      frames+=(-fill "rgba(255,214,90,$halo)" -stroke none -draw "circle $cx,22 $cx,1")
      scale=1.08
    fi
    frames+=(-fill "$hue" -stroke "$dark" -strokewidth 2 -draw "translate $cx,22 scale $scale,$scale $(block_shape "$kind" 17)"
             -fill "$light" -stroke none -draw "translate $((cx - 3)),19 scale $scale,$scale $(block_shape "$kind" 8)"
             -fill "rgba(255,255,255,$glint)" -draw "translate $((cx - 7)),13 $(block_shape 5 6)")
  done
  draw "img/$name.png" -size 360x45 xc:none "${frames[@]}"
}

for i in "${!block_colours[@]}"; do
  token_strip "token_stand_${block_colours[$i]}" "${block_hues[$i]}" "${block_shapes[$i]}" 0
  token_strip "token_selected_${block_colours[$i]}" "${block_hues[$i]}" "${block_shapes[$i]}" 1
done

# A grey boulder with two cracks.
draw img/token_rock.png -size 45x45 xc:none \
  -fill "#8d8a84" -stroke "#45423d" -strokewidth 2 -draw "polygon 8,14 17,5 31,6 40,16 41,31 32,41 15,42 5,30" \
  -fill "#aeaaa2" -stroke none -draw "polygon 12,15 18,9 28,10 33,16 24,20 14,21" \
  -fill none -stroke "#4d4a44" -strokewidth 2 -draw "polyline 18,26 24,30 22,37" -draw "polyline 31,22 35,27"

# The editor's placeholder for a token of any colour: a question mark on grey.
draw img/random_block.png -size 45x45 xc:none \
  -fill "#9a9aa2" -stroke "#3f3f46" -strokewidth 2 -draw "roundrectangle 4,4 40,40 7,7" \
  -font /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf -pointsize 28 -gravity center \
  -fill "#f4f1e8" -stroke "#3f3f46" -strokewidth 1 -annotate +0+1 "?"

# tomb_frame ARRAY AT DOOR: appends to ARRAY a sandstone pylon of 90 x 90 at
# x = AT whose doorway is open to the dark down to DOOR pixels from its top;
# the stone slab fills the rest.
tomb_frame() {
  local -n out=$1
  local at=$2 door=$3
  out+=(-fill "#c9a066" -stroke "#5a3d10" -strokewidth 2
        -draw "polygon $((at + 8)),87 $((at + 82)),87 $((at + 72)),14 $((at + 18)),14"
        -fill "#a87834" -draw "rectangle $((at + 12)),6 $((at + 78)),14"
        -stroke none -fill "#e3c48a" -draw "polygon $((at + 20)),18 $((at + 28)),18 $((at + 22)),84 $((at + 13)),84"
        -fill "#1a1008" -stroke "#5a3d10" -strokewidth 2 -draw "rectangle $((at + 32)),38 $((at + 58)),87")
  if ((door < 49)); then
    out+=(-fill "#8a6a3a" -stroke "#4a3210" -strokewidth 1 -draw "rectangle $((at + 33)),$((38 + door)) $((at + 57)),86"
          -fill none -stroke "#e3c48a" -strokewidth 2
          -draw "ellipse $((at + 45)),$((50 + door)) 4,5 0,360"
          -draw "line $((at + 45)),$((55 + door)) $((at + 45)),$((70 + door))"
          -draw "line $((at + 39)),$((60 + door)) $((at + 51)),$((60 + door))")
  fi
}
# Shut and open; the slab sinks into the ground over six frames, or rises.
tomb_shut=() tomb_open=() tomb_opening=() tomb_closing=()
tomb_frame tomb_shut 0 0
tomb_frame tomb_open 0 49
for k in 0 1 2 3 4 5; do
  tomb_frame tomb_opening $((k * 90)) $((k * 10))
  tomb_frame tomb_closing $((k * 90)) $(((5 - k) * 10))
done
draw img/tomb_closed.png -size 90x90 xc:none "${tomb_shut[@]}"
draw img/tomb_opened.png -size 90x90 xc:none "${tomb_open[@]}"
draw img/tomb_opening.png -size 540x90 xc:none "${tomb_opening[@]}"
draw img/tomb_closing.png -size 540x90 xc:none "${tomb_closing[@]}"

# The treasure: a golden medallion with a scarab, 90 x 90; found, it shines.
treasure=(-fill "#e8b92f" -stroke "#6b4a0c" -strokewidth 3 -draw "circle 45,45 45,10"
           -fill "#f6d978" -stroke none -draw "circle 45,45 45,17"
           -fill "#1f7a4d" -stroke "#0d3321" -strokewidth 2 -draw "ellipse 45,50 11,15 0,360"
           -draw "ellipse 45,31 7,5 0,360" -draw "line 45,36 45,64"
           -draw "line 34,44 24,38" -draw "line 56,44 66,38" -draw "line 34,56 24,62" -draw "line 56,56 66,62")
draw img/subgoal_token.png -size 90x90 xc:none "${treasure[@]}"
treasure_rays=()
for k in 0 1 2 3 4 5 6 7; do treasure_rays+=(-draw "translate 45,45 rotate $((k * 45)) polygon -4,-30 4,-30 0,-45"); done
draw img/subgoal.png -size 90x90 xc:none -fill "rgba(255,240,170,0.9)" -stroke none "${treasure_rays[@]}" \
  -fill "rgba(255,230,140,0.5)" -draw "circle 45,45 45,4" "${treasure[@]}"

# The race's milestone: an obelisk flying a pennant.
draw img/milestone.png -size 90x90 xc:none \
  -fill "#d9c08a" -stroke "#5a3d10" -strokewidth 2 -draw "polygon 34,86 56,86 52,22 45,12 38,22" \
  -fill "#5a3d10" -stroke none -draw "rectangle 26,84 64,89" \
  -stroke "#3a250a" -strokewidth 2 -draw "line 45,12 45,2" \
  -fill "#c8322e" -stroke "#6b1512" -strokewidth 1 -draw "polygon 46,2 70,7 46,13"

# The racers' start block: a chequered slab with an arrow to the right.
draw img/startblock.png -size 45x45 xc:none \
  -fill "#f4f1e8" -stroke "#3a250a" -strokewidth 2 -draw "rectangle 2,2 42,42" -stroke none -fill "#2a2a2e" \
  -draw "rectangle 3,3 12,12" -draw "rectangle 22,3 31,12" -draw "rectangle 13,13 21,21" -draw "rectangle 32,13 41,21" \
  -fill "#c8322e" -stroke "#6b1512" -strokewidth 1 -draw "polygon 8,27 28,27 28,22 38,32 28,42 28,37 8,37"

# block_bottle NAME COLOUR FILLED: a glass bottle in the top-left 45 x 45 of a 64 x
# 64 image, empty or filled with the colour. Both have the same outline, and
# the cork and a token-shaped seal of the colour show which tokens it takes:
# the board shows the full one from the bottom up as it fills.
block_bottle() {
  local name=$1 hue=$2 shape=$3 filled=$4 glass dark
  dark=$(block_mix "$hue" "#000000" 50)
  if [[ $filled == 1 ]]; then glass=$hue; else glass="rgba(225,240,245,0.55)"; fi
  draw "img/$name.png" -size 64x64 xc:none \
    -fill "$hue" -stroke "$dark" -strokewidth 1 -draw "rectangle 18,2 26,8" \
    -fill "$glass" -stroke "$dark" -strokewidth 2 -draw "rectangle 17,8 27,16" \
    -draw "roundrectangle 7,15 37,43 8,8" \
    -fill "rgba(255,255,255,0.6)" -stroke none -draw "roundrectangle 11,19 15,37 2,2" \
    -fill "#f4e9c8" -stroke "$dark" -strokewidth 1 -draw "circle 24,30 24,21" \
    -fill "$hue" -stroke none -draw "translate 24,30 $(block_shape "$shape" 6)"
}
for i in "${!block_colours[@]}"; do
  block_bottle "token_emptybottle_${block_colours[$i]}" "${block_hues[$i]}" "${block_shapes[$i]}" 0
  block_bottle "token_fullbottle_${block_colours[$i]}" "${block_hues[$i]}" "${block_shapes[$i]}" 1
done

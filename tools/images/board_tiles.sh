# The game board's floor: the tiled background, the floor tiles with their
# flip animations, the spider web and the selection ring. Sourced by
# make_images.sh, which gives draw().

# masonry NAME SEED DARK LIGHT JOINT HEIGHT SHIFT [BAND]: a background of
# 512 x 512, so that copies meet without a seam: blocks 128 wide and HEIGHT
# high, each course shifted SHIFT further than the one above, mottled between
# DARK and LIGHT with JOINT-coloured joints; BAND adds a carved line that far
# below each course's top.
masonry() {
  local name=$1 seed=$2 dark=$3 light=$4 joint=$5 height=$6 shift=$7 band=${8:-}
  local lines=() row col x y
  for ((row = 0; row * height < 512; row++)); do
    y=$((row * height))
    lines+=(-draw "line 0,$y 511,$y")
    [[ -n $band ]] && lines+=(-draw "line 0,$((y + band)) 511,$((y + band))")
    for col in 0 1 2 3; do
      x=$((col * 128 + row * shift % 128))
      lines+=(-draw "line $x,$y $x,$((y + height - 1))")
    done
  done
  draw "$name" -size 512x512 -seed "$seed" plasma:grey40-grey60 -blur 0x1.5 -colorspace Gray -colorspace sRGB \
    +level-colors "$dark","$light" -fill none -stroke "$joint" -strokewidth 3 "${lines[@]}" \
    -stroke "rgba(255,240,210,0.22)" -strokewidth 1 -draw "line 0,2 511,2" -type TrueColor
}
# The first temple's: sandstone in courses offset by half a block.
masonry img/Background_1.jpg 11 "#5e3e20" "#9a7040" "rgba(40,24,10,0.8)" 64 64
# The second temple's: grey-green granite in large square slabs laid
# straight, a carved band along each course.
masonry img/Background_2.jpg 12 "#2c3a34" "#6f8178" "rgba(10,18,14,0.85)" 128 0 100

# tile NAME BASE HIGHLIGHT SEED [EXTRA...]: a floor tile of 64 x 64, a mottled
# face with a lit upper-left edge and a shadowed lower-right one.
tile() {
  local name=$1 base=$2 light=$3 seed=$4
  draw "img/$name.png" -size 64x64 -seed "$seed" plasma:grey40-grey60 -blur 0x1 -colorspace Gray -colorspace sRGB \
    +level-colors "$base","$light" \
    -fill none -stroke "rgba(255,255,255,0.35)" -strokewidth 2 -draw "polyline 1,62 1,1 62,1" \
    -stroke "rgba(0,0,0,0.45)" -draw "polyline 62,1 62,62 1,62" "${@:5}"
}
cracks=("polyline 10,8 22,24 18,36 30,50" "polyline 54,10 40,22 44,34 30,40" "polyline 8,44 24,38 36,46 52,56")
for k in 1 2 3; do
  tile "tile_sand$k" "#d8b46a" "#ecd59a" $((20 + k))
  tile "tile_crack_sand$k" "#c9a055" "#ddbe7c" $((30 + k)) \
    -stroke "#5a3d10" -strokewidth 2 -draw "${cracks[$((k - 1))]}" -draw "${cracks[$((k % 3))]}"
done
tile tile_metal "#7d8791" "#b9c3cc" 41 -fill "#4a525a" -stroke none \
  -draw "circle 8,8 11,8" -draw "circle 56,8 59,8" -draw "circle 8,56 11,56" -draw "circle 56,56 59,56"
tile tile_gold "#d9a520" "#ffe27a" 51 -stroke "rgba(255,250,220,0.8)" -strokewidth 3 -draw "line 12,44 44,12"
# Painted only in the editor: cells that are no floor in play.
draw img/tile_edit_only.png -size 64x64 pattern:left45 +level-colors "#a02080","#e8a0d8" \
  -fill none -stroke "#801060" -strokewidth 3 -draw "rectangle 1,1 62,62"

# flip NAME FROM TO: a tile turning over about its vertical axis, six frames
# of 64 x 64: the old face narrows to an edge, the new one widens from it.
flip() {
  local frames=() widths=(30 20 6 6 20 30) k
  for k in 0 1 2 3 4 5; do
    local cx=$((k * 64 + 32)) w=${widths[$k]} fill=$2
    ((k >= 3)) && fill=$3
    frames+=(-fill "$fill" -stroke "rgba(0,0,0,0.5)" -strokewidth 2
             -draw "rectangle $((cx - w)),2 $((cx + w - 1)),61")
  done
  draw "img/$1.png" -size 384x64 xc:none "${frames[@]}"
}
flip tile_flip_metal "#8d97a1" "#d8b46a"
flip tile_flip_sand "#d8b46a" "#c9a055"
flip tile_flip_crack "#c9a055" "#e8b830"
flip tile_flip_gold "#e8b830" "#ffe27a"

# A spider web over a cell: spokes from the centre and three rings of threads.
web=(-fill none -stroke "rgba(245,245,245,0.85)" -strokewidth 1)
for a in 0 45 90 135; do
  web+=(-draw "translate 32,32 rotate $a line -31,0 31,0")
done
for r in 8 17 27; do
  web+=(-draw "translate 32,32 polygon $r,0 $((r * 7 / 10)),$((r * 7 / 10)) 0,$r -$((r * 7 / 10)),$((r * 7 / 10)) -$r,0 -$((r * 7 / 10)),-$((r * 7 / 10)) 0,-$r $((r * 7 / 10)),-$((r * 7 / 10))")
done
draw img/spiderweb.png -size 64x64 xc:none "${web[@]}"

# The ring round the selected block: a golden frame with a soft inner glow.
draw img/block_select.png -size 64x64 xc:none \
  -fill none -stroke "rgba(255,230,120,0.45)" -strokewidth 8 -draw "roundrectangle 6,6 57,57 10,10" \
  -stroke "#ffd24a" -strokewidth 3 -draw "roundrectangle 3,3 60,60 10,10"

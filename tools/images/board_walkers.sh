# The walkers of the board and their nests, sourced by make_images.sh with
# draw() at hand: the six nests (2 x 2 cells, 90 x 90), the scorpion and
# the spider seen from above and turned to each of their four ways, the
# cobra rising from its basket, the flying scarab and locust, and the rival
# walking his four ways. Every animation is four frames side by side.

# turned ANGLE X Y PRIMITIVE: the primitive drawn about (X, Y), turned.
turned() { echo "translate $2,$3 rotate $1 $4"; }

# A nest: a mound of its colour round a dark hole, then what marks its kind.
nest() {
  local name=$1 mound=$2 rim=$3
  shift 3
  draw "img/$name.png" -size 90x90 xc:none \
    -fill "rgba(0,0,0,0.3)" -stroke none -draw "ellipse 46,66 40,20 0,360" \
    -fill "$mound" -stroke "$rim" -strokewidth 3 -draw "ellipse 45,58 40,26 0,360" \
    -fill "rgba(255,255,255,0.18)" -stroke none -draw "ellipse 36,48 22,10 0,360" \
    -fill "#1a1008" -stroke "$rim" -strokewidth 2 -draw "ellipse 45,56 16,9 0,360" "$@"
}
nest mummy_nest "#b89a6a" "#5a4426" \
  -fill "#d8c8a0" -stroke "#5a4426" -strokewidth 2 -draw "roundrectangle 33,8 57,50 10,10" \
  -stroke "#8a7650" -strokewidth 2 -draw "line 35,22 55,22" -draw "line 35,30 55,30" -draw "line 35,38 55,38" \
  -fill "#2a1a0a" -stroke none -draw "circle 41,15 43,15" -draw "circle 49,15 51,15"
nest scorpion_nest "#9a6a3a" "#4a2a10" \
  -fill "#7a5030" -stroke "#4a2a10" -strokewidth 2 -draw "polygon 10,50 22,36 30,48" -draw "polygon 62,44 74,34 80,52" \
  -stroke "#2a1608" -draw "line 38,70 44,64" -draw "line 50,70 46,64"
nest spider_nest "#6a6a72" "#2a2a30" \
  -fill none -stroke "rgba(240,240,240,0.8)" -strokewidth 1 \
  -draw "line 29,56 61,56" -draw "line 45,47 45,65" -draw "line 34,49 56,63" -draw "line 56,49 34,63" \
  -draw "ellipse 45,56 9,5 0,360" -draw "line 8,40 30,52" -draw "line 82,40 60,52"
nest cobra_nest "#c8a050" "#6a4a18" \
  -fill none -stroke "#8a6a28" -strokewidth 2 \
  -draw "ellipse 45,58 32,20 0,360" -draw "ellipse 45,58 24,14 0,360" \
  -draw "line 9,58 29,58" -draw "line 61,58 81,58" -draw "line 45,32 45,47" -draw "line 45,66 45,84"
nest scarab_nest "#7a5a32" "#3a2810" \
  -fill "#5a3e1e" -stroke "#3a2810" -strokewidth 2 -draw "circle 22,40 30,40" -draw "circle 70,42 77,42" \
  -fill "#3fd69a" -stroke none -draw "circle 30,70 32,70" -draw "circle 60,74 62,74" -draw "circle 72,60 74,60"
nest locust_nest "#8a8a3a" "#3a4010" \
  -fill none -stroke "#5a7a1a" -strokewidth 3 \
  -draw "line 14,56 8,30" -draw "line 20,54 22,26" -draw "line 72,54 76,28" -draw "line 78,58 86,34" \
  -draw "line 40,36 36,16" -draw "line 52,36 58,18"

# scorpion KIND ANGLE: four frames of 40 x 40 from above, facing ANGLE
# (0 right, 90 down); KIND walk swings the legs, attack brings the sting
# over the back.
scorpion() {
  local kind=$1 angle=$2 frames=() k
  for k in 0 1 2 3; do
    local cx=$((k * 40 + 20)) s=$(((k % 2) * 6 - 3)) sting=-16
    [[ $kind == attack ]] && sting=$((-16 + k * 8))
    local parts=("line -6,0 $((-8 + s)),-14" "line -2,0 $((-2 - s)),-14" "line 2,0 $((4 + s)),-13" "line 6,0 $((10 - s)),-12"
                 "line -6,0 $((-8 - s)),14" "line -2,0 $((-2 + s)),14" "line 2,0 $((4 - s)),13" "line 6,0 $((10 + s)),12")
    frames+=(-stroke "#3a200a" -strokewidth 2)
    for p in "${parts[@]}"; do frames+=(-draw "$(turned "$angle" $cx 20 "$p")"); done
    frames+=(-draw "$(turned "$angle" $cx 20 "line 13,-3 15,-8")" -draw "$(turned "$angle" $cx 20 "line 13,3 15,8")"
             -fill "#8a5a2a" -stroke "#3a200a" -strokewidth 1
             -draw "$(turned "$angle" $cx 20 "ellipse -1,0 10,6 0,360")"
             -draw "$(turned "$angle" $cx 20 "ellipse 10,0 4,4 0,360")"
             -draw "$(turned "$angle" $cx 20 "circle 16,-10 18,-10")" -draw "$(turned "$angle" $cx 20 "circle 16,10 18,10")"
             -fill none -stroke "#6a3e18" -strokewidth 4 -draw "$(turned "$angle" $cx 20 "line -9,0 $sting,0")"
             -fill "#d8301e" -stroke none -draw "$(turned "$angle" $cx 20 "circle $sting,0 $((sting - 2)),0")")
  done
  draw "img/scorpion_${kind}_$3.png" -size 160x40 xc:none "${frames[@]}"
}

# spider NAME ANGLE SPIN: four frames of 40 x 40 from above, facing ANGLE;
# with SPIN a thread runs from its back to a growing web.
spider() {
  local name=$1 angle=$2 spin=$3 frames=() k
  for k in 0 1 2 3; do
    local cx=$((k * 40 + 20)) s=$(((k % 2) * 6 - 3))
    frames+=(-fill none -stroke "#141418" -strokewidth 2)
    local x
    for x in -6 -2 2 6; do
      frames+=(-draw "$(turned "$angle" $cx 20 "polyline $x,0 $((x + x / 2)),-10 $((x * 2 + s)),-17")"
               -draw "$(turned "$angle" $cx 20 "polyline $x,0 $((x + x / 2)),10 $((x * 2 - s)),17")")
    done
    if [[ $spin == 1 ]]; then
      frames+=(-stroke "rgba(240,240,240,0.9)" -strokewidth 1 -draw "$(turned "$angle" $cx 20 "line -9,0 -19,0")"
               -draw "$(turned "$angle" $cx 20 "circle -17,0 $((-17 + k)),0")")
    fi
    frames+=(-fill "#26262c" -stroke "#000000" -strokewidth 1
             -draw "$(turned "$angle" $cx 20 "ellipse -3,0 8,7 0,360")"
             -draw "$(turned "$angle" $cx 20 "circle 7,0 11,0")"
             -fill "#c8281e" -stroke none -draw "$(turned "$angle" $cx 20 "polygon -6,0 -3,-3 0,0 -3,3")")
  done
  draw "img/$name.png" -size 160x40 xc:none "${frames[@]}"
}

for way in right:0 down:90 left:180 up:270; do
  scorpion walk "${way#*:}" "${way%:*}"
  scorpion attack "${way#*:}" "${way%:*}"
  spider "spider_${way%:*}" "${way#*:}" 0
done
spider spider_spin_right 0 1
spider spider_spin_left 180 1

# cobra NAME LEANS...: four frames of 45 x 60, the hood leaning by each
# frame's offset over a coil in a basket; a strike opens the mouth.
cobra() {
  local name=$1 frames=() k=0
  shift
  for lean in "$@"; do
    local cx=$((k * 45 + 22)) hx=$((k * 45 + 22 + lean))
    frames+=(-fill "#3f7a2a" -stroke "#1a3a10" -strokewidth 2 -draw "ellipse $cx,52 15,6 0,360"
             -fill none -stroke "#3f7a2a" -strokewidth 7
             -draw "bezier $((cx - 4)),50 $((cx + 10)),40 $((hx - 8)),26 $hx,16"
             -fill "#4f8a32" -stroke "#1a3a10" -strokewidth 1 -draw "ellipse $hx,16 10,9 0,360"
             -fill "#d8c050" -stroke none -draw "ellipse $hx,19 4,5 0,360"
             -fill "#f0e070" -draw "circle $((hx - 3)),12 $((hx - 2)),12" -draw "circle $((hx + 3)),12 $((hx + 4)),12")
    if ((lean < -4)); then
      frames+=(-fill none -stroke "#c82020" -strokewidth 1 -draw "line $((hx - 9)),18 $((hx - 15)),20")
    fi
    k=$((k + 1))
  done
  draw "img/$name.png" -size 180x60 xc:none "${frames[@]}"
}
cobra cobra_idle -2 0 2 0
cobra cobra_strike -4 -8 -12 -6

# The scarab in flight is drawn with the race's flyers (game_race.sh).

# The locust in flight, 40 x 40 facing left, its wings beating.
locust=()
for k in 0 1 2 3; do
  cx=$((k * 40 + 20)) w=$((4 + (k % 2) * 6))
  locust+=(-fill "rgba(230,240,200,0.6)" -stroke "rgba(90,100,40,0.8)" -strokewidth 1
           -draw "ellipse $((cx + 2)),$((20 - w)) 10,$w 0,360" -draw "ellipse $((cx + 2)),$((20 + w)) 10,$w 0,360"
           -fill "#7a8a2a" -stroke "#3a4010" -strokewidth 1 -draw "ellipse $((cx + 3)),20 13,4 0,360"
           -fill "#5a6a1a" -draw "circle $((cx - 11)),20 $((cx - 7)),20"
           -stroke "#3a4010" -draw "line $((cx - 13)),18 $((cx - 18)),12" -draw "line $((cx - 13)),22 $((cx - 18)),28")
done
draw img/locust_fly.png -size 160x40 xc:none "${locust[@]}"

# shady NAME VIEW: the rival in a dark hooded robe, four frames of 48 x 64.
# VIEW side walks to the right, front and back step in place, idle breathes.
shady() {
  local name=$1 view=$2 frames=() k
  for k in 0 1 2 3; do
    local cx=$((k * 48 + 24)) s=$(((k % 2) * 8 - 4)) bob=$((k % 2))
    [[ $view == idle ]] && s=0
    frames+=(-fill none -stroke "#1a1418" -strokewidth 4
             -draw "line $((cx - 3)),50 $((cx - 3 - s)),62" -draw "line $((cx + 3)),50 $((cx + 3 + s)),62"
             -fill "#3a2a3a" -stroke "#120c12" -strokewidth 2
             -draw "polygon $((cx - 11)),52 $((cx - 7)),$((20 + bob)) $((cx + 7)),$((20 + bob)) $((cx + 11)),52"
             -fill "#2a1e2a" -draw "circle $cx,$((14 + bob)) $((cx + 9)),$((14 + bob))")
    case $view in
      side) frames+=(-fill "#c8a078" -stroke none -draw "ellipse $((cx + 4)),$((15 + bob)) 4,5 0,360"
                     -fill "#f0d020" -draw "circle $((cx + 5)),$((14 + bob)) $((cx + 6)),$((14 + bob))") ;;
      front | idle) frames+=(-fill "#c8a078" -stroke none -draw "ellipse $cx,$((15 + bob)) 6,6 0,360"
                             -fill "#f0d020" -draw "circle $((cx - 2)),$((14 + bob)) $((cx - 1)),$((14 + bob))"
                             -draw "circle $((cx + 2)),$((14 + bob)) $((cx + 3)),$((14 + bob))") ;;
      back) frames+=(-fill "#1a121a" -stroke none -draw "ellipse $cx,$((15 + bob)) 6,6 0,360") ;;
    esac
  done
  draw "img/$name.png" -size 192x64 xc:none "${frames[@]}"
}
shady shady_idle idle
shady shady_walk_right side
shady shady_walk_up back
shady shady_walk_down front

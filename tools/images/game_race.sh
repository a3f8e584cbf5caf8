# The scarab race: the racers running and flying in their colours, the
# starting light and the prize on the summary. Sourced by make_images.sh
# with draw() at hand. The yellow flyer is also the walkers' flying scarab.

# scarab_run NAME SHELL DARK: a racer running, four frames of 64 x 64 facing
# up, its legs swinging and its wing cases shut.
scarab_run() {
  local frames=() k
  local swings=(-5 0 5 0)
  for k in 0 1 2 3; do
    local cx=$((k * 64 + 32)) s=${swings[$k]}
    frames+=(-fill none -stroke "#2b1a06" -strokewidth 3
             -draw "line $((cx - 8)),28 $((cx - 19)),$((20 + s))" -draw "line $((cx + 8)),28 $((cx + 19)),$((20 - s))"
             -draw "line $((cx - 9)),38 $((cx - 20)),$((38 - s))" -draw "line $((cx + 9)),38 $((cx + 20)),$((38 + s))"
             -draw "line $((cx - 8)),46 $((cx - 17)),$((56 + s))" -draw "line $((cx + 8)),46 $((cx + 17)),$((56 - s))"
             -fill "$2" -stroke "$3" -strokewidth 2 -draw "ellipse $cx,38 12,16 0,360"
             -fill "$3" -draw "ellipse $cx,18 7,6 0,360"
             -stroke "$3" -draw "line $cx,24 $cx,53")
  done
  draw "img/$1.png" -size 256x64 xc:none "${frames[@]}"
}
scarab_run scarab_run_yellow "#e8c02a" "#6a4a08"
scarab_run scarab_run_red "#d0402a" "#5a1408"
scarab_run scarab_run_green "#3aa84a" "#0d3a15"
scarab_run scarab_run_blue "#3a6ad8" "#0d1f5a"

# scarab_fly NAME SHELL DARK HEAD: a racer sprinting, 64 x 64 facing up, its wing
# cases open and its wings beating.
scarab_fly() {
  local frames=() k
  local wings=(19 12 5 12)
  for k in 0 1 2 3; do
    local cx=$((k * 64 + 32)) w=${wings[$k]}
    frames+=(-fill "rgba(220,235,255,0.55)" -stroke "rgba(120,140,160,0.8)" -strokewidth 1
             -draw "ellipse $((cx - 11)),30 $w,8 0,360" -draw "ellipse $((cx + 11)),30 $w,8 0,360"
             -fill "$2" -stroke "$3" -strokewidth 2 -draw "ellipse $cx,36 11,16 0,360"
             -fill "$4" -draw "ellipse $cx,17 7,6 0,360"
             -stroke "$3" -draw "line $cx,24 $cx,50")
  done
  draw "img/$1.png" -size 256x64 xc:none "${frames[@]}"
}
scarab_fly scarab_fly_yellow "#e8c02a" "#6a4a08" "#b88a10"
scarab_fly scarab_fly_red "#d0402a" "#5a1408" "#5a1408"
scarab_fly scarab_fly_green "#3aa84a" "#0d3a15" "#0d3a15"
scarab_fly scarab_fly_blue "#3a6ad8" "#0d1f5a" "#0d1f5a"

# A starting light (50 x 44): a white lamp in a dark housing; the HUD tints
# it grey while dark and shows it white when lit.
draw ui_img/race_light.png -size 50x44 xc:none -fill "#2a2018" -stroke "#0e0a06" -strokewidth 2 \
  -draw "roundrectangle 2,2 47,41 8,8" -fill "#ffe9a0" -stroke "#806020" -draw "circle 25,22 25,6" \
  -fill "rgba(255,255,255,0.8)" -stroke none -draw "circle 20,17 20,12"

# The prize (50 x 50): a golden scarab amulet on a blue disc.
draw ui_img/race_prize.png -size 50x50 xc:none -fill "#2a4a9a" -stroke "#d9b13b" -strokewidth 3 \
  -draw "circle 25,25 25,3" -fill "#f0c838" -stroke "#6a4a08" -strokewidth 2 -draw "ellipse 25,28 8,11 0,360" \
  -fill "#6a4a08" -draw "ellipse 25,14 5,4 0,360" -stroke "#6a4a08" -draw "line 25,18 25,38"

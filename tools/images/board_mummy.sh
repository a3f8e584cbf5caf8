# The mummy: frames of 64 x 64, a bandaged figure with glowing eyes. Each
# action is one strip per view: "right" (mirrored for the left), "up" (its
# back) and "down" (its front). It rises from the sand and sinks back into
# it, sways while it waits, shuffles while it walks and raises its arms to
# cast. Its pace follows these strips: it moves on at the end of each cycle.

# mummy NAME VIEW ACTION FRAMES
mummy() {
  local name=$1 view=$2 action=$3 count=$4 frames=() k
  for ((k = 0; k < count; k++)); do
    local cx=$((k * 64 + 32)) drop=0 sway=0 step=0 arms=0 glow=0
    case $action in
      appear) drop=$(((count - 1 - k) * 52 / (count - 1))) ;;
      disappear) drop=$((k * 52 / (count - 1))) ;;
      idle) sway=$(((k % 2) * 2 - 1)) ;;
      walk) step=$(((k % 3) * 4 - 4)) sway=$(((k % 2) * 2 - 1)) ;;
      magic) arms=$((k * 14 / (count - 1))) glow=$((4 + k * 3)) ;;
    esac
    local top=$((8 + drop)) x=$((cx + sway))
    [[ $view == up ]] && step=0
    # Legs, body, then arms held out before it (or raised to cast) and the head.
    frames+=(-fill "#cfc29a" -stroke "#6a5a3a" -strokewidth 2
             -draw "rectangle $((x - 8)),$((top + 38)) $((x - 2 + step)),$((top + 54))"
             -draw "rectangle $((x + 2 - step)),$((top + 38)) $((x + 8)),$((top + 54))"
             -draw "roundrectangle $((x - 11)),$((top + 14)) $((x + 11)),$((top + 42)) 4,4"
             -stroke "#8a7a5a" -strokewidth 1
             -draw "line $((x - 10)),$((top + 22)) $((x + 10)),$((top + 25))"
             -draw "line $((x - 10)),$((top + 31)) $((x + 10)),$((top + 28))"
             -draw "line $((x - 10)),$((top + 37)) $((x + 10)),$((top + 39))")
    local reach=14 lift=$((top + 20 - arms))
    case $view in
      right) frames+=(-stroke "#6a5a3a" -strokewidth 2 -fill "#cfc29a"
                      -draw "rectangle $x,$((lift - 2)) $((x + reach + 4)),$((lift + 4))") ;;
      *) frames+=(-stroke "#6a5a3a" -strokewidth 2 -fill "#cfc29a"
                  -draw "rectangle $((x - 16)),$((lift - 2)) $((x - 10)),$((top + 34))"
                  -draw "rectangle $((x + 10)),$((lift - 2)) $((x + 16)),$((top + 34))") ;;
    esac
    frames+=(-fill "#d8cca4" -stroke "#6a5a3a" -strokewidth 2 -draw "circle $x,$((top + 8)) $((x + 9)),$((top + 8))"
             -stroke "#8a7a5a" -strokewidth 1 -draw "line $((x - 8)),$((top + 5)) $((x + 8)),$((top + 7))")
    case $view in
      right) frames+=(-fill "#ff5020" -stroke none -draw "circle $((x + 5)),$((top + 9)) $((x + 6)),$((top + 9))") ;;
      down) frames+=(-fill "#ff5020" -stroke none -draw "circle $((x - 3)),$((top + 9)) $((x - 2)),$((top + 9))"
                     -draw "circle $((x + 3)),$((top + 9)) $((x + 4)),$((top + 9))") ;;
    esac
    ((glow)) && frames+=(-fill "rgba(120,255,140,0.45)" -stroke none
                         -draw "circle $x,$((top + 2)) $((x + glow)),$((top + 2))")
    # The sand it rises from and sinks into.
    ((drop)) && frames+=(-fill "#c8a860" -stroke "#8a6a30" -strokewidth 1
                         -draw "ellipse $cx,60 $((8 + drop / 3)),4 0,360")
  done
  draw "img/$name.png" -size "$((count * 64))x64" xc:none "${frames[@]}"
}

for view in right up down; do
  mummy "mummy_appear_$view" "$view" appear 8
  mummy "mummy_idle_$view" "$view" idle 4
  mummy "mummy_walk_$view" "$view" walk 6
  mummy "mummy_disappear_$view" "$view" disappear 8
  mummy "mummy_magic_$view" "$view" magic 8
done

# The board's effects: the animated overlays of the sprite set (frames of
# 64 x 64 side by side, played once per start), the spinning coin and the
# strips the explosion discs read from their left part (centre) outward
# (rim). Sourced by make_images.sh with draw() at hand.

# A four-pointed star of radius r at (cx, cy), as a polygon.
star4() {
  local cx=$1 cy=$2 r=$3 w=$(($3 / 5 + 1))
  echo "polygon $cx,$((cy - r)) $((cx + w)),$((cy - w)) $((cx + r)),$cy $((cx + w)),$((cy + w)) $cx,$((cy + r)) $((cx - w)),$((cy + w)) $((cx - r)),$cy $((cx - w)),$((cy - w))"
}
# frame_alpha K N: alpha of frame K of N, full at the start and faded at the end.
frame_alpha() { awk "BEGIN { printf \"%.2f\", 1 - $1 / $2 }"; }

# Sparkle: a star that flares and fades with two small ones beside it.
sparkle=()
sizes=(6 14 24 30 26 20 12 6)
for k in 0 1 2 3 4 5 6 7; do
  cx=$((k * 64 + 32)) r=${sizes[$k]} a=$(frame_alpha "$k" 9)
  sparkle+=(-fill "rgba(255,250,210,$a)" -draw "$(star4 $cx 32 $r)"
            -fill "rgba(255,220,120,$a)" -draw "$(star4 $((cx - 16)) 18 $((r / 3)))"
            -draw "$(star4 $((cx + 15)) 46 $((r / 3)))")
done
draw img/effect_sparkly.png -size 512x64 xc:none "${sparkle[@]}"

# Shatter: sandstone shards flying out from the centre and fading.
shatter=()
for k in 0 1 2 3 4 5 6 7; do
  cx=$((k * 64 + 32)) d=$((2 + k * 3)) a=$(frame_alpha "$k" 8)
  shatter+=(-fill "rgba(214,178,112,$a)" -stroke "rgba(90,61,16,$a)" -strokewidth 1)
  for angle in 20 95 160 230 300; do
    shatter+=(-draw "translate $cx,32 rotate $((angle + k * 12)) polygon $d,-3 $((d + 9)),0 $d,4")
  done
  shatter+=(-stroke none)
done
draw img/effect_shatter.png -size 512x64 xc:none "${shatter[@]}"

# Lightning: a jagged bolt from top to bottom that flickers and fades.
lightning=()
for k in 0 1 2 3 4 5; do
  cx=$((k * 64 + 32)) j=$(((k % 2) * 8 - 4)) a=$(frame_alpha "$k" 7)
  bolt="polyline $((cx + 2)),0 $((cx - 8 + j)),18 $((cx + 6 - j)),30 $((cx - 6 + j)),46 $((cx + 3)),63"
  lightning+=(-fill none -stroke "rgba(120,170,255,$a)" -strokewidth 7 -draw "$bolt"
              -stroke "rgba(240,248,255,$a)" -strokewidth 3 -draw "$bolt")
done
draw img/effect_lightning.png -size 384x64 xc:none "${lightning[@]}"

# Power: a golden ring swelling outward and thinning away.
power=()
for k in 0 1 2 3 4 5 6 7; do
  cx=$((k * 64 + 32)) r=$((6 + k * 3)) a=$(frame_alpha "$k" 8)
  power+=(-fill none -stroke "rgba(255,205,80,$a)" -strokewidth $((8 - k)) -draw "circle $cx,32 $((cx + r)),32"
          -stroke "rgba(255,250,220,$a)" -strokewidth 1 -draw "circle $cx,32 $((cx + r)),32")
done
draw img/effect_power.png -size 512x64 xc:none "${power[@]}"

# Swirl: three violet arms turning round the centre (drawn additive).
swirl=()
for k in 0 1 2 3 4 5 6 7; do
  cx=$((k * 64 + 32)) a=$(frame_alpha "$k" 10)
  for arm in 0 120 240; do
    swirl+=(-fill none -stroke "rgba(190,140,255,$a)" -strokewidth 4
            -draw "translate $cx,32 rotate $((arm + k * 45)) path 'M 0,0 Q 14,-4 18,10 Q 20,22 6,26'")
  done
done
draw img/effect_swirl.png -size 512x64 xc:none "${swirl[@]}"

# Scarab swap: two green arrows chasing each other round a circle.
swap=()
for k in 0 1 2 3 4 5 6 7; do
  cx=$((k * 64 + 32)) a=$(frame_alpha "$k" 9)
  for arm in 0 180; do
    swap+=(-fill none -stroke "rgba(60,190,110,$a)" -strokewidth 4
           -draw "translate $cx,32 rotate $((arm + k * 45)) arc -22,-22 22,22 200,320"
           -fill "rgba(60,190,110,$a)" -stroke none
           -draw "translate $cx,32 rotate $((arm + k * 45)) polygon 17,-20 26,-8 12,-8")
  done
done
draw img/effect_scarab_swap.png -size 512x64 xc:none "${swap[@]}"

# A gold coin spinning on its axis: eight frames of 32 x 32.
coin=()
widths=(13 11 7 2 7 11 13 13)
for k in 0 1 2 3 4 5 6 7; do
  cx=$((k * 32 + 16)) w=${widths[$k]}
  coin+=(-fill "#e8b830" -stroke "#7a5210" -strokewidth 2 -draw "ellipse $cx,16 $w,13 0,360"
         -fill "#fff0a0" -stroke none -draw "ellipse $((cx - w / 3)),12 $((w / 3)),4 0,360")
done
draw img/gold_spin.png -size 256x32 xc:none "${coin[@]}"

# Explosion strips (64 x 8): the colour at full strength on the left,
# fading to nothing on the right, read from u 0.1 (centre) to 0.9 (rim).
strip() {
  draw "img/$1" -size 64x8 -define gradient:direction=east "gradient:$2-$3"
}
strip Explosion_yellow.png "rgba(255,230,120,1)" "rgba(255,140,20,0)"
strip Explosion_blue.png "rgba(200,230,255,1)" "rgba(40,110,255,0)"
strip Explosion_white.png "rgba(255,255,255,1)" "rgba(255,255,255,0)"
strip locust_trail.png "rgba(200,210,110,0.9)" "rgba(110,120,40,0)"
strip scarab_trail.png "rgba(120,240,170,0.9)" "rgba(30,140,90,0)"

# The cells an armed power would act on: a soft golden glow over one cell.
draw img/effect_shadow.png -size 45x45 xc:none -fill "rgba(255,215,90,0.35)" -stroke "rgba(255,240,170,0.8)" \
  -strokewidth 2 -draw "roundrectangle 2,2 42,42 6,6"

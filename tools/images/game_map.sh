# The map, the picture puzzle and the credits: the map of the temples, the
# dimmed backdrop behind a hint, the two puzzle pictures, the hourglass of
# the puzzle's timer and the screens' backgrounds. Sourced by make_images.sh
# with draw() at hand.

# The map (800 x 600): desert sand with dunes, the river winding down from
# the north, and the roads to the two temples (their buttons stand on them).
draw ui_img/map.jpg -size 800x600 "gradient:#e9cf94-#c99a55" \
  -fill "rgba(255,240,200,0.35)" -draw "ellipse 150,470 170,40 0,360" -draw "ellipse 620,120 150,35 0,360" \
  -fill "rgba(120,80,30,0.18)" -draw "ellipse 520,520 200,30 0,360" -draw "ellipse 260,160 140,25 0,360" \
  -fill none -stroke "#3f7fb5" -strokewidth 26 \
  -draw "bezier 430,-10 360,140 520,250 430,360 330,480 420,560 400,610" \
  -stroke "#7fb8e0" -strokewidth 8 \
  -draw "bezier 430,-10 360,140 520,250 430,360 330,480 420,560 400,610" \
  -stroke "#8a5a22" -strokewidth 5 -draw "line 260,330 405,330" -draw "line 455,240 585,240" \
  -stroke "#5a3d10" -strokewidth 8 -fill none -draw "rectangle 4,4 795,595"

# A temple on the map (96 x 96): a stepped pyramid and its shadow, lit when
# the pointer lies on it.
temple() {
  draw "ui_img/$1" -size 96x96 xc:none -fill "rgba(0,0,0,0.25)" -draw "ellipse 52,86 40,8 0,360" \
    -fill "$2" -stroke "#5a3d10" -strokewidth 2 -draw "polygon 8,84 48,10 88,84" \
    -fill "$3" -stroke none -draw "polygon 48,10 88,84 58,84" \
    -stroke "#5a3d10" -strokewidth 1 -draw "line 22,60 74,60" -draw "line 32,42 64,42" \
    -fill "#2b1a06" -draw "rectangle 43,70 53,84"
}
temple temple_off.png "#d9b26a" "#a8803e"
temple temple_over.png "#f6d88c" "#c9a050"

# Behind an open hint the screen is dimmed.
draw ui_img/hint_bg.png -size 16x16 "xc:rgba(0,0,0,0.55)"

# The puzzle's pictures: 512 x 512, of which the top-left 450 x 450 is cut
# into the 6 x 5 pieces. No two pieces may look alike, or a piece could sit
# in another's slot while the picture looks whole: the sky darkens towards
# one corner and holds clouds, birds and the sun; the scarab's tablet lies
# on light thrown from one side, with a different sign on each piece of its
# border.
draw img/puzzle_pyramids.jpg -size 512x512 xc:"#204060" \
  \( -define gradient:angle=120 -size 450x300 "gradient:#5a7fc0-#fbe3b0" \) -geometry +0+0 -composite \
  \( -define gradient:angle=60 -size 450x150 "gradient:#e0b050-#8b5a22" \) -geometry +0+300 -composite \
  -fill "#fff3c4" -draw "circle 350,90 350,50" \
  -fill "rgba(255,255,255,0.85)" -draw "ellipse 50,35 38,12 0,360" -draw "ellipse 80,45 30,10 0,360" \
  -draw "ellipse 200,60 45,13 0,360" -draw "ellipse 250,25 25,8 0,360" -draw "ellipse 60,150 30,9 0,360" \
  -draw "ellipse 270,120 35,10 0,360" \
  -fill none -stroke "#2a2a3a" -strokewidth 3 \
  -draw "polyline 120,20 130,28 140,20" -draw "polyline 135,50 143,57 151,50" \
  -draw "polyline 420,160 430,168 440,160" -draw "polyline 20,200 28,207 36,200" \
  -draw "polyline 405,215 413,222 421,215" -draw "polyline 240,180 248,187 256,180" \
  -fill "#c98a3a" -stroke "#6b4216" -strokewidth 2 -draw "polygon 20,330 150,130 280,330" \
  -fill "#a86e2c" -stroke none -draw "polygon 150,130 280,330 190,330" \
  -fill "#d79a48" -stroke "#6b4216" -strokewidth 2 -draw "polygon 220,330 320,180 420,330" \
  -fill "#b57a34" -stroke none -draw "polygon 320,180 420,330 350,330" \
  -fill "#3f7fb5" -draw "polygon 0,390 450,360 450,410 0,440" \
  -fill "#2f6f3f" -draw "ellipse 400,300 40,12 0,360" \
  -stroke "#5a3d10" -strokewidth 6 -draw "line 400,300 395,370" \
  -fill "#1f5a2f" -stroke none -draw "ellipse 380,292 30,8 20,200" -draw "ellipse 420,292 30,8 -20,160" \
  -fill "#3a2a1a" -draw "polygon 60,430 90,420 120,432 90,440" -draw "polygon 250,425 270,415 295,428 270,436" \
  -fill "#6b4216" -draw "rectangle 170,345 200,360" -draw "circle 30,350 30,340"
draw img/puzzle_scarab.jpg -size 512x512 xc:"#1d3a4a" \
  \( -define gradient:center=120,110 -define gradient:radii=420,420 -size 450x450 \
     "radial-gradient:#5fc8c8-#0a1c28" \) -geometry +0+0 -composite \
  -fill none -stroke "#e8c766" -strokewidth 10 -draw "rectangle 12,12 437,437" \
  -stroke "#b07818" -strokewidth 3 -draw "rectangle 28,28 421,421" \
  -fill "#e8c766" -stroke none -draw "circle 225,95 225,55" \
  -fill "#c04a2a" -draw "circle 225,95 225,68" \
  -fill "#1f7a4d" -stroke "#0d3321" -strokewidth 4 -draw "ellipse 225,250 70,95 0,360" \
  -fill "#2f9a6a" -stroke none -draw "ellipse 205,230 18,60 0,360" \
  -stroke "#0d3321" -strokewidth 3 -draw "line 225,160 225,345" \
  -fill "#d9b13b" -stroke "#0d3321" -strokewidth 3 -draw "ellipse 225,150 35,22 0,360" \
  -stroke "#e8c766" -strokewidth 8 -fill none \
  -draw "line 160,230 70,180" -draw "line 290,230 380,180" \
  -draw "line 160,300 80,360" -draw "line 290,300 370,360" \
  -fill "#e8c766" -stroke none -draw "polygon 60,160 100,190 70,210" -draw "polygon 390,160 350,190 380,210" \
  -fill "rgba(232,199,102,0.8)" -draw "rectangle 60,390 390,400" \
  -fill "#f0d27a" -stroke "#5a3d10" -strokewidth 2 \
  -fill "#c04a2a" -draw "circle 112,412 112,394" -fill "#3f7fb5" -draw "polygon 168,430 187,392 206,430" \
  -fill "#2f9a6a" -draw "rectangle 247,395 277,425" -fill "#f4f0e0" -draw "polygon 337,390 357,410 337,430 317,410" \
  -fill "#f0d27a" -draw "ellipse 40,300 10,16 0,360" \
  -draw "polygon 400,290 420,300 400,310" -draw "circle 112,50 112,40" -draw "rectangle 330,40 348,58" \
  -draw "polygon 40,70 52,50 64,70" -draw "ellipse 410,80 14,8 0,360" -draw "polygon 30,410 45,395 60,410 45,425" \
  -draw "rectangle 395,400 420,420" -draw "circle 40,160 40,150" -draw "polygon 395,230 410,215 425,230"

# The puzzle screen: dark stone behind the grid, the hourglass's frame.
draw ui_img/minigame_bg.jpg -size 800x600 "gradient:#3a2c1e-#17110b" \
  -fill none -stroke "#8a6a30" -strokewidth 4 -draw "rectangle 40,40 525,530" \
  -stroke "#5a3d10" -strokewidth 10 -draw "roundrectangle 600,70 740,540 18,18"
# The hourglass's bulbs (64 x 128): glass filled with sand, and empty glass.
draw ui_img/puzzle_sand_full.png -size 64x128 "gradient:#f2d28a-#c9974a" \
  -fill none -stroke "rgba(255,255,255,0.5)" -strokewidth 2 -draw "line 10,6 10,120"
draw ui_img/puzzle_sand_empty.png -size 64x128 "xc:rgba(190,220,235,0.25)" \
  -fill none -stroke "rgba(255,255,255,0.5)" -strokewidth 2 -draw "line 10,6 10,120"

# The credits roll over a night sky with stars.
stars=()
for k in $(seq 0 59); do
  stars+=(-draw "point $(((k * 397 + 31) % 800)),$(((k * 211 + 17) % 600))")
done
draw ui_img/credits_bg.jpg -size 800x600 "gradient:#050a1c-#1c2c4c" -fill "#fff6d0" "${stars[@]}" \
  -fill "#0b0d14" -draw "polygon 0,600 220,430 440,600" -draw "polygon 300,600 520,460 740,600"

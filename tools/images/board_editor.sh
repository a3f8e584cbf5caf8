# The level editor's pictures: the mark of a cell without floor, which the
# floor tool paints, and a few decorations to place on a level. Sourced by
# make_images.sh, which gives draw().

# A cell without floor: a dark hatched square with a red cross, 64 x 64.
hatch=()
for k in 0 16 32 48 64 80 96 112; do hatch+=(-draw "line $k,0 $((k - 64)),64"); done
draw img/tile_none.png -size 64x64 xc:"rgba(20,14,10,0.75)" \
  -stroke "rgba(120,100,80,0.6)" -strokewidth 2 "${hatch[@]}" \
  -stroke "#c02020" -strokewidth 4 -draw "line 10,10 54,54" -draw "line 54,10 10,54"

# A palm: a curved trunk and five fronds, 96 x 128.
draw img/deco_palm.png -size 96x128 xc:none \
  -fill none -stroke "#6b4520" -strokewidth 9 -draw "bezier 50,126 44,90 54,60 48,34" \
  -fill "#2f7a2a" -stroke "#1b4a18" -strokewidth 2 \
  -draw "ellipse 28,30 24,7 190,330" -draw "ellipse 70,30 24,7 210,350" \
  -draw "ellipse 48,18 8,20 0,360" -draw "ellipse 22,44 20,6 120,250" -draw "ellipse 74,44 20,6 290,420"

# A broken column: a fluted shaft on a plinth, 64 x 128.
draw img/deco_column.png -size 64x128 xc:none \
  -fill "#d9c08a" -stroke "#7a6236" -strokewidth 2 -draw "rectangle 4,112 60,126" \
  -draw "polygon 12,112 12,26 22,18 34,28 44,16 52,24 52,112" \
  -stroke "rgba(122,98,54,0.7)" -draw "line 22,30 22,110" -draw "line 32,32 32,110" -draw "line 42,28 42,110"

# A clay jar with a painted band, 48 x 64.
draw img/deco_vase.png -size 48x64 xc:none \
  -fill "#b0582a" -stroke "#5a2a10" -strokewidth 2 -draw "ellipse 24,38 20,22 0,360" \
  -draw "rectangle 16,6 32,18" -fill "#e8c060" -stroke none -draw "rectangle 6,32 42,38"

# A standing torch with its flame, 32 x 96.
draw img/deco_torch.png -size 32x96 xc:none \
  -fill "#5a3a1a" -stroke "#2a1a08" -strokewidth 2 -draw "polygon 12,94 20,94 22,30 10,30" \
  -fill "#ffb020" -stroke "#e05010" -draw "ellipse 16,18 9,16 0,360" \
  -fill "#fff0a0" -stroke none -draw "ellipse 16,22 4,8 0,360"

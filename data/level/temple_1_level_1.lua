-- Temple 1, room 1: the first room, a short way from the entrance tomb on the
-- left to the exit tomb on the right. Matches wear the floor down (metal,
-- sand, cracked sand, gold); the explorer walks on gold. The row of four
-- tokens on the way offers the first swap, which the tutorial points at.

QOR = {
   Width = 42,
   Height = 38,
   Background = "img/Background_1.jpg",
   Colors = {
      blue = 1,
      green = 1,
      red = 1,
      yellow = 1,
      violet = 1,
   },
}

Blocks = {
   { Type = "qor_entrance", Color = "none", X = 22, Y = 30, Width = 2, Height = 2 },
   { Type = "qor_exit", Color = "none", X = 36, Y = 30, Width = 2, Height = 2 },
   { Type = "qor_block", Color = "violet", X = 29, Y = 31, Width = 1, Height = 1 },
   { Type = "qor_block", Color = "violet", X = 30, Y = 31, Width = 1, Height = 1 },
   { Type = "qor_block", Color = "white", X = 31, Y = 31, Width = 1, Height = 1 },
   { Type = "qor_block", Color = "violet", X = 32, Y = 31, Width = 1, Height = 1 },
}

-- The floor: columns 20 to 41, rows 26 to 37. A rim of metal around sand;
-- bare floor (5) under the two tombs. Every other cell has no floor.
local function FloorType(x, y)
   if y >= 30 and y <= 31 and ((x >= 22 and x <= 23) or (x >= 36 and x <= 37)) then return 5 end
   if x <= 21 or x >= 40 or y <= 27 or y >= 36 then return 1 end
   return 2
end

BackgroundTiles = {}
for x = 20, 41 do
   for y = 26, 37 do
      BackgroundTiles[#BackgroundTiles + 1] =
         { Type = FloorType(x, y), Index = (x + y) % 3 + 1, Webbed = 0, X = x, Y = y }
   end
end

Info = {
   Background = "img/Background_1.jpg",
   Effect = "none",
}

-- Fields missing, out of range or of the wrong kind, each read with its default.
Blocks = {
   { Type = "normal", Color = "GREEN", X = 1, Y = 0 },
   { Type = "refused", X = 0, Y = 0, Width = 1, Height = 1 },
   { Color = "mauve", X = -1, Y = 1, Width = 1, Height = 1 },
   { X = 0, Y = 1, Width = 1, Height = 1 },
}
Decorations = {
   { Image = "a.png", Layer = 2.9, Rotation = 1.5 },
   { Image = "b.png", Layer = -1, Rotation = -1 },
   { Image = "", Layer = 1 },
   { Layer = 1 },
   { Image = "c.png", X = 1, Y = 1, OffsetX = 0.25, OffsetY = "far", Rotation = 6 },
}

-- Blocks without a header table: nothing of the file is read.
Blocks = { { Type = "stone", Color = "red", X = 1, Y = 1, Width = 1, Height = 1 } }

QOR = { Width = 8, Height = 6, Colors = { white = 1 } }

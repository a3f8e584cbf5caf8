-- A level without an entry in the level data: the header's colours count.
QOR = { Width = 5, Height = 4, Colors = { cyan = 1, pink = 0.5, orange = 0, black = "1" } }

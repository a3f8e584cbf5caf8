-- A floor of every kind, with webs, barriers and two rival starts.
QOR = { Width = 8, Height = 6 }
BackgroundTiles = {
  { X = 0, Y = 0, Type = 1, Index = 1, Webbed = 0 },
  { X = 1, Y = 0, Type = 2, Index = 3, Webbed = 1 },
  { X = 2, Y = 0, Type = 3, Index = 2, Webbed = 2 },
  { X = 3, Y = 0, Type = 4 },
  { X = 4, Y = 0, Type = 5 },
  { X = 5, Y = 0, Type = 6 },
  { X = 6, Y = 0, Type = 0, Webbed = 1 },
  { X = 9, Y = 0, Type = 2 },
  { X = 2, Y = -1, Type = 2 },
  "not a table",
  { Type = 2, Index = 2 },
}
Barriers = {
  { From = { 0.1, 0.2 }, To = { 0.3, 0.4 } },
  7,
  { From = { 0.5, 0.25 } },
}
Spiders = {
  { X = 4, Y = 2, ID = 1 },
  { X = 7, Y = 1, ID = 1, Dir = -1 },
  { X = 2, Y = 2, ID = 0 },
  { X = -1, Y = 3, ID = 1 },
}

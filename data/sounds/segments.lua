-- Named places in the music module; each section loops on its own until
-- another segment is played.
AudioSegments = {
  { Name = "menu", File = "sounds/music.mod", Order = 0, Row = 0 },
  { Name = "map", File = "sounds/music.mod", Order = 2, Row = 0 },
  { Name = "game", File = "sounds/music.mod", Order = 4, Row = 0 },
}

-- The board's animations. Each entry is a strip of equally wide frames side
-- by side in one image; FrameTime is the rate in frames per second.
Sprites = {
  { Name = "gem_spin", ImageFile = "img/gem_spin.png", SpriteC = 4, FrameTime = 8 },
  { Name = "scarab_walk_right", ImageFile = "img/scarab_walk.png", SpriteC = 4, FrameTime = 10 },
  -- The same strip mirrored: the scarab walks to the left.
  { Name = "scarab_walk_left", ImageFile = "img/scarab_walk.png", SpriteC = 4, FrameTime = 10, FlipU = 1 },
}

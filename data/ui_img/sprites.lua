-- The interface's animations. Each entry is a strip of equally wide frames
-- side by side in one image; FrameTime is the rate in frames per second.
Sprites = {
  -- Six 40 x 40 frames in a 256 x 48 image: the unused right and bottom
  -- strips are clipped off, and a pixel of border keeps neighbours apart.
  { Name = "button_glow", ImageFile = "ui_img/glow.png", SpriteC = 6, FrameTime = 12,
    ClipX = 16, ClipY = 8, FrameBorderX = 1, FrameBorderY = 1 },
  { Name = "hourglass", ImageFile = "ui_img/hourglass.png", SpriteC = 8, FrameTime = 6 },
}

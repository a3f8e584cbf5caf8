-- Golden motes drifting up through the title screen. The screen's camera
-- stands 20 units from the z = 0 plane, which shows about 16 x 12 units.
ParticleGroups = {
   {
      Texture = "particles/star_cells.png",
      StartC = 40,
      MaxC = 160,
      Rebirth = 1,
      Additive = 1,
      StartColor = { 1.0, 0.9, 0.6 },
      EndColor = { 1.0, 0.5, 0.2 },
      StartAlpha = 1.0,
      EndAlpha = 0.0,
      ImageSubSet = { Width = 3, Height = 3, FrameTime = 0.25, FrameC = 9 },
      Emitter = {
         Type = "Box",
         BoxSize = { 7.0, 5.0, 0.0 },
         Range = 0.0,
         MinForce = { -0.3, 0.4, 0.0 },
         MaxForce = { 0.3, 1.2, 0.0 },
         MinLife = 2.0,
         MaxLife = 3.5,
         MinSize = 0.3,
         MaxSize = 0.6,
      },
      Forces = {
         { Type = "Linear", Force = { 0.0, 0.3, 0.0 } },
         { Type = "Path", Speed = 6.0, Amplitude = 0.02, ClosePath = 1 },
      },
   },
}

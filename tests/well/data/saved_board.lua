Blocks = 
{ 
   { 
      Type = "normal",
      Color = "red",
      X = 0,
      Y = 0,
      Width = 1,
      Height = 1,
   }, 
   { 
      Type = "say \"hi\"\\there",
      Color = "none",
      X = 1,
      Y = 0,
      Width = 2,
      Height = 2,
   }, 
}
Decorations = 
{ 
   { 
      Image = "torch.png",
      X = 2,
      Y = 1,
      OffsetX = 0.000000,
      OffsetY = 0.000000,
      Layer = 3,
      Rotation = 3,
   }, 
   { 
      Image = "img\\vine \"left\".png",
      X = 1,
      Y = 0,
      OffsetX = 0.012500,
      OffsetY = -0.025000,
      Layer = 2,
      Rotation = 1,
   }, 
   { 
      Image = "sun.png",
      X = 0,
      Y = 1,
      OffsetX = 0.000000,
      OffsetY = 0.000000,
      Layer = 0,
      Rotation = 0,
   }, 
   { 
      Image = "moon.png",
      X = 2,
      Y = 0,
      OffsetX = 0.100000,
      OffsetY = 0.000000,
      Layer = 0,
      Rotation = 2,
   }, 
}
Info = 
{ 
   Background = "temple",
   Effect = "sand",
}

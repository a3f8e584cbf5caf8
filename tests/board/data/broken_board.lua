Blocks = {
   { Type = "normal" 

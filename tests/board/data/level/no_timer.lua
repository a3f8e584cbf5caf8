QOR = { Width = 8, Height = 6 }

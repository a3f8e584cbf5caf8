QOR = { Width = 0, Height = 6 }

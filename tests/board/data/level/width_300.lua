QOR = { Width = 300, Height = 6 }

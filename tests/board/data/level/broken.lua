QOR = { Width = 8,

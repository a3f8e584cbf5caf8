QOR = { Width = 8, Height = 6, Background = "img/header.jpg", Colors = { yellow = 1 } }

-- The level data of the board tests' own levels, one table per level id.
red_only = { Background = "img/red_room.jpg", red = 1, green = 2, blue = 0.5, Timer = 0.5 }
no_colour = { Background = "img/plain.jpg", blue = 0, green = "1", Timer = 10 }
no_timer = { purple = 1, generic12 = 1 }
floor = { blue = 1, green = 1, red = 1 }

-- What each room of the game looks like and how long it lasts: one table per
-- level, named after the level file (without folder and ".lua"). A colour is
-- in play when its key is 1; Timer is the room's time in minutes.

temple_1_level_1 = {
   Background = "img/Background_1.jpg",
   blue = 1,
   green = 1,
   red = 1,
   yellow = 1,
   violet = 1,
   Timer = 5,
}

-- Written by tools/make_levels.py from tools/levels/: do not edit below.

race_1 = {
   Background = "img/Background_1.jpg",
   blue = 1,
   green = 1,
   red = 1,
   yellow = 1,
   violet = 1,
   Timer = 5,
}

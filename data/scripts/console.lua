-- Layout of the in-game console, in fractions of the screen height measured
-- from the top.
Console = {
	TextHeight = 0.35,       -- the newest history line ends here; older ones stack above
	PromptPos = 0.4,         -- top of the line being typed
	BackgroundHeight = 0.45, -- the background image reaches down to here
}

-- The game's start-up, language and screenshot functions.
dofile("scripts/game.lua")

-- The screens: OnInitUI() puts up the first one.
dofile("scripts/screens.lua")

-- The end of a room: its summary, the defeat and what follows.
dofile("scripts/level_end.lua")

-- The map, the picture puzzle and the credits.
dofile("scripts/map.lua")

-- Layout of the in-game console, in fractions of the screen height measured
-- from the top.
Console = {
	TextHeight = 0.35,       -- the newest history line ends here; older ones stack above
	PromptPos = 0.4,         -- top of the line being typed
	BackgroundHeight = 0.45, -- the background image reaches down to here
}

-- The game's start-up, language and screenshot functions.
dofile("scripts/game.lua")

-- The rooms of the temples, the player's progress and the questions asked.
dofile("scripts/rooms.lua")

-- The screens: OnInitUI() puts up the first one.
dofile("scripts/screens.lua")

-- The end of a room: its summary, the defeat and what follows.
dofile("scripts/level_end.lua")

-- The map, the picture puzzle and the credits.
dofile("scripts/map.lua")

-- The scarab race: its bet and payout.
dofile("scripts/race.lua")

-- The level editor's panels and keys.
dofile("scripts/editor.lua")
-- The scarab race: its bet and payout.
dofile("scripts/race.lua")

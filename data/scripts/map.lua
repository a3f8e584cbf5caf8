-- The map of the temples, the picture puzzle and the credits: their entry
-- points, and the ways to the map from the title and after a room.

-- The title's Play: the map, with a profile to keep the player's progress;
-- a new player gets the hints.
function OpenMap()
	if GetRMS():GetProfileC() == 0 and GetRMS():AddProfile("Player", "english", "") then
		SetHintEnabled(true)
	end
	GoState("map", 0.3)
end

-- Each time the map is entered: the first visit shows where to begin.
function OnEnterMap()
	local map = GetUIMan():GetPanel("map")
	local temple = map and map:GetWidgetByName("temple_1")
	if temple then TriggerHintWidget("FIRST_TEMPLE", temple) end
end

-- Run as the map and the puzzle are left: their result panels go with them.
function OnExitGeneric()
	for _, name in ipairs({ "puzzle_summary", "puzzle_lost" }) do
		local panel = GetUIMan():GetPanel(name)
		if panel then panel:SetIsVisible(false) end
	end
end

-- A temple's button: the first temple starts at its first room.
function PlayTemple(number)
	if number == 1 then PlayFirstRoom() end
end

-- The puzzle, on one of its pictures in turn.
PuzzlePictures = { "img/puzzle_pyramids.jpg", "img/puzzle_scarab.jpg" }
PuzzleCount = PuzzleCount or 0

function OpenPuzzle()
	PuzzleCount = PuzzleCount % #PuzzlePictures + 1
	SetMiniGameImage(PuzzlePictures[PuzzleCount])
	GoState("minigame", 0.3)
end

function OnEnterMinigame()
	LOG("puzzle: dealt")
end

-- Shows one of the puzzle's result panels in front.
local function ShowResult(file)
	local panel = GetUIMan():AddPanel(file)
	if panel then
		panel:SetIsVisible(true)
		GetUIMan():PushPanelToFront(panel)
	end
	return panel
end

-- The picture is whole; the game fills in the time once this has run.
function WonPuzzle(grade)
	local panel = ShowResult("ui/puzzle_summary.ui")
	local text = panel and panel:GetWidgetByName("Grade")
	if text then text:SetText(string.rep("*", grade)) end
end

-- (sic) The name the game calls when the sand has run out.
function LoosePuzzle()
	ShowResult("ui/puzzle_lost.ui")
end

-- The same picture dealt anew.
function RetryPuzzle()
	OnExitGeneric()
	GoState("minigame", 0.3)
end

function OnEnterCredits()
	LOG("credits: rolling")
end

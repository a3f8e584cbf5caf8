-- The end of a room. The board grades a won room, shows its summary and
-- calls LevelWasWon (ShadyWasWon on a room with the rival) with the grade;
-- the rival reaching the exit first calls OnGameLose and shows the defeat
-- panel. CONTINUE on either panel calls StartArcade, or DefeatShady after
-- beating the rival.

-- The summary panel is loaded once, hidden: the board shows it at the end.
function LoadLevelEndPanels()
	local summary = GetUIMan():AddPanel("ui/score_summary.ui")
	if summary then summary:SetIsVisible(false) end
end

-- The room being played; the screen that starts a room sets it.
CurrentRoom = CurrentRoom or 0

-- Gold for a won room, by its grade: enough for the race's smallest bet
-- after any win, and twice as much for beating the rival.
RoomGoldByGrade = { 50, 60, 75, 100, 150 }
RivalGoldFactor = 2

local function AwardRoomGold(grade, factor)
	local gold = (RoomGoldByGrade[math.max(1, math.min(grade, #RoomGoldByGrade))] or 0) * factor
	SetGold(GetGold() + gold)
	LOG("game: " .. gold .. " gold for the room")
end

function LevelWasWon(grade)
	LOG("game: room " .. CurrentRoom .. " won with grade " .. grade)
	AwardRoomGold(grade, 1)
	RoomWon(grade)
	AwaitRoomTally()
end

function ShadyWasWon(grade)
	LOG("game: room " .. CurrentRoom .. " won against the rival with grade " .. grade)
	AwardRoomGold(grade, RivalGoldFactor)
	RoomWon(grade)
	AwaitRoomTally()
end

function OnGameLose()
	LOG("game: room " .. CurrentRoom .. " lost to the rival")
	RoomLost()
end

-- Leaves the finished room for the map, where the rooms are chosen. The
-- summary's CONTINUE runs this as it is pressed: the room stays a moment, so
-- that the press's release does not land on a map button under the pointer.
LeaveRoomDelay = 0.3

function StartArcade()
	if LeavingRoom then return end
	LeavingRoom = true
	DelayScript("LeaveRoom()", LeaveRoomDelay)
end

function LeaveRoom()
	LeavingRoom = nil
	local game = GetGame and GetGame()
	if game then game:ShutdownLevel() end
	JumpState("map")
end

-- After a room won against the rival.
function DefeatShady()
	LOG("game: the rival is beaten")
	StartArcade()
end

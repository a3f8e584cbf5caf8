-- The rooms of the two temples and the player's way through them: the
-- profile asked for on the first start, the rooms the map offers, what a won
-- or lost room leaves behind, and the panels that ask the player something.

-- The rooms in the order they open; a room's level index (SetLevelID, the
-- record store's level) is its place in the list counted from 0.
Rooms = {
	{ File = "level/temple_1_level_1.lua", Temple = 1 },
	{ File = "level/temple_1_level_2.lua", Temple = 1 },
	{ File = "level/temple_1_level_3.lua", Temple = 1 },
	{ File = "level/temple_1_level_4.lua", Temple = 1 },
	{ File = "level/temple_1_level_5.lua", Temple = 1 },
	{ File = "level/temple_2_level_1.lua", Temple = 2 },
	{ File = "level/temple_2_level_2.lua", Temple = 2 },
	{ File = "level/temple_2_level_3.lua", Temple = 2 },
}

-- What the map asks once it is entered after a room: nil, "retry" or
-- "puzzle".
AfterRoom = AfterRoom or nil

local function Panel(name, file)
	local ui = GetUIMan()
	return ui:GetPanel(name) or (file and ui:AddPanel(file))
end

local function ShowInFront(panel)
	if not panel then return end
	panel:SetIsVisible(true)
	GetUIMan():PushPanelToFront(panel)
end

local function Hide(name)
	local panel = GetUIMan():GetPanel(name)
	if panel then panel:SetIsVisible(false) end
end

-- The panels the playing state hides when it resumes: loaded hidden, once.
function LoadDialogPanels()
	for _, name in ipairs({ "profile", "yesno", "settings" }) do
		local panel = Panel(name, "ui/" .. name .. ".ui")
		if panel then panel:SetIsVisible(false) end
	end
end

-- The first room is always open; the others once the room before is won.
function IsRoomOpen(index)
	local rms = GetRMS()
	return index == 0 or (rms ~= nil and rms:GetProfileC() > 0 and rms:IsOpen(index) > 0)
end

function IsTempleOpen(temple)
	return temple == 1 or TempleOpen(temple)
end

-- Plays a room by its level index.
function PlayRoom(index)
	local room = Rooms[index + 1]
	local game = GetGame()
	if not room or not game or not IsRoomOpen(index) or not IsTempleOpen(room.Temple) then return end
	CurrentRoom = index
	game:LoadLevel(room.File)
	game:SetLevelID(index)
	JumpState("game")
end

-- A temple's button: its first open room not yet cleared, else its first.
function PlayTempleRoom(temple)
	local first
	for index, room in ipairs(Rooms) do
		if room.Temple == temple then
			first = first or index - 1
			if IsRoomOpen(index - 1) and not GetRMS():IsCleared(index - 1) then
				PlayRoom(index - 1)
				return
			end
		end
	end
	if first then PlayRoom(first) end
end

-- The map's room buttons: each open room shows its number and the stars of
-- its best grade, at most five whatever the record store holds.
MaxRoomStars = 5

function ShowMapRooms()
	local map = GetUIMan():GetPanel("map")
	if not map then return end
	local rms = GetRMS()
	for index, room in ipairs(Rooms) do
		local button = map:GetWidgetByName("room_" .. index)
		if button then
			local open = IsRoomOpen(index - 1) and IsTempleOpen(room.Temple)
			button:SetIsVisible(open)
			local grade = (open and rms:GetProfileC() > 0) and math.min(rms:GetRank(index - 1), MaxRoomStars) or 0
			button:SetText(tostring(index) .. (grade > 0 and " " .. string.rep("*", grade) or ""))
		end
	end
end

-- A room won: its best grade stays, the next room opens, and the first
-- temple cleared opens the second and offers the picture puzzle.
function RoomWon(grade)
	local rms = GetRMS()
	if not rms or rms:GetProfileC() == 0 then return end
	if grade > rms:GetRank(CurrentRoom) then rms:SetRank(CurrentRoom, grade) end
	rms:SetOpen(CurrentRoom, 2)
	local nextRoom = Rooms[CurrentRoom + 2]
	if nextRoom and rms:IsOpen(CurrentRoom + 1) == 0 then rms:SetOpen(CurrentRoom + 1, 1) end
	SetClearedRooms(math.max(GetClearedRooms(), CurrentRoom + 1))
	if nextRoom and nextRoom.Temple ~= Rooms[CurrentRoom + 1].Temple and not TempleOpen(nextRoom.Temple) then
		SetTempleOpen(nextRoom.Temple, true)
		AfterRoom = "puzzle"
	end
	rms:Save()
end

-- The summary counts the won room's score up: its total starts counting
-- after five seconds and takes five more. CONTINUE waits until the total
-- stands, so the score kept is the whole of it.
SummaryTallySeconds = 10.25
RoomTallies = RoomTallies or 0

local function SummaryContinue()
	local summary = GetUIMan():GetPanel("score_summary")
	return summary, summary and summary:GetWidgetByName("CONTINUE")
end

function AwaitRoomTally()
	local _, continue = SummaryContinue()
	if continue then continue:SetIsVisible(false) end
	RoomTallies = RoomTallies + 1
	DelayScript("RoomTallied(" .. RoomTallies .. ")", SummaryTallySeconds)
end

-- A tally of a room since left, or replayed, is no longer shown.
function RoomTallied(tally)
	if tally ~= RoomTallies then return end
	local summary, continue = SummaryContinue()
	if not summary or not summary:GetIsVisible() then return end
	KeepRoomScore(summary)
	if continue then continue:SetIsVisible(true) end
end

-- The won room's total, as its summary shows it, kept when it is the best.
function KeepRoomScore(summary)
	local final = summary:GetWidgetByName("Score_FINAL")
	local score = final and tonumber((final:GetText():gsub("[^%d]", "")))
	local rms = GetRMS()
	if not score or not rms or rms:GetProfileC() == 0 then return end
	if score > rms:GetScore(CurrentRoom) then rms:SetScore(CurrentRoom, score) end
	SetScore(GetScore() + score)
	rms:Save()
end

function RoomLost()
	AfterRoom = "retry"
end

-- Once on the map after a room: what the room left to ask.
function AskAfterRoom()
	local question = AfterRoom
	AfterRoom = nil
	if question == "retry" then
		AskYesNo("The rival got there first. Try the room again?", "PlayRoom(CurrentRoom)", "")
	elseif question == "puzzle" then
		AskYesNo("The second temple is open! Play the picture puzzle first?", "OpenPuzzle()", "")
	end
end

-- The question panel: the text and what each answer runs.
YesNoAnswers = YesNoAnswers or {}

function AskYesNo(question, onYes, onNo)
	local panel = Panel("yesno", "ui/yesno.ui")
	if not panel then return end
	local text = panel:GetWidgetByName("question")
	if text then text:SetText(question) end
	YesNoAnswers = { [true] = onYes, [false] = onNo }
	ShowInFront(panel)
end

function AnswerYesNo(yes)
	Hide("yesno")
	local answer = YesNoAnswers[yes]
	YesNoAnswers = {}
	if answer and answer ~= "" then
		load(answer)()
	end
end

-- The first start: the name the progress is kept under.
function AskProfile()
	local panel = Panel("profile", "ui/profile.ui")
	if not panel then return false end
	ShowInFront(panel)
	return true
end

-- A name as a profile keeps it: without the spaces around it, at most 24
-- characters.
function ProfileName(text)
	return ((text or ""):gsub("^%s+", ""):gsub("%s+$", "")):sub(1, 24)
end

-- The profile of that name becomes the current one; a name not kept yet
-- gets a new profile, hints on and the first room open. False when the
-- store has no room for another.
function UseProfile(name)
	local rms = GetRMS()
	for index = 0, rms:GetProfileC() - 1 do
		if rms:GetNameFromID(index) == name then
			rms:SetProfile(index)
			rms:Save()
			return true
		end
	end
	if not rms:AddProfile(name, "english", "") then return false end
	SetHintEnabled(true)
	rms:SetOpen(0, 1)
	rms:Save()
	return true
end

-- The name given (or a plain one) for the first profile; then the map.
function CreateProfile()
	local panel = GetUIMan():GetPanel("profile")
	local box = panel and panel:GetWidgetByName("name")
	local name = ProfileName(box and box:GetText())
	if name == "" then name = "Explorer" end
	UseProfile(name)
	Hide("profile")
	GoState("map", 0.3)
end

-- The pause panel's Settings: the volumes and the hints as they stand.
function OpenSettings()
	local panel = Panel("settings", "ui/settings.ui")
	if not panel then return end
	local music = panel:GetSliderByName("music_volume")
	if music then music:SetSlider(GetAudio():GetMusicVolume() / 100) end
	local sound = panel:GetSliderByName("sound_volume")
	if sound then sound:SetSlider(GetAudio():GetSFXVolume() / 100) end
	local hints = panel:GetCheckBoxByName("hints")
	if hints then hints:SetChecked(IsHintEnabled()) end
	ShowInFront(panel)
end

local function SettingsVolume(name)
	local panel = GetUIMan():GetPanel("settings")
	local slider = panel and panel:GetSliderByName(name)
	return slider and math.floor(slider:GetSlider() * 100 + 0.5)
end

function OnSettingsMusicSlid()
	local volume = SettingsVolume("music_volume")
	if not volume then return end
	GetAudio():SetMusicVolume(volume)
	GetRMS():SetMusicVolume(volume)
end

function OnSettingsSoundSlid()
	local volume = SettingsVolume("sound_volume")
	if not volume then return end
	GetAudio():SetSFXVolume(volume)
	GetRMS():SetSoundVolume(volume)
	StartPlayTestSound()
end

function OnSettingsHintsChecked()
	local panel = GetUIMan():GetPanel("settings")
	local hints = panel and panel:GetCheckBoxByName("hints")
	if hints then SetHintEnabled(hints:IsChecked()) end
end

function CloseSettings()
	Hide("settings")
	GetRMS():Save()
end

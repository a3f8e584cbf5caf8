-- The scarab race: the map's Race button, the bet taken from the gold before
-- the start and paid out by the grade the place earned. The board keeps the
-- bet only to show it on the summary.

RaceTrack = "level/race_1.lua"
-- The bets the betting panel offers, and what each grade pays back for
-- every piece of gold bet: first place trebles it, second doubles it, third
-- returns it.
RaceBets = { 0, 50, 100, 250 }
RacePayout = { [5] = 3, [4] = 2, [3] = 1 }
-- Gold for the place itself, bet or not.
RacePrizeGold = { [5] = 100, [4] = 50, [3] = 25 }
RaceBet = 0

-- The map's Race button. The lights are listed before the race's HUD starts.
function PlayRace()
	local game = GetGame()
	if not game then return end
	local lights = GetUIMan():AddPanel("ui/race_start.ui")
	if lights then lights:SetIsVisible(false) end
	game:LoadRace(RaceTrack)
	JumpState("game")
end

function OnRaceStart()
	LOG("race: on the line")
end

-- The HUD is up: the bet starts at nothing and the panel shows the gold.
function SetupBetting()
	SetRaceBet(0)
end

local function BettingText(name, text)
	local panel = GetUIMan():GetPanel("betting")
	local widget = panel and panel:GetWidgetByName(name)
	if widget then widget:SetText(text) end
end

-- A bet button: the bet, never more than the gold there is.
function SetRaceBet(amount)
	RaceBet = math.max(0, math.min(amount, GetGold()))
	local game = GetGame()
	if game then game:SetRaceBet(RaceBet) end
	BettingText("GOLD", tostring(GetGold()))
	BettingText("BET", tostring(RaceBet))
end

-- Start: the bet leaves the gold and the countdown begins.
function StartRace()
	SetGold(GetGold() - RaceBet)
	local game = GetGame()
	if game then game:StartRace() end
end

function EndRaceTimer()
	LOG("race: go")
end

-- The result: the payout by grade and the place's prize go to the gold.
function WinRace(grade)
	local won = RaceBet * (RacePayout[grade] or 0)
	local prize = RacePrizeGold[grade] or 0
	SetGold(GetGold() + won + prize)
	LOG("race: finished with grade " .. grade .. ", " .. won .. " gold back and " .. prize .. " gold won")
	RaceBet = 0
end

-- The summary's Continue: the race's panels go with it, back to the map.
function EndRace()
	for _, name in ipairs({ "race", "betting", "race_start", "race_summary" }) do
		local panel = GetUIMan():GetPanel(name)
		if panel then panel:SetIsVisible(false) end
	end
	StartArcade()
end

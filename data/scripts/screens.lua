-- The game's screens. OnInitUI() runs once the game's states exist: it adds
-- the scripted screens and enters the first of them.
function OnInitUI()
	AddGameScreen("title", "ui/title.ui", "OnEnterTitle()", "")
	AddGameScreen("options", "ui/options.ui", "", "")
	AddGameScreen("movie", "ui/movie.ui", "", "")
	JumpState("title")
end

-- The title panel slides down from above the screen into place each time the
-- title screen is entered.
function OnEnterTitle()
	local title = GetUIMan():GetPanel("title")
	if title then
		AddUIMove(title, 0.2, 0.8, Vec4(0.1, -0.9, 0.1, 0.1), "print('title: in place')")
	end
	DelayScript("LOG('title: settled')", 1)
end

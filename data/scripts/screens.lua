-- The game's screens. OnInitUI() runs once the game's states exist.

-- The title panel slides down from above the screen into place.
function OnInitUI()
	local title = GetUIMan():AddPanel("ui/title.ui")
	if title then
		AddUIMove(title, 0.2, 0.8, Vec4(0.1, -0.9, 0.1, 0.1), "print('title: in place')")
	end
end

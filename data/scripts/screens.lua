-- The game's screens. OnInitUI() runs once the game's states exist: it adds
-- the scripted screens and enters the first of them.
function OnInitUI()
	AddGameScreen("title", "ui/title.ui", "OnEnterTitle()", "")
	AddGameScreen("options", "ui/options.ui", "OnEnterOptions()", "")
	AddGameScreen("movie", "ui/movie.ui", "", "")
	LoadLevelEndPanels()
	LoadDialogPanels()
	-- Listed before the map's first visit, hidden until a hint opens.
	local hintBackdrop = GetUIMan():AddPanel("ui/hint_bg.ui")
	if hintBackdrop then hintBackdrop:SetIsVisible(false) end
	JumpState("title")
end

-- The title panel slides down from above the screen into place each time the
-- title screen is entered. A move applies nothing while it waits out its
-- delay, so the panel is put at the start first.
function OnEnterTitle()
	local title = GetUIMan():GetPanel("title")
	if title then
		title:SetPosition(Vec2(0.1, -0.9))
		AddUIMove(title, 0.2, 0.8, Vec4(0.1, -0.9, 0.1, 0.1), "print('title: in place')")
	end
	DelayScript("LOG('title: settled')", 1)
	ShowTitleName()
end

-- The title's name box shows the current profile's name.
local function TitleNameBox()
	local title = GetUIMan():GetPanel("title")
	return title and title:GetWidgetByName("name_box")
end

function ShowTitleName()
	local box = TitleNameBox()
	if box then box:SetText(GetRMS():GetName()) end
end

-- A name entered there: that player's profile, or a new one, becomes the
-- current one. An empty name changes nothing.
function TitleNameEntered()
	local box = TitleNameBox()
	local name = ProfileName(box and box:GetText())
	if name ~= "" and not UseProfile(name) then LOG("title: no room for another profile") end
	ShowTitleName()
end

-- The options screen shows the settings as they stand: the volumes (0 to 100,
-- 0 to 1 on the sliders) and the display mode.
local function OptionsWidget(getter, name)
	local options = GetUIMan():GetPanel("options")
	return options and options[getter](options, name)
end

-- A volume's bar beside its slider shows the level, 0 to 100.
local function ShowLevel(name, volume)
	local bar = OptionsWidget("GetProgressByName", name)
	if bar then bar:SetProgress(volume / 100) end
end

function OnEnterOptions()
	local musicVolume, soundVolume = GetAudio():GetMusicVolume(), GetAudio():GetSFXVolume()
	local music = OptionsWidget("GetSliderByName", "music_volume")
	if music then music:SetSlider(musicVolume / 100) end
	ShowLevel("music_level", musicVolume)
	local sound = OptionsWidget("GetSliderByName", "sound_volume")
	if sound then sound:SetSlider(soundVolume / 100) end
	ShowLevel("sound_level", soundVolume)
	local fullScreen = OptionsWidget("GetCheckBoxByName", "full_screen")
	if fullScreen then fullScreen:SetChecked(IsFullscreenMode()) end
	local language = OptionsWidget("GetDropDownByName", "language")
	if language then language:SetCurrentOptionFromText(LanguageTitle(GetRMS():GetLanguage())) end
end

-- A volume set on its slider, applied at once and kept in the record store;
-- nil without the slider.
local function SlidVolume(name)
	local slider = OptionsWidget("GetSliderByName", name)
	return slider and math.floor(slider:GetSlider() * 100 + 0.5)
end

function OnMusicVolumeSlid()
	local volume = SlidVolume("music_volume")
	if not volume then return end
	GetAudio():SetMusicVolume(volume)
	GetRMS():SetMusicVolume(volume)
	ShowLevel("music_level", volume)
end

function OnSoundVolumeSlid()
	local volume = SlidVolume("sound_volume")
	if not volume then return end
	GetAudio():SetSFXVolume(volume)
	GetRMS():SetSoundVolume(volume)
	ShowLevel("sound_level", volume)
	-- Heard at the new level, at most once in a while however long the slide.
	StartPlayTestSound()
end

-- The box asks for a mode, then shows the one the game has: a switch the
-- display refuses leaves the game windowed.
function OnFullScreenChecked()
	local box = OptionsWidget("GetCheckBoxByName", "full_screen")
	if not box then return end
	if box:IsChecked() then FullScreenMode() else WindowedMode() end
	box:SetChecked(IsFullscreenMode())
end

-- The languages are listed by their titles ("English"); the profile and the
-- locale keep their names ("english").
function LanguageTitle(language)
	if language == nil or language == "" then language = "english" end
	return language:sub(1, 1):upper() .. language:sub(2)
end

function OnLanguageChosen()
	local list = OptionsWidget("GetDropDownByName", "language")
	if not list then return end
	local language = list:GetOriginalSelectedText():lower()
	SetupLanguage(language)
	GetRMS():SetLanguage(language)
end

-- The first room of the first temple, from its button on the map.
function PlayFirstRoom()
	PlayRoom(0)
end

-- Each time the playing state is entered, once its board and panels are up.
function OnEnterGame()
	LOG("game: entered")
end

-- A room's board has started: its floor, blocks and music are in place.
function OnLevelStart()
	LOG("game: room started")
end

-- The pause panel's way out: the room is given up and the title comes back.
function QuitRoom()
	local game = GetGame()
	if game then game:ShutdownLevel() end
	JumpState("title")
end

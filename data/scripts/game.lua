-- What the engine asks of the game's scripts while it starts, and the
-- screenshot keys. ReloadGame runs this file again, so it only defines.

-- Once the console and the engine's script functions are up.
function OnStartUp()
	LOG("Game scripts started")
end

-- The profile's language: its fonts follow from the locale, its texts from
-- its string table.
function SetupLanguage(language)
	SetLocale(language)
	LoadLanguage("lang/" .. language .. ".lang")
end

-- Reads the game's scripts again, so that edits show without a restart.
-- Start-up runs it twice; each run only defines the same functions anew.
function ReloadGame()
	dofile("scripts/game.lua")
end

-- F2 saves the screen, F3 a half-size copy, beside the game's files. The
-- running number keeps two shots of the same second apart.
ScreenshotCount = ScreenshotCount or 0

local function ScreenshotName(kind)
	ScreenshotCount = ScreenshotCount + 1
	return string.format("%s_%s_%03d", kind, os.date("%Y%m%d_%H%M%S"), ScreenshotCount)
end

function CaptureAutoScreenshot()
	TakeScreenshot(ScreenshotName("screenshot"), false)
end

function CaptureMiniScreenshot()
	TakeScreenshot(ScreenshotName("mini_screenshot"), true)
end

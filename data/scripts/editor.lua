-- The level editor's scripts: its panels, the tool panel each number key
-- shows, and the buttons of its main panel.

-- The tool panels "editor_2" to "editor_13", shown one at a time.
local FIRST_TOOL, LAST_TOOL = 2, 13

local function ShowToolPanel(index)
	local ui = GetUIMan()
	for i = FIRST_TOOL, LAST_TOOL do
		local panel = ui:GetPanel("editor_" .. i)
		if panel then panel:SetIsVisible(i == index) end
	end
	local shown = ui:GetPanel("editor_" .. index)
	local title = shown and shown:GetWidgetByName("title")
	local main = ui:GetPanel("editor")
	local entry = main and main:GetWidgetByName("CurrentEntry")
	if entry and title then entry:SetText(title:GetText()) end
end

-- The playing state was entered with the editor's board.
function EditorStart()
	LOG("editor: started")
	ShowToolPanel(FIRST_TOOL)
end

-- Keys 1 to 12 show the tool panels in their order.
for key = 1, LAST_TOOL - FIRST_TOOL + 1 do
	_G["EditorKey" .. key] = function() ShowToolPanel(key + 1) end
end

local function EditorWidget(panel, name, getter)
	local shown = GetUIMan():GetPanel(panel)
	return shown and shown[getter](shown, name)
end

function EditorModeChosen()
	local list = EditorWidget("editor", "ModeDrop", "GetDropDownByName")
	if list then GetGame():SetEditorCurrentMode(list:GetOriginalSelectedText()) end
end

function EditorColourChecked(colour)
	local box = EditorWidget("editor_3", "check_" .. colour, "GetCheckBoxByName")
	if box then GetGame():SetEditorColor(colour, box:IsChecked()) end
end

function EditorSnapChecked()
	local box = EditorWidget("editor_12", "snap", "GetCheckBoxByName")
	if box then GetGame():SetupGrid(box:IsChecked(), 1) end
end

function EditorRepeatChecked()
	local box = EditorWidget("editor_12", "repeat", "GetCheckBoxByName")
	if box then GetGame():SetAutoTrigger(box:IsChecked()) end
end

function EditorSave()
	local file = GetScript():GetSaveFile("")
	if file ~= "" then GetGame():SaveWell(file) end
end

-- A level loaded into a new editor board; the state is entered again so
-- that the new board sets up its panels.
function EditorLoad()
	local file = GetScript():GetOpenFile("Load a level")
	if file == "" then return end
	GetGame():LoadEditor(file)
	JumpState("game")
end

-- The colours the shipped rooms play with: a new level starts with these
-- switched on and every other colour off.
EditorColours = { "blue", "green", "red", "yellow", "violet", "orange" }
-- The colours that have a switch, in their order.
local SWITCHED_COLOURS = {
	"blue", "green", "red", "yellow", "purple", "black", "turqoise", "orange", "pink", "violet", "cyan", "white",
	"generic1", "generic2", "generic3", "generic4", "generic5", "generic6",
	"generic7", "generic8", "generic9", "generic10", "generic11", "generic12",
}

-- An empty board of the editor, from the title's Editor or the editor's New.
function EditorNew()
	local game = GetGame()
	local used = {}
	for _, colour in ipairs(EditorColours) do used[colour] = true end
	for _, colour in ipairs(SWITCHED_COLOURS) do game:SetEditorColor(colour, used[colour] == true) end
	game:StartEditor()
	JumpState("game")
end

function EditorBack()
	GetGame():ShutdownLevel()
	JumpState("title")
end

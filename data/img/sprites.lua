-- The board's animations. Each entry is a strip of equally wide frames side
-- by side in one image; FrameTime is the rate in frames per second.
Sprites = {
  { Name = "gem_spin", ImageFile = "img/gem_spin.png", SpriteC = 4, FrameTime = 8 },
  { Name = "scarab_walk_right", ImageFile = "img/scarab_walk.png", SpriteC = 4, FrameTime = 10 },
  -- The same strip mirrored: the scarab walks to the left.
  { Name = "scarab_walk_left", ImageFile = "img/scarab_walk.png", SpriteC = 4, FrameTime = 10, FlipU = 1 },
  -- The board's effects, played once per start (tools/images/board_effects.sh).
  { Name = "Effect_Overlay_Sparkly", ImageFile = "img/effect_sparkly.png", SpriteC = 8, FrameTime = 16 },
  { Name = "Effect_Overlay_Shatter", ImageFile = "img/effect_shatter.png", SpriteC = 8, FrameTime = 16 },
  { Name = "Effect_Overlay_Lightning", ImageFile = "img/effect_lightning.png", SpriteC = 6, FrameTime = 15 },
  { Name = "Effect_Overlay_power", ImageFile = "img/effect_power.png", SpriteC = 8, FrameTime = 12 },
  { Name = "swirl", ImageFile = "img/effect_swirl.png", SpriteC = 8, FrameTime = 10 },
  { Name = "scarab_swap", ImageFile = "img/effect_scarab_swap.png", SpriteC = 8, FrameTime = 16 },
  -- The glow over each cell an armed power would act on.
  { Name = "Effect_Overlay_Shadow", ImageFile = "img/effect_shadow.png", SpriteC = 1, FrameTime = 1 },
  -- A coin of a gold flight, spinning as it flies.
  { Name = "gold_spin", ImageFile = "img/gold_spin.png", SpriteC = 8, FrameTime = 12 },
  -- The floor tiles under the board (one frame each), the web over a cell,
  -- and the flips a tile plays once when a match wears it down.
  { Name = "Tile_Normal_Metal", ImageFile = "img/tile_metal.png", SpriteC = 1, FrameTime = 1 },
  { Name = "Tile_Normal_Sand1", ImageFile = "img/tile_sand1.png", SpriteC = 1, FrameTime = 1 },
  { Name = "Tile_Normal_Sand2", ImageFile = "img/tile_sand2.png", SpriteC = 1, FrameTime = 1 },
  { Name = "Tile_Normal_Sand3", ImageFile = "img/tile_sand3.png", SpriteC = 1, FrameTime = 1 },
  { Name = "Tile_Crack_Sand1", ImageFile = "img/tile_crack_sand1.png", SpriteC = 1, FrameTime = 1 },
  { Name = "Tile_Crack_Sand2", ImageFile = "img/tile_crack_sand2.png", SpriteC = 1, FrameTime = 1 },
  { Name = "Tile_Crack_Sand3", ImageFile = "img/tile_crack_sand3.png", SpriteC = 1, FrameTime = 1 },
  { Name = "Tile_Normal_Gold", ImageFile = "img/tile_gold.png", SpriteC = 1, FrameTime = 1 },
  { Name = "tile_edit_only", ImageFile = "img/tile_edit_only.png", SpriteC = 1, FrameTime = 1 },
  -- The editor's mark of a cell without floor (tools/images/board_editor.sh).
  { Name = "Tile_None", ImageFile = "img/tile_none.png", SpriteC = 1, FrameTime = 1 },
  { Name = "Tile_Flip_Metal", ImageFile = "img/tile_flip_metal.png", SpriteC = 6, FrameTime = 20 },
  { Name = "Tile_Flip_Sand", ImageFile = "img/tile_flip_sand.png", SpriteC = 6, FrameTime = 20 },
  { Name = "Tile_Flip_Crack", ImageFile = "img/tile_flip_crack.png", SpriteC = 6, FrameTime = 20 },
  { Name = "Tile_Flip_Gold", ImageFile = "img/tile_flip_gold.png", SpriteC = 6, FrameTime = 20 },
  { Name = "spiderweb", ImageFile = "img/spiderweb.png", SpriteC = 1, FrameTime = 1 },
  -- The HUD's power icons and count badges, and the help box's corner marks
  -- and mouse icons (tools/images/board_hud.sh).
  { Name = "1_off", ImageFile = "img/hud/1_off.png", SpriteC = 1, FrameTime = 1 },
  { Name = "2_off", ImageFile = "img/hud/2_off.png", SpriteC = 1, FrameTime = 1 },
  { Name = "3_off", ImageFile = "img/hud/3_off.png", SpriteC = 1, FrameTime = 1 },
  { Name = "4_off", ImageFile = "img/hud/4_off.png", SpriteC = 1, FrameTime = 1 },
  { Name = "5_off", ImageFile = "img/hud/5_off.png", SpriteC = 1, FrameTime = 1 },
  { Name = "6_off", ImageFile = "img/hud/6_off.png", SpriteC = 1, FrameTime = 1 },
  { Name = "7_off", ImageFile = "img/hud/7_off.png", SpriteC = 1, FrameTime = 1 },
  { Name = "8_off", ImageFile = "img/hud/8_off.png", SpriteC = 1, FrameTime = 1 },
  { Name = "9_off", ImageFile = "img/hud/9_off.png", SpriteC = 1, FrameTime = 1 },
  { Name = "power_1", ImageFile = "img/hud/power_1.png", SpriteC = 1, FrameTime = 1 },
  { Name = "power_2", ImageFile = "img/hud/power_2.png", SpriteC = 1, FrameTime = 1 },
  { Name = "power_3", ImageFile = "img/hud/power_3.png", SpriteC = 1, FrameTime = 1 },
  { Name = "power_4", ImageFile = "img/hud/power_4.png", SpriteC = 1, FrameTime = 1 },
  { Name = "power_5", ImageFile = "img/hud/power_5.png", SpriteC = 1, FrameTime = 1 },
  { Name = "power_6", ImageFile = "img/hud/power_6.png", SpriteC = 1, FrameTime = 1 },
  { Name = "power_7", ImageFile = "img/hud/power_7.png", SpriteC = 1, FrameTime = 1 },
  { Name = "power_8", ImageFile = "img/hud/power_8.png", SpriteC = 1, FrameTime = 1 },
  { Name = "power_9", ImageFile = "img/hud/power_9.png", SpriteC = 1, FrameTime = 1 },
  { Name = "help_tl", ImageFile = "img/hud/help_tl.png", SpriteC = 1, FrameTime = 1 },
  { Name = "help_bl", ImageFile = "img/hud/help_bl.png", SpriteC = 1, FrameTime = 1 },
  { Name = "help_tr", ImageFile = "img/hud/help_tr.png", SpriteC = 1, FrameTime = 1 },
  { Name = "help_br", ImageFile = "img/hud/help_br.png", SpriteC = 1, FrameTime = 1 },
  { Name = "left_mouse", ImageFile = "img/hud/left_mouse.png", SpriteC = 1, FrameTime = 1 },
  { Name = "right_mouse", ImageFile = "img/hud/right_mouse.png", SpriteC = 1, FrameTime = 1 },
}

-- The board's blocks (tools/images/board_blocks.sh). Tokens of every colour
-- the level files can name, standing and under the pointer; the board
-- changes a token's image at the end of a cycle, so a cycle is kept short.
local colours = { "blue", "green", "red", "yellow", "purple", "black", "turqoise", "orange", "pink", "violet",
                  "cyan", "white", "generic1", "generic2", "generic3", "generic4", "generic5", "generic6",
                  "generic7", "generic8", "generic9", "generic10", "generic11", "generic12" }
for _, colour in ipairs(colours) do
  for _, state in ipairs({ "stand", "selected" }) do
    local name = "token_" .. state .. "_" .. colour
    Sprites[#Sprites + 1] = { Name = name, ImageFile = "img/" .. name .. ".png", SpriteC = 8, FrameTime = 12 }
  end
end
for _, still in ipairs({
  { "Token_Rock", "img/token_rock.png" },
  { "random_block_none", "img/random_block.png" },
  { "Tomb_Closed", "img/tomb_closed.png" },
  { "Tomb_Opened", "img/tomb_opened.png" },
  { "subgoal_token", "img/subgoal_token.png" },
  { "subgoal", "img/subgoal.png" },
  { "milestone", "img/milestone.png" },
  { "startblock", "img/startblock.png" },
}) do
  Sprites[#Sprites + 1] = { Name = still[1], ImageFile = still[2], SpriteC = 1, FrameTime = 1 }
end
-- The tomb's slab sinking and rising.
Sprites[#Sprites + 1] = { Name = "Tomb_Opening", ImageFile = "img/tomb_opening.png", SpriteC = 6, FrameTime = 10 }
Sprites[#Sprites + 1] = { Name = "Tomb_Closing", ImageFile = "img/tomb_closing.png", SpriteC = 6, FrameTime = 10 }

-- The walkers and their nests (tools/images/board_walkers.sh): four frames
-- each; the cobra's right strike and the rival's left walk are mirrored.
for _, nest in ipairs({ "mummy_nest", "scorpion_nest", "spider_nest", "cobra_nest", "scarab_nest", "locust_nest" }) do
  Sprites[#Sprites + 1] = { Name = nest, ImageFile = "img/" .. nest .. ".png", SpriteC = 1, FrameTime = 1 }
end
local walkers = { "cobra_idle", "locust_fly", "spider_spin_left", "spider_spin_right" }
for _, way in ipairs({ "left", "right", "up", "down" }) do
  walkers[#walkers + 1] = "scorpion_walk_" .. way
  walkers[#walkers + 1] = "scorpion_attack_" .. way
  walkers[#walkers + 1] = "spider_" .. way
end
for _, name in ipairs(walkers) do
  Sprites[#Sprites + 1] = { Name = name, ImageFile = "img/" .. name .. ".png", SpriteC = 4, FrameTime = 8 }
end
for _, walker in ipairs({
  { "cobra_strike_left", "img/cobra_strike.png" },
  { "cobra_strike_right", "img/cobra_strike.png", 1 },
  { "Scarab_fly_Yellow", "img/scarab_fly_yellow.png" },
  { "Shady_Idle", "img/shady_idle.png" },
  { "Shady_Walk_left", "img/shady_walk_right.png", 1 },
  { "Shady_Walk_Right", "img/shady_walk_right.png" },
  { "Shady_Walk_Up", "img/shady_walk_up.png" },
  { "Shady_Walk_Down", "img/shady_walk_down.png" },
}) do
  Sprites[#Sprites + 1] = { Name = walker[1], ImageFile = walker[2], SpriteC = 4, FrameTime = 8, FlipU = walker[3] }
end
-- The mummy (tools/images/board_mummy.sh): frames of 64 x 64, one strip per
-- action and view, the left view mirrored from the right. It moves on at the
-- end of each cycle: a walk's cycle lasts as long as its step (1.5 s).
for _, action in ipairs({
  { "Appear", "appear", 8, 8 },
  { "Idle", "idle", 4, 4 },
  { "Walk", "walk", 6, 4 },
  { "Disappear", "disappear", 8, 8 },
  { "Magic", "magic", 8, 6 },
}) do
  for _, view in ipairs({ { "left", "right", 1 }, { "Right", "right" }, { "Up", "up" }, { "Down", "down" } }) do
    Sprites[#Sprites + 1] = { Name = "Mummy_" .. action[1] .. "_" .. view[1],
                              ImageFile = "img/mummy_" .. action[2] .. "_" .. view[2] .. ".png",
                              SpriteC = action[3], FrameTime = action[4], FlipU = view[3] }
  end
end
-- The explorer (tools/images/board_explorer.sh): frames of 64 x 64.
for _, walk in ipairs({
  { "Explorer_Idle", "img/explorer_idle.png", 4, 4 },
  { "Explorer_Walk_down", "img/explorer_walk_down.png", 4, 8 },
  { "Explorer_Walk_up", "img/explorer_walk_up.png", 4, 8 },
  { "Explorer_Walk_left", "img/explorer_walk_left.png", 4, 6 },
  { "Explorer_Walk_right", "img/explorer_walk_right.png", 4, 6 },
  { "explorer_power_left", "img/explorer_power_left.png", 6, 10 },
}) do
  Sprites[#Sprites + 1] = { Name = walk[1], ImageFile = walk[2], SpriteC = walk[3], FrameTime = walk[4] }
end
-- His route, a cell each. The board draws "Path_Horizontal" along the
-- route's vertical stretches and "Path_Vertical" along its horizontal ones.
for _, piece in ipairs({
  { "Path_Horizontal", "img/path_vertical_run.png" },
  { "Path_Vertical", "img/path_horizontal_run.png" },
  { "Path_Top_Left", "img/path_top_left.png" },
  { "Path_Top_Right", "img/path_top_right.png" },
  { "Path_Bottom_Left", "img/path_bottom_left.png" },
  { "Path_Bottom_Right", "img/path_bottom_right.png" },
  { "arrow_left", "img/arrow_left.png" },
  { "arrow_right", "img/arrow_right.png" },
  { "arrow_up", "img/arrow_up.png" },
  { "arrow_down", "img/arrow_down.png" },
}) do
  Sprites[#Sprites + 1] = { Name = piece[1], ImageFile = piece[2], SpriteC = 1, FrameTime = 1 }
end
-- The explorer's target, marked on the board and on the goal map.
Sprites[#Sprites + 1] = { Name = "Selected_Goal", ImageFile = "img/selected_goal.png", SpriteC = 4, FrameTime = 8 }
Sprites[#Sprites + 1] = { Name = "target_icon", ImageFile = "img/target_icon.png", SpriteC = 4, FrameTime = 4 }

-- The level editor's decorations (tools/images/board_editor.sh).
for _, decoration in ipairs({ "deco_palm", "deco_column", "deco_vase", "deco_torch" }) do
  Sprites[#Sprites + 1] = { Name = decoration, ImageFile = "img/" .. decoration .. ".png", SpriteC = 1, FrameTime = 1 }
end

-- The scarab race's racers (tools/images/game_race.sh): four frames each,
-- facing up. Names fold case: "Scarab_run_yellow" finds the player's strip.
for _, colour in ipairs({ "Yellow", "red", "green", "blue" }) do
  Sprites[#Sprites + 1] = { Name = "Scarab_run_" .. colour, ImageFile = "img/scarab_run_" .. string.lower(colour) .. ".png",
                            SpriteC = 4, FrameTime = 12 }
end
for _, colour in ipairs({ "red", "green", "blue" }) do
  Sprites[#Sprites + 1] = { Name = "Scarab_fly_" .. colour, ImageFile = "img/scarab_fly_" .. colour .. ".png",
                            SpriteC = 4, FrameTime = 8 }
end

-- The background a board shows before a room names its own: a new board's
-- background name is "random" (the level editor's empty board keeps it).
Sprites[#Sprites + 1] = { Name = "random", ImageFile = "img/Background_1.jpg", SpriteC = 1, FrameTime = 1 }

-- The sound sets: playing a set plays one of its files at random, at the
-- volume factor (Bias, 0.1 to 1) given for that file.
SoundBank = {
  -- The title theme, started once the game is up.
  { Name = "sounds/GameApp_start_music.ogg", Files = { "sounds/GameApp_start_music.ogg" } },

  -- Widgets and screens.
  { Name = "button_press", Files = { "sounds/button_press_a.wav", "sounds/button_press_b.wav" }, Bias = { 0.8, 0.8 } },
  -- Heard whenever the pointer crosses a button: kept soft.
  { Name = "button_rollover", Files = { "sounds/button_rollover.wav" }, Bias = { 0.35 } },
  -- Each key typed into a text box.
  { Name = "textbox_new_text", Files = { "sounds/textbox_key.wav" }, Bias = { 0.4 } },
  { Name = "screen_shift", Files = { "sounds/screen_shift.wav" }, Bias = { 0.6 } },

  -- The board.
  { Name = "select_A", Files = { "sounds/select_a.wav" }, Bias = { 0.7 } },
  { Name = "select_B", Files = { "sounds/select_b.wav" }, Bias = { 0.7 } },
  { Name = "swap", Files = { "sounds/swap.wav" }, Bias = { 0.6 } },
  { Name = "match3", Files = { "sounds/match3.wav" }, Bias = { 0.8 } },
  { Name = "match4", Files = { "sounds/match4.wav" }, Bias = { 0.9 } },
  { Name = "match5", Files = { "sounds/match5.wav" } },
  -- Two blocks swapping places.
  { Name = "block_switch", Files = { "sounds/swap.wav" }, Bias = { 0.6 } },
  -- A pass of runs, by its score: the more lines, the longer the climb.
  { Name = "block_clear_3", Files = { "sounds/block_clear_3.wav" }, Bias = { 0.8 } },
  { Name = "block_clear_4", Files = { "sounds/block_clear_4.wav" }, Bias = { 0.8 } },
  { Name = "block_clear_5", Files = { "sounds/block_clear_5.wav" }, Bias = { 0.85 } },
  { Name = "block_clear_6", Files = { "sounds/block_clear_6.wav" }, Bias = { 0.9 } },
  { Name = "block_clear_7", Files = { "sounds/block_clear_7.wav" } },
  -- The passes of a cascade, one higher for each link of the chain.
  { Name = "base_clear_3", Files = { "sounds/base_clear_3.wav" }, Bias = { 0.5 } },
  { Name = "base_clear_4", Files = { "sounds/base_clear_4.wav" }, Bias = { 0.55 } },
  { Name = "base_clear_5", Files = { "sounds/base_clear_5.wav" }, Bias = { 0.6 } },
  { Name = "base_clear_6", Files = { "sounds/base_clear_6.wav" }, Bias = { 0.65 } },
  { Name = "base_clear_7", Files = { "sounds/base_clear_7.wav" }, Bias = { 0.7 } },
  -- A token landing on another; at most one of each per logic step.
  { Name = "block_fall_1", Files = { "sounds/block_fall_1.wav" }, Bias = { 0.5 } },
  { Name = "block_fall_2", Files = { "sounds/block_fall_2.wav" }, Bias = { 0.5 } },
  -- A rock falling on the explorer's way breaks apart.
  { Name = "special 6", Files = { "sounds/rock_crumble.wav" }, Bias = { 0.8 } },
  -- The tokens appearing at the start of a level, and the flash's end.
  { Name = "START_FLASH", Files = { "sounds/start_flash.wav" }, Bias = { 0.8 } },
  { Name = "end_flash.ogg", Files = { "sounds/end_flash.wav" }, Bias = { 0.7 } },

  -- The critters coming out of their nests (the mummy's nest plays the
  -- spiders' set) and striking.
  { Name = "scorpian_appear", Files = { "sounds/scorpion_appear.wav" }, Bias = { 0.7 } },
  { Name = "scorpian_strike", Files = { "sounds/scorpion_strike.wav" }, Bias = { 0.8 } },
  { Name = "SPIDER_APPEAR", Files = { "sounds/spider_appear.wav" }, Bias = { 0.7 } },
  { Name = "SPIDER_STRIKE", Files = { "sounds/spider_strike.wav" }, Bias = { 0.6 } },
  { Name = "COBRA_APPEAR", Files = { "sounds/cobra_appear.wav" }, Bias = { 0.7 } },
  { Name = "cobra strike", Files = { "sounds/cobra_strike.wav" }, Bias = { 0.8 } },
  { Name = "SCARABs_APPEAR", Files = { "sounds/scarabs_appear.wav" }, Bias = { 0.5 } },
  { Name = "scarab strike", Files = { "sounds/scarab_strike.wav" }, Bias = { 0.6 } },
  { Name = "LOCUST_APPEAR", Files = { "sounds/locust_appear.wav" }, Bias = { 0.5 } },
  { Name = "LOCUST_STRIKE", Files = { "sounds/locust_strike.wav" }, Bias = { 0.7 } },

  -- Each starting light of the scarab race.
  { Name = "race countdown", Files = { "sounds/race_light.wav" }, Bias = { 0.8 } },

  -- The mummy rising, sinking away and casting its spell.
  { Name = "mummy_hi", Files = { "sounds/mummy_hi.wav" }, Bias = { 0.8 } },
  { Name = "mummy_bye", Files = { "sounds/mummy_bye.wav" }, Bias = { 0.8 } },
  { Name = "mummy_magic", Files = { "sounds/mummy_magic.wav" }, Bias = { 0.8 } },
  -- The powers, by number ("special 6", breaking rocks, is above).
  { Name = "special 1", Files = { "sounds/power_gild.wav" }, Bias = { 0.8 } },
  { Name = "special 2", Files = { "sounds/power_gild_area.wav" }, Bias = { 0.8 } },
  { Name = "special 3", Files = { "sounds/power_banish.wav" }, Bias = { 0.8 } },
  { Name = "special 4", Files = { "sounds/power_column.wav" }, Bias = { 0.8 } },
  { Name = "special 5", Files = { "sounds/power_row.wav" }, Bias = { 0.8 } },
  { Name = "special 7", Files = { "sounds/power_colour.wav" }, Bias = { 0.8 } },
  { Name = "special 8", Files = { "sounds/power_spray.wav" }, Bias = { 0.7 } },
  { Name = "special 9", Files = { "sounds/power_unweb.wav" }, Bias = { 0.8 } },
  -- The help box: a hint opening and going, the box unrolling and rolling up.
  { Name = "hint_up", Files = { "sounds/hint_up.wav" }, Bias = { 0.7 } },
  { Name = "hint_down", Files = { "sounds/hint_down.wav" }, Bias = { 0.6 } },
  { Name = "help_open", Files = { "sounds/help_open.wav" }, Bias = { 0.5 } },
  { Name = "help_close", Files = { "sounds/help_close.wav" }, Bias = { 0.5 } },

  -- The explorer reaching the target he was sent to and a treasure found
  -- (each star of a won room's summary lights with "scarab strike").
  { Name = "block_select", Files = { "sounds/block_select.ogg" }, Bias = { 0.7 } },
  { Name = "FOUND_TREASURE", Files = { "sounds/treasure_found.wav" }, Bias = { 0.9 } },

  -- The picture puzzle: a token landing after the opening drop, a swap that
  -- brings a piece home, and one that does not.
  { Name = "puzzle_landed", Files = { "sounds/puzzle_landed.wav" }, Bias = { 0.5 } },
  { Name = "puzzle_fit", Files = { "sounds/puzzle_fit.wav" }, Bias = { 0.8 } },
  { Name = "puzzle_arrive", Files = { "sounds/puzzle_arrive.wav" }, Bias = { 0.6 } },
}

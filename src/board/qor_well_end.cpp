// The game board's level end: the explorer in the exit wins it with a
// grade, the rival there first loses it.
#include <cstdio>

#include "board/explorer/qor_goal_map.h"
#include "board/qor_game_won.h"
#include "board/qor_music_rotation.h"
#include "board/qor_well.h"
#include "core/script/console.h"

void QORWell::WinGame() {
  if (gameEnd_ || IsEditorWell() || !goalMap_) return;
  GameScrollWell::WinGame();
  // A timer run out leaves nothing of the time bonus.
  const float left = levelTimer_.IsExpired() ? 0.0f : levelTimer_.remaining / levelTimer_.period;
  const QORLevelGrade grade = QORLevelGrade::Of(crittersKilled_, tilesBroken_, tileTotal_,
                                                goalMap_->GetTreasuresFound(), goalMap_->GetTreasureTotal(),
                                                nestFlag_, left);
  music_.reset();
  auto* won = new QORGameWon(this);
  SetGameEnd(won);
  won->ShowSummary(tilesBroken_, tileTotal_, goalMap_->GetTreasuresFound(), goalMap_->GetTreasureTotal(),
                   crittersKilled_, nestFlag_, grade.grade, grade.time, grade.critters, grade.treasures, grade.tiles);
  char script[64];
  std::snprintf(script, sizeof(script), IsShadyLevel() ? "ShadyWasWon(%i)" : "LevelWasWon(%i)", grade.grade);
  if (console::Console* console = GetConsole()) console->Do(script);
}

void QORWell::LooseGame() {
  if (gameEnd_ || IsEditorWell()) return;
  GameScrollWell::LooseGame();
  if (console::Console* console = GetConsole()) console->Do("OnGameLose()");
  SetGameEnd(new QORGameLost(this));
}

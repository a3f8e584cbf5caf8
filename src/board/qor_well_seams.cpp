// The board's calls into the parts built on it, inert until each lands: the
// board then behaves as if the HUD, help, tutorial, mode, game blocks,
// explorer, mummy, goal map, walkers and game variables were missing, which
// every step of it skips. Each part moves its group into its own source.
#include "board/qor_well.h"

#include "board/blocks/qor_well_mode.h"
#include "board/game_variables.h"
#include "board/help/qor_game_help.h"
#include "board/help/well_dynamic_help.h"

// --- Input, matches, cues and hints.

bool QORWell::OnMouseMove(const math::Vec2& point) {
  mousePosition_ = point;
  return false;
}
void QORWell::OnMouseDrag(const math::Vec2&) {}
void QORWell::OnLeftClick(const math::Vec2&) {}
void QORWell::OnRightClick(const math::Vec2&) {}
void QORWell::TickSwap(float) {}
void QORWell::DrawSwap() {}
void QORWell::ResolveMatches() {}
void QORWell::CheckFirstHints() {}
void QORWell::ShowPossibleMove() {}
void QORWell::ShowShadyHint() {}

// The HUD and the tutorial show their hints through this one.
bool QORWell::TriggerHint(int32_t id, const math::Vec2& topLeft, const math::Vec2& bottomRight) {
  if (GetInt(id) == 1) return false;
  // Met now: a hint that cannot show now never shows later.
  SetInt(id, 1);
  if (!help_ || !help_->CanShow(id)) return false;
  help_->TriggerHint(id, topLeft, bottomRight);
  help_->MarkShownHere(id);
  help_->SetImage(well::WellDynamicHelp::kNoIcon);
  if (id == 45 || id == 46 || id == 50 || id == 51) help_->SetImage("left_mouse");
  if (id == 52 || id == 53) help_->SetImage("right_mouse");
  return true;
}

// --- Explorer, goal map and the level's end.

void QORWell::CreateExplorer() {}
bool QORWell::GetExplorerCell(int32_t&, int32_t&) const { return false; }
bool QORWell::GetExplorerTargetCell(int32_t&, int32_t&) const { return false; }
void QORWell::RebuildExplorerPath() {}
void QORWell::InitExplorerVariables() {}
bool QORWell::GetExplorerBoardPosition(math::Vec2&) const { return false; }
void QORWell::PlaceExplorer(int32_t, int32_t) {}
void QORWell::PlayExplorerPowerAnimation() {}
void QORWell::TickExplorer(float) {}
void QORWell::DrawExplorer(float) {}
void QORWell::CreateGoalMap() {}
void QORWell::OpenGoalMap(bool) {}
void QORWell::TickGoalMap(float) {}
void QORWell::DrawGoalMap() {}
void QORWell::PlaceTargetMarkers() {}
void QORWell::WinGame() { GameScrollWell::WinGame(); }
void QORWell::LooseGame() { GameScrollWell::LooseGame(); }

// --- Walkers and the rival: no walker exists before them.

bool QORWell::GetWalkerCell(const QORWalker*, int32_t&, int32_t&) const { return false; }
int32_t QORWell::GetWalkerType(const QORWalker*) const { return -1; }
int32_t QORWell::GetWalkerTurnSense(const QORWalker*) const { return 1; }
void QORWell::TickWalker(QORWalker*, float) {}
bool QORWell::IsWalkerDone(const QORWalker*) const { return false; }
void QORWell::DrawWalker(QORWalker*) {}
void QORWell::SetWalkerAlpha(QORWalker*, float) {}
void QORWell::WalkerTryAttack(QORWalker*) {}
void QORWell::DestroyWalker(QORWalker*) {}
QORWalker* QORWell::MakeShady(int32_t, int32_t) { return nullptr; }

// --- The powers: the HUD's buttons stay empty before them.

QORPower* QORWell::CreatePower(int32_t) { return nullptr; }

// --- The mummy.

void QORWell::TickMummy(float) {}
bool QORWell::GetMummyCell(int32_t&, int32_t&) const { return false; }
void QORWell::DrawMummy(float) {}
void QORWell::CreateMummy(int32_t, int32_t) {}
void QORWell::CastMummyMagic() {}

// --- Objects of a level in play, deleted with the board.

void QORWell::DeleteLevelObjects() {
  delete mode_;
  mode_ = nullptr;
}

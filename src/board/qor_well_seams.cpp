// The board's calls into the parts built on it, inert until each lands: the
// board then behaves as if the HUD, help, tutorial, mode, explorer, mummy,
// goal map and game variables were missing, which every step of it skips. Each part moves its group into its own source.
#include "board/qor_well.h"

#include "board/blocks/qor_well_mode.h"

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
bool QORWell::TriggerHint(int32_t, const math::Vec2&, const math::Vec2&) { return false; }

// --- HUD, help and tutorial.

void QORWell::InitUI() {}
void QORWell::AddScore(int32_t) {}

void QORWell::TickHud(float) {}
bool QORWell::TickTutorial(float) { return true; }
bool QORWell::IsHintShowing() const { return false; }
void QORWell::SetHudElapsed(int32_t) {}
void QORWell::DrawHud() {}
void QORWell::DrawHelp() {}
void QORWell::HideHud() {}
void QORWell::DeleteHelp() {}
void QORWell::RefreshHudColors() {}
void QORWell::ReadHudColorSwitches(uint8_t*) {}
void QORWell::AwardDebugPower() {}

// --- Explorer, goal map and the level's end.

void QORWell::CreateExplorer() {}
bool QORWell::GetExplorerCell(int32_t&, int32_t&) const { return false; }
bool QORWell::GetExplorerTargetCell(int32_t&, int32_t&) const { return false; }
void QORWell::KnockOutExplorer() {}
void QORWell::SetExplorerIdle() {}
void QORWell::RebuildExplorerPath() {}
void QORWell::InitExplorerVariables() {}
bool QORWell::GetExplorerBoardPosition(math::Vec2&) const { return false; }
void QORWell::PlaceExplorer(int32_t, int32_t) {}
void QORWell::TickExplorer(float) {}
void QORWell::DrawExplorer(float) {}
void QORWell::CreateGoalMap() {}
void QORWell::OpenGoalMap(bool) {}
void QORWell::TickGoalMap(float) {}
void QORWell::DrawGoalMap() {}
void QORWell::PlaceTargetMarkers() {}
void QORWell::WinGame() { GameScrollWell::WinGame(); }
void QORWell::LooseGame() { GameScrollWell::LooseGame(); }

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

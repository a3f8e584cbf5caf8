#include "board/well/game_end.h"

namespace well {

GameEnd::GameEnd(BaseWell* board, const std::string&) : board_(board) {}

GameEnd::~GameEnd() { HidePanel(); }

void GameEnd::Draw() {}

void GameEnd::Tick(float) {}

void GameEnd::SetNumber(const std::string&, float, float, bool, float) {}

void GameEnd::AddCountingNumber(ui::UIWidget*, float, float, bool, float) {}

void GameEnd::SetWidgetText(const std::string&, const std::string&) {}

void GameEnd::HidePanel() {}

bool GameEnd::HasSteps() const { return false; }

}  // namespace well

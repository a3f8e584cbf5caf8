#include "board/blocks/qor_well_mode.h"

#include <algorithm>
#include <cctype>

#include "board/qor_board_view.h"

std::unique_ptr<QORWellMode> QORWellMode::GetMode(const std::string& name, QORBoardView* board) {
  std::string lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  if (lower.find("arcade") == std::string::npos && lower.find("track") != std::string::npos)
    return std::make_unique<QORTrackMode>(board);
  return std::make_unique<QORArcadeMode>(board);
}

void QORArcadeMode::OnLevelLoaded() {
  for (int x = 0; x < static_cast<int>(board_->GetWidth()); ++x)
    for (int y = 0; y < static_cast<int>(board_->GetHeight()); ++y) board_->SpawnRandomBlock(x, y, -1.0f);
}

void QORArcadeMode::OnStep() { board_->Refill(); }

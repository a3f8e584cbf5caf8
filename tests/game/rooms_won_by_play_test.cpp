// Every room of the two temples is won by play alone: a player who only
// swaps blocks, at a newcomer's pace, brings the explorer to the exit before
// the rival, within the room's time, with a grade of 2 or more. The game has
// no time-out: the room's time is this test's bound.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "board/blocks/qor_block.h"
#include "board/explorer/qor_explorer.h"
#include "board/game_variables.h"
#include "board/qor_game_won.h"
#include "board/qor_well.h"
#include "core/math/random.h"
#include "core/script/console.h"
#include "game/game_test_support.h"
#include "game/qor_game_state.h"
#include "game/rooms.h"
#include "game/swap_player.h"
#include "ui/gameflow/game_flow_manager.h"

namespace {

using game_test::Room;

constexpr float kFrame = 0.05f;
// A newcomer's pause between moves, to look the board over.
constexpr float kPause = 2.0f;
constexpr unsigned kSeed = 5;

std::vector<Room> PlayedRooms() {
  std::vector<Room> rooms;
  for (const Room& room : game_test::kRooms)
    if (room.index >= 0) rooms.push_back(room);
  return rooms;
}

// Hints hold play until closed: they stay off while the player plays.
class HintsOff {
 public:
  HintsOff() : was_(GetInt(game_var::kHintsEnabled)) { SetInt(game_var::kHintsEnabled, 0); }
  ~HintsOff() { SetInt(game_var::kHintsEnabled, was_); }
  HintsOff(const HintsOff&) = delete;
  HintsOff& operator=(const HintsOff&) = delete;

 private:
  int32_t was_;
};

class RoomsWonByPlay : public ::testing::TestWithParam<Room> {};

TEST_P(RoomsWonByPlay, TheSwappingPlayerBringsTheExplorerToTheExitFirstWithinTheRoomsTime) {
  const Room& room = GetParam();
  ASSERT_NE(game_test::StartedGame(), nullptr);
  auto* game = dynamic_cast<QORGameState*>(gameflow::GetGameFlowManager().FindState("game"));
  ASSERT_NE(game, nullptr);
  HintsOff hints;
  std::srand(kSeed);
  num::GetRandom().Seed(kSeed);
  const std::string mark = std::string("-- the swapping player plays ") + room.id;
  GetConsole()->Do(mark);
  ASSERT_TRUE(game->LoadLevel(game_test::LevelFile(room)));
  game->SetLevelID(room.index);
  QORWell* board = game->GetBoard();
  ASSERT_NE(board, nullptr);
  ASSERT_NE(board->GetExit(), nullptr);

  game_test::SwapPlayer player(*board, kPause);
  const float limit = board->GetTimeLimit();
  float played = 0.0f;
  for (; played < limit && !board->GetGameEnd(); played += kFrame) player.Play(kFrame);

  const well::Cell explorer = board->GetExplorer()->GetCell();
  ASSERT_NE(board->GetGameEnd(), nullptr) << "after " << played << " s and " << player.GetSwaps()
                                          << " swaps the explorer stands on " << explorer.x << ", " << explorer.y;
  const std::string won = game_test::ConsoleCallSince(mark, room.rival ? "ShadyWasWon(" : "LevelWasWon(");
  EXPECT_FALSE(won.empty()) << "lost after " << played << " s, the explorer on " << explorer.x << ", " << explorer.y;
  EXPECT_FALSE(game_test::ConsoleRanSince(mark, "OnGameLose("));
  const auto* summary = dynamic_cast<const QORGameWon*>(board->GetGameEnd());
  ASSERT_NE(summary, nullptr);
  EXPECT_GE(summary->GetGrade(), 2);
  const well::Cell exit = board->GetExit()->GetCell();
  EXPECT_TRUE(explorer.x - exit.x >= 0 && explorer.x - exit.x <= 1 && explorer.y - exit.y >= 0 &&
              explorer.y - exit.y <= 1);
  RecordProperty("seconds", std::to_string(static_cast<int>(played)));
  RecordProperty("grade", summary->GetGrade());
  game->ShutdownLevel();
}

INSTANTIATE_TEST_SUITE_P(EachRoom, RoomsWonByPlay, ::testing::ValuesIn(PlayedRooms()),
                         [](const ::testing::TestParamInfo<Room>& info) { return std::string(info.param.id); });

}  // namespace

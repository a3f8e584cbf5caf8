// The picture puzzle in the running game: the deal, selection and swaps,
// the clock, the grades, the three waves and the frame.
#include "game/qor_mini_game_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "board/effects/qor_grid_wave.h"
#include "core/input/mouse.h"
#include "core/script/console.h"
#include "game/game_test_support.h"
#include "game/qor_mini_game_waves.h"
#include "game/qor_puzzle_token.h"
#include "platform/audio/bass_testing.h"
#include "platform/codecs/bmp_writer.h"
#include "platform/d3d8/d3d8_testing.h"
#include "render/dx8/dx8_graphics.h"
#include "temp_folder.h"
#include "ui/input_test_support.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"

namespace {

constexpr float kDt = 0.05f;
constexpr int kPieces = QORMiniGameState::kPieceCount;

class PuzzleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = game_test::StartedGame();
    ASSERT_NE(app_, nullptr);
    GetUIMan()->ForEachPanel([this](ui::UIWidget* panel) {
      if (panel->IsVisible()) hidden_.push_back(panel);
      panel->SetIsVisible(false);
    });
    state_ = std::make_unique<QORMiniGameState>(app_->GetCamera());
    state_->SetName("minigame");
    // The results the scripts hear, in order.
    Lua("PuzzleResults = ''\n"
        "function WonPuzzle(grade) PuzzleResults = PuzzleResults .. 'won ' .. grade .. ';' end\n"
        "function LoosePuzzle() PuzzleResults = PuzzleResults .. 'lost;' end");
  }
  void TearDown() override {
    if (state_ && state_->IsActive()) state_->OnExit();
    state_.reset();
    for (ui::UIWidget* panel : hidden_) panel->SetIsVisible(true);
    GetConsole()->Do("dofile('scripts/map.lua')");
  }

  static void Lua(const std::string& script) { GetConsole()->Do(script); }
  static std::string Results() {
    lua_State* lua = GetConsole()->GetState()->GetCState();
    lua_getglobal(lua, "PuzzleResults");
    std::string text = lua_isstring(lua, -1) ? lua_tostring(lua, -1) : "";
    lua_pop(lua, 1);
    return text;
  }

  // Entered with the C generator seeded; the opening drop played out.
  void Enter(unsigned seed, const std::string& picture = "img/puzzle_pyramids.jpg") {
    std::srand(seed);
    state_->SetPicture(picture);
    state_->OnEnter();
  }
  void Play(unsigned seed = 7) {
    Enter(seed);
    TickWhile([this] { return state_->GetOpeningWave() != nullptr; });
  }
  template <typename Condition>
  void TickWhile(Condition condition, int limit = 100000) {
    for (int i = 0; i < limit && condition(); ++i) state_->Tick(kDt);
  }
  void TickFor(float seconds) {
    for (float t = 0.0f; t < seconds; t += kDt) state_->Tick(kDt);
  }
  void Press(int button, math::Vec2 point) { input_testing::Press(*state_, button, point); }
  void PressPiece(int piece, int button = 0) {
    QORPuzzleToken* token = state_->GetToken(piece);
    ASSERT_NE(token, nullptr);
    Press(button, token->GetPosition() + token->GetSize() * 0.5f);
  }
  int PieceInSlot(int slot) const {
    for (int piece = 0; piece < kPieces; ++piece)
      if (state_->GetSlot(piece) == slot) return piece;
    return -1;
  }
  // Brings the piece home by swapping it with the one in its slot.
  void SendHome(int piece) {
    const int other = PieceInSlot(piece);
    PressPiece(piece);
    PressPiece(other);
    ASSERT_TRUE(state_->IsSwapping());
    TickWhile([this] { return state_->IsSwapping(); });
  }
  // Every piece home but the last two, which one swap finishes.
  void SolveAllButOneSwap() {
    for (int piece = 0; piece < kPieces; ++piece) {
      int away = 0;
      for (int p = 0; p < kPieces; ++p) away += state_->GetSlot(p) != p;
      if (away <= 2) return;
      if (state_->GetSlot(piece) != piece) SendHome(piece);
    }
  }
  int FirstAway() const {
    for (int piece = 0; piece < kPieces; ++piece)
      if (state_->GetSlot(piece) != piece) return piece;
    return -1;
  }
  static void ExpectAt(const ui::UIWidget* token, math::Vec2 expected, const std::string& what) {
    ASSERT_NE(token, nullptr) << what;
    EXPECT_NEAR(token->GetPosition().x, expected.x, 1e-3f) << what;
    EXPECT_NEAR(token->GetPosition().y, expected.y, 1e-3f) << what;
  }

  game_test::HeadlessGame* app_ = nullptr;
  std::unique_ptr<QORMiniGameState> state_;
  std::vector<ui::UIWidget*> hidden_;
};

TEST_F(PuzzleTest, EveryDealLeavesEachPieceAwayFromItsSlotAndTheSlotsOneCycle) {
  std::set<std::vector<int>> deals;
  for (unsigned seed : {1u, 2u, 3u, 99u, 12345u}) {
    Enter(seed);
    std::vector<int> slots;
    for (int piece = 0; piece < kPieces; ++piece) {
      EXPECT_NE(state_->GetSlot(piece), piece) << "seed " << seed;
      slots.push_back(state_->GetSlot(piece));
    }
    // Following the pieces from piece 0 visits all 30 before it comes back.
    int piece = 0, steps = 0;
    do {
      piece = state_->GetSlot(piece);
      ++steps;
    } while (piece != 0 && steps <= kPieces);
    EXPECT_EQ(steps, kPieces) << "seed " << seed;
    deals.insert(slots);
    state_->OnExit();
  }
  // Each entry dealt anew.
  EXPECT_EQ(deals.size(), 5u);
}

TEST_F(PuzzleTest, HomeTokensCannotBeSelectedAndTheRightButtonClearsTheSelection) {
  Play();
  const int piece = FirstAway();
  PressPiece(piece);
  EXPECT_EQ(state_->GetFirstIndex(), piece);
  PressPiece(piece, 1);
  EXPECT_EQ(state_->GetFirstIndex(), -1);

  SendHome(piece);
  EXPECT_EQ(state_->GetSlot(piece), piece);
  EXPECT_EQ(state_->GetFitFlashCount(), 1u);
  EXPECT_TRUE(state_->GetToken(piece)->IsVisible());
  EXPECT_EQ(state_->GetToken(piece)->GetColor(), 0xFFFFFFFFu);
  PressPiece(piece);
  EXPECT_EQ(state_->GetFirstIndex(), -1);
  // The flash fades within its second.
  TickFor(1.2f);
  EXPECT_EQ(state_->GetFitFlashCount(), 0u);
}

TEST_F(PuzzleTest, PressesCountOnlyWhileThePuzzleIsOnScreen) {
  Play();
  const int piece = FirstAway();
  state_->OnExit();
  PressPiece(piece);
  EXPECT_EQ(state_->GetFirstIndex(), -1);
}

TEST_F(PuzzleTest, GradesFollowTheShareOfTheLimitTaken) {
  const struct {
    float elapsed;
    int grade;
  } cases[] = {{0.0f, 5}, {89.0f, 5}, {90.0f, 4}, {107.0f, 4}, {108.0f, 3}, {125.0f, 3},
               {130.0f, 2}, {144.0f, 1}, {145.0f, 1}, {181.0f, 1}};
  for (const auto& c : cases)
    EXPECT_EQ(QORMiniGameState::Grade(c.elapsed, QORMiniGameState::kTimeLimit), c.grade) << c.elapsed;
}

TEST_F(PuzzleTest, TheClockStandsDuringTheDropAndTheTimeOutLosesOnce) {
  Enter(3);
  TickFor(1.0f);
  EXPECT_EQ(state_->GetElapsed(), 0.0f);
  TickWhile([this] { return state_->GetOpeningWave() != nullptr; });
  TickWhile([this] { return state_->GetElapsed() <= 180.0f; });
  EXPECT_GT(state_->GetElapsed(), 180.0f);
  EXPECT_LT(state_->GetElapsed(), 180.01f + kDt);
  EXPECT_TRUE(state_->IsDone());
  ASSERT_NE(state_->GetClosingWave(), nullptr);
  TickFor(10.0f);
  EXPECT_EQ(Results(), "lost;");
  // The lost wave drops every token off the bottom of the screen.
  for (int piece = 0; piece < kPieces; ++piece) EXPECT_GT(state_->GetToken(piece)->GetPosition().y, 1.0f);
}

TEST_F(PuzzleTest, APuzzleFinishedBeforeTheLimitWinsEvenWhenTheDelayRunsPastIt) {
  Play(11);
  SolveAllButOneSwap();
  TickWhile([this] { return state_->GetElapsed() < 178.5f; });
  SendHome(FirstAway());
  EXPECT_TRUE(state_->IsComplete());
  EXPECT_LT(state_->GetElapsed(), 180.0f);
  TickFor(3.0f);
  EXPECT_GT(state_->GetElapsed(), 180.0f);
  EXPECT_EQ(Results(), "won 1;");
  EXPECT_FALSE(state_->IsDone());
  ASSERT_NE(state_->GetClosingWave(), nullptr);
  // The won wave closes the picture edge to edge.
  TickFor(2.0f);
  for (int piece = 0; piece < kPieces; ++piece)
    ExpectAt(state_->GetToken(piece), QORMiniGameState::ClosedPosition(piece % 6, piece / 6),
             "piece " + std::to_string(piece));
}

TEST_F(PuzzleTest, ATimeOutDuringAFlightEndsItWithBothTokensInViewAtTheirSlots) {
  Play(5);
  TickWhile([this] { return state_->GetElapsed() < 179.9f; });
  const int a = FirstAway(), b = PieceInSlot(a);
  const int slotA = state_->GetSlot(a), slotB = state_->GetSlot(b);
  PressPiece(a);
  PressPiece(b);
  ASSERT_TRUE(state_->IsSwapping());
  TickFor(0.2f);
  EXPECT_TRUE(state_->IsDone());
  EXPECT_FALSE(state_->IsSwapping());
  EXPECT_EQ(state_->GetFirstIndex(), -1);
  EXPECT_EQ(state_->GetSlot(a), slotA);
  EXPECT_EQ(state_->GetSlot(b), slotB);
  for (int piece = 0; piece < kPieces; ++piece) EXPECT_TRUE(state_->GetToken(piece)->IsVisible()) << piece;
  EXPECT_EQ(Results(), "lost;");
}

TEST_F(PuzzleTest, TheOpeningDropFollowsEachSlotsDelayAndTheLostWaveFallsRowByRow) {
  Enter(21);
  // Slot (0, 4) starts after 1.1 s, slot (5, 4) after 2.225 s, slot (0, 0) after 4.7 s.
  const math::Vec2 bottomLeft = QORMiniGameState::SlotPosition(24);
  const math::Vec2 bottomRight = QORMiniGameState::SlotPosition(29);
  const math::Vec2 topLeft = QORMiniGameState::SlotPosition(0);
  auto tickTo = [this](float time) {
    while (state_->GetOpeningWave()->GetTime() < time - kDt / 2) state_->Tick(kDt);
  };
  tickTo(0.5f);
  ExpectAt(state_->GetTokenInSlot(24), bottomLeft - math::Vec2{0.0f, 1.0f}, "(0, 4) before its delay");
  // Times on the ticks' grid: t = 0.6 falls 0.8 of the way, t = 0.9 bounces.
  tickTo(1.1f + 0.75f * 0.6f);
  ExpectAt(state_->GetTokenInSlot(24), bottomLeft - math::Vec2{0.0f, 0.2f}, "(0, 4) falling");
  tickTo(2.225f + 0.75f * 0.9f);
  ExpectAt(state_->GetTokenInSlot(29), bottomRight + math::Vec2{0.0f, 0.005f * std::sin(-0.1f * 4.0f * 3.14f)},
           "(5, 4) bouncing");
  ExpectAt(state_->GetTokenInSlot(24), bottomLeft, "(0, 4) landed");
  ExpectAt(state_->GetTokenInSlot(0), topLeft - math::Vec2{0.0f, 1.0f}, "(0, 0) waiting");
  TickWhile([this] { return state_->GetOpeningWave() != nullptr; });
  for (int slot = 0; slot < kPieces; ++slot)
    ExpectAt(state_->GetTokenInSlot(slot), QORMiniGameState::SlotPosition(slot), "slot " + std::to_string(slot));

  // Out of time: the bottom row starts falling after 0.9 s, spreading out.
  TickWhile([this] { return !state_->IsDone(); });
  QORGridWave* lost = state_->GetClosingWave();
  ASSERT_NE(lost, nullptr);
  while (lost->GetTime() < 0.9f + 0.45f - kDt / 2) state_->Tick(kDt);
  ExpectAt(state_->GetTokenInSlot(24), {bottomLeft.x - 0.125f, bottomLeft.y + 0.5f * (1.3f - bottomLeft.y)},
           "(0, 4) falling");
  ExpectAt(state_->GetTokenInSlot(0), topLeft, "(0, 0) still");
}

TEST_F(PuzzleTest, TheClosingWaveStartsTheMenuMusicOnceItsCueHasPlayedOut) {
  platform::testing::SetOfflineMixing(true);
  Play(13);
  TickWhile([this] { return !state_->IsDone(); });
  auto* wave = dynamic_cast<QORMiniGameClosingWave*>(state_->GetClosingWave());
  ASSERT_NE(wave, nullptr);
  const uint32_t cue = wave->GetMusicChannel();
  ASSERT_TRUE(audio::GetAudio().IsChannelPlaying(cue));
  state_->Tick(kDt);
  EXPECT_EQ(wave->GetMusicChannel(), cue) << "the cue still plays";
  // The cue is over within ten seconds of mix.
  std::vector<int16_t> mix(44100 * 2 * 10);
  platform::testing::RenderMix(mix.data(), mix.size() / 2);
  state_->Tick(kDt);
  EXPECT_NE(wave->GetMusicChannel(), cue);
  EXPECT_TRUE(audio::GetAudio().IsChannelPlaying(wave->GetMusicChannel()));
  platform::testing::SetOfflineMixing(false);
}

TEST_F(PuzzleTest, PausingStopsTheClockButNotDuringAWave) {
  Enter(8);
  state_->TogglePause();
  state_->OnPause();
  EXPECT_FALSE(state_->IsPaused());
  TickWhile([this] { return state_->GetOpeningWave() != nullptr; });
  TickFor(1.0f);
  const float before = state_->GetElapsed();
  state_->TogglePause();
  EXPECT_TRUE(state_->IsPaused());
  TickFor(1.0f);
  EXPECT_EQ(state_->GetElapsed(), before);
  ui::UIWidget* pause = GetUIMan()->GetPanel("minipause");
  ASSERT_NE(pause, nullptr);
  EXPECT_TRUE(pause->IsVisible());
  // Paused, the tokens do not answer.
  PressPiece(FirstAway());
  EXPECT_EQ(state_->GetFirstIndex(), -1);
  state_->TogglePause();
  state_->Tick(kDt);
  EXPECT_FALSE(pause->IsVisible());
  EXPECT_GT(state_->GetElapsed(), before);
  // Leaving hides the pause panel; after the time-out no pause is taken.
  TickWhile([this] { return !state_->IsDone(); });
  state_->TogglePause();
  state_->OnPause();
  EXPECT_FALSE(state_->IsPaused());
}

// A picture of 512 x 512 whose pieces are each one colour of their own.
class PuzzleFrameTest : public PuzzleTest {
 protected:
  static uint32_t PieceColour(int piece) {
    return 0xFF000000u | static_cast<uint32_t>(20 + 7 * piece) << 16 | static_cast<uint32_t>(240 - 7 * piece) << 8 |
           0x50u;
  }
  std::string Picture() {
    std::vector<uint32_t> pixels(512 * 512, 0xFF000000u);
    for (uint32_t y = 0; y < 450; ++y)
      for (uint32_t x = 0; x < 450; ++x) pixels[y * 512 + x] = PieceColour(static_cast<int>(y / 90 * 6 + x / 75));
    const std::string path = (folder_.Path() / "pieces.bmp").string();
    EXPECT_TRUE(platform::WriteBmp(path, 512, 512, pixels.data()));
    return path;
  }
  uint32_t Pixel(uint32_t x, uint32_t y) {
    std::vector<uint32_t> pixels;
    uint32_t w = 0, h = 0;
    EXPECT_TRUE(platform::testing::ReadBackFrame(GetDx8Graphics()->GetDevice(), pixels, w, h));
    return pixels.empty() ? 0 : pixels[static_cast<size_t>(y) * w + x];
  }

  TempFolder folder_;
};

TEST_F(PuzzleFrameTest, AfterTheDropEachPieceOfThePictureShowsAtItsDealtSlot) {
  Enter(17, Picture());
  TickWhile([this] { return state_->GetOpeningWave() != nullptr; });
  state_->Tick(kDt);
  ASSERT_TRUE(state_->Render());
  for (int piece : {0, 13, 29}) {
    const math::Vec2 slot = QORMiniGameState::SlotPosition(state_->GetSlot(piece));
    const uint32_t x = static_cast<uint32_t>((slot.x + 0.046875f) * 800.0f);
    const uint32_t y = static_cast<uint32_t>((slot.y + 0.075f) * 600.0f);
    const uint32_t seen = Pixel(x, y), wanted = PieceColour(piece);
    // Drawn in the tokens' grey shade of 0.65.
    for (int shift : {16, 8, 0}) {
      const float channel = static_cast<float>(wanted >> shift & 0xFF) * 0.65f;
      EXPECT_NEAR(static_cast<float>(seen >> shift & 0xFF), channel, 3.0f) << "piece " << piece;
    }
  }
}

}  // namespace

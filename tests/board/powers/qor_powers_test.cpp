// The nine powers on small boards laid out from rows of characters, with the
// game's HUD, a profile holding their counts, and a sound bank whose power
// sets each have a sound of their own.
#include "board/powers/qor_powers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "board/blocks/qor_block.h"
#include "board/game_variables.h"
#include "board/hud/qor_well_ui.h"
#include "board/hud_test_support.h"
#include "board/qor_well.h"
#include "board/walkers/qor_mummy.h"
#include "board/walkers/qor_scorpion.h"
#include "board/walkers/qor_shady.h"
#include "log_capture.h"
#include "render/drawn_corners.h"
#include "render/sprites/sprite_set.h"
#include "ui/widgets/ui_widget.h"
#include "well/block_names.h"

namespace {

class PowerWell : public QORWell {
 public:
  PowerWell() : QORWell(nullptr) {}
  ~PowerWell() override { DeleteLevelObjects(); }
  bool GetExplorerCell(int32_t& x, int32_t& y) const override {
    if (!explorer) return false;
    x = explorer->x;
    y = explorer->y;
    return true;
  }
  void SetExplorerIdle() override {}
  bool ShowHelpHint(int32_t, const math::Vec2&, const math::Vec2&, const char*) override { return false; }
  using QORWell::CreateMummy;
  void ClearMoving() { moving_ = 0; }
  void SetShadyStart(int32_t x, int32_t y) {
    shadyLevel_ = 1;
    shadyStartX_ = x;
    shadyStartY_ = y;
  }

  std::optional<well::Cell> explorer;
};

class PowersTest : public hud_testing::HelpTest {
 protected:
  static constexpr int32_t kCharges = 3;

  void SetUp() override {
    HelpTest::SetUp();
    for (const char* file : {"ui/game_screen.ui", "ui/treasurefound.ui", "img/popup_number.lua"}) {
      std::filesystem::create_directories(std::filesystem::path(file).parent_path());
      std::filesystem::copy_file(std::string(VANTOR_SOURCE_DIR) + "/data/" + file, file);
    }
    // The powers' own bank in place of the widgets'.
    BASS_Free();
    const std::string here = std::filesystem::current_path().string() + "/";
    std::string bank = "SoundBank = {\n";
    for (int32_t n = 1; n <= QORWellUI::kPowerCount; ++n) {
      const std::string file = here + "special_" + std::to_string(n) + ".wav";
      WriteSound("special_" + std::to_string(n) + ".wav");
      bank += "  { Name = 'special " + std::to_string(n) + "', Files = { [[" + file + "]] } },\n";
    }
    WriteText("powers_bank.lua", bank + "}\n");
    audio::GetAudio().Init("powers_bank.lua");

    for (const char* colour : {"red", "blue"}) AddEntry(std::string("token_stand_") + colour, 8, 45);
    for (const char* still : {"Token_Rock", "Effect_Overlay_Shadow", "mummy_nest", "Tile_Normal_Metal",
                              "Tile_Normal_Gold", "spiderweb"})
      AddEntry(still, 1, 45);
    for (int32_t n = 1; n <= QORWellUI::kPowerCount; ++n) AddEntry(std::to_string(n) + "_off", 1, 40);
    for (const char* way : {"left", "right", "up", "down"}) AddEntry(std::string("scorpion_walk_") + way, 4, 40);
    for (const char* shady : {"Shady_Idle", "Shady_Walk_left", "Shady_Walk_Right", "Shady_Walk_Up", "Shady_Walk_Down"})
      AddEntry(shady, 4, 48);
    for (const char* prefix : {"Appear", "Idle", "Walk", "Disappear", "Magic"}) {
      for (const char* word : {"left", "Right", "Up", "Down"}) AddEntry(std::string("Mummy_") + prefix + "_" + word, 4, 64);
    }
  }
  void TearDown() override {
    board_.reset();
    HelpTest::TearDown();
  }

  // A board of the rows' size with the HUD and every power at three charges.
  // One character a cell: 'r' and 'b' red and blue tokens on metal, 'R' a red
  // token on gold, 'o' a rock, 'O' a rock on a web, 'w' a web, '.' bare metal,
  // '#' no floor, 'n' a mummy nest's top-left cell.
  void Lay(const std::vector<std::string>& rows) {
    board_.reset();
    board_ = std::make_unique<PowerWell>();
    const auto width = static_cast<uint32_t>(rows[0].size());
    const auto height = static_cast<uint32_t>(rows.size());
    uint8_t colours[QORWell::kColorCount] = {};
    colours[well::kColorRed] = colours[well::kColorBlue] = 1;
    board_->Setup(width, height, colours);
    for (int32_t y = 0; y < static_cast<int32_t>(height); ++y) {
      for (int32_t x = 0; x < static_cast<int32_t>(width); ++x) {
        const char c = rows[y][x];
        QORTile* tile = board_->GetTile(x, y);
        tile->type = c == '#' ? kTileVoid : c == 'R' ? kTileGold : kTileMetal;
        tile->webbed = c == 'O' || c == 'w';
        if (c == 'r' || c == 'R') Put("qor_block", "red", x, y);
        if (c == 'b') Put("qor_block", "blue", x, y);
        if (c == 'o' || c == 'O') Put("qor_rock", "none", x, y);
        if (c == 'n') {
          ASSERT_NE(Put("qor_mummynest", "none", x, y, 2), nullptr);
        }
      }
    }
    board_->InitUI();
    board_->ClearMoving();
    for (int32_t i = 0; i < QORWellUI::kPowerCount; ++i) SetInt(game_var::kFirstPowerCount + i, kCharges);
  }
  well::Block* Put(const std::string& type, const std::string& colour, int32_t x, int32_t y, int32_t size = 1) {
    well::Block* block = board_->CreateBlock(type, colour, x, y, size, size);
    if (block) board_->PlaceBlock(block, x, y, -1.0f);
    return block;
  }
  QORPower* Power(int32_t n) { return board_->GetHud()->GetPower(n - 1); }
  math::Vec2 Centre(int32_t x, int32_t y) const {
    return board_->CellToScreen(x, y) + board_->GetCellSize() * 0.5f;
  }
  bool Use(int32_t n, int32_t x, int32_t y) { return Power(n)->OnClick(Centre(x, y)); }
  static int32_t Charges(int32_t n) { return GetInt(game_var::kFirstPowerCount + n - 1); }
  // Blocks as laid out, a destroyed one as '*'; '.' a cell without a block.
  std::vector<std::string> Blocks() const {
    std::vector<std::string> rows;
    for (uint32_t y = 0; y < board_->GetHeight(); ++y) {
      std::string row;
      for (uint32_t x = 0; x < board_->GetWidth(); ++x) {
        const auto* block = static_cast<const QORBlock*>(board_->GetBlock(x, y));
        char c = '.';
        if (block && block->GetState() == well::kStateDestroyed) {
          c = '*';
        } else if (block && block->GetType() == QORBlock::kRock) {
          c = 'o';
        } else if (block && block->GetType() == QORBlock::kToken) {
          c = block->GetColor() == well::kColorRed ? 'r' : 'b';
        } else if (block) {
          c = 'n';
        }
        row += c;
      }
      rows.push_back(row);
    }
    return rows;
  }
  // 'g' gold, 'w' webbed, '.' any other floor or none.
  std::vector<std::string> Tiles() const {
    std::vector<std::string> rows;
    for (uint32_t y = 0; y < board_->GetHeight(); ++y) {
      std::string row;
      for (uint32_t x = 0; x < board_->GetWidth(); ++x) {
        const QORTile* tile = board_->GetTile(x, y);
        row += tile->type == kTileGold ? 'g' : tile->webbed ? 'w' : '.';
      }
      rows.push_back(row);
    }
    return rows;
  }
  int Heard(int32_t n) const {
    const audio::LoadedSample* sample = audio::GetAudio().Find(std::filesystem::current_path().string() +
                                                                "/special_" + std::to_string(n) + ".wav");
    return sample ? static_cast<int>(BASS_SampleGetChannels(sample->handle, nullptr)) : -1;
  }
  // The cells the armed power highlights, in the order drawn.
  std::vector<well::Cell> Highlighted() {
    std::vector<well::Cell> cells;
    for (const math::Vec2& corner :
         CornersDrawnWith(graphics_, graphics_.TextureOf("Effect_Overlay_Shadow_45x45.png")))
      cells.push_back(board_->ScreenToCell(math::Vec2((corner.x + 1.0f) / 800.0f, (corner.y + 1.0f) / 600.0f)));
    return cells;
  }

  LogCapture quiet_;
  std::unique_ptr<PowerWell> board_;

 private:
  static void AddEntry(const std::string& name, int frames, int side) {
    ui::GetSpriteSet()->AddSprite(name, name + "_" + std::to_string(side * frames) + "x" + std::to_string(side) + ".png",
                                  frames, 0.1f, 0, 0, false, false, 0, 0);
  }
};

TEST_F(PowersTest, EachPowerActsOnItsCellsAndUsesAChargeOnlyWhenItChangedSomething) {
  const struct {
    const char* what;
    int32_t power;
    std::vector<std::string> rows;
    well::Cell click;
    bool acts;
    bool charged;
    std::vector<std::string> blocks;  // afterwards
    std::vector<std::string> tiles;   // afterwards
    int crumbles = 0;                 // rocks broken play their own "special 6"
  } cases[] = {
      {"1 on a rock", 1, {"rrb", "bor", "rrb"}, {1, 1}, false, false, {"rrb", "bor", "rrb"}, {"...", "...", "..."}},
      {"1 on no floor", 1, {"r#r"}, {1, 0}, false, false, {"r.r"}, {"..."}},
      {"1 on a bare cell", 1, {"r.r"}, {1, 0}, false, false, {"r.r"}, {"..."}},
      {"1 on a token", 1, {"rbr"}, {1, 0}, true, true, {"rbr"}, {".g."}},
      {"1 on gold already", 1, {"rRr"}, {1, 0}, true, true, {"rrr"}, {".g."}},
      {"2 over rocks only", 2, {"ooo", "ooo", "ooo"}, {1, 1}, true, false, {"ooo", "ooo", "ooo"}, {"...", "...", "..."}},
      {"2 over nothing", 2, {"...", "...", "..."}, {1, 1}, false, false, {"...", "...", "..."}, {"...", "...", "..."}},
      {"2 on tokens",
       2,
       {"rrrr", "rorr", "r#rr", "rrrr"},
       {1, 1},
       true,
       true,
       {"rrrr", "rorr", "r.rr", "rrrr"},
       {"ggg.", "g.g.", "g.g.", "...."}},
      {"4 spares rocks and nests",
       4,
       {"brbb", "bn.b", "b..b", "bobb", "brbb"},
       {1, 4},
       true,
       true,
       {"b*bb", "bnnb", "bnnb", "bobb", "b*bb"},
       {}},
      {"4 on a bare cell", 4, {"b.b", "brb"}, {1, 0}, false, false, {"b.b", "brb"}, {"...", "..."}},
      {"5 spares rocks and nests",
       5,
       {"bbbbb", "rn.ob", "r..rr"},
       {0, 1},
       true,
       true,
       {"bbbbb", "*nno*", "rnnrr"},
       {}},
      {"6 breaks rocks and tears the webs under them",
       6,
       {"rrrrr", "rOrwr", "rrbrr", "rrrrr"},
       {2, 2},
       true,
       true,
       {"rrrrr", "r**.r", "r***r", "r***r"},
       {".....", "...w.", ".....", "....."},
       1},
      {"7 within three cells, one colour",
       7,
       {"rbbbbbbbr", "brbbbbbbb", "bbbbbbbbb", "bbbbbbbbb", "bbbbrbbbb", "bbbbbbbbb", "bbbbbbbbb", "rbbbbbbrb"},
       {4, 4},
       true,
       true,
       {"rbbbbbbbr", "b*bbbbbbb", "bbbbbbbbb", "bbbbbbbbb", "bbbb*bbbb", "bbbbbbbbb", "bbbbbbbbb", "rbbbbbb*b"},
       {}},
      {"9 on a web over a rock", 9, {"rOr"}, {1, 0}, true, true, {"ror"}, {"..."}},
      {"9 on a rock", 9, {"ror"}, {1, 0}, true, true, {"r*r"}, {"..."}},
      {"9 on a web", 9, {"rwr"}, {1, 0}, true, true, {"r.r"}, {"..."}},
      {"9 on a token", 9, {"rrr"}, {1, 0}, false, false, {"rrr"}, {"..."}},
  };
  for (const auto& c : cases) {
    Lay(c.rows);
    const int heard = Heard(c.power);
    EXPECT_EQ(Use(c.power, c.click.x, c.click.y), c.acts) << c.what;
    EXPECT_EQ(Charges(c.power), c.charged ? kCharges - 1 : kCharges) << c.what;
    EXPECT_EQ(Heard(c.power) - heard, (c.acts ? 1 : 0) + c.crumbles) << c.what;
    EXPECT_EQ(Blocks(), c.blocks) << c.what;
    if (!c.tiles.empty()) {
      EXPECT_EQ(Tiles(), c.tiles) << c.what;
    }
    for (int32_t n = 1; n <= QORWellUI::kPowerCount; ++n) {
      if (n != c.power) {
        EXPECT_EQ(Charges(n), kCharges) << c.what << ": power " << n;
      }
    }
  }
}

TEST_F(PowersTest, BugSprayTakesEveryWalkerInReachOffTheBoardForOneCharge) {
  Lay({"......", "......", "......", "......", "......"});
  auto add = [this](QORWalker* walker, int32_t x, int32_t y) {
    walker->PlaceAt(x, y);
    EXPECT_TRUE(board_->AddWalker(walker));
  };
  add(new QORScorpion(board_.get(), nullptr), 1, 1);
  add(new QORScorpion(board_.get(), nullptr), 2, 1);
  add(new QORScorpion(board_.get(), nullptr), 4, 1);
  EXPECT_TRUE(Use(8, 2, 2));
  ASSERT_EQ(board_->GetWalkers().size(), 1u) << "the two beside the click, not the one two cells off";
  EXPECT_EQ(board_->GetWalkers()[0]->GetCell(), (well::Cell{4, 1}));
  EXPECT_EQ(board_->GetCrittersKilled(), 2);
  EXPECT_EQ(Charges(8), kCharges - 1);
  EXPECT_EQ(Heard(8), 1);

  EXPECT_TRUE(Use(8, 0, 4)) << "far from any walker";
  EXPECT_EQ(board_->GetWalkers().size(), 1u);
  EXPECT_EQ(Charges(8), kCharges - 2) << "a charge all the same";

  // The rival too, and nothing of him is left behind.
  board_->SetShadyStart(3, 3);
  board_->SpawnShady();
  ASSERT_NE(board_->GetShady(), nullptr);
  EXPECT_TRUE(Use(8, 4, 4));
  EXPECT_EQ(board_->GetShady(), nullptr);
  int32_t x = 0, y = 0;
  EXPECT_FALSE(board_->GetShadyCell(x, y));
  EXPECT_EQ(board_->GetWalkers().size(), 1u);
  EXPECT_EQ(board_->GetCrittersKilled(), 3);
}

TEST_F(PowersTest, BanishUsesAChargeOnlyWithAMummyWhichItCountsAsKilled) {
  Lay({"rrrrr", "rrrrr", "rrrrr"});
  EXPECT_TRUE(Use(3, 0, 0)) << "the explorer plays his power animation all the same";
  EXPECT_EQ(Charges(3), kCharges);
  EXPECT_EQ(Heard(3), 0);

  board_->explorer = well::Cell{4, 2};
  board_->CreateMummy(1, 1);
  ASSERT_TRUE(board_->HasMummy());
  EXPECT_TRUE(Use(3, 4, 0));
  EXPECT_EQ(board_->GetMummy()->GetState(), QORMummy::kDisappearing);
  EXPECT_TRUE(board_->IsSoundCueRaised(QORWell::kCueMummyBye));
  EXPECT_EQ(Charges(3), kCharges - 1);
  EXPECT_EQ(Heard(3), 1);
  EXPECT_EQ(board_->GetCrittersKilled(), 1);
}

TEST_F(PowersTest, AnArmedPowerHighlightsTheFloorCellsItWouldActOnAndShowsItsHelp) {
  Lay({"rrbrr", "r#rrr", "rrrrr", "bbrbr"});
  QORWellUI* hud = board_->GetHud();
  ui::UIWidget* help = hud->GetPanel()->GetWidgetByName("INSTRUCTIONS");
  const struct {
    int32_t power;
    well::Cell mouse;
    std::vector<well::Cell> cells;  // column by column
  } cases[] = {
      {1, {2, 2}, {{2, 2}}},
      {1, {1, 1}, {}},
      {2, {1, 1}, {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 2}, {2, 0}, {2, 1}, {2, 2}}},
      {3, {1, 1}, {}},
      {4, {1, 2}, {{1, 0}, {1, 2}, {1, 3}}},
      {5, {3, 3}, {{0, 3}, {1, 3}, {2, 3}, {3, 3}, {4, 3}}},
      {7, {2, 0}, {{0, 3}, {1, 3}, {2, 0}, {3, 3}}},
      {8, {4, 3}, {{3, 2}, {3, 3}, {4, 2}, {4, 3}}},
      {9, {0, 0}, {{0, 0}}},
  };
  for (const auto& c : cases) {
    hud->SelectPower(c.power - 1);
    ASSERT_EQ(hud->GetArmedPower(), Power(c.power));
    hud->OnMouseMove(Centre(c.mouse.x, c.mouse.y));
    hud->Tick(0.0f);
    EXPECT_TRUE(help->IsVisible()) << c.power;
    EXPECT_EQ(help->GetText(), "HELP_SPECIAL_" + std::to_string(c.power));
    graphics_.calls.clear();
    graphics_.drawn.clear();
    Power(c.power)->Draw();
    std::vector<well::Cell> cells = Highlighted();
    std::sort(cells.begin(), cells.end(),
              [](const well::Cell& a, const well::Cell& b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
    EXPECT_EQ(cells, c.cells) << "power " << c.power;
    hud->SelectPower(c.power - 1);
    EXPECT_FALSE(help->IsVisible());
  }
  hud->SelectPower(0);
  hud->UsePower(Centre(2, 2));
  EXPECT_EQ(hud->GetArmedPower(), nullptr);
  EXPECT_FALSE(help->IsVisible()) << "cleared once used";
  EXPECT_EQ(Tiles()[2], "..g..");
}

}  // namespace

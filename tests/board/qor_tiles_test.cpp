#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <string>
#include <vector>

#include "board/effects/qor_well_sfx.h"
#include "core/script/lua_test_support.h"
#include "game_board_support.h"
#include "render/graphics_fixture.h"
#include "well/effects/explosion_sfx_set.h"
#include "well/effects/simple_sfx.h"

namespace {

using board_testing::GameBoardTest;
using board_testing::TestWell;

class TileTest : public GameBoardTest {
 protected:
  void SetUp() override {
    GameBoardTest::SetUp();
    uint8_t flags[QORWell::kColorCount] = {};
    board_.Setup(6, 4, flags);
  }
  QORTile& Tile(int32_t x, int32_t y) { return *board_.GetTile(x, y); }
  // The cells the set's running items are centred on, in the set's order.
  std::vector<well::Cell> ActiveCells(const well::SimpleSFX& set) {
    std::vector<well::Cell> cells;
    for (size_t i = 0; i < set.GetSize(); ++i) {
      const well::SimpleSFX::Item& item = set.GetItem(i);
      if (item.active) cells.push_back(board_.ScreenToCell(item.position + item.size * 0.5f));
    }
    return cells;
  }

  TestWell board_;
};

// One hit wears a tile a step: its flip plays, then the new picture shows.
TEST_F(TileTest, AHitFlipsTheTileAndMovesItOneStep) {
  // A tile of metal, sand or cracked sand shatters on its cell as it flips.
  struct Case {
    int32_t type, hit;
    const char* flip;
    int32_t after;
    const char* picture;
    bool shatters;
  } cases[] = {
      {kTileMetal, 1, "Tile_Flip_Metal", kTileSand, "Tile_Normal_Sand2", true},
      {kTileSand, 1, "Tile_Flip_Sand", kTileCracked, "Tile_Crack_Sand2", true},
      {kTileCracked, 1, "Tile_Flip_Crack", kTileGold, "Tile_Normal_Gold", true},
      {kTileSand, 5, "Tile_Flip_Sand", kTileGold, "Tile_Normal_Gold", true},
      {kTileCracked, -1, "Tile_Flip_Crack", kTileSand, "Tile_Normal_Sand2", true},
      {kTileMetal, -3, "Tile_Flip_Metal", kTileMetal, "Tile_Normal_Metal", true},
      {kTileGold, -1, "Tile_Flip_Gold", kTileCracked, "Tile_Crack_Sand2", false},
  };
  const well::SimpleSFX& shatter = *board_.GetGameEffects()->GetSimpleSet(QORWellSFX::kShatter);
  for (const Case& c : cases) {
    QORTile& tile = Tile(1, 1);
    tile.type = c.type;
    tile.crackVariant = 2;
    tile.hit = 0;
    board_.RefreshTile(tile);
    const std::vector<well::Cell> before = ActiveCells(shatter);
    tile.hit = c.hit;
    board_.RefreshTile(tile);
    std::vector<well::Cell> shattered = ActiveCells(shatter);
    shattered.erase(shattered.begin(), shattered.begin() + static_cast<std::ptrdiff_t>(before.size()));
    const std::vector<well::Cell> expected = c.shatters ? std::vector<well::Cell>{{1, 1}} : std::vector<well::Cell>{};
    EXPECT_EQ(shattered, expected) << c.type << " " << c.hit;
    EXPECT_EQ(tile.sprite.GetName(), c.flip) << c.type << " " << c.hit;
    EXPECT_EQ(tile.type, c.after) << c.type << " " << c.hit;
    EXPECT_EQ(tile.hit, 0);
    // The flip is six frames at 20 a second; one-frame pictures never end a cycle.
    board_.TickTiles(0.2f);
    EXPECT_EQ(tile.sprite.GetName(), c.flip);
    board_.TickTiles(0.11f);
    EXPECT_EQ(tile.sprite.GetName(), c.picture) << c.type << " " << c.hit;
    board_.TickTiles(1.0f);
    EXPECT_EQ(tile.sprite.GetName(), c.picture);
  }
}

TEST_F(TileTest, GoldKeepsItsPictureAndVoidStaysUntouched) {
  QORTile& gold = Tile(2, 2);
  gold.type = kTileGold;
  board_.RefreshTile(gold);
  gold.hit = 1;
  board_.RefreshHitTiles();
  EXPECT_EQ(gold.type, kTileGold);
  EXPECT_EQ(gold.hit, 0);
  EXPECT_EQ(gold.sprite.GetName(), "Tile_Normal_Gold");

  QORTile& empty = Tile(3, 3);
  board_.RefreshTile(empty);
  EXPECT_EQ(empty.type, kTileVoid);
  EXPECT_FALSE(empty.sprite.HasImage());
  for (int32_t type : {int32_t{kTileBare}, int32_t{kTileEditOnly}, int32_t{9}}) {
    QORTile& tile = Tile(0, 0);
    tile.type = type;
    board_.RefreshTile(tile);
    EXPECT_FALSE(tile.sprite.HasImage()) << type;
  }
}

TEST_F(TileTest, EditorOnlyTilesShowOnlyWhileEditing) {
  board_.editing = true;
  QORTile& tile = Tile(4, 1);
  tile.type = kTileEditOnly;
  board_.RefreshTile(tile);
  EXPECT_EQ(tile.sprite.GetName(), "tile_edit_only");
  // In play the same tile is drawn as nothing, picture or not.
  graphics_.calls.clear();
  board_.editing = false;
  board_.DrawTiles();
  EXPECT_TRUE(graphics_.calls.empty());
  board_.editing = true;
  board_.DrawTiles();
  EXPECT_FALSE(graphics_.calls.empty());
}

TEST_F(TileTest, TheWebsInViewAreDrawnInOneCall) {
  for (const well::Cell& cell : {well::Cell{0, 0}, well::Cell{3, 1}, well::Cell{5, 3}}) Tile(cell.x, cell.y).webbed = 1;
  graphics_.calls.clear();
  board_.DrawWebs();
  ASSERT_EQ(graphics_.calls.size(), 2u);
  EXPECT_EQ(graphics_.calls[0].kind, RecordingGraphics::Call::kBind);
  EXPECT_NE(graphics_.calls[0].texture, nullptr);
  EXPECT_EQ(graphics_.calls[1], RecordingGraphics::Draw(18));
  // Cell by cell, column by column: the quads start at their cells' corners.
  const std::vector<Vertex2D>& quads = graphics_.drawn.back();
  const math::Vec2 corners[] = {board_.CellToScreen(0, 0), board_.CellToScreen(3, 1), board_.CellToScreen(5, 3)};
  for (size_t i = 0; i < 3; ++i) {
    float left = 2.0f, top = 2.0f;
    for (size_t v = i * 6; v < i * 6 + 6; ++v) {
      left = std::min(left, quads[v].x / 800.0f);
      top = std::min(top, quads[v].y / 600.0f);
    }
    EXPECT_NEAR(left, corners[i].x, 0.002f) << i;
    EXPECT_NEAR(top, corners[i].y, 0.002f) << i;
  }
}

TEST_F(TileTest, RestoringCrackedTilesTouchesOnlyGold) {
  Tile(0, 0).type = kTileSand;
  Tile(1, 0).type = kTileCracked;
  board_.RestoreCrackedTiles();
  EXPECT_EQ(Tile(0, 0).type, kTileSand);
  EXPECT_EQ(Tile(1, 0).type, kTileCracked);
  EXPECT_EQ(Tile(2, 0).type, kTileVoid);

  for (int32_t x = 0; x < 6; ++x) {
    for (int32_t y = 0; y < 4; ++y) Tile(x, y).type = kTileGold;
  }
  // Column by column, each gold tile whose draw of rand() is even cracks.
  std::srand(7);
  std::vector<well::Cell> expected;
  for (int32_t x = 0; x < 6; ++x) {
    for (int32_t y = 0; y < 4; ++y) {
      if (std::rand() % 2 == 0) expected.push_back({x, y});
    }
  }
  ASSERT_FALSE(expected.empty());
  ASSERT_LT(expected.size(), 24u);
  std::srand(7);
  board_.RestoreCrackedTiles();
  std::vector<well::Cell> cracked;
  for (int32_t x = 0; x < 6; ++x) {
    for (int32_t y = 0; y < 4; ++y) {
      const QORTile& tile = Tile(x, y);
      ASSERT_TRUE(tile.type == kTileGold || tile.type == kTileCracked);
      if (tile.type != kTileCracked) continue;
      cracked.push_back({x, y});
      EXPECT_EQ(tile.sprite.GetName(), "Tile_Crack_Sand" + std::to_string(tile.crackVariant));
    }
  }
  EXPECT_EQ(cracked, expected);
  // Each with a blue burst at its centre.
  std::vector<well::Cell> bursts;
  for (const well::ExplosionSFXSet::Particle& burst :
       board_.GetGameEffects()->GetExplosionSet(QORWellSFX::kBlueBurst)->GetParticles()) {
    if (burst.IsRunning()) bursts.push_back(board_.ScreenToCell(burst.position - board_.GetScroll()));
  }
  EXPECT_EQ(bursts, expected);
}

// --- What the player sees, read back from a real renderer.

// A solid square image file.
void WriteSolid(const std::string& path, uint32_t argb) {
  std::vector<uint32_t> pixels(16 * 16, argb);
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), 16, 16, 32, 16 * 4, SDL_PIXELFORMAT_ARGB8888);
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(IMG_SavePNG(surface, path.c_str()), 0);
  SDL_FreeSurface(surface);
}

constexpr uint32_t kBackground = 0x2040A0;
constexpr uint32_t kSand = 0xE0C040;
constexpr uint32_t kWeb = 0xF0F0F0;

class FloorReadbackTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    scratch_.Write("level/level_data.lua", "room = { Background = 'img/back.png', red = 1 }\n");
    scratch_.Write("level/room.lua",
                   "QOR = { Width = 30, Height = 20 }\n"
                   "BackgroundTiles = {\n"
                   "  { X = 1, Y = 1, Type = 2, Index = 1 },\n"
                   "  { X = 5, Y = 3, Type = 2, Index = 1, Webbed = 1 },\n"
                   "  { X = 2, Y = 12, Type = 0, Webbed = 1 },\n"
                   "  { X = 7, Y = 12, Type = 2, Index = 1 },\n"
                   "}\n");
    std::filesystem::create_directories("img");
    WriteSolid("img/back.png", 0xFF000000u | kBackground);
    WriteSolid("img/sand.png", 0xFF000000u | kSand);
    WriteSolid("img/web.png", 0xFF000000u | kWeb);
    ui::GetSpriteSet()->AddSprite("Tile_Normal_Sand1", "img/sand.png", 1, 1.0f, 0, 0, false, false, 0, 0);
    ui::GetSpriteSet()->AddSprite("spiderweb", "img/web.png", 1, 1.0f, 0, 0, false, false, 0, 0);
  }
  void TearDown() override {
    ui::GetSpriteSet()->Clear();
    GraphicsTest::TearDown();
  }

  testsupport::ScratchDir scratch_{true};
};

TEST_F(FloorReadbackTest, BackgroundTilesAndWebsAreDrawnInOrderAndClippedAtTheViewEdge) {
  TestWell board;
  ASSERT_TRUE(board.LoadLevel("level/room.lua"));
  board.Draw();
  // Cells are 45 pixels; the view ends at 570 pixels, in row 12.
  EXPECT_TRUE(Near(Pixel(700, 100), kBackground, 8)) << std::hex << Pixel(700, 100);
  EXPECT_TRUE(Near(Pixel(67, 67), kSand, 8)) << std::hex << Pixel(67, 67);
  EXPECT_TRUE(Near(Pixel(247, 157), kWeb, 8)) << std::hex << Pixel(247, 157);  // a web over sand
  EXPECT_TRUE(Near(Pixel(112, 560), kWeb, 8)) << std::hex << Pixel(112, 560);
  EXPECT_TRUE(Near(Pixel(112, 580), kBackground, 8)) << std::hex << Pixel(112, 580);
  EXPECT_TRUE(Near(Pixel(337, 560), kSand, 8)) << std::hex << Pixel(337, 560);
  EXPECT_TRUE(Near(Pixel(337, 580), kBackground, 8)) << std::hex << Pixel(337, 580);
}

}  // namespace

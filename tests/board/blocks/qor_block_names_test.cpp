// Block types by number and by name, and the classes the names make.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <typeinfo>

#include "board/blocks/qor_block.h"
#include "board/blocks/qor_fixed_blocks.h"
#include "board/walkers/qor_nests.h"
#include "well/board_test_support.h"

namespace {

TEST(QORBlockNames, TypesNameTheirTableEntryAndEveryOtherNumberIsUnknown) {
  const struct {
    int32_t type;
    const char* name;
  } cases[] = {{0, "qor_block"},        {1, "qor_rock"},       {2, "unknown"},         {3, "unknown"},
               {4, "qor_random_block"}, {5, "qor_entrance"},   {6, "qor_exit"},        {7, "qor_bottleneck"},
               {8, "unknown"},          {9, "qor_milestone"},  {10, "qor_startblock"}, {11, "qor_mummynest"},
               {16, "qor_locustnest"},  {17, "qor_invisible"}, {18, "unknown"},        {19, "unknown"},
               {-1, "unknown"},         {INT32_MAX, "unknown"}};
  for (const auto& c : cases) EXPECT_STREQ(QORBlock::TypeName(c.type), c.name) << c.type;
}

TEST(QORBlockNames, NamesGiveTheirTypeWithoutCaseAndMilestonesByTheirPrefix) {
  const struct {
    const char* name;
    int32_t type;
  } cases[] = {
      {"QOR_ROCK", 1},
      {"qor_block", 0},
      {"Qor_Exit", 6},
      {"unknown", 2},
      {"UNKNOWN", 2},
      {"qor_invisible", 17},
      {"qor_milestone[7]", 9},
      {"qor_milestone[]", 9},
      {"my_qor_milestone", 9},
      // The milestone prefix is searched with its case.
      {"QOR_MILESTONE[7]", 0},
      {"qor_big_barrel", 0},
      {"", 0},
      {"qor_random_block", 4},
      {"qor_scorpionnest", 12},
  };
  for (const auto& c : cases) EXPECT_EQ(QORBlock::TypeFromName(c.name), c.type) << c.name;
}

TEST(QORBlockNames, FromNameMakesTheClassOfTheTypeAndTheTypeNameReadsBack) {
  board_testing::StubWell board;
  board.Create(4, 4, math::Vec2(), math::Vec2(1.0f, 1.0f), math::Vec2(0.05625f, 0.075f));
  const struct {
    const char* name;
    const std::type_info& kind;
    int32_t type;
    const char* typeName;  // written back to a level file
  } cases[] = {
      {"QOR_ROCK", typeid(QORRockBlock), 1, "qor_rock"},
      {"qor_big_barrel", typeid(QORTokenBlock), 0, "qor_block"},
      {"unknown", typeid(QORBlock), 19, "unknown"},
      {"qor_random_block", typeid(QORRandomBlock), 4, "qor_random_block"},
      {"qor_entrance", typeid(QOREntranceBlock), 5, "qor_entrance"},
      {"qor_exit", typeid(QORExitBlock), 6, "qor_exit"},
      {"qor_bottleneck", typeid(QORBottleneckBlock), 7, "qor_bottleneck"},
      {"qor_milestone[7]", typeid(QORMilestoneBlock), 9, "qor_milestone[7]"},
      {"qor_milestone[]", typeid(QORMilestoneBlock), 9, "qor_milestone[]"},
      {"qor_startblock", typeid(QORStartBlock), 10, "qor_startblock"},
      {"qor_invisible", typeid(QORInvisibleBlock), 17, "qor_invisible"},
  };
  for (const auto& c : cases) {
    std::unique_ptr<QORBlock> block(QORBlock::FromName(c.name, &board));
    ASSERT_NE(block, nullptr) << c.name;
    EXPECT_EQ(typeid(*block), c.kind) << c.name;
    EXPECT_EQ(block->GetType(), c.type) << c.name;
    EXPECT_EQ(block->GetTypeName(), c.typeName) << c.name;
  }
}

TEST(QORBlockNames, EachNestNameMakesItsNest) {
  board_testing::StubWell board;
  for (int32_t type = QORBlock::kMummyNest; type <= QORBlock::kLocustNest; ++type) {
    std::unique_ptr<QORBlock> nest(QORBlock::FromName(QORBlock::TypeName(type), &board));
    ASSERT_NE(dynamic_cast<QORNest*>(nest.get()), nullptr) << type;
    EXPECT_EQ(nest->GetType(), type);
    EXPECT_EQ(nest->GetTypeName(), QORBlock::TypeName(type));
    EXPECT_EQ(nest->GetWidth(), 2);
    EXPECT_EQ(nest->GetHeight(), 2);
  }
}

TEST(QORBlockNames, BracketTextIsCutWithinTheName) {
  const struct {
    const char* name;
    bool found;
    const char* text;
  } cases[] = {
      {"qor_milestone[7]", true, "7"},
      {"qor_milestone[12]", true, "12"},
      {"qor_milestone[]", true, ""},
      {"qor_milestone", false, ""},
      {"[7]", false, ""},
      {"qor_milestone[7", false, ""},
      {"]qor_milestone[7", false, ""},  // the last "]" at position 0
      // A "[" that ends the name leaves nothing to cut.
      {"qor_milestone]x[", true, ""},
      // At most as long as the position of the last "]", less one character.
      {"ab[cd]efgh", true, "cd]e"},
      {"a[x]", true, "x"},
  };
  for (const auto& c : cases) {
    std::string text = "stale";
    EXPECT_EQ(QORBlock::BracketText(c.name, text), c.found) << c.name;
    EXPECT_EQ(text, c.text) << c.name;
  }
}

TEST(QORBlockNames, MilestonesAndImageBlocksReadTheirBrackets) {
  board_testing::StubWell board;
  const struct {
    const char* name;
    int32_t index;
    const char* image;
  } milestones[] = {{"qor_milestone[7]", 7, "milestone"},   {"qor_milestone[]", 0, "milestone"},
                    {"qor_milestone", 0, "none"},           {"qor_milestone[x3]", 0, "milestone"},
                    {"qor_milestone[-2]", -2, "milestone"}, {"qor_milestone[99999999999]", INT32_MAX, "milestone"}};
  for (const auto& c : milestones) {
    QORMilestoneBlock milestone(&board, c.name);
    EXPECT_EQ(milestone.GetIndex(), c.index) << c.name;
    EXPECT_EQ(milestone.GetImageName(), c.image) << c.name;
    EXPECT_EQ(milestone.GetTypeName(), c.name);
    EXPECT_EQ(milestone.GetWidth(), 2);
  }
  QORImageBlock image(&board, "statue[img/statue.png]");
  EXPECT_EQ(image.GetImageName(), "img/statue.png");
  EXPECT_EQ(image.GetTypeName(), "statue[img/statue.png]");
  EXPECT_EQ(image.GetType(), 8);
  EXPECT_EQ(QORImageBlock(&board, "statue").GetImageName(), "none");
}

}  // namespace

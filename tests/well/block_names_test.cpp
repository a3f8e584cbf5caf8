#include "well/block_names.h"

#include <gtest/gtest.h>

namespace {

TEST(BlockNames, ColoursReadAndWriteByTheirNames) {
  const struct {
    int32_t color;
    const char* written;
  } colours[] = {
      {0, "blue"},     {1, "green"},     {2, "red"},     {3, "yellow"},  {4, "purple"},   {5, "black"},
      {6, "turqoise"}, {7, "orange"},    {8, "pink"},    {9, "violet"},  {10, "cyan"},    {11, "white"},
      {12, "generic1"}, {23, "generic12"}, {24, "none"}, {25, "empty"}, {26, "filled"}, {27, "none"},
      {28, "any"},     {29, "none"},     {99, "none"},   {-1, "none"},
  };
  for (const auto& c : colours) EXPECT_EQ(well::ColorToName(c.color), c.written) << c.color;

  const struct {
    const char* name;
    int32_t color;
  } names[] = {
      {"blue", 0},  {"RED", 2},      {"Turqoise", 6}, {"generic7", 18}, {"GENERIC12", 23},
      {"none", 24},  // the first index named so
      {"empty", 25}, {"filled", 26}, {"any", 28},
      {"", 2},       {"turquoise", 2}, {"generic", 2}, {"generic13", 2}, {"reds", 2}, {"re", 2},
  };
  for (const auto& n : names) EXPECT_EQ(well::NameToColor(n.name), n.color) << n.name;
  EXPECT_EQ(well::NameToColor(std::string("any\0x", 5)), well::kColorRed);
}

TEST(BlockNames, StatesWriteTheirNames) {
  const char* const expected[] = {"stand", "falling", "squash", "stand", "destroyed", "erased", "selected"};
  for (int32_t state = 0; state < 7; ++state) EXPECT_EQ(well::StateToName(state), expected[state]) << state;
  EXPECT_EQ(well::StateToName(7), "stand");
  EXPECT_EQ(well::StateToName(-1), "stand");
}

}  // namespace

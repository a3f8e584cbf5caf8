// The game's English string table, written by tools/make_language.py from
// data/lang/english.txt at build time, and the writer itself.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "board/help/qor_game_help.h"
#include "core/text/strman.h"
#include "log_capture.h"
#include "temp_folder.h"

namespace {

const std::string kWriter = std::string(VANTOR_SOURCE_DIR) + "/tools/make_language.py";

class GameTextTest : public ::testing::Test {
 protected:
  void TearDown() override { lang::GetStrMan().Clear(); }

  // The writer's exit status for the source text.
  int Write(const std::string& source, const std::string& output) {
    const std::string path = (folder_.Path() / "source.txt").string();
    std::ofstream(path) << source;
    return std::system(("python3 '" + kWriter + "' '" + path + "' '" + output + "' 2>/dev/null").c_str());
  }

  TempFolder folder_;
  LogCapture log_;
};

TEST_F(GameTextTest, EveryHintPowerHelpAndTreasureTextIsInEnglish) {
  lang::GetStrMan().LoadLangBin(std::string(VANTOR_SOURCE_DIR) + "/data/lang/english.lang");
  EXPECT_TRUE(LogCapture::At(MSG_ERROR).empty()) << LogCapture::Text();
  QORGameHelp help;
  for (int32_t id = QORGameHelp::kFirstId; id <= QORGameHelp::kLastId; ++id) {
    const std::string key = help.GetHintTextId(id);
    EXPECT_FALSE(lang::GetStrMan().Lookup(key).empty()) << key;
  }
  for (int n = 1; n <= 9; ++n) {
    for (const std::string prefix : {"HELP_SPECIAL_", "TREASURE_AWARD_"}) {
      EXPECT_FALSE(lang::GetStrMan().Lookup(prefix + std::to_string(n)).empty()) << prefix << n;
    }
  }
}

TEST_F(GameTextTest, TheWriterKeepsTextsWholeAndRefusesABadSource) {
  const std::string output = (folder_.Path() / "out.lang").string();
  ASSERT_EQ(Write("# a comment\n\nTITLE = Grüße aus Ägypten\nTWO = first\\nsecond\n", output), 0);
  lang::GetStrMan().LoadLangBin(output);
  EXPECT_EQ(lang::GetStrMan().Lookup("title"), u"Grüße aus Ägypten");
  EXPECT_EQ(lang::GetStrMan().Lookup("TWO"), u"first\nsecond");
  const struct {
    const char* what;
    std::string source;
  } refused[] = {
      {"a key twice", "KEY = one\nkey = two\n"},
      {"no separator", "KEY one\n"},
      {"an empty text", "KEY = \n"},
      {"too long", "KEY = " + std::string(1024, 'x') + "\n"},
  };
  for (const auto& c : refused) {
    const std::string bad = (folder_.Path() / "bad.lang").string();
    EXPECT_NE(Write(c.source, bad), 0) << c.what;
    EXPECT_FALSE(std::ifstream(bad).good()) << c.what << ": nothing written";
  }
}

}  // namespace

#include "core/text/strman.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>

#include "core/math/random.h"
#include "core/text/lang_file.h"
#include "log_capture.h"

namespace {

class StrManTest : public testing::Test {
 protected:
  void TearDown() override { table.Clear(); }
  // Loads the file; true when the load logged an error.
  bool Load(const std::string& path) {
    LogCapture::Lines().clear();
    table.LoadLangBin(path);
    return !LogCapture::At(MSG_ERROR).empty();
  }

  LogCapture log_;
  lang::StrMan table;
};

TEST_F(StrManTest, LoadsRecordsAndLooksUpWithoutRegardToCase) {
  const std::string path = LangFile()
                               .Magic()
                               .Record(u"Title", u"Vantor of Ostravine")
                               .Record(u"TITLE", u"second definition")
                               .Record(u"Empty", u"")
                               .Record(u"Empty", u"defined later")
                               .Record(u"", u"no key")
                               .Record(u"gr\u00FC\u00DFe", u"\U0001F600 hello")
                               .Save("lang_records.bin");
  EXPECT_FALSE(Load(path));
  EXPECT_EQ(table.Lookup("title"), u"Vantor of Ostravine");
  EXPECT_EQ(table.Lookup("EMPTY"), u"defined later");
  EXPECT_EQ(table.Lookup("GR\xC3\xBC\xC3\x9F" "E"), u"\U0001F600 hello");
  EXPECT_EQ(table.LookupWide(u"tItLe"), u"Vantor of Ostravine");
  EXPECT_EQ(table.Lookup("missing"), u"");
  EXPECT_EQ(table.Entries().size(), 3u);
}

TEST_F(StrManTest, BadFilesLeaveAnEmptyTable) {
  const std::string good = LangFile().Magic().Record(u"k", u"v").Save("lang_good.bin");
  struct Case {
    std::string path;
    bool error;
  } cases[] = {
      {testing::TempDir() + "no_such_language.bin", true},
      {LangFile().Magic("lobc").Record(u"k", u"v").Save("lang_magic.bin"), true},
      {LangFile().Save("lang_empty.bin"), true},
      {LangFile().Magic().Save("lang_only_magic.bin"), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    ASSERT_FALSE(Load(good));
    ASSERT_EQ(table.Lookup("k"), u"v");
    EXPECT_EQ(Load(c.path), c.error);
    EXPECT_TRUE(table.Entries().empty());
    if (c.error) {
      ASSERT_FALSE(LogCapture::Lines().empty());
      EXPECT_NE(LogCapture::Lines()[0].find("Unable to load Language file " + c.path + "!"), std::string::npos);
    }
  }
}

TEST_F(StrManTest, TruncatedRecordIsUsedAsFarAsRead) {
  struct Case {
    const char* name;
    LangFile file;
    std::u16string last;  // what "last" holds after loading
  } cases[] = {
      {"inside the value", LangFile().Magic().Record(u"first", u"1").Record(u"last", u"complete").Cut(6), u"compl"},
      {"odd byte", LangFile().Magic().Record(u"first", u"1").Record(u"last", u"complete").Cut(1), u"complet"},
      {"before the value", LangFile().Magic().Record(u"first", u"1").Field(u"last").Word(4), u""},
      {"inside the key", LangFile().Magic().Record(u"first", u"1").Field(u"lastkey").Cut(4), u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(Load(c.file.Save("lang_truncated.bin")));
    EXPECT_EQ(table.Lookup("first"), u"1");
    EXPECT_EQ(table.Lookup("last"), c.last);
  }
}

TEST_F(StrManTest, TextBeyondTheLimitStopsLoading) {
  const std::u16string longest(1023, u'a'), tooLong(1024, u'a');
  struct Case {
    const char* name;
    LangFile file;
  } cases[] = {
      {"long key", LangFile().Magic().Record(u"first", longest).Record(tooLong, u"x").Record(u"after", u"y")},
      {"long value", LangFile().Magic().Record(u"first", longest).Record(u"x", tooLong).Record(u"after", u"y")},
      {"lying length", LangFile().Magic().Record(u"first", longest).Word(0xFFFFFFFFu).Word(0).Text(u"x")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(Load(c.file.Save("lang_long.bin")));
    EXPECT_EQ(table.Lookup("first"), longest);
    EXPECT_EQ(table.Lookup("after"), u"");
    EXPECT_EQ(table.Entries().size(), 1u);
  }
}

TEST_F(StrManTest, ValueEndsAtAZeroUnit) {
  EXPECT_FALSE(Load(LangFile().Magic().Record(u"k", std::u16string(u"ab\0cd", 5)).Save("lang_nul.bin")));
  EXPECT_EQ(table.Lookup("k"), u"ab");
}

TEST_F(StrManTest, SecondFileReplacesTheFirst) {
  ASSERT_FALSE(Load(LangFile().Magic().Record(u"one", u"1").Record(u"both", u"a").Save("lang_a.bin")));
  ASSERT_FALSE(Load(LangFile().Magic().Record(u"two", u"2").Record(u"both", u"b").Save("lang_b.bin")));
  EXPECT_EQ(table.Lookup("one"), u"");
  EXPECT_EQ(table.Lookup("two"), u"2");
  EXPECT_EQ(table.Lookup("both"), u"b");
}

TEST_F(StrManTest, SurvivesArbitraryRecords) {
  // Records of random lengths (some over the limit), texts and cuts.
  num::Random random;
  random.Seed(2024);
  for (int round = 0; round < 200; ++round) {
    LangFile file;
    file.Magic();
    const uint32_t records = random.Next() % 6;
    for (uint32_t r = 0; r < records; ++r)
      for (int field = 0; field < 2; ++field) {
        std::u16string text(random.Next() % 1100, u'\0');
        for (char16_t& unit : text) unit = static_cast<char16_t>(random.Next());
        file.Field(text);
      }
    file.Cut(random.Next() % 8);
    Load(file.Save("lang_arbitrary.bin"));
    for (const auto& entry : table.Entries()) EXPECT_LE(entry.second->size(), 1023u);
  }
}

TEST(StrMan, SharedTableStartsEmpty) {
  EXPECT_EQ(&lang::GetStrMan(), &lang::GetStrMan());
  EXPECT_EQ(lang::GetStrMan().Lookup("anything"), u"");
}

}  // namespace

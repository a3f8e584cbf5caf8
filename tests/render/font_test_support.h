// Shared by the font tests: the game's font files, made known for one test.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "platform/gdi/gdi_font.h"

namespace font_test {

inline const char* const kFontFiles[] = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "EBGaramond12-Regular.ttf",
                                         "EBGaramond12-Bold.ttf"};

inline std::string FontPath(const std::string& name) {
  return std::string(VANTOR_SOURCE_DIR) + "/data/fonts/" + name;
}

class FontFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kFontFiles) ASSERT_EQ(AddFontResourceA(FontPath(name).c_str()), 1) << name;
  }
  void TearDown() override {
    for (const char* name : kFontFiles) RemoveFontResourceA(FontPath(name).c_str());
  }
};

// The game runs from its data folder, where "fonts" and "scripts" are; this
// makes it the working folder for its lifetime.
class InDataFolder {
 public:
  InDataFolder() {
    ok_ = getcwd(previous_, sizeof(previous_)) != nullptr && chdir(VANTOR_SOURCE_DIR "/data") == 0;
  }
  ~InDataFolder() {
    if (ok_) {
      EXPECT_EQ(chdir(previous_), 0);
    }
  }
  bool ok() const { return ok_; }

 private:
  char previous_[PATH_MAX] = {};
  bool ok_ = false;
};

}  // namespace font_test

// Profiles as scripts see them through the class "GameRMS".
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "app/game_rms.h"
#include "bare_game_app.h"
#include "rms_test_support.h"

namespace {

using rms_test::ScriptedStore;

class ProfileScriptTest : public ::testing::Test {
 protected:
  std::vector<std::string> Comments() const { return rms_test::Messages(MSG_COMMENT); }
  std::vector<std::string> Warnings() const { return rms_test::Messages(MSG_WARNING); }

  TempFolder folder_;
  GameRMS store_{(folder_.Path() / "vantor.rms").string()};
  ScriptedStore lua_{store_};
  LogCapture log_;
};

TEST_F(ProfileScriptTest, AddingAnnAndBobThenDeletingAnnLeavesBobCurrent) {
  lua_.Expect({{"rms:AddProfile('Ann', 'english', 'home')", "true"},
               {"rms:GetProfileC()", "1"},
               {"rms:AddProfile('Bob', 'english', 'home')", "true"},
               {"rms:GetProfileC()", "2"},
               {"rms:GetName()", "Bob"},
               {"rms:GetCurrentProfile()", "1"}});
  ASSERT_TRUE(lua_.Run("rms:DeleteProfile(0)"));
  lua_.Expect({{"rms:GetProfileC()", "1"},
               {"rms:GetNameFromID(0)", "Bob"},
               {"rms:GetCurrentProfile()", "0"},
               {"rms:GetName()", "Bob"}});
  EXPECT_EQ(Comments(), (std::vector<std::string>{"Adding profile Ann [ english] to index 0  [MSG_COMMENT]\n",
                                                  "Adding profile Bob [ english] to index 1  [MSG_COMMENT]\n",
                                                  "Deleting profile 0, 1 profiles left  [MSG_COMMENT]\n"}));
}

TEST_F(ProfileScriptTest, DeletingBeforeTheCurrentProfileFollowsIt) {
  ASSERT_TRUE(lua_.Run("for _, n in ipairs({'A', 'B', 'C'}) do rms:AddProfile(n, 'english', 'x') end "
                       "rms:DeleteProfile(1)"));
  lua_.Expect({{"rms:GetCurrentProfile()", "1"}, {"rms:GetName()", "C"}, {"rms:GetNameFromID(0)", "A"}});
  // Deleting the current profile makes the previous one current; deleting
  // profile 0 while current leaves none.
  ASSERT_TRUE(lua_.Run("rms:DeleteProfile(1)"));
  lua_.Expect({{"rms:GetName()", "A"}, {"rms:GetCurrentProfile()", "0"}});
  ASSERT_TRUE(lua_.Run("rms:DeleteProfile(0)"));
  lua_.Expect({{"rms:GetCurrentProfile()", "-1"}, {"rms:ProfileValid()", "false"}, {"rms:GetName()", ""}});
}

TEST_F(ProfileScriptTest, WithoutAProfileGettersGiveDefaultsAndSettersChangeNothing) {
  ASSERT_TRUE(lua_.Run("rms:SetScore(5, 900) rms:SetOpen(5, 2) rms:SetRank(5, 1) rms:SetTrophyValue(2, 4) "
                       "rms:SetLanguage('german')"));
  lua_.Expect({{"rms:GetRank(5)", "100"},
               {"rms:IsOpen(5)", "0"},
               {"rms:IsCleared(5)", "false"},
               {"rms:GetScore(5)", "0"},
               {"rms:GetTrophyValue(2)", "-1"},
               {"rms:GetName()", ""},
               {"rms:GetLanguage()", "english"},
               {"rms:GetLocation()", "english"},
               {"rms:GetLanguageFromID(0)", ""},
               {"rms:GetLocationFromID(0)", ""}});
  // A new profile's levels are closed with rank 0, unlike a reset store's.
  ASSERT_TRUE(lua_.Run("rms:AddProfile('Ann', 'english', 'home')"));
  lua_.Expect({{"rms:GetScore(5)", "0"}, {"rms:IsOpen(5)", "0"}, {"rms:GetRank(5)", "0"},
               {"rms:GetTrophyValue(2)", "0"}});
}

TEST_F(ProfileScriptTest, LevelsAndTrophiesOutsideTheirRangesAreRefused) {
  ASSERT_TRUE(lua_.Run("rms:AddProfile('Ann', 'english', 'home') "
                       "rms:SetOpen(199, 2) rms:SetScore(200, 5) rms:SetScore(-1, 5) "
                       "rms:SetTrophyValue(99, 3) rms:SetTrophyValue(100, 3) rms:SetRank(0.9, 42)"));
  lua_.Expect({{"rms:IsCleared(199)", "true"},
               {"rms:IsOpen(199.7)", "2"},
               {"rms:GetRank(200)", "100"},
               {"rms:GetRank(-1)", "100"},
               {"rms:GetScore(200)", "0"},
               {"rms:GetTrophyValue(99)", "3"},
               {"rms:GetTrophyValue(100)", "-1"},
               {"rms:GetRank(0)", "42"}});
}

TEST_F(ProfileScriptTest, TextsOfMoreThan24CharactersAreRefusedOrCut) {
  const std::string name24(24, 'n');
  const std::string name25(25, 'n');
  lua_.Expect({{"rms:AddProfile('" + name24 + "', 'english', 'home')", "true"},
               {"rms:GetName()", name24},
               {"rms:AddProfile('" + name25 + "', 'english', 'home')", "false"},
               {"rms:AddProfile('Bob', '" + name25 + "', 'home')", "false"},
               {"rms:AddProfile('Bob', 'english', '" + name25 + "')", "false"},
               {"rms:GetProfileC()", "1"},
               {"rms:GetCurrentProfile()", "0"}});
  ASSERT_TRUE(lua_.Run("rms:SetLanguage('" + std::string(30, 'l') + "')"));
  EXPECT_EQ(lua_.Eval("rms:GetLanguage()"), std::string(24, 'l'));
  EXPECT_EQ(Comments().size(), 1u);
}

TEST_F(ProfileScriptTest, ProfileIdsAreCheckedAndTruncated) {
  ASSERT_TRUE(lua_.Run("rms:AddProfile('A', 'english', 'x') rms:AddProfile('B', 'french', 'y') "
                       "rms:SetProfile(0.9) rms:SetProfile(2) rms:DeleteProfile(-1)"));
  lua_.Expect({{"rms:GetCurrentProfile()", "0"},
               {"rms:GetLanguageFromID(1.5)", "french"},
               {"rms:GetLocationFromID(1)", "y"},
               {"rms:GetMaxProfileC()", "10"}});
  EXPECT_EQ(Comments().back(), "Setting profile 0  [MSG_COMMENT]\n");
  EXPECT_EQ(Warnings(), (std::vector<std::string>{"Invalid profile ID 2  [MSG_WARNING]\n",
                                                  "Invalid profile ID -1  [MSG_WARNING]\n"}));
}

TEST_F(ProfileScriptTest, AnEleventhProfileIsRefused) {
  ASSERT_TRUE(lua_.Run("for i = 1, 11 do last = rms:AddProfile('P' .. i, 'english', 'x') end"));
  lua_.Expect({{"last", "false"}, {"rms:GetProfileC()", "10"}, {"rms:GetName()", "P10"}});
  EXPECT_EQ(Warnings(), std::vector<std::string>{"Unable to add a profile.. delete one first!  [MSG_WARNING]\n"});
}

TEST_F(ProfileScriptTest, SettingsAndTheStoreOperationsAreReachable) {
  ASSERT_TRUE(lua_.Run("rms:SetSoundVolume(130.5) rms:SetMusicVolume(-4) rms:SetUseFullscreenEnabled(false) "
                       "rms:AddProfile('A', 'english', 'x') rms:Save()"));
  lua_.Expect({{"rms:GetSoundVolume()", "130.5"},
               {"rms:GetMusicVolume()", "-4"},
               {"rms:IsUseFullscreenEnabled()", "false"}});
  ASSERT_TRUE(lua_.Run("rms:Reset()"));
  lua_.Expect({{"rms:GetProfileC()", "0"}, {"rms:IsUseFullscreenEnabled()", "true"}, {"rms:GetSoundVolume()", "50"}});
  // Loading brings the saved volumes into range: 50 in place of 130.5 and -4.
  ASSERT_TRUE(lua_.Run("rms:Load()"));
  lua_.Expect({{"rms:GetProfileC()", "1"}, {"rms:GetSoundVolume()", "50"}, {"rms:GetMusicVolume()", "50"}});
}

TEST(RecordStoreOfTheApplication, ScriptsFindTheApplicationsStore) {
  const std::string path = GetUserDataPath() + "rms_app_test.rms";
  std::remove(path.c_str());
  LuaPlus::LuaState* state = script::CreateLuaState();
  GameRMS::RegisterLua(state);
  ASSERT_EQ(state->DoString("none = GetRMS() == nil"), 0);
  {
    BareGameApp app("rms_app_test");
    SetApp(&app);
    app.InitSystems();
    ASSERT_NE(app.GetRecordStore(), nullptr);
    EXPECT_EQ(app.GetRecordStore()->GetFileName(), path);
    EXPECT_TRUE(std::filesystem::exists(path));
    ASSERT_EQ(state->DoString("GetRMS():AddProfile('Ann', 'english', 'home')"), 0);
    EXPECT_EQ(app.GetRecordStore()->GetName(), "Ann");
    SetApp(nullptr);
  }
  EXPECT_TRUE(script::GetGlobalObject(state, "none").GetBoolean());
  LuaPlus::LuaState::Destroy(state);
  // The application's store saved itself when it went.
  EXPECT_EQ(GameRMS(path).GetNameFromID(0), "Ann");
  std::remove(path.c_str());
}

}  // namespace

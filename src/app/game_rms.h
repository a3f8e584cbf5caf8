// The record store: the game's settings and up to ten player profiles, kept
// in one fixed-size record file and replaced by a freshly reset one when the
// file is missing or foreign. A profile is current while the store is loaded
// and its current index lies within the profile count.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/rms_block.h"
#include "platform/lua/luaplus.h"

class GameRMS {
 public:
  static constexpr uint32_t kMagic = 0x64666C74;
  static constexpr uint32_t kVersion = 32;

  // Loads the file at once.
  explicit GameRMS(const std::string& fileName);
  // Saves when loaded.
  virtual ~GameRMS();
  GameRMS(const GameRMS&) = delete;
  GameRMS& operator=(const GameRMS&) = delete;

  // A missing file, or one of another magic or version, is reset and saved;
  // the latter is first kept beside the store as "<file>.bad". Fields out of
  // their range are brought into it, with one warning line.
  void Load();
  // Replaces the file as a whole: a failed save leaves the old file as it was.
  void Save();
  // Resets the block in memory only.
  void Reset();

  // Hooks for a derived store.
  virtual void LoadExtra(FILE*) {}
  virtual void SaveExtra(FILE*) {}
  virtual void OnReset() {}
  virtual uint32_t GetMagic() const { return kMagic; }
  virtual uint32_t GetVersion() const { return kVersion; }

  bool IsUseFullscreenEnabled() const { return block_.useFullScreen != 0; }
  void SetUseFullscreenEnabled(bool on) { block_.useFullScreen = on ? 1 : 0; }
  float GetSoundVolume() const { return block_.soundVolume; }
  float GetMusicVolume() const { return block_.musicVolume; }
  // Any value is stored; users clamp at use.
  void SetSoundVolume(float volume) { block_.soundVolume = volume; }
  void SetMusicVolume(float volume) { block_.musicVolume = volume; }

  // Of the current profile; invalid levels and trophies, or no current
  // profile, give the defaults (0, false, 100, 0, -1) and change nothing.
  int IsOpen(int level) const;
  bool IsCleared(int level) const;
  void SetOpen(int level, int state);
  int GetRank(int level) const;
  int GetScore(int level) const;
  void SetRank(int level, int rank);
  void SetScore(int level, int score);
  int GetTrophyValue(int trophy) const;
  void SetTrophyValue(int trophy, int value);

  // False when ten profiles exist or a text is longer than 24 characters;
  // otherwise the new profile, with closed levels of rank 0, becomes current.
  bool AddProfile(const std::string& name, const std::string& language, const std::string& location);
  int GetProfileC() const { return block_.profileCount; }
  int GetCurrentProfile() const { return block_.currentProfile; }
  int GetMaxProfileC() const { return RMSBlock::kMaxProfiles; }
  // Whether the current index lies within the count, loaded or not.
  bool ProfileValid() const;
  void SetProfile(int index);
  // Later profiles move down; the current index follows its profile, and
  // deleting the current one makes the previous one current.
  void DeleteProfile(int index);

  std::string GetName() const;
  std::string GetNameFromID(int index) const;
  // Cut to its first 24 characters.
  void SetLanguage(const std::string& language);
  // "english" without a current profile.
  std::string GetLanguage() const;
  std::string GetLanguageFromID(int index) const;
  // "english" without a current profile.
  std::string GetLocation() const;
  std::string GetLocationFromID(int index) const;

  // The current profile, for the game's own use of its variables; null when
  // no profile is current.
  RMSProfile* GetCurrentProfileRecord();

  const std::string& GetFileName() const { return fileName_; }
  bool IsLoaded() const { return loaded_; }

  // The class "GameRMS" and the global "GetRMS".
  static void RegisterLua(LuaPlus::LuaState* state);

 private:
  const RMSProfile* CurrentProfile() const;
  const RMSProfile* ProfileAt(int index) const;
  RMSLevelRecord* CurrentLevel(int level);
  const RMSLevelRecord* CurrentLevel(int level) const;
  // Reads the file's block over a reset one; false for a wrong magic or version.
  bool ReadBlock(FILE* file);
  void BringIntoRange(RMSBlock& read, int cutTexts) const;
  void KeepUnreadableFile();
  bool WriteFile(const std::string& path);

  RMSBlock block_;
  std::string fileName_;
  bool loaded_ = false;
};

// The record store of the running application; null without one.
GameRMS* GetRMS();

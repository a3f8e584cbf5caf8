#include "app/game_rms.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <utility>
#include <vector>

#include "app/game_application.h"
#include "core/log.h"

GameRMS::GameRMS(const std::string& fileName) : fileName_(fileName) { Load(); }

GameRMS::~GameRMS() {
  if (loaded_) Save();
}

void GameRMS::Load() {
  FILE* file = std::fopen(fileName_.c_str(), "rb");
  if (!file) {
    Reset();
    Save();
    loaded_ = true;
    return;
  }
  loaded_ = true;
  const bool valid = ReadBlock(file);
  std::fclose(file);
  if (valid) return;
  LOG_LINE(MSG_ERROR, "Unable to load RMS.. invalid version# or Magic#");
  KeepUnreadableFile();
  Reset();
  Save();
}

// The profiles of a store that did not load may still be recovered by hand.
void GameRMS::KeepUnreadableFile() {
  const std::string kept = fileName_ + ".bad";
  std::error_code failed;
  std::filesystem::copy_file(fileName_, kept, std::filesystem::copy_options::overwrite_existing, failed);
  if (failed)
    LOG_LINE(MSG_ERROR, "Unable to keep the unreadable RMS file " + fileName_ + " as " + kept + ": " + failed.message());
  else
    LOG_LINE(MSG_WARNING, "The unreadable RMS file is kept as " + kept + " before a reset store replaces it");
}

bool GameRMS::ReadBlock(FILE* file) {
  // What a short file lacks keeps the reset values.
  RMSBlock read;
  read.Reset(GetMagic(), GetVersion());
  std::vector<uint8_t> bytes(RMSBlock::kSize);
  read.Encode(bytes.data());
  const size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
  LoadExtra(file);
  read.Decode(bytes.data());
  // The version and the magic must come from the file, not from the reset block.
  if (got < RMSBlock::kHeaderSize || read.version != GetVersion() || read.magic != GetMagic()) return false;
  if (got < RMSBlock::kSize)
    LOG_LINE(MSG_WARNING, "RMS file " + fileName_ + " holds only " + std::to_string(got) + " of " +
                              std::to_string(RMSBlock::kSize) + " bytes; the rest takes the reset values");
  BringIntoRange(read, RMSBlock::CountUnterminatedTexts(bytes.data(), read.profileCount));
  block_ = read;
  return true;
}

namespace {
// A volume the mixer can use, or the reset value.
bool IsVolumeInRange(float volume) { return std::isfinite(volume) && volume >= 0.0f && volume <= 100.0f; }
}  // namespace

// Values a damaged or hand-edited file may hold and the store would
// otherwise keep and save back. The texts were cut on decoding already.
void GameRMS::BringIntoRange(RMSBlock& read, int cutTexts) const {
  std::vector<std::string> fixes;
  if (read.profileCount < 0 || read.profileCount > RMSBlock::kMaxProfiles) {
    fixes.push_back("counts " + std::to_string(read.profileCount) + " profiles");
    read.profileCount = std::clamp(read.profileCount, 0, RMSBlock::kMaxProfiles);
  }
  // -1 and the count itself are left by the store's own operations and mean
  // no profile, as any other index outside the profiles does.
  if (read.currentProfile < -1 || read.currentProfile > read.profileCount) {
    fixes.push_back("current profile " + std::to_string(read.currentProfile));
    read.currentProfile = -1;
  }
  if (read.useFullScreen > 1) {
    fixes.push_back("full screen " + std::to_string(read.useFullScreen));
    read.useFullScreen = 1;
  }
  for (auto [volume, name] : {std::pair{&read.soundVolume, "sound volume "}, {&read.musicVolume, "music volume "}}) {
    if (IsVolumeInRange(*volume)) continue;
    fixes.push_back(name + std::to_string(*volume));
    *volume = RMSBlock::kResetVolume;
  }
  if (cutTexts > 0) fixes.push_back(std::to_string(cutTexts) + " unterminated texts");
  if (fixes.empty()) return;
  std::string line = "RMS file " + fileName_ + " holds values out of range, brought into range:";
  for (size_t i = 0; i < fixes.size(); ++i) line += (i ? ", " : " ") + fixes[i];
  LOG_LINE(MSG_WARNING, line);
}

// The block goes to a temporary file beside the store, which then replaces
// the store in one step, so a failed save never leaves a damaged store.
void GameRMS::Save() {
  const std::string temporary = fileName_ + ".tmp";
  if (!WriteFile(temporary)) return;
  if (std::rename(temporary.c_str(), fileName_.c_str()) != 0) {
    LOG_LINE(MSG_ERROR, "Unable to save RMS.. cannot replace " + fileName_);
    std::remove(temporary.c_str());
  }
}

bool GameRMS::WriteFile(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    LOG_LINE(MSG_ERROR, "Unable to save RMS.. cannot open " + path);
    return false;
  }
  std::vector<uint8_t> bytes(RMSBlock::kSize);
  block_.Encode(bytes.data());
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  SaveExtra(file);
  written = std::fflush(file) == 0 && !std::ferror(file) && fsync(fileno(file)) == 0 && written;
  written = std::fclose(file) == 0 && written;
  if (!written) {
    LOG_LINE(MSG_ERROR, "Unable to save RMS.. cannot write " + path);
    std::remove(path.c_str());
  }
  return written;
}

void GameRMS::Reset() {
  block_.Reset(GetMagic(), GetVersion());
  OnReset();
}

bool GameRMS::ProfileValid() const {
  return block_.currentProfile >= 0 && block_.currentProfile < block_.profileCount;
}

const RMSProfile* GameRMS::ProfileAt(int index) const {
  if (index < 0 || index >= block_.profileCount) return nullptr;
  return &block_.profiles[static_cast<size_t>(index)];
}

const RMSProfile* GameRMS::CurrentProfile() const { return loaded_ ? ProfileAt(block_.currentProfile) : nullptr; }

RMSProfile* GameRMS::GetCurrentProfileRecord() { return const_cast<RMSProfile*>(CurrentProfile()); }

const RMSLevelRecord* GameRMS::CurrentLevel(int level) const {
  const RMSProfile* profile = CurrentProfile();
  if (!profile || level < 0 || level >= RMSProfile::kLevelCount) return nullptr;
  return &profile->levels[static_cast<size_t>(level)];
}

RMSLevelRecord* GameRMS::CurrentLevel(int level) {
  return const_cast<RMSLevelRecord*>(static_cast<const GameRMS*>(this)->CurrentLevel(level));
}

int GameRMS::IsOpen(int level) const {
  const RMSLevelRecord* record = CurrentLevel(level);
  return record ? record->open : 0;
}

bool GameRMS::IsCleared(int level) const { return IsOpen(level) > 1; }

void GameRMS::SetOpen(int level, int state) {
  if (RMSLevelRecord* record = CurrentLevel(level)) record->open = state;
}

int GameRMS::GetRank(int level) const {
  const RMSLevelRecord* record = CurrentLevel(level);
  return record ? record->rank : 100;
}

int GameRMS::GetScore(int level) const {
  const RMSLevelRecord* record = CurrentLevel(level);
  return record ? record->score : 0;
}

void GameRMS::SetRank(int level, int rank) {
  if (RMSLevelRecord* record = CurrentLevel(level)) record->rank = rank;
}

void GameRMS::SetScore(int level, int score) {
  if (RMSLevelRecord* record = CurrentLevel(level)) record->score = score;
}

int GameRMS::GetTrophyValue(int trophy) const {
  const RMSProfile* profile = CurrentProfile();
  if (!profile || trophy < 0 || trophy >= RMSProfile::kTrophyCount) return -1;
  return profile->trophies[static_cast<size_t>(trophy)];
}

void GameRMS::SetTrophyValue(int trophy, int value) {
  RMSProfile* profile = GetCurrentProfileRecord();
  if (!profile || trophy < 0 || trophy >= RMSProfile::kTrophyCount) return;
  profile->trophies[static_cast<size_t>(trophy)] = value;
}

bool GameRMS::AddProfile(const std::string& name, const std::string& language, const std::string& location) {
  if (block_.profileCount >= RMSBlock::kMaxProfiles) {
    LOG_LINE(MSG_WARNING, "Unable to add a profile.. delete one first!");
    return false;
  }
  // Checked before anything changes, so a refused profile leaves no trace.
  for (const std::string* text : {&name, &language, &location})
    if (text->size() > RMSProfile::kMaxTextLength) return false;
  const int index = block_.profileCount;
  RMSProfile& profile = block_.profiles[static_cast<size_t>(index)];
  profile = RMSProfile();
  profile.name = name;
  profile.language = language;
  profile.location = location;
  block_.currentProfile = index;
  LOG_LINE(MSG_COMMENT, "Adding profile " + name + " [ " + language + "] to index " + std::to_string(index));
  ++block_.profileCount;
  return true;
}

void GameRMS::SetProfile(int index) {
  if (!ProfileAt(index)) {
    LOG_LINE(MSG_WARNING, "Invalid profile ID " + std::to_string(index));
    return;
  }
  block_.currentProfile = index;
  LOG_LINE(MSG_COMMENT, "Setting profile " + std::to_string(index));
}

void GameRMS::DeleteProfile(int index) {
  if (!ProfileAt(index)) {
    LOG_LINE(MSG_WARNING, "Invalid profile ID " + std::to_string(index));
    return;
  }
  auto& profiles = block_.profiles;
  std::move(profiles.begin() + index + 1, profiles.begin() + block_.profileCount, profiles.begin() + index);
  --block_.profileCount;
  profiles[static_cast<size_t>(block_.profileCount)] = RMSProfile();
  LOG_LINE(MSG_COMMENT, "Deleting profile " + std::to_string(index) + ", " + std::to_string(block_.profileCount) +
                            " profiles left");
  if (block_.currentProfile >= index) --block_.currentProfile;
}

std::string GameRMS::GetName() const {
  const RMSProfile* profile = CurrentProfile();
  return profile ? profile->name : std::string();
}

std::string GameRMS::GetNameFromID(int index) const {
  const RMSProfile* profile = ProfileAt(index);
  return profile ? profile->name : std::string();
}

void GameRMS::SetLanguage(const std::string& language) {
  if (RMSProfile* profile = GetCurrentProfileRecord())
    profile->language = language.substr(0, RMSProfile::kMaxTextLength);
}

std::string GameRMS::GetLanguage() const {
  const RMSProfile* profile = CurrentProfile();
  return profile ? profile->language : std::string("english");
}

std::string GameRMS::GetLanguageFromID(int index) const {
  const RMSProfile* profile = ProfileAt(index);
  return profile ? profile->language : std::string();
}

std::string GameRMS::GetLocation() const {
  const RMSProfile* profile = CurrentProfile();
  return profile ? profile->location : std::string("english");
}

std::string GameRMS::GetLocationFromID(int index) const {
  const RMSProfile* profile = ProfileAt(index);
  return profile ? profile->location : std::string();
}

GameRMS* GetRMS() {
  GameApp* app = GetApp();
  return app ? app->GetRecordStore() : nullptr;
}

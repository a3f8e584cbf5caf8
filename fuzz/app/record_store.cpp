// The record store file: read into the store, every profile and the current
// one's levels and trophies asked for, and written back when the store goes.
#include "app/game_rms.h"
#include "fuzz_target.h"

namespace {

constexpr int kLevels = 64;
constexpr int kTrophies = 32;

void Ask(GameRMS& store) {
  store.IsUseFullscreenEnabled();
  store.GetSoundVolume();
  store.GetMusicVolume();
  for (int i = -1; i <= store.GetMaxProfileC(); ++i) {
    store.GetNameFromID(i);
    store.GetLanguageFromID(i);
    store.GetLocationFromID(i);
  }
  store.GetName();
  store.GetLanguage();
  store.GetLocation();
  for (int level = -1; level <= kLevels; ++level) {
    store.IsOpen(level);
    store.IsCleared(level);
    store.GetRank(level);
    store.GetScore(level);
  }
  for (int trophy = -1; trophy <= kTrophies; ++trophy) store.GetTrophyValue(trophy);
  store.GetCurrentProfileRecord();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  GameRMS store(fuzz::WriteInput("vantor.rms", data, size));
  Ask(store);
  store.DeleteProfile(0);
  Ask(store);
  return 0;
}

// A first start's store, and one with profiles and progress, as the store
// writes them.
void WriteSeeds(fuzz::Seeds& seeds) {
  const std::string fresh = fuzz::ScratchPath("fresh.rms");
  { GameRMS store(fresh); }
  seeds.Add("fresh.rms", fuzz::ReadBytes(fresh));
  const std::string played = fuzz::ScratchPath("played.rms");
  {
    GameRMS store(played);
    store.AddProfile("Nefer", "english", "Thebes");
    store.AddProfile("Ankh", "german", "Memphis");
    store.SetOpen(3, 1);
    store.SetRank(3, 4);
    store.SetScore(3, 12000);
    store.SetTrophyValue(2, 7);
  }
  seeds.Add("played.rms", fuzz::ReadBytes(played));
}

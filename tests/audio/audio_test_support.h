// Shared by the sound-system tests: a scratch folder that is the current
// folder meanwhile, so the fixed name "sounds/segments.lua" resolves inside
// it, with the sound layer mixing offline.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "core/script/lua_test_support.h"
#include "platform/audio/bass.h"
#include "platform/audio/bass_testing.h"
#include "platform/sound_fixtures.h"

namespace testsupport {

class AudioTestBase : public ::testing::Test {
 protected:
  void SetUp() override { platform::testing::SetOfflineMixing(true); }
  void TearDown() override {
    BASS_Free();
    platform::testing::SetOfflineMixing(false);
  }

  void WriteText(const std::string& name, const std::string& text) { scratch_.Write(name, text); }
  void WriteBytes(const std::string& name, const sound_fixtures::Bytes& bytes) {
    scratch_.Write(name, std::string(bytes.begin(), bytes.end()));
  }
  // A tenth of a second of a steady level.
  void WriteSound(const std::string& name) {
    WriteBytes(name, sound_fixtures::MakeLevelWav(44100, 1, 4410, 8000));
  }

 private:
  ScratchDir scratch_{true};
};

}  // namespace testsupport

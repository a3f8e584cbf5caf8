// The configuration file: loaded, every kind of setting read (each read
// writes its value back), saved, and the saved file loaded again.
#include "core/script/config_file.h"
#include "fuzz_target.h"

namespace {

void ReadSettings(config::ConfigFile& config) {
  config.GetString("AppName", "Application 1.0");
  config.GetVector("ClearColor", math::Vec3(0.1f, 0.1f, 0.3f));
  config.GetInt("MusicVolume", 70);
  config.GetFloat("Gamma", 1.0f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteInput("config.lua", data, size);
  {
    config::ConfigFile config;
    config.Load(path);
    ReadSettings(config);
  }  // saved here
  config::ConfigFile again;
  again.Load(path);
  ReadSettings(again);
  return 0;
}

// A first run's file as the configuration saves it, and one with more kinds of value.
void WriteSeeds(fuzz::Seeds& seeds) {
  const std::string path = fuzz::ScratchPath("first_run.lua");
  {
    config::ConfigFile config;
    config.Load(path);
    ReadSettings(config);
  }
  seeds.Add("first_run.lua", fuzz::ReadBytes(path));
  seeds.AddText("kinds.lua",
                "Config = { AppName = \"Vantor\", ClearColor = { 0.5, 0.25, 1 }, MusicVolume = 40.9,\n"
                "  Gamma = -2.5e3, Nested = { { 1, 2 }, x = \"\\n\\\"\" }, [3] = true }\n");
}

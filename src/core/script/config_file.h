// The engine's settings: the global table "Config" of a per-user Lua file.
// Every getter stores the value it returns back into the table, so the saved
// file lists each setting that was asked for.
#pragma once
#include <string>

#include "core/math/vector.h"
#include "platform/lua/luaplus.h"

namespace config {

class ConfigFile {
 public:
  ConfigFile() = default;
  // Saves when loaded, then closes the state.
  ~ConfigFile();
  ConfigFile(const ConfigFile&) = delete;
  ConfigFile& operator=(const ConfigFile&) = delete;

  // Runs the file in a fresh state (a missing file leaves the table empty).
  // Always true.
  bool Load(const std::string& path);
  // Writes "Config" back to the loaded path, keys in alphabetical order.
  void Save();

  // Without a state (before Load) getters give the default and setters false.
  float GetFloat(const std::string& key, float def);
  bool SetFloat(const std::string& key, float value);
  int GetInt(const std::string& key, int def);
  bool SetInt(const std::string& key, int value);
  std::string GetString(const std::string& key, const std::string& def);
  bool SetString(const std::string& key, const std::string& value);
  math::Vec3 GetVector(const std::string& key, const math::Vec3& def);
  // Sets entries 1 to 3 of the key's table, keeping any further entries.
  bool SetVector(const std::string& key, const math::Vec3& value);

  // The class "ConfigFile" and the global "GetConfig".
  static void RegisterLua(LuaPlus::LuaState* state);

 private:
  LuaPlus::LuaObject Table() const;

  std::string fileName_;
  LuaPlus::LuaState* state_ = nullptr;
};

// The process-wide configuration, created on first use and saved at exit.
ConfigFile& GetConfig();

}  // namespace config

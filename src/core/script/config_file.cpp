#include "core/script/config_file.h"

#include "core/log.h"
#include "core/script/script_helper.h"

namespace config {

namespace {
const char* const kTableName = "Config";
const unsigned kNoDepthLimit = 0xFFFFFFFF;
}  // namespace

ConfigFile::~ConfigFile() {
  if (!state_) return;
  Save();
  LuaPlus::LuaState::Destroy(state_);
}

bool ConfigFile::Load(const std::string& path) {
  LOG_LINE(MSG_INIT, "Trying to Load Config file " + path);
  fileName_ = path;
  if (state_) LuaPlus::LuaState::Destroy(state_);
  state_ = script::CreateLuaState();
  script::LoadDataScript(state_, path);
  LuaPlus::LuaObject globals = state_->GetGlobals();
  if (!globals[kTableName].IsTable()) globals.CreateTable(kTableName, 0, 0);
  LOG_LINE(MSG_INIT, "Config file Loaded");
  return true;
}

void ConfigFile::Save() {
  if (!state_) return;
  LOG_LINE(MSG_INIT, "Trying to save Config file " + fileName_);
  LuaPlus::LuaStateOutFile file;
  if (!file.Open(fileName_.c_str())) {
    LOG_LINE(MSG_ERROR, "Failed to save Config file saved");
    return;
  }
  state_->DumpObject(file, kTableName, Table(), LuaPlus::LuaState::kDumpAlphabetical, 0,
                     kNoDepthLimit);
  file.Close();
  LOG_LINE(MSG_INIT, "Config file saved");
}

LuaPlus::LuaObject ConfigFile::Table() const {
  return state_ ? state_->GetGlobal(kTableName) : LuaPlus::LuaObject();
}

float ConfigFile::GetFloat(const std::string& key, float def) {
  float value = script::ReadFloat(Table(), key, def);
  SetFloat(key, value);
  return value;
}

bool ConfigFile::SetFloat(const std::string& key, float value) {
  if (!state_) return false;
  Table().SetNumber(key.c_str(), value);
  return true;
}

int ConfigFile::GetInt(const std::string& key, int def) {
  int value = script::ReadInt(Table(), key, def);
  SetInt(key, value);
  return value;
}

bool ConfigFile::SetInt(const std::string& key, int value) {
  if (!state_) return false;
  Table().SetNumber(key.c_str(), value);
  return true;
}

std::string ConfigFile::GetString(const std::string& key, const std::string& def) {
  std::string value = script::ReadString(Table(), key, def);
  SetString(key, value);
  return value;
}

bool ConfigFile::SetString(const std::string& key, const std::string& value) {
  if (!state_) return false;
  Table().SetString(key.c_str(), value.c_str());
  return true;
}

math::Vec3 ConfigFile::GetVector(const std::string& key, const math::Vec3& def) {
  math::Vec3 value = script::ReadVec3(Table(), key, def);
  SetVector(key, value);
  return value;
}

bool ConfigFile::SetVector(const std::string& key, const math::Vec3& value) {
  if (!state_) return false;
  LuaPlus::LuaObject table = Table();
  LuaPlus::LuaObject vector = table[key.c_str()];
  if (!vector.IsTable()) vector = table.CreateTable(key.c_str(), 3, 0);
  vector.SetNumber(1, value.x);
  vector.SetNumber(2, value.y);
  vector.SetNumber(3, value.z);
  return true;
}

ConfigFile& GetConfig() {
  // The log must outlive the configuration, whose destruction saves and logs:
  // statics are destroyed in reverse order of construction.
  GetLog();
  static ConfigFile config;
  return config;
}

}  // namespace config

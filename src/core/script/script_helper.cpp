#include "core/script/script_helper.h"

#include <cstdint>
#include <string_view>

#include <luabind/open.hpp>

#include "core/log.h"
#include "core/text/utf.h"
#include "core/files/vfs.h"

namespace script {

namespace {

// Chunks compile without a name, as text only: a binary chunk from a data
// file could crash the virtual machine.
const char* const kChunkName = "=?";

void LogScriptLine(const std::string& text) { LOG_LINE(MSG_SCRIPT, text); }

// Lua errors unwind with longjmp, so the C functions below keep no C++ object
// alive across a call that may raise one.

// print / LOG / _ALERT: all arguments through tostring (wide strings first
// through towstring), joined by tabs, as one MSG_SCRIPT line.
int HostPrint(lua_State* L) {
  int argc = lua_gettop(L);
  lua_getglobal(L, "towstring");
  lua_getglobal(L, "tostring");
  const int towstring = argc + 1;
  const int tostring = argc + 2;
  int pieces = 0;
  for (int i = 1; i <= argc; ++i) {
    luaL_checkstack(L, 4, "too many arguments to print");
    if (i > 1) {
      lua_pushliteral(L, "\t");
      ++pieces;
    }
    lua_pushvalue(L, tostring);
    if (lua_towstring(L, i)) {
      lua_pushvalue(L, towstring);
      lua_pushvalue(L, i);
      lua_call(L, 1, 1);
      if (!lua_towstring(L, -1)) return luaL_error(L, "`tostring' must return a string to `print'");
    } else {
      lua_pushvalue(L, i);
    }
    lua_call(L, 1, 1);
    if (!lua_tostring(L, -1)) return luaL_error(L, "`tostring' must return a string to `print'");
    ++pieces;
  }
  lua_concat(L, pieces);
  size_t length = 0;
  const char* text = lua_tolstring(L, -1, &length);
  LogScriptLine(std::string(text, length));
  return 0;
}

// tostring of a wide string: its UTF-8 text. Lua values have no display
// limit, so the whole text converts.
int WideToString(lua_State* L) {
  const char16_t* wide = lua_towstring(L, 1);
  std::string text = wide ? lang::Utf16ToUtf8(wide, SIZE_MAX) : std::string();
  lua_pushlstring(L, text.data(), text.size());
  return 1;
}

// towstring(v): a wide string as itself, a string or number as its UTF-16
// conversion, anything else nil.
int ToWideString(lua_State* L) {
  if (lua_towstring(L, 1)) {
    lua_settop(L, 1);
    return 1;
  }
  if (lua_type(L, 1) != LUA_TSTRING && lua_type(L, 1) != LUA_TNUMBER) {
    lua_pushnil(L);
    return 1;
  }
  size_t length = 0;
  const char* text = lua_tolstring(L, 1, &length);
  std::u16string wide = lang::Utf8ToUtf16(std::string_view(text, length), SIZE_MAX);
  lua_pushwstring(L, wide.data(), wide.size());
  return 1;
}

void InstallWideStrings(LuaPlus::LuaState* state) {
  lua_State* L = state->GetCState();
  luaL_newmetatable(L, LuaPlus::kWideStringMetatable);
  lua_pushcfunction(L, WideToString);
  lua_setfield(L, -2, "__tostring");
  lua_pop(L, 1);
  state->GetGlobals().Register("towstring", ToWideString, 0);
}

// Data files run at most this many virtual-machine instructions: far above
// what any of the game's files needs (the largest takes a few thousand, a
// room of a million blocks about seven million), so that one looping forever
// fails to load as a broken one does instead of hanging the game.
constexpr int kDataInstructionBudget = 10000000;

void StopPastBudget(lua_State* L, lua_Debug*) {
  luaL_error(L, "Script stopped: it ran past the %d instructions a data file may take", kDataInstructionBudget);
}

// A name inside the game's data: relative, and never climbing above where
// it starts.
bool IsDataName(std::string_view name) {
  if (name.empty() || name[0] == '/' || name[0] == '\\' || name.find(':') != std::string_view::npos) return false;
  int depth = 0;
  while (!name.empty()) {
    const size_t end = name.find_first_of("/\\");
    const std::string_view part = name.substr(0, end);
    if (part == "..") {
      if (--depth < 0) return false;
    } else if (!part.empty() && part != ".") {
      ++depth;
    }
    name = end == std::string_view::npos ? std::string_view() : name.substr(end + 1);
  }
  return true;
}

enum class ChunkStatus { kLoaded, kMissing, kBroken };

// Reads the named file through the virtual file system and compiles it,
// leaving the chunk (or the compile error) on the stack. Names outside the
// game's data count as missing.
ChunkStatus LoadChunk(lua_State* L, const char* name) {
  if (!IsDataName(name)) return ChunkStatus::kMissing;
  vfs::FileData file;
  if (!vfs::GetVFS().LoadFile(name, file)) return ChunkStatus::kMissing;
  int status = luaL_loadbufferx(L, reinterpret_cast<const char*>(file.data), file.size,
                                kChunkName, "t");
  return status == LUA_OK ? ChunkStatus::kLoaded : ChunkStatus::kBroken;
}

int HostDofile(lua_State* L) {
  const char* name = luaL_optstring(L, 1, nullptr);
  if (!name) {
    LogScriptLine("Unable to load file!");
    return luaL_error(L, "Unable to load file!");
  }
  lua_settop(L, 1);
  switch (LoadChunk(L, name)) {
    case ChunkStatus::kMissing:
      LogScriptLine(std::string("Unable to load script file ") + name);
      return luaL_error(L, "Unable to load script file %s", name);
    case ChunkStatus::kBroken:
      LogScriptLine(std::string("Error executing block from ") + name);
      return lua_error(L);
    case ChunkStatus::kLoaded:
      break;
  }
  lua_call(L, 0, LUA_MULTRET);
  return lua_gettop(L) - 1;
}

// Components of a table of exactly `count` entries into `out`; entries that
// are not numbers keep their value in `out`. False for any other value.
bool ReadComponents(const LuaPlus::LuaObject& value, float* out, int count) {
  if (!value.IsTable() || value.GetTableCount() != count) return false;
  for (int i = 0; i < count; ++i) out[i] = ToFloat(value[i + 1], out[i]);
  return true;
}

}  // namespace

LuaPlus::LuaState* CreateLuaState() {
  LuaPlus::LuaState* state = LuaPlus::LuaState::Create(true, false);
  if (!state) return nullptr;
  luabind::open(state->GetCState());
  InstallWideStrings(state);
  LuaPlus::LuaObject globals = state->GetGlobals();
  globals.Register("LOG", HostPrint, 0);
  globals.Register("_ALERT", HostPrint, 0);
  globals.Register("print", HostPrint, 0);
  globals.Register("dofile", HostDofile, 0);
  return state;
}

bool LoadScript(LuaPlus::LuaState* state, const std::string& path) {
  if (path.empty()) {
    LOG_LINE(MSG_ERROR, "Failed to load script file " + path + ". Program may become unstable.");
    return false;
  }
  vfs::FileData file;
  if (!vfs::GetVFS().LoadFile(path, file)) {
    LogScriptLine("Unable to load script file " + path);
    return false;
  }
  if (state->DoBuffer(reinterpret_cast<const char*>(file.data), file.size, nullptr) != 0) {
    LogScriptLine("Unable to parse script file " + path);
    return false;
  }
  LOG_LINE(MSG_INIT, "LUA Script " + path + " Loaded from " + file.name);
  return true;
}

bool LoadDataScript(LuaPlus::LuaState* state, const std::string& path) {
  lua_State* L = state->GetCState();
  lua_sethook(L, StopPastBudget, LUA_MASKCOUNT, kDataInstructionBudget);
  const bool loaded = LoadScript(state, path);
  lua_sethook(L, nullptr, 0, 0);
  return loaded;
}

LuaPlus::LuaObject GetGlobalObject(LuaPlus::LuaState* state, const std::string& name) {
  return state->GetGlobal(name.c_str());
}

LuaPlus::LuaObject GetField(const LuaPlus::LuaObject& table, const std::string& key) {
  // Indexing a nil or invalid object yields nil.
  return table[key.c_str()];
}

bool EnsureGlobalTable(const std::string& name, LuaPlus::LuaState* state) {
  LuaPlus::LuaObject globals = state->GetGlobals();
  if (globals[name.c_str()].IsNil()) globals.CreateTable(name.c_str(), 0, 0);
  return false;
}

float ToFloat(const LuaPlus::LuaObject& value, float def) {
  return value.IsNumber() ? static_cast<float>(value.GetNumber()) : def;
}

std::string ToString(const LuaPlus::LuaObject& value, const std::string& def) {
  return value.IsString() ? std::string(value.GetString()) : def;
}

math::Vec2 ToVec2(const LuaPlus::LuaObject& value, const math::Vec2& def) {
  float v[2] = {def.x, def.y};
  return ReadComponents(value, v, 2) ? math::Vec2(v[0], v[1]) : def;
}

math::Vec3 ToVec3(const LuaPlus::LuaObject& value, const math::Vec3& def) {
  float v[3] = {def.x, def.y, def.z};
  return ReadComponents(value, v, 3) ? math::Vec3(v[0], v[1], v[2]) : def;
}

math::Vec4 ToVec4(const LuaPlus::LuaObject& value, const math::Vec4& def) {
  float v[4] = {def.x, def.y, def.z, def.w};
  return ReadComponents(value, v, 4) ? math::Vec4(v[0], v[1], v[2], v[3]) : def;
}

int ReadInt(const LuaPlus::LuaObject& table, const std::string& key, int def) {
  LuaPlus::LuaObject value = GetField(table, key);
  return value.IsNumber() ? value.GetInteger() : def;
}

bool ReadBool(const LuaPlus::LuaObject& table, const std::string& key, bool def) {
  LuaPlus::LuaObject value = GetField(table, key);
  if (value.IsNumber()) return value.GetInteger() != 0;
  if (value.IsBoolean()) return value.GetBoolean();
  return def;
}

float ReadFloat(const LuaPlus::LuaObject& table, const std::string& key, float def) {
  return ToFloat(GetField(table, key), def);
}

std::string ReadString(const LuaPlus::LuaObject& table, const std::string& key,
                       const std::string& def) {
  return ToString(GetField(table, key), def);
}

math::Vec2 ReadVec2(const LuaPlus::LuaObject& table, const std::string& key, const math::Vec2& def) {
  return ToVec2(GetField(table, key), def);
}

math::Vec3 ReadVec3(const LuaPlus::LuaObject& table, const std::string& key, const math::Vec3& def) {
  return ToVec3(GetField(table, key), def);
}

math::Vec4 ReadVec4(const LuaPlus::LuaObject& table, const std::string& key, const math::Vec4& def) {
  return ToVec4(GetField(table, key), def);
}

float ReadGlobalFloat(LuaPlus::LuaState* state, const std::string& tableName,
                      const std::string& key, float def) {
  return ReadFloat(GetGlobalObject(state, tableName), key, def);
}

}  // namespace script

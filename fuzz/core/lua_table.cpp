// Lua data files as every table reader meets them: the script run in a fresh
// state, then each global table walked with the typed readers (every key read
// as each type, positional entries and sub-tables followed a few levels
// down), as panels, sprite sets, particle files and the rest read theirs.
#include <string>
#include <vector>

#include "core/script/lua_writer.h"
#include "core/script/script_helper.h"
#include "fuzz_target.h"

namespace {

constexpr int kMaxDepth = 4;
constexpr int kMaxEntries = 64;

// The string keys of the table at the stack top, at most kMaxEntries.
std::vector<std::string> KeysOf(lua_State* L) {
  std::vector<std::string> keys;
  lua_pushnil(L);
  while (lua_next(L, -2)) {
    if (lua_type(L, -2) == LUA_TSTRING && keys.size() < kMaxEntries) keys.emplace_back(lua_tostring(L, -2));
    lua_pop(L, 1);
  }
  return keys;
}

void Walk(const LuaPlus::LuaObject& table, int depth) {
  lua_State* L = table.GetCState();
  table.Push(L);
  const std::vector<std::string> keys = KeysOf(L);
  lua_pop(L, 1);
  for (const std::string& key : keys) {
    script::ReadInt(table, key, 0);
    script::ReadBool(table, key, false);
    script::ReadFloat(table, key, 0.0f);
    script::ReadString(table, key, "");
    script::ReadVec2(table, key, math::Vec2(1, 2));
    script::ReadVec3(table, key, math::Vec3(1, 2, 3));
    script::ReadVec4(table, key, math::Vec4(1, 2, 3, 4));
    LuaPlus::LuaObject field = script::GetField(table, key);
    if (field.IsTable() && depth < kMaxDepth) Walk(field, depth + 1);
  }
  const int count = table.GetTableCount();
  for (int i = 1; i <= count && i <= kMaxEntries; ++i) {
    LuaPlus::LuaObject entry = table[i];
    script::ToFloat(entry, 0.0f);
    script::ToString(entry, "");
    if (entry.IsTable() && depth < kMaxDepth) Walk(entry, depth + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  LuaPlus::LuaState* state = script::CreateLuaState();
  if (script::LoadScript(state, fuzz::WriteInput("data.lua", data, size))) {
    LuaPlus::LuaObject globals = state->GetGlobals();
    lua_State* L = state->GetCState();
    globals.Push(L);
    const std::vector<std::string> names = KeysOf(L);
    lua_pop(L, 1);
    for (const std::string& name : names) {
      LuaPlus::LuaObject global = script::GetGlobalObject(state, name);
      if (global.IsTable()) Walk(global, 0);
    }
  }
  LuaPlus::LuaState::Destroy(state);
  return 0;
}

// The game's own data files, and one the engine's table writer made.
void WriteSeeds(fuzz::Seeds& seeds) {
  for (const char* file : {"data/scripts/console.lua", "data/scripts/swear.lua", "data/sounds/soundbank.lua",
                           "data/sounds/segments.lua"})
    seeds.AddSourceFile(file);
  const std::string path = fuzz::ScratchPath("written.lua");
  WriteLua writer;
  writer.Open(path);
  writer.BeginTable("Panel");
  writer.WriteString("Name", "main \"menu\"");
  writer.WriteWString("Title", u"Vantor \u00A3");
  writer.WriteInt("Flags", 3);
  writer.WriteFloat("Alpha", 0.5f);
  writer.WriteVec2("Pos", math::Vec2(0.25f, 0.75f));
  writer.WriteVec4("Colour", math::Vec4(1, 0.5f, 0.25f, 1));
  writer.BeginTable("-- Child entry");
  writer.WriteString("Type", "Text");
  writer.EndTable(true);
  writer.EndTable(false);
  writer.Close();
  seeds.Add("written.lua", fuzz::ReadBytes(path));
}

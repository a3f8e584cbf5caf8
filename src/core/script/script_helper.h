// The script host: prepared Lua states, scripts loaded through the virtual
// file system, and typed readers of Lua tables that fall back to a default
// given at each call (missing key, wrong type, wrong vector size).
#pragma once
#include <string>

#include "core/math/vector.h"
#include "platform/lua/luaplus.h"

namespace script {

// A state with the standard libraries and luabind opened, wide strings
// converting to and from UTF-8 ("towstring", and tostring of a wide string),
// and the globals "LOG", "_ALERT", "print" (one MSG_SCRIPT log line) and
// "dofile" (through the virtual file system, names inside the game's data
// only: an absolute name or one climbing out with ".." counts as missing)
// installed.
LuaPlus::LuaState* CreateLuaState();
// Loads the file through the virtual file system and runs it; false, with a
// log line, when it cannot be read, compiled or run.
bool LoadScript(LuaPlus::LuaState* state, const std::string& path);
// LoadScript for a data file (settings, rooms, panels, sprite sets...): the
// run, with whatever it does through dofile, stops with an error past an
// instruction budget far above any real file's need. The game's own scripts
// and the console are not bounded.
bool LoadDataScript(LuaPlus::LuaState* state, const std::string& path);
LuaPlus::LuaObject GetGlobalObject(LuaPlus::LuaState* state, const std::string& name);
// Nil when the table object is invalid or nil, else the field.
LuaPlus::LuaObject GetField(const LuaPlus::LuaObject& table, const std::string& key);
// Stores an empty table under the name when the global is nil. Always false.
bool EnsureGlobalTable(const std::string& name, LuaPlus::LuaState* state);

float ToFloat(const LuaPlus::LuaObject& value, float def);
std::string ToString(const LuaPlus::LuaObject& value, const std::string& def);
math::Vec2 ToVec2(const LuaPlus::LuaObject& value, const math::Vec2& def);
math::Vec3 ToVec3(const LuaPlus::LuaObject& value, const math::Vec3& def);
math::Vec4 ToVec4(const LuaPlus::LuaObject& value, const math::Vec4& def);

// A number, truncated toward zero.
int ReadInt(const LuaPlus::LuaObject& table, const std::string& key, int def);
// A number (non-zero once truncated) or a Lua boolean.
bool ReadBool(const LuaPlus::LuaObject& table, const std::string& key, bool def);
float ReadFloat(const LuaPlus::LuaObject& table, const std::string& key, float def);
std::string ReadString(const LuaPlus::LuaObject& table, const std::string& key,
                       const std::string& def);
// A table of exactly as many entries (all keys counted) as the vector has.
math::Vec2 ReadVec2(const LuaPlus::LuaObject& table, const std::string& key, const math::Vec2& def);
math::Vec3 ReadVec3(const LuaPlus::LuaObject& table, const std::string& key, const math::Vec3& def);
math::Vec4 ReadVec4(const LuaPlus::LuaObject& table, const std::string& key, const math::Vec4& def);
float ReadGlobalFloat(LuaPlus::LuaState* state, const std::string& tableName,
                      const std::string& key, float def);

}  // namespace script

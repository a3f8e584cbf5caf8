// Many data files are Lua scripts whose one global array lists records
// (sound sets, sprite sets, segments); this walks them.
#pragma once
#include <functional>
#include <string>

#include "platform/lua/luaplus.h"

namespace script {

// Runs the file in a fresh Lua state and hands every element of the global
// array `tableName` that is a table to `record`, from index 1 while the index
// is not above the table's entry count (read again before each element). False
// when the file did not run; the state is gone either way.
bool ReadRecords(const std::string& fileName, const char* tableName,
                 const std::function<void(const LuaPlus::LuaObject&)>& record);

}  // namespace script

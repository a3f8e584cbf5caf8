#include "core/script/lua_records.h"

#include "core/script/script_helper.h"

namespace script {

bool ReadRecords(const std::string& fileName, const char* tableName,
                 const std::function<void(const LuaPlus::LuaObject&)>& record) {
  LuaPlus::LuaState* state = CreateLuaState();
  bool loaded = LoadDataScript(state, fileName);
  if (loaded) {
    // Every object must be gone before the state is.
    LuaPlus::LuaObject list = GetGlobalObject(state, tableName);
    for (int i = 1, count = list.GetTableCount(); i <= count; ++i) {
      LuaPlus::LuaObject element = list[i];
      if (element.IsTable()) record(element);
    }
  }
  LuaPlus::LuaState::Destroy(state);
  return loaded;
}

}  // namespace script

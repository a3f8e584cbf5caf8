// Lua globals of the map's hints. Each reaches the map state that is on
// screen ("map", else a "market" made as a map) and does nothing otherwise.
#include <luabind/luabind.hpp>

#include "game/qor_map_state.h"
#include "platform/lua/luaplus.h"
#include "ui/widgets/ui_widget.h"

namespace {

void LuaTriggerHint(const std::string& name, const math::Vec2& topLeft, const math::Vec2& bottomRight) {
  if (QORMapState* map = QORMapState::GetActiveMapState()) map->TriggerHint(name, topLeft, bottomRight);
}

void LuaTriggerHintWidget(const std::string& name, const ui::UIWidget* widget) {
  if (QORMapState* map = QORMapState::GetActiveMapState()) map->TriggerHintAtWidget(name, widget);
}

void LuaDisableHint() {
  if (QORMapState* map = QORMapState::GetActiveMapState()) map->DisableHint();
}

}  // namespace

void QORMapState::RegisterLua(LuaPlus::LuaState* state) {
  luabind::module(state->GetCState())[luabind::def("TriggerHint", &LuaTriggerHint),
                                      luabind::def("TriggerHintWidget", &LuaTriggerHintWidget),
                                      luabind::def("DisableHint", &LuaDisableHint)];
}

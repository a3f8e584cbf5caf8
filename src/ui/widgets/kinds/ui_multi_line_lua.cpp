// The multi-line widget's script class.
#include <luabind/luabind.hpp>

#include "platform/lua/luaplus.h"
#include "ui/widgets/kinds/ui_multi_line.h"

namespace ui {

void UIMultiLine::RegisterLua(LuaPlus::LuaState* state) {
  luabind::module(state->GetCState())[luabind::class_<UIMultiLine, UIWidget>("MultiLineWidget")
                                          .def("ScrollUp", &UIMultiLine::ScrollUp)
                                          .def("ScrollDown", &UIMultiLine::ScrollDown)];
}

}  // namespace ui

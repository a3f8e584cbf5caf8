// The widget's script class. Its methods come with the widget kinds; for
// now scripts hand widgets and panels on to the engine.
#include <luabind/luabind.hpp>

#include "platform/luaplus.h"
#include "ui/ui_part2d_widget.h"
#include "ui/ui_widget.h"

namespace ui {

void UIWidget::RegisterLua(LuaPlus::LuaState* state) {
  luabind::module(state->GetCState())[
      luabind::class_<UIWidget>("Widget")
          .def("GetPartWidgetByName", &UIWidget::GetPartWidgetByName)];
}

}  // namespace ui

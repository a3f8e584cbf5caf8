// The check box's script class, under the slider's class name.
#include <luabind/luabind.hpp>

#include "platform/lua/luaplus.h"
#include "ui/widgets/kinds/ui_check_box.h"

namespace ui {

void UICheckBox::RegisterLua(LuaPlus::LuaState* state) {
  luabind::module(state->GetCState())[luabind::class_<UICheckBox, UIWidget>("SliderWidget")
                                          .def("IsChecked", &UICheckBox::IsChecked)
                                          .def("SetChecked", &UICheckBox::SetChecked)];
}

}  // namespace ui

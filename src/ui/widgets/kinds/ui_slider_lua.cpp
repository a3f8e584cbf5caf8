// The slider's script class. The slider, the dropdown and the check box each
// have a class of this name, with its own methods.
#include <luabind/luabind.hpp>

#include "platform/lua/luaplus.h"
#include "ui/widgets/kinds/ui_slider.h"

namespace ui {

void UISlider::RegisterLua(LuaPlus::LuaState* state) {
  luabind::module(state->GetCState())[luabind::class_<UISlider, UIWidget>("SliderWidget")
                                          .def("GetSlider", &UISlider::GetSlider)
                                          .def("SetSlider", &UISlider::SetSlider)];
}

}  // namespace ui

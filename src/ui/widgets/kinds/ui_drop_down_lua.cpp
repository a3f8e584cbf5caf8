// The dropdown's script class, under the slider's class name.
#include <luabind/luabind.hpp>

#include "core/script/lua_adapter.h"
#include "ui/widgets/kinds/ui_drop_down.h"

namespace ui {

void UIDropDown::RegisterLua(LuaPlus::LuaState* state) {
  luabind::module(state->GetCState())[luabind::class_<UIDropDown, UIWidget>("SliderWidget")
                                          .def("GetSelected", &UIDropDown::GetSelected)
                                          .def("GetSelectedText", &UIDropDown::GetSelectedText)
                                          .def("SetCurrentOptionFromText", &UIDropDown::SetCurrentOptionFromText)
                                          .def("GetOriginalSelectedText", &UIDropDown::GetOriginalSelectedText)
                                          .def("IsOpen", &UIDropDown::IsOpen)
                                          .def("SetOpen", &UIDropDown::SetOpen)
                                          .def("AddOption", &UIDropDown::AddOption)
                                          .def("Clear", &UIDropDown::Clear)
                                          .def("SetCurrentOption", script::IntsFromLua<&UIDropDown::SetCurrentOption>)];
}

}  // namespace ui

// The progress bar's script class.
#include <luabind/luabind.hpp>

#include "platform/luaplus.h"
#include "ui/ui_progress.h"

namespace ui {

void UIProgress::RegisterLua(LuaPlus::LuaState* state) {
  luabind::module(state->GetCState())[luabind::class_<UIProgress, UIWidget>("ProgressWidget")
                                          .def("SetProgress", &UIProgress::SetProgress)
                                          .def("GetProgress", &UIProgress::GetProgress)];
}

}  // namespace ui

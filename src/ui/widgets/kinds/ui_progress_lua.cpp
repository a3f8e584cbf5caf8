// The progress bar's script class.
#include <luabind/luabind.hpp>

#include "platform/lua/luaplus.h"
#include "ui/widgets/kinds/ui_progress.h"

namespace ui {

void UIProgress::RegisterLua(LuaPlus::LuaState* state) {
  luabind::module(state->GetCState())[luabind::class_<UIProgress, UIWidget>("ProgressWidget")
                                          .def("SetProgress", &UIProgress::SetProgress)
                                          .def("GetProgress", &UIProgress::GetProgress)];
}

}  // namespace ui

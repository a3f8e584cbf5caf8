// The movie widget's script class. It carries the name "SliderWidget", as
// the panels' scripts know it: registered after the other classes of that
// name, it is the one the name stands for.
#include <luabind/luabind.hpp>

#include "platform/lua/luaplus.h"
#include "ui/widgets/kinds/ui_flash_widget.h"

namespace ui {

void UIFlashWidget::RegisterLua(LuaPlus::LuaState* state) {
  luabind::module(state->GetCState())[
      luabind::class_<UIFlashWidget, UIWidget>("SliderWidget")
          .def("SetFlashClip", &UIFlashWidget::SetFlashClip)
          .def("Reset", &UIFlashWidget::Reset)
          .def("SetLoop", &UIFlashWidget::SetLoop)
          .def("IsLooping", &UIFlashWidget::IsLooping)
          .def("IsPaused", &UIFlashWidget::IsPaused)
          .def("PauseClip", &UIFlashWidget::PauseClip)];
}

}  // namespace ui

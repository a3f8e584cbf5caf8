// The 2D particle widget's script class "Part2DWidget", a "Widget".
#include <luabind/luabind.hpp>

#include "platform/lua/luaplus.h"
#include "ui/widgets/kinds/ui_part2d_widget.h"

namespace ui {

void UIPart2DWidget::RegisterLua(LuaPlus::LuaState* state) {
  luabind::module(state->GetCState())[
      luabind::class_<UIPart2DWidget, UIWidget>("Part2DWidget")
          .def("SetPartFile", &UIPart2DWidget::SetPartFile)
          .def("SavePartFile", &UIPart2DWidget::SavePartFile)
          .def("IsPaused", &UIPart2DWidget::IsPaused)
          .def("SetPaused", &UIPart2DWidget::SetPaused)
          .def("GetPartsys", &UIPart2DWidget::GetPartsys)
          .def("TriggerParticles", &UIPart2DWidget::TriggerParticles)
          .def("ClearParticles", &UIPart2DWidget::ClearParticles)];
  part2d::Part2D::RegisterLua(state);
}

}  // namespace ui

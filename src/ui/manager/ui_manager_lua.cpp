// The UI manager's script class and global.
#include <luabind/luabind.hpp>

#include "platform/lua/luaplus.h"
#include "ui/widgets/kinds/ui_check_box.h"
#include "ui/widgets/kinds/ui_drop_down.h"
#include "ui/widgets/kinds/ui_flash_widget.h"
#include "ui/manager/ui_manager.h"
#include "ui/manager/ui_mover.h"
#include "ui/widgets/kinds/ui_multi_line.h"
#include "ui/widgets/kinds/ui_progress.h"
#include "ui/widgets/kinds/ui_slider.h"
#include "ui/widgets/kinds/ui_part2d_widget.h"
#include "ui/widgets/ui_widget.h"

namespace ui {

namespace {
void ForceLeftAlignFromLua(UIManager&, bool on) { UIManager::ForceLeftAlign(on); }
}  // namespace

void UIManager::RegisterLua(LuaPlus::LuaState* state) {
  // The widget classes in their order; the global "SliderWidget" names the
  // last class registered under it.
  UIWidget::RegisterLua(state);
  UIProgress::RegisterLua(state);
  UISlider::RegisterLua(state);
  UIDropDown::RegisterLua(state);
  UICheckBox::RegisterLua(state);
  UIMultiLine::RegisterLua(state);
  UIFlashWidget::RegisterLua(state);
  UIPart2DWidget::RegisterLua(state);
  UIMover::RegisterLua(state);
  using luabind::class_;
  luabind::module(state->GetCState())[
      class_<UIManager>("UIManager")
          .def("AddPanel", &UIManager::AddPanel)
          .def("GetWidget", &UIManager::GetWidget)
          .def("GetPanel", &UIManager::GetPanel)
          .def("GetFocus", &UIManager::GetFocus)
          .def("SetFocus", &UIManager::SetFocus)
          .def("SetEditWidget", &UIManager::SetEditWidget)
          .def("GetDragTarget", &UIManager::GetDragTarget)
          .def("ExecuteScript", &UIManager::ExecuteScript)
          .def("SavePanel", &UIManager::SavePanel)
          .def("PushPanelToFront", &UIManager::PushPanelToFront)
          .def("PushPanelToBack", &UIManager::PushPanelToBack)
          .def("RefreshActive", &UIManager::RefreshActive)
          .def("ClearEditWidget", &UIManager::ClearEditWidget)
          .def("ForceLeftAlign", &ForceLeftAlignFromLua),
      luabind::def("GetUIMan", &GetUIMan)];
}

}  // namespace ui

// The UI manager's script class and global.
#include <luabind/luabind.hpp>

#include "platform/luaplus.h"
#include "ui/ui_flash_widget.h"
#include "ui/ui_manager.h"
#include "ui/ui_mover.h"
#include "ui/ui_part2d_widget.h"
#include "ui/ui_widget.h"

namespace ui {

namespace {
void ForceLeftAlignFromLua(UIManager&, bool on) { UIManager::ForceLeftAlign(on); }
}  // namespace

void UIManager::RegisterLua(LuaPlus::LuaState* state) {
  UIWidget::RegisterLua(state);
  // The widget kinds' classes come here, "MultiLineWidget" last.
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

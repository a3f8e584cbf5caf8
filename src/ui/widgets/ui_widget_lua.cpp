// The script class "Widget" of every widget. Only SetPosition,
// SetPositionRelativeToParent, SetText and AppendText reach a kind's own
// version; scripts get a kind's own methods from the typed getters. Widgets
// handed to Lua stay owned by their parents.
#include <luabind/luabind.hpp>

#include "platform/lua/luaplus.h"
#include "ui/widgets/kinds/ui_check_box.h"
#include "ui/widgets/kinds/ui_drop_down.h"
#include "ui/widgets/kinds/ui_flash_widget.h"
#include "ui/widgets/kinds/ui_multi_line.h"
#include "ui/widgets/kinds/ui_progress.h"
#include "ui/widgets/kinds/ui_slider.h"
#include "ui/widgets/kinds/ui_part2d_widget.h"
#include "ui/widgets/ui_widget.h"

namespace ui {

namespace {

std::string LuaGetTypeName(const UIWidget& widget) { return GetWidgetTypeName(widget.GetType()); }
math::Vec2 LuaGetPosition(const UIWidget& widget) { return widget.GetPosition(); }
math::Vec2 LuaGetSize(const UIWidget& widget) { return widget.GetSize(); }
bool LuaGetIsActive(const UIWidget& widget) { return widget.IsActive() && widget.IsVisible(); }
uint32_t LuaGetTextColor(const UIWidget& widget) { return widget.GetTextBlock().colour; }

template <int kIndex>
void LuaSetImage(UIWidget& widget, const std::string& name) {
  widget.SetImage(kIndex, name);
}
void LuaSetAllImage(UIWidget& widget, const std::string& name) {
  for (int i = UIWidget::kImageOff; i <= UIWidget::kImageClick; ++i) widget.SetImage(i, name);
}

template <int kEvent>
void LuaSetEvent(UIWidget& widget, const std::string& script) {
  widget.SetEvent(kEvent, script);
}

}  // namespace

void UIWidget::RegisterLua(LuaPlus::LuaState* state) {
  luabind::module(state->GetCState())[
      luabind::class_<UIWidget>("Widget")
          .def("GetName", &UIWidget::GetName)
          .def("GetType", &LuaGetTypeName)
          .def("SetPosition", &UIWidget::SetPosition)
          .def("GetPosition", &LuaGetPosition)
          .def("SetPositionRelativeToParent", &UIWidget::SetPositionRelativeToParent)
          .def("SetSize", &UIWidget::SetSize)
          .def("GetSize", &LuaGetSize)
          .def("SetColor", &UIWidget::SetColor)
          .def("GetColor", &UIWidget::GetColor)
          .def("SetScale", &UIWidget::SetScale)
          .def("GetScale", &UIWidget::GetScale)
          .def("SetRotation", &UIWidget::SetRotation)
          .def("GetRotation", &UIWidget::GetRotation)
          .def("SetCanDrag", &UIWidget::SetCanDrag)
          .def("GetCanDrag", &UIWidget::CanDrag)
          .def("SetIsActive", &UIWidget::SetIsActive)
          .def("GetIsActive", &LuaGetIsActive)
          .def("SetIsVisible", &UIWidget::SetIsVisible)
          .def("GetIsVisible", &UIWidget::IsVisible)
          .def("SetFont", &UIWidget::SetFont)
          .def("GetFont", &UIWidget::GetFont)
          .def("SetText", &UIWidget::SetText)
          .def("AppendText", &UIWidget::AppendText)
          .def("TrimSpaces", &UIWidget::TrimSpaces)
          .def("GetText", &UIWidget::GetText)
          .def("SetTextColor", &UIWidget::SetTextColor)
          .def("GetTextColor", &LuaGetTextColor)
          .def("SelectAllText", &UIWidget::SelectAllText)
          .def("DeleteChild", &UIWidget::DeleteChild)
          .def("RenameWidget", &UIWidget::RenameWidget)
          .def("GetParent", &UIWidget::GetParent)
          .def("GetWidgetByName", &UIWidget::GetWidgetByName)
          .def("GetSliderByName", &UIWidget::GetSliderByName)
          .def("GetProgressByName", &UIWidget::GetProgressByName)
          .def("GetMultiLineByName", &UIWidget::GetMultiLineByName)
          .def("GetDropDownByName", &UIWidget::GetDropDownByName)
          .def("GetCheckBoxByName", &UIWidget::GetCheckBoxByName)
          .def("GetFlashWidgetByName", &UIWidget::GetFlashWidgetByName)
          .def("GetPartWidgetByName", &UIWidget::GetPartWidgetByName)
          .def("SetOffImage", &LuaSetImage<kImageOff>)
          .def("SetOverImage", &LuaSetImage<kImageOver>)
          .def("SetClickImage", &LuaSetImage<kImageClick>)
          .def("SetAllImage", &LuaSetAllImage)
          .def("ClearMovers", &UIWidget::ClearMovers)
          .def("DeleteMovers", &UIWidget::DeleteMovers)
          .def("SetGainFocusEvent", &LuaSetEvent<kGainFocus>)
          .def("SetLooseFocusEvent", &LuaSetEvent<kLooseFocus>)
          .def("SetOnDragEvent", &LuaSetEvent<kDragEvent>)
          .def("SetOnDropEvent", &LuaSetEvent<kDropEvent>)
          .def("SetMouseOverEvent", &LuaSetEvent<kMouseOver>)
          .def("SetMouseOffEvent", &LuaSetEvent<kMouseOff>)
          .def("SetMouseHooverEvent", &LuaSetEvent<kHoover>)
          .def("SetClickLMBEvent", &LuaSetEvent<kLmbClick>)
          .def("SetClickRMBEvent", &LuaSetEvent<kRmbClick>)
          .def("SetRepeatLMBEvent", &LuaSetEvent<kLmbRepeat>)
          .def("SetRepeatRMBEvent", &LuaSetEvent<kRmbRepeat>)
          .def("SetDblClickLMBEvent", &LuaSetEvent<kLmbDoubleClick>)
          .def("SetDblClickRMBEvent", &LuaSetEvent<kRmbDoubleClick>)
          .def("SetReleaseLMBEvent", &LuaSetEvent<kLmbRelease>)
          .def("SetReleaseRMBEvent", &LuaSetEvent<kRmbRelease>)
          .def("SetClipEndedEvent", &LuaSetEvent<kClipEnded>)
          .def("SetTextEnterEvent", &LuaSetEvent<kTextEnter>)
          .def("SetTextSelectedEvent", &LuaSetEvent<kSelected>)];
}

}  // namespace ui

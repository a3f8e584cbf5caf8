// The movers' script functions; each appends a mover to the widget's list
// and does nothing for a nil widget.
#include <luabind/luabind.hpp>

#include <memory>

#include "platform/lua/luaplus.h"
#include "ui/manager/ui_mover.h"
#include "ui/widgets/kinds/ui_progress.h"
#include "ui/widgets/ui_widget.h"

namespace ui {

namespace {

void Add(UIWidget* widget, std::unique_ptr<UIMover> mover) { widget->AddMover(std::move(mover)); }

// A pan starts where the widget stands, relative to its parent.
void AddUIPan(UIWidget* widget, float delay, float duration, const math::Vec2& to, const std::string& script) {
  if (widget) Add(widget, std::make_unique<UIMove>(widget, delay, duration, widget->GetPositionInParent(), to, script));
}

void AddUIMove(UIWidget* widget, float delay, float duration, const math::Vec4& fromTo, const std::string& script) {
  if (widget)
    Add(widget, std::make_unique<UIMove>(widget, delay, duration, math::Vec2{fromTo.x, fromTo.y},
                                         math::Vec2{fromTo.z, fromTo.w}, script));
}

void AddUISine(UIWidget* widget, const math::Vec3& xAxis, const math::Vec3& yAxis) {
  if (widget) Add(widget, std::make_unique<UISine>(widget, xAxis, yAxis));
}

void AddUIXFade(UIWidget* widget, float delay, float duration, const math::Vec2& alphas, const std::string& script) {
  if (widget) Add(widget, std::make_unique<UIXFade>(widget, delay, duration, alphas.x, alphas.y, script));
}

// Only a progress bar takes a sweep.
void AddUIMoveProgress(UIWidget* widget, float duration, float from, float to, const std::string& script) {
  if (widget && widget->GetType() == UIWidget::kTypeProgress)
    Add(widget, std::make_unique<UIMoveProgress>(static_cast<UIProgress*>(widget), duration, from, to, script));
}

void AddUISetImage(UIWidget* widget, float delay, const std::string& image, const std::string& script) {
  if (widget) Add(widget, std::make_unique<UISetImage>(widget, delay, image, script));
}

}  // namespace

void UIMover::RegisterLua(LuaPlus::LuaState* state) {
  luabind::module(state->GetCState())[luabind::def("AddUIPan", &AddUIPan), luabind::def("AddUIMove", &AddUIMove),
                                      luabind::def("AddUISine", &AddUISine), luabind::def("AddUIXFade", &AddUIXFade),
                                      luabind::def("UIMoveProgress", &AddUIMoveProgress),
                                      luabind::def("UISetImage", &AddUISetImage)];
}

}  // namespace ui

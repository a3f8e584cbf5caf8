#include "ui/widgets/widget_lifetime.h"

#include <algorithm>
#include <vector>

#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"

namespace ui {

namespace {

int g_depth = 0;

std::vector<UIWidget*>& Pending() {
  static std::vector<UIWidget*> pending;
  return pending;
}

}  // namespace

WidgetCallScope::WidgetCallScope() { ++g_depth; }

WidgetCallScope::~WidgetCallScope() {
  if (--g_depth > 0) return;
  std::vector<UIWidget*>& pending = Pending();
  while (!pending.empty()) {
    UIWidget* widget = pending.back();
    pending.pop_back();
    delete widget;
  }
}

void DestroyWidget(UIWidget* widget) {
  if (!widget) return;
  widget->MarkDead();
  GetUIMan()->ForgetDeadWidgets();
  if (g_depth == 0) {
    delete widget;
    return;
  }
  std::vector<UIWidget*>& pending = Pending();
  if (std::find(pending.begin(), pending.end(), widget) == pending.end()) pending.push_back(widget);
}

}  // namespace ui

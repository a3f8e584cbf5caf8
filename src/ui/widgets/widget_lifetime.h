// Widgets run Lua scripts, and a script may delete any widget: its own, a
// sibling, its panel. While widget code runs (input, update, load) a widget
// being deleted is unlinked at once but destroyed only when the outermost
// widget call returns, so no running code is left holding a freed widget.
#pragma once

namespace ui {

class UIWidget;

// Marks widget code running for its lifetime; scopes nest.
class WidgetCallScope {
 public:
  WidgetCallScope();
  ~WidgetCallScope();
  WidgetCallScope(const WidgetCallScope&) = delete;
  WidgetCallScope& operator=(const WidgetCallScope&) = delete;
};

// Destroys a widget its owner has already unlinked (null: nothing): at once
// outside widget code, else when the outermost scope ends. The UI manager
// forgets its focus, drag target, open dropdown and edit box when they lie
// in the widget's subtree.
void DestroyWidget(UIWidget* widget);

}  // namespace ui

// The map of temples and rooms, registered as "map": a scripted screen whose
// panel and scripts do the map's work, with first-visit hints that the
// scripts open over the map ("TriggerHint", "TriggerHintWidget") in a help
// box drawn over every panel, above a dimmed backdrop (the panel "hint_bg").
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "core/math/vector.h"
#include "ui/gameflow/game_screen.h"

class QORGameHelp;

namespace LuaPlus {
class LuaState;
}

namespace ui {
class UIWidget;
}

class QORMapState : public gameflow::GameScreen {
 public:
  // The profile's game variables that record a hint as shown.
  static constexpr int32_t kFirstTempleHint = 66;
  static constexpr int32_t kFirstRoomHint = 67;
  static constexpr int32_t kHardLevelHint = 83;
  static constexpr const char* kBackdropPanel = "hint_bg";

  QORMapState(const std::string& enterScript, const std::string& panelFile, camera::PerspectiveCamera* camera,
              const std::string& exitScript);
  ~QORMapState() override;

  // Finds the backdrop among the panels listed before the map's own load.
  bool OnEnter() override;
  // Marks the first-visit hints as seen; an open hint stays open.
  bool OnExit() override;
  bool Tick(float dt) override;
  // The hint, over every panel.
  bool PostRenderUI() override;
  // Any press closes an open hint; the UI still gets the press.
  void OnMouseDown(const input::MouseButton* button, const math::Vec2* point) override;

  // Shows the hint over the rectangle unless the profile has seen it.
  void TriggerHint(const std::string& name, const math::Vec2& topLeft, const math::Vec2& bottomRight);
  // Over the widget's rectangle; nothing for a null widget.
  void TriggerHintAtWidget(const std::string& name, const ui::UIWidget* widget);
  void DisableHint();

  QORGameHelp* GetHelp() const { return help_.get(); }
  ui::UIWidget* GetBackdrop() const { return backdrop_; }

  // "FIRST_TEMPLE" 66, "FIRST_ROOM" 67, "HARD_LEVEL_HINT" 83, in any letter
  // case; 66 for any other name.
  static int32_t HintIdFromName(const std::string& name);
  // The current state when it is the "map" or else the "market" and is a
  // map state; null otherwise.
  static QORMapState* GetActiveMapState();
  // The globals "TriggerHint", "TriggerHintWidget" and "DisableHint".
  static void RegisterLua(LuaPlus::LuaState* state);

 private:
  std::unique_ptr<QORGameHelp> help_;
  // The UI manager's; null when absent.
  ui::UIWidget* backdrop_ = nullptr;
};

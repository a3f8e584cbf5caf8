#include "game/qor_map_state.h"

#include <strings.h>

#include "app/game_rms.h"
#include "board/game_variables.h"
#include "board/help/qor_game_help.h"
#include "ui/gameflow/game_flow_manager.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"

QORMapState::QORMapState(const std::string& enterScript, const std::string& panelFile,
                         camera::PerspectiveCamera* camera, const std::string& exitScript)
    : GameScreen(camera, panelFile, enterScript, exitScript), help_(std::make_unique<QORGameHelp>()) {}

QORMapState::~QORMapState() = default;

int32_t QORMapState::HintIdFromName(const std::string& name) {
  if (strcasecmp(name.c_str(), "FIRST_ROOM") == 0) return kFirstRoomHint;
  if (strcasecmp(name.c_str(), "HARD_LEVEL_HINT") == 0) return kHardLevelHint;
  return kFirstTempleHint;
}

QORMapState* QORMapState::GetActiveMapState() {
  gameflow::GameFlowManager& flow = gameflow::GetGameFlowManager();
  gameflow::GameState* current = flow.GetCurrentState();
  if (!current) return nullptr;
  if (current != flow.FindState("map") && current != flow.FindState("market")) return nullptr;
  // A "market" made by the scripts as a plain screen has no hints.
  return dynamic_cast<QORMapState*>(current);
}

bool QORMapState::OnEnter() {
  // Looked up before the map's own panels load: a backdrop that only the
  // map's file defines is found from the second visit on.
  backdrop_ = GetUIMan()->GetPanel(kBackdropPanel);
  return GameScreen::OnEnter();
}

bool QORMapState::OnExit() {
  if (backdrop_ && GetUIMan()->IsListed(backdrop_)) backdrop_->SetIsVisible(false);
  if (GameRMS* store = GetRMS(); store && store->GetCurrentProfileRecord()) {
    SetInt(kFirstTempleHint, 1);
    SetInt(kFirstRoomHint, 1);
  }
  return GameScreen::OnExit();
}

bool QORMapState::Tick(float dt) {
  help_->Tick(dt);
  ui::UIManager* uiManager = GetUIMan();
  if (backdrop_ && uiManager->IsListed(backdrop_)) {
    const bool open = help_->IsHintOpen();
    backdrop_->SetIsVisible(open);
    if (open) uiManager->PushPanelToFront(backdrop_);
  }
  return GameScreen::Tick(dt);
}

bool QORMapState::PostRenderUI() {
  help_->Draw({0.0f, 0.0f});
  return true;
}

// Every device press reaches every listener: only the map on screen takes them.
void QORMapState::OnMouseDown(const input::MouseButton*, const math::Vec2*) {
  if (IsActive() && help_->IsHintOpen()) help_->CloseHint();
}

void QORMapState::TriggerHint(const std::string& name, const math::Vec2& topLeft, const math::Vec2& bottomRight) {
  const int32_t id = HintIdFromName(name);
  if (GetInt(id) != 1) help_->TriggerHint(id, topLeft, bottomRight);
}

void QORMapState::TriggerHintAtWidget(const std::string& name, const ui::UIWidget* widget) {
  if (widget) TriggerHint(name, widget->GetPosition(), widget->GetPosition() + widget->GetSize());
}

void QORMapState::DisableHint() { help_->CloseHint(); }

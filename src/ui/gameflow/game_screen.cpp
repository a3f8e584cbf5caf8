#include "ui/gameflow/game_screen.h"

#include "core/script/console.h"
#include "render/cameras/perspective_camera.h"
#include "render/device/graphics.h"
#include "render/fonts/font_manager.h"
#include "ui/gameflow/game_flow_manager.h"
#include "ui/gameflow/plain_frame.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"

namespace gameflow {

namespace {
// Screens look straight at the origin from in front.
const math::Vec3 kScreenEye{0.0f, 0.0f, -20.0f}, kScreenTarget{0.0f, 0.0f, 0.0f}, kScreenUp{0.0f, 1.0f, 0.0f};
constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;
}  // namespace

GameScreen::GameScreen(camera::PerspectiveCamera* camera, const std::string& panelFile,
                       const std::string& enterScript, const std::string& exitScript)
    : camera_(camera), enterScript_(enterScript), exitScript_(exitScript) {
  if (!panelFile.empty()) panelFiles_.push_back(panelFile);
}

GameScreen::~GameScreen() = default;

bool GameScreen::OnEnter() {
  GameState::OnEnter();
  ui::UIManager* uiManager = GetUIMan();
  panels_.clear();
  // The UI manager hands back a panel it already lists under the same name.
  for (const std::string& file : panelFiles_)
    if (ui::UIWidget* panel = uiManager->AddPanel(file)) panels_.push_back(panel);
  for (ui::UIWidget* panel : panels_) panel->SetIsVisible(true);
  OnPanelsLoaded();
  if (!enterScript_.empty()) uiManager->ExecuteScript(enterScript_);
  // Loading again releases the image loaded on the entry before.
  fadeSprite_.LoadImage(kFadeImage);
  fadeSprite_.uv1 = {0.0f, 0.0f};
  fadeSprite_.uv2 = {1.0f, 1.0f};
  fadeSprite_.SetRect({0.0f, 0.0f}, {1.0f, 1.0f}, 0.0f, 0, kOpaqueWhite);
  fadeSprite_.additive = 0;
  if (camera_) {
    uiManager->SetCamera(camera_);
    camera_->LookAt(kScreenEye, kScreenTarget, kScreenUp);
  }
  return true;
}

bool GameScreen::OnExit() {
  GameState::OnExit();
  ui::UIManager* uiManager = GetUIMan();
  // A script may have dropped a panel meanwhile: only listed ones are still there.
  for (ui::UIWidget* panel : panels_)
    if (uiManager->IsListed(panel)) panel->SetIsVisible(false);
  if (!exitScript_.empty()) uiManager->ExecuteScript(exitScript_);
  return true;
}

bool GameScreen::Tick(float dt) {
  GameState::Tick(dt);
  GetUIMan()->Update(dt);
  if (camera_) camera_->Update(dt);
  return true;
}

bool GameScreen::Render() {
  Graphics* graphics = GetGraphics();
  if (!graphics) return true;  // nothing to draw on
  if (!BeginFrame(*graphics)) return false;
  graphics->SetDefaultRenderStates();
  PreRenderUI();
  const bool filtering = graphics->GetFiltering();
  graphics->SetFiltering(true);
  GetUIMan()->Render();
  PostRenderUI();
  GetConsole()->Render();
  GetFontManager()->FlushText();
  graphics->SetFiltering(filtering);
  RenderFade();
  return EndFrame(*graphics);
}

bool GameScreen::BeginFrame(Graphics& graphics) {
  return camera_ ? camera_->Begin(true) : BeginPlainFrame(graphics);
}

bool GameScreen::EndFrame(Graphics& graphics) {
  if (!camera_) return EndPlainFrame(graphics);
  camera_->End();
  return camera_->Present();
}

void GameScreen::RenderFade() {
  if (!GetGameFlowManager().GetFadeOverlay() || GetFadeMode() == kNoFade) return;
  const float progress = GetFadeTimer().GetProgress();
  const float alpha = GetFadeMode() == kFadeIn ? 1.0f - progress : progress;
  fadeSprite_.colour = PackARGB(1.0f, 1.0f, 1.0f, alpha);
  if (Graphics* graphics = GetGraphics()) graphics->SetDefaultRenderStates();
  fadeSprite_.Render();
}

}  // namespace gameflow

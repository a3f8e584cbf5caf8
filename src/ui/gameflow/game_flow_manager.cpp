#include "ui/gameflow/game_flow_manager.h"

#include "core/frame_timer.h"
#include "core/input/input.h"
#include "core/input/keyboard.h"
#include "core/input/mouse.h"
#include "core/log.h"
#include "core/script/console.h"
#include "platform/window/win32.h"
#include "render/device/graphics.h"
#include "render/fonts/font_manager.h"
#include "ui/gameflow/game_screen.h"
#include "ui/gameflow/plain_frame.h"
#include "ui/gameflow/running_application.h"
#include "ui/manager/ui_manager.h"

namespace gameflow {

GameFlowManager::GameFlowManager() = default;
GameFlowManager::~GameFlowManager() = default;

void GameFlowManager::AddTransitionState(const std::string& name, GameState* state) {
  if (!state) return;
  if (GameState* registered = states_.Find(name)) {
    LOG_LINE(MSG_ERROR, "Duplicating the same game name into the game flow manager: " + name);
    // The same state handed in twice stays registered.
    if (state != registered) delete state;
    return;
  }
  state->SetName(name);
  states_.Add(name, state);
}

void GameFlowManager::AddScreen(const std::string& name, const std::string& file, const std::string& enterScript,
                                const std::string& exitScript) {
  AddTransitionState(name, new GameScreen(camera_, file, enterScript, exitScript));
  // Written also when the name was taken and the screen refused.
  LOG_LINE(MSG_COMMENT, "Adding screen " + name + " from file " + file);
}

void GameFlowManager::GoState(const std::string& name, float delay) {
  GameState* state = states_.Find(name);
  if (!state) {
    LOG_LINE(MSG_FATAL, "Unable to go to state " + name);
    return;
  }
  pending_ = state;
  pendingDelay_ = delay;
  state->RestartFadeIn();
}

void GameFlowManager::SetState(GameState* state) {
  if (!state) {
    LOG_LINE(MSG_WARNING, "Trying to enter an invalid state into game flow manager");
    return;
  }
  if (current_) current_->OnExit();
  last_ = current_;
  current_ = state;
  pending_ = nullptr;
  // A press made on the screen left behind fires nothing on this one.
  if (ui::UIManager* ui = GetUIMan()) ui->OnScreenChanged();
  current_->OnEnter();
  // The first tick takes up the time spent leaving and entering, the second
  // leaves the next frame a time step close to zero.
  FrameTimer& timer = GetFrameTimer();
  timer.Tick();
  timer.Tick();
}

void GameFlowManager::Tick() {
  const FrameTimer& timer = GetFrameTimer();
  const float dt = timer.frameDelta;
  const float now = timer.totalTime;
  const bool suppress = !IsActive();
  // Until the scripts enter the first state the console still hears its keys
  // and is drawn; the delayed scripts wait for a state.
  if (current_) current_->Tick(dt);
  PollInput(suppress, dt, now);
  if (MayRender()) RenderFrame();
  if (current_ && RunDueScript(dt)) return;
  CountPendingDown(dt);
}

void GameFlowManager::PollInput(bool suppress, float dt, float now) {
  input::Input& devices = input::GetInput();
  if (input::Mouse* mouse = devices.GetMouse()) mouse->Update(suppress, dt, now);
  if (input::Keyboard* keyboard = devices.GetKeyboard()) keyboard->Update(suppress, dt, now);
}

bool GameFlowManager::MayRender() const {
  if (!application_) return false;
  return !application_->IsFullScreen() || (application_->HasFocus() && !application_->IsInactive());
}

void GameFlowManager::RenderFrame() {
  if (rendering_ || (current_ && !current_->IsActive())) return;
  // A script run while drawing (a clip's end, a forced redraw) must not
  // begin a second scene inside this one.
  rendering_ = true;
  const bool drawn = current_ ? current_->Render() : RenderWithoutState();
  rendering_ = false;
  if (!drawn) RecoverFromFailedFrame();
}

bool GameFlowManager::RenderWithoutState() {
  Graphics* graphics = GetGraphics();
  if (!graphics) return true;
  if (!BeginPlainFrame(*graphics)) return false;
  graphics->SetDefaultRenderStates();
  GetConsole()->Render();
  GetFontManager()->FlushText();
  return EndPlainFrame(*graphics);
}

void GameFlowManager::RecoverFromFailedFrame() {
  Sleep(kFailedFrameSleepMs);
  if (application_ && application_->HasFocus() && !application_->IsInactive()) application_->ResetDevice();
}

bool GameFlowManager::RunDueScript(float dt) {
  for (auto record = delayedScripts_.begin(); record != delayedScripts_.end(); ++record) {
    record->delay -= dt;
    if (record->delay < 0.0f) {
      // Out of the queue before it runs: the script may queue others.
      const std::string script = std::move(record->script);
      delayedScripts_.erase(record);
      GetConsole()->Do(script);
      return true;
    }
  }
  return false;
}

void GameFlowManager::CountPendingDown(float dt) {
  if (!pending_) return;
  pendingDelay_ -= dt;
  if (pendingDelay_ < 0.0f) SetState(pending_);
}

void GameFlowManager::DelayScript(const std::string& script, float delay) {
  delayedScripts_.push_back({delay, script});
}

bool GameFlowManager::IsActive() const {
  const bool settled = GetFrameTimer().totalTime - lastFocusGain_ > kFocusGraceSeconds;
  if (!settled) return false;
  return !application_ || (application_->HasFocus() && !application_->IsInactive());
}

std::string GameFlowManager::GetCurrentStateName() const { return current_ ? current_->GetName() : "unknown"; }

std::string GameFlowManager::GetLastStateName() const { return last_ ? last_->GetName() : "unknown"; }

void GameFlowManager::Clear() {
  current_ = nullptr;
  last_ = nullptr;
  pending_ = nullptr;
  states_.Clear();
}

GameFlowManager& GetGameFlowManager() {
  static GameFlowManager manager;
  return manager;
}

}  // namespace gameflow

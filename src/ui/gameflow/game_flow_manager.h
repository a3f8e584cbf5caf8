// The state machine of the whole program. It keeps every game state under a
// name (letter case aside) and, once per frame, runs the current state, polls
// the input devices, renders, runs at most one delayed script and counts a
// pending change of state down. Scripts choose the states: until one is
// entered a frame polls the devices, shows the console and counts the pending
// change down.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/text/named_registry.h"
#include "platform/lua/luaplus.h"
#include "ui/gameflow/game_state.h"

namespace camera {
class PerspectiveCamera;
}

namespace gameflow {

class RunningApplication;

struct DelayedScript {
  float delay;  // seconds, counted down
  std::string script;
};

class GameFlowManager {
 public:
  // Input stays off this long after the window regains the focus.
  static constexpr float kFocusGraceSeconds = 0.3f;
  // The pause after a frame that failed to draw, before the device is reset.
  static constexpr uint32_t kFailedFrameSleepMs = 100;

  GameFlowManager();
  ~GameFlowManager();
  GameFlowManager(const GameFlowManager&) = delete;
  GameFlowManager& operator=(const GameFlowManager&) = delete;

  // The manager owns the state from now on; under a name already taken the
  // state is deleted and the registered one stays.
  void AddTransitionState(const std::string& name, GameState* state);
  // A scripted screen with the manager's camera, registered under the name.
  void AddScreen(const std::string& name, const std::string& file, const std::string& enterScript,
                 const std::string& exitScript);
  // Schedules the change; it takes effect in a later Tick, once the delay
  // has run below zero.
  void GoState(const std::string& name, float delay);
  // The change itself: the old state exits, the new one enters.
  void SetState(GameState* state);
  void Tick();
  // Draws the current state, or the console alone before any state exists;
  // asked again while it draws, it does nothing.
  void RenderFrame();
  void DelayScript(const std::string& script, float delay);
  // Whether input reaches the listeners this frame.
  bool IsActive() const;
  // "unknown" when there is none.
  std::string GetCurrentStateName() const;
  std::string GetLastStateName() const;
  // Deletes every state; none is current, last or pending afterwards.
  void Clear();

  // The class "GameFlowManager" with "IsActive", and the global functions
  // "AddGameScreen", "GoState", "JumpState", "GetCurrentState", "GetLastState"
  // and "DelayScript".
  static void RegisterLua(LuaPlus::LuaState* state);

  GameState* FindState(const std::string& name) const { return states_.Find(name); }
  GameState* GetCurrentState() const { return current_; }
  GameState* GetLastState() const { return last_; }
  GameState* GetPendingState() const { return pending_; }
  float GetPendingDelay() const { return pendingDelay_; }
  const std::vector<DelayedScript>& GetDelayedScripts() const { return delayedScripts_; }

  camera::PerspectiveCamera* GetCamera() const { return camera_; }
  // Handed to every scripted screen made from now on; not owned.
  void SetCamera(camera::PerspectiveCamera* camera) { camera_ = camera; }
  bool GetFadeOverlay() const { return fadeOverlay_; }
  void SetFadeOverlay(bool on) { fadeOverlay_ = on; }
  RunningApplication* GetApplication() const { return application_; }
  void SetApplication(RunningApplication* application) { application_ = application; }
  float GetLastFocusGain() const { return lastFocusGain_; }
  // The window procedure stores the total time when the focus returns.
  void SetLastFocusGain(float totalTime) { lastFocusGain_ = totalTime; }

 private:
  void PollInput(bool suppress, float dt, float now);
  // A full-screen application draws only while it has the focus and is active.
  bool MayRender() const;
  // The frame before any state exists: the console and the queued text on black.
  bool RenderWithoutState();
  void RecoverFromFailedFrame();
  // Runs the first record whose delay falls below zero; true when one ran.
  bool RunDueScript(float dt);
  void CountPendingDown(float dt);

  NamedRegistry<GameState> states_{true, true};
  camera::PerspectiveCamera* camera_ = nullptr;
  GameState* current_ = nullptr;
  GameState* last_ = nullptr;
  GameState* pending_ = nullptr;
  float pendingDelay_ = 0.0f;
  bool fadeOverlay_ = true;
  RunningApplication* application_ = nullptr;
  float lastFocusGain_ = 0.0f;
  std::vector<DelayedScript> delayedScripts_;
  bool rendering_ = false;
};

// The process-wide manager, created on first use.
GameFlowManager& GetGameFlowManager();

}  // namespace gameflow

// The playing state, registered as "game": it owns the board being played,
// loads and drops it when the scripts ask, ticks and draws it, hands it the
// mouse and the keyboard while the state is current, and keeps the pause
// with its panel. Scripts reach it through the Lua class "GameState".
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/input/key_listener.h"
#include "core/input/mouse_listener.h"
#include "ui/gameflow/game_state.h"

class QOREditorWell;
class QORRaceWell;
class QORWell;

namespace camera {
class PerspectiveCamera;
}

namespace LuaPlus {
class LuaState;
}

namespace ui {
class UIWidget;
}

class QORGameState : public gameflow::GameState, public input::KeyListener, public input::MouseListener {
 public:
  // One switch per real block colour, 0 to 23.
  static constexpr int kColorSwitchCount = 24;
  static constexpr int kEscapeKey = 1;
  static constexpr uint32_t kClearColour = 0xFF323264u;
  static constexpr const char* kPausePanelFile = "ui/pause.ui";

  // The camera is the application's; it is handed to every board made here.
  explicit QORGameState(camera::PerspectiveCamera* camera);
  ~QORGameState() override;

  // Entering and leaving run the base's bookkeeping twice, around the
  // state's own work: its log line comes twice and the enter time is taken
  // after the scripts.
  bool OnEnter() override;
  bool OnExit() override;
  bool Tick(float dt) override;
  // False only when the frame could not begin (a lost device).
  bool Render() override;
  // The window lost the focus: the game pauses. Regaining it does not resume.
  void OnPause() override;

  void OnKeyDown(const input::KeyState* key) override;
  void OnMouseDown(const input::MouseButton* button, const math::Vec2* point) override;
  void OnMouseHeld(const input::MouseButton* button, const math::Vec2* point) override;
  // Turns the editor's decoration in hand a quarter by the sign of the delta.
  void OnMouseWheel(int32_t delta, const math::Vec2* point) override;
  void OnMouseMove(const math::Vec2* oldPoint, const math::Vec2* newPoint) override;
  void OnMouseDrag(const math::Vec2* dragStart, const math::Vec2* point) override;

  // A new level board from the file; an empty path keeps the board there is.
  // True when the file was read: a file that did not load leaves the
  // board's fall-back board current, and logs no success.
  bool LoadLevel(const std::string& path);
  // The last level loaded with a non-empty path, again.
  bool ReplayLevel();
  // A new race board from the file; true when the file was read.
  bool LoadRace(const std::string& path);
  // The race's bet and the end of its betting; nothing off the race board.
  void SetRaceBet(int bet);
  void StartRace();
  // The current board when it is a race board.
  QORRaceWell* GetRace() const;
  // A new editor board from the level file; true when the file ran.
  bool LoadEditor(const std::string& path);
  // A new empty editor board of 60 x 60 cells with the colour switches.
  void StartEditor();
  void ShutdownLevel();
  bool SaveWell(const std::string& path);
  // The current board cleared and filled again from an engine board file.
  bool LoadWell(const std::string& path);

  // "pause" and "hint" (in any letter case) pause, any other name resumes;
  // ignored on the editor's board, and never paused during the end sequence.
  void SetGameState(const std::string& name);
  void SetPaused(bool paused);
  bool IsPaused() const { return pauseState_ != 0; }

  // What the scripts set on the board; nothing without one. The level index
  // also builds the tutorial of its level again.
  void SetLevelID(int levelIndex);
  void SetBackground(const std::string& image);
  void SetBackgroundEffect(const std::string& name);
  void SetScrollOn(bool on);
  // Power 1 to 9 is armed (or disarmed) once the tutorial is done.
  void TriggerSpecial(int power);
  // The board's goal map open or closed; closed without one.
  bool GetMapState() const;
  void SetMapState(bool open);
  // The switch of the colour the name gives (red for a name the engine does
  // not know), then all of them applied to the board.
  void SetEditorColor(const std::string& colourName, bool on);
  void SetEditorSize(int width, int height);
  void SetAutoTrigger(bool on) { autoTrigger_ = on; }
  bool GetAutoTrigger() const { return autoTrigger_; }

  QORWell* GetBoard() const { return board_.get(); }
  // The board when it is the editor's, else null.
  QOREditorWell* GetEditor() const;
  const std::string& GetLevelPath() const { return levelPath_; }
  const uint8_t* GetColorSwitches() const { return colorSwitches_; }

  // The class "GameState" and the globals "GetGame", "SetMiniGameImage" and
  // "ToggleMinigamePause".
  static void RegisterLua(LuaPlus::LuaState* state);

 protected:
  // The board a level loads into.
  virtual std::unique_ptr<QORWell> NewLevelBoard();

 private:
  // Calls into the board run inside one of these. A script the board runs
  // meanwhile may load another board or none; the board it replaced lives
  // on until the outermost call has returned.
  class BoardCall {
   public:
    explicit BoardCall(QORGameState& state) : state_(state) { ++state_.boardCallDepth_; }
    ~BoardCall();
    BoardCall(const BoardCall&) = delete;
    BoardCall& operator=(const BoardCall&) = delete;

   private:
    QORGameState& state_;
  };

  // The new board becomes current; the old one goes at once, or once the
  // board call under way has returned.
  void ReplaceBoard(std::unique_ptr<QORWell> board);
  enum class SwitchesRead { kNone, kFromHud };
  bool LoadBoard(std::unique_ptr<QORWell> board, const std::string& path, SwitchesRead switches);
  void ReportLoaded(bool loaded) const;
  void ApplyGameState();
  // The colour switches the board's HUD keeps, into the state's.
  void ReadHudColorSwitches();
  void Render2D();
  // Whether input from the devices is for this state now.
  bool TakesInput() const;
  bool BoardEndSequenceRuns() const;
  bool IsEditorBoard() const;

  camera::PerspectiveCamera* camera_;
  int32_t pauseState_ = 0;
  // Owned by the UI manager.
  ui::UIWidget* pausePanel_ = nullptr;
  std::unique_ptr<QORWell> board_;
  bool autoTrigger_ = false;
  std::string levelPath_;
  // Handed to the editor's board when it is made.
  int editorWidth_ = 10;
  int editorHeight_ = 10;
  uint8_t colorSwitches_[kColorSwitchCount];
  int boardCallDepth_ = 0;
  std::vector<std::unique_ptr<QORWell>> retiredBoards_;
};

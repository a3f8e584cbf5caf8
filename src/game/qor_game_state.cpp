#include "game/qor_game_state.h"

#include <strings.h>

#include "audio/audio.h"
#include "board/explorer/qor_goal_map.h"
#include "board/hud/qor_well_ui.h"
#include "board/qor_well.h"
#include "core/frame_timer.h"
#include "core/input/keyboard.h"
#include "core/input/mouse.h"
#include "core/log.h"
#include "core/script/console.h"
#include "game/qor_editor_well.h"
#include "game/qor_race_well.h"
#include "render/cameras/perspective_camera.h"
#include "render/debug_draw/dd_man.h"
#include "render/device/graphics.h"
#include "render/fonts/font_manager.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"

namespace {
// The board is seen straight on from in front.
const math::Vec3 kEye{0.0f, 0.0f, -20.0f}, kTarget{0.0f, 0.0f, 0.0f}, kUp{0.0f, 1.0f, 0.0f};
const math::Vec2 kFrameRatePosition{0.01f, 0.9f};
constexpr int kLeftButton = 0;
constexpr int kRightButton = 1;
constexpr int kPowerCount = 9;
static_assert(QORGameState::kColorSwitchCount == QORWellUI::kColorCount, "one switch per colour the HUD reads");

bool IsPauseName(const std::string& name) {
  return strcasecmp(name.c_str(), "pause") == 0 || strcasecmp(name.c_str(), "hint") == 0;
}

void HidePanel(ui::UIWidget* panel) {
  if (panel) panel->SetIsVisible(false);
}
}  // namespace

QORGameState::BoardCall::~BoardCall() {
  if (--state_.boardCallDepth_ == 0) state_.retiredBoards_.clear();
}

QORGameState::QORGameState(camera::PerspectiveCamera* camera) : camera_(camera) {
  for (uint8_t& on : colorSwitches_) on = 1;
}

QORGameState::~QORGameState() = default;

bool QORGameState::OnEnter() {
  GameState::OnEnter();
  if (camera_) {
    camera_->LookAt(kEye, kTarget, kUp);
    camera_->SetClearColour(kClearColour);
  }
  pauseState_ = 0;
  ui::UIManager* uiManager = GetUIMan();
  // The UI manager hands back the panel it already lists under the same name.
  pausePanel_ = uiManager->AddPanel(kPausePanelFile);
  if (pausePanel_) pausePanel_->SetIsVisible(true);
  if (board_) {
    BoardCall call(*this);
    board_->InitUI();
  }
  ApplyGameState();
  if (IsEditorBoard()) GetConsole()->Do("EditorStart()");
  GetConsole()->Do("OnEnterGame()");
  GameState::OnEnter();
  return true;
}

bool QORGameState::OnExit() {
  GameState::OnExit();
  if (camera_) camera_->SetController(nullptr);
  audio::GetAudio().StopAll();
  if (board_) {
    BoardCall call(*this);
    board_->ShutdownUI();
  }
  // A script may have dropped the panel meanwhile.
  if (pausePanel_ && GetUIMan()->IsListed(pausePanel_)) pausePanel_->SetIsVisible(false);
  GameState::OnExit();
  return true;
}

bool QORGameState::Tick(float dt) {
  GameState::Tick(dt);
  if (camera_) camera_->Update(dt);
  if (board_ && !IsPaused()) {
    BoardCall call(*this);
    board_->Tick(dt);
  }
  GetUIMan()->Update(dt);
  return true;
}

bool QORGameState::Render() {
  if (!camera_) return true;  // nothing to draw through
  if (!camera_->Begin(true)) return false;
  if (Graphics* graphics = GetGraphics()) graphics->SetDefaultTextureStages();
  dd::GetManager()->Render3D();
  Render2D();
  camera_->End();
  camera_->Present();
  return true;
}

void QORGameState::Render2D() {
  if (Graphics* graphics = GetGraphics()) graphics->SetDefaultRenderStates();
  if (board_) {
    BoardCall call(*this);
    board_->Draw();
  }
  GetUIMan()->Render();
  if (board_ && !IsPaused()) {
    BoardCall call(*this);
    board_->DrawOverlay();
  }
  GetConsole()->Render();
  FontManager* fonts = GetFontManager();
  fonts->Printf(kFrameRatePosition, "FPS : %.1f", GetFrameTimer().framesPerSecond);
  fonts->FlushText();
  dd::GetManager()->Render2D();
}

void QORGameState::OnPause() { SetPaused(true); }

bool QORGameState::TakesInput() const { return IsActive(); }

void QORGameState::OnKeyDown(const input::KeyState* key) {
  // What is typed into the open console is the console's.
  if (!TakesInput() || GetConsole()->IsOpen()) return;
  if (key->code == kEscapeKey) {
    SetPaused(!IsPaused());
    return;
  }
  if (board_) {
    BoardCall call(*this);
    board_->OnKey(key);
  }
}

// Inside the open goal map a left press goes to the board, which hands it
// on to the map, and any other press to the map itself. Elsewhere a press
// on an image of the UI stays with the UI and ends the HUD's treasure-found
// panel.
void QORGameState::OnMouseDown(const input::MouseButton* button, const math::Vec2* point) {
  if (!TakesInput() || !board_) return;
  BoardCall call(*this);
  QORGoalMap* goalMap = board_->GetGoalMap();
  if (goalMap && goalMap->IsOpen() && goalMap->HitTest(*point)) {
    if (button->index == kLeftButton) {
      board_->OnLeftClick(*point);
    } else {
      goalMap->OnClick(*point);
    }
    return;
  }
  if (GetUIMan()->HitTest(*point)) {
    // The HUD's next tick hides the panel.
    if (QORWellUI* hud = board_->GetHud()) hud->GetPopupTimer().remaining = -1.0f;
    return;
  }
  if (button->index == kLeftButton) {
    board_->OnLeftClick(*point);
  } else if (button->index == kRightButton) {
    board_->OnRightClick(*point);
  }
}

// A held button steers the player's scarab on the race board, and repeats
// the press on the editor's board while auto-trigger is on; barrier mode
// turns auto-trigger off, so that one press sets one point.
void QORGameState::OnMouseHeld(const input::MouseButton* button, const math::Vec2* point) {
  if (QORRaceWell* race = TakesInput() ? GetRace() : nullptr) {
    BoardCall call(*this);
    race->SteerRacer(*point, button->index);
    return;
  }
  QOREditorWell* editor = GetEditor();
  if (!editor || !autoTrigger_) return;
  if (editor->IsBarrierMode()) {
    autoTrigger_ = false;
    return;
  }
  OnMouseDown(button, point);
}

void QORGameState::OnMouseWheel(int32_t delta, const math::Vec2*) {
  if (QOREditorWell* editor = GetEditor(); editor && TakesInput()) editor->TurnDecorationInHand(delta);
}

void QORGameState::OnMouseMove(const math::Vec2*, const math::Vec2* newPoint) {
  if (!TakesInput() || !board_) return;
  BoardCall call(*this);
  board_->OnMouseMove(*newPoint);
}

void QORGameState::OnMouseDrag(const math::Vec2*, const math::Vec2* point) {
  if (!TakesInput() || !board_) return;
  BoardCall call(*this);
  board_->OnMouseDrag(*point);
}

void QORGameState::ReplaceBoard(std::unique_ptr<QORWell> board) {
  // The panels the old board put up would otherwise outlive it, over the
  // next screen.
  if (board_) {
    BoardCall call(*this);
    board_->ShutdownUI();
  }
  if (boardCallDepth_ > 0 && board_) retiredBoards_.push_back(std::move(board_));
  board_ = std::move(board);
}

bool QORGameState::LoadLevel(const std::string& path) {
  if (path.empty()) return false;
  levelPath_ = path;
  return LoadBoard(NewLevelBoard(), path, SwitchesRead::kFromHud);
}

// The three boards a script can load differ only in their class and in
// whether the HUD's colour switches are read; only a level's path is kept.
bool QORGameState::LoadBoard(std::unique_ptr<QORWell> board, const std::string& path, SwitchesRead switches) {
  ReplaceBoard(std::move(board));
  bool loaded = false;
  {
    // The level's start script may load another board meanwhile; this one
    // lives on until its load has returned.
    BoardCall call(*this);
    loaded = board_->LoadLevel(path);
  }
  ReportLoaded(loaded);
  if (switches == SwitchesRead::kFromHud) ReadHudColorSwitches();
  return loaded;
}

// A file without a header has had the board's warning in place of this line.
void QORGameState::ReportLoaded(bool loaded) const {
  if (loaded && board_ && !board_->IsHeaderMissing()) LOG_LINE(MSG_COMMENT, "Level loaded successfully!");
}

std::unique_ptr<QORWell> QORGameState::NewLevelBoard() { return std::make_unique<QORWell>(camera_); }

bool QORGameState::ReplayLevel() { return LoadLevel(levelPath_); }

bool QORGameState::LoadRace(const std::string& path) {
  if (path.empty()) return false;
  return LoadBoard(std::make_unique<QORRaceWell>(camera_), path, SwitchesRead::kNone);
}

QORRaceWell* QORGameState::GetRace() const { return dynamic_cast<QORRaceWell*>(board_.get()); }

void QORGameState::SetRaceBet(int bet) {
  if (QORRaceWell* race = GetRace()) race->SetBet(bet);
}

void QORGameState::StartRace() {
  if (QORRaceWell* race = GetRace()) race->StartRace();
}

bool QORGameState::LoadEditor(const std::string& path) {
  return LoadBoard(std::make_unique<QOREditorWell>(camera_), path, SwitchesRead::kFromHud);
}

void QORGameState::StartEditor() {
  auto editor = std::make_unique<QOREditorWell>(camera_);
  editor->SetRequestedSize(editorWidth_, editorHeight_);
  editor->Setup(colorSwitches_);
  ReplaceBoard(std::move(editor));
}

QOREditorWell* QORGameState::GetEditor() const {
  return IsEditorBoard() ? static_cast<QOREditorWell*>(board_.get()) : nullptr;
}

void QORGameState::ShutdownLevel() { ReplaceBoard(nullptr); }

bool QORGameState::SaveWell(const std::string& path) {
  if (path.empty() || !board_) return false;
  BoardCall call(*this);
  return board_->Save(path);
}

bool QORGameState::LoadWell(const std::string& path) {
  if (path.empty() || !board_) return false;
  BoardCall call(*this);
  board_->ClearWell();
  const bool loaded = board_->Load(path, -1.0f);
  ReadHudColorSwitches();
  if (board_ && board_->IsEditorWell()) board_->SpawnShady();
  return loaded;
}

// Only the editor's HUD has switches to give; a board without a HUD yet
// leaves the state's as they are.
void QORGameState::ReadHudColorSwitches() {
  if (QORWellUI* hud = board_ ? board_->GetHud() : nullptr) hud->ReadColorSwitches(colorSwitches_);
}

bool QORGameState::IsEditorBoard() const { return board_ && board_->IsEditorWell(); }

bool QORGameState::BoardEndSequenceRuns() const { return board_ && board_->GetGameEnd() != nullptr; }

void QORGameState::SetGameState(const std::string& name) {
  if (IsEditorBoard()) return;
  pauseState_ = IsPauseName(name) && !BoardEndSequenceRuns() ? 1 : 0;
  ApplyGameState();
}

void QORGameState::SetPaused(bool paused) { SetGameState(paused ? "pause" : "run"); }

void QORGameState::ApplyGameState() {
  ui::UIManager* uiManager = GetUIMan();
  ui::UIWidget* pausePanel = pausePanel_ && uiManager->IsListed(pausePanel_) ? pausePanel_ : nullptr;
  HidePanel(pausePanel);
  for (const char* name : {"settings", "profile", "yesno"}) HidePanel(uiManager->GetPanel(name));
  if (pauseState_ == 0) {
    if (board_) {
      BoardCall call(*this);
      board_->TriggerMusic();
    }
    return;
  }
  if (pausePanel) {
    pausePanel->SetIsVisible(true);
    uiManager->PushPanelToFront(pausePanel);
  }
  SetMapState(false);
}

void QORGameState::SetLevelID(int levelIndex) {
  if (!board_) return;
  board_->SetLevelIndex(levelIndex);
  board_->UpdateTutorial();
}

void QORGameState::SetBackground(const std::string& image) {
  if (board_) board_->SetBackground(image);
}

void QORGameState::SetBackgroundEffect(const std::string& name) {
  if (board_) board_->SetBackgroundEffect(name);
}

void QORGameState::SetScrollOn(bool on) {
  if (board_) board_->SetEdgeScrolling(on);
}

// Powers wait while a tutorial runs.
void QORGameState::TriggerSpecial(int power) {
  QORWellUI* hud = board_ ? board_->GetHud() : nullptr;
  if (!hud || !hud->IsTutorialDone() || power < 1 || power > kPowerCount) return;
  hud->SelectPower(power - 1);
}

bool QORGameState::GetMapState() const {
  const QORGoalMap* goalMap = board_ ? board_->GetGoalMap() : nullptr;
  return goalMap && goalMap->IsOpen();
}

void QORGameState::SetMapState(bool open) {
  if (QORGoalMap* goalMap = board_ ? board_->GetGoalMap() : nullptr) goalMap->SetOpen(open);
}

void QORGameState::SetEditorColor(const std::string& colourName, bool on) {
  const int colour = well::NameToColor(colourName);
  if (colour < 0 || colour >= kColorSwitchCount) return;
  colorSwitches_[colour] = on ? 1 : 0;
  if (board_) board_->SetColors(colorSwitches_);
}

void QORGameState::SetEditorSize(int width, int height) {
  editorWidth_ = width;
  editorHeight_ = height;
}

// The game's board: a level played over floor tiles. On top of the scrolling
// board it keeps the tiles, the tiled background, the weights by which new
// blocks get their colour and type, the level's time limit and music, the
// walkers on the board, and the level file's own tables. The HUD, help,
// tutorial, mode, explorer, mummy, goal map and game variables belong to the
// parts of the board built on this one; where the board calls them it goes
// through the seams listed at the end of the class. The parts see it through
// QORBoardView, which it implements.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "board/qor_barrier.h"
#include "board/qor_board_view.h"
#include "board/qor_tile.h"
#include "core/countdown_timer.h"
#include "core/math/probset.h"
#include "render/sprites/ui_sprite.h"

namespace input {
struct KeyState;
}
namespace well {
class HandHold;
}
class QORExplorer;
class QORGameHelp;
class QORGoalMap;
class QORMummy;
class QORMusicRotation;
class QORPower;
class QORStartFlash;
class QORWalker;
class QORWellMode;
class QORWellSFX;
class QORWellUI;

class QORWell : public QORBoardView {
 public:
  static constexpr int kColorCount = 24;
  static constexpr int kTypeCount = 18;
  // The window onto the board, in whole cells, and a cell of 45 x 45 pixels.
  static constexpr uint32_t kViewColumns = 18;
  static constexpr uint32_t kViewRows = 12;
  static constexpr float kCellWidth = 0.05625f;
  static constexpr float kCellHeight = 0.075f;
  // A background picture of 512 x 512 pixels, in screen units.
  static constexpr float kBackgroundWidth = 0.64f;
  static constexpr float kBackgroundHeight = 0.85333335f;
  // The level timer always counts over this period; the limit sets what is left.
  static constexpr float kTimerPeriod = 360.0f;
  static constexpr float kMinTimeLimit = 72.0f;
  // A level file's header may not ask for more cells a side.
  static constexpr int32_t kMaxLevelSide = 256;
  // The editor's board and the largest area a saved level keeps.
  static constexpr int32_t kEditorSide = 60;
  // The board a level falls back to when its file does not load.
  static constexpr uint32_t kFallbackWidth = 80;
  static constexpr uint32_t kFallbackHeight = 12;
  // The explorer, the mummy and the walkers show through under the pointer.
  static constexpr float kSeeThroughAlpha = 0.35f;

  explicit QORWell(void* owner);
  ~QORWell() override;

  // --- Slots of the well family that the game board replaces.
  bool ClearWell() override;
  // A load starts from no rival; once every table is read, the exits show
  // the image the rival flag gives them.
  bool Load(const std::string& fileName, float delay) override;
  void OnSettled() override;
  // The block under a point inside the view, edges included; null elsewhere.
  well::Block* GetBlockAtPoint(const math::Vec2& point) override;
  // Also finds a block of up to 2 x 2 cells from its other cells.
  well::Block* GetBlock(int32_t x, int32_t y) override;
  void ReservedHook(int32_t, int32_t) override {}
  well::Block* CreateBlock(const std::string& typeName, const std::string& colorName, int32_t x, int32_t y,
                           int32_t width, int32_t height) override;
  // Both also note a bottle that lands on the grid, for the feeding.
  void PutBlock(well::Block* block, int32_t x, int32_t y) override;
  void OnBlockMoved(well::Block* block, int32_t oldX, int32_t oldY, int32_t newX, int32_t newY) override;
  // Works out the size to keep, then writes the board file.
  bool Save(const std::string& fileName) override;
  void OnLevelStart() override;
  void Draw() override;
  void Tick(float dt) override;
  well::Block* SpawnRandomBlock(int32_t x, int32_t y, float delay) override;
  void SaveExtra(WriteLua& writer) override;
  // Reads the floor, the invisible blockers, the barriers and the rival's start.
  void AfterLoad(LuaPlus::LuaState* state) override { LoadSpecial(state); }
  void BeforeSave(WriteLua& writer) override;
  // Reads the header and the level's data and sets the board up; false,
  // with nothing else read, without a header or level data.
  bool BeforeLoad(LuaPlus::LuaState* state) override;
  void WinGame() override;
  void LooseGame() override;
  bool ReservedFlag() override { return false; }
  void AddScore(int32_t points) override;
  void Step() override;
  // Forgets the selection and the hover: their blocks are deleted.
  void TriggerRestore() override;

  // --- The game board's own slots.
  virtual void DrawOverlay();
  // Makes the grid, the floor (all void) and the background, and enables the
  // flagged colours.
  virtual void Setup(uint32_t width, uint32_t height, const uint8_t colorFlags[kColorCount]);
  // Loads the level, chooses the mode and starts the level. False when the
  // file did not load (or asked for a size out of range) and the board fell
  // back to 80 x 12 cells with every colour.
  virtual bool LoadLevel(const std::string& path);
  // The last level file read had no header: the fall-back board plays it,
  // and the load still counts as done (a warning says so).
  bool IsHeaderMissing() const { return headerMissing_ != 0; }
  virtual bool OnMouseMove(const math::Vec2& point);
  virtual void OnMouseDrag(const math::Vec2& point);
  virtual void ReservedInputHook(int32_t) {}
  virtual void OnLeftClick(const math::Vec2& point);
  virtual void OnRightClick(const math::Vec2& point);
  void Refill() override;
  virtual void InitUI();
  virtual void ShutdownUI();
  bool IsRace() override { return false; }
  // The debug keys Q, W, P and D.
  virtual void OnKey(const input::KeyState* key);

  // --- Floor tiles.
  QORTile* GetTile(int32_t x, int32_t y) override;
  void RefreshTile(QORTile& tile) override;
  void RefreshHitTiles();
  // Ticks the tiles whose picture animates; a flip that ended shows the new
  // type's picture.
  void TickTiles(float dt);
  void RestoreCrackedTiles() override;
  void PlayCellBurst(int32_t x, int32_t y) override;
  void DrawBackground();
  void DrawTiles();
  // The webs, then every walker.
  void DrawWebs();
  int32_t GetTileTotal() const { return tileTotal_; }
  int32_t GetTilesBroken() const { return tilesBroken_; }
  void AddTileBroken() { ++tilesBroken_; }
  struct FloorBounds {
    int32_t minX = 0, minY = 0, maxX = 0, maxY = 0;
  };
  const FloorBounds& GetFloorBounds() const { return floorBounds_; }

  // --- Background, colours and the block weights.
  void SetBackground(const std::string& imageFile);
  const std::string& GetBackgroundImage() const { return backgroundImage_; }
  int32_t GetBackgroundColumns() const { return backgroundColumns_; }
  int32_t GetBackgroundRows() const { return backgroundRows_; }
  void SetBackgroundEffect(const std::string& name);
  void SetColors(const uint8_t colorFlags[kColorCount]);
  void ResetProbSets();
  num::ProbSet& GetColorWeights() { return colorWeights_; }
  num::ProbSet& GetTypeWeights() { return typeWeights_; }

  // --- Time and music.
  // Clamped to [72, 360] s; the timer's period stays 360 s.
  void SetTimeLimit(float seconds);
  void SpendTime(float seconds);
  float GetTimeLimit() const { return timeLimit_; }
  CountdownTimer& GetLevelTimer() { return levelTimer_; }
  // The race's music on the race board and on a level with the rival, else
  // the game-play rotation.
  void TriggerMusic();
  void BuildGamePlayMusic();
  QORMusicRotation* GetMusic() const { return music_.get(); }

  // --- The level file.
  const std::string& GetLevelPath() const { return levelPath_; }
  const std::string& GetLevelId() const { return levelId_; }
  // The file name without folder and ".lua", lower case; "temple_1_level_1"
  // for a path without a folder or an extension.
  static std::string LevelIdOf(const std::string& path);
  void LoadSpecial(LuaPlus::LuaState* state);
  // Void and editor-only cells get an invisible block, so that nothing
  // falls into them.
  void FillVoidCells();
  // Queues every barrier for the debug drawing (race and editor boards).
  void DrawBarriers();
  std::vector<QORBarrier>& GetBarriers() { return barriers_; }
  int32_t GetSavedWidth() const { return savedWidth_; }
  int32_t GetSavedHeight() const { return savedHeight_; }
  bool IsShadyLevel() const override { return shadyLevel_ != 0; }
  void GetShadyStart(int32_t& x, int32_t& y) const {
    x = shadyStartX_;
    y = shadyStartY_;
  }

  // --- Walkers: the board owns every walker on its list.
  bool AddWalker(QORWalker* walker) override;
  // Removes the first walker on the cell under the point; false when none.
  bool DeleteWalkers(const math::Vec2& point);
  QORWalker* FindWalkerAt(int32_t x, int32_t y) override;
  bool RemoveListedWalker(QORWalker* walker) override;
  void NotifyWalkersNearExplorer() override;
  const std::vector<QORWalker*>& GetWalkers() const override { return walkers_; }
  // The rival on a level that defines his start, when none is on the board.
  void SpawnShady();
  QORWalker* GetShady() const { return shady_; }
  void ResurrectMummy(well::Block* nest) override;

  // --- Blocks of note.
  void FindEntranceAndExit();
  well::Block* GetEntrance() const override { return entrance_; }
  well::Block* GetExit() const override { return exit_; }
  const std::vector<well::Block*>& GetMilestones() const override { return milestones_; }
  std::vector<std::pair<int32_t, int32_t>>& GetSpawnCells() { return spawnCells_; }

  // --- Block creation (qor_well_create.cpp).
  // A block of a colour from the colour weights, redrawn while it would line
  // up with two of its colour, and a type from the type weights; not placed.
  well::Block* SpawnRandomBlockAt(int32_t x, int32_t y);
  using BlockRun = std::vector<well::Block*>;
  // The blocks of the colour on the rectangle (clamped to the board) that
  // can count towards a run; with a list, a count of at least the minimum
  // (and 3) records every block of the colour there as one run. Given the
  // run colour of every cell (by cell index), it reads them in place of
  // RunColourAt.
  int32_t CountColorInRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t color,
                           std::vector<BlockRun>* runs, int32_t minimum, const int32_t* runColours = nullptr);
  // The colour the cell's block counts as towards a run: none for an empty
  // cell, a cell off the board or a fixed block.
  int32_t RunColourAt(int32_t x, int32_t y);
  QORWellMode* GetMode() const { return mode_; }

  // --- Sound cues: raised during a logic step, each played once at its end.
  // The sound set each cue plays, in the order they are played.
  static const char* const kSoundCueNames[kSoundCueCount];
  void RaiseSoundCue(int cue) override { soundCues_[cue] = 1; }
  bool IsSoundCueRaised(int cue) const { return soundCues_[cue] != 0; }

  // --- Moves (qor_well_input.cpp): selection, the swap and its end.
  // Tokens and rocks off webs; a selected block found on a web loses the
  // selection.
  bool CanMoveBlock(well::Block* block);
  // Starts the swap of two neighbours, or makes the second the selection.
  void TrySwap(well::Block* first, well::Block* second);
  // A line of three of the block's colour passes through it.
  bool HasMatchThrough(well::Block* block);
  well::Block* GetSelectedA() const { return selectedA_; }
  well::Block* GetSelectedB() const { return selectedB_; }
  well::Block* GetHovered() const { return hovered_; }
  bool IsSwapping() const { return !swapTimer_.IsExpired(); }
  bool IsSwappingBack() const { return swapBack_ != 0; }
  static constexpr uint32_t kTintOpaque = 0xFFFFFFFFu;
  static constexpr uint32_t kTintFaint = 0x32FFFFFFu;

  // --- Matches (qor_well_match.cpp).
  // Clears every line of three to five; false on the race board.
  bool ResolveMatches();
  // What the last pass found: its lines by length and every run it recorded.
  struct MatchPass {
    int32_t fives = 0;
    int32_t fours = 0;
    int32_t threes = 0;
    std::vector<BlockRun> runs;
  };
  const MatchPass& GetLastPass() const { return pass_; }
  void HitMummy() override;

  // --- Hints (qor_well_cues.cpp), TriggerHint among them.
  // Marks a move near the explorer with swirls; false when none is found.
  bool ShowPossibleMove();

  // --- Play.
  void EdgeScroll(float dt);
  void SetEdgeScrolling(bool on) { edgeScrolling_ = on ? 1 : 0; }
  const math::Vec2& GetMousePosition() const override { return mousePosition_; }
  void SetMousePosition(const math::Vec2& point) { mousePosition_ = point; }
  QORStartFlash* GetStartFlash() const { return startFlash_.get(); }
  bool GetRaceDebug() const { return raceDebug_ != 0; }
  int32_t GetNestFlag() const { return nestFlag_; }
  void SetNestFlag(int32_t flag) { nestFlag_ = flag; }
  int32_t GetCrittersKilled() const { return crittersKilled_; }
  void AddCritterKilled() override { ++crittersKilled_; }
  int32_t GetComboCount() const override { return comboCount_; }
  void SetComboCount(int32_t count) { comboCount_ = count; }

  // --- HUD, help and tutorial.
  QORWellUI* GetHud() const override { return hud_; }
  QORGameHelp* GetHelp() const override { return help_; }
  well::HandHold* GetHandHold() const { return handHold_; }
  // The tutorial of the first two levels, while hints are on; built again,
  // it replaces the one running.
  void UpdateTutorial();
  bool TriggerHint(int32_t id, const math::Vec2& topLeft, const math::Vec2& bottomRight) override;

  // --- Seams: what the later parts of the board fill in. Until then each
  // answers as if its object were missing (no HUD, help, tutorial, mode,
  // explorer, mummy, goal map or block types), which the board skips.
  int32_t GetBlockType(const well::Block* block) const override;
  // A milestone block's index, by which the milestones are sorted.
  int32_t GetMilestoneIndex(const well::Block* block) const;
  // The seams a board test stands in for are virtual.
  bool GetExplorerCell(int32_t& x, int32_t& y) const override;
  // The cell he is stepping to; false without an explorer.
  bool GetExplorerTargetCell(int32_t& x, int32_t& y) const override;
  void KnockOutExplorer() override;
  void SetExplorerIdle() override;
  bool HasMummy() const override { return mummy_ != nullptr; }
  QORMummy* GetMummy() const override { return mummy_; }
  void RebuildExplorerPath() override;
  // The explorer's position on the board, in screen units; false without one.
  bool GetExplorerBoardPosition(math::Vec2& position) const;
  void PlayExplorerPowerAnimation() override;
  QORExplorer* GetExplorer() const override { return explorer_; }
  QORGoalMap* GetGoalMap() const override { return goalMap_; }
  bool GetShadyCell(int32_t& x, int32_t& y) const override;
  void AwardTreasure(const math::Vec2& from, int32_t powerIndex) override;
  void OpenExit() override;
  // Every exit on the board takes its resting image again.
  void RestExits();
  void OpenMilestone(well::Block* milestone) override;
  QORPower* CreatePower(int32_t index) override;

 protected:
  // Seams, continued: the calls of the board's own steps. Each does nothing
  // until its part lands.
  void CreateExplorer();
  // A new path search sized to the board.
  void InitExplorerVariables();
  void PlaceExplorer(int32_t x, int32_t y);
  void DeleteLevelObjects();
  void DeleteExplorerAndGoalMap();
  // The HUD, the help and the tutorial.
  void DeleteInterface();
  void TickHud(float dt);
  // The tutorial's step; false when the current step holds the board still.
  bool TickTutorial(float dt);
  bool IsHintShowing() const;
  void DrawHud();
  void DeleteHelp();
  void ReadHudColorSwitches(uint8_t flags[kColorCount]);
  void AwardDebugPower();
  void ShowShadyHint();
  void StartMode();
  // The mummy's step of the board's tick, its deletion included.
  void TickMummy(float dt);
  virtual bool GetMummyCell(int32_t& x, int32_t& y) const;
  void DrawMummy(float alpha);
  // A new mummy on the cell, its first state step run.
  void CreateMummy(int32_t x, int32_t y);
  void CreateGoalMap();
  void OpenGoalMap(bool open);
  void PlaceTargetMarkers();
  void TickSwap(float dt);
  void DrawSwap();
  void BuildSpawnCells();
  void CheckFirstHints();
  // The HUD's and the help's part in moves, matches and hints.
  void UsePower(const math::Vec2& point);
  void CancelPower(const math::Vec2& point);
  // A power flies from the board position to its button.
  virtual void HudAwardPower(const math::Vec2& boardPosition, int32_t index, bool popup);
  // A pass's cleared blocks by colour (0 to 23) and its score.
  void AddHudMatchStats(const int32_t clearedByColor[kColorCount], int32_t score);
  // The tutorial's current step refuses the click of the button (1 left, 2 right).
  bool TutorialRefusesClick(const math::Vec2& point, int32_t button);
  // The help queues the hint over the screen rectangle with its sidebar image
  // ("xxxx" for none), to open when its turn comes; false when there is no
  // help or it declines the id.
  virtual bool ShowHelpHint(int32_t id, const math::Vec2& topLeft, const math::Vec2& bottomRight, const char* image);
  virtual bool HasHelp() const;
  // The mummy's screen position; false without a mummy.
  bool GetMummyScreenPosition(math::Vec2& position) const;
  // A walker's operations; the cell is false for no walker, the kind is the
  // rival's 1, the spider's 0 and so on.
  virtual bool GetWalkerCell(const QORWalker* walker, int32_t& x, int32_t& y) const;
  virtual int32_t GetWalkerType(const QORWalker* walker) const;
  virtual bool CanWalkerBeKilled(const QORWalker* walker) const;
  // Stops the walker on its cell for the seconds.
  virtual void StunWalker(QORWalker* walker, float seconds);
  // Where the walker's sprite stands on the screen.
  virtual math::Vec2 GetWalkerScreenPosition(const QORWalker* walker) const;
  // Tells the walker it leaves the board, then deletes it.
  virtual void DestroyWalker(QORWalker* walker);
  // A new rival on the cell (his cell and target cell), not yet listed.
  QORWalker* MakeShady(int32_t x, int32_t y);

  // The board's steps in their order.
  void TickMusicAndInterface(float dt);
  // Plays each raised cue once, in the order of kSoundCueNames, and lowers it.
  void PlaySoundCues();
  void TickStartFlash(float dt);
  void TickSparkle(float dt);
  void TickIdleHint(float dt);
  // Moves: a block held on the grid, alive; the selection and hover let go
  // of any other at once, ending a swap under way.
  bool IsHeld(const well::Block* block) const;
  void ForgetLostBlocks();
  // Both tints opaque, nothing selected.
  void ClearSelection();
  // Matches: a cleared block feeds bottles of its colour near the explorer
  // and kills or stuns a walker beside it.
  void FeedBottlenecks(well::Block* cleared);
  void NoteBottle(well::Block* block, int32_t x, int32_t y);
  void CheckForWalkers(well::Block* cleared);
  // Hints: a pair with a third of its colour diagonally beyond it, and three
  // of four in a line.
  bool CheckSwapHint(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  int32_t CountRunOf4(int32_t x, int32_t y, int32_t dx, int32_t dy);
  bool HintRunOf4(int32_t x, int32_t y);
  void MarkHintCell(int32_t x, int32_t y);
  void UpdateFloorBounds();
  // Deletes every walker on the list and forgets the rival.
  void ClearWalkers();
  // The one way off the list: the rival is forgotten, the walker told and
  // deleted.
  void RemoveWalker(std::vector<QORWalker*>::iterator walker);
  void TickWalkers(float dt);
  void DrawWalkers();
  void SetWalkerAlphas(const well::Cell& under);
  void WriteWalkers(WriteLua& writer);
  // The alpha of a figure on the cell: see-through under the pointer.
  static float AlphaUnder(const well::Cell& under, int32_t x, int32_t y) {
    return under == well::Cell{x, y} ? kSeeThroughAlpha : 1.0f;
  }
  // The refused-size check of a level header, with its log line.
  bool IsLevelSizeAccepted(int32_t width, int32_t height) const;
  // The level's own table in the level data: background, colours (those
  // at 1) and time limit. The count of colours it enables.
  int ReadLevelData(LuaPlus::LuaState* data, uint8_t flags[kColorCount]);
  void AllocateTiles();
  // Lists a tile of the board whose picture now animates, once.
  void ListIfAnimated(QORTile& tile);
  void AllocateBackground();
  void SaveTiles(WriteLua& writer);
  void SaveBarriers(WriteLua& writer);
  void ComputeSavedSize();
  // The whole cell at the screen position lies inside the view.
  bool IsCellInsideView(const math::Vec2& position) const;

  std::unique_ptr<QORTile[]> tiles_;
  // The tiles whose picture plays an animation that ends: the only ones the
  // tick has something to do for.
  std::vector<size_t> animatedTiles_;
  QORWellUI* hud_ = nullptr;
  QORWellMode* mode_ = nullptr;
  ui::UISprite spareSprite_;
  ui::UISprite webSprite_;
  std::vector<Vertex2D> webQuads_;  // the webs in view, kept between frames
  num::ProbSet colorWeights_{kColorCount};
  num::ProbSet typeWeights_{kTypeCount};
  math::Vec2 mousePosition_;
  well::Block* hovered_ = nullptr;
  well::Block* selectedA_ = nullptr;
  well::Block* selectedB_ = nullptr;
  CountdownTimer swapTimer_{0.2f, -1.0f};
  uint8_t swapBack_ = 0;
  CountdownTimer sparkleTimer_{2.0f, 2.0f};
  ui::UISprite selectionRing_;
  int32_t backgroundColumns_ = 0;
  int32_t backgroundRows_ = 0;
  std::unique_ptr<ui::UISprite[]> backgroundSprites_;
  std::string backgroundImage_;
  math::Vec2 backgroundTileSize_{kBackgroundWidth, kBackgroundHeight};
  QORExplorer* explorer_ = nullptr;
  QORMummy* mummy_ = nullptr;
  well::Block* entrance_ = nullptr;
  well::Block* exit_ = nullptr;
  std::string levelPath_;
  uint8_t shadyLevel_ = 0;
  int32_t shadyStartX_ = 0;
  int32_t shadyStartY_ = 0;
  QORWalker* shady_ = nullptr;
  FloorBounds floorBounds_;
  std::vector<QORWalker*> walkers_;
  std::vector<std::pair<int32_t, int32_t>> spawnCells_;
  int32_t savedWidth_ = 0;
  int32_t savedHeight_ = 0;
  uint8_t edgeScrolling_ = 1;
  uint8_t soundCues_[kSoundCueCount] = {};
  std::vector<well::Block*> milestones_;
  QORGoalMap* goalMap_ = nullptr;
  std::vector<QORBarrier> barriers_;
  int32_t comboCount_ = 0;
  MatchPass pass_;
  // Each cell's run colour, read once a pass.
  std::vector<int32_t> passColours_;
  std::unique_ptr<QORStartFlash> startFlash_;
  CountdownTimer idleHintTimer_{10.0f, 10.0f};
  uint8_t raceDebug_ = 0;
  QORGameHelp* help_ = nullptr;
  float timeLimit_ = kTimerPeriod;
  CountdownTimer levelTimer_{kTimerPeriod, kTimerPeriod};
  std::string levelId_;
  int32_t nestFlag_ = 0;
  int32_t crittersKilled_ = 0;
  int32_t tilesBroken_ = 0;
  int32_t tileTotal_ = 0;
  well::HandHold* handHold_ = nullptr;
  std::unique_ptr<QORMusicRotation> music_;
  // Set by BeforeLoad when the header asks for a size out of range.
  // The bottles put on the grid, each with the cell it was put in, so that
  // feeding costs what the bottles number and not what the board measures.
  // An entry whose cell no longer holds its block is dropped at the next
  // feeding; the list is kept in grid order for it.
  struct BottleEntry {
    well::Block* block;
    int32_t x;
    int32_t y;
  };
  std::vector<BottleEntry> bottles_;
  bool bottlesUnsorted_ = false;
  uint8_t sizeRefused_ = 0;
  uint8_t headerMissing_ = 0;
};

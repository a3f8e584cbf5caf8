// What the board's parts see of the game board: the blocks, walkers, the
// explorer and his maps, the powers, the HUD, the tutorial's steps, the start
// flash and the end screens. They get the engine's scrolling board (cells,
// blocks, geometry, scroll) and, of the game, the floor tiles, the walkers,
// the explorer and the mummy, the blocks of note, the sound cues, the hints
// and the effects; nothing of how the game board keeps or steps them.
#pragma once
#include <cstdint>
#include <vector>

#include "board/qor_tile.h"
#include "core/math/vector.h"
#include "well/game_scroll_well.h"

class QORExplorer;
class QORGameHelp;
class QORGoalMap;
class QORMummy;
class QORPower;
class QORWalker;
class QORWellSFX;
class QORWellUI;

class QORBoardView : public well::GameScrollWell {
 public:
  using well::GameScrollWell::GameScrollWell;

  // --- Sound cues: raised during a logic step, each played once at its end.
  enum SoundCue {
    kCueBlockSwitch,
    kCueBlockFall1,
    kCueBlockFall2,
    kCueMummyHi,
    kCueMummyBye,
    kCueMummyMagic,
    kCueBlockClear3,  // to kCueBlockClear3 + 4: a pass scoring 3 to 7
    kCueBaseClear3 = kCueBlockClear3 + 5,  // to + 4: by the combo count
    kSoundCueCount = kCueBaseClear3 + 5,
  };
  virtual void RaiseSoundCue(int cue) = 0;
  // Shows the hint over the screen rectangle once per profile; true when
  // the help took it.
  virtual bool TriggerHint(int32_t id, const math::Vec2& topLeft, const math::Vec2& bottomRight) = 0;
  QORWellSFX* GetGameEffects() const;

  // --- Floor tiles: null off the board.
  virtual QORTile* GetTile(int32_t x, int32_t y) = 0;
  // Shows the tile's picture, or plays its flip when a hit is pending and
  // moves its type by the hit.
  virtual void RefreshTile(QORTile& tile) = 0;
  // Turns about half of the gold tiles back to cracked sand.
  virtual void RestoreCrackedTiles() = 0;
  // A blue burst and a spray of sparks from the cell's centre.
  virtual void PlayCellBurst(int32_t x, int32_t y) = 0;

  // --- Blocks: the game type (plain token 0, entrance 5, exit 6, milestone
  // 9 ...), -1 for a block that is not a game block.
  virtual int32_t GetBlockType(const well::Block* block) const = 0;
  virtual well::Block* GetEntrance() const = 0;
  virtual well::Block* GetExit() const = 0;
  virtual const std::vector<well::Block*>& GetMilestones() const = 0;
  // The exit tomb opens as the explorer steps in; a found milestone opens.
  virtual void OpenExit() = 0;
  virtual void OpenMilestone(well::Block* milestone) = 0;
  // A treasure found: the HUD counts it, and power index + 1 flies from the
  // board point to its button with the treasure popup.
  virtual void AwardTreasure(const math::Vec2& from, int32_t powerIndex) = 0;
  virtual void Refill() = 0;
  virtual bool IsRace() = 0;
  virtual bool IsShadyLevel() const = 0;

  // --- Play.
  virtual const math::Vec2& GetMousePosition() const = 0;
  virtual int32_t GetComboCount() const = 0;
  virtual void AddCritterKilled() = 0;

  // --- The explorer: his cell and the cell he is stepping to are false
  // without him.
  virtual QORExplorer* GetExplorer() const = 0;
  virtual QORGoalMap* GetGoalMap() const = 0;
  virtual bool GetExplorerCell(int32_t& x, int32_t& y) const = 0;
  virtual bool GetExplorerTargetCell(int32_t& x, int32_t& y) const = 0;
  // A critter's strike: he stops, then goes back to the entrance.
  virtual void KnockOutExplorer() = 0;
  // He stops where he stands.
  virtual void SetExplorerIdle() = 0;
  // He plans his way again after the board changed under it.
  virtual void RebuildExplorerPath() = 0;
  virtual void PlayExplorerPowerAnimation() = 0;

  // --- Walkers: the board owns every walker on its list.
  // Keeps the walker when its cell lies on the board and neither another
  // walker stands there nor, for a rival, another rival is listed; a walker
  // not kept is destroyed at once. True when kept.
  virtual bool AddWalker(QORWalker* walker) = 0;
  virtual QORWalker* FindWalkerAt(int32_t x, int32_t y) = 0;
  // Takes a listed walker off the board the one way walkers leave; false
  // when it is not on the list.
  virtual bool RemoveListedWalker(QORWalker* walker) = 0;
  virtual const std::vector<QORWalker*>& GetWalkers() const = 0;
  virtual void NotifyWalkersNearExplorer() = 0;
  // The rival's cell; false without a rival.
  virtual bool GetShadyCell(int32_t& x, int32_t& y) const = 0;
  virtual bool HasMummy() const = 0;
  virtual QORMummy* GetMummy() const = 0;
  virtual void HitMummy() = 0;
  virtual void ResurrectMummy(well::Block* nest) = 0;

  // --- The HUD and the help.
  virtual QORWellUI* GetHud() const = 0;
  virtual QORGameHelp* GetHelp() const = 0;
  // Power index + 1, made for the HUD, which owns it; null for none.
  virtual QORPower* CreatePower(int32_t index) = 0;
};

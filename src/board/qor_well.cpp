#include "board/qor_well.h"

#include <algorithm>
#include <cstdlib>
#include <strings.h>

#include "audio/audio.h"
#include "board/effects/qor_start_flash.h"
#include "board/blocks/qor_well_mode.h"
#include "board/effects/qor_well_sfx.h"
#include "board/explorer/qor_explorer.h"
#include "board/explorer/qor_goal_map.h"
#include "board/help/qor_game_help.h"
#include "board/hud/qor_well_ui.h"
#include "board/qor_music_rotation.h"
#include "board/walkers/qor_mummy.h"
#include "board/walkers/qor_walker.h"
#include "core/input/keyboard.h"
#include "core/log.h"
#include "core/math/random.h"
#include "core/script/console.h"
#include "render/fonts/font_manager.h"
#include "well/game_end.h"

namespace {

// The debug keys, by DirectInput code.
constexpr int32_t kKeyQ = 16;
constexpr int32_t kKeyW = 17;
constexpr int32_t kKeyP = 25;
constexpr int32_t kKeyD = 32;

constexpr float kGoalMapDelay = 0.4f;
constexpr float kSparkleSeconds = 2.0f;
constexpr float kIdleHintSeconds = 10.0f;
constexpr float kEdgeScrollSpeed = 0.8f;

// A block type of its own: the board asks the blocks' part for it.
constexpr int32_t kPlainToken = 0;
constexpr int32_t kEntranceType = 5;
constexpr int32_t kExitType = 6;
constexpr int32_t kMilestoneType = 9;

}  // namespace

const char* const QORWell::kSoundCueNames[kSoundCueCount] = {
    "block_switch",  "block_fall_1",  "block_fall_2",  "mummy_hi",      "mummy_bye",     "mummy_magic",
    "block_clear_3", "block_clear_4", "block_clear_5", "block_clear_6", "block_clear_7", "base_clear_3",
    "base_clear_4",  "base_clear_5",  "base_clear_6",  "base_clear_7",
};

QORWell::QORWell(void* owner) : QORBoardView(owner) {
  auto* effects = new QORWellSFX(this, owner);
  SetEffects(effects);
  effects->Init();
  ResetProbSets();
  selectionRing_.Setup("img/block_select.png", math::Vec2(0.0f, 0.0f), math::Vec2(1.0f, 1.0f), false);
  webSprite_.Setup("spiderweb", math::Vec2(0.0f, 0.0f), math::Vec2(1.0f, 1.0f), false);
  sparkleTimer_.remaining = kSparkleSeconds;
  SetTimeLimit(kTimerPeriod);
  CreateExplorer();
}

QORWell::~QORWell() {
  DeleteInterface();
  DeleteExplorerAndGoalMap();
  DeleteLevelObjects();
  ClearWalkers();
  // The scrolling board deletes the blocks and the effects owner after this.
}

// --- Slots of the well family.

bool QORWell::ClearWell() {
  selectedA_ = selectedB_ = nullptr;
  entrance_ = exit_ = nullptr;
  // Nor may the hover and the milestones point at the blocks deleted now.
  hovered_ = nullptr;
  milestones_.clear();
  return GameScrollWell::ClearWell();
}

bool QORWell::Load(const std::string& fileName, float delay) {
  shadyLevel_ = 0;
  shadyStartX_ = shadyStartY_ = 0;
  const bool loaded = GameScrollWell::Load(fileName, delay);
  // The blocks come before the Spiders table that sets the rival flag.
  RestExits();
  return loaded;
}

void QORWell::OnSettled() {
  ResolveMatches();
  RefreshHitTiles();
}

well::Block* QORWell::GetBlock(int32_t x, int32_t y) {
  if (!IsInside(x, y)) return nullptr;
  if (well::Block* own = GameScrollWell::GetBlock(x, y)) return own;
  // A block of two cells a side is stored at its top-left cell only.
  if (x > 0 && y > 0) {
    well::Block* block = GameScrollWell::GetBlock(x - 1, y - 1);
    if (block && block->GetWidth() > 1 && block->GetHeight() > 1) return block;
  }
  if (y > 0) {
    well::Block* block = GameScrollWell::GetBlock(x, y - 1);
    if (block && block->GetHeight() > 1) return block;
  }
  if (x > 0) {
    well::Block* block = GameScrollWell::GetBlock(x - 1, y);
    if (block && block->GetWidth() > 1) return block;
  }
  return nullptr;
}

// --- Set-up.

void QORWell::Setup(uint32_t width, uint32_t height, const uint8_t colorFlags[kColorCount]) {
  SetViewCells(kViewColumns, kViewRows);
  Create(width, height, math::Vec2(0.0f, 0.0f), math::Vec2(1.0f, 0.95f), math::Vec2(kCellWidth, kCellHeight));
  AllocateTiles();
  AllocateBackground();
  std::fill(typeWeights_.weights.begin(), typeWeights_.weights.end(), 0.0f);
  typeWeights_.weights[0] = 1.0f;
  typeWeights_.total = 1.0f;
  SetColors(colorFlags);
}

void QORWell::AllocateTiles() {
  animatedTiles_.clear();
  tiles_ = std::make_unique<QORTile[]>(static_cast<size_t>(width_) * height_);
  for (uint32_t x = 0; x < width_; ++x) {
    for (uint32_t y = 0; y < height_; ++y) {
      QORTile& tile = tiles_[GetCellIndex(x, y)];
      tile.hit = 0;
      tile.crackVariant = std::rand() % 3 + 1;
      tile.webbed = 0;
      tile.type = kTileVoid;
      tile.x = static_cast<int32_t>(x);
      tile.y = static_cast<int32_t>(y);
      RefreshTile(tile);
    }
  }
}

void QORWell::AllocateBackground() {
  backgroundTileSize_ = math::Vec2(kBackgroundWidth, kBackgroundHeight);
  backgroundColumns_ = std::max(2, static_cast<int32_t>(width_ * kCellWidth / kBackgroundWidth + 1.0f));
  backgroundRows_ = std::max(2, static_cast<int32_t>(height_ * kCellHeight / kBackgroundHeight + 1.0f));
  backgroundSprites_ = std::make_unique<ui::UISprite[]>(static_cast<size_t>(backgroundColumns_) * backgroundRows_);
  SetBackground(backgroundName_);
}

void QORWell::SetBackground(const std::string& imageFile) {
  backgroundImage_ = imageFile.empty() ? "img/Background_1.jpg" : imageFile;
  if (!backgroundSprites_) return;
  for (int32_t column = 0; column < backgroundColumns_; ++column) {
    for (int32_t row = 0; row < backgroundRows_; ++row) {
      ui::UISprite& sprite = backgroundSprites_[column * backgroundRows_ + row];
      sprite.Setup(backgroundImage_, math::Vec2(0.0f, 0.0f), math::Vec2(1.0f, 1.0f), false);
      sprite.SetRect(math::Vec2(column * kBackgroundWidth, row * kBackgroundHeight), backgroundTileSize_, 0.0f, 0,
                     0xFFFFFFFFu);
    }
  }
}

void QORWell::SetBackgroundEffect(const std::string& name) {
  QORWellSFX* effects = GetGameEffects();
  if (!effects) return;
  static const char* const kWeathers[] = {"snow", "sakura", "maple"};
  int32_t index = -1;
  for (int32_t i = 0; i < 3; ++i) {
    if (strcasecmp(name.c_str(), kWeathers[i]) == 0) index = i;
  }
  effects->SetWeatherIndex(index);
}

void QORWell::SetColors(const uint8_t colorFlags[kColorCount]) {
  colorWeights_.total = 0.0f;
  for (int i = 0; i < kColorCount; ++i) {
    colorWeights_.weights[i] = colorFlags[i] ? 1.0f : 0.0f;
    colorWeights_.total += colorWeights_.weights[i];
  }
  if (hud_) hud_->RefreshColors();
}

void QORWell::ResetProbSets() {
  std::fill(colorWeights_.weights.begin(), colorWeights_.weights.end(), 0.0f);
  colorWeights_.total = 0.0f;
  std::fill(typeWeights_.weights.begin(), typeWeights_.weights.end(), 0.0f);
  typeWeights_.weights[0] = typeWeights_.weights[1] = 1.0f;
  typeWeights_.total = 2.0f;
}

// --- Time and music.

void QORWell::SetTimeLimit(float seconds) {
  timeLimit_ = std::clamp(seconds, kMinTimeLimit, kTimerPeriod);
  levelTimer_.period = kTimerPeriod;
  levelTimer_.remaining = timeLimit_;
}

void QORWell::SpendTime(float seconds) {
  levelTimer_.remaining = std::clamp(levelTimer_.remaining - seconds, 0.0f, levelTimer_.period);
}

void QORWell::TriggerMusic() {
  if (IsRace() || IsShadyLevel()) {
    audio::GetAudio().PlayMusic("sounds/Scarab Race.ogg", 1.0f, true);
  } else if (!music_) {
    BuildGamePlayMusic();
  }
}

void QORWell::BuildGamePlayMusic() {
  music_ = std::make_unique<QORMusicRotation>();
  music_->Build();
}

// --- A level.

bool QORWell::LoadLevel(const std::string& path) {
  levelPath_ = path;
  levelId_ = LevelIdOf(path);
  bool loaded = true;
  if (!path.empty()) {
    sizeRefused_ = headerMissing_ = 0;
    loaded = Load(path, -1.0f) && !sizeRefused_;
    if (!loaded) {
      LOG_LINE(MSG_ERROR, "Failed to load level! " + path);
      uint8_t every[kColorCount];
      std::fill(std::begin(every), std::end(every), 1);
      Setup(kFallbackWidth, kFallbackHeight, every);
    }
  }
  StartMode();
  OnLevelStart();
  return loaded;
}

void QORWell::OnLevelStart() {
  FindEntranceAndExit();
  BuildSpawnCells();
  if (entrance_) {
    const well::Cell cell = entrance_->GetCell();
    PlaceExplorer(cell.x + 1, cell.y + 1);
    math::Vec2 position;
    if (GetExplorerBoardPosition(position)) SetScroll(position - math::Vec2(0.5f, 0.5f));
  }
  TriggerMusic();

  milestones_.clear();
  std::vector<well::Block*> blocks;
  CollectBlocks(0, 0, width_, height_, blocks);
  for (well::Block* block : blocks) {
    if (GetBlockType(block) == kMilestoneType) milestones_.push_back(block);
  }
  std::stable_sort(milestones_.begin(), milestones_.end(), [this](const well::Block* a, const well::Block* b) {
    return GetMilestoneIndex(a) < GetMilestoneIndex(b);
  });

  CreateGoalMap();
  if (!IsRace() && !IsEditorWell()) {
    startFlash_ = std::make_unique<QORStartFlash>(width_, height_, this, GetGameEffects(), explorer_);
    startFlash_->Start();
  }
  if (console::Console* console = GetConsole()) {
    if (IsRace()) {
      console->Do("OnRaceStart()");
    } else if (!IsEditorWell()) {
      console->Do("OnLevelStart()");
    }
  }
  SpawnShady();
  UpdateFloorBounds();
}

void QORWell::UpdateFloorBounds() {
  floorBounds_ = FloorBounds{static_cast<int32_t>(width_), static_cast<int32_t>(height_), 0, 0};
  for (uint32_t x = 0; x < width_; ++x) {
    for (uint32_t y = 0; y < height_; ++y) {
      if (!tiles_[GetCellIndex(x, y)].IsFloor()) continue;
      floorBounds_.minX = std::min(floorBounds_.minX, static_cast<int32_t>(x));
      floorBounds_.minY = std::min(floorBounds_.minY, static_cast<int32_t>(y));
      floorBounds_.maxX = std::max(floorBounds_.maxX, static_cast<int32_t>(x));
      floorBounds_.maxY = std::max(floorBounds_.maxY, static_cast<int32_t>(y));
    }
  }
}

void QORWell::FindEntranceAndExit() {
  entrance_ = exit_ = nullptr;
  for (uint32_t x = 0; x < width_; ++x) {
    for (uint32_t y = 0; y < height_; ++y) {
      well::Block* block = GetBlock(x, y);
      if (!block) continue;
      const int32_t type = GetBlockType(block);
      if (type == kEntranceType && !entrance_) entrance_ = block;
      if (type == kExitType && !exit_) exit_ = block;
    }
  }
}

void QORWell::ShutdownUI() {
  if (hud_) hud_->Hide();
  if (gameEnd_) gameEnd_->HidePanel();
  DeleteHelp();
}

// --- The frame.

void QORWell::Tick(float dt) {
  TickMusicAndInterface(dt);
  if (!TickTutorial(dt)) return;
  TickStartFlash(dt);

  const bool hintShowing = IsHintShowing();
  if (!gameEnd_ && !hintShowing) {
    TickMummy(dt);
    TickWalkers(dt);
    if (explorer_) explorer_->Tick(dt);
    math::Vec2 position;
    if (!IsEditing() && GetExplorerBoardPosition(position)) SetScroll(position - math::Vec2(0.5f, 0.5f));
    EdgeScroll(dt);
  }
  TickTiles(dt);
  // The end screen is ticked by the base tick, once a frame.
  if (!gameEnd_) {
    if (mode_) mode_->Tick(dt);
    levelTimer_.remaining -= dt;
    if (hud_) hud_->SetElapsedSeconds(static_cast<int32_t>(elapsed_));
  }
  TickSparkle(dt);
  TickSwap(dt);
  if (!IsRace() && goalMap_) goalMap_->Tick(dt);
  TickIdleHint(dt);

  // An open hint holds the view still.
  const bool holdView = IsHintShowing();
  const math::Vec2 scroll = scroll_;
  // A token's cycle end looks for the pointer: the block under it is ticked in full.
  if (well::Block* pointed = GetBlockAtPoint(GetMousePosition())) pointed->Wake();
  GameScrollWell::Tick(dt);
  if (holdView) SetScrollVector(scroll);
  // Blocks the tick took off the grid are let go of.
  ForgetLostBlocks();
}

void QORWell::TickMusicAndInterface(float dt) {
  if (music_) music_->Tick();
  TickHud(dt);
}

void QORWell::TickStartFlash(float dt) {
  if (startFlash_ && !startFlash_->IsFinished()) {
    startFlash_->Tick(dt);
    if (startFlash_->IsFinished()) {
      startFlash_.reset();
      audio::GetAudio().PlaySound("end_flash.ogg");
    }
  }
  if (!startFlash_ && !IsRace()) OpenGoalMap(true);
}

void QORWell::TickSparkle(float dt) {
  sparkleTimer_.Tick(dt);
  QORWellSFX* effects = GetGameEffects();
  if (!sparkleTimer_.IsExpired() || !effects) return;
  sparkleTimer_.remaining = kSparkleSeconds;
  // The ranges of background pictures in view, taken as cells.
  const int32_t c0 = std::max(0, static_cast<int32_t>(scroll_.x / kBackgroundWidth));
  const int32_t c1 = static_cast<int32_t>(std::min(static_cast<float>(backgroundColumns_),
                                                   1.0f / kBackgroundWidth + scroll_.x / kBackgroundWidth + 1.0f));
  const int32_t r0 = std::max(0, static_cast<int32_t>(scroll_.y / kBackgroundHeight));
  const int32_t r1 = static_cast<int32_t>(std::min(static_cast<float>(backgroundRows_),
                                                   scroll_.y / kBackgroundHeight + 1.0f / kBackgroundHeight + 1.0f));
  if (c1 < c0 || r1 < r0) return;
  num::Random& random = num::GetRandom();
  const int32_t x = c0 + static_cast<int32_t>(random.Next() % static_cast<uint32_t>(c1 - c0 + 1));
  const int32_t y = r0 + static_cast<int32_t>(random.Next() % static_cast<uint32_t>(r1 - r0 + 1));
  well::Block* block = GetBlock(x, y);
  if (block && GetBlockType(block) == kPlainToken) effects->SparkleAt(CellToScreen(x, y));
}

void QORWell::TickIdleHint(float dt) {
  idleHintTimer_.Tick(dt);
  if (!idleHintTimer_.IsExpired()) return;
  ShowPossibleMove();
  idleHintTimer_.remaining = kIdleHintSeconds;
}

void QORWell::EdgeScroll(float dt) {
  if (!IsEditing() || !edgeScrolling_) return;
  const float v = kEdgeScrollSpeed * dt;
  if (mousePosition_.x < 0.02f) SetScroll(scroll_ - math::Vec2(v, 0.0f));
  if (mousePosition_.x > 0.98f) SetScroll(scroll_ + math::Vec2(v, 0.0f));
  if (mousePosition_.y < 0.02f) SetScroll(scroll_ - math::Vec2(0.0f, v));
  if (mousePosition_.y > 0.98f) SetScroll(scroll_ + math::Vec2(0.0f, v));
}

void QORWell::Step() {
  GameScrollWell::Step();
  if (!IsEditing() && mode_) mode_->OnStep();
  OnMouseMove(mousePosition_);
  PlaySoundCues();
  CheckFirstHints();
}

void QORWell::PlaySoundCues() {
  for (int cue = 0; cue < kSoundCueCount; ++cue) {
    if (soundCues_[cue]) audio::GetAudio().PlaySound(kSoundCueNames[cue]);
    soundCues_[cue] = 0;
  }
}

// --- Drawing.

void QORWell::Draw() {
  DrawBackground();
  if (!gameEnd_ && !IsRace()) PlaceTargetMarkers();
  DrawBlocksBatched();
  DrawWebs();
  if (!gameEnd_ && mode_) mode_->Draw();
  DrawSwap();
  if (!IsEditing() && !IsRace()) {
    const well::Cell under = ScreenToCell(mousePosition_);
    int32_t x = 0, y = 0;
    if (GetExplorerCell(x, y)) {
      if (explorer_) {
        explorer_->SetAlpha(AlphaUnder(under, x, y));
        explorer_->Draw();
      }
      const QORTile* tile = GetTile(x, y);
      math::Vec2 position;
      if (tile && tile->webbed && GetExplorerBoardPosition(position)) {
        webSprite_.SetRect(position - scroll_, cellSize_, 0.0f, 0, 0xFFFFFFFFu);
        webSprite_.Render();
      }
    }
    if (GetMummyCell(x, y)) DrawMummy(AlphaUnder(under, x, y));
    SetWalkerAlphas(under);
  }
  if (gameEnd_ && effects_) effects_->Draw();
}

void QORWell::DrawOverlay() {
  if (!gameEnd_) {
    if (effects_) effects_->Draw();
    OpenGoalMap(elapsed_ > kGoalMapDelay);
    if (!IsRace() && goalMap_) goalMap_->Draw();
  }
  DrawHud();
  if (FontManager* fonts = GetFontManager()) fonts->Printf(math::Vec2(0.01f, 0.01f), "Level %s", fileName_.c_str());
  if (help_) help_->Draw({0.0f, 0.0f});
  if (gameEnd_) gameEnd_->DrawOverlay();
}

// --- Walkers.

bool QORWell::AddWalker(QORWalker* walker) {
  if (!walker) return false;
  int32_t x = 0, y = 0;
  bool keep = GetWalkerCell(walker, x, y) && IsInside(x, y);
  const bool rival = GetWalkerType(walker) == 1;
  for (size_t i = 0; keep && i < walkers_.size(); ++i) {
    int32_t ox = 0, oy = 0;
    GetWalkerCell(walkers_[i], ox, oy);
    if ((ox == x && oy == y) || (rival && GetWalkerType(walkers_[i]) == 1)) keep = false;
  }
  if (!keep) {
    DestroyWalker(walker);
    return false;
  }
  walkers_.push_back(walker);
  return true;
}

bool QORWell::DeleteWalkers(const math::Vec2& point) {
  const well::Cell cell = ScreenToCell(point);
  for (auto it = walkers_.begin(); it != walkers_.end(); ++it) {
    int32_t x = 0, y = 0;
    if (!GetWalkerCell(*it, x, y) || x != cell.x || y != cell.y) continue;
    RemoveWalker(it);
    return true;
  }
  return false;
}

void QORWell::RemoveWalker(std::vector<QORWalker*>::iterator it) {
  QORWalker* walker = *it;
  walkers_.erase(it);
  if (shady_ == walker) shady_ = nullptr;
  DestroyWalker(walker);
}

void QORWell::TickWalkers(float dt) {
  // By index: a walker's tick may add walkers to the list.
  for (size_t i = 0; i < walkers_.size(); ++i) if (walkers_[i]) walkers_[i]->Tick(dt);
  // One walker leaves a frame.
  for (auto it = walkers_.begin(); it != walkers_.end(); ++it) {
    if (*it && (*it)->IsDone()) {
      RemoveWalker(it);
      break;
    }
  }
}

void QORWell::DrawWalkers() {
  for (QORWalker* walker : walkers_) {
    if (walker) walker->Draw();
  }
}

void QORWell::SetWalkerAlphas(const well::Cell& under) {
  for (QORWalker* walker : walkers_) {
    int32_t x = 0, y = 0;
    if (GetWalkerCell(walker, x, y)) walker->SetAlpha(AlphaUnder(under, x, y));
  }
}

void QORWell::NotifyWalkersNearExplorer() {
  int32_t ex = 0, ey = 0;
  if (!GetExplorerCell(ex, ey)) return;
  for (size_t i = 0; i < walkers_.size(); ++i) {
    int32_t x = 0, y = 0;
    if (GetWalkerCell(walkers_[i], x, y) && std::abs(x - ex) + std::abs(y - ey) <= 1) walkers_[i]->TryAttack();
  }
  if (mummy_) mummy_->Magic();
}

QORWalker* QORWell::FindWalkerAt(int32_t x, int32_t y) {
  for (QORWalker* walker : walkers_) {
    int32_t wx = 0, wy = 0;
    if (GetWalkerCell(walker, wx, wy) && wx == x && wy == y) return walker;
  }
  return nullptr;
}

void QORWell::ClearWalkers() {
  std::vector<QORWalker*> leaving;
  leaving.swap(walkers_);
  shady_ = nullptr;
  for (QORWalker* walker : leaving) DestroyWalker(walker);
}

void QORWell::SpawnShady() {
  if (!shadyLevel_ || shady_) return;
  const QORTile* tile = GetTile(shadyStartX_, shadyStartY_);
  if (!tile || tile->type == kTileVoid) return;
  QORWalker* rival = MakeShady(shadyStartX_, shadyStartY_);
  if (!rival || !AddWalker(rival)) return;
  shady_ = rival;
  ShowShadyHint();
}

void QORWell::ResurrectMummy(well::Block* nest) {
  if (mummy_ || !nest || !exit_ || !entrance_ || !explorer_) return;
  // Beside the nest, on the first plain token of these cells, else on the nest.
  static const well::Cell kBeside[] = {{0, -1}, {1, -1}, {-1, 0}, {-1, 1}, {2, 0}, {2, 1}, {0, 2}, {1, 2}};
  const well::Cell at = nest->GetCell();
  well::Cell cell = at;
  for (const well::Cell& offset : kBeside) {
    well::Block* block = GetBlock(at.x + offset.x, at.y + offset.y);
    if (block && GetBlockType(block) == kPlainToken) {
      cell = well::Cell{at.x + offset.x, at.y + offset.y};
      break;
    }
  }
  CreateMummy(cell.x, cell.y);
}

// --- Keys.

void QORWell::OnKey(const input::KeyState* key) {
  if (!key) return;
  switch (key->code) {
    case kKeyQ:
      if (exit_) {
        const well::Cell cell = exit_->GetCell();
        PlaceExplorer(cell.x, cell.y + 1);
      }
      break;
    case kKeyW:
      SpendTime(10000.0f);
      break;
    case kKeyP:
      AwardDebugPower();
      break;
    case kKeyD:
      raceDebug_ = raceDebug_ ? 0 : 1;
      break;
    default:
      break;
  }
}

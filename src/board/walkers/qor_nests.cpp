#include "board/walkers/qor_nests.h"

#include <cstdlib>
#include <new>

#include "audio/audio.h"
#include "board/effects/qor_well_sfx.h"
#include "board/qor_board_view.h"
#include "board/walkers/qor_cobra.h"
#include "board/walkers/qor_flyer.h"
#include "board/walkers/qor_scorpion.h"
#include "board/walkers/qor_spider.h"
#include "well/effects/explosion_sfx_set.h"

namespace {

// The explosion the nests open with: its set, and how it grows.
constexpr int32_t kMummySet = 4;
constexpr int32_t kScorpionSet = 2;
constexpr int32_t kSpiderSet = 1;
constexpr int32_t kCobraSet = 2;
constexpr float kExplosionEnd = 0.25f;

}  // namespace

QORNest* QORNest::Make(int32_t type, well::BaseWell* board) {
  switch (type) {
    case kMummyNest: return new (std::nothrow) QORMummyNest(board);
    case kScorpionNest: return new (std::nothrow) QORScorpionNest(board);
    case kSpiderNest: return new (std::nothrow) QORSpiderNest(board);
    case kCobraNest: return new (std::nothrow) QORCobraNest(board);
    case kScarabNest: return new (std::nothrow) QORScarabNest(board);
    case kLocustNest: return new (std::nothrow) QORLocustNest(board);
    default: return nullptr;
  }
}

QORNest::QORNest(well::BaseWell* board, int32_t type, const char* image) : QORBlock(board), image_(image) {
  type_ = type;
  color_ = well::kColorNone;
  SetSize(kSide, kSide);
}

QORNest::~QORNest() {
  if (walker_) walker_->ForgetNest();
}

void QORNest::SetSize(int32_t, int32_t) { QORBlock::SetSize(kSide, kSide); }

void QORNest::OnPlaced() {
  QORBoardView* well = GetGameBoard();
  const well::Cell at = GetCell();
  for (int32_t dx = 0; dx < kSide; ++dx) {
    for (int32_t dy = 0; dy < kSide; ++dy) {
      QORTile* tile = well->GetTile(at.x + dx, at.y + dy);
      if (!tile) continue;
      tile->type = kTileVoid;
      tile->hit = 0;
      well->RefreshTile(*tile);
    }
  }
}

bool QORNest::Tick(float dt) {
  if (respawnTimer_.IsExpired()) {
    checkTimer_.Tick(dt);
    if (checkTimer_.IsExpired()) {
      checkTimer_.remaining = checkTimer_.period;
      int32_t ex = 0, ey = 0;
      const well::Cell at = GetCell();
      if (GetGameBoard()->GetExplorerCell(ex, ey) && std::abs(ex - at.x) + std::abs(ey - at.y) <= range_) {
        SpawnObject();
        respawnTimer_.remaining = respawnTimer_.period;
      }
    }
  } else if (!HasLiveWalker()) {
    respawnTimer_.Tick(dt);
  }
  return QORBlock::Tick(dt);
}

void QORNest::ForgetWalker(QORWalker* walker) {
  if (walker_ == walker) walker_ = nullptr;
}

void QORNest::Prepare(QORWalker* walker, int32_t x, int32_t y) {
  walker->PlaceAt(x, y);
  walker->SetTurnSense(1);
  walker->Think();
}

void QORNest::Announce(const char* sound, int32_t set) {
  audio::GetAudio().PlaySound(sound);
  QORWellSFX* effects = GetGameBoard()->GetGameEffects();
  well::ExplosionSFXSet* explosion = effects && set >= 0 ? effects->GetExplosionSet(static_cast<size_t>(set)) : nullptr;
  if (explosion) explosion->Trigger(GetEffectCentre(), 1.0f, 0.00625f, kExplosionEnd);
}

// --- The mummy's nest.

QORMummyNest::QORMummyNest(well::BaseWell* board) : QORNest(board, kMummyNest, "mummy_nest") {}

bool QORMummyNest::Tick(float dt) {
  if (GetGameBoard()->HasMummy()) respawnTimer_.remaining = respawnTimer_.period;
  return QORNest::Tick(dt);
}

bool QORMummyNest::HasLiveWalker() const { return GetGameBoard()->HasMummy(); }

void QORMummyNest::SpawnObject() {
  QORBoardView* well = GetGameBoard();
  if (well->HasMummy()) return;
  well->ResurrectMummy(this);
  // The mummy rises with the spiders' sound.
  Announce("spider_appear", kMummySet);
}

// --- Scorpions and spiders.

QORSingleNest::QORSingleNest(well::BaseWell* board, int32_t type, const char* image, const char* sound)
    : QORNest(board, type, image), sound_(sound) {}

void QORSingleNest::SpawnObject() {
  if (walker_ || silenced_) return;
  QORWalker* critter = MakeCritter();
  if (!critter) return;
  const well::Cell at = GetCell();
  Prepare(critter, at.x, at.y - 1);
  // A refused critter is deleted at once: the nest keeps a flag, not the pointer.
  if (GetGameBoard()->AddWalker(critter)) {
    walker_ = critter;
  } else {
    silenced_ = 1;
  }
  Announce(sound_, type_ == kScorpionNest ? kScorpionSet : kSpiderSet);
}

QORScorpionNest::QORScorpionNest(well::BaseWell* board)
    : QORSingleNest(board, kScorpionNest, "scorpion_nest", "scorpian_appear") {}

QORWalker* QORScorpionNest::MakeCritter() { return new (std::nothrow) QORScorpion(GetGameBoard(), this); }

QORSpiderNest::QORSpiderNest(well::BaseWell* board)
    : QORSingleNest(board, kSpiderNest, "spider_nest", "SPIDER_APPEAR") {}

QORWalker* QORSpiderNest::MakeCritter() { return new (std::nothrow) QORSpider(GetGameBoard(), this); }

// --- The cobra.

QORCobraNest::QORCobraNest(well::BaseWell* board) : QORNest(board, kCobraNest, "cobra_nest") {}

void QORCobraNest::SpawnObject() {
  if (spawned_) return;
  spawned_ = 1;
  QORWalker* cobra = new (std::nothrow) QORCobra(GetGameBoard());
  if (!cobra) return;
  const well::Cell at = GetCell();
  cobra->PlaceAt(at.x, at.y);
  cobra->Think();
  GetGameBoard()->AddWalker(cobra);
  Announce("COBRA_APPEAR", kCobraSet);
}

// --- Swarms.

QORSwarmNest::QORSwarmNest(well::BaseWell* board, int32_t type, const char* image, const char* sound)
    : QORNest(board, type, image), sound_(sound) {}

QORSwarmNest::~QORSwarmNest() {
  for (QORWalker* walker : swarm_)
    if (walker) walker->ForgetNest();
}

void QORSwarmNest::SpawnObject() {
  if (released_ >= 1) return;
  const well::Cell at = GetCell();
  for (int32_t i = 0; i < kSwarmSize; ++i) {
    QORWalker* critter = MakeCritter();
    if (!critter) break;
    Prepare(critter, at.x + i / 2, at.y + i % 2);
    ++released_;
    // The board keeps it unless a walker already stands there.
    if (GetGameBoard()->AddWalker(critter)) swarm_[static_cast<size_t>(i)] = critter;
  }
  Announce(sound_, -1);
}

void QORSwarmNest::ForgetWalker(QORWalker* walker) {
  for (QORWalker*& member : swarm_)
    if (member == walker) member = nullptr;
}

bool QORSwarmNest::HasLiveWalker() const {
  for (QORWalker* member : swarm_)
    if (member) return true;
  return false;
}

QORScarabNest::QORScarabNest(well::BaseWell* board)
    : QORSwarmNest(board, kScarabNest, "scarab_nest", "SCARABs_APPEAR") {}

QORWalker* QORScarabNest::MakeCritter() { return new (std::nothrow) QORScarab(GetGameBoard(), this); }

QORLocustNest::QORLocustNest(well::BaseWell* board)
    : QORSwarmNest(board, kLocustNest, "locust_nest", "LOCUST_APPEAR") {}

QORWalker* QORLocustNest::MakeCritter() { return new (std::nothrow) QORLocust(GetGameBoard(), this); }

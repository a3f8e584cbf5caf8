// The nests: 2 x 2 blocks from which critters come out when the explorer
// comes near. A nest is never matched, moved or destroyed; it takes the
// floor from under itself, and every 0.8 s, once its 8 s respawn count has
// run, looks whether the explorer stands within 5 cells (Manhattan) and
// then releases its critter with a sound and an effect. While its critter
// lives the respawn count waits. The board owns the critters; a nest only
// refers to those it released, and both sides drop the link when either
// goes.
#pragma once
#include <array>
#include <cstdint>

#include "board/blocks/qor_block.h"
#include "core/countdown_timer.h"

class QORWalker;

class QORNest : public QORBlock {
 public:
  static constexpr float kCheckSeconds = 0.8f;
  static constexpr float kRespawnSeconds = 8.0f;
  static constexpr int32_t kRange = 5;
  static constexpr int32_t kSide = 2;

  // The nest of the type (11 to 16), owned by the caller; null for any
  // other type or when memory runs out.
  static QORNest* Make(int32_t type, well::BaseWell* board);

  // Its critters no longer point at it.
  ~QORNest() override;

  void Init() override { LoadImage(image_); }
  void SetSize(int32_t width, int32_t height) override;
  // Every tile under it loses its floor.
  void OnPlaced() override;
  // The spawn clock, then the block's own tick.
  bool Tick(float dt) override;
  void FallTest() override {}
  void SetDestroyed() override {}

  // Releases the nest's critter.
  virtual void SpawnObject() = 0;
  // The walker leaves the board.
  virtual void ForgetWalker(QORWalker* walker);

  const CountdownTimer& GetRespawnTimer() const { return respawnTimer_; }

 protected:
  QORNest(well::BaseWell* board, int32_t type, const char* image);
  // Whether a critter it released still lives.
  virtual bool HasLiveWalker() const { return walker_ != nullptr; }
  // Cell and target, turn sense 1 and the first Think, ready for the board.
  void Prepare(QORWalker* walker, int32_t x, int32_t y);
  // The effect of explosion set `set` at the nest's centre; -1 for none.
  void Announce(const char* sound, int32_t set);

  CountdownTimer checkTimer_{kCheckSeconds, kCheckSeconds};
  CountdownTimer respawnTimer_{kRespawnSeconds, kRespawnSeconds};
  int32_t range_ = kRange;
  QORWalker* walker_ = nullptr;

 private:
  const char* image_;
};

// Raises the board's single mummy beside itself; its count waits while any
// mummy walks the board.
class QORMummyNest : public QORNest {
 public:
  explicit QORMummyNest(well::BaseWell* board);
  bool Tick(float dt) override;
  void SpawnObject() override;

 protected:
  // The board's mummy counts as its own: the count starts when it is gone.
  bool HasLiveWalker() const override;
};

// A scorpion or spider on the cell above the nest, again and again, one at
// a time. When the board refuses it (a walker stands on that cell, or it
// lies off the board) the nest stays silent for the level.
class QORSingleNest : public QORNest {
 public:
  void SpawnObject() override;
  bool IsSilenced() const { return silenced_ != 0; }

 protected:
  QORSingleNest(well::BaseWell* board, int32_t type, const char* image, const char* sound);
  virtual QORWalker* MakeCritter() = 0;

 private:
  const char* sound_;
  uint8_t silenced_ = 0;
};

class QORScorpionNest : public QORSingleNest {
 public:
  explicit QORScorpionNest(well::BaseWell* board);

 protected:
  QORWalker* MakeCritter() override;
};

class QORSpiderNest : public QORSingleNest {
 public:
  explicit QORSpiderNest(well::BaseWell* board);

 protected:
  QORWalker* MakeCritter() override;
};

// One cobra on the nest's own cell, once a level; the cobra does not know
// its nest.
class QORCobraNest : public QORNest {
 public:
  explicit QORCobraNest(well::BaseWell* board);
  void SpawnObject() override;

 private:
  uint8_t spawned_ = 0;
};

// Four scarabs or locusts, one on each of the nest's cells, once a level.
class QORSwarmNest : public QORNest {
 public:
  static constexpr int32_t kSwarmSize = 4;

  void SpawnObject() override;
  void ForgetWalker(QORWalker* walker) override;
  ~QORSwarmNest() override;

 protected:
  QORSwarmNest(well::BaseWell* board, int32_t type, const char* image, const char* sound);
  bool HasLiveWalker() const override;
  virtual QORWalker* MakeCritter() = 0;

 private:
  const char* sound_;
  std::array<QORWalker*, kSwarmSize> swarm_{};
  int32_t released_ = 0;
};

class QORScarabNest : public QORSwarmNest {
 public:
  explicit QORScarabNest(well::BaseWell* board);

 protected:
  QORWalker* MakeCritter() override;
};

class QORLocustNest : public QORSwarmNest {
 public:
  explicit QORLocustNest(well::BaseWell* board);

 protected:
  QORWalker* MakeCritter() override;
};

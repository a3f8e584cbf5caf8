// The flying critters, scarabs and locusts: a swarm of four leaves its nest
// once. Each rests 1.5 to 3 s, then flies to a plain token up to three cells
// away, hopping as it crosses columns and leaving a fading ribbon, and acts
// on the tile it lands on: the scarab gilds it, the locust wears it down.
// Where the tile gives nothing it flies on at once; after its sixth strike
// it leaves the board.
#pragma once
#include <cstdint>

#include "board/walkers/qor_trail.h"
#include "board/walkers/qor_walker.h"
#include "core/math/angle_seek.h"

class QORFlyer : public QORWalker {
 public:
  static constexpr float kFirstThink = 0.1f;
  static constexpr float kSecondsPerCell = 0.2f;
  static constexpr float kRetrySeconds = 1.0f;
  static constexpr int32_t kStrikes = 6;

  void Tick(float dt) override;
  // Landing.
  void Think() override;
  math::Vec2 GetDrawOffset() const override;

  // Up to 10 random cells within 3 of its own; the first it accepts is
  // the next flight's goal, else it stays and tries again after 1 s.
  void PickTarget();
  bool IsResting() const { return !restTimer_.IsExpired(); }
  int32_t GetStrikes() const { return strikes_; }
  float GetHeading() const { return heading_.current; }
  const QORTrail& GetTrail() const { return trail_; }

  // What sets a scarab and a locust apart, besides their landing.
  struct Kind {
    const char* image;
    const char* strikeSound;
    const char* trailTexture;
    bool additiveTrail;
    float hopHeight;
  };

 protected:
  QORFlyer(QORBoardView* board, QORNest* nest, const Kind& kind);

  // What the landing does to the tile; false when it does nothing.
  virtual bool Strike(QORTile* tile) = 0;
  virtual bool Accepts(const QORTile& tile) const = 0;
  // Samples and draws the trail, then the sprite turned by the heading.
  void DrawFlying(const math::Vec2& position, float rotation);

 private:
  bool IsCandidate(int32_t x, int32_t y) const;
  void PlayStrikeEffects();

  const Kind& kind_;
  CountdownTimer restTimer_;
  math::AngleSeek heading_;
  int32_t strikes_ = 0;
  QORTrail trail_;
};

class QORScarab : public QORFlyer {
 public:
  QORScarab(QORBoardView* board, QORNest* nest);
  int32_t GetType() const override { return kScarab; }
  bool CanBeKilled() const override { return false; }
  // A quarter cell in, at half its size.
  void Draw() override;

 protected:
  // Any floor but gold becomes gold, and loses its web.
  bool Strike(QORTile* tile) override;
  bool Accepts(const QORTile& tile) const override;

 private:
  math::Vec2 nativeSize_;
};

class QORLocust : public QORFlyer {
 public:
  QORLocust(QORBoardView* board, QORNest* nest);
  int32_t GetType() const override { return kLocust; }
  // Three quarters of a cell in, at its own size, head first.
  void Draw() override;

 protected:
  // Sand, cracked sand and gold lose one step.
  bool Strike(QORTile* tile) override;
  bool Accepts(const QORTile& tile) const override;
};

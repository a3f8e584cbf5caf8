// The game's blocks: everything that occupies cells of the game board. A
// block's type is a number that the rest of the board tests (0 a token, 1 a
// rock, 5 and 6 the tombs, 7 a bottle, 9 a milestone, 11 to 16 the nests);
// level files and the editor name types, and `FromName` makes the class that
// a name stands for. This file holds the shared base and the simple blocks:
// token, rock, random placeholder, invisible blocker and image block; the
// tombs, bottles, milestones and start blocks are in qor_fixed_blocks.h.
#pragma once
#include <cstdint>
#include <string>

#include "well/block.h"

class QORBoardView;

class QORBlock : public well::Block {
 public:
  enum Type : int32_t {
    kToken = 0,
    kRock = 1,
    kRandom = 4,
    kEntrance = 5,
    kExit = 6,
    kBottle = 7,
    kImage = 8,
    kMilestone = 9,
    kStartBlock = 10,
    kMummyNest = 11,
    kScorpionNest = 12,
    kSpiderNest = 13,
    kCobraNest = 14,
    kScarabNest = 15,
    kLocustNest = 16,
    kInvisible = 17,
    kPlain = 19,  // a block of no named type
  };
  // The state of blocks that never change it: it never counts towards a run.
  static constexpr int32_t kFixedState = 3;
  // Types 0 to 17 have a table entry (three of them "unknown").
  static constexpr int32_t kNamedTypes = 18;
  explicit QORBlock(well::BaseWell* board);

  // "unknown" for 2, 3, 8 and every number outside 0 to 17.
  static const char* TypeName(int32_t type);
  // The first of types 0 to 17 whose name equals this one without regard to
  // case ("unknown" is 2); else 9 for a name holding "qor_milestone", else 0.
  static int32_t TypeFromName(const std::string& name);
  // A new block of the class the name stands for, owned by the caller, who
  // sets its colour, state and cell and calls Init. Null only when memory
  // runs out.
  static QORBlock* FromName(const std::string& name, well::BaseWell* board);
  // The text inside a name's brackets, as the milestones and image blocks
  // read it: false when the name has no "[" or "]" beyond its first
  // character; otherwise the text from just after the first "[", at most as
  // long as the position of the last "]", less its last character. For a
  // name that ends in "]" that is the text between the brackets.
  static bool BracketText(const std::string& name, std::string& text);

  int32_t GetType() const { return type_; }
  // Destroyed, erased, or a block that never changes state.
  bool IsFixedState() const;
  // Made in place of a "qor_random_block" by the board.
  bool IsRandom() const { return random_ != 0; }
  void SetRandom(bool random) { random_ = random ? 1 : 0; }

  void Init() override {}
  std::string GetTypeName() override { return TypeName(type_); }
  // Raises one of the board's two landing cues; cues play once a step.
  void OnStruck() override;

 protected:
  QORBoardView* GetGameBoard() const;
  // The image by name, over the whole texture, at its native size, blended
  // normally.
  void LoadImage(const std::string& name);
  // State 0 and the image again, unless already standing.
  void ReturnToStand();
  // The block's centre in board space, where its effects start.
  math::Vec2 GetEffectCentre() const;

  int32_t type_ = kPlain;
  uint8_t random_ = 0;
};

// The coloured token the player swaps and matches; its image follows its
// state and colour, and it shows its highlight while under the pointer.
class QORTokenBlock : public QORBlock {
 public:
  explicit QORTokenBlock(well::BaseWell* board);
  void Init() override;
  void SetSelected() override;
  void SetStanding() override;
  // At the end of each cycle: highlighted when under the board's last
  // pointer position, standing otherwise.
  void OnAnimationEnd() override;
  // Fixed, or standing away from the pointer.
  bool IgnoresCycleEnd() const override;
  // An explosion that grows with the board's combo count.
  void OnDestroyed() override;
};

// A rock: falls like a token but is never matched, selected or recoloured;
// it breaks when it falls onto the explorer's way and cracks the gold below.
class QORRockBlock : public QORBlock {
 public:
  explicit QORRockBlock(well::BaseWell* board);
  void Init() override;
  void SetColor(int32_t) override {}
  void SetState(int32_t) override {}
  void SetSelected() override {}
  void SetStanding() override;
  // A rock stays where the editor puts it.
  void FallTest() override;
  void OnArrived() override;
  void OnDestroyed() override;
};

// The editor's placeholder for a token of any colour: the board makes a
// random token in its place outside the editor.
class QORRandomBlock : public QORBlock {
 public:
  explicit QORRandomBlock(well::BaseWell* board);
  void Init() override;
  void SetColor(int32_t) override;
};

// Fills a cell without floor so that nothing falls into it; never drawn,
// never moved, never changed.
class QORInvisibleBlock : public QORBlock {
 public:
  explicit QORInvisibleBlock(well::BaseWell* board);
  void SetSelected() override {}
  void SetStanding() override {}
  void SetColor(int32_t) override;
  void SetState(int32_t) override {}
  void FallTest() override {}
};

// A still image named inside the block's own type name, "name[image]". No
// type name selects it: it is made directly.
class QORImageBlock : public QORBlock {
 public:
  QORImageBlock(well::BaseWell* board, const std::string& name);
  std::string GetTypeName() override { return name_; }
  void Init() override;
  void SetSelected() override {}
  void SetStanding() override;
  void SetColor(int32_t) override;
  void FallTest() override {}

  const std::string& GetImageName() const { return image_; }

 private:
  std::string name_;
  std::string image_;
};

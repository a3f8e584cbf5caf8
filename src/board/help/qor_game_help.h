// The game's hint manager: each hint shows at most once per board and only
// while the player has hints on, in the game's framed help box, with the
// text looked up under the hint's name. Hint ids are the indexes of the
// hints' shown flags among the game variables.
#pragma once
#include <cstdint>
#include <string>

#include "well/help/help_manager.h"

namespace well {
class WellDynamicHelp;
}

class QORGameHelp : public well::HelpManager {
 public:
  // The ids the manager knows; only these may show.
  static constexpr int32_t kFirstId = 44;
  static constexpr int32_t kLastId = 84;
  static constexpr const char* kUnknownHint = "HINT_UNKNOWN";
  static constexpr const char* kFrameImage = "ui_img/help_bg.png";

  QORGameHelp();

  bool CanShow(int32_t id) override;
  // The hint counts as seen in the profile.
  void MarkShown(int32_t id) override;
  void CreatePanel() override;
  std::string GetHintTextId(int32_t id) override;

  // This manager has shown the hint: it does not show it again. A hint
  // counts as shown when its box opens, not when it is queued.
  void MarkShownHere(int32_t id);
  bool WasShownHere(int32_t id) const;
  // The box's mouse icon; nothing before the first hint made the box.
  void SetImage(const std::string& iconImage);
  well::WellDynamicHelp* GetDynamicPanel() const;

 protected:
  // The box takes the hint's icon before it is laid out, and the hint
  // counts as shown here.
  void OnOpening(const QueuedHint& hint) override;

 private:
  static bool IsKnown(int32_t id) { return id >= kFirstId && id <= kLastId; }

  uint8_t shown_[kLastId - kFirstId + 1] = {};
};

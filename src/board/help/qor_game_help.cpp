#include "board/help/qor_game_help.h"

#include "board/game_variables.h"
#include "well/help/well_dynamic_help.h"

namespace {

const math::Vec2 kAreaMin{0.01f, 0.05f};
const math::Vec2 kAreaMax{0.99f, 0.99f};

// The names of hints 45 to 83, in order.
const char* const kHintNames[] = {
    "HINT_CLICK_1",       "HINT_CLICK_2",       "HINT_CLICK_3",         "HINT_SWAPPING",
    "HINT_EXIT",          "HINT_MAP_1",         "HINT_MAP_2",           "HINT_RIGHT_CLICK_1",
    "HINT_RIGHT_CLICK_2", "HINT_FIRST_MUMMY",   "HINT_FIRST_SPIDER",    "HINT_FIRST_LOCUST",
    "HINT_FIRST_SCARAB",  "HINT_FIRST_SCORPION", "HINT_FIRST_COBRA",    "HINT_FIRST_TREASURE",
    "HINT_FIRST_WEB",     "HINT_FIRST_ROCK",    "HINT_FIRST_2_CLICK_TILE", "HINT_FIRST_3_CLICK_TILE",
    "HINT_FIRST_BLOCKER", "HINT_FIRST_TEMPLE",  "HINT_FIRST_ROOM",      "HINT_FIRST_RACE",
    "HINT_FIRST_SCARAB_TIPS", "HINT_FIRST_PUZZLE", "HINT_SPECIAL_USE",  "HINT_SHADY",
    "HINT_SHADY_ATTACK",  "HINT_SPECIAL_1",     "HINT_SPECIAL_2",       "HINT_SPECIAL_3",
    "HINT_SPECIAL_4",     "HINT_SPECIAL_5",     "HINT_SPECIAL_6",       "HINT_SPECIAL_7",
    "HINT_SPECIAL_8",     "HINT_SPECIAL_9",     "HARD_LEVEL_HINT",
};
constexpr int32_t kFirstNamed = 45;
constexpr int32_t kNamedCount = static_cast<int32_t>(sizeof(kHintNames) / sizeof(kHintNames[0]));
static_assert(kNamedCount == 83 - kFirstNamed + 1, "a name for every hint from 45 to 83");

}  // namespace

QORGameHelp::QORGameHelp() {
  areaMin_ = kAreaMin;
  areaMax_ = kAreaMax;
}

bool QORGameHelp::CanShow(int32_t id) {
  return IsKnown(id) && !WasShownHere(id) && GetInt(game_var::kHintsEnabled) > 0;
}

void QORGameHelp::MarkShown(int32_t id) { SetInt(id, 1); }

void QORGameHelp::CreatePanel() {
  auto* panel = new well::WellDynamicHelp(areaMin_.x, areaMin_.y, areaMax_);
  panel_.reset(panel);
  panel->SetFrame(kFrameImage, "", "help_tl", "help_bl", "help_tr", "help_br");
  panel->SetTextColor(0.0f, 0.0f, 0.0f);
  panel->SetFont("SmallFont");
}

std::string QORGameHelp::GetHintTextId(int32_t id) {
  if (id < kFirstNamed || id >= kFirstNamed + kNamedCount) return kUnknownHint;
  return kHintNames[id - kFirstNamed];
}

void QORGameHelp::OnOpening(const QueuedHint& hint) {
  MarkShownHere(hint.id);
  SetImage(hint.icon);
}

void QORGameHelp::MarkShownHere(int32_t id) {
  if (IsKnown(id)) shown_[id - kFirstId] = 1;
}

bool QORGameHelp::WasShownHere(int32_t id) const { return IsKnown(id) && shown_[id - kFirstId] != 0; }

void QORGameHelp::SetImage(const std::string& iconImage) {
  if (well::WellDynamicHelp* panel = GetDynamicPanel()) panel->SetImage(iconImage);
}

well::WellDynamicHelp* QORGameHelp::GetDynamicPanel() const {
  // This manager makes no other panel.
  return static_cast<well::WellDynamicHelp*>(panel_.get());
}

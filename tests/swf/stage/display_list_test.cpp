// The display list on its own (placement, moves, removal with purging) and
// drawing with clip-depth masks through the recording backend.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "swf/player_log_capture.h"
#include "swf/recording_backend.h"
#include "swf/stage/display_list.h"
#include "swf/stage_player.h"

namespace {
using swf_test::StagePlayer;
using Lines = std::vector<std::string>;

// An instance that only has an id.
class Plain : public swf::movie {
 public:
  explicit Plain(int id) : swf::movie(nullptr, id) {}
};

std::string Depths(const swf::display_list& list) {
  std::string out;
  for (int i = 0; i < list.size(); ++i)
    out += std::to_string(list.at(i)->depth) + ":" + std::to_string(list.at(i)->id) + (list.in_use_at(i) ? " " : "- ");
  return out;
}

TEST(DisplayList, KeepsDepthOrderAndRemovesAtThePurge) {
  PlayerLogCapture log;
  swf::display_list list;
  swf::matrix2x3 m;
  for (int depth : {5, 1, 3}) list.add_character(new Plain(depth * 10), depth, false, swf::color_xform(), m, 0, 0);
  list.add_character(new Plain(31), 3, false, swf::color_xform(), m, 0, 0);
  EXPECT_EQ(Depths(list), "1:10 3:31 3:30 5:50 ") << "a new entry goes before those of its depth";
  list.add_character(new Plain(32), 3, true, swf::color_xform(), m, 0, 0);
  EXPECT_EQ(Depths(list), "1:10 3:32 3:30 5:50 ") << "replace drops the first entry of the depth";

  list.remove_character(3, 30);
  list.remove_character(3, 99);
  list.remove_character(4, -1);
  EXPECT_EQ(Depths(list), "1:10 3:32 3:30- 5:50 ");
  EXPECT_TRUE(log.Has("remove_display_object: no character at depth 3 with id 99\n"));
  EXPECT_TRUE(log.Has("remove_display_object: no character at depth 4\n"));
  list.purge_stale();
  EXPECT_EQ(Depths(list), "1:10 3:32 5:50 ");

  swf::matrix2x3 moved;
  moved.m02 = 99;
  list.move_character(5, false, swf::color_xform(), true, moved, 0.5f);
  EXPECT_EQ(list.find_at_depth(5)->matrix.m02, 99);
  EXPECT_EQ(list.find_at_depth(5)->ratio, 0.5f);
  list.move_character(4, false, swf::color_xform(), true, moved, 0);
  list.move_character(9, false, swf::color_xform(), true, moved, 0);
  EXPECT_TRUE(log.Has("error: move_display_object() -- no object at depth 4\n"));
  EXPECT_TRUE(log.Has("error: move_display_object() -- can't find object at depth 9\n"));
  list.clear();
  EXPECT_EQ(list.size(), 0);
  list.remove_character(1, -1);
  EXPECT_TRUE(log.Has("remove_display_object: no characters in display list\n"));
}

TEST(DisplayList, ReplacingKeepsThePlacementThatIsNotGiven) {
  swf::display_list list;
  swf::matrix2x3 m;
  m.m02 = 40;
  swf::color_xform half;
  half.m[3][0] = 0.5f;
  list.add_character(new Plain(1), 2, false, half, m, 0, 0);
  list.replace_character(new Plain(2), 2, false, swf::color_xform(), false, swf::matrix2x3(), 0.25f, 0);
  swf::movie* now = list.find_at_depth(2);
  ASSERT_NE(now, nullptr);
  EXPECT_EQ(now->id, 2);
  EXPECT_EQ(now->matrix.m02, 40);
  EXPECT_EQ(now->cxform.m[3][0], 0.5f);
  EXPECT_EQ(now->ratio, 0.25f);
  EXPECT_EQ(list.size(), 1);
}

// The fills and mask calls of one drawn frame, a fill by its colour.
Lines MaskTrace(const swf_test::RecordingBackend& backend) {
  Lines out;
  for (const std::string& call : backend.Calls()) {
    if (call.rfind("solid_fill", 0) == 0) {
      out.push_back(call.substr(call.rfind(' ') + 1));
    } else if (call == "begin_mask" || call == "end_mask" || call == "drop_mask") {
      out.push_back(call);
    }
  }
  return out;
}

TEST(DisplayList, MasksClipUpToTheirClipDepth) {
  swf_test::RecordingBackend backend;
  StagePlayer player("stage_masks.swf");
  player.Step(0);
  backend.ClearCalls();
  player.root()->display();
  EXPECT_EQ(MaskTrace(backend), (Lines{"begin_mask", "ffffff01", "end_mask", "ff000002", "00ff0003", "drop_mask",
                                       "0000ff04", "begin_mask", "ffffff01", "end_mask", "drop_mask"}));
  ASSERT_FALSE(backend.Calls().empty());
  EXPECT_EQ(backend.Calls().front(), "start_frame 000000ff 0 0 100 100 0 2000 0 2000");
  EXPECT_EQ(backend.Calls().back(), "finish_frame");
}

TEST(DisplayList, HiddenInstancesAreNotDrawn) {
  swf_test::RecordingBackend backend;
  StagePlayer player("stage_masks.swf");
  player.Step(0);
  player.sprite()->get_display_list().at(2)->set_visible(false);
  backend.ClearCalls();
  player.root()->display();
  EXPECT_EQ(MaskTrace(backend), (Lines{"begin_mask", "ffffff01", "end_mask", "ff000002", "drop_mask", "0000ff04",
                                       "begin_mask", "ffffff01", "end_mask", "drop_mask"}));
  player.sprite()->set_visible(false);
  backend.ClearCalls();
  player.root()->display();
  EXPECT_TRUE(backend.Calls().empty()) << "a hidden root draws nothing, not even its frame";
}

}  // namespace

// Malformed byte code and runaway scripts end with an error line; nothing
// reads outside its buffer, the stack or a clip that is gone.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#ifdef VANTOR_SANITIZE
#include <sanitizer/lsan_interface.h>
#endif

#include "swf/script_run.h"
#include "swf/action/action_buffer.h"
#include "swf/action/do_action_tag.h"
#include "swf/script/call_method.h"
#include "swf/player_log_capture.h"

namespace {
using swf_test::RecordingClip;
using swf_test::ScriptOutcome;
using swf_test::ScriptRun;
using Lines = std::vector<std::string>;

bool HasPrefix(const Lines& lines, const std::string& prefix) {
  for (const std::string& line : lines)
    if (line.rfind(prefix, 0) == 0) return true;
  return false;
}

class ActionFaults : public ::testing::Test {
 protected:
  ScriptRun run_{"bad_actions.swf"};
};

TEST_F(ActionFaults, EachMalformedKindEndsWithItsErrorLine) {
  const struct {
    const char* label;
    Lines traces;
    const char* error;
  } cases[] = {
      {"jump_before_start", {"before"}, "error: jump to offset -32751 before the start of its section at 0"},
      {"branch_past_end", {}, "branch to offset 28682 -- this section only runs to"},
      {"push_past_end", {"next", "undefined"}, "error: push data of type 0 runs past the end of its action"},
      {"pool_past_end", {"<invalid>", "A"}, "error: action buffer dict length exceeded"},
      {"body_past_end", {"first"}, "error: function body of 255 bytes at 19 runs past the end of its section"},
      {"action_past_end", {}, "error: action 0x96 at 13 runs past the end of its buffer at 18"},
  };
  for (const auto& c : cases) {
    const ScriptOutcome o = run_.Run(c.label);
    EXPECT_EQ(o.traces, c.traces) << c.label;
    EXPECT_TRUE(HasPrefix(o.errors, c.error)) << c.label << ": " << ::testing::PrintToString(o.errors);
  }
}

TEST_F(ActionFaults, CountsAreClampedToTheStack) {
  const ScriptOutcome o = run_.Run("counts_past_stack");
  // f runs with no arguments it could take, so p is undefined; the empty
  // stack adds undefined and undefined.
  EXPECT_EQ(o.traces, (Lines{"undefined", "0"}));
  EXPECT_EQ(run_.root()->Context().stack_size(), 0);
}

TEST_F(ActionFaults, AValueThatIsNoCharacterKeepsTheTarget) {
  EXPECT_EQ(run_.Run("not_a_character").calls, (Lines{"_root play 0"}));
}

// Lowers a script limit for one test.
class LimitGuard {
 public:
  LimitGuard(int depth, int64_t actions)
      : depth_(swf::script_limits::max_call_depth), actions_(swf::script_limits::max_actions_per_run) {
    swf::script_limits::max_call_depth = depth;
    swf::script_limits::max_actions_per_run = actions;
  }
  ~LimitGuard() {
    swf::script_limits::max_call_depth = depth_;
    swf::script_limits::max_actions_per_run = actions_;
  }

 private:
  int depth_;
  int64_t actions_;
};

TEST_F(ActionFaults, DeepRecursionStopsAtTheDepthLimit) {
  LimitGuard limit(40, 1000000);
  const ScriptOutcome o = run_.Run("recursion");
  EXPECT_EQ(o.errors, (Lines{"error: scripts nested deeper than 40; the call is skipped"}));
  EXPECT_EQ(o.traces, (Lines{"returned"}));
}

TEST_F(ActionFaults, AToStringThatTracesItsObjectStopsAtTheDepthLimit) {
  // At the full depth, so that a sanitizer build shows the stack holds it.
  const ScriptOutcome o = run_.Run("trace_itself");
  EXPECT_EQ(o.errors, (Lines{"error: scripts nested deeper than 256; the call is skipped"}));
  // Each toString run that reached its trace logs what the one within gave.
  Lines expected(256, "undefined");
  expected.push_back("after");
  EXPECT_EQ(o.traces, expected);
}

TEST_F(ActionFaults, AnEndlessLoopStopsAtTheActionBudget) {
  LimitGuard limit(256, 5000);
  const ScriptOutcome o = run_.Run("endless");
  EXPECT_EQ(o.errors, (Lines{"error: script stopped after 5000 actions"}));
  // The next run has a budget of its own.
  EXPECT_EQ(run_.Run("endless").errors.size(), 1u);
}

TEST_F(ActionFaults, ValuesPushedWithoutEndStopTheScriptAndAreDropped) {
  // Each loop pushes three values, which cost three actions, then jumps.
  const struct {
    int64_t actions;
    const char* error;
  } cases[] = {
      {1000000, "error: script stopped with more than 1000 values on the stack"},
      {1000, "error: script stopped after 1000 actions"},  // 250 loops, 750 values
  };
  const int32_t values = swf::script_limits::max_stack_values;
  swf::script_limits::max_stack_values = 1000;
  for (const auto& c : cases) {
    LimitGuard limit(256, c.actions);
    const ScriptOutcome o = run_.Run("pushes_forever");
    EXPECT_EQ(o.errors, (Lines{c.error}));
    // What a frame's actions leave on the stack goes with them.
    EXPECT_EQ(run_.root()->Context().stack_size(), 0);
  }
  swf::script_limits::max_stack_values = values;
}

TEST_F(ActionFaults, AStringDoubledWithoutEndStopsTheScript) {
  const int32_t bytes = swf::script_limits::max_string_bytes;
  swf::script_limits::max_string_bytes = 1000;
  for (const char* label : {"doubles_by_add", "doubles_by_str_cat"}) {
    // 8 bytes doubled to 512, which a join may double no more.
    EXPECT_EQ(run_.Run(label).errors, (Lines{"error: script stopped at a string of more than 1000 bytes"})) << label;
  }
  swf::script_limits::max_string_bytes = bytes;
}

TEST_F(ActionFaults, TheRecursionBudgetCountsAcrossCalls) {
  LimitGuard limit(100000, 600);
  const ScriptOutcome o = run_.Run("recursion");
  EXPECT_EQ(o.errors, (Lines{"error: script stopped after 600 actions"}));
}

TEST_F(ActionFaults, AFunctionOutlivingItsClipRunsInTheCallersContext) {
  std::vector<std::string> record;
  swf::as_variant report;
  int frame = -1;
  ASSERT_TRUE(run_.movie()->find_frame_label("define_where", &frame));
  run_.root()->set_member("where", swf::as_variant("in the caller"));
  {
    swf::counted_ptr<RecordingClip> owner(new RecordingClip(nullptr, "owner", &record));
    owner->set_member("where", swf::as_variant("in the owner"));
    for (swf::display_tag* tag : *run_.movie()->get_frame_tags(frame))
      static_cast<swf::do_action_tag*>(tag)->buffer.execute(&owner->Context());
    ASSERT_TRUE(owner->Context().get_member("report", &report));
    PlayerLogCapture log;
    swf::call_method0(report, &run_.root()->Context(), nullptr);
    EXPECT_EQ(log.Text(), "M: in the owner\n");
  }
  PlayerLogCapture log;
  swf::call_method0(report, &run_.root()->Context(), nullptr);
  EXPECT_EQ(log.Text(), "M: in the caller\n");
}

TEST_F(ActionFaults, MutatedScriptsRunWithoutHarm) {
  LimitGuard limit(64, 20000);
#ifdef VANTOR_SANITIZE
  // A mutation may make an object refer to itself, which reference counting
  // never frees: a known leak, not what this test looks for.
  __lsan::ScopedDisabler cycles_may_leak;
#endif
  std::mt19937 random(20261210);
  for (const char* movie : {"actions.swf", "bad_actions.swf"}) {
    ScriptRun source(movie);
    for (int frame = 0; frame < source.movie()->get_frame_total(); ++frame) {
      for (swf::display_tag* tag : *source.movie()->get_frame_tags(frame)) {
        auto* actions = dynamic_cast<swf::do_action_tag*>(tag);
        if (!actions) continue;
        const swf::dyn_array<uint8_t>& original = actions->buffer.bytes();
        for (int round = 0; round < 200; ++round) {
          std::vector<uint8_t> bytes(original.begin(), original.end());
          const int changes = 1 + static_cast<int>(random() % 4);
          for (int i = 0; i < changes; ++i) bytes[random() % bytes.size()] = static_cast<uint8_t>(random());
          if (round % 5 == 0) bytes.resize(random() % bytes.size());
          swf::action_buffer buffer;
          buffer.assign(bytes.data(), static_cast<int32_t>(bytes.size()));
          PlayerLogCapture log;
          buffer.execute(&source.root()->Context());
          source.root()->Context().stack.clear();
        }
      }
    }
  }
}

}  // namespace

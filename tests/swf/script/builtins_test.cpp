// The script's built-in objects through the interpreter: the frames of an
// assembled movie trace what Math, Array, the clip methods, Key, String,
// MovieClipLoader, TextFormat and Sound answer; calls from the wrong kind
// of object and the Key object's listeners are checked directly.
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "swf/movie/movie_def_impl.h"
#include "swf/recording_sound.h"
#include "swf/script/builtins.h"
#include "swf/script/key_object.h"
#include "swf/script/movieclip_loader.h"
#include "swf/script/sound_object.h"
#include "swf/script/string_object.h"
#include "swf/script/text_format_object.h"
#include "swf/script_run.h"
#include "swf/sound/sound_sample.h"
#include "swf/stage/sprite_builtins.h"
#include "swf/stage_player.h"

namespace {
using swf_test::ScriptOutcome;
using swf_test::ScriptRun;
using swf_test::WithoutMemberTraces;
using Lines = std::vector<std::string>;


// The movie's frames run through the interpreter, with a sound backend that
// records what the Sound objects ask of it.
class BuiltinFrames : public ::testing::Test {
 protected:
  swf_test::RecordingSound sound_;
  swf_test::InstalledBackend installed_{&sound_};
  ScriptRun run_{"builtins.swf"};
};

TEST_F(BuiltinFrames, TraceWhatTheBuiltinsAnswer) {
  struct Case {
    const char* label;
    Lines traces;
    Lines errors;
  } cases[] = {
      {"math",
       {"3.1415926535898", "3.1415926535898", "nan", "1", "nan", "0", "1", "-2", "1.5707963267949",
        "1.4142135623731", "0"},
       {}},
      {"array", {"null", "5", "6", "undefined", "x"}, {}},
      // The recording clip answers no frame number and has no movie root.
      {"clip",
       {"undefined", "undefined", "undefined", "undefined", "undefined", "undefined"},
       {"error: sprite_goto_and_stop needs one arg"}},
      {"key",
       {"38", "32", "false", "undefined", "0", "undefined", "false", "undefined"},
       {"key_is_down needs one argument (the key code)", "key_add_listener passed a NULL object; ignored"}},
      {"string",
       {"b", "", "0", "233", "5", "-1", "-1", "2", "el", "hello", "a", "ÀB", "Àb", "undefined", "h\u00e9", "abc",
        "98", "undefined"},
       {}},
      {"loader",
       {"swf::moviecliploader_new: args=0", "swf::MovieClipLoader::MovieClipLoader: ", "0", "0",
        "swf::moviecliploader_unloadclip: FIXME: Load Movie Clip: a", "undefined"},
       {}},
      {"sound",
       {"undefined"},
       {"attach sound needs one argument", "import error: resource 'nothing' is not exported",
        "sound sample is NULL"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const ScriptOutcome o = run_.Run(c.label);
    EXPECT_EQ(WithoutMemberTraces(o.traces), c.traces);
    EXPECT_EQ(o.errors, c.errors);
  }
}

TEST_F(BuiltinFrames, ClipMethodsMoveTheClipByOneBasedFrames) {
  // gotoAndStop(2.9), gotoAndStop(3) and nextFrame (a clip without frames
  // stays), prevFrame, gotoAndPlay(1), stop; gotoAndStop() and play on a
  // plain object do nothing.
  EXPECT_EQ(run_.Run("clip").calls, (Lines{"a goto 1", "a play 1", "a goto 2", "a play 1", "a play 1", "a goto 1",
                                           "a play 1", "a goto 0", "a play 0", "a play 1"}));
}

TEST_F(BuiltinFrames, SoundsPlayTheirAttachedSampleOnly) {
  run_.Run("sound");
  const swf::sound_sample* chime = run_.movie()->find_sound(9);
  ASSERT_NE(chime, nullptr);
  const std::string id = std::to_string(chime->sample_id);
  // Before the chime was attached, start and stop asked nothing.
  EXPECT_EQ(sound_.calls, (Lines{"begin " + id + " 0", "end " + id}));
  swf::as_variant s;
  ASSERT_TRUE(run_.root()->Context().get_member("s", &s));
  auto* object = dynamic_cast<swf::sound_object*>(s.to_object());
  ASSERT_NE(object, nullptr);
  EXPECT_STREQ(object->sound_name.c_str(), "chime");
}

TEST_F(BuiltinFrames, SetTextFormatCopiesTheMembersWhateverTheirCase) {
  const ScriptOutcome o = run_.Run("textformat");
  EXPECT_EQ(WithoutMemberTraces(o.traces).back(), "function") << "setTextFormat is a variable of the clip";
  swf::as_variant tf;
  ASSERT_TRUE(run_.root()->Context().get_member("tf", &tf));
  auto* object = dynamic_cast<swf::text_format_object*>(tf.to_object());
  ASSERT_NE(object, nullptr);
  const swf::text_format& f = object->format;
  EXPECT_TRUE(f.bold);
  EXPECT_FALSE(f.italic);
  EXPECT_EQ(f.color, 0xFF8000);
  EXPECT_STREQ(f.align.c_str(), "center");
  EXPECT_EQ(f.right_margin, 12.0f) << "rightMargin with a small r";
  EXPECT_EQ(f.size, 20.5f);
  EXPECT_EQ(f.left_margin, -1.0f);
  EXPECT_EQ(f.indent, -1.0f);
}

TEST(TitleMovie, RingsItsChimeThroughASoundAndMovesTheGem) {
  swf_test::RecordingSound sound;
  swf_test::InstalledBackend installed(&sound);
  swf_test::StagePlayer player(VANTOR_SOURCE_DIR "/data/movies/sunrise.swf");
  ASSERT_NE(player.movie(), nullptr);
  player.Step(1.0f / 20);
  const swf::sound_sample* chime = player.movie()->find_sound(30);
  ASSERT_NE(chime, nullptr);
  EXPECT_EQ(sound.calls, (Lines{"begin " + std::to_string(chime->sample_id) + " 0"}));
  swf::movie* gem = player.Child("gem");
  ASSERT_NE(gem, nullptr);
  EXPECT_GE(gem->matrix.m02, 310 * 20.0f);
  EXPECT_LT(gem->matrix.m02, 350 * 20.0f);
  EXPECT_EQ(PlayerLogCapture::ErrorCount(), 0) << PlayerLogCapture::Text();
}

// A native call with `this` and arguments of the test's choice.
class NativeCall {
 public:
  explicit NativeCall(swf::scriptable* this_object, std::vector<swf::as_variant> args = {})
      : context_(nullptr), this_object_(this_object) {
    for (auto arg = args.rbegin(); arg != args.rend(); ++arg) context_.push(*arg);
    count_ = static_cast<int>(args.size());
  }
  // The result, set to a marker beforehand so that "left alone" shows.
  swf::as_variant Call(swf::c_function function) {
    swf::as_variant result("untouched");
    function(swf::native_call{&result, this_object_, &context_, count_, context_.stack_size() - 1});
    return result;
  }
  // A string method on the text, as a method call on a string value makes it.
  swf::as_variant CallString(const char* method, const char* text) {
    swf::as_variant result("untouched");
    swf::string_method(swf::native_call{&result, this_object_, &context_, count_, context_.stack_size() - 1}, method,
                       text);
    return result;
  }

 private:
  swf::as_context context_;
  swf::scriptable* this_object_;
  int count_ = 0;
};

TEST(BuiltinMethods, CalledOnAnotherKindOfObjectDoNothing) {
  swf::init_builtins();
  swf::init_sprite_builtins();
  swf_test::RecordingSound sound;
  swf_test::InstalledBackend installed(&sound);
  PlayerLogCapture log;
  swf::counted_ptr<swf::as_plain_object> plain(new swf::as_plain_object());
  const swf::c_function methods[] = {
      swf::sprite_play,     swf::sprite_stop,         swf::sprite_goto_and_stop, swf::sprite_goto_and_play,
      swf::sprite_next_frame, swf::sprite_prev_frame, swf::sprite_get_bytes_loaded, swf::key_is_down,
      swf::key_get_code,    swf::key_get_ascii,       swf::key_is_toggled,       swf::key_add_listener,
      swf::key_remove_listener, swf::sound_attach,    swf::sound_start,          swf::sound_stop,
      swf::moviecliploader_getprogress,
  };
  swf::scriptable* const others[] = {plain.get(), nullptr};
  for (swf::c_function method : methods) {
    for (swf::scriptable* this_object : others) {
      NativeCall call(this_object, {swf::as_variant(2), swf::as_variant(plain.get())});
      EXPECT_STREQ(call.Call(method).to_string().c_str(), "untouched");
    }
  }
  EXPECT_TRUE(sound.calls.empty());
  EXPECT_TRUE(PlayerLogCapture::Lines().empty()) << PlayerLogCapture::Text();
  swf::clear_builtins();
}

TEST(BuiltinMethods, MathReadsMissingArgumentsAsUndefined) {
  swf::init_builtins();
  swf::as_variant math, max;
  ASSERT_TRUE(swf::global_object()->get_member("Math", &math));
  ASSERT_TRUE(math.to_object()->get_member("max", &max));
  // Two arguments claimed, none on the stack.
  swf::as_context context(nullptr);
  swf::as_variant result;
  max.to_c_function()(swf::native_call{&result, math.to_object(), &context, 2, 1});
  EXPECT_EQ(result.to_number(), 0.0);
  swf::clear_builtins();
}

TEST(StringMethods, HugeIndicesAndMultiByteTextStayInBounds) {
  const double kHuge = 4294967296.0;  // 2^32, which wraps round to 0 as a 32-bit integer
  const double kInfinity = std::numeric_limits<double>::infinity();
  const double kNan = std::numeric_limits<double>::quiet_NaN();
  using V = swf::as_variant;
  const struct {
    const char* method;
    const char* text;
    std::vector<V> args;
    const char* result;
  } cases[] = {
      // Indices past either end, however large, answer nothing.
      {"charAt", "abc", {V(kHuge)}, ""},
      {"charAt", "abc", {V(-kHuge + 1)}, ""},
      {"charAt", "abc", {V(kNan)}, "a"},
      {"charCodeAt", "abc", {V(kHuge + 1)}, "0"},
      {"substring", "hello", {V(0), V(kHuge + 1)}, "hello"},
      {"substring", "hello", {V(1e300), V(1)}, "ello"},
      {"substring", "hello", {V(kInfinity)}, ""},
      {"substring", "hello", {V(-kInfinity), V(2)}, "he"},
      {"indexOf", "abc", {V("a"), V(kHuge)}, "-1"},
      // Multi-byte characters count as one; a stray continuation byte is a
      // character of its own, a byte inside a character is none.
      {"charAt", "a\u00e9b", {V(1)}, "\u00e9"},
      {"charAt", "a\u00e9", {V(2)}, ""},
      {"charCodeAt", "\U0001F600!", {V(1)}, "33"},
      {"substring", "h\u00e9llo", {V(1), V(2)}, "\u00e9"},
      {"substring", "\u00e9\u00e9", {V(1), V(5)}, "\u00e9"},
      {"indexOf", "\u00e9\u00e9x", {V("x"), V(1)}, "2"},
      {"indexOf", "\u00e9", {V("\xA9")}, "-1"},
      {"indexOf", "a\u00e9\xA9", {V("\xA9")}, "2"},
      {"indexOf", "abc", {V(""), V(3)}, "3"},
      // Only Unicode scalar values make characters; the rest become U+FFFD.
      {"fromCharCode", "", {V(0xD800), V(0xDFFF)}, "\uFFFD\uFFFD"},
      {"fromCharCode", "", {V(0x110000), V(-1)}, "\uFFFD\uFFFD"},
      {"fromCharCode", "", {V(0x10FFFF), V(0xE9), V(kHuge + 65)}, "\U0010FFFF\u00e9A"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.method) + " on " + c.text);
    NativeCall call(nullptr, c.args);
    EXPECT_STREQ(call.CallString(c.method, c.text).to_string().c_str(), c.result);
  }
}

TEST(ClipMethods, AHugeFrameNumberGoesToAnEndRatherThanWrappingRound) {
  swf_test::StagePlayer player("builtins.swf");
  player.Step(1.0f / 12);
  swf::movie* clip = player.Child("a");  // three frames
  ASSERT_NE(clip, nullptr);
  const double kHuge = 4294967296.0;
  const double kInfinity = std::numeric_limits<double>::infinity();
  const struct {
    double frame;
    int index;
  } cases[] = {
      {2, 1},    {kHuge + 2, 2},        {1e300, 2}, {kInfinity, 2},
      {-kHuge + 2, 0}, {-kInfinity, 0}, {3, 2},     {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const auto& c : cases) {
    NativeCall call(clip, {swf::as_variant(c.frame)});
    call.Call(swf::sprite_goto_and_stop);
    EXPECT_EQ(clip->get_frame_index(), c.index) << "gotoAndStop(" << c.frame << ")";
  }
}

TEST(KeyObject, HoldsEachListenerOnceAndWeakly) {
  swf::counted_ptr<swf::key_state_object> key(new swf::key_state_object());
  swf::counted_ptr<swf::as_plain_object> kept(new swf::as_plain_object());
  auto* dropped = new swf::as_plain_object();
  dropped->take_ref();
  key->add_listener(kept.get());
  key->add_listener(dropped);
  key->add_listener(kept.get());
  EXPECT_EQ(key->listener_count(), 2);
  swf::release_ref(dropped);
  EXPECT_EQ(key->listener_count(), 1) << "a listener gone is dropped";
  key->remove_listener(kept.get());
  EXPECT_EQ(key->listener_count(), 0);
  EXPECT_FALSE(key->is_down(38));
  EXPECT_FALSE(key->is_down(-1));
  EXPECT_FALSE(key->is_down(100000));
}

}  // namespace

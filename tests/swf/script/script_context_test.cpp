// Script objects with their prototype chains, and the execution context:
// locals, registers, names and paths.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "swf/base/counted_ptr.h"
#include "swf/player_log_capture.h"
#include "swf/recording_clip.h"
#include "swf/script/as_plain_object.h"
#include "swf/script/builtins.h"
#include "swf/script/property_names.h"

namespace {
using swf::as_plain_object;
using swf::as_variant;
using swf::counted_ptr;
using swf_test::RecordingClip;

as_variant Object(swf::scriptable* object) { return as_variant(object); }

std::string Member(swf::scriptable* object, const char* name) {
  as_variant value;
  if (!object->get_member(name, &value)) return "<none>";
  return value.to_string().c_str();
}

TEST(ScriptObject, MembersIgnoreCaseAndFallBackToThePrototype) {
  counted_ptr<as_plain_object> proto(new as_plain_object());
  counted_ptr<as_plain_object> object(new as_plain_object(proto.get()));
  proto->set_member("colour", as_variant("red"));
  object->set_member("Foo", as_variant(1));
  object->set_member("foo", as_variant(2));
  EXPECT_EQ(object->members().size(), 1);
  EXPECT_STREQ(object->members().begin()->key.c_str(), "Foo");
  EXPECT_EQ(Member(object.get(), "FOO"), "2");
  EXPECT_EQ(Member(object.get(), "colour"), "red");
  object->set_member("colour", as_variant("blue"));
  EXPECT_EQ(Member(object.get(), "colour"), "blue");
  EXPECT_EQ(Member(proto.get(), "colour"), "red");
  as_variant p;
  ASSERT_TRUE(object->get_member("PROTOTYPE", &p));
  EXPECT_EQ(p.to_object(), proto.get());
  object->set_member("prototype", as_variant(5));
  EXPECT_EQ(object->prototype(), nullptr);
  EXPECT_EQ(Member(object.get(), "colour"), "blue");
}

TEST(ScriptObject, FlagsHideFromEnumerationAndMakeReadOnly) {
  counted_ptr<as_plain_object> object(new as_plain_object());
  object->set_member("constructor", as_variant(1));
  EXPECT_TRUE(object->set_member_flags("constructor", swf::member_slot::DONT_ENUM));
  EXPECT_FALSE(object->set_member_flags("missing", 1));
  object->set_member_flags("constructor", swf::member_slot::READ_ONLY);
  swf::member_slot slot;
  ASSERT_TRUE(object->get_member_flags("CONSTRUCTOR", &slot));
  EXPECT_EQ(slot.flags, 5);
  object->set_member("constructor", as_variant(2));
  EXPECT_EQ(Member(object.get(), "constructor"), "1");
}

TEST(ScriptObject, APrototypeLoopEndsTheLookupAsNotFound) {
  counted_ptr<as_plain_object> a(new as_plain_object()), b(new as_plain_object());
  a->set_member("prototype", Object(b.get()));
  b->set_member("prototype", Object(a.get()));
  a->set_member("here", as_variant(1));
  EXPECT_EQ(Member(b.get(), "here"), "1");
  EXPECT_EQ(Member(a.get(), "missing"), "<none>");
  b->set_member("prototype", as_variant());  // break the loop so both can go
}

class ScriptContext : public ::testing::Test {
 protected:
  ScriptContext() : root_(new RecordingClip(nullptr, "_root", &record_)) {
    swf::init_builtins();
    clip_ = root_->Child("a")->Child("b");
    clip_->set_member("c", as_variant("deep"));
    root_->Child("a")->set_member("x", as_variant("ax"));
    root_->set_member("x", as_variant("rootx"));
  }

  std::string Get(swf::as_context& context, const char* name) {
    return context.get_variable(name, swf::with_stack()).to_string_versioned(7).c_str();
  }

  std::vector<std::string> record_;
  counted_ptr<RecordingClip> root_;
  RecordingClip* clip_;
  PlayerLogCapture log_;
};

TEST_F(ScriptContext, PathsReachOtherClips) {
  swf::as_context& context = root_->Context();
  const struct {
    const char* path;
    const char* value;
  } cases[] = {{"a.b.c", "deep"}, {"a/b:c", "deep"}, {":x", "rootx"}, {"/:x", "rootx"},
               {"/a:x", "ax"},     {"a.b.._parent", "undefined"}, {"a/b/../../a:x", "ax"},
               {"x", "rootx"},     {"nothing", "undefined"}};
  for (const auto& c : cases) EXPECT_EQ(Get(context, c.path), c.value) << c.path;
  EXPECT_EQ(clip_->Context().find_target(swf::small_string("../..")), root_.get());
  EXPECT_EQ(clip_->Context().find_target(swf::small_string("/a")), root_->Child("a"));
  EXPECT_EQ(context.find_target(swf::small_string("a//b")), root_->Child("a"));
  EXPECT_TRUE(log_.Has("error: invalid path 'a//b'\n"));
  EXPECT_EQ(Get(context, "zz:x"), "undefined");
  EXPECT_TRUE(log_.Has("find_target(\"zz\") failed\n"));
}

TEST_F(ScriptContext, NamesResolveThroughWithLocalsTargetAndGlobal) {
  swf::as_context& context = clip_->Context();
  counted_ptr<as_plain_object> with_object(new as_plain_object());
  with_object->set_member("c", as_variant("from with"));
  swf::with_stack with;
  with.push_back(swf::with_entry(with_object.get(), 100));
  EXPECT_STREQ(context.get_variable("c", with).to_string().c_str(), "from with");
  // Writing lands on the with object only when it already has the member.
  context.set_variable("c", as_variant("set"), with);
  context.set_variable("fresh", as_variant(1), with);
  EXPECT_EQ(Member(with_object.get(), "c"), "set");
  EXPECT_EQ(Member(clip_, "fresh"), "1");
  EXPECT_EQ(Member(with_object.get(), "fresh"), "<none>");

  context.add_frame_barrier();
  context.set_local("c", as_variant("local"));
  EXPECT_EQ(Get(context, "c"), "local");
  EXPECT_EQ(Get(context, "C"), "deep");  // locals compare exactly
  context.add_frame_barrier();
  EXPECT_EQ(Get(context, "c"), "deep");  // a caller's locals are invisible
  EXPECT_EQ(context.find_local("c"), -1);
  context.local_frames.clear();

  EXPECT_EQ(context.get_variable("this", swf::with_stack()).to_object(), clip_);
  EXPECT_EQ(Get(context, "THIS"), "undefined");
  EXPECT_EQ(context.get_variable("_root", swf::with_stack()).to_object(), root_.get());
  EXPECT_EQ(context.get_variable("_global", swf::with_stack()).to_object(), swf::global_object());
  EXPECT_EQ(context.get_variable("trace", swf::with_stack()).kind(), as_variant::C_FUNCTION);
}

TEST_F(ScriptContext, RegistersAndTheStackStayInBounds) {
  swf::as_context& context = clip_->Context();
  context.local_registers.resize(3);
  *context.local_register_ptr(1) = as_variant("last");
  EXPECT_STREQ(context.local_registers[2].to_string().c_str(), "last");
  context.global_registers[0] = as_variant("global0");
  EXPECT_STREQ(context.local_register_ptr(0)->to_string().c_str(), "global0");
  EXPECT_STREQ(context.local_register_ptr(4)->to_string().c_str(), "global0");
  EXPECT_TRUE(log_.Has("Invalid local register 4, stack only has 3 entries\n"));
  EXPECT_EQ(context.pop().kind(), as_variant::UNDEFINED);
  EXPECT_EQ(context.top(3).kind(), as_variant::UNDEFINED);
  context.push(1);
  context.drop(5);
  EXPECT_EQ(context.stack_size(), 0);
}

TEST_F(ScriptContext, PathsSplitAtTheColonOrTheLastDot) {
  const struct {
    const char* text;
    bool split;
    const char* path;
    const char* variable;
  } cases[] = {{"a.b.c", true, "a.b", "c"}, {"a/b/:x", true, "a/b", "x"}, {"/:c", true, "", "c"},
               {"plain", false, "", ""},    {"a:b.c", true, "a", "b.c"}};
  for (const auto& c : cases) {
    swf::small_string path, variable;
    EXPECT_EQ(swf::as_context::parse_path(c.text, &path, &variable), c.split) << c.text;
    if (c.split) {
      EXPECT_STREQ(path.c_str(), c.path) << c.text;
      EXPECT_STREQ(variable.c_str(), c.variable) << c.text;
    }
  }
}

TEST_F(ScriptContext, PropertiesGoByNumber) {
  swf::set_property(clip_, 19, as_variant(4));
  EXPECT_EQ(Member(clip_, "@@ mystery quality member"), "4");
  EXPECT_EQ(swf::get_property(clip_, 19).to_number(), 4);
  EXPECT_EQ(swf::get_property(clip_, 22).kind(), as_variant::UNDEFINED);
  EXPECT_TRUE(log_.Has("error: invalid property query, property number 22\n"));
  swf::set_property(clip_, -1, as_variant(1));
  EXPECT_TRUE(log_.Has("error: invalid set_property, property number -1\n"));
  const struct {
    const char* name;
    int id;
  } members[] = {{"_x", 0}, {"_YMOUSE", 20}, {"_parent", 21}, {"onLoad", 25}, {"textcolor", 24}, {"_foo", -1},
                 {"@@ mystery quality member", -1}};
  for (const auto& m : members) EXPECT_EQ(swf::standard_member_id(m.name), m.id) << m.name;
  EXPECT_STREQ(swf::event_handler_name(1).c_str(), "onPress");
  EXPECT_STREQ(swf::event_handler_name(12).c_str(), "onEnterFrame");
  EXPECT_STREQ(swf::event_handler_name(28).c_str(), "onTimer");
  EXPECT_STREQ(swf::event_handler_name(29).c_str(), "");
  EXPECT_STREQ(swf::property_name(13).c_str(), "_name");
}

}  // namespace

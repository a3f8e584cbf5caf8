// libFuzzer target: byte code of a DoAction run by the interpreter against
// the test's recording clip (which keeps the script's variables, has a child
// "a" and answers the clip methods), with low limits so that endless scripts
// end quickly. Seeds: the actions of the SWF test movies, the built-ins'
// frames among them.
// Script objects are reference counted, so one that a script makes refer
// back to itself (o.self = o, f.x = f) is never freed: a known leak, not a
// finding. The leak checker leaves out what the script run allocates, as
// -detect_leaks=0 would for this target alone.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <sanitizer/lsan_interface.h>

#include "fuzz_target.h"
#include "swf/action/action_buffer.h"
#include "swf/base/counted_ptr.h"
#include "swf/recording_clip.h"
#include "swf/script/builtins.h"
#include "swf_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x10000) return 0;
  fuzz::LimitScripts();
  __lsan::ScopedDisabler cycles_may_leak;
  std::vector<std::string> record;
  swf::counted_ptr<swf_test::RecordingClip> clip(new swf_test::RecordingClip(nullptr, "_root", &record));
  clip->Child("a")->Child("b");
  swf::action_buffer buffer;
  buffer.assign(data, static_cast<int32_t>(size));
  buffer.execute(&clip->Context());
  clip->Context().stack.clear();
  swf::clear_builtins();  // scripts may have hung values on the global object
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) {
  constexpr int kDoAction = 12, kDoInitAction = 59;
  constexpr size_t kSpriteId = 2;  // before the actions of DoInitAction
  int count = 0;
  for (const fuzz::SwfTag& tag : fuzz::SwfFixtureTags()) {
    const std::string name = "actions_" + std::to_string(count++);
    if (tag.type == kDoAction) seeds.Add(name, tag.body);
    if (tag.type == kDoInitAction && tag.body.size() > kSpriteId)
      seeds.Add(name, fuzz::Bytes(tag.body.begin() + kSpriteId, tag.body.end()));
  }
}

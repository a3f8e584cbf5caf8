// libFuzzer target: byte code of a DoAction run by the interpreter against
// a bare clip, with low limits so that endless scripts end quickly. Seeds:
// the actions of the SWF test movies.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_target.h"
#include "swf/action/action_buffer.h"
#include "swf/base/counted_ptr.h"
#include "swf/script/as_context.h"
#include "swf/script/builtins.h"
#include "swf/script/movie.h"
#include "swf_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x10000) return 0;
  swf::script_limits::max_call_depth = 64;
  swf::script_limits::max_actions_per_run = 100000;
  swf::counted_ptr<swf::movie> clip(new swf::movie(nullptr, 1));
  swf::as_context context(clip.get());
  swf::action_buffer buffer;
  buffer.assign(data, static_cast<int32_t>(size));
  buffer.execute(&context);
  context.stack.clear();
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

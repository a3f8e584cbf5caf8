// libFuzzer target: a whole SWF movie read, so that the DefineText,
// DefineText2 and DefineEditText loaders meet whatever the input holds and
// the glyphs get cached images (empty bitmaps without a render backend);
// then played and drawn for a few frames, and every text on the root's stage
// drawn again from its outlines, every edit text given the input's last
// bytes as its text and asked for its members. Seeds: the SWF test movies,
// plain and compressed.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_target.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/movie/movie_library.h"
#include "swf/script/as_variant.h"
#include "swf/stage/movie_root.h"
#include "swf/stage/sprite_instance.h"
#include "swf/text/edit_text_character.h"
#include "swf_input.h"

namespace {
constexpr int kSteps = 4;
constexpr size_t kMostTextBytes = 64;
// An em of over 64 pixels: glyphs drawn from their outlines.
constexpr float kOutlineScale = 8.0f;

void ExerciseText(swf::movie* character, const std::string& text) {
  if (auto* field = dynamic_cast<swf::edit_text_character*>(character)) {
    field->set_text_value(text.c_str());
    swf::as_variant value;
    field->get_member("textWidth", &value);
    field->set_member("textColor", value);
    field->get_member("textColor", &value);
  }
  const swf::matrix2x3 placed = character->matrix;
  character->matrix.concatenate_scale(kOutlineScale);
  character->display();
  character->matrix = placed;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::LimitScripts();
  fuzz::SwfInput input(data, size);
  swf::movie_definition_sub* movie = swf::load_movie_file(fuzz::SwfInput::kPath);
  if (!movie) return 0;
  if (swf::movie_root* root = movie->create_root_instance()) {
    for (int step = 0; step < kSteps; ++step) {
      root->step_time(0.05f);
      root->display();
    }
    const size_t text_bytes = size < kMostTextBytes ? size : kMostTextBytes;
    const std::string text(reinterpret_cast<const char*>(data + size - text_bytes), text_bytes);
    const swf::display_list& stage = root->get_root_sprite()->get_display_list();
    for (int i = 0; i < stage.size(); ++i) ExerciseText(stage.at(i), text);
    swf::release_ref(root);
  }
  swf::release_ref(movie);
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) { fuzz::AddSwfFixtures(seeds, ".swf"); }

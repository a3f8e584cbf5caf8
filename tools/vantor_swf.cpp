// Shows what the player reads from an SWF movie, and plays one.
//   vantor-swf info MOVIE
// prints the header, each frame's tags (a sprite's own tags indented below
// it), the definitions, labels and exports the player made, and the player's
// log lines.
//   vantor-swf play MOVIE [--frames N]
// plays the movie headless, as fast as it can, for N frame steps (default:
// until it stops, at most 300), printing each "trace" line to standard output
// as it happens and the player's errors to standard error. The first step
// runs the first frame's actions alone, each later step one frame, so that a
// trace compares frame by frame with another player's; a carriage return,
// alone or before a line feed, prints as one line break.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "swf/base/file_object.h"
#include "swf/base/log.h"
#include "swf/bitmap/bitmap_character.h"
#include "swf/movie/inflating_file.h"
#include "swf/movie/movie_def_impl.h"
#include "swf/movie/movie_library.h"
#include "swf/movie/sprite_definition.h"
#include "swf/stage/button_character_definition.h"
#include "swf/stage/movie_root.h"
#include "swf/stage/sprite_instance.h"
#include "swf/sound/sound_sample.h"
#include "swf/stream/bit_stream.h"
#include "swf/text/font.h"

namespace {

const char* TagName(int type) {
  static const struct {
    int type;
    const char* name;
  } kNames[] = {{0, "End"},
                {1, "ShowFrame"},
                {2, "DefineShape"},
                {4, "PlaceObject"},
                {5, "RemoveObject"},
                {6, "DefineBits"},
                {7, "DefineButton"},
                {8, "JPEGTables"},
                {9, "SetBackgroundColor"},
                {10, "DefineFont"},
                {11, "DefineText"},
                {12, "DoAction"},
                {13, "DefineFontInfo"},
                {14, "DefineSound"},
                {15, "StartSound"},
                {17, "DefineButtonSound"},
                {20, "DefineBitsLossless"},
                {21, "DefineBitsJPEG2"},
                {22, "DefineShape2"},
                {24, "Protect"},
                {26, "PlaceObject2"},
                {28, "RemoveObject2"},
                {32, "DefineShape3"},
                {33, "DefineText2"},
                {34, "DefineButton2"},
                {35, "DefineBitsJPEG3"},
                {36, "DefineBitsLossless2"},
                {37, "DefineEditText"},
                {39, "DefineSprite"},
                {43, "FrameLabel"},
                {46, "DefineMorphShape"},
                {48, "DefineFont2"},
                {56, "ExportAssets"},
                {57, "ImportAssets"},
                {59, "DoInitAction"}};
  for (const auto& entry : kNames)
    if (entry.type == type) return entry.name;
  return "unknown";
}

std::vector<std::string>& LogLines() {
  static std::vector<std::string> lines;
  return lines;
}

void CollectLog(bool error, const char* text) {
  std::string line = std::string(error ? "error: " : "") + text;
  if (!line.empty() && line.back() == '\n') line.pop_back();
  LogLines().push_back(line);
}

swf::file_object* OpenFile(const char* path) { return swf::file_object::open(path, "rb"); }

// Lists the tags up to `end`, frame by frame; a sprite's tags follow it,
// indented.
void ListTags(swf::bit_stream& in, int64_t end, const char* indent) {
  int frame = 0;
  std::printf("%sframe %d\n", indent, frame);
  while (in.tell_offset() < end) {
    in.clear_overrun();
    const int type = in.enter_tag();
    if (in.overrun()) {
      in.leave_tag();
      break;
    }
    const int64_t length = in.tag_end_offset() - in.tell_offset();
    std::printf("%s  %s (type %d, %lld bytes)\n", indent, TagName(type), type, static_cast<long long>(length));
    if (type == 39) {
      in.read_uint16();
      in.read_uint16();
      ListTags(in, in.tag_end_offset(), "      ");
    }
    in.leave_tag();
    if (type == 0) break;
    if (type == 1 && in.tell_offset() < end) std::printf("%sframe %d\n", indent, ++frame);
  }
}

bool ListFileTags(const char* path) {
  std::unique_ptr<swf::file_object> file(OpenFile(path));
  unsigned char header[8];
  if (file->error() || file->read(header, 8) < 8) return false;
  const bool compressed = header[0] == 'C';
  const uint32_t length = header[4] | header[5] << 8 | header[6] << 16 | static_cast<uint32_t>(header[7]) << 24;
  std::unique_ptr<swf::file_object> inflated;
  swf::file_object* body = file.get();
  if (compressed) {
    inflated.reset(swf::open_inflating_file(file.get()));
    body = inflated.get();
  }
  swf::bit_stream in(body);
  swf::bounds_rect frame_rect;
  frame_rect.read(in);
  in.read_uint16();
  in.read_uint16();
  ListTags(in, compressed ? static_cast<int64_t>(length) - 8 : length, "");
  return true;
}

const char* KindOf(swf::library_item* item) {
  if (item->as_font()) return "font";
  if (item->as_sound_sample()) return "sound";
  if (dynamic_cast<swf::sprite_definition*>(item)) return "sprite";
  if (dynamic_cast<swf::bitmap_character*>(item)) return "bitmap";
  if (dynamic_cast<swf::button_character_definition*>(item)) return "button";
  if (dynamic_cast<swf::movie_definition_sub*>(item)) return "movie";
  return "character";
}

void ListDefinitions(swf::movie_def_impl* movie) {
  std::printf("definitions\n");
  for (auto& entry : movie->characters()) {
    swf::character_definition* definition = entry.value.get();
    std::printf("  %d %s", entry.key, KindOf(definition));
    if (auto* sprite = dynamic_cast<swf::sprite_definition*>(definition))
      std::printf(", %d frames", sprite->get_frame_total());
    if (auto* button = dynamic_cast<swf::button_character_definition*>(definition))
      std::printf(", %d records, %d actions", button->records.size(), button->actions.size());
    std::printf("\n");
  }
  for (auto& entry : movie->bitmap_characters()) {
    swf::backend_bitmap* bitmap = entry.value->get_bitmap();
    std::printf("  %d bitmap, %d x %d\n", entry.key, bitmap->width, bitmap->height);
  }
  std::printf("labels\n");
  for (auto& entry : movie->frame_labels()) std::printf("  %s: frame %d\n", entry.key.c_str(), entry.value);
  std::printf("exports\n");
  for (auto& entry : movie->exports()) std::printf("  %s: %s\n", entry.key.c_str(), KindOf(entry.value.get()));
}

int Info(const char* path) {
  swf::set_log_handler(CollectLog);
  swf::register_file_opener_callback(OpenFile);
  swf::movie_definition_sub* loaded = swf::load_movie_file(path);
  auto* movie = dynamic_cast<swf::movie_def_impl*>(loaded);
  if (!movie) {
    for (const std::string& line : LogLines()) std::fprintf(stderr, "vantor-swf: %s\n", line.c_str());
    return 1;
  }
  std::printf("movie %s\n", path);
  std::printf("  version %d, file length %u bytes\n", movie->get_swf_version(), movie->get_file_length());
  std::printf("  frame %g x %g pixels, %g frames per second, %d frames\n", movie->get_pixel_width(),
              movie->get_pixel_height(), movie->get_frames_per_second(), movie->get_frame_total());
  ListFileTags(path);
  ListDefinitions(movie);
  std::printf("log\n");
  for (const std::string& line : LogLines()) std::printf("  %s\n", line.c_str());
  swf::release_ref(movie);
  swf::set_log_handler(nullptr);
  return 0;
}

constexpr int kDefaultPlayFrames = 300;

void PrintTrace(const char* line) {
  for (const char* c = line; *c; ++c) {
    if (*c != '\r') {
      std::putchar(*c);
    } else if (c[1] != '\n') {
      std::putchar('\n');
    }
  }
  std::putchar('\n');
  std::fflush(stdout);
}

void PrintError(bool error, const char* text) {
  if (error) std::fputs(text, stderr);
}

// Plays `frames` frame steps, or until the movie stops when `until_stop`.
int Play(const char* path, int frames, bool until_stop) {
  swf::set_log_handler(PrintError);
  swf::set_trace_handler(PrintTrace);
  swf::register_file_opener_callback(OpenFile);
  swf::movie_definition_sub* movie = swf::load_movie_file(path);
  if (!movie) {
    std::fprintf(stderr, "vantor-swf: cannot play %s\n", path);
    return 1;
  }
  const float rate = movie->get_frames_per_second();
  const float frame_time = rate > 0 ? 1.0f / rate : 1.0f / 12;
  swf::movie_root* root = movie->create_root_instance();
  for (int frame = 0; root && frame < frames; ++frame) {
    root->step_time(frame == 0 ? 0 : frame_time);  // the first step loads the first frame
    if (until_stop && root->get_root_sprite()->get_play_state() == swf::movie::STOP) break;
  }
  if (root) swf::release_ref(root);
  swf::release_ref(movie);
  swf::clear_movie_library();
  swf::set_trace_handler(nullptr);
  swf::set_log_handler(nullptr);
  return 0;
}

// The frame count of "--frames N", or -1 when it is not a positive number.
int FrameCount(const char* text) {
  char* end = nullptr;
  const long count = std::strtol(text, &end, 10);
  return end != text && *end == '\0' && count > 0 && count <= 1000000 ? static_cast<int>(count) : -1;
}

int Usage() {
  std::fputs("usage: vantor-swf info MOVIE\n       vantor-swf play MOVIE [--frames N]\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "info") == 0) return Info(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "play") == 0) return Play(argv[2], kDefaultPlayFrames, true);
  if (argc == 5 && std::strcmp(argv[1], "play") == 0 && std::strcmp(argv[3], "--frames") == 0) {
    const int frames = FrameCount(argv[4]);
    if (frames > 0) return Play(argv[2], frames, false);
  }
  return Usage();
}

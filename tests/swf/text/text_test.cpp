// Static and edit text: the tags as read, the layout of edit text fields,
// their members, and what drawing the records hands the render backend.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "offscreen_device.h"
#include "swf/movie_fixture.h"
#include "swf/player_log_capture.h"
#include "swf/render/render_backend_d3d8.h"
#include "swf/script/as_variant.h"
#include "swf/stage_player.h"
#include "swf/text/edit_text_char.h"
#include "swf/text/edit_text_character.h"
#include "swf/text/font.h"
#include "swf/text/text_character.h"

namespace {
using namespace swf_test;

// Font 1 of texts.swf: glyphs "A", "B" and " ", advances 600, 400 and 200.
constexpr int kFontId = 1;

std::string Hex(swf::rgba_color c) {
  char text[9];
  std::snprintf(text, sizeof text, "%02x%02x%02x%02x", c.r, c.g, c.b, c.a);
  return text;
}

// "x,y:A/600 B/400 | ..." per record, x and y its offsets, each glyph its
// letter (? for a missing one) and advance.
std::string Lines(const swf::dyn_array<swf::text_record>& records) {
  std::ostringstream out;
  for (int i = 0; i < records.size(); ++i) {
    const swf::text_record& r = records[i];
    out << (i ? " | " : "") << r.x_offset << "," << r.y_offset << ":";
    for (int g = 0; g < r.glyphs.size(); ++g) {
      const int index = r.glyphs[g].index;
      out << (g ? " " : "") << (index >= 0 && index < 3 ? "AB_"[index] : '?') << "/" << r.glyphs[g].advance;
    }
  }
  return out.str();
}

// The translation of each logged call named `name` whose matrix comes first.
std::vector<std::string> Translations(const RecordingBackend& backend, const std::string& name) {
  std::vector<std::string> found;
  for (const std::string& call : backend.CallsNamed(name)) {
    std::istringstream in(call.substr(name.size() + 1));
    float m00, m01, m02, m10, m11, m12;
    in >> m00 >> m01 >> m02 >> m10 >> m11 >> m12;
    std::ostringstream at;
    at << m02 << "," << m12;
    found.push_back(at.str());
  }
  return found;
}

class TextMovie : public ::testing::Test {
 protected:
  swf::text_character* Text(int id) { return dynamic_cast<swf::text_character*>(movie->find_character(id)); }
  swf::edit_text_char* Field(int id) { return dynamic_cast<swf::edit_text_char*>(movie->find_character(id)); }
  // An instance of the definition, on no stage.
  swf::counted_ptr<swf::movie> Instance(int id) {
    return swf::counted_ptr<swf::movie>(movie->find_character(id)->create_character(nullptr, id));
  }

  RecordingBackend backend;  // before the load, which builds the glyph textures
  PlayerLogCapture log;
  MovieFolder folder;
  swf::counted_ptr<swf::movie_def_impl> movie = LoadMovie("texts.swf");
};

TEST_F(TextMovie, StaticTextRecordsKeepTheirStylesAndOffsets) {
  ASSERT_TRUE(movie);
  swf::text_character* text = Text(10);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text_matrix.m02, 100);
  EXPECT_EQ(text->text_matrix.m12, 200);
  ASSERT_EQ(text->records.size(), 3);
  const swf::text_record& first = text->records[0];
  EXPECT_EQ(first.font_id, kFontId);
  EXPECT_EQ(first.text_height, 512);
  EXPECT_EQ(Hex(first.color), "ff0000ff") << "DefineText stores RGB";
  EXPECT_TRUE(first.has_x_offset && first.has_y_offset);
  const swf::text_record& second = text->records[1];
  EXPECT_EQ(second.font_id, kFontId) << "the style carries over";
  EXPECT_EQ(second.text_height, 512);
  EXPECT_EQ(Hex(second.color), "0000ffff");
  EXPECT_FALSE(second.has_x_offset || second.has_y_offset);
  const swf::text_record& third = text->records[2];
  EXPECT_FALSE(third.has_x_offset);
  EXPECT_TRUE(third.has_y_offset);
  EXPECT_EQ(Lines(text->records), "100,700:A/300 B/200 | 0,0:B/200 | 0,1400:A/300");

  swf::text_character* text2 = Text(11);
  ASSERT_NE(text2, nullptr);
  ASSERT_EQ(text2->records.size(), 1);
  EXPECT_EQ(Hex(text2->records[0].color), "00ff0080") << "DefineText2 stores RGBA";
}

TEST_F(TextMovie, BrokenStaticTextsReadNothingPastTheirTags) {
  ASSERT_TRUE(movie);
  ASSERT_NE(Text(50), nullptr);
  EXPECT_EQ(Text(50)->records.size(), 0) << "255 glyphs cannot fit in the tag";
  EXPECT_TRUE(log.Has("255 glyph records run past the text tag"));
  ASSERT_NE(Text(51), nullptr);
  EXPECT_EQ(Text(51)->records.size(), 0);
  ASSERT_NE(Text(52), nullptr);
  EXPECT_EQ(Lines(Text(52)->records), "0,700:?/300 A/300") << "glyph 99 of a 3-glyph font is read as it stands";

  // Drawn, glyph 99 has neither image nor outline; glyph 0 comes after it.
  backend.ClearCalls();
  Instance(52)->display();
  EXPECT_EQ(Translations(backend, "render_bitmap"), std::vector<std::string>{"300,700"});
}

TEST_F(TextMovie, PenPositionsCarryFromRecordToRecord) {
  ASSERT_TRUE(movie);
  backend.ClearCalls();
  Instance(10)->display();
  // The text matrix moves everything by (100, 200).
  EXPECT_EQ(Translations(backend, "render_bitmap"),
            (std::vector<std::string>{"200,900", "500,900", "700,900", "900,1600"}));
  std::vector<std::string> colors;
  for (const std::string& call : backend.CallsNamed("render_bitmap")) colors.push_back(call.substr(call.rfind(' ') + 1));
  EXPECT_EQ(colors, (std::vector<std::string>{"ff0000ff", "ff0000ff", "0000ffff", "0000ffff"}));
}

TEST_F(TextMovie, SmallTextDrawsCachedGlyphsAndLargeTextOutlines) {
  ASSERT_TRUE(movie);
  swf::counted_ptr<swf::movie> text = Instance(11);
  struct Case {
    float scale;  // text 11 is 512 twips high: 25.6 pixels an em at scale 1
    bool from_bitmaps;
  };
  for (const Case& c : {Case{1, true}, Case{2.5f, true}, Case{2.6f, false}, Case{10, false}}) {
    SCOPED_TRACE(c.scale);
    text->matrix.m00 = text->matrix.m11 = c.scale;
    backend.ClearCalls();
    text->display();
    EXPECT_EQ(backend.CallsNamed("render_bitmap").size(), c.from_bitmaps ? 1u : 0u);
    EXPECT_EQ(backend.CallsNamed("render_triangle_strip").size(), c.from_bitmaps ? 0u : 1u);
  }

  // Without its cached image a glyph is drawn from its outline at any size.
  movie->find_font(kFontId)->wipe_cached_glyphs();
  text->matrix.m00 = text->matrix.m11 = 1;
  backend.ClearCalls();
  text->display();
  EXPECT_EQ(backend.CallsNamed("render_bitmap").size(), 0u);
  EXPECT_EQ(backend.CallsNamed("render_triangle_strip").size(), 1u);
  EXPECT_EQ(backend.CallsNamed("solid_fill"), std::vector<std::string>{"solid_fill 0 00ff0080"});
}

// A parent that draws its children at four pixels a twip's worth.
class ScaledParent : public swf::movie {
 public:
  ScaledParent() : movie(nullptr, 0) {}
  float get_pixel_scale() override { return 4; }
};

TEST_F(TextMovie, TextKeepsItsOwnPixelScale) {
  ASSERT_TRUE(movie);
  swf::counted_ptr<swf::movie> parent(new ScaledParent);
  swf::counted_ptr<swf::movie> text(movie->find_character(11)->create_character(parent.get(), 11));
  backend.ClearCalls();
  text->display();
  EXPECT_EQ(backend.CallsNamed("render_bitmap").size(), 1u) << "an em of 25.6 pixels, not four times that";
}

// An edit text definition in font 1 at 1024 twips, one glyph unit a twip:
// the first baseline lies at 1024 - the descent of 200.
struct FieldCase {
  const char* what;
  float width;
  const char* text;
  const char* lines;
  int alignment = swf::edit_text_char::LEFT;
  float left_margin = 0, right_margin = 0, indent = 0;
  int max_length = 0;
};

TEST_F(TextMovie, EditTextLaysOutItsLines) {
  ASSERT_TRUE(movie);
  const FieldCase cases[] = {
      {"wraps at the last space with word wrap off, 80 twips inside", 2080, "AB AB AB",
       "0,824:A/600 B/400 | 0,1848:A/600 B/400 | 0,2872:A/600 B/400"},
      {"a word longer than the line moves one glyph at a time", 1080, "AAB",
       "0,824:A/600 | 0,1848:A/600 | 0,2872:B/400"},
      {"a backspace pulls the pen back over the glyph", 5000, "A\bB", "0,824:A/0 B/400"},
      {"a backspace with no glyph before it does nothing", 5000, "\bA", "0,824:A/600"},
      {"a newline starts at the margin and indent", 5000, "A\nB", "150,824:A/600 | 150,1848:B/400",
       swf::edit_text_char::LEFT, 100, 0, 50},
      {"a wrapped line starts at the margin alone", 1230, "AAB", "150,824:A/600 | 100,1848:A/600 B/400",
       swf::edit_text_char::LEFT, 100, 0, 50},
      {"right alignment moves by width - right margin - w - 80", 2080, "AB", "800,824:A/600 B/400",
       swf::edit_text_char::RIGHT, 0, 200},
      {"right alignment moves each line by its own width", 2080, "A\rAB", "1400,824:A/600 | 1000,1848:A/600 B/400",
       swf::edit_text_char::RIGHT},
      {"centre alignment moves by half", 2080, "AB", "500,824:A/600 B/400", swf::edit_text_char::CENTER},
      {"justified lines stay left", 2080, "AB", "0,824:A/600 B/400", swf::edit_text_char::JUSTIFY},
      {"a maximum length of 3 cuts the text before layout", 5000, "ABABAB", "0,824:A/600 B/400 A/600",
       swf::edit_text_char::LEFT, 0, 0, 0, 3},
      {"a character the font lacks is glyph -1, 512 units wide", 5000, "AC", "0,824:A/600 ?/512"},
      {"a field of no width sets a glyph a line", 0, "AB", "0,824: | 0,1848:A/600 | 0,2872:B/400"},
      {"a field made with no text has no lines", 5000, "", ""},
  };
  for (const FieldCase& c : cases) {
    SCOPED_TRACE(c.what);
    swf::counted_ptr<swf::edit_text_char> field(new swf::edit_text_char(movie.get()));
    field->font_id = kFontId;
    field->text_font = movie->find_font(kFontId);
    field->text_height = 1024;
    field->bounds.x_max = c.width;
    field->bounds.y_max = 1000;
    field->alignment = c.alignment;
    field->left_margin = c.left_margin;
    field->right_margin = c.right_margin;
    field->indent = c.indent;
    field->max_length = c.max_length;
    field->initial_text = c.text;
    swf::counted_ptr<swf::movie> instance(field->create_character(nullptr, 1));
    auto* text = dynamic_cast<swf::edit_text_character*>(instance.get());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(Lines(text->records()), c.lines);
  }
}

TEST_F(TextMovie, MaximumLengthCutsWholeCharacters) {
  ASSERT_TRUE(movie);
  swf::counted_ptr<swf::movie> field = Instance(20);
  Field(20)->max_length = 3;
  field->set_text_value("\xC3\x84\xC3\x96\xE2\x82\xAC\xC3\x9C");  // "ÄÖ€Ü"
  EXPECT_STREQ(field->get_text_value(), "\xC3\x84\xC3\x96\xE2\x82\xAC");
  auto* text = dynamic_cast<swf::edit_text_character*>(field.get());
  ASSERT_EQ(text->records().size(), 1);
  EXPECT_EQ(text->records()[0].glyphs.size(), 3);
  Field(20)->max_length = 0;
}

TEST_F(TextMovie, FieldMembersReadAndWrite) {
  ASSERT_TRUE(movie);
  swf::counted_ptr<swf::movie> field = Instance(20);
  swf::as_variant value;
  ASSERT_TRUE(field->get_member("text", &value));
  EXPECT_STREQ(value.to_string().c_str(), "AB");
  // At 512 twips the pen stands at 0 and 300 before the two glyphs.
  ASSERT_TRUE(field->get_member("textWidth", &value));
  EXPECT_DOUBLE_EQ(value.to_number(), 15);
  ASSERT_TRUE(field->get_member("_width", &value));
  EXPECT_DOUBLE_EQ(value.to_number(), 150);
  ASSERT_TRUE(field->get_member("_height", &value));
  EXPECT_DOUBLE_EQ(value.to_number(), 50);

  field->set_member("textColor", swf::as_variant(0xFF8000));
  ASSERT_TRUE(field->get_member("textColor", &value));
  EXPECT_EQ(value.to_number(), 0xFF8000) << "red 255, green 128, blue 0 round-trip";
  EXPECT_FLOAT_EQ(field->cxform.m[1][0], 128.0f / 255.0f);

  field->set_member("_alpha", swf::as_variant(150));
  ASSERT_TRUE(field->get_member("_alpha", &value));
  EXPECT_DOUBLE_EQ(value.to_number(), 100) << "limited to 0 .. 1";
  field->set_member("_x", swf::as_variant(12.5));
  EXPECT_FLOAT_EQ(field->matrix.m02, 250);
  ASSERT_TRUE(field->get_member("_x", &value));
  EXPECT_FLOAT_EQ(static_cast<float>(value.to_number()), 12.5f);
  field->set_member("_visible", swf::as_variant(false));
  EXPECT_FALSE(field->get_visible());

  field->set_member("TEXT", swf::as_variant("BA"));
  EXPECT_STREQ(field->get_text_value(), "BA") << "member names ignore case";
  EXPECT_FALSE(field->get_member("_rotation", &value)) << "not a member of text fields";
  field->set_member("_width", swf::as_variant(1));
  ASSERT_TRUE(field->get_member("_width", &value));
  EXPECT_DOUBLE_EQ(value.to_number(), 150) << "the width cannot be set";
}

TEST_F(TextMovie, BorderIsDrawnThroughTheFieldsColourTransform) {
  ASSERT_TRUE(movie);
  swf::counted_ptr<swf::movie> field = Instance(20);
  field->cxform.m[1][0] = 0.5f;
  backend.put_color_transform(swf::color_xform());  // whatever came before
  backend.ClearCalls();
  field->display();
  const std::vector<std::string> calls = backend.Calls();
  ASSERT_GE(calls.size(), 6u);
  EXPECT_EQ(calls[0], "put_transform 1 0 0 0 1 0");
  EXPECT_EQ(calls[1], "put_color_transform 1 0.5 1 1 0 0 0 0");
  EXPECT_EQ(calls[2], "solid_fill 0 ffffffff");
  EXPECT_EQ(calls[3], "render_triangle_strip 0,0 3000,0 0,1000 3000,1000");
  EXPECT_EQ(calls[4], "solid_stroke 000000ff");
  EXPECT_EQ(calls[5], "render_polyline 0,0 3000,0 3000,1000 0,1000 0,0");
}

TEST_F(TextMovie, MissingGlyphIsDrawnAsABox) {
  ASSERT_TRUE(movie);
  swf::counted_ptr<swf::movie> field = Instance(20);
  Field(20)->border = false;
  field->set_text_value("C");
  backend.ClearCalls();
  field->display();
  EXPECT_EQ(backend.CallsNamed("render_polyline"),
            std::vector<std::string>{"render_polyline 32,32 480,32 480,-656 32,-656 32,32"});
  EXPECT_EQ(backend.CallsNamed("solid_stroke"), std::vector<std::string>{"solid_stroke 202020ff"});
  Field(20)->border = true;
}

TEST_F(TextMovie, FieldWithoutFontLaysOutNothing) {
  ASSERT_TRUE(movie);
  swf::counted_ptr<swf::movie> field = Instance(21);
  EXPECT_STREQ(field->get_text_value(), "AB");
  EXPECT_EQ(dynamic_cast<swf::edit_text_character*>(field.get())->records().size(), 0);
  EXPECT_TRUE(log.Has("error: text style with undefined font; font_id = -1\n"));
}

TEST(TextStage, FrameActionSetsTheFieldThroughItsVariable) {
  RecordingBackend backend;
  StagePlayer player("texts.swf");
  ASSERT_NE(player.root(), nullptr);
  player.Step(0.05f);
  swf::movie* field = player.Child("field");
  ASSERT_NE(field, nullptr);
  EXPECT_STREQ(field->get_text_variable(), "caption");
  EXPECT_STREQ(field->get_text_value(), "BA AB");
  backend.ClearCalls();
  player.root()->display();
  EXPECT_EQ(backend.CallsNamed("render_bitmap").size(), 4u + 4u) << "the static text's glyphs and the field's";
}

// Cached-glyph text on a real device: the red "A" of text 10 at twice its
// size, an em of 51.2 pixels, covering pixels 20..45 x 58..90.
TEST(TextDevice, CachedGlyphTextReachesThePixels) {
  OffscreenDevice screen(128, 128);
  IDirect3DDevice8* device = screen.device();
  ASSERT_NE(device, nullptr);
  PlayerLogCapture log;
  swf::render_backend_d3d8* backend = swf::create_render_backend_d3d8(device);
  swf::set_render_backend(backend);
  {
    MovieFolder folder;
    swf::counted_ptr<swf::movie_def_impl> movie = LoadMovie("texts.swf");
    ASSERT_TRUE(movie);
    swf::counted_ptr<swf::movie> text(movie->find_character(10)->create_character(nullptr, 10));
    text->matrix.m00 = text->matrix.m11 = 2;
    device->BeginScene();
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 0, 0);
    backend->start_frame(swf::rgba_color(0, 0, 0, 0), 0, 0, 128, 128, 0, 128 * 20, 0, 128 * 20);
    text->display();
    backend->finish_frame();
    device->EndScene();
  }
  const uint32_t inside = screen.Pixel(32, 74);
  EXPECT_GE((inside >> 16) & 0xFF, 250u);
  EXPECT_LE(inside & 0xFFFF, 0x0404u);
  EXPECT_EQ(screen.Pixel(10, 74), 0u) << "left of the glyph";
  EXPECT_EQ(screen.Pixel(32, 40), 0u) << "above it";
  swf::set_render_backend(nullptr);
  delete backend;
}

}  // namespace

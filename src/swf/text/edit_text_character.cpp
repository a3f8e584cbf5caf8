#include "swf/text/edit_text_character.h"

#include <algorithm>

#include "swf/geometry/tessellation.h"
#include "swf/render/render_backend.h"
#include "swf/script/as_variant.h"
#include "swf/script/property_names.h"
#include "swf/stream/point2.h"
#include "swf/text/edit_text_char.h"
#include "swf/text/edit_text_layout.h"

namespace swf {
namespace {

// The standard member ids a text field answers.
enum text_member : int {
  X = 0, Y = 1, ALPHA = 6, VISIBLE = 7, WIDTH = 8, HEIGHT = 9, TEXT = 22, TEXT_WIDTH = 23, TEXT_COLOR = 24
};

constexpr float kPixelsPerTwip = 0.05f;

float clamp_unit(double v) { return static_cast<float>(std::min(1.0, std::max(0.0, v))); }

// A colour transform multiplier as a colour byte.
int32_t multiplier_byte(float multiplier) {
  return static_cast<int32_t>(std::min(255.0f, std::max(0.0f, multiplier * 255.0f)));
}

}  // namespace

edit_text_character::edit_text_character(movie* parent, edit_text_char* definition, int id)
    : movie(parent, id), definition_(definition) {
  set_text_value(definition->initial_text.c_str());
}

edit_text_character::~edit_text_character() = default;

const char* edit_text_character::get_text_variable() { return definition_->variable_name.c_str(); }

void edit_text_character::set_text_value(const char* text) {
  if (!text) text = "";
  if (text_ == text) return;
  text_ = text;
  if (definition_->max_length > 0 && text_.utf8_length() > definition_->max_length) {
    text_ = text_.utf8_substring(0, definition_->max_length);
  }
  lay_out_edit_text(*definition_, text_.c_str(), &records_, &text_bounds_);
}

bool edit_text_character::get_member(const small_string& name, as_variant* out) {
  switch (standard_member_id(name)) {
    case X: out->set_number(matrix.m02 * kPixelsPerTwip); return true;
    case Y: out->set_number(matrix.m12 * kPixelsPerTwip); return true;
    case ALPHA: out->set_number(cxform.m[3][0] * 100.0f); return true;
    case VISIBLE: out->set_bool(get_visible()); return true;
    case WIDTH:
    case HEIGHT: {
      bounds_rect on_stage;
      on_stage.enclose_transformed_rect(get_world_matrix(), definition_->bounds);
      const float size = standard_member_id(name) == WIDTH ? on_stage.x_max - on_stage.x_min
                                                           : on_stage.y_max - on_stage.y_min;
      out->set_number(size * kPixelsPerTwip);
      return true;
    }
    case TEXT: out->set_string(text_); return true;
    case TEXT_WIDTH: out->set_number((text_bounds_.x_max - text_bounds_.x_min) * kPixelsPerTwip); return true;
    case TEXT_COLOR:
      out->set_number(multiplier_byte(cxform.m[0][0]) * 65536 + multiplier_byte(cxform.m[1][0]) * 256 +
                      multiplier_byte(cxform.m[2][0]));
      return true;
    default: return false;
  }
}

void edit_text_character::set_member(const small_string& name, const as_variant& value) {
  switch (standard_member_id(name)) {
    case X: matrix.m02 = static_cast<float>(value.to_number() * 20.0); break;
    case Y: matrix.m12 = static_cast<float>(value.to_number() * 20.0); break;
    case ALPHA: cxform.m[3][0] = clamp_unit(value.to_number() * 0.01); break;
    case VISIBLE: set_visible(value.to_bool()); break;
    case TEXT: set_text_value(value.to_string().c_str()); break;
    case TEXT_COLOR: {
      const int32_t rgb = value.to_int32();
      cxform.m[0][0] = clamp_unit(((rgb >> 16) & 0xFF) / 255.0);
      cxform.m[1][0] = clamp_unit(((rgb >> 8) & 0xFF) / 255.0);
      cxform.m[2][0] = clamp_unit((rgb & 0xFF) / 255.0);
      break;
    }
    default: break;
  }
}

void edit_text_character::display() {
  if (definition_->border) display_border();
  display_text_records(matrix2x3(), this, records_, definition_->owner);
  run_display_callback();
}

void edit_text_character::display_border() {
  render::put_transform(get_world_matrix());
  // Fills and strokes take the colour transform last put: the field's own.
  render::put_color_transform(get_world_color_transform());
  const bounds_rect& b = definition_->bounds;
  int16_t corners[4][2];
  for (int i = 0; i < 4; ++i) {
    const point2 c = b.corner(i);
    corners[i][0] = to_int16_saturated(c.x);
    corners[i][1] = to_int16_saturated(c.y);
  }
  const int16_t strip[] = {corners[0][0], corners[0][1], corners[1][0], corners[1][1],
                           corners[3][0], corners[3][1], corners[2][0], corners[2][1]};
  render::solid_fill(0, rgba_color(255, 255, 255, 255));
  render::render_triangle_strip(strip, 4);
  const int16_t frame[] = {corners[0][0], corners[0][1], corners[1][0], corners[1][1], corners[2][0],
                           corners[2][1], corners[3][0], corners[3][1], corners[0][0], corners[0][1]};
  render::solid_stroke(rgba_color(0, 0, 0, 255));
  render::render_polyline(frame, 5);
}

}  // namespace swf

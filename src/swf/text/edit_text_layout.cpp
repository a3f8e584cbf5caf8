#include "swf/text/edit_text_layout.h"

#include <algorithm>

#include "swf/base/log.h"
#include "swf/base/utf8.h"
#include "swf/text/edit_text_char.h"
#include "swf/text/font.h"

namespace swf {
namespace {

constexpr uint32_t kBackspace = 8;
constexpr uint32_t kLineFeed = 10;
constexpr uint32_t kCarriageReturn = 13;
constexpr uint32_t kSpace = 32;
// Lines end this far inside the box's right margin.
constexpr float kRightGutter = 80.0f;
constexpr int kMostMissingGlyphReports = 10;

void report_missing_glyph(uint32_t code, const font& f) {
  static int reports = 0;
  if (reports >= kMostMissingGlyphReports) return;
  ++reports;
  log_error(
      "edit_text_character::display() -- missing glyph for char %d -- make sure character shapes for font %s are "
      "being exported into your SWF file!\n",
      static_cast<int>(code), f.get_name() ? f.get_name() : "<null>");
}

class line_setter {
 public:
  line_setter(const edit_text_char& field, dyn_array<text_record>* records, bounds_rect* text_bounds)
      : field_(field),
        f_(*field.text_font),
        records_(*records),
        bounds_(*text_bounds),
        scale_(field.text_height / 1024.0f),
        line_spacing_(f_.leading() * scale_ + field.leading),
        line_width_(field.bounds.x_max - field.bounds.x_min - field.right_margin - kRightGutter) {
    x_ = std::max(0.0f, field.left_margin + field.indent);
    y_ = (f_.leading() - f_.descent()) * scale_ + field.text_height;
    bounds_.x_min = bounds_.x_max = x_;
    bounds_.y_min = bounds_.y_max = y_ - f_.descent() * scale_ + field.text_height;
    start_record();
  }

  void add(uint32_t code) {
    if (previous_code_ <= 0xFFFF && code <= 0xFFFF) {
      x_ += f_.get_kerning_adjustment(static_cast<uint16_t>(previous_code_), static_cast<uint16_t>(code)) * scale_;
    }
    previous_code_ = code;
    bounds_.expand_to_point(x_, y_ + f_.descent() * scale_);

    if (code == kBackspace) {
      // The pen goes back over the last glyph, which stays.
      if (!current_.glyphs.empty()) {
        x_ -= current_.glyphs.back().advance;
        current_.glyphs.back().advance = 0;
      }
      return;
    }
    if (code == kLineFeed || code == kCarriageReturn) {
      records_.push_back(current_);
      align_line(x_);
      x_ = std::max(0.0f, field_.left_margin + field_.indent);
      next_line();
      return;
    }
    if (code == kSpace) last_space_ = current_.glyphs.size();
    glyph_entry glyph;
    glyph.index = code <= 0xFFFF ? f_.get_glyph_index(static_cast<uint16_t>(code)) : -1;
    if (glyph.index == -1) report_missing_glyph(code, f_);
    glyph.advance = f_.get_advance(glyph.index) * scale_;
    current_.glyphs.push_back(glyph);
    x_ += glyph.advance;
    if (x_ >= line_width_) wrap();
  }

  void finish() {
    records_.push_back(current_);
    align_line(x_);
  }

 private:
  void start_record() {
    current_ = text_record();
    current_.text_font = field_.text_font;
    current_.color = field_.color;
    current_.x_offset = x_;
    current_.y_offset = y_;
    current_.text_height = field_.text_height;
    current_.has_x_offset = current_.has_y_offset = true;
  }

  void next_line() {
    y_ += line_spacing_ + field_.text_height;
    start_record();
    last_space_ = -1;
    line_start_ = records_.size();
  }

  // Ends the line before its last space (dropping the space) or, without
  // one, before its last glyph, and carries what follows to the next line.
  void wrap() {
    const int32_t space = last_space_;
    const int32_t line_start = line_start_;
    const int32_t line = records_.size();
    records_.push_back(current_);
    float width = x_;
    x_ = field_.left_margin;
    next_line();
    dyn_array<glyph_entry>& finished = records_[line].glyphs;
    int32_t keep = finished.size();
    if (space >= 0 && space < finished.size()) {
      width -= finished[space].advance;
      keep = space;
      carry(finished, space + 1, &width);
    } else if (!finished.empty()) {
      keep = finished.size() - 1;
      carry(finished, keep, &width);
    }
    finished.resize(keep);
    align_from(line_start, width);
  }

  void carry(const dyn_array<glyph_entry>& finished, int32_t from, float* width) {
    for (int32_t i = from; i < finished.size(); ++i) {
      *width -= finished[i].advance;
      x_ += finished[i].advance;
      current_.glyphs.push_back(finished[i]);
    }
  }

  void align_line(float width) { align_from(line_start_, width); }

  // Moves the records of the line that starts at `first` by the room left
  // on it, as the field's alignment asks.
  void align_from(int32_t first, float width) {
    const float room = line_width_ - width;
    float shift = 0;
    if (field_.alignment == edit_text_char::RIGHT) shift = room;
    if (field_.alignment == edit_text_char::CENTER) shift = room / 2;
    if (shift == 0) return;
    for (int32_t i = first; i < records_.size(); ++i) {
      if (records_[i].has_x_offset) records_[i].x_offset += shift;
    }
  }

  const edit_text_char& field_;
  const font& f_;
  dyn_array<text_record>& records_;
  bounds_rect& bounds_;
  const float scale_;
  const float line_spacing_;
  const float line_width_;  // where lines wrap
  float x_ = 0, y_ = 0;
  text_record current_;
  int32_t line_start_ = 0;
  int32_t last_space_ = -1;
  uint32_t previous_code_ = 0xFFFFFFFF;
};

}  // namespace

void lay_out_edit_text(const edit_text_char& field, const char* text, dyn_array<text_record>* records,
                       bounds_rect* text_bounds) {
  records->clear();
  if (!field.text_font) return;
  line_setter setter(field, records, text_bounds);
  for (const char* at = text;;) {
    const uint32_t code = utf8_decode_next(&at);
    if (code == 0) break;
    setter.add(code);
  }
  setter.finish();
}

}  // namespace swf

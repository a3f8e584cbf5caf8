#include "swf/action/action_buffer.h"

#include "swf/base/log.h"
#include "swf/stream/bit_stream.h"

namespace swf {
namespace {
struct opcode_name {
  int code;
  const char* name;
};

// The interpreter's names of the actions, ended by the End action's row.
const opcode_name kOpcodeNames[] = {
    {0x04, "next_frame"}, {0x05, "prev_frame"}, {0x06, "play"}, {0x07, "stop"}, {0x08, "toggle_qlty"},
    {0x09, "stop_sounds"}, {0x0A, "add"}, {0x0B, "sub"}, {0x0C, "mul"}, {0x0D, "div"}, {0x0E, "equ"},
    {0x0F, "lt"}, {0x10, "and"}, {0x11, "or"}, {0x12, "not"}, {0x13, "str_eq"}, {0x14, "str_len"},
    {0x15, "substr"}, {0x17, "pop"}, {0x18, "floor"}, {0x1C, "get_var"}, {0x1D, "set_var"},
    {0x20, "set_target_exp"}, {0x21, "str_cat"}, {0x22, "get_prop"}, {0x23, "set_prop"}, {0x24, "dup_sprite"},
    {0x25, "rem_sprite"}, {0x26, "trace"}, {0x27, "start_drag"}, {0x28, "stop_drag"}, {0x29, "str_lt"},
    {0x2B, "cast_object"}, {0x30, "random"}, {0x31, "mb_length"}, {0x32, "ord"}, {0x33, "chr"},
    {0x34, "get_timer"}, {0x35, "substr_mb"}, {0x36, "ord_mb"}, {0x37, "chr_mb"}, {0x3A, "delete"},
    {0x3B, "delete_all"}, {0x3C, "set_local"}, {0x3D, "call_func"}, {0x3E, "return"}, {0x3F, "mod"},
    {0x40, "new"}, {0x41, "decl_local"}, {0x42, "decl_array"}, {0x43, "decl_obj"}, {0x44, "type_of"},
    {0x45, "get_target"}, {0x46, "enumerate"}, {0x47, "add_t"}, {0x48, "lt_t"}, {0x49, "eq_t"},
    {0x4A, "number"}, {0x4B, "string"}, {0x4C, "dup"}, {0x4D, "swap"}, {0x4E, "get_member"},
    {0x4F, "set_member"}, {0x50, "inc"}, {0x51, "dec"}, {0x52, "call_method"}, {0x53, "new_method"},
    {0x54, "is_inst_of"}, {0x55, "enum_object"}, {0x60, "bit_and"}, {0x61, "bit_or"}, {0x62, "bit_xor"},
    {0x63, "shl"}, {0x64, "asr"}, {0x65, "lsr"}, {0x66, "eq_strict"}, {0x67, "gt_t"}, {0x68, "gt_str"},
    {0x81, "goto_frame"}, {0x83, "get_url"}, {0x87, "store_register"}, {0x88, "decl_dict"},
    {0x8A, "wait_for_frame"}, {0x8B, "set_target"}, {0x8C, "goto_frame_lbl"}, {0x8D, "wait_for_fr_exp"},
    {0x8E, "function2"}, {0x94, "with"}, {0x96, "push_data"}, {0x99, "goto"}, {0x9A, "get_url2"},
    {0x9B, "func"}, {0x9D, "branch_if_true"}, {0x9E, "call_frame"}, {0x9F, "goto_frame_exp"},
    {0x00, "<end>"}};
}  // namespace

const char* action_opcode_name(int code) {
  for (const opcode_name& row : kOpcodeNames) {
    if (row.code == code) return row.name;
  }
  return nullptr;
}


void action_buffer::read(bit_stream& in) {
  for (;;) {
    uint8_t code;
    if (in.read_bytes(&code, 1) == 0) {
      bytes_.push_back(0);  // the data stopped: end the actions there
      return;
    }
    bytes_.push_back(code);
    if (code == 0) return;
    if (code < 0x80) continue;
    uint8_t length_bytes[2];
    in.read_bytes(length_bytes, 2);
    bytes_.push_back(length_bytes[0]);
    bytes_.push_back(length_bytes[1]);
    const int length = length_bytes[0] | length_bytes[1] << 8;
    const int32_t start = bytes_.size();
    bytes_.resize(start + length);
    if (in.read_bytes(&bytes_[start], length) < length) {
      bytes_.push_back(0);
      return;
    }
  }
}

void action_buffer::assign(const uint8_t* bytes, int32_t count) {
  bytes_.resize(count);
  for (int32_t i = 0; i < count; ++i) bytes_[i] = bytes[i];
  pool_.clear();
  pool_position_ = -1;
}

void action_buffer::process_decl_dict(int32_t start, int32_t end) {
  if (pool_position_ >= 0) {
    if (pool_position_ != start)
      log_error("error: process_decl_dict(%d, %d): decl_dict was already processed at %d\n", start, end,
                pool_position_);
    return;
  }
  pool_position_ = start;
  if (start + 5 > end || end > bytes_.size()) {
    log_error("error: action buffer dict length exceeded\n");
    return;
  }
  const int count = bytes_[start + 3] | bytes_[start + 4] << 8;
  pool_.resize(count);
  int32_t at = start + 5;
  for (int i = 0; i < count; ++i) {
    int32_t stop = at;
    while (stop < end && bytes_[stop] != 0) ++stop;
    if (stop >= end) {
      log_error("error: action buffer dict length exceeded\n");
      for (; i < count; ++i) pool_[i] = "<invalid>";
      return;
    }
    pool_[i] = reinterpret_cast<const char*>(&bytes_[at]);
    at = stop + 1;
  }
}

}  // namespace swf

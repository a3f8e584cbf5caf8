#include "swf/stream/bit_stream.h"

#include <gtest/gtest.h>

#include <string>

#include "swf/memory_file.h"

namespace {
using swf_test::MemoryFile;

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes.push_back(static_cast<char>(v));
  return bytes;
}

TEST(BitStream, ReadsBitFieldsAcrossBytes) {
  MemoryFile memory(Bytes({0xB5, 0x0F, 0x80, 0x34, 0x12, 0xFF}));
  swf::bit_stream in(memory.file());
  EXPECT_EQ(in.read_bits(0), 0u);
  EXPECT_EQ(in.tell_offset(), 0) << "reading 0 bits reads nothing";
  EXPECT_EQ(in.read_bits(3), 0x5u);   // 101
  EXPECT_EQ(in.read_bits(7), 0x54u);  // 10101 00
  EXPECT_EQ(in.read_bits(6), 0x0Fu);  // 001111
  EXPECT_EQ(in.read_signed_bits(5), -16) << "10000";
  EXPECT_EQ(in.read_uint16(), 0x1234) << "the rest of the byte is dropped";
  EXPECT_EQ(in.read_signed_bits(8), -1);
  EXPECT_FALSE(in.overrun());
}

TEST(BitStream, ReadsWholeWordsAndStrings) {
  MemoryFile memory(Bytes({0x78, 0x56, 0x34, 0x12, 'h', 'i', 0, 0, 3, 'a', 'b', 'c', 0, 0xFF}));
  swf::bit_stream in(memory.file());
  EXPECT_EQ(in.read_bits(32), 0x78563412u) << "bit fields run from the first byte's top bit";
  EXPECT_STREQ(in.read_cstring().get(), "hi");
  EXPECT_STREQ(in.read_cstring().get(), "");
  EXPECT_STREQ(in.read_pstring().get(), "abc");
  EXPECT_EQ(in.read_pstring(), nullptr);
  EXPECT_EQ(in.read_uint8(), 0xFF);
}

TEST(BitStream, ShortAndLongTagHeaders) {
  // Type 9 with length 3; type 2 in long form with length 0; type 1, length 0.
  MemoryFile memory(Bytes({0x43, 0x02, 1, 2, 3, 0xBF, 0x00, 0, 0, 0, 0, 0x40, 0x00}));
  swf::bit_stream in(memory.file());
  EXPECT_EQ(in.enter_tag(), 9);
  EXPECT_EQ(in.tag_end_offset(), 5);
  EXPECT_EQ(in.read_uint8(), 1);
  in.leave_tag();
  EXPECT_EQ(in.tell_offset(), 5);
  EXPECT_EQ(in.enter_tag(), 2);
  EXPECT_EQ(in.tag_end_offset(), 11) << "the data starts after the 6 header bytes";
  EXPECT_EQ(in.read_uint8(), 0);
  EXPECT_TRUE(in.overrun()) << "the tag is empty";
  in.leave_tag();
  in.clear_overrun();
  EXPECT_EQ(in.enter_tag(), 1);
  in.leave_tag();
  EXPECT_FALSE(in.overrun());
}

TEST(BitStream, NestedTagsEndWithinTheirParent) {
  // An outer tag of 6 bytes holding a tag that claims 0x7FFFFFFF bytes.
  MemoryFile memory(Bytes({0x06, 0x01, 0x3F, 0x00, 0xFF, 0xFF, 0xFF, 0x7F, 0xAA, 0xBB}));
  swf::bit_stream in(memory.file());
  EXPECT_EQ(in.enter_tag(), 4);
  EXPECT_EQ(in.tag_end_offset(), 8);
  EXPECT_EQ(in.enter_tag(), 0);
  EXPECT_EQ(in.tag_end_offset(), 8) << "the inner tag ends with its parent";
  in.leave_tag();
  EXPECT_EQ(in.tell_offset(), 8);
  in.leave_tag();
  EXPECT_EQ(in.read_uint8(), 0xAA);
  EXPECT_FALSE(in.overrun());
}

TEST(BitStream, ReadsPastATagsEndGiveZerosAndNoteTheOverrun) {
  MemoryFile memory(Bytes({0x02, 0x00, 'a', 'b', 'c', 'd', 'e', 'f'}));
  swf::bit_stream in(memory.file());
  in.enter_tag();
  EXPECT_EQ(in.read_uint32(), 0x6261u);
  EXPECT_TRUE(in.overrun());
  EXPECT_FALSE(in.hit_file_end());
  EXPECT_EQ(memory.furthest_read(), 4) << "nothing is read beyond the tag";
  in.seek_offset(2);
  in.clear_overrun();
  EXPECT_STREQ(in.read_cstring().get(), "ab") << "a string ends at the tag's end";
  EXPECT_TRUE(in.overrun());
  char raw[4];
  EXPECT_EQ(in.file()->read(raw, 4), 0) << "raw readers stop there too";
  in.leave_tag();
  EXPECT_EQ(in.read_uint8(), 'c');
}

TEST(BitStream, ReadsPastTheFilesEndGiveZeros) {
  MemoryFile memory(Bytes({0x3F, 0x00, 0x10, 0x00, 0x00, 0x00, 'x', 'y'}));
  swf::bit_stream in(memory.file());
  in.enter_tag();
  EXPECT_EQ(in.tag_end_offset(), 6 + 16);
  EXPECT_EQ(in.read_uint32(), 0x7978u);
  EXPECT_TRUE(in.overrun());
  EXPECT_TRUE(in.hit_file_end());
  EXPECT_EQ(in.read_bits(9), 0u);
  EXPECT_EQ(in.read_signed_bits(32), 0);
  EXPECT_STREQ(in.read_cstring().get(), "");
  EXPECT_EQ(in.read_pstring(), nullptr);
  EXPECT_EQ(memory.furthest_read(), 8);
}

}  // namespace

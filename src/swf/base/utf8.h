// The player's UTF-8 decoder and encoder (sequences of up to 6 bytes).
#pragma once
#include <cstdint>

namespace swf {

constexpr uint32_t kReplacementCharacter = 0xFFFD;

// The next code point of the text, moving *text past what it consumed. A 0
// byte answers 0 and stays; a malformed or overlong sequence answers U+FFFD,
// and a byte that breaks a sequence is left for the next call.
uint32_t utf8_decode_next(const char** text);

// Writes the code point at buffer[*index] in 1 to 6 bytes and advances
// *index; code points of 0x80000000 and above write nothing. The caller
// leaves room for 6 bytes.
void utf8_encode(char* buffer, int* index, uint32_t code_point);

}  // namespace swf

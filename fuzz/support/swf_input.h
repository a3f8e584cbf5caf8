// The fuzz input as the one movie file the player can open, "movie.swf";
// nothing else (imports, the cache file) exists.
#pragma once
#include <cstddef>
#include <cstdint>

namespace fuzz {

// Installs the player's file opener over the input for the guard's life and
// empties the movie library when it ends.
class SwfInput {
 public:
  SwfInput(const uint8_t* data, size_t size);
  ~SwfInput();
  SwfInput(const SwfInput&) = delete;
  SwfInput& operator=(const SwfInput&) = delete;

  static constexpr const char* kPath = "movie.swf";
};

}  // namespace fuzz

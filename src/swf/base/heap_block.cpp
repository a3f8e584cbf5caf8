#include "swf/base/heap_block.h"

#include <cstdlib>
#include <new>

namespace swf {

void* heap_allocate(size_t bytes) {
  void* block = std::malloc(bytes ? bytes : 1);
  if (!block) throw std::bad_alloc();
  return block;
}

void* heap_reallocate(void* block, size_t bytes) {
  void* moved = std::realloc(block, bytes ? bytes : 1);
  if (!moved) throw std::bad_alloc();
  return moved;
}

void heap_free(void* block) { std::free(block); }

}  // namespace swf

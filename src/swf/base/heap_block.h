// The C heap behind the player's containers and long strings. A failed
// request throws std::bad_alloc, as the tracked operator new does, and a
// failed reallocation leaves the old block as it was.
#pragma once
#include <cstddef>

namespace swf {

void* heap_allocate(size_t bytes);
void* heap_reallocate(void* block, size_t bytes);
void heap_free(void* block);

}  // namespace swf

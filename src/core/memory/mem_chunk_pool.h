// The memory tracker's supply of call-site names: chunks of items taken
// from the C heap, recycled through a free list and never returned. Needs no
// construction at run time, so it works for allocations made before main.
#pragma once
#include <cstddef>
#include <cstdlib>

template <class Item, size_t kChunkItems>
class MemChunkPool {
 public:
  constexpr MemChunkPool() = default;

  // A zeroed item, or null when no chunk can be had. Items are zeroed as
  // they come back, so taking one costs no clearing.
  Item* Take() {
    if (!freeList_ && !AddChunk()) return nullptr;
    Item* item = freeList_;
    freeList_ = item->next;
    item->next = nullptr;
    return item;
  }

  void Give(Item* item) {
    *item = Item{};
    item->next = freeList_;
    freeList_ = item;
  }

 private:
  bool AddChunk() {
    static_assert(alignof(Item) <= alignof(std::max_align_t), "malloc aligns every item");
    void* taken = std::malloc(kChunkItems * sizeof(Item));
    if (!taken) return false;
    auto* chunk = static_cast<Item*>(taken);
    // Linked in address order, so items are handed out first to last.
    for (size_t i = 0; i < kChunkItems; ++i) {
      chunk[i] = Item{};
      chunk[i].next = i + 1 < kChunkItems ? &chunk[i + 1] : freeList_;
    }
    freeList_ = chunk;
    // The table only lets a debugger find the chunks; when it cannot grow the
    // chunk is still used.
    auto* grown = static_cast<Item**>(std::realloc(chunks_, (chunkCount_ + 1) * sizeof(Item*)));
    if (grown) {
      chunks_ = grown;
      chunks_[chunkCount_++] = chunk;
    }
    return true;
  }

  Item* freeList_ = nullptr;
  Item** chunks_ = nullptr;
  size_t chunkCount_ = 0;
};

#include "core/memory/mem_block_map.h"

#include "core/memory/mem_pages.h"

// Out of line: a new leaf is needed once per 2 MiB of address space.
[[gnu::noinline]] bool MemBlockMap::AddLeaf(uintptr_t address) {
  Middle*& middle = top_[address >> kTopShift];
  if (!middle && !(middle = static_cast<Middle*>(MapZeroedPages(sizeof(Middle))))) return false;
  Leaf*& leaf = middle->leaves[LeafSlot(address)];
  if (!leaf) leaf = static_cast<Leaf*>(MapZeroedPages(sizeof(Leaf)));
  return leaf != nullptr;
}

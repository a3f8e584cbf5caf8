// What the memory tracker keeps of a live block. Everything each block needs
// fits one cache line; the names of a call site, which only the few requests
// that name themselves have, are kept apart.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/memory/mem_tracker.h"

struct MemNames {
  char sourceFile[MemTracker::kNameLength];
  char function[MemTracker::kNameLength];
  MemNames* next;  // links the free list
};

struct alignas(64) MemRecord {
  size_t blockSize;
  size_t size;
  void* rawBlock;
  void* userPointer;
  MemNames* names;  // null when the request named no call site
  int32_t line;
  int32_t kind;
  uint32_t allocationNumber;
  MemRecord* next;  // links the free list
};
static_assert(sizeof(MemRecord) == 64, "a record is one cache line");

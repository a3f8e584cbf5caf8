// Test support: the largest block SDL is asked for while a watch lives, for
// tests that a file's claims are checked before anything is allocated by them.
#pragma once
#include <SDL.h>

#include <algorithm>
#include <cstddef>

// SDL's own allocator does the work.
class SdlAllocationWatch {
 public:
  SdlAllocationWatch() {
    SDL_GetMemoryFunctions(&malloc_, &calloc_, &realloc_, &free_);
    largest_ = 0;
    SDL_SetMemoryFunctions(Malloc, Calloc, Realloc, free_);
  }
  ~SdlAllocationWatch() { SDL_SetMemoryFunctions(malloc_, calloc_, realloc_, free_); }
  static size_t Largest() { return largest_; }

 private:
  static void* Malloc(size_t size) {
    largest_ = std::max(largest_, size);
    return malloc_(size);
  }
  static void* Calloc(size_t count, size_t size) {
    largest_ = std::max(largest_, count * size);
    return calloc_(count, size);
  }
  static void* Realloc(void* block, size_t size) {
    largest_ = std::max(largest_, size);
    return realloc_(block, size);
  }
  static inline SDL_malloc_func malloc_;
  static inline SDL_calloc_func calloc_;
  static inline SDL_realloc_func realloc_;
  static inline SDL_free_func free_;
  static inline size_t largest_;
};

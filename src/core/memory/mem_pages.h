// Memory for the tracker's own tables, straight from the kernel: the C heap
// is what the tracker watches, and its tables must not show up in it.
#pragma once
#include <cstddef>

// Zeroed, page-aligned memory of `bytes`, or null. Areas of a huge page or
// more start on a huge-page boundary and are offered huge pages: they are
// read at random, and small pages would cost a page-table walk on nearly
// every read. Never given back but through munmap.
void* MapZeroedPages(size_t bytes);

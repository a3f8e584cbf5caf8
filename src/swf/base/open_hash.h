// The player's hash table: open addressing with chains threaded through the
// slots of one C heap block, each slot caching its key's full hash. A chain's
// head always sits in the slot its hash names, and a new entry becomes the
// head, so of two entries with one key the later is found first; a rebuild
// keeps that order.
#pragma once
#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>

#include "swf/base/hash_functions.h"
#include "swf/base/heap_block.h"

namespace swf {

template <class K, class V, class H = key_hash<K>>
class open_hash {
 public:
  struct slot {
    int32_t next;  // kEmpty, kEndOfChain or the next slot of the chain
    uint32_t hash;
    K key;
    V value;
  };

  class iterator {
   public:
    iterator(const open_hash* table, int32_t index) : table_(table), index_(index) { skip_empty(); }
    slot& operator*() const { return table_->slot_at(index_); }
    slot* operator->() const { return &table_->slot_at(index_); }
    iterator& operator++() {
      ++index_;
      skip_empty();
      return *this;
    }
    bool operator==(const iterator& other) const { return index_ == other.index_; }
    bool operator!=(const iterator& other) const { return index_ != other.index_; }

   private:
    void skip_empty() {
      while (index_ <= table_->mask() && table_->slot_at(index_).next == kEmpty) ++index_;
      if (index_ > table_->mask()) index_ = kEnd;
    }
    const open_hash* table_;
    int32_t index_;
  };

  open_hash() = default;
  open_hash(const open_hash&) = delete;
  open_hash& operator=(const open_hash&) = delete;
  ~open_hash() { clear(); }

  int32_t size() const { return block_ ? block_->entry_count : 0; }
  int32_t slot_count() const { return block_ ? block_->size_mask + 1 : 0; }
  iterator begin() const { return iterator(this, block_ ? 0 : kEnd); }
  iterator end() const { return iterator(this, kEnd); }

  // The slot holding the key's most recent entry, or -1.
  int32_t find_index(const K& key) const {
    if (!block_) return -1;
    const uint32_t h = H::hash(key);
    int32_t i = static_cast<int32_t>(h & block_->size_mask);
    const slot& head = slot_at(i);
    if (head.next == kEmpty || (head.hash & block_->size_mask) != static_cast<uint32_t>(i)) return -1;
    for (;;) {
      const slot& s = slot_at(i);
      if (s.hash == h && H::equals(s.key, key)) return i;
      if (s.next == kEndOfChain) return -1;
      i = s.next;
    }
  }

  // True when the key is present; its value is copied to `out` when given.
  bool get(const K& key, V* out) const {
    const int32_t i = find_index(key);
    if (i < 0) return false;
    if (out) *out = slot_at(i).value;
    return true;
  }

  // The value of the key's most recent entry, or null.
  V* find(const K& key) const {
    const int32_t i = find_index(key);
    return i < 0 ? nullptr : &slot_at(i).value;
  }

  // Adds an entry without looking for an existing one.
  void add(const K& key, const V& value) {
    K key_copy(key);
    V value_copy(value);
    if (!block_) {
      set_capacity(16);
    } else if (block_->entry_count * 3 > (block_->size_mask + 1) * 2) {
      set_capacity((block_->size_mask + 1) * 2);
    }
    place(H::hash(key_copy), std::move(key_copy), std::move(value_copy));
  }

  // Replaces the value of the key's most recent entry, or adds one.
  void set(const K& key, const V& value) {
    const int32_t i = find_index(key);
    if (i >= 0) {
      slot_at(i).value = value;
    } else {
      add(key, value);
    }
  }

  // Rebuilds the table with at least n slots (a power of two, 16 or more);
  // n <= 0 clears it.
  void set_capacity(int32_t n) {
    if (n <= 0) {
      clear();
      return;
    }
    int32_t slots = 16;
    while (slots < n) {
      if (slots > (INT32_MAX / 2) / static_cast<int32_t>(sizeof(slot))) throw std::bad_alloc();
      slots *= 2;
    }
    block* old = block_;
    block_ = new_block(slots);
    if (!old) return;
    // Each chain is re-added from its tail to its head, so that within every
    // new chain the entries keep their old order.
    for (int32_t head = 0; head <= old->size_mask; ++head) {
      slot& first = old->slots()[head];
      if (first.next == kEmpty || (first.hash & old->size_mask) != static_cast<uint32_t>(head)) continue;
      int32_t reversed = kEndOfChain;
      for (int32_t i = head; i != kEndOfChain;) {
        const int32_t next = old->slots()[i].next;
        old->slots()[i].next = reversed;
        reversed = i;
        i = next;
      }
      for (int32_t i = reversed; i != kEndOfChain;) {
        slot& s = old->slots()[i];
        const int32_t next = s.next;
        place(s.hash, std::move(s.key), std::move(s.value));
        s.key.~K();
        s.value.~V();
        i = next;
      }
    }
    heap_free(old);
  }

  void clear() {
    if (!block_) return;
    for (int32_t i = 0; i <= block_->size_mask; ++i) {
      slot& s = slot_at(i);
      if (s.next == kEmpty) continue;
      s.key.~K();
      s.value.~V();
      s.next = kEmpty;
    }
    heap_free(block_);
    block_ = nullptr;
  }

 private:
  static constexpr int32_t kEmpty = -2;
  static constexpr int32_t kEndOfChain = -1;
  static constexpr int32_t kEnd = INT32_MAX;

  struct block {
    int32_t entry_count;
    int32_t size_mask;
    static constexpr size_t slots_offset() { return (sizeof(block) + alignof(slot) - 1) / alignof(slot) * alignof(slot); }
    slot* slots() { return reinterpret_cast<slot*>(reinterpret_cast<char*>(this) + slots_offset()); }
  };

  int32_t mask() const { return block_ ? block_->size_mask : -1; }
  slot& slot_at(int32_t i) const { return block_->slots()[i]; }

  static block* new_block(int32_t slots) {
    block* b = static_cast<block*>(heap_allocate(block::slots_offset() + static_cast<size_t>(slots) * sizeof(slot)));
    b->entry_count = 0;
    b->size_mask = slots - 1;
    for (int32_t i = 0; i < slots; ++i) b->slots()[i].next = kEmpty;
    return b;
  }

  // Stores an entry in a table that has a blank slot, as the new head of its
  // chain.
  void place(uint32_t h, K&& key, V&& value) {
    const uint32_t mask = static_cast<uint32_t>(block_->size_mask);
    ++block_->entry_count;
    const int32_t i = static_cast<int32_t>(h & mask);
    slot& home = slot_at(i);
    if (home.next == kEmpty) {
      construct(home, kEndOfChain, h, std::move(key), std::move(value));
      return;
    }
    int32_t blank = i;
    do blank = static_cast<int32_t>((blank + 1) & mask);
    while (slot_at(blank).next != kEmpty);
    slot& moved = slot_at(blank);
    const int32_t home_chain = static_cast<int32_t>(home.hash & mask);
    construct(moved, home.next, home.hash, std::move(home.key), std::move(home.value));
    home.key.~K();
    home.value.~V();
    if (home_chain == i) {
      construct(home, blank, h, std::move(key), std::move(value));
      return;
    }
    // The occupant belongs to another chain: relink its predecessor.
    int32_t previous = home_chain;
    while (slot_at(previous).next != i) previous = slot_at(previous).next;
    slot_at(previous).next = blank;
    construct(home, kEndOfChain, h, std::move(key), std::move(value));
  }

  static void construct(slot& s, int32_t next, uint32_t h, K&& key, V&& value) {
    s.next = next;
    s.hash = h;
    new (&s.key) K(std::move(key));
    new (&s.value) V(std::move(value));
  }

  block* block_ = nullptr;
};

}  // namespace swf

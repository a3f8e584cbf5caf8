// An ordered list of entries, each holding a pointer `value`, that stays
// safe to walk while the walk's own calls add or remove entries (scripts run
// from widget code do). A removal during a walk leaves a gap (a null value)
// that lookups skip; the list closes its gaps when the last walk ends. A walk
// visits the entries present when it began that are still there.
#pragma once
#include <algorithm>
#include <cstddef>
#include <vector>

template <typename Entry>
class WalkList {
 public:
  static constexpr size_t kNone = static_cast<size_t>(-1);

  WalkList() = default;
  WalkList(const WalkList&) = delete;
  WalkList& operator=(const WalkList&) = delete;

  void Append(const Entry& entry) { entries_.push_back(entry); }
  // At the start; a walk under way may then visit one entry twice.
  void Prepend(const Entry& entry) { entries_.insert(entries_.begin(), entry); }
  // The first entry the predicate accepts, gaps skipped; kNone without one.
  template <typename Match>
  size_t IndexWhere(Match match) const {
    for (size_t i = 0; i < entries_.size(); ++i)
      if (entries_[i].value && match(entries_[i])) return i;
    return kNone;
  }
  size_t IndexOf(const void* value) const {
    if (!value) return kNone;
    return IndexWhere([value](const Entry& e) { return e.value == value; });
  }
  const Entry& At(size_t index) const { return entries_[index]; }
  // Unlinks the entry; its value is returned, not destroyed.
  auto Unlink(size_t index) {
    auto value = entries_[index].value;
    if (walkers_ > 0) {
      entries_[index].value = nullptr;
      hasGaps_ = true;
    } else {
      entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    }
    return value;
  }
  // Empties the list, handing every value to `release`.
  template <typename Release>
  void Clear(Release release) {
    std::vector<Entry> gone;
    gone.swap(entries_);
    if (walkers_ > 0 && !gone.empty()) {
      entries_.assign(gone.size(), Entry{});
      hasGaps_ = true;
    }
    for (const Entry& entry : gone)
      if (entry.value) release(entry.value);
  }
  size_t Count() const {
    return static_cast<size_t>(
        std::count_if(entries_.begin(), entries_.end(), [](const Entry& e) { return e.value != nullptr; }));
  }

  // Calls `visit` on each value, first to last, until it returns true;
  // returns whether it did.
  template <typename Visit>
  bool WalkForward(Visit visit) {
    Walk walk(*this);
    const size_t end = entries_.size();
    for (size_t i = 0; i < end; ++i)
      if (auto value = entries_[i].value)
        if (visit(value)) return true;
    return false;
  }
  // The same, last to first.
  template <typename Visit>
  bool WalkBackward(Visit visit) {
    Walk walk(*this);
    for (size_t i = entries_.size(); i-- > 0;)
      if (auto value = entries_[i].value)
        if (visit(value)) return true;
    return false;
  }

 private:
  class Walk {
   public:
    explicit Walk(WalkList& list) : list_(list) { ++list_.walkers_; }
    ~Walk() {
      if (--list_.walkers_ > 0 || !list_.hasGaps_) return;
      list_.entries_.erase(std::remove_if(list_.entries_.begin(), list_.entries_.end(),
                                          [](const Entry& e) { return e.value == nullptr; }),
                           list_.entries_.end());
      list_.hasGaps_ = false;
    }
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;

   private:
    WalkList& list_;
  };

  std::vector<Entry> entries_;
  int walkers_ = 0;
  bool hasGaps_ = false;
};

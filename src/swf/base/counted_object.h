// Reference counting for every shared player object (definitions, instances,
// script objects, bitmaps, fonts), with a life token behind weak handles.
#pragma once
#include <cstdint>

namespace swf {

// Outlives its object while weak handles still point at it.
struct life_token {
  int32_t ref_count = 1;  // the object's own hold
  bool alive = true;

  void take_ref() { ++ref_count; }
  // Drops one hold; the token deletes itself with the last.
  void release_ref();
};

class counted_object {
 public:
  counted_object() = default;
  virtual ~counted_object();
  counted_object(const counted_object&) = delete;
  counted_object& operator=(const counted_object&) = delete;

  void take_ref() { ++ref_count_; }
  int32_t ref_count() const { return ref_count_; }
  // Made on first request; the pointer carries no reference of its own.
  life_token* get_life_token();

 protected:
  // Runs when the last reference goes, before the destructor, with the object
  // held: scripts run from here may take and drop references to it freely.
  // An object that something kept meanwhile lives on.
  virtual void on_last_release() {}

 private:
  friend void release_ref(counted_object* object);
  int32_t ref_count_ = 0;
  // Set while the last release tears the object down: references taken and
  // dropped meanwhile never destroy it a second time.
  bool dying_ = false;
  life_token* life_token_ = nullptr;
};

// Drops one reference and destroys the object at 0 or below, so an object
// that nobody ever kept is destroyed too.
void release_ref(counted_object* object);

}  // namespace swf

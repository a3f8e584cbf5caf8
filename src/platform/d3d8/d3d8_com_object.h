// Reference counting shared by the layer's objects, as COM counts them.
#pragma once
#include "platform/d3d8/d3d8.h"

namespace platform::d3d8 {

template <class Interface>
class ComObject : public Interface {
 public:
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 private:
  ULONG references_ = 1;
};

}  // namespace platform::d3d8

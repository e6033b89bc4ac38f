// An image list the control made and destroys with itself.
#pragma once

#include "platform/image_list.h"

namespace platform::common_controls {

class OwnedImageList {
 public:
  OwnedImageList() = default;
  explicit OwnedImageList(HIMAGELIST list) : list_(list) {}
  ~OwnedImageList() { Reset(); }
  OwnedImageList(const OwnedImageList&) = delete;
  OwnedImageList& operator=(const OwnedImageList&) = delete;

  void Reset(HIMAGELIST list = nullptr) {
    if (list_) ImageList_Destroy(list_);
    list_ = list;
  }
  HIMAGELIST get() const { return list_; }

 private:
  HIMAGELIST list_ = nullptr;
};

}  // namespace platform::common_controls

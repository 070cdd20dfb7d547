#pragma once
// Argument lists of the calls in progress, one frame per nesting level of calls. A frame
// keeps its storage when released, so calls do not allocate once warmed up.
#include <cstddef>
#include <memory>
#include <vector>

#include "core/localValueDescription.h"

struct localArgumentFrame {
  std::vector<localValueDescription> values;
  localValueList view;
};

class localArgumentFrames {
 public:
  [[gnu::always_inline]] localArgumentFrame& acquire() {
    if (depth_ == frames_.size()) frames_.push_back(std::make_unique<localArgumentFrame>());
    return *frames_[depth_++];
  }
  void release() { --depth_; }

 private:
  std::vector<std::unique_ptr<localArgumentFrame>> frames_;
  std::size_t depth_ = 0;
};

// The frames of every call: the console's one thread evaluates them all.
inline localArgumentFrames localCallFrames;

// Holds one frame for the lifetime of a call's evaluation. The list gets one pointer per
// argument; values are sized only by calls that compute arguments into them, and keep
// what the last call left in them: each argument overwrites its own slot.
class localArgumentLease {
 public:
  [[gnu::always_inline]] explicit localArgumentLease(std::size_t count) : frame(localCallFrames.acquire()) {
    if (frame.view.size() != count) frame.view.resize(count);
  }
  ~localArgumentLease() { localCallFrames.release(); }
  localArgumentLease(const localArgumentLease&) = delete;
  localArgumentLease& operator=(const localArgumentLease&) = delete;
  std::vector<localValueDescription>& values() {
    if (frame.values.size() != frame.view.size()) frame.values.resize(frame.view.size());
    return frame.values;
  }
  localArgumentFrame& frame;
};

#pragma once
// Shared by the scanning evaluator and the expression tree.
#include <cstddef>

#include "context/localContextUTF8.h"
#include "core/localValueDescription.h"

// The left-most operand of an expression whose value goes back into the same variable
// (`s = s + t`). It is read without a copy: while the other operands are evaluated the
// variable stays as it was unless some variable changes, and then the context copies
// the value into `held` first. The last operation then works on the variable in place.
class postponedLeft {
 public:
  explicit postponedLeft(localContextUTF8* context) : context_(context) {}
  ~postponedLeft() {
    if (active_) context_->varEndPostponedRead();
  }
  postponedLeft(const postponedLeft&) = delete;
  postponedLeft& operator=(const postponedLeft&) = delete;

  bool begin(std::size_t position) {
    active_ = context_->varPostponeRead(position, &held_);
    position_ = position;
    return active_;
  }
  bool active() const { return active_; }
  // Ends the postponement. The variable itself when it is unchanged, otherwise null (and
  // the value read is in held()).
  localValueDescription* end() {
    active_ = false;
    return context_->varEndPostponedRead() ? &context_->varByIdx(static_cast<unsigned>(position_))->value : nullptr;
  }
  localValueDescription& held() { return held_; }

 private:
  localContextUTF8* context_;
  localValueDescription held_;
  std::size_t position_ = 0;
  bool active_ = false;
};

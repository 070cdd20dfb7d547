#include "core/localNestingGuard.h"

namespace {
unsigned depth[3] = {0, 0, 0};

unsigned& counter(localNestingKind kind) { return depth[static_cast<int>(kind)]; }
}  // namespace

unsigned localNestingGuard::limit(localNestingKind kind) {
  switch (kind) {
    case localNestingKind::expression:
      return 5000;  // brackets and nested argument lists, summed over calls
    case localNestingKind::call:
      return 2500;  // nested calls of user functions (and DO inside programs)
    case localNestingKind::block:
      return 500;  // nested IF / WHILE / FOR / FUNCTION blocks while compiling
  }
  return 0;
}

localNestingGuard::localNestingGuard(localNestingKind kind) : kind_(kind) {
  tooDeep_ = ++counter(kind_) > limit(kind_);
}

localNestingGuard::~localNestingGuard() { --counter(kind_); }

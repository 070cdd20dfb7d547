#include "core/localKeepAlive.h"

#include <vector>

namespace {
std::vector<std::shared_ptr<void>>& arena() {
  static std::vector<std::shared_ptr<void>> owned;
  return owned;
}
}  // namespace

void localKeepAliveStore(std::shared_ptr<void> owned) { arena().push_back(std::move(owned)); }

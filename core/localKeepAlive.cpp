#include "core/localKeepAlive.h"

#include <iterator>
#include <vector>

namespace {
std::vector<std::shared_ptr<void>>& arena() {
  static std::vector<std::shared_ptr<void>> owned;
  return owned;
}
}  // namespace

void localKeepAliveStore(std::shared_ptr<void> owned) { arena().push_back(std::move(owned)); }

std::size_t localKeepAliveCount() { return arena().size(); }

void localKeepAliveReleaseAfter(std::size_t count) {
  if (count >= arena().size()) return;
  // Moved out before anything is destroyed, so a destructor never meets a half-emptied arena.
  std::vector<std::shared_ptr<void>> released(std::make_move_iterator(arena().begin() + count),
                                               std::make_move_iterator(arena().end()));
  arena().resize(count);
}

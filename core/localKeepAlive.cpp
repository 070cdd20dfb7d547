#include "core/localKeepAlive.h"

#include <iterator>
#include <vector>

namespace {

// The arena outlives the run on purpose: what it holds only ever frees memory when
// destroyed, which the system takes back at exit anyway, and freeing a big table one
// cell at a time made exits slow. It stays reachable from this static storage, so leak
// checkers do not count it as lost. A union member is never destroyed implicitly.
union neverDestroyed {
  neverDestroyed() : owned() {}
  ~neverDestroyed() {}
  neverDestroyed(const neverDestroyed&) = delete;
  neverDestroyed& operator=(const neverDestroyed&) = delete;
  std::vector<std::shared_ptr<void>> owned;
};

std::vector<std::shared_ptr<void>>& arena() {
  static neverDestroyed storage;
  return storage.owned;
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

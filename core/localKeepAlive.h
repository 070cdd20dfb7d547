#pragma once
#include <cstddef>
#include <memory>
#include <utility>

// Objects made by scripts and class declarations, and the console's context, live until
// the end of the run: values share raw pointers to them and nobody releases them while the
// interpreter runs. They are handed to this arena, which owns them and never frees them in
// a normal run: the process ends with them in place (their destructors only free memory).
void localKeepAliveStore(std::shared_ptr<void> owned);
// For harnesses that run many sessions in one process: how much is kept, and freeing
// everything kept after the first `count` things, once nothing can point at it any more.
std::size_t localKeepAliveCount();
void localKeepAliveReleaseAfter(std::size_t count);

template <class T>
T* localKeepAlive(std::unique_ptr<T> owned) {
  T* raw = owned.get();
  localKeepAliveStore(std::shared_ptr<T>(std::move(owned)));
  return raw;
}

#pragma once
#include <memory>
#include <utility>

// Objects made by scripts and class declarations must live until the end of the run:
// values share raw pointers to them and nobody releases them while the interpreter runs.
// They are handed to this arena, which owns them and frees them only at process exit.
void localKeepAliveStore(std::shared_ptr<void> owned);

template <class T>
T* localKeepAlive(std::unique_ptr<T> owned) {
  T* raw = owned.get();
  localKeepAliveStore(std::shared_ptr<T>(std::move(owned)));
  return raw;
}

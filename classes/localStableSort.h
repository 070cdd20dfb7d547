#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Stable merge sort of positions by text keys, ascending by character code. It counts
// the pairs it reorders (a later key strictly smaller than an earlier one): exactly the
// number of adjacent swaps an insertion sort would make for the same order. It asks
// `interrupted` (may be null) now and then and gives up when it says so: the result is
// then marked interrupted and holds no order.
struct localStableSortResult {
  std::vector<std::uint32_t> order;  // order[k] is the position of the k-th smallest key
  unsigned long long inversions = 0;
  bool interrupted = false;
};

localStableSortResult localStableSortByText(const std::vector<std::wstring>& keys, bool (*interrupted)());

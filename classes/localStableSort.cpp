#include "classes/localStableSort.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace {

// How many merged elements pass between two looks at the interruption flag.
constexpr unsigned long interruptCheckInterval = 1ul << 16;

}  // namespace

localStableSortResult localStableSortByText(const std::vector<std::wstring>& keys, bool (*interrupted)()) {
  localStableSortResult result;
  const std::size_t count = keys.size();
  std::vector<std::uint32_t> order(count);
  std::iota(order.begin(), order.end(), 0u);
  std::vector<std::uint32_t> merged(count);
  unsigned long untilCheck = interruptCheckInterval;

  // Bottom-up: runs of width 1, 2, 4, ... merged pairwise. Taking from the left run on
  // ties keeps equal keys in their order; each element taken from the right run passes
  // every element still waiting in the left run, one inversion each.
  for (std::size_t width = 1; width < count; width *= 2) {
    for (std::size_t low = 0; low < count; low += 2 * width) {
      const std::size_t middle = std::min(low + width, count);
      const std::size_t high = std::min(low + 2 * width, count);
      std::size_t left = low;
      std::size_t right = middle;
      std::size_t out = low;
      while (left < middle && right < high) {
        if (keys[order[right]] < keys[order[left]]) {
          result.inversions += middle - left;
          merged[out++] = order[right++];
        } else {
          merged[out++] = order[left++];
        }
      }
      out = std::copy(order.begin() + static_cast<std::ptrdiff_t>(left),
                      order.begin() + static_cast<std::ptrdiff_t>(middle), merged.begin() + static_cast<std::ptrdiff_t>(out)) -
            merged.begin();
      std::copy(order.begin() + static_cast<std::ptrdiff_t>(right), order.begin() + static_cast<std::ptrdiff_t>(high),
                merged.begin() + static_cast<std::ptrdiff_t>(out));
      if (high - low >= untilCheck) {
        untilCheck = interruptCheckInterval;
        if (interrupted != nullptr && interrupted()) {
          result.interrupted = true;
          result.inversions = 0;
          return result;
        }
      } else {
        untilCheck -= high - low;
      }
    }
    std::swap(order, merged);
  }
  result.order = std::move(order);
  return result;
}

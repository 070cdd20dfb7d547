#pragma once
#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

// A stack whose first N elements live inside the object itself (on the machine stack
// when the object does); only a deeper stack uses the heap. For the evaluator's operand
// and operator stacks, which are made and dropped for every expression.
template <class T, std::size_t N>
class localInlineStack {
 public:
  localInlineStack() = default;
  localInlineStack(const localInlineStack&) = delete;
  localInlineStack& operator=(const localInlineStack&) = delete;
  ~localInlineStack() {
    while (size_ > 0) pop_back();
  }

  template <class... Arguments>
  T& emplace_back(Arguments&&... arguments) {
    T* slot = nullptr;
    if (size_ < N) {
      slot = ::new (static_cast<void*>(inlineSlot(size_))) T(std::forward<Arguments>(arguments)...);
    } else {
      spill_.emplace_back(std::forward<Arguments>(arguments)...);
      slot = &spill_.back();
    }
    ++size_;
    return *slot;
  }
  void push_back(const T& value) { emplace_back(value); }

  void pop_back() {
    --size_;
    if (size_ < N) {
      std::destroy_at(inlineSlot(size_));
    } else {
      spill_.pop_back();
    }
  }

  T& operator[](std::size_t index) { return index < N ? *inlineSlot(index) : spill_[index - N]; }
  T& back() { return (*this)[size_ - 1]; }
  T& front() { return (*this)[0]; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

 private:
  T* inlineSlot(std::size_t index) { return std::launder(reinterpret_cast<T*>(storage_ + index * sizeof(T))); }

  alignas(T) std::byte storage_[N * sizeof(T)];
  std::size_t size_ = 0;
  std::vector<T> spill_;  // elements N, N+1, ...
};

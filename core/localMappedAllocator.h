#pragma once
// An allocator for containers that grow into large blocks (the cells of a value table):
// blocks from a megabyte up are mapped from the system and unmapped when freed. The
// console keeps every block malloc frees (app/main.cpp), which pays for loops that copy
// long texts but would leave each block a doubling vector outgrows resident for the
// rest of the run. Smaller blocks, and builds without mmap, use operator new.
#include <cstddef>
#include <new>

#if defined(__unix__) && !defined(__EMSCRIPTEN__) && !defined(__wasi__)
#include <sys/mman.h>
#define LOCAL_MAPPED_BLOCKS 1
#else
#define LOCAL_MAPPED_BLOCKS 0
#endif

template <class T>
class localMappedAllocator {
  static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);

 public:
  using value_type = T;
  static constexpr std::size_t mappedFrom = std::size_t{1} << 20;

  localMappedAllocator() noexcept = default;
  template <class U>
  localMappedAllocator(const localMappedAllocator<U>&) noexcept {}

  T* allocate(std::size_t count) {
    if (count > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
    const std::size_t bytes = count * sizeof(T);
#if LOCAL_MAPPED_BLOCKS
    if (bytes >= mappedFrom) {
      void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
      if (block == MAP_FAILED) throw std::bad_alloc();
      return static_cast<T*>(block);
    }
#endif
    return static_cast<T*>(::operator new(bytes));
  }
  void deallocate(T* block, [[maybe_unused]] std::size_t count) noexcept {
#if LOCAL_MAPPED_BLOCKS
    if (count * sizeof(T) >= mappedFrom) {
      munmap(block, count * sizeof(T));
      return;
    }
#endif
    ::operator delete(block);
  }

  template <class U>
  bool operator==(const localMappedAllocator<U>&) const noexcept {
    return true;
  }
};

#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace vantorel {

// An allocator whose resize() leaves new bytes uninitialised. Loading a file and splicing records
// overwrite every byte they grow by, so zero-filling first would only cost a pass over memory.
template <class T>
struct DefaultInitAllocator : std::allocator<T> {
  template <class U>
  struct rebind {
    using other = DefaultInitAllocator<U>;
  };
  DefaultInitAllocator() = default;
  template <class U>
  DefaultInitAllocator(const DefaultInitAllocator<U>&) noexcept {}

  template <class U>
  void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    std::allocator_traits<std::allocator<T>>::construct(static_cast<std::allocator<T>&>(*this), p,
                                                        std::forward<Args>(args)...);
  }
};

// The byte image of a whole collision file, contiguous in memory.
using Bytes = std::vector<std::uint8_t, DefaultInitAllocator<std::uint8_t>>;

}  // namespace vantorel

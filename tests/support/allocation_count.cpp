#include "support/allocation_count.h"

#include <cstdlib>
#include <new>

namespace tov::testing::allocation_count {
bool counting = false;
long allocations = 0;
}  // namespace tov::testing::allocation_count

using tov::testing::allocation_count::allocations;
using tov::testing::allocation_count::counting;

void* operator new(std::size_t size) {
  if (counting) ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (counting) ++allocations;
  return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}

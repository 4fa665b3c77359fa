// The global operator new and delete of a test program that makes
// allocations fail on demand (see FailingNew.h), over malloc and free.
#include "testing/FailingNew.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace ytest {
namespace {

// Allocations still let through before the one that fails; negative: no
// failure armed.
std::atomic<long> allocations_left{-1};
std::atomic<bool> failure_reached{false};

// False when this allocation is the one that fails.
bool Allowed() {
  long left = allocations_left.load();
  while (left >= 0) {
    if (allocations_left.compare_exchange_weak(left, left - 1)) {
      if (left > 0) return true;
      failure_reached = true;
      return false;
    }
  }
  return true;
}

void* Allocate(std::size_t size, std::size_t alignment) {
  if (!Allowed()) return nullptr;
  if (size == 0) size = 1;
  if (alignment <= alignof(std::max_align_t)) return std::malloc(size);
  return std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
}

void* AllocateOrThrow(std::size_t size, std::size_t alignment) {
  void* p = Allocate(size, alignment);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}

}  // namespace

void FailAllocationAfter(long allocations) {
  failure_reached = false;
  allocations_left = allocations < 0 ? 0 : allocations;
}

bool AllowAllocations() {
  allocations_left = -1;
  return failure_reached.exchange(false);
}

}  // namespace ytest

using ytest::Allocate;
using ytest::AllocateOrThrow;

constexpr std::size_t kPlain = alignof(std::max_align_t);

void* operator new(std::size_t n) { return AllocateOrThrow(n, kPlain); }
void* operator new[](std::size_t n) { return AllocateOrThrow(n, kPlain); }
void* operator new(std::size_t n, std::align_val_t a) {
  return AllocateOrThrow(n, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t n, std::align_val_t a) {
  return AllocateOrThrow(n, static_cast<std::size_t>(a));
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return Allocate(n, kPlain); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return Allocate(n, kPlain); }
void* operator new(std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
  return Allocate(n, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
  return Allocate(n, static_cast<std::size_t>(a));
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

#include "support/allocation_counter.h"

#include <atomic>
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define LVC_ALLOCATIONS_COUNTED 0
#else
#define LVC_ALLOCATIONS_COUNTED 1
#endif

namespace {

std::atomic<uint64_t> allocations{0};
thread_local uint64_t threadAllocations = 0;

[[maybe_unused]] void countAllocation() {
    allocations.fetch_add(1, std::memory_order_relaxed);
    ++threadAllocations;
}

}  // namespace

#if LVC_ALLOCATIONS_COUNTED
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* pointer, std::size_t size);

void* malloc(std::size_t size) {
    countAllocation();
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size) {
    countAllocation();
    return __libc_calloc(count, size);
}

void* realloc(void* pointer, std::size_t size) {
    countAllocation();
    return __libc_realloc(pointer, size);
}
}  // extern "C"
#endif

namespace lvc::test {

bool allocationsCounted() { return LVC_ALLOCATIONS_COUNTED != 0; }

uint64_t allocationCount() { return allocations.load(std::memory_order_relaxed); }

uint64_t threadAllocationCount() { return threadAllocations; }

}  // namespace lvc::test

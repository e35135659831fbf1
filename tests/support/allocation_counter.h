// Counts heap allocations (malloc, calloc, realloc, and operator new through them) by
// interposing the C library's allocator, which the whole process links to: the plug-in's
// and the drivers' allocations count too. Link allocation_counter.cpp into the program.
// Under AddressSanitizer and ThreadSanitizer the allocator is theirs, and nothing counts.
#pragma once

#include <cstdint>

namespace lvc::test {

// False in a sanitizer build, where both counts stay 0.
bool allocationsCounted();
// Allocations of the whole process so far.
uint64_t allocationCount();
// Allocations made on the calling thread so far.
uint64_t threadAllocationCount();

}  // namespace lvc::test

// Counts every heap allocation of the process (malloc, calloc, realloc, and operator new
// through them), the plug-in's and the driver's included: the benchmark's malloc is the
// one the whole process links to.
#pragma once

#include <cstdint>

namespace bench {

uint64_t allocationCount();

}  // namespace bench

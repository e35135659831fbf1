// A notification callback for tests that only count calls.
#pragma once

#include <atomic>
#include <cstdint>

#include "fwcontrol.h"

namespace lvc::test {

// Adds one to the std::atomic<int> its context points to.
inline uint32_t FWC_CALL countCall(void* context) {
    static_cast<std::atomic<int>*>(context)->fetch_add(1);
    return 0;
}

}  // namespace lvc::test

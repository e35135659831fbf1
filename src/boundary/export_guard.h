// The guard every export runs its body in: no exception leaves the plug-in for the host.
#pragma once

#include <exception>

#include "diagnostics/diagnostics.h"

namespace lvc {

// Reports an exception that reached an export: "Exception in <export>: <what>\n", or
// without ": <what>" for an exception of no standard type. Call it from a catch block.
inline void reportEscapedException(const char* exportName) noexcept {
    try {
        throw;
    } catch (const std::exception& error) {
        debugMessage("Exception in %s: %s\n", exportName, error.what());
    } catch (...) {
        debugMessage("Exception in %s\n", exportName);
    }
}

// body's result, or failure (with the diagnostic line) when body throws.
template <typename Result, typename Body>
Result guardedExport(const char* exportName, Result failure, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        reportEscapedException(exportName);
        return failure;
    }
}

// For an export without a result.
template <typename Body>
void guardedExport(const char* exportName, Body&& body) noexcept {
    try {
        body();
    } catch (...) {
        reportEscapedException(exportName);
    }
}

}  // namespace lvc

// Command line of the soak: how long it runs, how long the watchdog lets anything stand
// still, and the injected failures it leaves out.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace lvc::soak {

struct Options {
    int seconds = 20;
    int watchdogSeconds = 15;
};

inline constexpr const char* kUsage =
    "usage: lvc_soak [--seconds N] [--watchdog N]\n"
    "  --seconds N       run time (default: $LVC_SOAK_SECONDS, else 20)\n"
    "  --watchdog N      abort when a thread or a streaming port stands still for N s (15)\n";

inline std::optional<int> positiveNumber(const char* text) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value <= 0 || value > 24 * 3600) return std::nullopt;
    return static_cast<int>(value);
}

// Nothing when the arguments are not understood.
inline std::optional<Options> parseOptions(int argc, char** argv) {
    Options options;
    if (const char* seconds = std::getenv("LVC_SOAK_SECONDS")) {
        const auto value = positiveNumber(seconds);
        if (!value) return std::nullopt;
        options.seconds = *value;
    }
    for (int index = 1; index < argc; ++index) {
        const std::string name = argv[index];
        if (index + 1 >= argc) return std::nullopt;
        const char* value = argv[++index];
        const auto number = positiveNumber(value);
        if (!number) return std::nullopt;
        if (name == "--seconds") {
            options.seconds = *number;
        } else if (name == "--watchdog") {
            options.watchdogSeconds = *number;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace lvc::soak

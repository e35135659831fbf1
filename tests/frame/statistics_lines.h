// The plug-in's statistics lines, matched whatever the time of day they carry.
#pragma once

#include <regex>
#include <string>
#include <vector>

#include "support/debug_log.h"

namespace lvc::test {

// "HH:MM:SS SYNC:port Req:r RX:x TX:t" for the port, in the order they were emitted.
inline std::vector<std::string> statisticsLines(int port) {
    const std::regex line("[0-2][0-9]:[0-5][0-9]:[0-5][0-9] (SYNC:" + std::to_string(port) +
                          " Req:-?[0-9]+ RX:-?[0-9]+ TX:-?[0-9]+)\n");
    std::vector<std::string> found;
    for (const std::string& text : DebugLog::instance().lines()) {
        std::smatch match;
        if (std::regex_match(text, match, line)) found.push_back(match[1]);
    }
    return found;
}

}  // namespace lvc::test

#include "bus_selection.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "error_info.h"
#include "fw_status.h"

namespace fwc {

namespace {

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool isBusName(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    });
}

}  // namespace

int32_t parseBusList(const std::string& list, const std::string& origin,
                     std::vector<std::string>& names) {
    names.clear();
    if (trimmed(list).empty()) {
        names.push_back("sim");
        return FW_STATUS_OK;
    }
    std::stringstream items(list);
    std::string item;
    while (std::getline(items, item, ',')) {
        const std::string name = trimmed(item);
        if (!isBusName(name))
            return failWithDetail(FWC_ERR_BUS_MODULE, origin + ": \"" + name +
                                                          "\" is not a bus name (sim, aravis, "
                                                          "dc1394)");
        if (std::find(names.begin(), names.end(), name) != names.end())
            return failWithDetail(FWC_ERR_BUS_MODULE, origin + ": names " + name + " twice");
        names.push_back(name);
    }
    return FW_STATUS_OK;
}

int32_t parseBusSettings(const std::string& text, const std::string& origin,
                         std::vector<std::string>& names) {
    std::stringstream lines(text);
    std::string line;
    bool found = false;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::string content = trimmed(line);
        if (content.empty() || content[0] == '#') continue;
        const size_t equals = content.find('=');
        const std::string where = origin + " line " + std::to_string(number);
        if (equals == std::string::npos || trimmed(content.substr(0, equals)) != "buses" || found)
            return failWithDetail(FWC_ERR_BUS_MODULE,
                                  where + ": expected one \"buses = NAME, ...\"");
        if (const int32_t status = parseBusList(content.substr(equals + 1), where, names))
            return status;
        found = true;
    }
    return found ? FW_STATUS_OK : parseBusList("", origin, names);
}

int32_t selectedBuses(const std::string& libraryFolder, std::vector<std::string>& names) {
    if (const char* list = std::getenv("FWCONTROL_BUSES"))
        return parseBusList(list, "FWCONTROL_BUSES", names);
    if (!libraryFolder.empty()) {
        const std::string path = libraryFolder + kBusSettingsFileName;
        std::ifstream file(path, std::ios::binary);
        if (file) {
            std::stringstream content;
            content << file.rdbuf();
            return parseBusSettings(content.str(), path, names);
        }
    }
    return parseBusList("", "", names);
}

}  // namespace fwc

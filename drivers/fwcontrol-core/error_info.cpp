#include "error_info.h"

#include <map>
#include <mutex>

#include "fw_status.h"

namespace fwc {
namespace {

std::mutex detailMutex;
std::map<int32_t, std::string>& details() {
    static std::map<int32_t, std::string> table;
    return table;
}

const char* baseText(int32_t status) {
    switch (status) {
    case FW_STATUS_OK: return "success";
#define FW_STATUS_TEXT(code, name, text) \
    case code: return text;
        FWC_STATUS_LIST(FW_STATUS_TEXT)
        FWT_STATUS_LIST(FW_STATUS_TEXT)
#undef FW_STATUS_TEXT
    default: return nullptr;
    }
}

}  // namespace

int32_t failWithDetail(int32_t status, const std::string& detail) {
    std::lock_guard lock(detailMutex);
    details()[status] = detail;
    return status;
}

std::string errorText(int32_t status) {
    const char* text = baseText(status);
    if (text == nullptr) return "unknown status " + std::to_string(status);
    std::lock_guard lock(detailMutex);
    const auto detail = details().find(status);
    if (detail == details().end() || detail->second.empty()) return text;
    return std::string(text) + ": " + detail->second;
}

}  // namespace fwc

#include "config_ui/data_exchange.h"

#include <cctype>

namespace lvc {

bool parseUnsignedDecimal(const std::string& text, uint32_t* value) {
    std::size_t begin = text.find_first_not_of(" \t");
    std::size_t end = text.find_last_not_of(" \t");
    if (begin == std::string::npos) return false;
    uint64_t number = 0;
    for (std::size_t i = begin; i <= end; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
        number = number * 10 + static_cast<uint64_t>(text[i] - '0');
        if (number > UINT32_MAX) return false;
    }
    *value = static_cast<uint32_t>(number);
    return true;
}

DataExchange::DataExchange(PageView& view, bool fromControls)
    : view_(view), fromControls_(fromControls) {}

void DataExchange::text(int32_t id, std::string& value) {
    if (failed_) return;
    if (fromControls_)
        value = view_.text(id);
    else
        view_.setText(id, value);
}

void DataExchange::unsignedNumber(int32_t id, uint32_t& value) {
    if (failed_) return;
    if (!fromControls_) {
        view_.setText(id, std::to_string(value));
        return;
    }
    if (!parseUnsignedDecimal(view_.text(id), &value))
        fail(id, "Please enter an unsigned whole number (0 to 4294967295).");
}

void DataExchange::check(int32_t id, bool& value) {
    if (failed_) return;
    if (fromControls_)
        value = view_.isChecked(id);
    else
        view_.setChecked(id, value);
}

void DataExchange::fail(int32_t id, const std::string& message) {
    if (failed_) return;
    failed_ = true;
    failedControl_ = id;
    failureMessage_ = message;
}

}  // namespace lvc

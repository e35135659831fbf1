// Exchange of a page's data members with its controls, in either direction. Reading
// validates: the first control that fails stops the exchange, so later members keep their
// contents, and the failure is reported once with the control to fix.
#pragma once

#include <cstdint>
#include <string>

#include "config_ui/sheet_view.h"

namespace lvc {

class DataExchange {
public:
    DataExchange(PageView& view, bool fromControls);

    bool fromControls() const { return fromControls_; }
    bool failed() const { return failed_; }
    int32_t failedControl() const { return failedControl_; }
    const std::string& failureMessage() const { return failureMessage_; }

    void text(int32_t id, std::string& value);
    // An unsigned decimal number (surrounding blanks allowed).
    void unsignedNumber(int32_t id, uint32_t& value);
    void check(int32_t id, bool& value);
    // Refuses the exchange at this control with a message for the user.
    void fail(int32_t id, const std::string& message);

private:
    PageView& view_;
    bool fromControls_;
    bool failed_ = false;
    int32_t failedControl_ = kStaticId;
    std::string failureMessage_;
};

// Parses an unsigned 32-bit decimal number; false for anything else.
bool parseUnsignedDecimal(const std::string& text, uint32_t* value);

}  // namespace lvc

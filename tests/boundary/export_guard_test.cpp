// The export guard: a body's result passes through; an exception becomes the failure
// result and one diagnostic line, whatever was thrown.
#include "boundary/export_guard.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "lorvenacam.h"
#include "support/debug_log_test.h"

namespace lvc {
namespace {

using test::DebugLog;

struct GuardCase {
    const char* what;
    std::function<int32_t()> body;
    int32_t result;
    std::vector<std::string> lines;
};

class ExportGuard : public test::DebugLogTest {};

TEST_F(ExportGuard, AnExceptionBecomesTheFailureResultAndALine) {
    const GuardCase cases[] = {
        {"result passes through", [] { return 7; }, 7, {}},
        {"allocation failure",
         []() -> int32_t { throw std::bad_alloc(); },
         -1,
         {"Exception in openCVLPort: std::bad_alloc\n"}},
        {"standard exception",
         []() -> int32_t { throw std::runtime_error("broken"); },
         -1,
         {"Exception in openCVLPort: broken\n"}},
        {"no standard type", []() -> int32_t { throw 42; }, -1, {"Exception in openCVLPort\n"}},
    };
    for (const auto& c : cases) {
        DebugLog::instance().clear();
        EXPECT_EQ(guardedExport("openCVLPort", -1, c.body), c.result) << c.what;
        EXPECT_EQ(lines(), c.lines) << c.what;
    }
}

TEST_F(ExportGuard, AnExportWithoutResultRunsItsBodyAndSwallowsTheException) {
    bool ran = false;
    guardedExport("closeCVLPort", [&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(lines().empty());
    guardedExport("closeCVLPort", [] { throw std::length_error("too long"); });
    EXPECT_EQ(lines(), std::vector<std::string>{"Exception in closeCVLPort: too long\n"});
}

}  // namespace
}  // namespace lvc

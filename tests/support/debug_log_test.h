// A test that captures the plug-in's diagnostic lines in DebugLog, cleared before each
// test. Fixtures that set up more call this class's SetUp first and its TearDown last.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lorvenacam.h"
#include "support/debug_log.h"

namespace lvc::test {

class DebugLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        DebugLog::instance().clear();
        ::setDebugMsgProc(&DebugLog::receive);
    }
    void TearDown() override { ::setDebugMsgProc(nullptr); }
    static std::vector<std::string> lines() { return DebugLog::instance().lines(); }
};

}  // namespace lvc::test

// The plug-in initialised in this process over the dialog's simulated bus, with the
// in-memory view in place of the platform's: configure() runs configureCamera and lets
// the test's user act in the sheet.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "config_ui/memory_sheet_view.h"
#include "config_ui/sheet_view_factory.h"
#include "config_ui_bus.h"
#include "lorvenacam.h"
#include "support/debug_log.h"
#include "support/sim_bus_file.h"

namespace lvc::test {

class ConfigUiTest : public ::testing::Test {
protected:
    void SetUp() override {
        bus_.emplace(configUiBusJson());
        DebugLog::instance().clear();
        ASSERT_EQ(initialize(bus_->directory().string().c_str(), &DebugLog::receive), 1);
    }
    void TearDown() override {
        setSheetViewFactory({});
        finalize();
        bus_.reset();
    }

    // configureCamera for the camera; user acts in the sheet while it is open.
    int32_t configure(const char* cameraName, MemorySheetView::User user) {
        setSheetViewFactory([user] { return std::make_unique<MemorySheetView>(user); });
        return configureCamera(0, cameraName);
    }

    std::string settingsFile(const std::string& fileName) const {
        return (bus_->directory() / fileName).string();
    }
    std::string iniValue(const char* section, const char* key) const;

    bool logged(const std::string& line) const { return DebugLog::instance().contains(line); }

    std::optional<SimBusFile> bus_;
};

// Opens the camera in the driver for the scope of a check after the dialog has closed.
class OpenedCamera {
public:
    explicit OpenedCamera(uint32_t cameraId);
    ~OpenedCamera();
    OpenedCamera(const OpenedCamera&) = delete;
    OpenedCamera& operator=(const OpenedCamera&) = delete;

private:
    uint32_t cameraId_;
};

}  // namespace lvc::test

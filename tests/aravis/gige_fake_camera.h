// Aravis's fake GigE Vision camera on 127.0.0.1, run beside the test in a process of its
// own; ready once it answers a unicast discovery.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "gige_probe.h"
#include "support/child_process.h"
#include "support/wait_until.h"

namespace fwaravis::test {

constexpr const char* kFakeAddress = "127.0.0.1";

class GigeFakeCamera {
public:
    // lostPerThousand: stream packets the fake drops on purpose.
    explicit GigeFakeCamera(int lostPerThousand = 0) : process_(arguments(lostPerThousand)) {}

    // The camera's answer, once it gives one within the deadline.
    std::optional<GigeCameraInfo> awaitReady() {
        std::optional<GigeCameraInfo> info;
        lvc::test::waitUntil(
            [&] {
                return (info = probeGigeCamera(kFakeAddress, std::chrono::milliseconds(200)))
                    .has_value();
            },
            std::chrono::seconds(10));
        return info;
    }
    void kill() { process_.killHard(); }

private:
    static std::vector<std::string> arguments(int lostPerThousand) {
        std::vector<std::string> command = {"/usr/bin/arv-fake-gv-camera-0.8", "-i", kFakeAddress};
        if (lostPerThousand > 0) {
            command.push_back("-r");
            command.push_back(std::to_string(lostPerThousand));
        }
        return command;
    }

    lvc::test::ChildProcess process_;
};

}  // namespace fwaravis::test

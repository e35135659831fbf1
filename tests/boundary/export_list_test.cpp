// The library's dynamic symbol table holds the nineteen exports and nothing else.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

namespace {

std::set<std::string> definedDynamicSymbols(const std::string& library) {
    const std::string command = "nm -D --defined-only '" + library + "'";
    std::set<std::string> symbols;
    FILE* output = popen(command.c_str(), "r");
    if (output == nullptr) return symbols;
    char line[512];
    while (std::fgets(line, sizeof line, output) != nullptr) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name) symbols.insert(name);
    }
    pclose(output);
    return symbols;
}

TEST(ExportList, IsExactlyTheNineteenFunctions) {
    const std::set<std::string> expected = {"initialize",
                                            "finalize",
                                            "setDebugMsgProc",
                                            "setSystemPath",
                                            "configure",
                                            "getPropertyRange",
                                            "configureCamera",
                                            "getCVLMaxNoOfPorts",
                                            "getCVLNoOfSupportedCameras",
                                            "getCVLCameraConfigNames",
                                            "setCompleteCallback",
                                            "setCmdCallback",
                                            "openCVLPort",
                                            "closeCVLPort",
                                            "doCVLGrab",
                                            "getCVLGrabRow",
                                            "getProperty",
                                            "setProperty",
                                            "execCmd"};
    EXPECT_EQ(definedDynamicSymbols(LVC_PLUGIN_PATH), expected);
}

}  // namespace

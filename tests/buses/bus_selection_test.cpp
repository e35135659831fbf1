// Which buses FWC_Init starts: FWCONTROL_BUSES, else the settings file beside the library,
// else the simulated bus.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "bus_selection.h"
#include "error_info.h"
#include "fw_status.h"
#include "support/temp_directory.h"

namespace {

template <typename Case>
std::string caseIndexName(const ::testing::TestParamInfo<Case>& info) {
    return "case" + std::to_string(info.index);
}

using Names = std::vector<std::string>;

struct ListCase {
    const char* list;
    int32_t status;
    Names names;         // when accepted
    const char* detail;  // part of the error text when refused
};

const ListCase kListCases[] = {
    {"", FW_STATUS_OK, {"sim"}, ""},
    {"sim", FW_STATUS_OK, {"sim"}, ""},
    {" sim , aravis ", FW_STATUS_OK, {"sim", "aravis"}, ""},
    {"aravis,dc1394", FW_STATUS_OK, {"aravis", "dc1394"}, ""},
    {"sim,sim", FWC_ERR_BUS_MODULE, {}, "origin: names sim twice"},
    {"Sim", FWC_ERR_BUS_MODULE, {}, "origin: \"Sim\" is not a bus name"},
    {"sim,../lib/evil", FWC_ERR_BUS_MODULE, {}, "\"../lib/evil\" is not a bus name"},
    {"sim,,aravis", FWC_ERR_BUS_MODULE, {}, "\"\" is not a bus name"},
};

class BusListCase : public ::testing::TestWithParam<ListCase> {};

TEST_P(BusListCase, AcceptsBusNamesOnly) {
    const ListCase& listCase = GetParam();
    Names names;
    ASSERT_EQ(fwc::parseBusList(listCase.list, "origin", names), listCase.status);
    if (listCase.status == FW_STATUS_OK) {
        EXPECT_EQ(names, listCase.names);
    } else {
        EXPECT_NE(fwc::errorText(listCase.status).find(listCase.detail), std::string::npos)
            << fwc::errorText(listCase.status);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, BusListCase, ::testing::ValuesIn(kListCases),
                         caseIndexName<ListCase>);

struct SettingsCase {
    const char* text;
    int32_t status;
    Names names;
    const char* detail;
};

const SettingsCase kSettingsCases[] = {
    {"", FW_STATUS_OK, {"sim"}, ""},
    {"# buses for this host\n\nbuses = sim, aravis\r\n", FW_STATUS_OK, {"sim", "aravis"}, ""},
    {"busses = sim\n", FWC_ERR_BUS_MODULE, {}, "file line 1: expected one \"buses = NAME, ...\""},
    {"buses = sim\nbuses = aravis\n", FWC_ERR_BUS_MODULE, {}, "file line 2: expected one"},
    {"\nbuses = sim;aravis\n", FWC_ERR_BUS_MODULE, {}, "file line 2: \"sim;aravis\" is not"},
};

class BusSettingsCase : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(BusSettingsCase, ReadsOneBusesLine) {
    const SettingsCase& settingsCase = GetParam();
    Names names;
    ASSERT_EQ(fwc::parseBusSettings(settingsCase.text, "file", names), settingsCase.status);
    if (settingsCase.status == FW_STATUS_OK) {
        EXPECT_EQ(names, settingsCase.names);
    } else {
        EXPECT_NE(fwc::errorText(settingsCase.status).find(settingsCase.detail), std::string::npos)
            << fwc::errorText(settingsCase.status);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, BusSettingsCase, ::testing::ValuesIn(kSettingsCases),
                         caseIndexName<SettingsCase>);

TEST(SelectedBuses, EnvironmentWinsOverTheSettingsFileWhichWinsOverTheDefault) {
    lvc::test::TempDirectory folder;
    const std::string prefix = folder.path().string() + "/";
    Names names;
    unsetenv("FWCONTROL_BUSES");
    ASSERT_EQ(fwc::selectedBuses(prefix, names), FW_STATUS_OK);
    EXPECT_EQ(names, Names{"sim"});

    std::ofstream(folder.path() / fwc::kBusSettingsFileName) << "buses = aravis\n";
    ASSERT_EQ(fwc::selectedBuses(prefix, names), FW_STATUS_OK);
    EXPECT_EQ(names, Names{"aravis"});

    setenv("FWCONTROL_BUSES", "sim,dc1394", 1);
    ASSERT_EQ(fwc::selectedBuses(prefix, names), FW_STATUS_OK);
    EXPECT_EQ(names, (Names{"sim", "dc1394"}));
    unsetenv("FWCONTROL_BUSES");
}

}  // namespace

// Every driver call the plug-in makes, failed once (and, where an operation makes it
// more than once, always) inside every operation that makes it. A recording run finds
// which operation makes which call; each (call, operation) pair then checks that the
// plug-in reports the failure, claims no success it did not have, writes nothing to the
// camera it did not read from it, still closes the port, calls the host no more after the
// close, and works again once the failure is gone.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "camera/name_tables.h"
#include "config_ui/memory_sheet_view.h"
#include "config_ui/sheet_view_factory.h"
#include "fault_bus.h"
#include "fw_status.h"
#include "fwcontrol.h"
#include "fwsim.h"
#include "lorvenacam.h"
#include "platform/private_profile.h"
#include "support/debug_log.h"
#include "support/sim_bus_file.h"
#include "support/wait_until.h"

namespace lvc::test {
namespace {

using namespace std::chrono_literals;

const std::string kInjectedText = "failure injected by the test control interface";
constexpr int32_t kPort = 9;
constexpr uint32_t kFeature = 256;           // a feature every camera but one has
constexpr const char* kRegister = "0x1004";  // a register of the LUT camera
constexpr uint32_t kSetValue = 77;
constexpr int32_t kRegisterValue = 305419896;
constexpr int32_t kAlways = 1000000;

std::string cameraName(uint32_t id) {
    switch (id) {
    case kBayerCamera: return "Simvision SC-640C - 1001";
    case kMonoCamera: return "Simvision SM-640 - 1002";
    case kYuvCamera: return "Simvision SY-320 - 1003";
    case kInterlacedCamera: return "Simvision SI-768 - 1004";
    default: return "Simvision ST-640L - 1005";
    }
}

// ---- The host: deliveries counted per port, and callbacks for closed ports caught.

std::array<std::atomic<int32_t>, 64> deliveries{};
std::array<std::atomic<bool>, 64> portClosed{};
std::atomic<int32_t> strayCallbacks{0};

void LVC_CALL onComplete(int32_t, int32_t port) {
    if (port < 0 || port >= 64) return;
    if (portClosed[port]) ++strayCallbacks;
    ++deliveries[port];
}

// The bus, the host's directory with its settings and a LUT file for the LUT camera. The
// sweep holds the bus itself, so that the cameras keep their state from one initialize
// of the plug-in to the next and the comparisons see what the plug-in wrote.
class Environment {
public:
    Environment() {
        EXPECT_EQ(FWC_Init(), 0);
        std::ofstream lut(bus_.directory() / "ramp.lut");
        for (int value = 0; value < 256; ++value) lut << 255 - value << "\n";
        std::ofstream(bus_.directory() / "Lorvenacam.ini")
            << "[" << cameraName(kLutCamera)
            << "]\nLUT=1\nLUTname=" << (bus_.directory() / "ramp.lut").string() << "\n";
    }
    std::string directory() const { return bus_.directory().string(); }

private:
    SimBusFile bus_{kFaultBusJson};
};

Environment& environment() {
    static Environment instance;
    return instance;
}

bool initializePlugin() {
    if (initialize(environment().directory().c_str(), DebugLog::receive) != 1) return false;
    setCompleteCallback(0, 0, onComplete);
    return true;
}

void finalizePlugin() {
    for (int call = 0; call < 4 && finalize() == 0; ++call) {
    }
}

bool openPort(uint32_t cameraId) {
    uint32_t size[2] = {};
    portClosed[kPort] = false;
    return openCVLPort(0, kPort, cameraName(cameraId).c_str(), size) == 1;
}

void closePort() {
    closeCVLPort(0, kPort);
    portClosed[kPort] = true;
}

// The call failing in the case being run; empty in the recording run and the retries.
std::string failingCall;

// The labels a failure of the call is reported under: its name, or the name the
// plug-in's messages give it. A label may carry a detail in brackets or after a colon.
std::vector<std::string> reportedLabels(const std::string& call) {
    if (call == "FWC_GrabStart") return {"FWC_StartGrab"};
    if (call == "FWC_CloseCamera") return {"FWC_CloseCamera", "FWC_CameraClose"};
    if (call == "FWC_Lut_GetInfo") return {"FWC_Lut_GetInfo", ""};  // "" on the LUT page
    return {call};
}

bool isFailureLine(const std::string& line, const std::string& label) {
    const std::string text = ": " + kInjectedText + "\n";
    if (line.rfind(label, 0) != 0 || !line.ends_with(text)) return false;
    const std::string between = line.substr(label.size(), line.size() - label.size() - text.size());
    return between.empty() || (between.front() == '(' && between.back() == ')') ||
           between.front() == ':';
}

// True when the line "<call>: <error text>" was logged for the failing call.
bool failureReported() {
    if (failingCall.empty()) return false;
    for (const std::string& line : DebugLog::instance().lines())
        for (const std::string& label : reportedLabels(failingCall))
            if (isFailureLine(line, label)) return true;
    return false;
}

// A shot in flight makes its frame; true once it is delivered, or once the failing call
// was reported on its way.
bool stepAndDeliver(uint32_t cameraId) {
    const int32_t before = deliveries[kPort];
    if (!waitUntil([&] { return FWS_Step(cameraId) == 0; }, 2s)) return false;
    return waitUntil([&] { return deliveries[kPort] > before || failureReported(); }, 2s);
}

bool grabOne(uint32_t cameraId) { return doCVLGrab(0, kPort) == 1 && stepAndDeliver(cameraId); }

// ---- The camera's state as the driver reports it, with the camera free.

struct CameraState {
    std::vector<uint32_t> words;
    std::vector<uint8_t> lut;
    std::map<uint32_t, uint32_t> features;
    bool operator==(const CameraState&) const = default;
};

CameraState readState(uint32_t cameraId) {
    CameraState state;
    if (cameraId == 0) return state;
    environment();
    EXPECT_EQ(FWC_OpenCamera(cameraId, FWC_OPEN_DEFAULT), 0) << "the plug-in let the camera go";
    uint32_t w[13] = {};
    FWC_GetCurrentImageFormat(cameraId, &w[0], &w[1], &w[2], &w[3]);
    FWC_GetCurrentFixedFormat(cameraId, &w[4], &w[5], &w[6]);
    FWC_GetAOI(cameraId, &w[7], &w[8], &w[9], &w[10]);
    FWC_Trigger_Get(cameraId, nullptr, &w[11], &w[12], nullptr);
    state.words.assign(std::begin(w), std::end(w));
    for (uint32_t id = kFirstFeatureId; id <= kLastFeatureId; ++id) {
        uint32_t value = 0;
        if (FWC_HasFeature(cameraId, id) == 0 && FWC_GetFeatureValue(cameraId, id, &value) == 0)
            state.features[id] = value;
    }
    uint32_t registerValue = 0;
    if (FWC_GetRegister(cameraId, 0x1004, &registerValue) == 0)
        state.features[0x1004] = registerValue;
    FWC_CloseCamera(cameraId);
    state.lut.resize(1024);
    uint32_t count = static_cast<uint32_t>(state.lut.size());
    uint32_t inUse = 0;
    FWS_GetLut(cameraId, state.lut.data(), &count, &inUse);
    state.lut.resize(count);
    state.lut.push_back(static_cast<uint8_t>(inUse));
    return state;
}

// ---- The operations.

struct Operation {
    const char* name;
    uint32_t cameraId;  // whose state is compared; 0: none
    // Brings the plug-in to where the operation starts; false when that fails.
    std::function<bool()> prepare;
    // The operation through the exports: true when the export reported success.
    std::function<bool()> run;
    // The operation's asynchronous part (a frame, an enumeration), run after a success:
    // true once it is done or the failing call was reported on its way.
    std::function<bool()> finish;
    // Whether the operation took effect; asked after a success.
    std::function<bool()> tookEffect;
    // The change the operation makes to the camera's state by design.
    std::function<void(CameraState&)> intendedChange;
    // False for an operation whose export reports nothing (the dialog, a bus change).
    bool hasResult = true;
};

bool done() { return true; }
int32_t propertyRead = 0;  // what the last getProperty read
bool openedOn(uint32_t cameraId) { return initializePlugin() && openPort(cameraId); }

Operation openOperation(const char* name, uint32_t cameraId) {
    return {name,
            cameraId,
            initializePlugin,
            [cameraId] { return openPort(cameraId); },
            done,
            [cameraId] { return grabOne(cameraId); },
            {}};
}

bool featureIs(uint32_t cameraId, uint32_t id, uint32_t value) {
    uint32_t actual = 0;
    return FWC_GetFeatureValue(cameraId, id, &actual) == 0 && actual == value;
}

// The user visits every page, applies and confirms.
void applyEveryPage(MemorySheetView& sheet) {
    const auto pages = static_cast<int32_t>(sheet.tabTexts().size());
    for (int32_t page = 0; page < pages; ++page) sheet.chooseTab(page);
    sheet.pressApply();
    sheet.pressOk();
}

bool runDialog(uint32_t cameraId) {
    setSheetViewFactory([] { return std::make_unique<MemorySheetView>(applyEveryPage); });
    configureCamera(0, cameraName(cameraId).c_str());
    setSheetViewFactory({});
    return false;
}

// The camera is free in the driver: the plug-in closed it.
bool cameraFree(uint32_t cameraId) {
    if (FWC_OpenCamera(cameraId, FWC_OPEN_DEFAULT) != 0) return false;
    return FWC_CloseCamera(cameraId) == 0;
}

std::atomic<uint32_t> nextVisitor{6000};
std::atomic<uint32_t> currentVisitor{0};

std::string visitorJson(uint32_t id) {
    return R"({ "id": )" + std::to_string(id) +
           R"(, "vendor": "Simvision", "model": "SV-1", "timing": "manual",
      "fixedFormats": [ { "format": 0, "mode": 5, "rates": [2] } ] })";
}

// The list's line of a row comes after the row's name is stored: the names are read only
// after it, so they are read after the bus-change handler wrote them.
bool visitorListed() {
    const std::string name = "Simvision SV-1 - " + std::to_string(currentVisitor.load());
    const std::vector<std::string> lines = DebugLog::instance().lines();
    if (std::none_of(lines.begin(), lines.end(),
                     [&](const std::string& line) { return line.ends_with("] - " + name + "\n"); }))
        return false;
    char** names = getCVLCameraConfigNames();
    for (int32_t index = 0; index < getCVLNoOfSupportedCameras(); ++index)
        if (name == names[index]) return true;
    return false;
}

bool plugVisitor() {
    currentVisitor = nextVisitor++;
    FWS_Plug(visitorJson(currentVisitor).c_str());
    return false;
}

const std::vector<Operation>& operations() {
    static const std::vector<Operation> list = {
        {"Initialize",
         0,
         done,
         initializePlugin,
         done,
         [] { return openPort(kMonoCamera) && grabOne(kMonoCamera); },
         {}},
        openOperation("OpenBayerFormat7", kBayerCamera),
        openOperation("OpenFixedMono8", kMonoCamera),
        openOperation("OpenYuv", kYuvCamera),
        openOperation("OpenInterlaced", kInterlacedCamera),
        openOperation("OpenLutTrigger", kLutCamera),
        {"GrabOneShot",
         kMonoCamera,
         [] { return openedOn(kMonoCamera); },
         [] { return doCVLGrab(0, kPort) == 1; },
         [] { return stepAndDeliver(kMonoCamera); },
         done,
         {}},
        {"GrabContinuous",
         kMonoCamera,
         [] { return openedOn(kMonoCamera); },
         [] { return setProperty(0, kPort, "Continous", 1) == 1; },
         [] { return stepAndDeliver(kMonoCamera) && stepAndDeliver(kMonoCamera); },
         done,
         {}},
        {"GetFeature",
         kBayerCamera,
         [] { return openedOn(kBayerCamera); },
         [] { return getProperty(0, kPort, featureName(kFeature), &propertyRead) == 1; },
         done,
         [] { return featureIs(kBayerCamera, kFeature, static_cast<uint32_t>(propertyRead)); },
         {}},
        {"SetFeature", kBayerCamera, [] { return openedOn(kBayerCamera); },
         [] { return setProperty(0, kPort, featureName(kFeature), kSetValue) == 1; }, done,
         [] { return featureIs(kBayerCamera, kFeature, kSetValue); },
         [](CameraState& state) { state.features[kFeature] = kSetValue; }},
        {"GetRegister",
         kLutCamera,
         [] { return openedOn(kLutCamera); },
         [] { return getProperty(0, kPort, kRegister, &propertyRead) == 1; },
         done,
         [] { return propertyRead == kRegisterValue; },
         {}},
        {"SetRegister",
         kLutCamera,
         [] { return openedOn(kLutCamera); },
         [] { return setProperty(0, kPort, kRegister, kRegisterValue) == 1; },
         done,
         done,
         {}},
        {"DialogApply",
         kBayerCamera,
         [] { return openedOn(kBayerCamera); },
         [] { return runDialog(kBayerCamera); },
         done,
         [] { return grabOne(kBayerCamera); },
         {},
         false},
        {"Close",
         kMonoCamera,
         [] { return openedOn(kMonoCamera) && grabOne(kMonoCamera); },
         [] {
             closePort();
             return true;
         },
         done,
         [] { return doCVLGrab(0, kPort) == 0 && cameraFree(kMonoCamera); },
         {}},
        {"Finalize",
         kMonoCamera,
         [] { return openedOn(kMonoCamera) && grabOne(kMonoCamera); },
         [] { return finalize() == 1; },
         done,
         [] { return doCVLGrab(0, kPort) == 0; },
         {}},
        {"BusChange",
         0,
         initializePlugin,
         plugVisitor,
         [] { return waitUntil([] { return visitorListed() || failureReported(); }, 2s); },
         visitorListed,
         {},
         false},
    };
    return list;
}

const Operation& operationNamed(const std::string& name) {
    for (const Operation& operation : operations())
        if (name == operation.name) return operation;
    throw std::runtime_error("no operation " + name);
}

// Ends whatever an operation left: the port, the visitor camera and the plug-in.
void settle() {
    closePort();
    if (currentVisitor != 0) FWS_Unplug(currentVisitor.exchange(0));
    finalizePlugin();
}

// ---- The cases: from a recording run of every operation.

std::vector<std::string> callNames() {
    std::vector<std::string> names;
    char name[64];
    for (uint32_t index = 0; FWS_GetCallName(index, name, sizeof name) == 0; ++index)
        names.emplace_back(name);
    return names;
}

std::map<std::string, uint32_t> callCounts(const std::vector<std::string>& names) {
    std::map<std::string, uint32_t> counts;
    for (const std::string& name : names) FWS_GetCallCount(name.c_str(), &counts[name]);
    return counts;
}

struct FaultCase {
    std::string call;
    std::string operation;
    bool always;
};

std::vector<FaultCase> recordCases() {
    std::vector<FaultCase> cases;
    const std::vector<std::string> names = callNames();
    for (const Operation& operation : operations()) {
        if (!operation.prepare()) {
            ADD_FAILURE() << operation.name << " cannot be prepared";
            settle();
            continue;
        }
        const auto before = callCounts(names);
        operation.run();
        operation.finish();
        const auto after = callCounts(names);
        settle();
        for (const std::string& name : names) {
            const uint32_t made = after.at(name) - before.at(name);
            if (made >= 1) cases.push_back({name, operation.name, false});
            if (made >= 2) cases.push_back({name, operation.name, true});
        }
    }
    return cases;
}

const std::vector<FaultCase>& faultCases() {
    static const std::vector<FaultCase> cases = recordCases();
    return cases;
}

std::string caseName(const ::testing::TestParamInfo<FaultCase>& info) {
    return info.param.operation + "_" + info.param.call + (info.param.always ? "_Always" : "");
}

// Failures the plug-in keeps out of the diagnostic lines by design: finalize runs without
// them (the host asked for silence); a camera that cannot be opened for its name is listed
// as unavailable and tried again at the next bus change; and the dialog shows a read that
// failed by leaving its controls as they were (a feature it cannot ask about is not
// listed, a mode it cannot enumerate is not offered).
bool silentByDesign(const FaultCase& c) {
    static const std::vector<std::string> dialogReads = {
        "FWC_HasFeature",    "FWC_HasFeatureStatus",         "FWC_GetFeatureMin",
        "FWC_GetFeatureMax", "FWC_GetFeatureValue",          "FWC_GetFeatureStatus",
        "FWC_EnumFreeModes", "FWC_GetSupportedFixedFormats",
    };
    if (c.operation == "Finalize") return true;
    if (c.operation == "DialogApply")
        return std::find(dialogReads.begin(), dialogReads.end(), c.call) != dialogReads.end();
    return (c.operation == "Initialize" || c.operation == "BusChange") &&
           c.call == "FWC_OpenCamera";
}

class FaultSweep : public ::testing::TestWithParam<FaultCase> {
protected:
    void SetUp() override {
        DebugLog::instance().clear();
        strayCallbacks = 0;
    }
    void TearDown() override {
        FWS_FailCall(GetParam().call.c_str(), FWC_ERR_INJECTED, 0);
        setSheetViewFactory({});
        settle();
    }
};

TEST_P(FaultSweep, ReportsFailsCleanlyAndRecovers) {
    const FaultCase& c = GetParam();
    const Operation& operation = operationNamed(c.operation);
    const CameraState before = readState(operation.cameraId);

    ASSERT_TRUE(operation.prepare());
    DebugLog::instance().clear();
    failingCall = c.call;
    uint32_t callsBefore = 0;
    FWS_GetCallCount(c.call.c_str(), &callsBefore);
    ASSERT_EQ(FWS_FailCall(c.call.c_str(), FWC_ERR_INJECTED, c.always ? kAlways : 1), 0);
    const bool succeeded = operation.run();
    const bool finished = (!succeeded && operation.hasResult) || operation.finish();
    uint32_t callsAfter = 0;
    FWS_GetCallCount(c.call.c_str(), &callsAfter);
    // The camera list outlives finalize in this process: a camera named once is not
    // opened for its name again by a later initialize.
    if (callsAfter == callsBefore) GTEST_SKIP() << "the call was not made this time";
    // Reported in a line, or by the export's result.
    const bool refused = operation.hasResult && !succeeded;
    if (!silentByDesign(c) && !refused) {
        EXPECT_TRUE(waitUntil(failureReported, 2s)) << "no line \"" << c.call << ": ...\"";
    }
    FWS_FailCall(c.call.c_str(), FWC_ERR_INJECTED, 0);
    failingCall.clear();
    if (succeeded && operation.hasResult) {
        EXPECT_TRUE(finished && operation.tookEffect())
            << "success reported for what did not happen";
    }

    // The port closes, and nothing calls the host for it afterwards.
    closePort();
    EXPECT_EQ(doCVLGrab(0, kPort), 0);
    settle();
    EXPECT_EQ(strayCallbacks, 0) << "callback after the close";
    CameraState changed = before;
    if (operation.intendedChange) operation.intendedChange(changed);
    const CameraState after = readState(operation.cameraId);
    EXPECT_TRUE(after == before || after == changed)
        << "the camera was reprogrammed with what was not read from it";

    // Without the failure the operation works.
    ASSERT_TRUE(operation.prepare()) << "the next attempt cannot start";
    const bool retried = operation.run();
    EXPECT_TRUE(retried || !operation.hasResult) << "the next attempt was refused";
    EXPECT_TRUE(operation.finish() && operation.tookEffect()) << "the next attempt did nothing";
    settle();
    EXPECT_EQ(strayCallbacks, 0) << "callback after the close";
}

INSTANTIATE_TEST_SUITE_P(EveryCallOfEveryOperation, FaultSweep, ::testing::ValuesIn(faultCases()),
                         caseName);

// A start whose geometry, notifications or acquisition did not come up has failed, and
// leaves the camera as it found it: nothing unread is written back, also not when the
// camera is opened again.
struct FailedStart {
    const char* what;
    std::vector<const char*> failingCalls;
    uint32_t cameraId;
    bool streaming;
};

const FailedStart kFailedStarts[] = {
    {"Geometry", {"FWC_GetCurrentImageFormat"}, kBayerCamera, false},
    {"GeometryAndArea", {"FWC_GetCurrentImageFormat", "FWC_GetAOI"}, kBayerCamera, false},
    {"Area", {"FWC_GetAOI"}, kInterlacedCamera, false},
    {"Notifications", {"FWC_RegisterNotification"}, kMonoCamera, false},
    {"Acquisition", {"FWC_GrabStart"}, kYuvCamera, true},
};

class FailedStartTest : public ::testing::TestWithParam<FailedStart> {
protected:
    void SetUp() override {
        DebugLog::instance().clear();
        setStreaming(GetParam().streaming);
    }
    void TearDown() override {
        setStreaming(false);
        settle();
    }
    void setStreaming(bool on) {
        writeProfileString(cameraName(GetParam().cameraId).c_str(), "Streaming", on ? "1" : "0",
                           (environment().directory() + "/Lorvenacam.ini").c_str());
    }
};

TEST_P(FailedStartTest, ReturnsZeroAndLeavesTheCameraAsItWas) {
    const FailedStart& c = GetParam();
    const CameraState before = readState(c.cameraId);
    ASSERT_TRUE(initializePlugin());
    for (const char* call : c.failingCalls) ASSERT_EQ(FWS_FailCall(call, FWC_ERR_INJECTED, 1), 0);
    EXPECT_FALSE(openPort(c.cameraId));
    for (const char* call : c.failingCalls) FWS_FailCall(call, FWC_ERR_INJECTED, 0);
    failingCall = c.failingCalls.front();
    EXPECT_TRUE(failureReported()) << failingCall;
    failingCall.clear();
    EXPECT_EQ(doCVLGrab(0, kPort), 0) << "a camera that did not start takes no request";
    closePort();
    settle();
    EXPECT_TRUE(readState(c.cameraId) == before);

    ASSERT_TRUE(openedOn(c.cameraId));
    EXPECT_TRUE(grabOne(c.cameraId));
    settle();
    EXPECT_TRUE(readState(c.cameraId) == before) << "reopened";
}

INSTANTIATE_TEST_SUITE_P(Starts, FailedStartTest, ::testing::ValuesIn(kFailedStarts),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.what); });

}  // namespace
}  // namespace lvc::test

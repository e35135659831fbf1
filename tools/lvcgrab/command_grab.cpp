// lvcgrab grab: grabs frames from a camera and writes each as a PNG file.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "command.h"
#include "diagnostic_sink.h"
#include "frame_receiver.h"
#include "host_session.h"
#include "number_argument.h"
#include "png_file.h"
#include "progress_bar.h"

namespace lvcgrab {
namespace {

using Clock = std::chrono::steady_clock;

struct GrabOptions {
    std::string camera;
    int32_t frames = 1;
    std::string directory = "frames";
    bool continuous = false;
};

std::optional<GrabOptions> parseOptions(const Arguments& arguments, std::string& error) {
    GrabOptions options;
    bool haveCamera = false;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        const bool hasValue = index + 1 < arguments.size();
        if (argument == "--continuous") {
            options.continuous = true;
        } else if (argument == "-n" && hasValue) {
            const std::optional<int32_t> frames = parseInteger(arguments[++index]);
            if (!frames || *frames < 1) {
                error = "-n needs a frame count of at least 1, not '" + arguments[index] + "'";
                return std::nullopt;
            }
            options.frames = *frames;
        } else if (argument == "-o" && hasValue) {
            options.directory = arguments[++index];
        } else if (!argument.empty() && argument[0] != '-' && !haveCamera) {
            options.camera = argument;
            haveCamera = true;
        } else {
            error = "unexpected argument '" + argument +
                    "' (usage: grab CAMERA [-n FRAMES] "
                    "[-o DIR] [--continuous])";
            return std::nullopt;
        }
    }
    if (!haveCamera) error = "grab needs a CAMERA (a name or an index from 'lvcgrab list')";
    return haveCamera ? std::optional(options) : std::nullopt;
}

std::string framePath(const std::string& directory, int32_t index) {
    char name[32];
    std::snprintf(name, sizeof name, "frame_%04d.png", index);
    return (std::filesystem::path(directory) / name).string();
}

// Takes one frame from the receiver, asking for it first unless the camera runs
// continuously. Returns the exit code of a failure.
std::optional<int> takeFrame(lvc::host::PluginLibrary& plugin, FrameReceiver& receiver,
                             bool continuous, Frame*& frame) {
    if (!continuous && plugin.doCVLGrab(0, OpenPort::kPort) != 1)
        return fail(kExitFailure, "the camera refused the grab request (run with -v for details)");
    frame = receiver.waitFrame(Clock::now() + kFrameTimeout);
    if (!frame) return fail(kExitFailure, "no frame arrived within 10 s");
    return std::nullopt;
}

int grabFrames(lvc::host::PluginLibrary& plugin, OpenPort& port, const GrabOptions& options) {
    FrameReceiver receiver(plugin, port, options.continuous ? kContinuousSlots : 1);
    if (options.continuous) plugin.setProperty(0, OpenPort::kPort, "Continous", 1);
    ProgressBar progress(options.frames);
    const Clock::time_point start = Clock::now();
    for (int32_t index = 0; index < options.frames; ++index) {
        Frame* frame = nullptr;
        const std::optional<int> failure = takeFrame(plugin, receiver, options.continuous, frame);
        if (failure) return *failure;
        const std::string path = framePath(options.directory, index);
        const bool written = writePng(path, *frame);
        receiver.release(frame);
        if (!written) return fail(kExitFailure, "cannot write " + path);
        progress.show(index + 1);
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (options.continuous) plugin.setProperty(0, OpenPort::kPort, "Continous", 0);
    std::printf("%d frames in %.2f s (%.1f fps), %d dropped, %d skipped, written to %s\n",
                options.frames, seconds, options.frames / seconds,
                droppedFrameCount(OpenPort::kPort), receiver.skippedFrames(),
                options.directory.c_str());
    return kExitSuccess;
}

int runGrab(HostSession& host, const Arguments& arguments) {
    std::string error;
    const std::optional<GrabOptions> options = parseOptions(arguments, error);
    if (!options) return fail(kExitUsage, error);
    std::error_code directoryError;
    std::filesystem::create_directories(options->directory, directoryError);
    if (directoryError)
        return fail(kExitFailure,
                    "cannot create " + options->directory + ": " + directoryError.message());
    int exitCode = kExitSuccess;
    const auto port = openCamera(host, options->camera, exitCode);
    if (!port) return exitCode;
    return grabFrames(host.plugin(), *port, *options);
}

}  // namespace

extern const Command grabCommand{"grab", "CAMERA [-n FRAMES] [-o DIR] [--continuous]",
                                 "grabs frames and writes them as PNG files (default: 1 frame "
                                 "into ./frames)",
                                 runGrab};

}  // namespace lvcgrab

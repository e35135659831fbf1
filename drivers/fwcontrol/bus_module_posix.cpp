#include "bus_module.h"

#include <dlfcn.h>

#include "error_info.h"
#include "fw_status.h"

namespace fwc {

namespace {

const char libraryAnchor = 0;

std::string loaderReason() {
    const char* reason = dlerror();
    return reason != nullptr ? reason : "unknown reason";
}

}  // namespace

std::string libraryFolder() {
    Dl_info info{};
    if (dladdr(&libraryAnchor, &info) == 0 || info.dli_fname == nullptr) return {};
    const std::string path = info.dli_fname;
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

int32_t loadBusModule(const std::string& name, std::unique_ptr<Bus>& bus) {
    const std::string path = libraryFolder() + "libfwcontrol-" + name + ".so";
    // The loader's reason starts with the module's path.
    const std::string subject = "bus " + name + ": ";
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (module == nullptr) return failWithDetail(FWC_ERR_BUS_MODULE, subject + loaderReason());
    const auto create = reinterpret_cast<FwcBusFactoryV2>(dlsym(module, FWC_BUS_FACTORY_V2));
    if (create == nullptr) return failWithDetail(FWC_ERR_BUS_MODULE, subject + loaderReason());
    bus.reset(create());
    if (!bus)
        return failWithDetail(FWC_ERR_BUS_MODULE,
                              subject + path + ": " FWC_BUS_FACTORY_V2 " made no bus");
    return FW_STATUS_OK;
}

}  // namespace fwc

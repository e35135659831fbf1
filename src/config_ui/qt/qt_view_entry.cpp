// The module's C entry point: decides whether a sheet can be shown on the calling thread
// and makes the view, with the host's QApplication or one of its own.
#include <QApplication>
#include <QThread>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <thread>

#include "config_ui/qt/display_check.h"
#include "config_ui/qt/qt_sheet_view.h"
#include "config_ui/qt_view_module.h"

namespace lvc::qt {
namespace {

// Qt ties itself to the thread that first made its application object: the module makes
// its own only on that thread, every time.
bool isApplicationThread(std::string* reason) {
    static const std::thread::id applicationThread = std::this_thread::get_id();
    if (std::this_thread::get_id() == applicationThread) return true;
    *reason = "the dialog is shown only on the thread that showed it first";
    return false;
}

std::unique_ptr<QApplication> makeApplication() {
    static int argc = 1;
    static char name[] = "lorvenacam";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

// The view, or null with the reason.
SheetView* createView(std::string* reason) {
    if (QCoreApplication* host = QCoreApplication::instance()) {
        if (!qobject_cast<QApplication*>(host)) {
            *reason = "the host's Qt application object cannot show widgets";
            return nullptr;
        }
        if (host->thread() != QThread::currentThread()) {
            *reason = "the host's QApplication runs on another thread";
            return nullptr;
        }
        return new QtSheetView(nullptr);
    }
    if (!isApplicationThread(reason) || !displayUsable(reason)) return nullptr;
    return new QtSheetView(makeApplication());
}

}  // namespace
}  // namespace lvc::qt

extern "C" __attribute__((visibility("default"))) lvc::SheetView* lvcQtCreateSheetView(
    uint32_t interfaceVersion, char* reason, uint32_t reasonSize) {
    std::string why;
    lvc::SheetView* view = nullptr;
    if (interfaceVersion != lvc::kSheetViewInterfaceVersion)
        why = "the Qt view module belongs to another build of the plug-in";
    else
        try {
            view = lvc::qt::createView(&why);
        } catch (const std::exception& error) {
            why = error.what();
        }
    if (!view && reason && reasonSize > 0) std::snprintf(reason, reasonSize, "%s", why.c_str());
    return view;
}

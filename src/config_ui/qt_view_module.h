// The C entry point of the Qt view module (liblorvenacam_qt.so), which the plug-in
// loads from its own directory the first time a sheet is shown. The plug-in itself never
// links Qt.
#pragma once

#include <cstdint>

#include "config_ui/sheet_view.h"

#define LVC_QT_MODULE_FILE "liblorvenacam_qt.so"
#define LVC_QT_ENTRY_POINT "lvcQtCreateSheetView"

extern "C" {
// Returns a new view that runs on the calling thread, or null when the sheet cannot be
// shown here (wrong interface version, no usable display, a QApplication on another
// thread); then reason holds one line, without line break, saying why. The caller owns
// the view and deletes it through its virtual destructor.
using LvcQtCreateSheetView = lvc::SheetView* (*)(uint32_t interfaceVersion, char* reason,
                                                 uint32_t reasonSize);
}

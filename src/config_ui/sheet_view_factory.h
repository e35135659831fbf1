// Where the configuration sheet gets its view from.
#pragma once

#include <functional>
#include <memory>

#include "config_ui/sheet_view.h"

namespace lvc {

using SheetViewFactory = std::function<std::unique_ptr<SheetView>()>;

// Replaces the platform's view (the tests' in-memory view); an empty factory restores it.
void setSheetViewFactory(SheetViewFactory factory);

// The view to run the sheet in: the replacement when one is set, else the platform's.
// Null when no view can be shown; the reason has been logged as one diagnostic line.
std::unique_ptr<SheetView> createSheetView();

// The platform's view: the Qt module on Linux, comctl32 on Windows. Null, with the
// reason logged, when it cannot be shown on this thread.
std::unique_ptr<SheetView> createPlatformSheetView();

}  // namespace lvc

#include "config_ui/sheet_view_factory.h"

#include <utility>

namespace lvc {
namespace {

SheetViewFactory& replacementFactory() {
    static SheetViewFactory factory;
    return factory;
}

}  // namespace

void setSheetViewFactory(SheetViewFactory factory) { replacementFactory() = std::move(factory); }

std::unique_ptr<SheetView> createSheetView() {
    if (replacementFactory()) return replacementFactory()();
    return createPlatformSheetView();
}

}  // namespace lvc

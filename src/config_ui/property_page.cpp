#include "config_ui/property_page.h"

#include <utility>

namespace lvc {

CPropertyPage::CPropertyPage(const PageTemplate& pageTemplate) : template_(pageTemplate) {}

void CPropertyPage::create(PageView& view, std::function<void()> onModified) {
    view_ = &view;
    onModified_ = std::move(onModified);
    onInitDialog();
}

bool CPropertyPage::updateData(bool fromControls) {
    DataExchange exchange(*view_, fromControls);
    doDataExchange(exchange);
    if (!exchange.failed()) return true;
    view_->showInvalidValue(exchange.failedControl(), exchange.failureMessage());
    return false;
}

bool CPropertyPage::onApply() { return true; }

void CPropertyPage::onControlEvent(int32_t, ControlEvent) {}

void CPropertyPage::onInitDialog() { updateData(false); }

void CPropertyPage::doDataExchange(DataExchange&) {}

void CPropertyPage::setModified() {
    modified_ = true;
    if (onModified_) onModified_();
}

}  // namespace lvc

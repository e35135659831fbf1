#include "config_ui/property_sheet.h"

#include <utility>

namespace lvc {

CPropertySheet::CPropertySheet(std::string caption) : caption_(std::move(caption)) {}

void CPropertySheet::addPage(CPropertyPage& page) { pages_.push_back(&page); }

void CPropertySheet::doModal(SheetView& view) {
    view_ = &view;
    view.attach(*this);
    view.setCaption(caption_);
    for (CPropertyPage* page : pages_) view.addPage(page->pageTemplate());
    current_ = 0;
    view.enableApply(false);
    if (!pages_.empty()) {
        createPage(0);
        view.showPage(0);
    }
    if (!failure_) view.runModal();
    view_ = nullptr;
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

template <typename Action>
void CPropertySheet::guarded(Action&& action) {
    if (failure_) return;
    try {
        action();
    } catch (...) {
        failure_ = std::current_exception();
        view_->endModal();
    }
}

void CPropertySheet::createPage(int32_t index) {
    CPropertyPage& page = *pages_[static_cast<std::size_t>(index)];
    if (page.isCreated()) return;
    page.create(view_->createPage(index), [this] { updateApplyButton(); });
    // Filling the controls raises change events that are no edit of the user's.
    page.clearModified();
    updateApplyButton();
}

void CPropertySheet::updateApplyButton() {
    for (CPropertyPage* page : pages_)
        if (page->isModified()) {
            view_->enableApply(true);
            return;
        }
    view_->enableApply(false);
}

void CPropertySheet::onTabSelected(int32_t page) {
    guarded([&] {
        if (page == current_ || page < 0 || page >= static_cast<int32_t>(pages_.size())) return;
        if (!pages_[static_cast<std::size_t>(current_)]->updateData(true)) {
            view_->showPage(current_);
            return;
        }
        current_ = page;
        createPage(page);
        view_->showPage(page);
    });
}

void CPropertySheet::onControlEvent(int32_t page, int32_t controlId, ControlEvent event) {
    guarded([&] {
        if (page < 0 || page >= static_cast<int32_t>(pages_.size())) return;
        CPropertyPage& target = *pages_[static_cast<std::size_t>(page)];
        if (target.isCreated()) target.onControlEvent(controlId, event);
    });
}

bool CPropertySheet::applyPages() {
    if (pages_.empty()) return true;
    if (!pages_[static_cast<std::size_t>(current_)]->updateData(true)) return false;
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        CPropertyPage& page = *pages_[i];
        if (!page.isCreated()) continue;
        if (!page.onApply()) {
            current_ = static_cast<int32_t>(i);
            view_->showPage(current_);
            return false;
        }
    }
    for (CPropertyPage* page : pages_) page->clearModified();
    view_->enableApply(false);
    return true;
}

void CPropertySheet::onOk() {
    guarded([&] {
        if (applyPages()) view_->endModal();
    });
}

void CPropertySheet::onApply() {
    guarded([&] { applyPages(); });
}

void CPropertySheet::onCancel() {
    guarded([&] { view_->endModal(); });
}

}  // namespace lvc

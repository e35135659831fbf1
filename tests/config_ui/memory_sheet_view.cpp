#include "config_ui/memory_sheet_view.h"

#include <stdexcept>

#include "config_ui/spin_position.h"

namespace lvc::test {
namespace {

bool validIndex(int32_t index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

}  // namespace

MemoryPageView::MemoryPageView(const PageTemplate& page,
                               std::function<void(int32_t, ControlEvent)> raise)
    : raise_(std::move(raise)) {
    int32_t previous = kStaticId;
    for (const ControlTemplate& control : page.controls) {
        if (control.id != kStaticId) {
            MemoryControl& created = controls_[control.id];
            created.control = &control;
            created.text = control.text;
            if (control.kind == ControlKind::SpinControl && (control.style & kStyleAutoBuddy))
                created.buddy = previous;
        }
        previous = control.id;
    }
}

MemoryControl& MemoryPageView::control(int32_t id) {
    auto found = controls_.find(id);
    if (found == controls_.end()) throw std::out_of_range("no control " + std::to_string(id));
    return found->second;
}

MemoryControl* MemoryPageView::find(int32_t id, ControlKind kind) {
    auto found = controls_.find(id);
    if (found == controls_.end() || found->second.control->kind != kind) return nullptr;
    return &found->second;
}

std::vector<std::string> MemoryPageView::listTexts(int32_t id) {
    std::vector<std::string> texts;
    for (const auto& item : control(id).items) texts.push_back(item.first);
    return texts;
}

void MemoryPageView::enable(int32_t id, bool enabled) {
    auto found = controls_.find(id);
    if (found != controls_.end()) found->second.enabled = enabled;
}

void MemoryPageView::setText(int32_t id, const std::string& text) {
    auto found = controls_.find(id);
    if (found == controls_.end() || found->second.text == text) return;
    found->second.text = text;
    if (found->second.control->kind == ControlKind::Edit) raise_(id, ControlEvent::TextChanged);
}

std::string MemoryPageView::text(int32_t id) {
    auto found = controls_.find(id);
    return found == controls_.end() ? "" : found->second.text;
}

void MemoryPageView::setChecked(int32_t id, bool checked) {
    if (MemoryControl* box = find(id, ControlKind::CheckBox)) box->checked = checked;
}

bool MemoryPageView::isChecked(int32_t id) {
    MemoryControl* box = find(id, ControlKind::CheckBox);
    return box && box->checked;
}

void MemoryPageView::clearList(int32_t id) {
    auto found = controls_.find(id);
    if (found == controls_.end()) return;
    found->second.items.clear();
    found->second.selection = -1;
}

int32_t MemoryPageView::addListItem(int32_t id, const std::string& text, uint32_t data) {
    auto found = controls_.find(id);
    if (found == controls_.end()) return -1;
    found->second.items.emplace_back(text, data);
    return static_cast<int32_t>(found->second.items.size()) - 1;
}

int32_t MemoryPageView::listCount(int32_t id) {
    auto found = controls_.find(id);
    return found == controls_.end() ? 0 : static_cast<int32_t>(found->second.items.size());
}

std::string MemoryPageView::listItemText(int32_t id, int32_t index) {
    auto found = controls_.find(id);
    if (found == controls_.end() || !validIndex(index, found->second.items.size())) return "";
    return found->second.items[static_cast<std::size_t>(index)].first;
}

uint32_t MemoryPageView::listItemData(int32_t id, int32_t index) {
    auto found = controls_.find(id);
    if (found == controls_.end() || !validIndex(index, found->second.items.size()))
        return 0xFFFFFFFFu;
    return found->second.items[static_cast<std::size_t>(index)].second;
}

void MemoryPageView::setListSelection(int32_t id, int32_t index) {
    auto found = controls_.find(id);
    if (found == controls_.end()) return;
    found->second.selection = validIndex(index, found->second.items.size()) ? index : -1;
}

int32_t MemoryPageView::listSelection(int32_t id) {
    auto found = controls_.find(id);
    return found == controls_.end() ? -1 : found->second.selection;
}

void MemoryPageView::setSpinBuddy(int32_t spinId, int32_t editId) {
    if (MemoryControl* spin = find(spinId, ControlKind::SpinControl)) spin->buddy = editId;
}

void MemoryPageView::setSpinRange(int32_t id, int32_t lowest, int32_t highest) {
    MemoryControl* spin = find(id, ControlKind::SpinControl);
    if (!spin) return;
    spin->lowest = lowest;
    spin->highest = highest;
    spin->position = clampToRange(spin->position, lowest, highest);
}

void MemoryPageView::spinRange(int32_t id, int32_t* lowest, int32_t* highest) {
    MemoryControl* spin = find(id, ControlKind::SpinControl);
    *lowest = spin ? spin->lowest : 0;
    *highest = spin ? spin->highest : 0;
}

void MemoryPageView::setSpinPosition(int32_t id, int32_t position) {
    MemoryControl* spin = find(id, ControlKind::SpinControl);
    if (!spin) return;
    spin->position = clampToRange(position, spin->lowest, spin->highest);
    setText(spin->buddy, std::to_string(spin->position));
}

int32_t MemoryPageView::spinPosition(int32_t id) {
    MemoryControl* spin = find(id, ControlKind::SpinControl);
    if (!spin) return 0;
    if (has(spin->buddy))
        spin->position =
            spinPositionFromText(text(spin->buddy), spin->lowest, spin->highest, spin->position);
    return spin->position;
}

void MemoryPageView::setSpinStep(int32_t id, int32_t increment) {
    if (MemoryControl* spin = find(id, ControlKind::SpinControl)) spin->step = increment;
}

void MemoryPageView::setTrackBarRange(int32_t id, int32_t lowest, int32_t highest) {
    MemoryControl* bar = find(id, ControlKind::TrackBar);
    if (!bar) return;
    bar->lowest = lowest;
    bar->highest = highest;
    bar->position = clampToRange(bar->position, lowest, highest);
}

void MemoryPageView::setTrackBarPosition(int32_t id, int32_t position) {
    MemoryControl* bar = find(id, ControlKind::TrackBar);
    if (bar) bar->position = clampToRange(position, bar->lowest, bar->highest);
}

int32_t MemoryPageView::trackBarPosition(int32_t id) {
    MemoryControl* bar = find(id, ControlKind::TrackBar);
    return bar ? bar->position : 0;
}

void MemoryPageView::setTrackBarBuddy(int32_t trackBarId, int32_t editId) {
    if (MemoryControl* bar = find(trackBarId, ControlKind::TrackBar)) bar->buddy = editId;
}

void MemoryPageView::addListViewColumn(int32_t id, int32_t column, const std::string& heading,
                                       int32_t widthPixels, ColumnAlignment alignment) {
    MemoryControl* list = find(id, ControlKind::ListView);
    if (!list || column < 0) return;
    if (list->columns.size() <= static_cast<std::size_t>(column))
        list->columns.resize(static_cast<std::size_t>(column) + 1);
    list->columns[static_cast<std::size_t>(column)] = {heading, widthPixels, alignment};
}

int32_t MemoryPageView::addListViewRow(int32_t id, const std::string& text, uint32_t data) {
    MemoryControl* list = find(id, ControlKind::ListView);
    if (!list) return -1;
    MemoryRow row;
    row.cells.resize(std::max<std::size_t>(list->columns.size(), 1));
    row.cells[0] = text;
    row.data = data;
    list->rows.push_back(row);
    return static_cast<int32_t>(list->rows.size()) - 1;
}

void MemoryPageView::setListViewCell(int32_t id, int32_t row, int32_t column,
                                     const std::string& text) {
    MemoryControl* list = find(id, ControlKind::ListView);
    if (!list || !validIndex(row, list->rows.size()) || column < 0) return;
    auto& cells = list->rows[static_cast<std::size_t>(row)].cells;
    if (cells.size() <= static_cast<std::size_t>(column))
        cells.resize(static_cast<std::size_t>(column) + 1);
    cells[static_cast<std::size_t>(column)] = text;
}

std::string MemoryPageView::listViewCell(int32_t id, int32_t row, int32_t column) {
    MemoryControl* list = find(id, ControlKind::ListView);
    if (!list || !validIndex(row, list->rows.size())) return "";
    const auto& cells = list->rows[static_cast<std::size_t>(row)].cells;
    return validIndex(column, cells.size()) ? cells[static_cast<std::size_t>(column)] : "";
}

int32_t MemoryPageView::listViewRowCount(int32_t id) {
    MemoryControl* list = find(id, ControlKind::ListView);
    return list ? static_cast<int32_t>(list->rows.size()) : 0;
}

uint32_t MemoryPageView::listViewRowData(int32_t id, int32_t row) {
    MemoryControl* list = find(id, ControlKind::ListView);
    if (!list || !validIndex(row, list->rows.size())) return 0;
    return list->rows[static_cast<std::size_t>(row)].data;
}

void MemoryPageView::setListViewSelection(int32_t id, int32_t row) {
    MemoryControl* list = find(id, ControlKind::ListView);
    if (!list) return;
    int32_t selection = validIndex(row, list->rows.size()) ? row : -1;
    if (selection == list->selection) return;
    list->selection = selection;
    raise_(id, ControlEvent::ItemChanged);
}

int32_t MemoryPageView::listViewSelection(int32_t id) {
    MemoryControl* list = find(id, ControlKind::ListView);
    return list ? list->selection : -1;
}

void MemoryPageView::showInvalidValue(int32_t, const std::string& message) {
    messages_.push_back(message);
}

bool MemoryPageView::chooseFile(const FileDialogRequest& request, std::string* path) {
    fileRequests_.push_back(request);
    if (!fileAnswer_) return false;
    *path = *fileAnswer_;
    return true;
}

MemorySheetView::MemorySheetView(User user) : user_(std::move(user)) {}

std::vector<std::string> MemorySheetView::tabTexts() const {
    std::vector<std::string> texts;
    for (const PageTemplate* page : templates_) texts.emplace_back(page->title);
    return texts;
}

bool MemorySheetView::isCreated(int32_t page) const { return pages_.count(page) != 0; }

MemoryPageView& MemorySheetView::page(int32_t page) {
    auto found = pages_.find(page);
    if (found == pages_.end()) throw std::logic_error("page not created");
    return *found->second;
}

void MemorySheetView::requireOpen() const {
    if (!open_) throw std::logic_error("the sheet is closed");
}

void MemorySheetView::chooseTab(int32_t page) {
    requireOpen();
    events_->onTabSelected(page);
}

void MemorySheetView::selectListEntry(int32_t id, int32_t index) {
    requireOpen();
    MemoryControl& list = currentPage().control(id);
    if (!list.enabled) throw std::logic_error("list is disabled");
    list.selection = validIndex(index, list.items.size()) ? index : -1;
    events_->onControlEvent(current_, id, ControlEvent::SelectionChanged);
}

void MemorySheetView::selectListEntry(int32_t id, const std::string& text) {
    auto texts = currentPage().listTexts(id);
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (texts[i] == text) return selectListEntry(id, static_cast<int32_t>(i));
    throw std::out_of_range("no entry " + text);
}

void MemorySheetView::selectListViewRow(int32_t id, int32_t row) {
    requireOpen();
    currentPage().setListViewSelection(id, row);
}

void MemorySheetView::typeText(int32_t id, const std::string& text) {
    requireOpen();
    MemoryPageView& view = currentPage();
    if (!view.control(id).enabled) throw std::logic_error("edit is disabled");
    view.setText(id, "");
    for (std::size_t length = 1; length <= text.size(); ++length)
        view.setText(id, text.substr(0, length));
}

void MemorySheetView::click(int32_t id) {
    requireOpen();
    MemoryControl& control = currentPage().control(id);
    if (!control.enabled) throw std::logic_error("control is disabled");
    if (control.control->kind == ControlKind::CheckBox) control.checked = !control.checked;
    events_->onControlEvent(current_, id, ControlEvent::Clicked);
}

void MemorySheetView::moveTrackBar(int32_t id, int32_t position, bool release) {
    requireOpen();
    MemoryPageView& view = currentPage();
    if (!view.control(id).enabled) throw std::logic_error("track bar is disabled");
    view.setTrackBarPosition(id, position);
    if (release) events_->onControlEvent(current_, id, ControlEvent::TrackReleased);
}

void MemorySheetView::pressSpinArrow(int32_t id, bool up) {
    requireOpen();
    MemoryPageView& view = currentPage();
    MemoryControl& spin = view.control(id);
    if (!spin.enabled) throw std::logic_error("spin control is disabled");
    int64_t position = view.spinPosition(id);
    view.setSpinPosition(
        id, clampToRange(position + (up ? spin.step : -spin.step), spin.lowest, spin.highest));
}

void MemorySheetView::pressOk() {
    requireOpen();
    events_->onOk();
}

void MemorySheetView::pressApply() {
    requireOpen();
    if (!applyEnabled_) throw std::logic_error("Apply is disabled");
    events_->onApply();
}

void MemorySheetView::pressCancel() {
    requireOpen();
    events_->onCancel();
}

void MemorySheetView::setCaption(const std::string& caption) { caption_ = caption; }

int32_t MemorySheetView::addPage(const PageTemplate& page) {
    templates_.push_back(&page);
    return static_cast<int32_t>(templates_.size()) - 1;
}

PageView& MemorySheetView::createPage(int32_t page) {
    auto& created = pages_[page];
    created = std::make_unique<MemoryPageView>(*templates_.at(static_cast<std::size_t>(page)),
                                               [this, page](int32_t id, ControlEvent event) {
                                                   if (events_)
                                                       events_->onControlEvent(page, id, event);
                                               });
    return *created;
}

void MemorySheetView::showPage(int32_t page) { current_ = page; }

void MemorySheetView::enableApply(bool enabled) { applyEnabled_ = enabled; }

void MemorySheetView::runModal() {
    open_ = true;
    user_(*this);
    if (open_) throw std::logic_error("the user left the sheet open");
}

void MemorySheetView::endModal() { open_ = false; }

}  // namespace lvc::test

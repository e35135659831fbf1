// An in-memory SheetView that tests drive like a user: choose a tab, select a list entry,
// type into an edit, click, move and release a track bar, press a spin arrow, press OK,
// Apply or Cancel, answer the file dialog. Controls behave as the platform's do: a
// spin writes its position into its buddy, an edit reports every change of its text, a
// check box toggles itself when clicked.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config_ui/sheet_view.h"

namespace lvc::test {

struct MemoryColumn {
    std::string heading;
    int32_t width = 0;
    ColumnAlignment alignment = ColumnAlignment::Left;
};

struct MemoryRow {
    std::vector<std::string> cells;
    uint32_t data = 0;
};

struct MemoryControl {
    const ControlTemplate* control = nullptr;
    bool enabled = true;
    std::string text;
    bool checked = false;
    std::vector<std::pair<std::string, uint32_t>> items;  // list box, combo box
    int32_t selection = -1;                               // also the list view's
    int32_t lowest = 0;                                   // spin, track bar
    int32_t highest = 100;
    int32_t position = 0;
    int32_t step = 1;
    int32_t buddy = kStaticId;
    std::vector<MemoryColumn> columns;
    std::vector<MemoryRow> rows;
};

class MemoryPageView final : public PageView {
public:
    MemoryPageView(const PageTemplate& page, std::function<void(int32_t, ControlEvent)> raise);

    MemoryControl& control(int32_t id);
    bool has(int32_t id) const { return controls_.count(id) != 0; }
    std::vector<std::string> listTexts(int32_t id);
    const std::vector<FileDialogRequest>& fileDialogRequests() const { return fileRequests_; }
    const std::vector<std::string>& invalidValueMessages() const { return messages_; }
    // The answer of the next file dialogs: a path, or none for Cancel.
    void answerFileDialog(std::optional<std::string> path) { fileAnswer_ = std::move(path); }
    void raise(int32_t id, ControlEvent event) { raise_(id, event); }

    void enable(int32_t id, bool enabled) override;
    void setText(int32_t id, const std::string& text) override;
    std::string text(int32_t id) override;
    void setChecked(int32_t id, bool checked) override;
    bool isChecked(int32_t id) override;
    void clearList(int32_t id) override;
    int32_t addListItem(int32_t id, const std::string& text, uint32_t data) override;
    int32_t listCount(int32_t id) override;
    std::string listItemText(int32_t id, int32_t index) override;
    uint32_t listItemData(int32_t id, int32_t index) override;
    void setListSelection(int32_t id, int32_t index) override;
    int32_t listSelection(int32_t id) override;
    void setSpinBuddy(int32_t spinId, int32_t editId) override;
    void setSpinRange(int32_t id, int32_t lowest, int32_t highest) override;
    void spinRange(int32_t id, int32_t* lowest, int32_t* highest) override;
    void setSpinPosition(int32_t id, int32_t position) override;
    int32_t spinPosition(int32_t id) override;
    void setSpinStep(int32_t id, int32_t increment) override;
    void setTrackBarRange(int32_t id, int32_t lowest, int32_t highest) override;
    void setTrackBarPosition(int32_t id, int32_t position) override;
    int32_t trackBarPosition(int32_t id) override;
    void setTrackBarBuddy(int32_t trackBarId, int32_t editId) override;
    void addListViewColumn(int32_t id, int32_t column, const std::string& heading,
                           int32_t widthPixels, ColumnAlignment alignment) override;
    int32_t addListViewRow(int32_t id, const std::string& text, uint32_t data) override;
    void setListViewCell(int32_t id, int32_t row, int32_t column, const std::string& text) override;
    std::string listViewCell(int32_t id, int32_t row, int32_t column) override;
    int32_t listViewRowCount(int32_t id) override;
    uint32_t listViewRowData(int32_t id, int32_t row) override;
    void setListViewSelection(int32_t id, int32_t row) override;
    int32_t listViewSelection(int32_t id) override;
    void showInvalidValue(int32_t id, const std::string& message) override;
    bool chooseFile(const FileDialogRequest& request, std::string* path) override;

private:
    MemoryControl* find(int32_t id, ControlKind kind);

    std::map<int32_t, MemoryControl> controls_;
    MemoryControl none_;
    std::function<void(int32_t, ControlEvent)> raise_;
    std::vector<FileDialogRequest> fileRequests_;
    std::optional<std::string> fileAnswer_;
    std::vector<std::string> messages_;
};

class MemorySheetView final : public SheetView {
public:
    // user runs inside runModal, as the person in front of the sheet.
    using User = std::function<void(MemorySheetView&)>;
    explicit MemorySheetView(User user);

    // What the user sees
    const std::string& caption() const { return caption_; }
    std::vector<std::string> tabTexts() const;
    int32_t currentTab() const { return current_; }
    bool isOpen() const { return open_; }
    bool applyEnabled() const { return applyEnabled_; }
    bool isCreated(int32_t page) const;
    // The page's controls; the page must have been created.
    MemoryPageView& page(int32_t page);
    MemoryPageView& currentPage() { return page(current_); }

    // What the user does, on the current page
    void chooseTab(int32_t page);
    void selectListEntry(int32_t id, int32_t index);
    void selectListEntry(int32_t id, const std::string& text);
    void selectListViewRow(int32_t id, int32_t row);
    // Selects the whole text and types the new one key by key.
    void typeText(int32_t id, const std::string& text);
    void click(int32_t id);
    // Drags the thumb to the position; release=false is a keyboard move.
    void moveTrackBar(int32_t id, int32_t position, bool release = true);
    void pressSpinArrow(int32_t id, bool up);
    void pressOk();
    void pressApply();
    void pressCancel();

    void attach(SheetEvents& events) override { events_ = &events; }
    void setCaption(const std::string& caption) override;
    int32_t addPage(const PageTemplate& page) override;
    PageView& createPage(int32_t page) override;
    void showPage(int32_t page) override;
    void enableApply(bool enabled) override;
    void runModal() override;
    void endModal() override;

private:
    void requireOpen() const;

    User user_;
    SheetEvents* events_ = nullptr;
    std::string caption_;
    std::vector<const PageTemplate*> templates_;
    std::map<int32_t, std::unique_ptr<MemoryPageView>> pages_;
    int32_t current_ = -1;
    bool open_ = false;
    bool applyEnabled_ = false;
};

}  // namespace lvc::test

// PageView over one property page of the comctl32 sheet: the page's dialog window and
// its controls, addressed by their template ids.
#pragma once

#include <functional>

#include <windows.h>

#include "config_ui/sheet_view.h"

namespace lvc {

class Comctl32PageView final : public PageView {
public:
    // showPage brings this page to the front (before a refused value is pointed out).
    Comctl32PageView(const PageTemplate& page, HWND window, std::function<void()> showPage);

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
    // The control with this id when the template gives it this kind, else null.
    HWND control(int32_t id, ControlKind kind) const;
    // The list box or combo box with this id, and which of the two it is.
    HWND list(int32_t id, bool* isComboBox) const;

    const PageTemplate& page_;
    HWND window_;
    std::function<void()> showPage_;
};

}  // namespace lvc

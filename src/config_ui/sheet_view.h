// The view interface of the configuration sheet: what the toolkit-neutral sheet and
// pages ask of a toolkit (Qt, comctl32, or the in-memory view of the tests), and what a
// view reports back of the user's actions. A view renders templates and forwards events;
// it holds no page logic.
//
// Threads: every call, in both directions, is made on the thread that runs runModal.
#pragma once

#include <cstdint>
#include <string>

#include "config_ui/dialog_template.h"

namespace lvc {

// Bumped whenever this interface changes, so a stale view module is refused.
constexpr uint32_t kSheetViewInterfaceVersion = 1;

enum class ControlEvent {
    // List box or combo box: the user changed the selection. Not raised by
    // setListSelection.
    SelectionChanged,
    // Edit: its text changed, by the user, by setText or through its spin control (as a
    // platform edit reports every change).
    TextChanged,
    // Push button or check box clicked by the user (a check box has toggled itself).
    // Not raised by setChecked.
    Clicked,
    // Track bar: the mouse released it at the end of a click or drag. Keyboard moves
    // raise nothing.
    TrackReleased,
    // List view: an item's selection or focus changed, by the user or by
    // setListViewSelection.
    ItemChanged,
};

enum class ColumnAlignment { Left, Right, Center };

// The platform file-open dialog. filter: "Label|patterns|Label|patterns||", patterns
// separated by ';'.
struct FileDialogRequest {
    const char* filter;
    const char* initialName;       // what the file-name field starts with
    const char* defaultExtension;  // appended to a typed name without one (no dot)
    bool mustExist;
    bool hideReadOnly;
};

// The controls of one page, addressed by their template ids. A call naming an id that
// the page does not have, or a control of another kind, does nothing and reads as
// empty, 0, false or -1.
class PageView {
public:
    virtual ~PageView() = default;

    // Any control
    virtual void enable(int32_t id, bool enabled) = 0;
    // Edit, label, group box caption, button or check box text. An edit raises
    // TextChanged when its text really changes.
    virtual void setText(int32_t id, const std::string& text) = 0;
    virtual std::string text(int32_t id) = 0;

    // Check box
    virtual void setChecked(int32_t id, bool checked) = 0;
    virtual bool isChecked(int32_t id) = 0;

    // List box and combo box: entries with a 32-bit value each; -1 = no selection.
    virtual void clearList(int32_t id) = 0;
    virtual int32_t addListItem(int32_t id, const std::string& text, uint32_t data) = 0;
    virtual int32_t listCount(int32_t id) = 0;
    virtual std::string listItemText(int32_t id, int32_t index) = 0;
    virtual uint32_t listItemData(int32_t id, int32_t index) = 0;
    // An index outside the list leaves it without selection.
    virtual void setListSelection(int32_t id, int32_t index) = 0;
    virtual int32_t listSelection(int32_t id) = 0;

    // Spin control with a buddy edit. The spin writes its position into the buddy as a
    // plain integer (raising TextChanged there) and reads its position back from the
    // buddy's text: a number outside the range reads as the nearest end of the range, a
    // text that is no number as the last position. An arrow press moves the position by
    // the step, within the range. Range and step default to 0 .. 100 and 1.
    virtual void setSpinBuddy(int32_t spinId, int32_t editId) = 0;
    // Setting the range or the position keeps the position within the range.
    virtual void setSpinRange(int32_t id, int32_t lowest, int32_t highest) = 0;
    virtual void spinRange(int32_t id, int32_t* lowest, int32_t* highest) = 0;
    virtual void setSpinPosition(int32_t id, int32_t position) = 0;
    virtual int32_t spinPosition(int32_t id) = 0;
    virtual void setSpinStep(int32_t id, int32_t increment) = 0;

    // Track bar
    virtual void setTrackBarRange(int32_t id, int32_t lowest, int32_t highest) = 0;
    virtual void setTrackBarPosition(int32_t id, int32_t position) = 0;
    virtual int32_t trackBarPosition(int32_t id) = 0;
    // Places the edit as the track bar's buddy on its right side.
    virtual void setTrackBarBuddy(int32_t trackBarId, int32_t editId) = 0;

    // List view in report mode: rows carry a 32-bit value each; -1 = no selection.
    virtual void addListViewColumn(int32_t id, int32_t column, const std::string& heading,
                                   int32_t widthPixels, ColumnAlignment alignment) = 0;
    virtual int32_t addListViewRow(int32_t id, const std::string& text, uint32_t data) = 0;
    virtual void setListViewCell(int32_t id, int32_t row, int32_t column,
                                 const std::string& text) = 0;
    virtual std::string listViewCell(int32_t id, int32_t row, int32_t column) = 0;
    virtual int32_t listViewRowCount(int32_t id) = 0;
    virtual uint32_t listViewRowData(int32_t id, int32_t row) = 0;
    virtual void setListViewSelection(int32_t id, int32_t row) = 0;
    // The first selected row.
    virtual int32_t listViewSelection(int32_t id) = 0;

    // Tells the user why a value was refused and puts the focus on the control.
    virtual void showInvalidValue(int32_t id, const std::string& message) = 0;
    // Runs the file-open dialog with the page as parent; true and the full path when the
    // user confirms, false when the user cancels.
    virtual bool chooseFile(const FileDialogRequest& request, std::string* path) = 0;
};

// Implemented by the sheet: the user's actions as the view reports them. Any of these
// may call back into the view (including endModal).
class SheetEvents {
public:
    // The user chose tab page; the view has not switched yet and switches only when
    // the sheet calls showPage.
    virtual void onTabSelected(int32_t page) = 0;
    virtual void onControlEvent(int32_t page, int32_t controlId, ControlEvent event) = 0;
    virtual void onOk() = 0;
    virtual void onApply() = 0;
    // Cancel button, the close box or the Escape key.
    virtual void onCancel() = 0;

protected:
    ~SheetEvents() = default;
};

// A tabbed, modal property sheet with OK, Cancel and Apply.
class SheetView {
public:
    virtual ~SheetView() = default;

    // Called once, before any other call: where the view reports the user's actions.
    // Events of controls raised while pages are created and filled go there too.
    virtual void attach(SheetEvents& events) = 0;
    // The window caption.
    virtual void setCaption(const std::string& caption) = 0;
    // Adds a tab titled with the template's title; its controls are built by createPage.
    // Returns the page index (0, 1, ... in the order of the calls).
    virtual int32_t addPage(const PageTemplate& page) = 0;
    // Builds the page's controls from its template (initial texts, states, no
    // selections; a spin control with kStyleAutoBuddy takes the control before it as its
    // buddy) and returns them; the view owns them until it is destroyed.
    virtual PageView& createPage(int32_t page) = 0;
    // Makes the page the current tab; raises no event.
    virtual void showPage(int32_t page) = 0;
    virtual void enableApply(bool enabled) = 0;
    // Shows the sheet and runs its modal loop on the calling thread until endModal.
    virtual void runModal() = 0;
    // Closes the sheet: runModal returns once the current event has been handled.
    virtual void endModal() = 0;
};

}  // namespace lvc

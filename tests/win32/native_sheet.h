// Drives the native property sheet that configureCamera shows on another thread, as a
// user would: messages to its windows, each handled on the sheet's own thread.
#pragma once

#include <string>

#include <windows.h>

namespace lvc::test {

class NativeSheet {
public:
    // Waits for the sheet captioned caption; throws when it does not appear in time.
    explicit NativeSheet(const std::string& caption);

    HWND window() const { return sheet_; }
    HWND page(int index) const;
    // The user chooses a tab: comctl32 switches, the sheet logic then creates the page.
    void chooseTab(int index) const;
    // The control of a page, once it exists.
    HWND control(int page, int id) const;
    // Selections as a user makes them: the control changes and its parent is notified.
    void selectListItem(int page, int id, int index) const;
    void selectComboItem(int page, int id, int index) const;
    void typeText(int page, int id, const std::string& text) const;
    void clickCheckBox(int page, int id) const;
    void pressButton(int buttonId) const;

private:
    HWND sheet_ = nullptr;
};

}  // namespace lvc::test

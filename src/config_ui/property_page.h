// CPropertyPage: one tab of the property sheet, built from its template. The sheet
// creates it when its tab is first shown, exchanges and validates it when it is left or
// OK or Apply is pressed, and runs its apply step on OK and Apply.
#pragma once

#include <cstdint>
#include <functional>

#include "config_ui/data_exchange.h"
#include "config_ui/dialog_template.h"
#include "config_ui/sheet_view.h"

namespace lvc {

class CPropertyPage {
public:
    explicit CPropertyPage(const PageTemplate& pageTemplate);
    virtual ~CPropertyPage() = default;
    CPropertyPage(const CPropertyPage&) = delete;
    CPropertyPage& operator=(const CPropertyPage&) = delete;

    const PageTemplate& pageTemplate() const { return template_; }
    bool isCreated() const { return view_ != nullptr; }
    bool isModified() const { return modified_; }

    // Called by the sheet: binds the page to its controls, then runs its initialisation.
    // onModified runs whenever the page marks itself modified.
    void create(PageView& view, std::function<void()> onModified);
    void clearModified() { modified_ = false; }
    // Exchanges members and controls; reading from the controls validates and, on a
    // refused value, tells the user and returns false.
    bool updateData(bool fromControls);

    // The apply step (OK and Apply); false keeps the sheet open.
    virtual bool onApply();
    virtual void onControlEvent(int32_t id, ControlEvent event);

protected:
    // Base initialisation: writes the members into the controls.
    virtual void onInitDialog();
    virtual void doDataExchange(DataExchange& exchange);
    // Tells the sheet that the page has changes, which enables Apply.
    void setModified();
    PageView& view() { return *view_; }

private:
    const PageTemplate& template_;
    PageView* view_ = nullptr;
    std::function<void()> onModified_;
    bool modified_ = false;
};

}  // namespace lvc

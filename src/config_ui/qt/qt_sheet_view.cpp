#include "config_ui/qt/qt_sheet_view.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "config_ui/qt/sheet_dialog.h"

namespace lvc::qt {
namespace {

// The templates' font size, in the family the desktop uses for dialogs.
QFont dialogFont(int points) {
    QFont font = QApplication::font();
    font.setPointSize(points);
    return font;
}

constexpr int kTemplateFontPoints = 8;

}  // namespace

QtSheetView::QtSheetView(std::unique_ptr<QApplication> application)
    : application_(std::move(application)),
      dialog_(std::make_unique<SheetDialog>([this] {
          if (events_) events_->onCancel();
      })),
      units_(dialogFont(kTemplateFontPoints)) {
    dialog_->setFont(dialogFont(kTemplateFontPoints));
    dialog_->setObjectName("lorvenacamSheet");
    tabs_ = new QTabWidget(dialog_.get());
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, dialog_.get());
    applyButton_ = buttons->button(QDialogButtonBox::Apply);
    auto* layout = new QVBoxLayout(dialog_.get());
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QObject::connect(tabs_, &QTabWidget::currentChanged,
                     [this](int index) { onTabChanged(index); });
    QObject::connect(buttons->button(QDialogButtonBox::Ok), &QPushButton::clicked, [this] {
        if (events_) events_->onOk();
    });
    QObject::connect(buttons->button(QDialogButtonBox::Cancel), &QPushButton::clicked, [this] {
        if (events_) events_->onCancel();
    });
    QObject::connect(applyButton_, &QPushButton::clicked, [this] {
        if (events_) events_->onApply();
    });
}

QtSheetView::~QtSheetView() = default;

void QtSheetView::attach(SheetEvents& events) { events_ = &events; }

void QtSheetView::setCaption(const std::string& caption) {
    dialog_->setWindowTitle(QString::fromLocal8Bit(caption.c_str()));
}

int32_t QtSheetView::addPage(const PageTemplate& page) {
    auto* widget = new QWidget;
    widget->setFixedSize(units_.x(page.width), units_.y(page.height));
    {
        QSignalBlocker quiet(tabs_);
        tabs_->addTab(widget, QString::fromLocal8Bit(page.title));
        tabs_->setCurrentIndex(current_);
    }
    templates_.push_back(&page);
    pageWidgets_.push_back(widget);
    pages_.emplace_back();
    return static_cast<int32_t>(templates_.size()) - 1;
}

PageView& QtSheetView::createPage(int32_t page) {
    auto index = static_cast<std::size_t>(page);
    pages_.at(index) =
        std::make_unique<QtPageView>(*templates_.at(index), pageWidgets_.at(index), units_,
                                     [this, page](int32_t id, ControlEvent event) {
                                         if (events_) events_->onControlEvent(page, id, event);
                                     });
    return *pages_[index];
}

void QtSheetView::showPage(int32_t page) {
    QSignalBlocker quiet(tabs_);
    tabs_->setCurrentIndex(page);
    current_ = page;
}

void QtSheetView::enableApply(bool enabled) { applyButton_->setEnabled(enabled); }

void QtSheetView::runModal() { dialog_->exec(); }

void QtSheetView::endModal() { dialog_->finish(); }

void QtSheetView::onTabChanged(int index) {
    if (index == current_) return;
    // The sheet decides: it calls showPage for the new tab, or leaves the current one.
    {
        QSignalBlocker quiet(tabs_);
        tabs_->setCurrentIndex(current_);
    }
    if (events_) events_->onTabSelected(index);
}

}  // namespace lvc::qt

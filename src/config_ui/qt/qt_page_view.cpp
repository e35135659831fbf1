#include "config_ui/qt/qt_page_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <algorithm>

#include "config_ui/qt/file_filter.h"
#include "config_ui/qt/single_selection_list.h"
#include "config_ui/qt/track_bar.h"
#include "config_ui/qt/up_down_control.h"

namespace lvc::qt {
namespace {

constexpr int kDataRole = Qt::UserRole;
constexpr const char* kTemplateWidth = "lvcTemplateWidth";

QString fromStd(const std::string& text) { return QString::fromLocal8Bit(text.c_str()); }
std::string toStd(const QString& text) { return text.toLocal8Bit().toStdString(); }

Qt::Alignment toQt(ColumnAlignment alignment) {
    switch (alignment) {
    case ColumnAlignment::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case ColumnAlignment::Center: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

QLineEdit* createEdit(const ControlTemplate& control, QWidget* page) {
    auto* edit = new QLineEdit(page);
    edit->setReadOnly(control.style & kStyleReadOnly);
    return edit;
}

QTreeWidget* createListView(QWidget* page) {
    auto* list = new SingleSelectionList<QTreeWidget>(page);
    list->setRootIsDecorated(false);
    list->setAllColumnsShowFocus(true);
    list->header()->setStretchLastSection(false);
    list->setColumnCount(0);
    return list;
}

}  // namespace

QString controlObjectName(int32_t id) { return "control" + QString::number(id); }

QtPageView::QtPageView(const PageTemplate& pageTemplate, QWidget* page, const DialogUnits& units,
                       Raise raise)
    : page_(page), raise_(std::move(raise)) {
    QWidget* previous = nullptr;
    for (const ControlTemplate& control : pageTemplate.controls) {
        QWidget* widget = createControl(control, previous);
        QRect rect = units.rect(control.x, control.y, control.width, control.height);
        if (control.kind == ControlKind::ComboBox) rect.setHeight(widget->sizeHint().height());
        widget->setGeometry(rect);
        widget->setProperty(kTemplateWidth, rect.width());
        if (control.kind == ControlKind::GroupBox) widget->lower();
        if (control.kind == ControlKind::SpinControl) widget->raise();
        if (control.id != kStaticId) {
            widget->setObjectName(controlObjectName(control.id));
            controls_[control.id] = widget;
            connectEvents(control, widget);
        }
        previous = widget;
    }
}

QWidget* QtPageView::createControl(const ControlTemplate& control, QWidget* previous) {
    QString text = QString::fromLocal8Bit(control.text);
    switch (control.kind) {
    case ControlKind::GroupBox: return new QGroupBox(text, page_);
    case ControlKind::Label: {
        auto* label = new QLabel(text, page_);
        label->setAlignment((control.style & kStyleAlignRight ? Qt::AlignRight : Qt::AlignLeft) |
                            Qt::AlignTop);
        return label;
    }
    case ControlKind::ListBox: return new SingleSelectionList<QListWidget>(page_);
    case ControlKind::ComboBox: return new QComboBox(page_);
    case ControlKind::Edit: return createEdit(control, page_);
    case ControlKind::SpinControl: {
        auto* spin = new UpDownControl(page_);
        if (control.style & kStyleAutoBuddy)
            spin->setBuddy(qobject_cast<QLineEdit*>(previous), control.style & kStyleArrowKeys);
        return spin;
    }
    case ControlKind::PushButton: {
        auto* button = new QPushButton(text, page_);
        button->setAutoDefault(false);
        return button;
    }
    case ControlKind::CheckBox: return new QCheckBox(text, page_);
    case ControlKind::ListView: return createListView(page_);
    case ControlKind::TrackBar:
        return new TrackBar(page_,
                            [this, id = control.id] { raise_(id, ControlEvent::TrackReleased); });
    }
    return new QWidget(page_);
}

void QtPageView::connectEvents(const ControlTemplate& control, QWidget* widget) {
    int32_t id = control.id;
    if (auto* list = qobject_cast<QListWidget*>(widget))
        QObject::connect(list, &QListWidget::itemSelectionChanged,
                         [this, id] { raise_(id, ControlEvent::SelectionChanged); });
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        QObject::connect(combo, &QComboBox::activated,
                         [this, id] { raise_(id, ControlEvent::SelectionChanged); });
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        QObject::connect(edit, &QLineEdit::textChanged,
                         [this, id] { raise_(id, ControlEvent::TextChanged); });
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        QObject::connect(button, &QAbstractButton::clicked,
                         [this, id] { raise_(id, ControlEvent::Clicked); });
    if (auto* tree = qobject_cast<QTreeWidget*>(widget))
        QObject::connect(tree, &QTreeWidget::itemSelectionChanged,
                         [this, id] { raise_(id, ControlEvent::ItemChanged); });
}

template <typename Widget>
Widget* QtPageView::find(int32_t id) const {
    auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : dynamic_cast<Widget*>(found->second);
}

void QtPageView::enable(int32_t id, bool enabled) {
    if (auto* widget = find<QWidget>(id)) widget->setEnabled(enabled);
}

void QtPageView::setText(int32_t id, const std::string& text) {
    QString value = fromStd(text);
    if (auto* edit = find<QLineEdit>(id)) {
        edit->setText(value);
    } else if (auto* label = find<QLabel>(id)) {
        // Texts longer than the template's field (labels with units) stay readable.
        label->setText(value);
        int width = std::max(label->property(kTemplateWidth).toInt(), label->sizeHint().width());
        label->resize(width, label->height());
    } else if (auto* group = find<QGroupBox>(id)) {
        group->setTitle(value);
    } else if (auto* button = find<QAbstractButton>(id)) {
        button->setText(value);
    }
}

std::string QtPageView::text(int32_t id) {
    if (auto* edit = find<QLineEdit>(id)) return toStd(edit->text());
    if (auto* label = find<QLabel>(id)) return toStd(label->text());
    if (auto* group = find<QGroupBox>(id)) return toStd(group->title());
    if (auto* button = find<QAbstractButton>(id)) return toStd(button->text());
    return "";
}

void QtPageView::setChecked(int32_t id, bool checked) {
    if (auto* box = find<QCheckBox>(id)) box->setChecked(checked);
}

bool QtPageView::isChecked(int32_t id) {
    auto* box = find<QCheckBox>(id);
    return box && box->isChecked();
}

void QtPageView::clearList(int32_t id) {
    if (auto* list = find<QListWidget>(id)) {
        QSignalBlocker quiet(list);
        list->clear();
    } else if (auto* combo = find<QComboBox>(id)) {
        combo->clear();
    }
}

int32_t QtPageView::addListItem(int32_t id, const std::string& text, uint32_t data) {
    if (auto* list = find<QListWidget>(id)) {
        QSignalBlocker quiet(list);
        auto* item = new QListWidgetItem(fromStd(text), list);
        item->setData(kDataRole, data);
        return list->count() - 1;
    }
    if (auto* combo = find<QComboBox>(id)) {
        int32_t current = combo->currentIndex();
        combo->addItem(fromStd(text), data);
        combo->setCurrentIndex(current);
        return combo->count() - 1;
    }
    return -1;
}

int32_t QtPageView::listCount(int32_t id) {
    if (auto* list = find<QListWidget>(id)) return list->count();
    if (auto* combo = find<QComboBox>(id)) return combo->count();
    return 0;
}

std::string QtPageView::listItemText(int32_t id, int32_t index) {
    if (auto* list = find<QListWidget>(id))
        if (QListWidgetItem* item = list->item(index)) return toStd(item->text());
    if (auto* combo = find<QComboBox>(id))
        if (index >= 0 && index < combo->count()) return toStd(combo->itemText(index));
    return "";
}

uint32_t QtPageView::listItemData(int32_t id, int32_t index) {
    if (auto* list = find<QListWidget>(id))
        if (QListWidgetItem* item = list->item(index)) return item->data(kDataRole).toUInt();
    if (auto* combo = find<QComboBox>(id))
        if (index >= 0 && index < combo->count()) return combo->itemData(index).toUInt();
    return 0xFFFFFFFFu;
}

void QtPageView::setListSelection(int32_t id, int32_t index) {
    if (auto* list = find<QListWidget>(id)) {
        QSignalBlocker quiet(list);
        list->clearSelection();
        if (QListWidgetItem* item = list->item(index)) {
            list->setCurrentItem(item);
            item->setSelected(true);
        }
    } else if (auto* combo = find<QComboBox>(id)) {
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    }
}

int32_t QtPageView::listSelection(int32_t id) {
    if (auto* list = find<QListWidget>(id)) {
        QList<QListWidgetItem*> selected = list->selectedItems();
        return selected.isEmpty() ? -1 : list->row(selected.first());
    }
    if (auto* combo = find<QComboBox>(id)) return combo->currentIndex();
    return -1;
}

void QtPageView::setSpinBuddy(int32_t spinId, int32_t editId) {
    if (auto* spin = find<UpDownControl>(spinId)) spin->setBuddy(find<QLineEdit>(editId), true);
}

void QtPageView::setSpinRange(int32_t id, int32_t lowest, int32_t highest) {
    if (auto* spin = find<UpDownControl>(id)) spin->setRange(lowest, highest);
}

void QtPageView::spinRange(int32_t id, int32_t* lowest, int32_t* highest) {
    auto* spin = find<UpDownControl>(id);
    *lowest = spin ? spin->lowest() : 0;
    *highest = spin ? spin->highest() : 0;
}

void QtPageView::setSpinPosition(int32_t id, int32_t position) {
    if (auto* spin = find<UpDownControl>(id)) spin->setPosition(position);
}

int32_t QtPageView::spinPosition(int32_t id) {
    auto* spin = find<UpDownControl>(id);
    return spin ? spin->position() : 0;
}

void QtPageView::setSpinStep(int32_t id, int32_t increment) {
    if (auto* spin = find<UpDownControl>(id)) spin->setStep(increment);
}

void QtPageView::setTrackBarRange(int32_t id, int32_t lowest, int32_t highest) {
    if (auto* bar = find<TrackBar>(id)) bar->setRange(lowest, highest);
}

void QtPageView::setTrackBarPosition(int32_t id, int32_t position) {
    if (auto* bar = find<TrackBar>(id)) bar->setValue(position);
}

int32_t QtPageView::trackBarPosition(int32_t id) {
    auto* bar = find<TrackBar>(id);
    return bar ? bar->value() : 0;
}

void QtPageView::setTrackBarBuddy(int32_t, int32_t) {
    // The template already places the edit on the track bar's right.
}

void QtPageView::addListViewColumn(int32_t id, int32_t column, const std::string& heading,
                                   int32_t widthPixels, ColumnAlignment alignment) {
    auto* list = find<QTreeWidget>(id);
    if (!list || column < 0) return;
    if (list->columnCount() <= column) list->setColumnCount(column + 1);
    // As in the platform's report view, the first column is always left-aligned.
    Qt::Alignment shown = column == 0 ? toQt(ColumnAlignment::Left) : toQt(alignment);
    list->headerItem()->setText(column, fromStd(heading));
    list->headerItem()->setTextAlignment(column, shown);
    list->setColumnWidth(column, widthPixels);
    columnAlignments_[column] = shown;
}

int32_t QtPageView::addListViewRow(int32_t id, const std::string& text, uint32_t data) {
    auto* list = find<QTreeWidget>(id);
    if (!list) return -1;
    auto* item = new QTreeWidgetItem(list);
    item->setText(0, fromStd(text));
    item->setData(0, kDataRole, data);
    for (const auto& [column, alignment] : columnAlignments_)
        item->setTextAlignment(column, alignment);
    return list->topLevelItemCount() - 1;
}

void QtPageView::setListViewCell(int32_t id, int32_t row, int32_t column, const std::string& text) {
    if (auto* list = find<QTreeWidget>(id))
        if (QTreeWidgetItem* item = list->topLevelItem(row)) item->setText(column, fromStd(text));
}

std::string QtPageView::listViewCell(int32_t id, int32_t row, int32_t column) {
    if (auto* list = find<QTreeWidget>(id))
        if (QTreeWidgetItem* item = list->topLevelItem(row)) return toStd(item->text(column));
    return "";
}

int32_t QtPageView::listViewRowCount(int32_t id) {
    auto* list = find<QTreeWidget>(id);
    return list ? list->topLevelItemCount() : 0;
}

uint32_t QtPageView::listViewRowData(int32_t id, int32_t row) {
    if (auto* list = find<QTreeWidget>(id))
        if (QTreeWidgetItem* item = list->topLevelItem(row))
            return item->data(0, kDataRole).toUInt();
    return 0;
}

void QtPageView::setListViewSelection(int32_t id, int32_t row) {
    auto* list = find<QTreeWidget>(id);
    if (!list) return;
    if (QTreeWidgetItem* item = list->topLevelItem(row))
        list->setCurrentItem(item);
    else
        list->clearSelection();
}

int32_t QtPageView::listViewSelection(int32_t id) {
    auto* list = find<QTreeWidget>(id);
    if (!list) return -1;
    QList<QTreeWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->indexOfTopLevelItem(selected.first());
}

void QtPageView::showInvalidValue(int32_t id, const std::string& message) {
    QWidget* window = page_->window();
    QMessageBox::warning(window, window->windowTitle(), fromStd(message));
    if (auto* widget = find<QWidget>(id)) widget->setFocus();
    if (auto* edit = find<QLineEdit>(id)) edit->selectAll();
}

bool QtPageView::chooseFile(const FileDialogRequest& request, std::string* path) {
    QFileDialog dialog(page_->window());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    applyFileFilter(dialog, request.filter);
    if (request.defaultExtension) dialog.setDefaultSuffix(request.defaultExtension);
    if (request.initialName) dialog.selectFile(fromStd(request.initialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    *path = toStd(dialog.selectedFiles().first());
    return true;
}

}  // namespace lvc::qt

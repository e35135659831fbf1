// Drives the Qt sheet like a user, with real mouse clicks and key presses on its widgets:
// for the Qt view's tests and the screenshot tool. The sheet runs modally inside
// configureCamera, so the actions are posted to the event loop and run once it shows.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <stdexcept>
#include <string>

namespace lvc::test {

inline QDialog* findSheet() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "lorvenacamSheet" && widget->isVisible())
            return qobject_cast<QDialog*>(widget);
    return nullptr;
}

// Runs act on the sheet as soon as it is shown; gives up (act never runs) after timeout.
inline void whenSheetOpens(std::function<void(QDialog&)> act, int timeoutMs = 10000) {
    QElapsedTimer clock;
    clock.start();
    // Owned by the application, so it goes with it even if it never fires again.
    auto* poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout, [poll, clock, act, timeoutMs] {
        QDialog* sheet = findSheet();
        if (!sheet && clock.elapsed() < timeoutMs) return;
        poll->stop();
        poll->deleteLater();
        if (sheet) act(*sheet);
    });
    poll->start(5);
}

template <typename Widget>
Widget& control(QWidget& sheet, int id) {
    auto* widget = sheet.findChild<Widget*>("control" + QString::number(id));
    if (!widget) throw std::runtime_error("no control " + std::to_string(id));
    return *widget;
}

inline QTabWidget& tabs(QWidget& sheet) {
    auto* widget = sheet.findChild<QTabWidget*>();
    if (!widget) throw std::runtime_error("no tabs");
    return *widget;
}

inline void clickTab(QWidget& sheet, int index) {
    QTabBar* bar = tabs(sheet).tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

inline void clickListEntry(QListWidget& list, const QString& text) {
    QList<QListWidgetItem*> found = list.findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) throw std::runtime_error("no entry " + text.toStdString());
    list.scrollToItem(found.first());
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(found.first()).center());
}

inline void clickTreeRow(QTreeWidget& tree, const QString& text) {
    QList<QTreeWidgetItem*> found = tree.findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) throw std::runtime_error("no row " + text.toStdString());
    tree.scrollToItem(found.first());
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {},
                      tree.visualItemRect(found.first()).center());
}

inline void pressButton(QWidget& sheet, QDialogButtonBox::StandardButton which) {
    auto* box = sheet.findChild<QDialogButtonBox*>();
    if (!box || !box->button(which)) throw std::runtime_error("no such button");
    QTest::mouseClick(box->button(which), Qt::LeftButton);
}

}  // namespace lvc::test

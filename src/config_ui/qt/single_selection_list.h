// A list with one selected entry that, like the platform's single-selection list box and
// list view, the user cannot empty: a Ctrl+click or Ctrl+Space on the selected entry
// leaves it selected. The program may still clear the selection.
#pragma once

#include <QAbstractItemView>
#include <QItemSelectionModel>

namespace lvc::qt {

template <typename List>
class SingleSelectionList : public List {
public:
    explicit SingleSelectionList(QWidget* parent) : List(parent) {
        this->setSelectionMode(QAbstractItemView::SingleSelection);
    }

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override {
        const QItemSelectionModel::SelectionFlags command = List::selectionCommand(index, event);
        if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
            return QItemSelectionModel::NoUpdate;
        return command;
    }
};

}  // namespace lvc::qt

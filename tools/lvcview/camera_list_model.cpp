#include "camera_list_model.h"

namespace lvcview {

CameraListModel::CameraListModel(PluginSession& session, QObject* parent)
    : QAbstractListModel(parent), session_(session) {
    connect(&session_.diagnostics(), &DiagnosticFeed::busChanged, this, &CameraListModel::refresh,
            Qt::QueuedConnection);
    refresh();
}

int CameraListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(names_.size());
}

QVariant CameraListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= names_.size()) return {};
    const QString& name = names_[index.row()];
    switch (role) {
    case Qt::DisplayRole: return isBusyName(name) ? name + tr(" (busy)") : name;
    case Qt::ToolTipRole:
        return isBusyName(name) ? tr("Open in another program when it was listed") : name;
    default: return {};
    }
}

Qt::ItemFlags CameraListModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || index.row() >= names_.size()) return Qt::NoItemFlags;
    if (isBusyName(names_[index.row()])) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QString CameraListModel::cameraName(int row) const {
    return row >= 0 && row < names_.size() ? names_[row] : QString();
}

bool CameraListModel::isBusyName(const QString& name) { return name.startsWith("Unavailable - "); }

void CameraListModel::refresh() {
    const QStringList names = session_.cameraNames();
    if (names == names_) return;
    // The plug-in's list only grows and renames in place, so rows keep their meaning.
    beginResetModel();
    names_ = names;
    endResetModel();
}

}  // namespace lvcview

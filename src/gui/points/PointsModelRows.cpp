// The rows chosen, and what is done to several at once: deleted, or dragged to another place.
#include "PointOrder.h"
#include "PointsModel.h"
#include "shell/EditHistory.h"

#include <QItemSelectionModel>
#include <QMimeData>

namespace {
const QString kMime = QStringLiteral("application/x-pathwright-points");
} // namespace

QList<int> PointsModel::selectedRows() const {
    QList<int> rows;
    if (!selection_) return rows;
    for (const QItemSelectionRange& r : selection_->selection())
        for (int row = r.top(); row <= r.bottom(); ++row)
            if (!rows.contains(row) && row < rowCount()) rows << row;
    std::sort(rows.begin(), rows.end());
    return rows;
}

void PointsModel::deleteRows(const QList<int>& rows) {
    if (rows.isEmpty()) return;
    history_.edit(rows.size() == 1 ? tr("Delete point") : tr("Delete points"),
                  [&] { deletePoints(ws_, rows); });
}

void PointsModel::moveRowsTo(const QList<int>& rows, int gap) {
    const QList<int> at = movedRows(ws_.st, rows, gap);
    history_.edit(rows.size() == 1 ? tr("Move point") : tr("Move points"),
                  [&] { movePoints(ws_, rows, gap); });
    emit rowsDropped(at);
}

QStringList PointsModel::mimeTypes() const {
    return {kMime};
}

QMimeData* PointsModel::mimeData(const QModelIndexList& indexes) const {
    QStringList rows;
    for (const QModelIndex& i : indexes)
        if (!rows.contains(QString::number(i.row()))) rows << QString::number(i.row());
    auto* data = new QMimeData;
    data->setData(kMime, rows.join(u',').toLatin1());
    return data;
}

// The view asks to remove the dragged rows after a move; the table has no removeRows, so nothing is.
bool PointsModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                               const QModelIndex& parent) {
    if (action != Qt::MoveAction || !data || !data->hasFormat(kMime)) return false;
    QList<int> rows;
    for (const QByteArray& part : data->data(kMime).split(',')) {
        bool ok = false;
        const int r = part.toInt(&ok);
        if (ok && r >= 0 && r < rowCount()) rows << r;
    }
    if (rows.isEmpty()) return false;
    moveRowsTo(rows, row >= 0 ? row : parent.isValid() ? parent.row() : rowCount());
    return true;
}

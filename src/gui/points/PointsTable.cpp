#include "PointsTable.h"

#include "PointsModel.h"
#include "WordDelegate.h"
#include "mapview/RouteDrawing.h"
#include "shell/EditHistory.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>

namespace {
bool deleteKey(const QKeyEvent* e) {
    return e->key() == Qt::Key_Delete || e->key() == Qt::Key_Backspace;
}

// Keys the window gives the map (delete, nudge) that move through or act on the table instead.
bool tableKey(const QKeyEvent* e) {
    static const int keys[] = {Qt::Key_Up,  Qt::Key_Down,   Qt::Key_Left,     Qt::Key_Right, Qt::Key_Home,
                               Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_F2};
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    return deleteKey(e) || std::find(std::begin(keys), std::end(keys), e->key()) != std::end(keys);
}
} // namespace

PointsTable::PointsTable(PointsModel& model, Workspace& ws, EditHistory& history, QWidget* parent)
    : QTableView(parent), model_(model), ws_(ws), history_(history) {
    setObjectName("tblPoints");
    setModel(&model);
    model.setSelection(selectionModel());
    setSelectionBehavior(SelectRows);
    setSelectionMode(ExtendedSelection);
    setEditTriggers(DoubleClicked | EditKeyPressed);
    setDragDropMode(InternalMove);
    setDragDropOverwriteMode(false); // a drop lands between rows and takes no cell's value
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(true);
    setWordWrap(false);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // Widths fitted to the values when rows come or go, not on every change: a 99-point route
    // measured on each step of a drag would not keep up with it.
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setSectionResizeMode(PointsModel::Label, QHeaderView::Stretch);
    for (const int column : {PointsModel::Path, PointsModel::Mode, PointsModel::LineStyle})
        setItemDelegateForColumn(column, new WordDelegate(PointsModel::valueOf(column), this));

    connect(&history, &EditHistory::changed, this, &PointsTable::projectChanged);
    connect(&model, &PointsModel::rowsDropped, this, [this](const QList<int>& rows) {
        QItemSelection moved;
        for (int r : rows)
            moved.select(model_.index(r, 0), model_.index(r, PointsModel::ColumnCount - 1));
        selectionModel()->select(moved, QItemSelectionModel::ClearAndSelect);
    });
    projectChanged();
}

void PointsTable::projectChanged() {
    following_ = true;
    const int rows = model_.rowCount();
    const bool shown = !isColumnHidden(PointsModel::Latitude);
    model_.refresh();
    setColumnHidden(PointsModel::Latitude, !model_.georeferenced());
    setColumnHidden(PointsModel::Longitude, !model_.georeferenced());
    if (rows != model_.rowCount() || shown != model_.georeferenced()) resizeColumnsToContents();
    followSelection();
    following_ = false;
}

// Only a selected point that changed moves the current row: otherwise the rows chosen stay.
void PointsTable::followSelection() {
    const int selected = ws_.st.selected;
    const bool inRoute = selected >= 0 && selected < model_.rowCount();
    if (selected == followed_ && (!inRoute || currentIndex().row() == selected)) return;
    followed_ = selected;
    if (!inRoute) return selectionModel()->clear();
    if (currentIndex().row() == selected) return;
    const QModelIndex at =
        model_.index(selected, currentIndex().isValid() ? currentIndex().column() : int(PointsModel::Label));
    selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(at);
}

void PointsTable::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (following_ || !current.isValid() || current.row() == ws_.st.selected) return;
    const int row = current.row();
    history_.edit(tr("Select point"), [this, row] {
        ws_.st.selected = qint16(row);
        Redraw(ws_);
    });
}

bool PointsTable::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride && tableKey(static_cast<QKeyEvent*>(e))) {
        e->accept();
        return true;
    }
    return QTableView::event(e);
}

void PointsTable::keyPressEvent(QKeyEvent* e) {
    if (!deleteKey(e) || state() == EditingState) return QTableView::keyPressEvent(e);
    QList<int> rows = model_.selectedRows();
    if (rows.isEmpty() && currentIndex().isValid()) rows << currentIndex().row();
    model_.deleteRows(rows);
}

// Tabbing in makes the first row current; the selected point stays the current row.
void PointsTable::focusInEvent(QFocusEvent* e) {
    following_ = true;
    QTableView::focusInEvent(e);
    if (currentIndex().row() != ws_.st.selected) {
        followed_ = -2; // followed anew, whatever was followed before
        followSelection();
    }
    following_ = false;
}

void PointsTable::mousePressEvent(QMouseEvent* e) {
    beforePress_ = selectionModel()->selection();
    QTableView::mousePressEvent(e);
}

// The first click of a double-click narrowed the selection to its row; an edit of a row that
// was among several selected sets them all.
void PointsTable::mouseDoubleClickEvent(QMouseEvent* e) {
    const QModelIndex at = indexAt(e->position().toPoint());
    if (at.isValid() && beforePress_.contains(at))
        selectionModel()->select(beforePress_, QItemSelectionModel::ClearAndSelect);
    QTableView::mouseDoubleClickEvent(e);
}

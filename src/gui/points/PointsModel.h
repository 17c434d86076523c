#pragma once
// The route's points as a table: number, label, hold, the time, line, way of travel and line
// style of the leg ending at the point and, on a map with coordinates, where the point stands on the earth. A
// value left at its default shows the default, greyed. Every change goes through the edit history as one
// step: a typed value (for all the selected rows when the edited row is one of them), a drop of dragged rows,
// a delete of several rows.

#include "project/PointValues.h"
#include "shell/Workspace.h"

#include <QAbstractTableModel>
#include <optional>
#include <vector>

class EditHistory;
class Georeference;
class QItemSelectionModel;

class PointsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Number, Label, Hold, LegTime, Path, Mode, LineStyle, Latitude, Longitude, ColumnCount };

    PointsModel(Workspace& ws, EditHistory& history, QObject* parent = nullptr);

    // The selection whose rows an edit of one of them sets alike.
    void setSelection(QItemSelectionModel* selection) { selection_ = selection; }
    // Follows the project: rows added or taken at the end, only the cells that changed told.
    void refresh();
    // The map has coordinates: the latitude and longitude columns mean something.
    bool georeferenced() const { return georeferenced_; }
    // The selected rows, in route order.
    QList<int> selectedRows() const;

    void deleteRows(const QList<int>& rows);
    void moveRowsTo(const QList<int>& rows, int gap);

    // The value a column shows and sets.
    static PointValue valueOf(int column);
    // A leg's line as the panel names it; the empty word is the project's own.
    static QString pathName(const QString& word);
    // The same for any value given by a word (line, way of travel, line style).
    static QString wordName(PointValue v, const QString& word);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

  signals:
    // Typed text was refused, and why; the cell keeps its value.
    void refused(const QString& why);
    // Rows dropped: where the moved points stand now.
    void rowsDropped(const QList<int>& rows);

  private:
    struct Cells {
        QString text[ColumnCount];
        unsigned greyed = 0; // a bit per column: the value shown is the default
        bool operator==(const Cells&) const = default;
    };
    Cells cellsOf(int i, const Georeference* where) const;
    QString editText(int row, int column) const;
    // The text setPointValue takes for a typed cell: a coordinate is joined to the point's other one.
    std::optional<QString> valueText(int row, int column, const QString& typed,
                                     const Georeference* where) const;

    Workspace& ws_;
    EditHistory& history_;
    QItemSelectionModel* selection_ = nullptr;
    std::vector<Cells> rows_;
    bool georeferenced_ = false;
};

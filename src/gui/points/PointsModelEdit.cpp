// Typed values: checked for every row they go to before any is set, then one step for all.
#include "PointsModel.h"

#include "geo/CoordinateText.h"
#include "geo/MapGeo.h"
#include "mapview/RouteDrawing.h"
#include "project/PointValues.h"
#include "shell/EditHistory.h"

#include <QItemSelectionModel>

namespace {
bool isCoordinate(int column) {
    return column == PointsModel::Latitude || column == PointsModel::Longitude;
}

// What a step of the column is called, and why a text was refused.
QString valueName(int column) {
    const QString names[] = {QString(),
                             PointsModel::tr("label"),
                             PointsModel::tr("hold"),
                             PointsModel::tr("leg time"),
                             PointsModel::tr("leg's line"),
                             PointsModel::tr("way of travel"),
                             PointsModel::tr("line style"),
                             PointsModel::tr("coordinates"),
                             PointsModel::tr("coordinates")};
    return names[column];
}

QString refusal(int column) {
    switch (column) {
    case PointsModel::Label:
        return PointsModel::tr("A label cannot hold control characters.");
    case PointsModel::Hold:
    case PointsModel::LegTime:
        return PointsModel::tr("Seconds from 0 to %1, or nothing for the default.").arg(maxPointSeconds());
    case PointsModel::Path:
        return PointsModel::tr("A leg's line is straight or an arc, or nothing for the default.");
    case PointsModel::Mode:
        return PointsModel::tr("A way of travel is none, walk, bike, car, bus, train, boat or plane, or "
                               "nothing for the default.");
    case PointsModel::LineStyle:
        return PointsModel::tr("A line style is solid, dashed or dotted, or nothing for the default.");
    }
    return PointsModel::tr("Not a latitude or longitude on the earth, such as 48.8566 or 2.3522° E.");
}
} // namespace

QString PointsModel::editText(int row, int column) const {
    if (!isCoordinate(column)) return pointValueText(ws_.st, row, valueOf(column));
    const GeoPoint& g = ws_.st.pointgeo[row];
    if (!g.set()) return QString(); // a point placed by its pixel: typing one places it on the earth
    return column == Latitude ? latitudeText(g.lat) : longitudeText(g.lon);
}

std::optional<QString> PointsModel::valueText(int row, int column, const QString& typed,
                                              const Georeference* where) const {
    if (!isCoordinate(column) || typed.trimmed().isEmpty()) return typed;
    const GeoPoint& g = ws_.st.pointgeo[row];
    LatLon now{g.lat, g.lon};
    if (!g.set() && where) now = where->latLonAt(QPointF(ws_.st.pointx[row], ws_.st.pointy[row]));
    if (!validLatLon(now)) return std::nullopt;
    // The other coordinate as it is, to more places than shown, so that it does not move.
    return column == Latitude ? typed + QStringLiteral(", ") + longitudeText(now.lon, 9)
                              : latitudeText(now.lat, 9) + QStringLiteral(", ") + typed;
}

bool PointsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    const int column = index.column();
    const PointValue kind = valueOf(column);
    const QString typed = value.toString();
    const bool several = selection_ && selection_->isRowSelected(index.row());
    const QList<int> rows = several ? selectedRows() : QList<int>{index.row()};
    const std::optional<Georeference> where = isCoordinate(column) ? mapGeoreference(ws_) : std::nullopt;
    // Checked on a copy first: a text one row refuses changes no row.
    ProjectState probe = ws_.st;
    QList<std::pair<int, QString>> changes;
    for (int r : rows) {
        if (!pointValueApplies(kind, r) || editText(r, column) == typed) continue;
        const std::optional<QString> text = valueText(r, column, typed, where ? &*where : nullptr);
        if (!text || !setPointValue(probe, r, kind, *text)) {
            emit refused(refusal(column));
            return false;
        }
        changes.append({r, *text});
    }
    if (changes.isEmpty()) return true;
    const QString label = changes.size() == 1
                              ? tr("Point %1: %2").arg(changes.front().first + 1).arg(valueName(column))
                              : tr("%1 points: %2").arg(changes.size()).arg(valueName(column));
    // Times change no drawing; a label, a line or a place does.
    const bool redraw = kind != PointValue::Hold && kind != PointValue::LegTime;
    history_.edit(label, [&] {
        for (const auto& [r, text] : changes)
            setPointValue(ws_.st, r, kind, text);
        if (redraw) Redraw(ws_);
    });
    return true;
}

#include "PointsModel.h"

#include "animation/FrameWalk.h"
#include "animation/TravelLook.h"
#include "geo/CoordinateText.h"
#include "geo/MapGeo.h"
#include "shell/EditHistory.h"

#include <QGuiApplication>
#include <QPalette>
#include <cmath>

namespace {
// Seconds as set, or to a tenth as worked out.
QString seconds(double v, char form = 'g', int precision = 6) {
    return PointsModel::tr("%1 s").arg(QString::number(v, form, precision));
}

LatLon whereIs(const ProjectState& st, int i, const Georeference* where) {
    const GeoPoint& g = st.pointgeo[i];
    if (g.set()) return {g.lat, g.lon};
    return where ? where->latLonAt(QPointF(st.pointx[i], st.pointy[i])) : LatLon{qQNaN(), qQNaN()};
}
} // namespace

PointsModel::PointsModel(Workspace& ws, EditHistory& history, QObject* parent)
    : QAbstractTableModel(parent), ws_(ws), history_(history) {
    refresh();
}

PointValue PointsModel::valueOf(int column) {
    const PointValue values[] = {PointValue::Label,    PointValue::Label, PointValue::Hold,
                                 PointValue::LegTime,  PointValue::Path,  PointValue::Mode,
                                 PointValue::LineStyle};
    return column >= 0 && column < Latitude ? values[column] : PointValue::Coordinates;
}

QString PointsModel::pathName(const QString& word) {
    return wordName(PointValue::Path, word);
}

QString PointsModel::wordName(PointValue, const QString& word) {
    static const std::pair<const char*, const char*> names[] = {
        {"straight", QT_TR_NOOP("straight")}, {"arc", QT_TR_NOOP("arc")},
        {"none", QT_TR_NOOP("none")},         {"walk", QT_TR_NOOP("walk")},
        {"bike", QT_TR_NOOP("bike")},         {"car", QT_TR_NOOP("car")},
        {"bus", QT_TR_NOOP("bus")},           {"train", QT_TR_NOOP("train")},
        {"boat", QT_TR_NOOP("boat")},         {"plane", QT_TR_NOOP("plane")},
        {"solid", QT_TR_NOOP("solid")},       {"dashed", QT_TR_NOOP("dashed")},
        {"dotted", QT_TR_NOOP("dotted")}};
    for (const auto& [id, name] : names)
        if (word == QLatin1String(id)) return tr(name);
    return tr("as all legs");
}

PointsModel::Cells PointsModel::cellsOf(int i, const Georeference* where) const {
    const ProjectState& st = ws_.st;
    Cells c;
    const auto greyed = [&c](int column, const QString& text) {
        c.text[column] = text;
        c.greyed |= 1u << column;
    };
    c.text[Number] = QString::number(i + 1);
    c.text[Label] = st.pointlabel[i];
    if (st.pointhold[i] >= 0)
        c.text[Hold] = seconds(st.pointhold[i]);
    else
        greyed(Hold, seconds(st.hold));
    if (i > 0) { // the first point ends no leg
        const double legSeconds = st.fps > 0 ? legDelay(st, i) / st.fps : qQNaN();
        if (st.pointinterval[i] >= 0)
            c.text[LegTime] = seconds(st.pointinterval[i]);
        else
            greyed(LegTime, std::isfinite(legSeconds) ? seconds(legSeconds, 'f', 1) : QString());
        if (st.pointpath[i].isEmpty()) // a flight without a line of its own takes an arc
            greyed(Path, pathName(legMode(st, i).arc ? QStringLiteral("arc") : st.path));
        else
            c.text[Path] = pathName(st.pointpath[i]);
        // A leg without its own way of travel or style shows what it takes from the project.
        if (st.pointmode[i].isEmpty())
            greyed(Mode, wordName(PointValue::Mode, QString::fromLatin1(legMode(st, i).id)));
        else
            c.text[Mode] = wordName(PointValue::Mode, st.pointmode[i]);
        if (st.pointlinestyle[i].isEmpty())
            greyed(LineStyle,
                   wordName(PointValue::LineStyle, QLatin1String(lineStyleIds()[int(legLineStyle(st, i))])));
        else
            c.text[LineStyle] = wordName(PointValue::LineStyle, st.pointlinestyle[i]);
    }
    const LatLon at = whereIs(st, i, where);
    if (validLatLon(at)) {
        c.text[Latitude] = latitudeText(at.lat);
        c.text[Longitude] = longitudeText(at.lon);
        if (!st.pointgeo[i].set()) c.greyed |= 1u << Latitude | 1u << Longitude; // from its pixel
    }
    return c;
}

void PointsModel::refresh() {
    const std::optional<Georeference> where = mapGeoreference(ws_);
    georeferenced_ = where.has_value();
    const int n = std::clamp<int>(ws_.st.listmax, 0, kPointSlots), old = int(rows_.size());
    std::vector<Cells> fresh(n);
    QList<QModelIndex> changed;
    int first = n, last = -1;
    for (int i = 0; i < n; ++i) {
        fresh[i] = cellsOf(i, where ? &*where : nullptr);
        if (i >= old || fresh[i] == rows_[i]) continue;
        first = std::min(first, i);
        last = i;
        for (int c = 0; c < ColumnCount; ++c)
            if (fresh[i].text[c] != rows_[i].text[c] || (fresh[i].greyed ^ rows_[i].greyed) & (1u << c))
                changed << index(i, c);
    }
    if (n > old) beginInsertRows({}, old, n - 1);
    if (n < old) beginRemoveRows({}, n, old - 1);
    rows_ = std::move(fresh);
    if (n > old) endInsertRows();
    if (n < old) endRemoveRows();
    // A few cells are told one by one, so that the view repaints only them (a drag, a label).
    if (changed.size() <= 2 * ColumnCount) {
        for (const QModelIndex& cell : changed)
            emit dataChanged(cell, cell);
    } else {
        emit dataChanged(index(first, 0), index(last, ColumnCount - 1));
    }
}

int PointsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int PointsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PointsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const Cells& c = rows_[index.row()];
    const int column = index.column();
    const bool greyed = c.greyed & (1u << column);
    switch (role) {
    case Qt::DisplayRole:
        return c.text[column];
    case Qt::EditRole:
        return editText(index.row(), column);
    case Qt::ForegroundRole:
        if (greyed) return QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
        break;
    case Qt::TextAlignmentRole:
        if (column != Label && column != Path && column != Mode && column != LineStyle)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        break;
    case Qt::ToolTipRole:
        if (column == Label) return c.text[Label]; // shown whole, where the column cuts it
        if (!greyed) break;
        if (column == Hold) return tr("As all points");
        if (column >= LegTime && column <= LineStyle) return tr("As all legs");
        return tr("Where the map puts the point's pixel");
    }
    return {};
}

QVariant PointsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) return {};
    if (role == Qt::DisplayRole) {
        const QString names[] = {tr("#"),      tr("Label"), tr("Hold"),     tr("Leg"),      tr("Line"),
                                 tr("Travel"), tr("Style"), tr("Latitude"), tr("Longitude")};
        return names[section];
    }
    if (role != Qt::ToolTipRole) return {};
    const QString tips[] = {
        tr("Drag a row to move the point in the route"),
        QString(),
        tr("Seconds the animation stays at the point"),
        tr("Seconds of the leg that ends at the point"),
        tr("The line of the leg that ends at the point"),
        tr("How the leg that ends at the point is travelled: its marker icon, line and speed"),
        tr("The line style of the leg that ends at the point"),
        QString(),
        QString()};
    return tips[section];
}

Qt::ItemFlags PointsModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::ItemIsDropEnabled; // drops land between rows
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    if (index.column() != Number && pointValueApplies(valueOf(index.column()), index.row()))
        f |= Qt::ItemIsEditable;
    return f;
}

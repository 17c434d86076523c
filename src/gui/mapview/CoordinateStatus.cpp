#include "CoordinateStatus.h"

#include "MapView.h"
#include "geo/CoordinateText.h"
#include "geo/MapGeo.h"
#include "shell/EditHistory.h"

CoordinateStatus::CoordinateStatus(const Workspace& ws, EditHistory& history, MapView& map, QWidget* parent)
    : QLabel(parent), ws_(ws) {
    setObjectName("lblCoordinates");
    connect(&map, &MapView::hovered, this, [this](QPoint p) { showAt(p); });
    connect(&map, &MapView::leftMap, this, [this] { showAt(std::nullopt); });
    // Control points added, moved or undone: the same pixel has another place.
    connect(&history, &EditHistory::changed, this, [this] { showAt(at_); });
}

void CoordinateStatus::showAt(std::optional<QPoint> mapPixel) {
    at_ = mapPixel;
    const std::optional<Georeference> where = at_ ? mapGeoreference(ws_) : std::nullopt;
    const LatLon at = where ? where->latLonAt(QPointF(*at_)) : LatLon{qQNaN(), qQNaN()};
    setText(validLatLon(at) ? latLonText(at) : QString());
}

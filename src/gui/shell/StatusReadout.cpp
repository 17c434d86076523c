#include "StatusReadout.h"

#include "EditHistory.h"
#include "mapview/MapView.h"
#include "settings/VideoFormats.h"

#include <QEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <cmath>

namespace {
QLabel* readout(QStatusBar* bar, const char* name) {
    auto* label = new QLabel(bar);
    label->setObjectName(name);
    return label;
}
} // namespace

StatusReadout::StatusReadout(const Workspace& ws, EditHistory& history, MapView& map, QStatusBar* bar)
    : QObject(bar), ws_(ws), map_(map), hint_(readout(bar, "lblHint")),
      position_(readout(bar, "lblPosition")), zoom_(readout(bar, "lblZoom")),
      frame_(readout(bar, "lblFrameSize")) {
    bar->addWidget(hint_, 1);
    for (QLabel* l : {position_, zoom_, frame_})
        bar->addPermanentWidget(l);
    connect(&map, &MapView::hovered, this, [this](QPoint p) { position_->setText(positionText(p)); });
    connect(&map, &MapView::leftMap, this, [this] { position_->clear(); });
    connect(&map, &MapView::zoomChanged, this, &StatusReadout::update);
    connect(&history, &EditHistory::changed, this, &StatusReadout::update);
    connect(&ws.events, &WorkspaceEvents::mapResized, this, &StatusReadout::update);
    // Fitting changes the scale with the view's size: read once the view has laid itself out.
    map.viewport()->installEventFilter(this);
    update();
}

bool StatusReadout::eventFilter(QObject*, QEvent* e) {
    if (e->type() == QEvent::Resize) QTimer::singleShot(0, this, &StatusReadout::update);
    return false;
}

QString StatusReadout::positionText(std::optional<QPoint> p) {
    //: The map pixel under the mouse.
    return p ? tr("%1, %2 px").arg(p->x()).arg(p->y()) : QString();
}

QString StatusReadout::zoomText(double scale) {
    return tr("%1 %").arg(std::lround(scale * 100));
}

QString StatusReadout::frameText(QSize frame, double fps) {
    return tr("%1 × %2, %3 fps").arg(frame.width()).arg(frame.height()).arg(rateText(fps));
}

bool StatusReadout::empty(const Workspace& ws) {
    return ws.picture.isNull() && !ws.tiles && ws.st.listmax <= 0 && ws.st.mapsource == u"picture";
}

QString StatusReadout::hint() {
    return tr("Load a map picture (Ctrl+I) or import a track, then click to add points");
}

void StatusReadout::update() {
    zoom_->setText(zoomText(map_.scale()));
    frame_->setText(frameText(renderFrameSize(ws_), ws_.st.fps));
    hint_->setText(empty(ws_) ? hint() : QString());
}

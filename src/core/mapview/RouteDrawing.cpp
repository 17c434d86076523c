#include "RouteDrawing.h"

#include "Labels.h"
#include "geo/MapGeo.h"
#include "geo/RouteShape.h"
#include "shell/Startup.h"

QSize editorMapSize(const ProjectState& st, const QImage& picture) {
    if (!cameraMoves(st)) return QSize(st.framewidth, st.frameheight);
    return picture.isNull() ? QSize(st.framewidth, st.frameheight) : picture.size();
}

void Redraw(Workspace& ws) {
    // Only a camera that moves changes the editor's area here (and back to the frame when it
    // is fixed again): the frame is the format's to set.
    const bool world = cameraMoves(ws.st);
    if (world || ws.mapIsWorld) {
        ws.mapIsWorld = world;
        const QSize size = editorMapSize(ws.st, ws.picture);
        if (size != QSize(ws.map.width(), ws.map.height()) && size.width() >= 1 && size.height() >= 1) {
            ws.map.resize(size.width(), size.height());
            emit ws.events.mapResized();
        }
    }
    refreshRoute(ws);
    DrawSwatch(ws);
    emit ws.events.redrawing();
    ws.st.waiting = false;
    prepareLook(ws);
    ws.map.resetTo(ws.picture);
    drawRoute(ws);
}

void drawLegLine(Surface& map, const LegLine& leg, qint32 color) {
    std::vector<std::vector<QPointF>> pieces;
    leg.pieces(0, leg.length(), 0.25, pieces);
    for (const auto& piece : pieces)
        for (std::size_t k = 1; k < piece.size(); ++k)
            map.line(float(piece[k - 1].x()), float(piece[k - 1].y()), float(piece[k].x()),
                     float(piece[k].y()), color);
}

void drawRoute(Workspace& ws) {
    const ProjectState& st = ws.st;
    Surface& map = ws.map;
    const int count = std::min<int>(st.listmax, kPointSlots);
    // Each point's circles go down before the next leg's line, so a line runs over the circles
    // of its start point and under those of its end point; the highlight covers the circle.
    for (int i = 0; i < count; ++i) {
        const float x = st.pointx[i], y = st.pointy[i];
        map.setPenWidth(st.linethick);
        if (i == 0)
            map.dot(x, y, st.color);
        else if (const LegLine* leg = st.route ? st.route->leg(i) : nullptr)
            drawLegLine(map, *leg, st.color);
        else
            map.line(st.pointx[i - 1], st.pointy[i - 1], x, y, st.color);
        map.setPenWidth(st.circlethick);
        map.circle(x, y, st.circleradius, st.color);
        if (st.selected == i) map.circle(x, y, st.circleradius, st.selcolor);
        drawLabel(ws, i);
    }
}

#include "RouteEditing.h"

#include "RouteDrawing.h"
#include "geo/MapGeo.h"

#include <algorithm>
#include <cmath>
#include <utility>

qint32 roundHalfEven(double v) {
    // Ties go to even under the default rounding mode; the clamp keeps the cast defined.
    if (std::isnan(v)) return 0;
    return qint32(std::clamp(std::nearbyint(v), -2147483648.0, 2147483647.0));
}

Nearest nearestPoint(const ProjectState& st, qint32 x, qint32 y) {
    Nearest n;
    for (int i = 0; i < std::min<int>(st.listmax, kPointSlots); ++i) {
        // In 64 bits, so a release far outside the map cannot overflow the difference.
        const double dx = double(qint64(st.pointx[i]) - x), dy = double(qint64(st.pointy[i]) - y);
        const double d = std::sqrt(dx * dx + dy * dy);
        if (d < n.best) n = {i, d};
    }
    return n;
}

void btnPlus(Workspace& ws) {
    ws.st.editmode = u'+';
    ws.st.selected = -1;
    Redraw(ws);
}

void btnMinus(Workspace& ws) {
    ws.st.editmode = u'-';
    ws.st.selected = -1;
    Redraw(ws);
}

void btnSeek(Workspace& ws) {
    ws.st.editmode = u'o';
}

void btnMove(Workspace& ws) {
    if (ws.st.editmode == u'>' && ws.st.selected >= 0) ws.st.selected = -1;
    ws.st.editmode = u'>';
    Redraw(ws);
}

namespace {
// Positions are stored in 16-bit fields; a release far outside the map is held to them.
qint16 to16(qint32 v) {
    return qint16(std::clamp<qint32>(v, -32768, 32767));
}

bool inRoute(const ProjectState& st, int index) {
    return index >= 0 && index < std::min<int>(st.listmax, kPointSlots);
}

// Slot `index` falls out of the route; later points move down with everything they carry.
void removeSlot(ProjectState& st, int index) {
    for (int i = index; i <= st.listmax - 2; ++i) {
        st.pointx[i] = st.pointx[i + 1];
        st.pointy[i] = st.pointy[i + 1];
        st.pointdist[i] = st.pointdist[i + 1];
        swapPointExtras(st, i, i + 1);
    }
    clearPointExtras(st, st.listmax - 1);
    --st.listmax;
}
} // namespace

void swapPoints(ProjectState& st, int a, int b) {
    std::swap(st.pointx[a], st.pointx[b]);
    std::swap(st.pointy[a], st.pointy[b]);
    std::swap(st.pointdist[a], st.pointdist[b]);
    swapPointExtras(st, a, b);
}

void btnBack(Workspace& ws) {
    ProjectState& st = ws.st;
    if (st.selected <= 0 || st.selected >= kPointSlots) return;
    swapPoints(st, st.selected, st.selected - 1);
    --st.selected;
    Redraw(ws);
}

void btnFore(Workspace& ws) {
    ProjectState& st = ws.st;
    if (st.selected < 0 || st.selected >= st.listmax - 1 || st.selected + 1 >= kPointSlots) return;
    swapPoints(st, st.selected, st.selected + 1);
    ++st.selected;
    Redraw(ws);
}

bool insertPoint(Workspace& ws, int index, qint32 x, qint32 y) {
    ProjectState& st = ws.st;
    if (st.listmax >= kMousePointLimit || index < 0 || index > st.listmax) return false;
    for (int i = st.listmax; i > index; --i) {
        st.pointx[i] = st.pointx[i - 1];
        st.pointy[i] = st.pointy[i - 1];
        st.pointdist[i] = st.pointdist[i - 1];
        swapPointExtras(st, i, i - 1);
    }
    clearPointExtras(st, index);
    st.pointx[index] = to16(x);
    st.pointy[index] = to16(y);
    st.pointdist[index] = 0;
    ++st.listmax;
    if (st.selected >= index) ++st.selected;
    Redraw(ws);
    return true;
}

void movePoint(Workspace& ws, int index, qint32 x, qint32 y) {
    if (!inRoute(ws.st, index)) return;
    ws.st.pointx[index] = to16(x);
    ws.st.pointy[index] = to16(y);
    movedByHand(ws, index);
    Redraw(ws);
}

void deleteSelected(Workspace& ws) {
    if (!inRoute(ws.st, ws.st.selected)) return;
    removeSlot(ws.st, ws.st.selected);
    ws.st.selected = -1;
    Redraw(ws);
}

void nudgeSelected(Workspace& ws, int dx, int dy) {
    const int i = ws.st.selected;
    if (inRoute(ws.st, i)) movePoint(ws, i, ws.st.pointx[i] + dx, ws.st.pointy[i] + dy);
}

int nearestLeg(const ProjectState& st, double x, double y, double reach) {
    int leg = -1;
    double best = reach;
    for (int i = 0; i + 1 < std::min<int>(st.listmax, kPointSlots); ++i) {
        const double ax = st.pointx[i], ay = st.pointy[i];
        const double dx = st.pointx[i + 1] - ax, dy = st.pointy[i + 1] - ay;
        const double length2 = dx * dx + dy * dy;
        // The foot of the perpendicular, held to the leg's ends.
        const double t = length2 > 0 ? std::clamp(((x - ax) * dx + (y - ay) * dy) / length2, 0.0, 1.0) : 0.0;
        const double d = std::hypot(x - (ax + t * dx), y - (ay + t * dy));
        if (d < best) {
            best = d;
            leg = i;
        }
    }
    return leg;
}

void clickMap(Workspace& ws, qint32 mousex, qint32 mousey, double reach) {
    ProjectState& st = ws.st;

    if (st.editmode == u'+' && st.listmax < kMousePointLimit) { // add
        ws.map.setPenWidth(st.linethick);
        ws.map.dot(mousex, mousey, st.color);
        ws.map.setPenWidth(st.circlethick);
        ws.map.circle(mousex, mousey, st.circleradius, st.color);
        const int n = std::max<int>(st.listmax, 0);
        clearPointExtras(st, n);
        st.pointx[n] = to16(mousex);
        st.pointy[n] = to16(mousey);
        if (n > 0) {
            ws.map.setPenWidth(st.linethick);
            ws.map.line(st.pointx[n - 1], st.pointy[n - 1], st.pointx[n], st.pointy[n], st.color);
        }
        st.listmax = qint16(n + 1);
    }
    if (st.editmode == u'-' && st.listmax > 0) { // delete
        const Nearest n = nearestPoint(st, mousex, mousey);
        if (n.idx >= 0 && n.best < reach) {
            removeSlot(st, n.idx);
            Redraw(ws);
        }
    }
    if ((st.editmode == u'>' && st.selected < 0) || st.editmode == u'o') { // select
        Redraw(ws);
        const Nearest n = nearestPoint(st, mousex, mousey);
        if (n.idx >= 0 && n.best < reach) {
            st.selected = qint16(n.idx);
            ws.map.setPenWidth(st.circlethick);
            ws.map.circle(st.pointx[n.idx], st.pointy[n.idx], st.circleradius, st.selcolor);
        }
    }
    if (st.editmode == u'>' && st.selected >= 0 && st.selected < kPointSlots) { // move
        st.pointx[st.selected] = to16(mousex);
        st.pointy[st.selected] = to16(mousey);
        movedByHand(ws, st.selected);
        Redraw(ws);
    }
}

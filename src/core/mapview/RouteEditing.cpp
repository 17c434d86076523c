#include "RouteEditing.h"

#include "RouteDrawing.h"

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
void swapSlots(ProjectState& st, int a, int b) {
    std::swap(st.pointx[a], st.pointx[b]);
    std::swap(st.pointy[a], st.pointy[b]);
    std::swap(st.pointdist[a], st.pointdist[b]);
    swapPointExtras(st, a, b);
}
} // namespace

void btnBack(Workspace& ws) {
    ProjectState& st = ws.st;
    if (st.selected <= 0 || st.selected >= kPointSlots) return;
    swapSlots(st, st.selected, st.selected - 1);
    --st.selected;
    Redraw(ws);
}

void btnFore(Workspace& ws) {
    ProjectState& st = ws.st;
    if (st.selected < 0 || st.selected >= st.listmax - 1 || st.selected + 1 >= kPointSlots) return;
    swapSlots(st, st.selected, st.selected + 1);
    ++st.selected;
    Redraw(ws);
}

void clickMap(Workspace& ws, qint32 mousex, qint32 mousey, double reach) {
    ProjectState& st = ws.st;
    // Positions are stored in 16-bit fields; a release far outside the map is held to them.
    const auto to16 = [](qint32 v) { return qint16(std::clamp<qint32>(v, -32768, 32767)); };

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
            for (int i = n.idx; i <= st.listmax - 2; ++i) {
                st.pointx[i] = st.pointx[i + 1];
                st.pointy[i] = st.pointy[i + 1];
                st.pointdist[i] = st.pointdist[i + 1];
                swapPointExtras(st, i, i + 1);
            }
            clearPointExtras(st, st.listmax - 1);
            --st.listmax;
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
        Redraw(ws);
    }
}

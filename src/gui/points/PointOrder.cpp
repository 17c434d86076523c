#include "PointOrder.h"

#include "mapview/RouteDrawing.h"
#include "mapview/RouteEditing.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace {
int routeLength(const ProjectState& st) {
    return std::clamp<int>(st.listmax, 0, kPointSlots);
}

// The rows that name points of the route, each once, in route order.
std::vector<bool> chosenRows(const ProjectState& st, const QList<int>& rows) {
    std::vector<bool> chosen(routeLength(st));
    for (int r : rows)
        if (r >= 0 && r < int(chosen.size())) chosen[r] = true;
    return chosen;
}

// The route order afterwards: slot k takes the point now in slot order[k].
std::vector<int> orderAfterMove(const std::vector<bool>& chosen, int gap) {
    const int n = int(chosen.size());
    std::vector<int> order;
    for (int p = 0; p < gap; ++p)
        if (!chosen[p]) order.push_back(p);
    for (int p = 0; p < n; ++p)
        if (chosen[p]) order.push_back(p);
    for (int p = gap; p < n; ++p)
        if (!chosen[p]) order.push_back(p);
    return order;
}

// Puts the points in `order` by swaps, so that all a point carries goes with it; false when the
// order is the one they are in.
bool arrange(ProjectState& st, const std::vector<int>& order) {
    const int n = int(order.size());
    std::vector<int> slotOf(n), pointIn(n); // where each point is now, and which point each slot holds
    std::iota(slotOf.begin(), slotOf.end(), 0);
    std::iota(pointIn.begin(), pointIn.end(), 0);
    bool changed = false;
    for (int k = 0; k < n; ++k) {
        const int from = slotOf[order[k]];
        if (from == k) continue;
        swapPoints(st, k, from);
        const int displaced = pointIn[k];
        pointIn[from] = displaced;
        slotOf[displaced] = from;
        pointIn[k] = order[k];
        slotOf[order[k]] = k;
        changed = true;
    }
    if (changed && st.selected >= 0 && st.selected < n)
        st.selected = qint16(std::find(order.begin(), order.end(), st.selected) - order.begin());
    return changed;
}
} // namespace

QList<int> movedRows(const ProjectState& st, const QList<int>& rows, int gap) {
    const std::vector<bool> chosen = chosenRows(st, rows);
    const int before =
        int(std::count(chosen.begin(), chosen.begin() + std::clamp<int>(gap, 0, int(chosen.size())), false));
    QList<int> at;
    for (int k = 0; k < int(std::count(chosen.begin(), chosen.end(), true)); ++k)
        at << before + k;
    return at;
}

void movePoints(Workspace& ws, const QList<int>& rows, int gap) {
    const std::vector<bool> chosen = chosenRows(ws.st, rows);
    if (arrange(ws.st, orderAfterMove(chosen, std::clamp<int>(gap, 0, int(chosen.size()))))) Redraw(ws);
}

void deletePoints(Workspace& ws, const QList<int>& rows) {
    ProjectState& st = ws.st;
    const std::vector<bool> chosen = chosenRows(st, rows);
    const int kept = int(std::count(chosen.begin(), chosen.end(), false));
    if (kept == int(chosen.size())) return;
    // The points deleted go to the end, then fall out of the route.
    arrange(st, orderAfterMove(chosen, int(chosen.size())));
    for (int i = kept; i < int(chosen.size()); ++i)
        clearPointExtras(st, i);
    st.listmax = qint16(kept);
    st.selected = -1;
    Redraw(ws);
}

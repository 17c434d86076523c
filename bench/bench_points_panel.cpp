// What the points panel costs on a 99-point route with labels, on a map with coordinates: following
// one change of the project (the table told and painted), and the edits it makes itself (a value
// typed for every row, a drop of one row across the route), each with its undo step and redraw.
#include "points/PointsModel.h"
#include "points/PointsPanel.h"
#include "points/PointsTable.h"
#include "shell/EditHistory.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <cstdio>

namespace {
template <class F> double microseconds(int rounds, F&& f) {
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < rounds; ++i) {
        f(i);
        QApplication::processEvents(); // the table paints what it was told
    }
    return t.nsecsElapsed() / 1e3 / rounds;
}
} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Workspace ws;
    startUpBegin(ws, "/tmp");
    startUpFinish(ws, 1.0);
    ProjectState& st = ws.st;
    for (int i = 0; i < 99; ++i) {
        st.pointx[i] = qint16(5 + i * 6);
        st.pointy[i] = qint16(100 + (i % 7) * 40);
        st.pointlabel[i] = QString("Point of interest %1").arg(i + 1);
    }
    st.listmax = 99;
    st.georef[0] = GeoControl(0, 0, 50, 0);
    st.georef[1] = GeoControl(1000, 0, 50, 10);
    st.georef[2] = GeoControl(0, 1000, 40, 0);
    EditHistory history(ws);
    QMainWindow window;
    addPointsPanel(window, ws, history);
    window.resize(1200, 900);
    window.show();
    auto* table = window.findChild<PointsTable*>("tblPoints");
    auto* model = static_cast<PointsModel*>(table->model());
    QApplication::processEvents();

    constexpr int kRounds = 200;
    const double moved = microseconds(kRounds, [&](int i) {
        history.edit(
            "Drag point", [&] { st.pointx[50] = qint16(300 + i % 50); }, kDragPoint);
    });
    history.endDrag();
    const double relabelled =
        microseconds(kRounds, [&](int i) { history.edit("label", [&] { st.pointlabel[i % 99] += 'x'; }); });
    table->selectAll();
    const double typed = microseconds(kRounds / 10, [&](int i) {
        model->setData(model->index(0, PointsModel::Hold), QString::number(i % 7 + 1));
    });
    const double dropped = microseconds(kRounds / 10, [&](int i) {
        model->dropMimeData(model->mimeData({model->index(i % 2 ? 98 : 0, 0)}), Qt::MoveAction,
                            i % 2 ? 0 : 99, 0, {});
    });
    std::printf("99 points, lat/lon shown; per change, the table told and painted:\n");
    std::printf("  a point dragged on the map (one step merged): %.0f us\n", moved);
    std::printf("  a label changed elsewhere (one step each): %.0f us\n", relabelled);
    std::printf("  a hold typed for all 99 selected rows: %.0f us\n", typed);
    std::printf("  a row dropped across the route: %.0f us\n", dropped);
}

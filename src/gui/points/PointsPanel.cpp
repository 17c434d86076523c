#include "PointsPanel.h"

#include "PointsModel.h"
#include "PointsTable.h"
#include "shell/EditHistory.h"

#include <QCoreApplication>
#include <QDockWidget>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QScreen>
#include <QVBoxLayout>

namespace {
// Pixels: the columns of a map without coordinates and a long label, to the columns of one with.
constexpr int kNarrow = 360, kWide = 480;
// The texts' context, named so that lupdate finds them.
struct PointsPanel {
    Q_DECLARE_TR_FUNCTIONS(PointsPanel)
};
} // namespace

QDockWidget* addPointsPanel(QMainWindow& window, Workspace& ws, EditHistory& history) {
    auto* dock = new QDockWidget(PointsPanel::tr("Points"), &window);
    dock->setObjectName("dockPoints");
    dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    auto* body = new QWidget(dock);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(2, 2, 2, 2);
    auto* model = new PointsModel(ws, history, dock);
    auto* table = new PointsTable(*model, ws, history, body);
    column->addWidget(table, 1);
    // Why a typed value was not taken, until the next change.
    auto* problem = new QLabel(body);
    problem->setObjectName("lblPointsProblem");
    problem->setStyleSheet("color: #b00000");
    problem->setWordWrap(true);
    problem->hide();
    column->addWidget(problem);
    QObject::connect(model, &PointsModel::refused, problem, [problem](const QString& why) {
        problem->setText(why);
        problem->show();
    });
    QObject::connect(&history, &EditHistory::changed, problem, &QWidget::hide);
    dock->setWidget(body);
    window.addDockWidget(Qt::RightDockWidgetArea, dock);
    // The window grows by the panel, so that the map keeps its room, as far as the screen allows.
    const QScreen* screen = window.screen();
    const int room = screen ? screen->availableSize().width() - window.frameGeometry().width() : kWide;
    const int width = std::clamp(room, kNarrow, kWide);
    window.resizeDocks({dock}, {width}, Qt::Horizontal);
    window.resize(window.width() + width, window.height());

    QAction* toggle = dock->toggleViewAction();
    toggle->setText(PointsPanel::tr("&Points"));
    toggle->setObjectName("mnuPoints");
    if (auto* view = window.findChild<QMenu*>("mnuView")) {
        view->addSeparator();
        view->addAction(toggle);
    }
    return dock;
}

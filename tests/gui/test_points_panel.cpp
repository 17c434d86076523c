// The points panel on a workspace of its own: each column's edit writes its key line as one undo
// step, several selected rows are deleted or set at once, dropped rows move with all their points
// carry, and the table's current row is the selected point whichever side chose it.

#include "mapview/RouteEditing.h"
#include "points/PointsModel.h"
#include "points/PointsPanel.h"
#include "points/PointsTable.h"
#include "project/ProjectSnapshot.h"
#include "shell/EditHistory.h"
#include "support/Route.h"
#include "support/StartedWorkspace.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QScrollBar>
#include <QtTest>
#include <memory>

class PointsPanelTest : public QObject {
    Q_OBJECT
    StartedWorkspace* sw = nullptr;
    EditHistory* history = nullptr;
    QMainWindow* window = nullptr;
    PointsTable* table = nullptr;
    PointsModel* model = nullptr;
    ProjectState& st() { return sw->ws.st; }
    QString text() { return QString::fromLatin1(takeSnapshot(sw->ws).text); }

    // Each point as label/hold/line, the parts at their defaults left out.
    QString points() {
        QStringList out;
        for (int i = 0; i < st().listmax; ++i)
            out << QStringList{st().pointlabel[i],
                               st().pointhold[i] < 0 ? "" : QString::number(st().pointhold[i]),
                               st().pointpath[i]}
                       .filter(QRegularExpression("."))
                       .join('/');
        return out.join(' ');
    }
    void selectRows(const QList<int>& rows) {
        for (int r : rows)
            table->selectionModel()->select(model->index(r, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

  private slots:
    void init() {
        sw = new StartedWorkspace;
        history = new EditHistory(sw->ws);
        window = new QMainWindow;
        window->menuBar()->addMenu("View")->setObjectName("mnuView");
        setRoute(st(), "10,10 60,10 110,10 160,10 210,10");
        for (int i = 0; i < 5; ++i)
            st().pointlabel[i] = QString(QChar('A' + i));
        st().pointhold[1] = 3;
        st().pointpath[2] = "arc";
        // Control points: a map of about ten degrees a side, 50° N 0° E at its corner.
        st().georef[0] = GeoControl(0, 0, 50, 0);
        st().georef[1] = GeoControl(1000, 0, 50, 10);
        st().georef[2] = GeoControl(0, 1000, 40, 0);
        addPointsPanel(*window, sw->ws, *history);
        table = window->findChild<PointsTable*>("tblPoints");
        model = qobject_cast<PointsModel*>(table->model());
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    void cleanup() {
        delete window;
        delete history;
        delete sw;
    }

    // A typed value: its line written ("!" a line gone), or refused with a reason and no step.
    void edits_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("line");
        const auto row = [](const char* tag, int r, int c, const QString& typed, const char* line) {
            QTest::newRow(tag) << r << c << typed << QString(line);
        };
        row("label", 2, PointsModel::Label, "Quay", "label.2 = Quay\r\n");
        row("hold", 1, PointsModel::Hold, "2.5", "hold.1 = 2.5\r\n");
        row("hold back to the default", 1, PointsModel::Hold, "", "!hold.1 =");
        row("leg time", 2, PointsModel::LegTime, "4", "interval.2 = 4\r\n");
        row("line", 3, PointsModel::Path, "arc", "path.3 = arc\r\n");
        row("line back to the default", 2, PointsModel::Path, "", "!path.2 =");
        row("way of travel", 3, PointsModel::Mode, "plane", "mode.3 = plane\r\n");
        row("line style, any case", 1, PointsModel::LineStyle, "Dotted", "linestyle.1 = dotted\r\n");
        row("latitude", 1, PointsModel::Latitude, "10.25", "geo.1 = 10.25, 0.6\r\n");
        row("longitude with a letter", 0, PointsModel::Longitude, "2.5 W", "geo.0 = 49.908660824, -2.5\r\n");
        row("hold not a number", 1, PointsModel::Hold, "3x", "");
        row("hold below zero", 1, PointsModel::Hold, "-2", "");
        row("leg time too long", 2, PointsModel::LegTime, "3601", "");
        row("line not known", 2, PointsModel::Path, "curvy", "");
        row("way of travel not known", 2, PointsModel::Mode, "rocket", "");
        row("latitude off the earth", 1, PointsModel::Latitude, "95", "");
        row("longitude given a latitude", 1, PointsModel::Longitude, "12 N", "");
        row("label with a tab", 1, PointsModel::Label, "a\tb", "");
    }
    void edits() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, line);
        const QString before = text();
        const int steps = history->stack().count();
        QCOMPARE(model->setData(model->index(row, column), typed), !line.isEmpty());
        QCOMPARE(history->stack().count(), steps + !line.isEmpty());
        QCOMPARE(window->findChild<QLabel*>("lblPointsProblem")->isVisible(), line.isEmpty());
        if (line.startsWith('!'))
            QVERIFY2(!text().contains(line.mid(1)), qPrintable(text()));
        else
            QVERIFY2(text().contains(line), qPrintable(text()));
        history->stack().undo();
        QCOMPARE(text(), before);
    }

    // Several rows: Delete takes them (not the window's own Delete), a value typed in one goes to all
    // of them it applies to; one step, undone at once.
    void severalRows_data() {
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QString>("op"); // "delete", or "row,column=text"
        QTest::addColumn<QString>("after");
        const auto row = [](const char* tag, const QList<int>& rows, const char* op, const char* after) {
            QTest::newRow(tag) << rows << QString(op) << QString(after);
        };
        row("delete", {1, 2, 3}, "delete", "A E");
        row("hold for all", {1, 2, 3}, "2,2=2", "A B/2 C/2/arc D/2 E");
        row("line skips the first", {0, 1}, "1,4=arc", "A B/3/arc C/arc D E");
        row("a row outside", {1, 2}, "4,2=1", "A B/3 C/arc D E/1");
    }
    void severalRows() {
        QFETCH(QList<int>, rows);
        QFETCH(QString, op);
        auto* windowDelete = new QAction(window);
        windowDelete->setShortcut(Qt::Key_Delete);
        window->addAction(windowDelete);
        QSignalSpy mapDeletes(windowDelete, &QAction::triggered);
        selectRows(rows);
        const QString before = points();
        const int steps = history->stack().count();
        table->setFocus();
        if (op == "delete")
            QTest::keyClick(table, Qt::Key_Delete);
        else
            QVERIFY(model->setData(model->index(op.section(',', 0, 0).toInt(),
                                                op.section(QRegularExpression("[,=]"), 1, 1).toInt()),
                                   op.section('=', 1)));
        QTEST(points(), "after");
        QCOMPARE(mapDeletes.count(), 0);
        QCOMPARE(history->stack().count(), steps + 1);
        history->stack().undo();
        QCOMPARE(points(), before);
    }

    // Rows dropped into a gap: the points move with their holds and lines, stay selected, one step.
    void dragReorder_data() {
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<int>("gap");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QList<int>>("selected");
        QTest::newRow("one down") << QList<int>{0} << 3 << "B/3 C/arc A D E" << QList<int>{2};
        QTest::newRow("one up") << QList<int>{3} << 0 << "D A B/3 C/arc E" << QList<int>{0};
        QTest::newRow("two apart to the end")
            << QList<int>{1, 3} << 5 << "A C/arc E B/3 D" << QList<int>{3, 4};
        QTest::newRow("onto itself") << QList<int>{2} << 2 << "A B/3 C/arc D E" << QList<int>{2};
    }
    void dragReorder() {
        QFETCH(QList<int>, rows);
        QFETCH(int, gap);
        QModelIndexList dragged;
        for (int r : rows)
            dragged << model->index(r, PointsModel::Label);
        const int steps = history->stack().count();
        const std::unique_ptr<QMimeData> data(model->mimeData(dragged)); // a drag owns it, then frees it
        QVERIFY(model->dropMimeData(data.get(), Qt::MoveAction, gap, 0, {}));
        QTEST(points(), "after");
        QTEST(model->selectedRows(), "selected");
        QCOMPARE(history->stack().count(), steps + (points() != "A B/3 C/arc D E"));
    }

    // The current row and the selected point follow each other: "map:N" selects on the map's side
    // (an edit of st.selected), "row:N" chooses a row, "undo" takes the last step back.
    void selection_data() {
        QTest::addColumn<QString>("ops");
        QTest::addColumn<int>("selected");
        QTest::newRow("map selects the row") << "map:3" << 3;
        QTest::newRow("the row selects the point") << "row:2" << 2;
        QTest::newRow("undo") << "row:2 row:4 undo" << 2;
        QTest::newRow("map deselects") << "row:2 map:-1" << -1;
    }
    void selection() {
        QFETCH(QString, ops);
        for (const QString& op : ops.split(' ')) {
            const int n = op.section(':', 1).toInt();
            if (op.startsWith("map"))
                history->edit("Select point", [&] { st().selected = qint16(n); });
            else if (op.startsWith("row"))
                table->setCurrentIndex(model->index(n, PointsModel::Label));
            else
                history->stack().undo();
        }
        QTEST(int(st().selected), "selected");
        QCOMPARE(table->currentIndex().row(), int(st().selected));
        QCOMPARE(model->selectedRows(), st().selected < 0 ? QList<int>{} : QList<int>{st().selected});
        if (ops.startsWith("row"))
            QCOMPARE(history->stack().text(history->stack().index() - 1), "Select point");
    }

    // Changes elsewhere keep the rows chosen and the scroll position of a long route.
    void longRouteKeepsItsPlace() {
        history->edit("route", [&] { setRoute(st(), QString("5,5 ").repeated(98)); });
        table->scrollToBottom();
        selectRows({90, 91});
        const int scrolled = table->verticalScrollBar()->value();
        QVERIFY(scrolled > 0);
        history->edit("label", [&] { st().pointlabel[91] = "Quay"; });
        history->edit("add", [&] { insertPoint(sw->ws, 98, 5, 5); });
        QCOMPARE(model->rowCount(), 99);
        QCOMPARE(table->verticalScrollBar()->value(), scrolled);
        QCOMPARE(model->selectedRows(), (QList<int>{90, 91}));
        QCOMPARE(model->index(91, PointsModel::Label).data().toString(), "Quay");
    }

    // View > Points hides the panel docked right, and shows it again.
    void viewMenu() {
        auto* dock = window->findChild<QDockWidget*>("dockPoints");
        QCOMPARE(window->dockWidgetArea(dock), Qt::RightDockWidgetArea);
        for (bool shown : {false, true}) {
            window->findChild<QMenu*>("mnuView")->actions().last()->trigger();
            QCOMPARE(dock->isVisible(), shown);
        }
    }
};

QTEST_MAIN(PointsPanelTest)
#include "test_points_panel.moc"

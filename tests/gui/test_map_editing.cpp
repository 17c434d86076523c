// Editing the route and the look in the main window with real clicks and keys. The editing rules
// and the drawing are checked in the core; here each control is shown to be wired to them, and
// every kind of edit to be one undo step: undo puts back the exact project text, the map picture
// and the saved state, redo the edited ones.

#include "mapview/MapView.h"
#include "mapview/RouteEditing.h"
#include "project/ProjectCommands.h"
#include "project/ProjectSnapshot.h"
#include "settings/PropertiesDialog.h"
#include "shell/MainWindow.h"
#include "support/ModalCloser.h"
#include "support/Route.h"
#include "support/TestSettings.h"

#include "shell/EditHistory.h"
#include <QAction>
#include <QDockWidget>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

#include <QtTest>

class MapEditingTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    MainWindow* w = nullptr;
    MapView* map = nullptr;

    template <class T = QWidget> T* find(const char* name) { return w->findChild<T*>(name); }
    ProjectState& st() { return w->workspace().st; }
    void typePath(const char* dialog, const QString& path) {
        auto* box = find(dialog)->findChild<QLineEdit*>("Drive1");
        box->setText(path);
        QTest::keyClick(box, Qt::Key_Return);
    }

    // Tool buttons by name; "x,y" a click on the map's viewport there, "^x,y" with Shift, "x,y,2" a
    // double-click, "x,y>x,y" a drag; "key:K" a key sequence; "line"/"interval" a step of those bars,
    // "colour" a palette pick, "mapdir"/"map" the Get Image dialog, "renderdir" the render dialog's
    // directory; "control.property=value" a shown control set, "txtLabel=text" a point's label typed.
    void play(const QString& ops) {
        const auto at = [](const QString& xy) {
            return QPoint(xy.section(',', 0, 0).toInt(), xy.section(',', 1, 1).toInt());
        };
        QWidget* view = map->viewport();
        for (QString op : ops.split(' ', Qt::SkipEmptyParts)) {
            if (op.startsWith("key:")) {
                QTest::keySequence(w, QKeySequence(op.mid(4)));
            } else if (op.contains('=')) {
                const QString name = op.section('=', 0, 0);
                QWidget* c = find(qPrintable(name.section('.', 0, 0)));
                if (!c || !c->isVisible()) QFAIL(qPrintable(name + " is not shown"));
                if (auto* box = qobject_cast<QLineEdit*>(c)) {
                    box->setText(op.section('=', 1));
                    emit box->editingFinished();
                } else
                    c->setProperty(qPrintable(name.section('.', 1)), op.section('=', 1));
            } else if (op.contains('>')) {
                const QPoint from = at(op.section('>', 0, 0)), to = at(op.section('>', 1));
                QTest::mousePress(view, Qt::LeftButton, {}, from);
                QTest::mouseMove(view, (from + to) / 2);
                QTest::mouseMove(view, to);
                QTest::mouseRelease(view, Qt::LeftButton, {}, to);
            } else if (op.contains(',')) {
                const bool shift = op.startsWith('^');
                QTest::mouseClick(view, Qt::LeftButton, shift ? Qt::ShiftModifier : Qt::NoModifier,
                                  at(op.mid(shift)));
                if (op.count(',') == 2) { // the rest of a double-click
                    QTest::mouseDClick(view, Qt::LeftButton, {}, at(op));
                    QTest::mouseRelease(view, Qt::LeftButton, {}, at(op));
                }
            } else if (op == "line" || op == "interval") { // a click on the bar's right arrow
                QWidget* bar = find(op == "line" ? "scrlLineThick" : "scrlinterval");
                QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 3, bar->height() / 2));
            } else if (op == "colour") {
                QTest::mouseClick(find("piccolor"), Qt::LeftButton, {}, QPoint(125, 25));
            } else if (op == "mapdir" || op == "renderdir") {
                typePath(op == "mapdir" ? "frmGetImage" : "frmRender", op == "mapdir" ? dir.path() : "/");
            } else if (op == "map") {
                find<QListWidget>("List1")->setCurrentRow(0);
                QTest::mouseClick(find("btnOpen"), Qt::LeftButton);
            } else {
                QTest::mouseClick(find(qPrintable(op)), Qt::LeftButton);
            }
        }
    }

  private slots:
    void initTestCase() {
        QImage blue(40, 30, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        QVERIFY(blue.save(dir.filePath("blue.png")));
    }
    void init() {
        QSettings("pathwright", "pathwright").setValue("ui/classicDialogs", true); // Get Image's list
        w = new MainWindow(dir.path());
        // The offscreen screen is 800 x 600: without the timeline the map shows at 1:1, as these
        // clicks in map pixels assume.
        w->findChild<QDockWidget*>("dockTimeline")->close();
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        map = w->findChild<MapView*>("frmImage");
        QVERIFY(map);
        // Clicks are at frame pixels: on a small screen the map needs the points panel's room too.
        w->findChild<QDockWidget*>("dockPoints")->hide();
        QCoreApplication::processEvents();
        w->mnuFit_Click();
    }
    void cleanup() { delete w; }

    // One row per mode of the map click and per direct edit, each with its cursor; "add" also shows
    // the start in add mode. Exactly one mode button is pressed: the mode's. The buttons left out
    // here are pressed in undoAndRedoEachKind.
    void sequences_data() {
        QTest::addColumn<QString>("ops");
        QTest::addColumn<QString>("route");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("cursor");
        const auto row = [](const char* tag, const QString& ops, const char* route, int sel,
                            Qt::CursorShape c) {
            QTest::newRow(tag) << ops << QString(route) << sel << int(c);
        };
        const QString three = "20,20 100,100 200,150";
        row("add", three, "20,20 100,100 200,150", -1, Qt::CrossCursor);
        row("move selects, then anywhere", three + " btnMove 110,95 500,400", "20,20 500,400 200,150", 1,
            Qt::SizeAllCursor);
        row("back", three + " btnSeek 200,150 btnBack", "20,20 200,150 100,100", 1, Qt::ArrowCursor);
        row("drag a point", three + " 100,100>300,300", "20,20 300,300 200,150", -1, Qt::CrossCursor);
        row("a drag undoes at once", three + " 100,100>300,300 key:Ctrl+Z", three.toLatin1(), -1,
            Qt::CrossCursor);
        row("press off points, no drag", three + " 400,400>420,420", "20,20 100,100 200,150 420,420", -1,
            Qt::CrossCursor);
        row("shift on a leg inserts", three + " btnMinus ^60,62", "20,20 60,62 100,100 200,150", -1,
            Qt::WhatsThisCursor);
        row("shift off the legs clicks", three + " ^400,10", "20,20 100,100 200,150 400,10", -1,
            Qt::CrossCursor);
        row("delete key", three + " btnSeek 100,100 key:Del", "20,20 200,150", -1, Qt::ArrowCursor);
        row("nudges", three + " btnSeek 20,20 key:Left key:Shift+Down", "19,30 100,100 200,150", 0,
            Qt::ArrowCursor);
    }
    void sequences() {
        QFETCH(QString, ops);
        play(ops);
        QTEST(routeText(st()), "route");
        QTEST(int(st().selected), "selected");
        QTEST(int(map->cursor().shape()), "cursor");
        QStringList pressed;
        for (const char* b : {"btnPlus", "btnMinus", "btnSeek", "btnMove"})
            if (find<QPushButton>(b)->isChecked()) pressed << b;
        const QMap<QChar, QString> modes{
            {u'+', "btnPlus"}, {u'-', "btnMinus"}, {u'o', "btnSeek"}, {u'>', "btnMove"}};
        QCOMPARE(pressed, QStringList{modes[st().editmode]});
    }

    // A Shift+click on a leg of a route with the most points a click can make is refused and said.
    void insertAtTheLimit() {
        ModalCloser closer;
        for (int i = 0; i < kMousePointLimit; ++i)
            play(QString("%1,10").arg(5 + i * 6));
        play("^8,10");
        QCOMPARE(st().listmax, kMousePointLimit);
        QCOMPARE(closer.texts.filter("99 points").size(), 1);
    }

    // Clicks on the view at a zoom (and scrolled) land on the frame pixel under them; the reach of
    // 25 screen pixels is 50 frame pixels at 50 % and 12.5 at 200 %.
    void zoomedClicks_data() {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QPoint>("scroll");
        QTest::addColumn<QString>("ops");
        QTest::addColumn<QString>("route");
        auto row = [](const char* tag, double zoom, QPoint scroll, const char* ops, const char* route) {
            QTest::newRow(tag) << zoom << scroll << QString(ops) << QString(route);
        };
        row("50 %", 0.5, {}, "10,20", "20,40");
        row("200 %, halves to even", 2.0, {}, "11,21", "6,10");
        row("200 %, scrolled", 2.0, {100, 40}, "10,20", "55,30");
        row("reach at 50 %", 0.5, {}, "50,50 btnMinus 74,50", "");
        row("miss at 200 %", 2.0, {}, "50,50 btnMinus 76,50", "25,25");
    }
    void zoomedClicks() {
        QFETCH(double, zoom);
        QFETCH(QPoint, scroll);
        QFETCH(QString, ops);
        map->setZoom(zoom);
        map->horizontalScrollBar()->setValue(scroll.x());
        map->verticalScrollBar()->setValue(scroll.y());
        play(ops);
        QTEST(routeText(st()), "route");
    }

    // The menu entry and the swatch open the one modeless dialog.
    void propertiesDialogIsOpenedOnce() {
        find<QAction>("mnuProperties")->trigger();
        auto* dlg = w->findChild<PropertiesDialog*>("frmProperties");
        QVERIFY(dlg);
        QVERIFY(QTest::qWaitForWindowActive(dlg));
        QTest::mouseClick(dlg->findChild<QPushButton*>("btnClose"), Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QTest::mouseClick(find("picStyle"), Qt::LeftButton);
        QCOMPARE(w->findChildren<PropertiesDialog*>().size(), 1);
        QVERIFY(dlg->isVisible());
    }

    // Each kind of edit after a save, undone and redone; a look control writes its own line, and a
    // double-click opens the point under it in any mode without changing the route.
    // A double-click on a point opens its dialog and leaves no step behind: nothing to redo (a
    // redo would add a hidden point beside it), the route as it was.
    void doubleClickLeavesNoStep_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("add mode") << "btnPlus";
        QTest::newRow("delete mode") << "btnMinus";
    }
    void doubleClickLeavesNoStep() {
        QFETCH(QString, mode);
        play("20,20 100,100 200,150 " + mode);
        const int steps = w->history().stack().count();
        play("100,100,2");
        QCOMPARE(int(st().listmax), 3);
        QVERIFY(!w->history().stack().canRedo());
        QCOMPARE(w->history().stack().count(), steps);
    }

    void undoAndRedoEachKind_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QByteArray>("line"); // a line the edited project text holds
        const QString three = "20,20 100,100 200,150 ";
        for (auto [tag, setup, op, line] : std::initializer_list<std::array<QString, 4>>{
                 {"add", "", "30,30", ""},
                 {"delete", three + "btnMinus", "100,100", ""},
                 {"move", three + "btnSeek 100,100 btnMove", "300,200", ""},
                 {"back", three + "btnSeek 100,100", "btnBack", ""},
                 {"fore", three + "btnSeek 100,100", "btnFore", ""},
                 {"select", three + "btnSeek", "200,150", ""},
                 {"deselect", three + "btnSeek 20,20", "btnPlus", ""},
                 {"format", "", "btnPAL", ""},
                 {"line", "", "line", ""},
                 {"colour", "", "colour", ""},
                 {"interval", "", "interval", ""},
                 {"map", "mapdir", "map", ""},
                 {"render", "", "renderdir", ""},
                 {"hold", "", "spinHold.value=2.5", "hold = 2.5"},
                 {"timing", "", "cboTiming.currentIndex=1", "timing = speed"},
                 {"easing", "", "cboEasing.currentIndex=1", "easing = smooth"},
                 {"marker", "", "cboMarker.currentIndex=2", "marker = arrow"},
                 {"casing", "", "chkCasing.checked=true", "casing = 0"},
                 {"label size", "", "spinLabelSize.value=30", "labelsize = 30"},
                 {"label in add mode", three + "btnPlus", "100,100,2 txtLabel=Quay", "label.1 = Quay"},
                 {"label in delete mode", three + "btnMinus", "100,100,2 txtLabel=Quay", "label.1 = Quay"},
                 {"label in select mode", three + "btnSeek 100,100", "100,100,2 txtLabel=Quay",
                  "label.1 = Quay"}})
            QTest::newRow(qPrintable(tag)) << setup << op << line.toUtf8();
    }
    void undoAndRedoEachKind() {
        w->imgThumb_Click();
        find<QAction>("mnuRender")->trigger();
        w->mnuProperties_Click();
        QFETCH(QString, setup);
        play(setup);
        QVERIFY(w->projectCommands().saveProject(dir.path() + '/', "t.wsr", w));
        const ProjectSnapshot before = takeSnapshot(w->workspace());
        QFETCH(QString, op);
        play(op);
        const ProjectSnapshot after = takeSnapshot(w->workspace());
        QVERIFY(!(after == before));
        QFETCH(QByteArray, line);
        QVERIFY2(line.isEmpty() || after.text.contains(line + "\r\n"), after.text.constData());
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        for (const auto& [key, state, caption] : {std::tuple(QKeySequence("Ctrl+Z"), before, "t.wsr"),
                                                  {QKeySequence("Ctrl+Shift+Z"), after, "t.wsr*"},
                                                  {QKeySequence("Ctrl+Z"), before, "t.wsr"},
                                                  {QKeySequence("Ctrl+Y"), after, "t.wsr*"}}) {
            QTest::keySequence(w, key);
            QCOMPARE(takeSnapshot(w->workspace()).text, state.text);
            QVERIFY(takeSnapshot(w->workspace()) == state);
            QVERIFY(w->windowTitle().endsWith(caption));
        }
    }
};

QTEST_MAIN(MapEditingTest)
#include "test_map_editing.moc"

// Editing the route in the main window with real clicks on the map window and the tool bar,
// and opening the properties dialog. The editing rules and the drawing are checked in the core;
// here each control is shown to be wired to them.

#include "mapview/MapView.h"
#include "mapview/RouteEditing.h"
#include "settings/PropertiesDialog.h"
#include "shell/MainWindow.h"
#include "support/ModalCloser.h"
#include "support/Route.h"

#include <QAction>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>
#include <QtTest>

class MapEditingTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    MainWindow* w = nullptr;
    MapView* map = nullptr;

    QWidget* child(const char* name) { return w->findChild<QWidget*>(name); }
    ProjectState& st() { return w->workspace().st; }
    QString routeText() { return ::routeText(st()); }

    // "+", "-", "o", ">", "<<", ">>" press those tool buttons; "x,y" clicks the map there, "^x,y"
    // with Shift, "x,y>x,y" drags; "z" is Ctrl+Z and the other words name keys ("S+" Shift).
    void play(const QString& ops) {
        static const QMap<QString, const char*> buttons{{"+", "btnPlus"},  {"-", "btnMinus"},
                                                        {"o", "btnSeek"},  {">", "btnMove"},
                                                        {"<<", "btnBack"}, {">>", "btnFore"}};
        static const QMap<QString, QKeyCombination> keys{{"z", Qt::CTRL | Qt::Key_Z},
                                                         {"Del", QKeyCombination(Qt::Key_Delete)},
                                                         {"Left", QKeyCombination(Qt::Key_Left)},
                                                         {"S+Down", Qt::SHIFT | Qt::Key_Down}};
        const auto at = [](const QString& xy) {
            return QPoint(xy.section(',', 0, 0).toInt(), xy.section(',', 1).toInt());
        };
        for (QString op : ops.split(' ', Qt::SkipEmptyParts)) {
            const bool shift = op.startsWith('^');
            if (shift) op.remove(0, 1);
            if (buttons.contains(op)) {
                QTest::mouseClick(child(buttons[op]), Qt::LeftButton);
            } else if (keys.contains(op)) {
                QTest::keyClick(w, keys[op].key(), keys[op].keyboardModifiers());
            } else if (op.contains('>')) {
                const QPoint from = at(op.section('>', 0, 0)), to = at(op.section('>', 1));
                QTest::mousePress(map->viewport(), Qt::LeftButton, {}, from);
                QTest::mouseMove(map->viewport(), (from + to) / 2);
                QTest::mouseMove(map->viewport(), to);
                QTest::mouseRelease(map->viewport(), Qt::LeftButton, {}, to);
            } else {
                QTest::mouseClick(map->viewport(), Qt::LeftButton, shift ? Qt::ShiftModifier : Qt::NoModifier,
                                  at(op));
            }
        }
    }

  private slots:
    void init() {
        w = new MainWindow(dir.path());
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        map = w->findChild<MapView*>("frmImage");
        QVERIFY(map);
    }
    void cleanup() { delete w; }

    // One row per button, per mode of the map click and per direct edit; "add" also shows the start
    // in add mode. Exactly one mode button is pressed: the mode's.
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
        row("delete", three + " - 103,98", "20,20 200,150", -1, Qt::WhatsThisCursor);
        row("move selects, then anywhere", three + " > 110,95 500,400", "20,20 500,400 200,150", 1,
            Qt::SizeAllCursor);
        row("back", three + " o 200,150 <<", "20,20 200,150 100,100", 1, Qt::ArrowCursor);
        row("fore", three + " o 20,20 >>", "100,100 20,20 200,150", 1, Qt::ArrowCursor);
        row("plus clears", three + " o 20,20 +", "20,20 100,100 200,150", -1, Qt::CrossCursor);
        row("drag a point", three + " 100,100>300,300", "20,20 300,300 200,150", -1, Qt::CrossCursor);
        row("a drag undoes at once", three + " 100,100>300,300 z", three.toLatin1(), -1, Qt::CrossCursor);
        row("press off points, no drag", three + " 400,400>420,420", "20,20 100,100 200,150 420,420", -1,
            Qt::CrossCursor);
        row("shift on a leg inserts", three + " - ^60,62", "20,20 60,62 100,100 200,150", -1,
            Qt::WhatsThisCursor);
        row("shift off the legs clicks", three + " ^400,10", "20,20 100,100 200,150 400,10", -1,
            Qt::CrossCursor);
        row("delete key", three + " o 100,100 Del", "20,20 200,150", -1, Qt::ArrowCursor);
        row("nudges", three + " o 20,20 Left S+Down", "19,30 100,100 200,150", 0, Qt::ArrowCursor);
    }
    void sequences() {
        QFETCH(QString, ops);
        play(ops);
        QTEST(routeText(), "route");
        QTEST(int(st().selected), "selected");
        QTEST(int(map->cursor().shape()), "cursor");
        QStringList pressed;
        for (const char* b : {"btnPlus", "btnMinus", "btnSeek", "btnMove"})
            if (w->findChild<QPushButton*>(b)->isChecked()) pressed << b;
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
        row("reach at 50 %", 0.5, {}, "50,50 - 74,50", "");
        row("miss at 200 %", 2.0, {}, "50,50 - 76,50", "25,25");
    }
    void zoomedClicks() {
        QFETCH(double, zoom);
        QFETCH(QPoint, scroll);
        QFETCH(QString, ops);
        map->setZoom(zoom);
        map->horizontalScrollBar()->setValue(scroll.x());
        map->verticalScrollBar()->setValue(scroll.y());
        play(ops);
        QTEST(routeText(), "route");
    }

    // The menu entry and the swatch open the one modeless dialog.
    void propertiesDialogIsOpenedOnce() {
        w->findChild<QAction*>("mnuProperties")->trigger();
        auto* dlg = w->findChild<PropertiesDialog*>("frmProperties");
        QVERIFY(dlg);
        QVERIFY(QTest::qWaitForWindowActive(dlg));
        QTest::mouseClick(dlg->findChild<QPushButton*>("btnClose"), Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QTest::mouseClick(child("picStyle"), Qt::LeftButton);
        QCOMPARE(w->findChildren<PropertiesDialog*>().size(), 1);
        QVERIFY(dlg->isVisible());
    }
};

QTEST_MAIN(MapEditingTest)
#include "test_map_editing.moc"

// Editing the route in the main window with real clicks on the map window and the tool bar,
// and setting its style through the properties dialog.

#include "mapview/ImageView.h"
#include "settings/PropertiesDialog.h"
#include "shell/MainWindow.h"
#include "support/Pixels.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QtTest>

namespace {
QString routeText(const ProjectState& st) {
    QStringList pts;
    for (int i = 0; i < st.listmax; ++i)
        pts << QString("%1,%2").arg(st.pointx[i]).arg(st.pointy[i]);
    return pts.join(' ');
}
} // namespace

class MapEditingTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    MainWindow* w = nullptr;
    ImageView* map = nullptr;

    QWidget* child(const char* name) { return w->findChild<QWidget*>(name); }
    ProjectState& st() { return w->workspace().st; }

    // "+", "-", "o", ">", "<<", ">>" press those tool buttons; "x,y" clicks the map there.
    void play(const QString& ops) {
        static const QMap<QString, const char*> buttons{{"+", "btnPlus"},  {"-", "btnMinus"},
                                                        {"o", "btnSeek"},  {">", "btnMove"},
                                                        {"<<", "btnBack"}, {">>", "btnFore"}};
        for (const QString& op : ops.split(' ', Qt::SkipEmptyParts)) {
            if (buttons.contains(op)) {
                QTest::mouseClick(child(buttons[op]), Qt::LeftButton);
            } else {
                const QPoint at(op.section(',', 0, 0).toInt(), op.section(',', 1, 1).toInt());
                QTest::mouseClick(map, Qt::LeftButton, {}, at);
            }
        }
    }

  private slots:
    void init() {
        w = new MainWindow(dir.path());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        map = w->findChild<ImageView*>("frmImage");
        QVERIFY(map);
    }
    void cleanup() { delete w; }

    void startsInAddMode() {
        QCOMPARE(st().editmode, QChar('+'));
        QCOMPARE(st().selected, -1);
        QCOMPARE(map->cursor().shape(), Qt::CrossCursor);
    }

    void sequences_data() {
        QTest::addColumn<QString>("ops");
        QTest::addColumn<QString>("route");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("cursor");
        const QString three = "20,20 100,100 200,150";
        QTest::newRow("add") << three << three << -1 << int(Qt::CrossCursor);
        QTest::newRow("delete") << three + " - 103,98"
                                << "20,20 200,150" << -1 << int(Qt::WhatsThisCursor);
        QTest::newRow("delete miss") << three + " - 150,20" << three << -1 << int(Qt::WhatsThisCursor);
        QTest::newRow("delete at 25 out") << "100,100 - 85,80"
                                          << "100,100" << -1 << int(Qt::WhatsThisCursor);
        QTest::newRow("delete at 24.04 in") << "100,100 - 83,83"
                                            << "" << -1 << int(Qt::WhatsThisCursor);
        QTest::newRow("delete tie") << "100,100 120,100 - 110,100"
                                    << "120,100" << -1 << int(Qt::WhatsThisCursor);
        QTest::newRow("select") << three + " o 198,152" << three << 2 << int(Qt::ArrowCursor);
        QTest::newRow("select miss keeps")
            << three + " o 198,152 400,400" << three << 2 << int(Qt::ArrowCursor);
        QTest::newRow("move selects and moves") << three + " > 110,95"
                                                << "20,20 110,95 200,150" << 1 << int(Qt::SizeAllCursor);
        QTest::newRow("second click anywhere") << three + " > 110,95 500,400"
                                               << "20,20 500,400 200,150" << 1 << int(Qt::SizeAllCursor);
        QTest::newRow("move twice clears")
            << three + " o 100,100 > >" << three << -1 << int(Qt::SizeAllCursor);
        QTest::newRow("then picks anew") << three + " o 100,100 > > 25,15"
                                         << "25,15 100,100 200,150" << 0 << int(Qt::SizeAllCursor);
        QTest::newRow("back") << three + " o 200,150 <<"
                              << "20,20 200,150 100,100" << 1 << int(Qt::ArrowCursor);
        QTest::newRow("back at start") << three + " o 20,20 <<" << three << 0 << int(Qt::ArrowCursor);
        QTest::newRow("fore") << three + " o 20,20 >>"
                              << "100,100 20,20 200,150" << 1 << int(Qt::ArrowCursor);
        QTest::newRow("fore at end") << three + " o 200,150 >>" << three << 2 << int(Qt::ArrowCursor);
        QTest::newRow("plus clears") << three + " o 20,20 +" << three << -1 << int(Qt::CrossCursor);
    }
    void sequences() {
        QFETCH(QString, ops);
        play(ops);
        QTEST(routeText(st()), "route");
        QTEST(int(st().selected), "selected");
        QTEST(int(map->cursor().shape()), "cursor");
    }

    void clickDrawsOnTheSpot() {
        Workspace& ws = w->workspace();
        ws.map.box(0, 0, 2, 2, 255 << 16); // a mark any redraw would wipe
        play("100,100 200,100");
        const QImage shown = map->grab().toImage();
        QCOMPARE(rgbAt(shown, 100, 100), 0xff0000u); // dot
        QCOMPARE(rgbAt(shown, 190, 100), 0xff0000u); // circle of the second point
        QCOMPARE(rgbAt(shown, 150, 100), 0xff0000u); // line
        QCOMPARE(rgbAt(shown, 1, 1), 0x0000ffu);
    }

    void selectionShowsInTheHighlight() {
        play("100,100 300,100 o 299,101");
        const QImage shown = map->grab().toImage();
        QCOMPARE(rgbAt(shown, 310, 100), 0xffff00u);
        QCOMPARE(rgbAt(shown, 90, 100), 0xff0000u);
    }

    void releaseRoundsHalfToEven_data() {
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<QPoint>("point");
        QTest::newRow("10.5, 11.5") << QPointF(10.5, 11.5) << QPoint(10, 12);
        QTest::newRow("12.5, 13.4") << QPointF(12.5, 13.4) << QPoint(12, 13);
    }
    void releaseRoundsHalfToEven() {
        QFETCH(QPointF, at);
        const QPointF global = map->mapToGlobal(at);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, {});
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, {});
        QApplication::sendEvent(map, &press);
        QApplication::sendEvent(map, &release);
        QCOMPARE(st().listmax, 1);
        QTEST(QPoint(st().pointx[0], st().pointy[0]), "point");
    }

    void limitOf99Points() {
        for (int i = 0; i < 101; ++i)
            QTest::mouseClick(map, Qt::LeftButton, {}, QPoint(5 + 6 * i % 600, 50));
        QCOMPARE(st().listmax, 99);
    }

    void swatchClickOpensPropertiesOnce() {
        QTest::mouseClick(child("picStyle"), Qt::LeftButton);
        auto* dlg = w->findChild<PropertiesDialog*>("frmProperties");
        QVERIFY(dlg);
        QVERIFY(QTest::qWaitForWindowActive(dlg));
        QCOMPARE(dlg->windowTitle(), QString("Pathwright - Properties"));
        QTest::mouseClick(dlg->findChild<QPushButton*>("btnClose"), Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QTest::mouseClick(child("picStyle"), Qt::LeftButton);
        QCOMPARE(w->findChildren<PropertiesDialog*>().size(), 1);
        QVERIFY(dlg->isVisible());
    }

    void paletteTurnsTheRoute() {
        play("100,100 300,100");
        w->mnuProperties_Click();
        auto* dlg = w->findChild<PropertiesDialog*>("frmProperties");
        QVERIFY(QTest::qWaitForWindowActive(dlg));
        QTest::mouseClick(dlg->findChild<QWidget*>("piccolor"), Qt::LeftButton, {}, QPoint(65, 45));
        QCOMPARE(st().color, 128 * 256 + 255 * 65536);
        const QImage shown = map->grab().toImage();
        QCOMPARE(rgbAt(shown, 200, 100), 0x0080ffu);                             // the line
        QCOMPARE(rgbAt(shown, 290, 100), 0x0080ffu);                             // a circle
        QCOMPARE(rgbAt(child("picStyle")->grab().toImage(), 40, 13), 0x0080ffu); // the swatch
    }
};

QTEST_MAIN(MapEditingTest)
#include "test_map_editing.moc"

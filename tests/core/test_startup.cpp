// The start-up sequence: the bare map, the swatch and the default paths.
#include "shell/Startup.h"
#include "support/Pixels.h"

#include <QtTest>

class StartupTest : public QObject {
    Q_OBJECT
    Workspace ws;

  private slots:
    void initTestCase() {
        startUpBegin(ws, "/opt/pathwright");
        startUpFinish(ws, 1.05);
    }

    void mapShowsOnlyItsBackground() { // white on every desktop, at the NTSC frame size
        QCOMPARE(ws.map.image().size(), QSize(654, 480));
        QCOMPARE(runLength(ws.map.image(), 0, 240, 0xffffff, true), 654);
    }

    void swatchShowsOneRedLeg_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("red");
        QTest::newRow("line edge, width 5") << QPoint(44, 15) << true;
        QTest::newRow("beyond line width") << QPoint(44, 17) << false;
        QTest::newRow("left circle top") << QPoint(13, 3) << true;
        QTest::newRow("inside left circle, below line") << QPoint(13, 18) << false;
        QTest::newRow("right circle bottom") << QPoint(74, 23) << true;
        QTest::newRow("outside right circle") << QPoint(87, 13) << false;
    }
    void swatchShowsOneRedLeg() {
        QFETCH(QPoint, at);
        QTEST(rgbAt(ws.swatch.image(), at.x(), at.y()) == 0xff0000, "red");
    }

    void directoryGetsOneSeparator_data() {
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("projectdir");
        QTest::newRow("root") << QString("/") << QString("/");
        QTest::newRow("plain") << QString("/usr/bin") << QString("/usr/bin/");
        QTest::newRow("already ends in one") << QString("/usr/bin/") << QString("/usr/bin/");
    }
    void directoryGetsOneSeparator() {
        QFETCH(QString, dir);
        Workspace fresh;
        startUpBegin(fresh, dir);
        QTEST(fresh.st.projectdir, "projectdir");
    }
};

QTEST_GUILESS_MAIN(StartupTest)
#include "test_startup.moc"

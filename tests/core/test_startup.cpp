// The start-up sequence: every field's start value, the swatch and the default paths.
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

    void startValues() {
        const ProjectState& st = ws.st;
        QCOMPARE(st.version, QString("1.1"));
        QCOMPARE(st.title, QString("Vantorel * Pathwright 1.1"));
        QCOMPARE(st.projectdir, QString("/opt/pathwright/"));
        QCOMPARE(st.imagepath, st.projectdir);
        QCOMPARE(st.renderpath, st.projectdir);
        QVERIFY(st.projectname.isEmpty() && st.imagename.isEmpty() && st.rendername.isEmpty());
        QCOMPARE(st.listmax, qint16(0));
        QCOMPARE(st.selected, qint16(-1));
        QCOMPARE(st.editmode, QChar(u'+'));
        QCOMPARE(st.format, QChar(u'n'));
        QCOMPARE(st.framewidth, qint16(654));
        QCOMPARE(st.frameheight, qint16(480));
        QCOMPARE(st.fps, 29.97);
        QCOMPARE(st.interval, 2.0);
        QCOMPARE(st.delay, 2.0 * 29.97);
        QCOMPARE(st.color, 255);
        QCOMPARE(st.selcolor, 65535);
        QCOMPARE(st.linethick, qint16(5));
        QCOMPARE(st.circlethick, qint16(3));
        QCOMPARE(st.circleradius, qint16(10));
        QCOMPARE(st.sizeratio, 1.05);
        QVERIFY(!st.waiting);
        for (int i = 0; i < kPointSlots; ++i)
            QCOMPARE(st.pointdist[i], 0.0);
    }

    void mapShowsOnlyItsBackground() {
        const QImage img = ws.map.image();
        QCOMPARE(img.size(), QSize(654, 480));
        QCOMPARE(runLength(img, 0, 240, 0xffffff, true), 654);
    }

    void swatchShowsOneRedLeg_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<bool>("red");
        QTest::newRow("line middle") << 44 << 13 << true;
        QTest::newRow("line edge, width 5") << 44 << 15 << true;
        QTest::newRow("beyond line width") << 44 << 17 << false;
        QTest::newRow("left circle, right of centre") << 23 << 13 << true;
        QTest::newRow("left circle top") << 13 << 3 << true;
        QTest::newRow("inside left circle, below line") << 13 << 18 << false;
        QTest::newRow("right circle bottom") << 74 << 23 << true;
        QTest::newRow("outside right circle") << 87 << 13 << false;
    }
    void swatchShowsOneRedLeg() {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(bool, red);
        const QImage img = ws.swatch.image();
        QCOMPARE(img.size(), QSize(91, 31));
        QCOMPARE(rgbAt(img, x, y) == 0xff0000, red);
    }

    void directoryGetsOneSeparator_data() {
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("projectdir");
        QTest::newRow("root") << "/"
                              << "/";
        QTest::newRow("plain") << "/usr/bin"
                               << "/usr/bin/";
        QTest::newRow("already ends in one") << "/usr/bin/"
                                             << "/usr/bin/";
    }
    void directoryGetsOneSeparator() {
        QFETCH(QString, dir);
        QFETCH(QString, projectdir);
        Workspace fresh;
        startUpBegin(fresh, dir);
        QCOMPARE(fresh.st.projectdir, projectdir);
        QCOMPARE(fresh.st.renderpath, projectdir);
    }
};

QTEST_GUILESS_MAIN(StartupTest)
#include "test_startup.moc"

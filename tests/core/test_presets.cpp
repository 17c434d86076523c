// The NTSC and PAL presets.
#include "settings/Presets.h"
#include "shell/Startup.h"

#include <QtTest>

class PresetsTest : public QObject {
    Q_OBJECT
  private slots:
    void values_data() {
        QTest::addColumn<bool>("pal");
        QTest::addColumn<double>("interval");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QChar>("format");
        QTest::addColumn<double>("fps");
        QTest::addColumn<double>("delay");
        QTest::newRow("NTSC 2 s") << false << 2.0 << 654 << 480 << QChar(u'n') << 29.97 << 59.94;
        QTest::newRow("PAL 2 s") << true << 2.0 << 786 << 576 << QChar(u'p') << 25.0 << 50.0;
        QTest::newRow("NTSC 0.5 s") << false << 0.5 << 654 << 480 << QChar(u'n') << 29.97 << 14.985;
        QTest::newRow("PAL 0.5 s") << true << 0.5 << 786 << 576 << QChar(u'p') << 25.0 << 12.5;
    }
    void values() {
        QFETCH(bool, pal);
        QFETCH(double, interval);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QChar, format);
        QFETCH(double, fps);
        QFETCH(double, delay);
        Workspace ws;
        ws.st.interval = interval;
        ws.st.pointx[0] = 700; // points keep their coordinates, inside the frame or not
        ws.st.listmax = 1;
        for (int press = 0; press < 2; ++press) { // a second press changes nothing
            pal ? SetPAL(ws) : SetNTSC(ws);
            QCOMPARE(int(ws.st.framewidth), width);
            QCOMPARE(int(ws.st.frameheight), height);
            QCOMPARE(ws.st.format, format);
            QCOMPARE(ws.st.fps, fps);
            QCOMPARE(ws.st.delay, delay);
            QCOMPARE(ws.map.image().size(), QSize(width, height));
            QCOMPARE(ws.st.pointx[0], qint16(700));
        }
    }

    void switchingBackRestoresTheExactSize() {
        Workspace ws;
        startUpBegin(ws, "/tmp");
        startUpFinish(ws, 1.0);
        int resized = 0;
        ws.mapResized = [&] { ++resized; };
        SetPAL(ws);
        QCOMPARE(ws.map.image().size(), QSize(786, 576));
        SetNTSC(ws);
        QCOMPARE(ws.map.image().size(), QSize(654, 480));
        QCOMPARE(resized, 2);
    }
};

QTEST_GUILESS_MAIN(PresetsTest)
#include "test_presets.moc"

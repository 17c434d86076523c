// The NTSC and PAL presets.
#include "settings/Presets.h"

#include <QtTest>

class PresetsTest : public QObject {
    Q_OBJECT
  private slots:
    void values_data() {
        QTest::addColumn<bool>("pal");
        QTest::addColumn<double>("interval");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QChar>("format");
        QTest::addColumn<double>("fps");
        QTest::addColumn<double>("delay");
        QTest::newRow("NTSC 0.5 s") << false << 0.5 << QSize(654, 480) << QChar(u'n') << 29.97 << 14.985;
        QTest::newRow("PAL 2 s") << true << 2.0 << QSize(786, 576) << QChar(u'p') << 25.0 << 50.0;
    }
    void values() {
        QFETCH(bool, pal);
        QFETCH(double, interval);
        QFETCH(QSize, size);
        Workspace ws;
        ws.st.interval = interval;
        ws.st.pointx[0] = 700; // points keep their coordinates, inside the frame or not
        ws.st.listmax = 1;
        for (int press = 0; press < 2; ++press) { // a second press changes nothing
            pal ? SetPAL(ws) : SetNTSC(ws);
            QCOMPARE(QSize(ws.st.framewidth, ws.st.frameheight), size);
            QTEST(ws.st.format, "format");
            QTEST(ws.st.fps, "fps");
            QTEST(ws.st.delay, "delay");
            QCOMPARE(ws.map.image().size(), size);
            QCOMPARE(ws.st.pointx[0], qint16(700));
        }
    }
};

QTEST_GUILESS_MAIN(PresetsTest)
#include "test_presets.moc"

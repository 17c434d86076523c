// The table of video formats: each row's frame size and rate, the letter an older reader sees,
// the exact rates a video needs and the frames a render gives at the new sizes.
#include "animation/Render.h"
#include "project/ProjectText.h"
#include "settings/Presets.h"
#include "settings/VideoFormats.h"
#include "support/AnimationSupport.h"

#include <QtTest>

class VideoFormatsTest : public QObject {
    Q_OBJECT
  private slots:
    void rows_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("rate"); // asked for; NTSC and PAL keep their own
        QTest::addColumn<QSize>("size");  // asked for Custom
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QChar>("format");
        QTest::addColumn<double>("fps");
        QTest::addColumn<QString>("label");
        QTest::newRow("NTSC") << "ntsc" << 60.0 << QSize() << QSize(654, 480) << QChar(u'n') << 29.97
                              << "NTSC 29.97";
        QTest::newRow("PAL") << "PAL" << 30.0 << QSize() << QSize(786, 576) << QChar(u'p') << 25.0
                             << "PAL 25";
        QTest::newRow("720p") << "720p" << 23.976 << QSize() << QSize(1280, 720) << QChar(u'c') << 23.976
                              << "720p 23.976";
        QTest::newRow("1080p") << "1080P" << 59.94 << QSize() << QSize(1920, 1080) << QChar(u'c') << 59.94
                               << "1080p 59.94";
        QTest::newRow("1440p") << "1440p" << 50.0 << QSize() << QSize(2560, 1440) << QChar(u'c') << 50.0
                               << "1440p 50";
        QTest::newRow("4K") << "4k uhd" << 24.0 << QSize() << QSize(3840, 2160) << QChar(u'c') << 24.0
                            << "4K UHD 24";
        QTest::newRow("Vertical") << "Vertical" << 30.0 << QSize() << QSize(1080, 1920) << QChar(u'c') << 30.0
                                  << "Vertical 30";
        QTest::newRow("Square") << "square" << 25.0 << QSize() << QSize(1080, 1080) << QChar(u'c') << 25.0
                                << "Square 25";
        QTest::newRow("Custom") << "Custom" << 60.0 << QSize(1000, 600) << QSize(1000, 600) << QChar(u'c')
                                << 60.0 << "Custom 1000 x 600 60";
        QTest::newRow("Custom of a row's size") << "Custom" << 29.97 << QSize(1280, 720) << QSize(1280, 720)
                                                << QChar(u'c') << 29.97 << "720p 29.97";
    }
    // Applied twice (a second choice changes nothing), then written and read back by the rules
    // an older reader follows: the letter c gets no preset there, so the size and rate stay.
    void rows() {
        QFETCH(QString, name);
        QFETCH(double, rate);
        QFETCH(QSize, size);
        QFETCH(QSize, frame);
        QFETCH(double, fps);
        Workspace ws;
        ws.st.interval = 1.5;
        ws.st.pointx[0] = 700; // points keep their coordinates, inside the frame or not
        ws.st.listmax = 1;
        const VideoFormat* row = findVideoFormat(name);
        QVERIFY(row);
        for (int press = 0; press < 2; ++press) {
            applyVideoFormat(ws, *row, rate, size.width(), size.height());
            QCOMPARE(QSize(ws.st.framewidth, ws.st.frameheight), frame);
            QCOMPARE(ws.map.image().size(), frame);
            QTEST(ws.st.format, "format");
            QCOMPARE(ws.st.fps, fps);
            QCOMPARE(ws.st.delay, 1.5 * fps);
            QTEST(formatLabel(ws.st), "label");
            QCOMPARE(ws.st.pointx[0], qint16(700));
        }
        ProjectState older;
        applyProjectRead(older, parseProjectText(formatProjectText(ws.st)));
        QCOMPARE(QSize(older.framewidth, older.frameheight), frame);
        QCOMPARE(older.fps, fps);
    }

    void presetsAreRows() {
        Workspace ws;
        SetPAL(ws);
        QCOMPARE(formatLabel(ws.st), "PAL 25");
        SetNTSC(ws);
        QCOMPARE(formatLabel(ws.st), "NTSC 29.97");
    }

    void customSizes_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("fits");
        QTest::newRow("smallest") << QSize(16, 16) << true;
        QTest::newRow("largest") << QSize(7680, 4320) << true;
        QTest::newRow("odd width") << QSize(1001, 600) << false;
        QTest::newRow("odd height") << QSize(1000, 601) << false;
        QTest::newRow("too narrow") << QSize(14, 600) << false;
        QTest::newRow("too wide") << QSize(7682, 600) << false;
        QTest::newRow("too tall") << QSize(1000, 4322) << false;
    }
    void customSizes() {
        QFETCH(QSize, size);
        QTEST(customSizeFits(size.width(), size.height()), "fits");
    }

    void exactRates_data() {
        QTest::addColumn<double>("fps");
        QTest::addColumn<int>("num");
        QTest::addColumn<int>("den");
        QTest::newRow("23.976") << 23.976 << 24000 << 1001;
        QTest::newRow("29.97") << 29.97 << 30000 << 1001;
        QTest::newRow("59.94") << 59.94 << 60000 << 1001;
        QTest::newRow("24") << 24.0 << 24 << 1;
        QTest::newRow("25") << 25.0 << 25 << 1;
        QTest::newRow("50") << 50.0 << 50 << 1;
        QTest::newRow("60") << 60.0 << 60 << 1;
        QTest::newRow("12.5 from an old file") << 12.5 << 25 << 2;
    }
    void exactRates() {
        QFETCH(double, fps);
        const ExactRate r = exactRate(fps);
        QTEST(r.num, "num");
        QTEST(r.den, "den");
    }

    // Two legs of 60 pixels at one second each: delay = interval x fps frames per leg. A leg of
    // 59.94 steps takes 60; steps of exactly 2 pixels end on the point after 30.
    void renderFrameCounts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("rate");
        QTest::addColumn<int>("frames");
        QTest::newRow("1080p 59.94") << "1080p" << 59.94 << 3 + 2 * (60 + 1);
        QTest::newRow("Vertical 30") << "Vertical" << 30.0 << 3 + 2 * (30 + 1);
    }
    void renderFrameCounts() {
        QFETCH(QString, name);
        QFETCH(double, rate);
        Workspace ws;
        setUpRoute(ws, {{100, 100}, {100, 160}, {160, 160}}, 0);
        ws.st.interval = 1;
        applyVideoFormat(ws, *findVideoFormat(name), rate);
        MemorySink sink(false);
        QTEST(int(RenderAnimation(ws, sink).frames), "frames");
    }
};

QTEST_GUILESS_MAIN(VideoFormatsTest)
#include "test_video_formats.moc"

// The table of video formats: each row's frame size and rate, what an older reader makes of it,
// the exact rates a video needs and the frames a render gives at the new sizes.
#include "animation/Render.h"
#include "project/ProjectText.h"
#include "settings/VideoFormats.h"
#include "support/AnimationSupport.h"

#include <QtTest>

class VideoFormatsTest : public QObject {
    Q_OBJECT
  private slots:
    // A name (any case), the rate and custom size asked for, and the label that results: the
    // label names the row, the rate in force (NTSC and PAL keep their own) and a custom size.
    void rows_data() {
        QTest::addColumn<double>("rate");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QString>("label");
        auto row = [](const char* name, double rate, QSize size, QSize frame, const char* label) {
            QTest::newRow(name) << rate << size << frame << QString(label);
        };
        row("ntsc", 60, {}, {654, 480}, "NTSC 29.97");
        row("PAL", 30, {}, {786, 576}, "PAL 25");
        row("720p", 23.976, {}, {1280, 720}, "720p 23.976");
        row("1080P", 59.94, {}, {1920, 1080}, "1080p 59.94");
        row("1440p", 50, {}, {2560, 1440}, "1440p 50");
        row("4k", 24, {}, {3840, 2160}, "4K UHD 24");
        row("Vertical", 30, {}, {1080, 1920}, "Vertical 30");
        row("square", 25, {}, {1080, 1080}, "Square 25");
        row("Custom", 60, {1000, 600}, {1000, 600}, "Custom 1000 x 600 60");
        row("custom", 29.97, {1280, 720}, {1280, 720}, "720p 29.97");
    }
    // Applied twice (a second choice changes nothing), then read back by the rules an older
    // reader follows: it applies no preset for the letter c, so the size and rate stay.
    void rows() {
        QFETCH(double, rate);
        QFETCH(QSize, size);
        QFETCH(QSize, frame);
        QFETCH(QString, label);
        Workspace ws;
        ws.st.interval = 1.5;
        ws.st.pointx[0] = 700; // points keep their coordinates, inside the frame or not
        ws.st.listmax = 1;
        for (int press = 0; press < 2; ++press) {
            applyVideoFormat(ws, *findVideoFormat(QString::fromLatin1(QTest::currentDataTag())), rate,
                             size.width(), size.height());
            QCOMPARE(QSize(ws.st.framewidth, ws.st.frameheight), frame);
            QCOMPARE(ws.map.image().size(), frame);
            QCOMPARE(formatLabel(ws.st), label);
            QCOMPARE(ws.st.delay, 1.5 * label.section(' ', -1).toDouble());
            QCOMPARE(ws.st.pointx[0], qint16(700));
        }
        QCOMPARE(ws.st.format, QChar(label.startsWith("NTSC")  ? u'n'
                                     : label.startsWith("PAL") ? u'p'
                                                               : u'c'));
        ProjectState older;
        applyProjectRead(older, parseProjectText(formatProjectText(ws.st)));
        QCOMPARE(QSize(older.framewidth, older.frameheight), frame);
        QCOMPARE(older.fps, ws.st.fps);
    }

    // A rate from an old file that no row has: the rows' rates are read back from the video files
    // in test_frame_writers.
    void exactRateOfAnOldFile() {
        const ExactRate r = exactRate(12.5);
        QCOMPARE(QPair(r.num, r.den), QPair(25, 2));
    }

    // Two legs of 60 pixels at one second each: delay = interval x fps frames per leg. A leg of
    // 59.94 steps takes 60; steps of exactly 2 pixels end on the point after 30.
    void renderFrameCounts_data() {
        QTest::addColumn<double>("rate");
        QTest::addColumn<int>("frames");
        QTest::newRow("1080p") << 59.94 << 3 + 2 * (60 + 1);
        QTest::newRow("Vertical") << 30.0 << 3 + 2 * (30 + 1);
    }
    void renderFrameCounts() {
        QFETCH(double, rate);
        Workspace ws;
        setUpRoute(ws, {{100, 100}, {100, 160}, {160, 160}}, 0);
        ws.st.interval = 1;
        applyVideoFormat(ws, *findVideoFormat(QString::fromLatin1(QTest::currentDataTag())), rate);
        MemorySink sink(false);
        QTEST(int(RenderAnimation(ws, sink).frames), "frames");
    }
};

QTEST_GUILESS_MAIN(VideoFormatsTest)
#include "test_video_formats.moc"

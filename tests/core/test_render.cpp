// The render: frame numbers and pictures, how a render ends, and the labels it counts; the leg
// arithmetic: frame texts, direction codes and how many steps a leg takes; choosing a video
// format: the frame size, rate and label in force, what an older reader makes of them, and the
// exact rate of an old file.
#include "animation/Legs.h"
#include "animation/Render.h"
#include "animation/RenderLock.h"
#include "settings/VideoFormats.h"
#include "support/AnimationSupport.h"

#include <QtTest>
#include <cmath>
#include <limits>

namespace {
bool isRed(QRgb c) {
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}
QList<qint64> numbers(int count) { // 0 to count - 1
    QList<qint64> n;
    for (int i = 0; i < count; ++i)
        n << i;
    return n;
}
} // namespace

class TestRender : public QObject {
    Q_OBJECT
  private slots:
    void textsAndCodes() {
        QCOMPARE(frameText(7), QString("0007"));
        QCOMPARE(frameText(12345), QString("2345")); // the last four digits
        QCOMPARE(directionCode(5, -2), QString("+-"));
        QCOMPARE(directionCode(-0.001, 3), QString("-+"));
        QCOMPARE(directionCode(-0.0, 0), QString("00")); // negative zero is zero
    }

    void stepsPerLeg_data() {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<double>("delay");
        QTest::addColumn<int>("steps");
        QTest::addColumn<double>("endX"); // where the moving end stops: no rounding to pixels
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("NTSC 59.94") << QPoint(0, 0) << QPoint(100, 0) << 59.94 << 60 << 100.1;
        QTest::newRow("NTSC vertical") << QPoint(30, 5) << QPoint(30, 95) << 59.94 << 60 << 30.0;
        QTest::newRow("PAL lands on target") << QPoint(10, 20) << QPoint(110, 20) << 50.0 << 50 << 110.0;
        QTest::newRow("PAL a hair short") << QPoint(0, 0) << QPoint(7, 0) << 50.0 << 51 << 7.14;
        QTest::newRow("pause NTSC") << QPoint(4, 4) << QPoint(4, 4) << 59.94 << 60 << 4.0;
        QTest::newRow("NaN delay") << QPoint(0, 0) << QPoint(30, 40) << nan << 1 << 30.0;
        QTest::newRow("infinite delay") << QPoint(0, 0) << QPoint(30, 40) << inf << 1 << 30.0;
        QTest::newRow("pause, zero delay") << QPoint(4, 4) << QPoint(4, 4) << 0.0 << 1 << 4.0;
    }
    void stepsPerLeg() {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(double, delay);
        QFETCH(int, steps);
        QFETCH(double, endX);
        Workspace ws;
        setUpRoute(ws, {from, to}, delay);
        Leg leg = setUpLeg(ws.st, 1, delay);
        int taken = 0;
        for (; !legEnded(ws.st, leg) && taken < 100000; ++taken) {
            stepMove(ws, leg);
            stepUpdate(ws.st, leg);
        }
        QCOMPARE(taken, steps);
        QVERIFY2(std::abs(ws.st.curx - endX) < 0.01, qPrintable(QString::number(ws.st.curx)));
    }

    // Tour frames 0 to 53, each shown under its own label.
    void twoPointsGiveTheTourFrames() {
        Workspace ws;
        setUpRoute(ws, {{20, 50}, {120, 50}}, 50);
        MemorySink sink;
        QStringList labels;
        QCOMPARE(RenderAnimation(ws, sink, {[&](const QString& t) { labels << t; }, {}}).frames, 54);
        QCOMPARE(sink.indices, numbers(54));
        QCOMPARE(labels.size(), 54);
        QCOMPARE(labels.first() + labels.last(), QString("00000053"));
        const auto& f = sink.frames;
        QCOMPARE(f[0], testMapPicture());
        // Frame 1: the dot and the circle of the first point, nothing more.
        QVERIFY(isRed(f[1].pixel(20, 50)) && isRed(f[1].pixel(30, 50)) && !isRed(f[1].pixel(35, 50)));
        // Frames 2..51: the line's end moves 2 px a frame; a round cap reaches 2.5 px beyond it.
        for (int n = 2; n <= 51; ++n) {
            const int end = 20 + 2 * (n - 1);
            QVERIFY2(isRed(f[n].pixel(end + 1, 50)), qPrintable(QString::number(n)));
            if (end + 4 > 32 && end + 4 < 108)
                QVERIFY2(!isRed(f[n].pixel(end + 4, 50)), qPrintable(QString::number(n)));
            QVERIFY(!isRed(f[n].pixel(120, 40))); // no second circle yet
        }
        QVERIFY(isRed(f[52].pixel(120, 40)) && isRed(f[52].pixel(130, 50)));
        QCOMPARE(f[53], f[52]);
    }

    // One point gives three files; a pause leg as many frames as any other leg with delay 50.
    // Neither draws anything after the first point, and every render numbers its frames from 0,
    // so a second render replaces the first one's files.
    void stillRoutesDrawNothingNew_data() {
        QTest::addColumn<QList<QPoint>>("points");
        QTest::addColumn<int>("frames");
        QTest::newRow("one point") << QList<QPoint>{{60, 40}} << 3;
        QTest::newRow("pause leg") << QList<QPoint>{{50, 50}, {50, 50}} << 54;
    }
    void stillRoutesDrawNothingNew() {
        QFETCH(QList<QPoint>, points);
        QFETCH(int, frames);
        Workspace ws;
        setUpRoute(ws, std::vector<QPoint>(points.begin(), points.end()), 50);
        for (int run = 0; run < 2; ++run) {
            MemorySink sink;
            QCOMPARE(RenderAnimation(ws, sink).frames, frames);
            QCOMPARE(sink.indices, numbers(frames));
            QVERIFY(sink.frames[0] != sink.frames[1]);
            for (int n = 2; n < frames && n <= 51; ++n) // up to the pause's end circle
                QCOMPARE(sink.frames[n], sink.frames[1]);
        }
    }

    void howARenderEnds_data() {
        QTest::addColumn<QList<QPoint>>("points");
        QTest::addColumn<double>("delay");
        QTest::addColumn<int>("failAt"); // the sink fails as a full disk does from this frame on
        QTest::addColumn<int>("frames");
        QTest::addColumn<QString>("label"); // the last frame label, when it is checked
        QTest::addColumn<QString>("says");  // in the message, empty for none
        const QList<QPoint> two{{20, 50}, {120, 50}}, still{{50, 50}, {50, 50}};
        QTest::newRow("empty route") << QList<QPoint>{} << 50.0 << -1 << 0 << QString() << "no points";
        QTest::newRow("disk full at once") << two << 50.0 << 0 << 0 << QString() << "0";
        QTest::newRow("disk full mid-leg") << two << 50.0 << 7 << 7 << QString() << "7";
        QTest::newRow("disk full at the end") << two << 50.0 << 53 << 53 << QString() << "53";
        // A pause leg of n steps gives n + 4 frames.
        QTest::newRow("limit just fits") << still << 9996.0 << -1 << 10000 << "9999"
                                         << "";
        QTest::newRow("limit one over") << still << 9997.0 << -1 << 10000 << "-**-"
                                        << "cut short at frame 9999";
        // A day at 25 frames a second is 2160000 frames; one more is refused before any frame.
        QTest::newRow("a day") << still << 2159996.0 << -1 << 10000 << "-**-"
                               << "cut short at frame 9999";
        QTest::newRow("a day and a frame")
            << still << 2159997.0 << -1 << 0 << QString() << "more than 2160000";
    }
    // A render stops at once at a frame that cannot be written (naming it) and at the sink's limit.
    void howARenderEnds() {
        QFETCH(QList<QPoint>, points);
        QFETCH(double, delay);
        QFETCH(int, failAt);
        QFETCH(int, frames);
        QFETCH(QString, label);
        QFETCH(QString, says);
        Workspace ws;
        setUpRoute(ws, std::vector<QPoint>(points.begin(), points.end()), delay);
        MemorySink sink(false, failAt);
        QString shown;
        const RenderResult r = RenderAnimation(ws, sink, {[&](const QString& t) { shown = t; }, {}});
        QCOMPARE(r.frames, frames);
        QCOMPARE(sink.indices.size(), frames);
        if (frames) QCOMPARE(sink.indices.last(), frames - 1);
        if (!label.isNull()) QCOMPARE(shown, label);
        QCOMPARE(r.cutShort, label == "-**-");
        QCOMPARE(bool(r.error), !says.isEmpty() && !r.cutShort);
        if (failAt >= 0) QCOMPARE(r.error->file, says);
        QCOMPARE(r.message().isEmpty(), says.isEmpty());
        QVERIFY2(r.message().contains(says), qPrintable(r.message()));
    }

    void lockExcludesTheSameFrames_data() {
        QTest::addColumn<QString>("first"); // base names, in the same folder
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("refused");
        const QString longName(250, u'n'); // its video name, with ".mp4", still fits in 255 bytes
        QTest::newRow("same name") << "flight"
                                   << "flight" << true;
        QTest::newRow("other name") << "flight"
                                    << "flights" << false;
        QTest::newRow("same long name") << longName << longName << true;
        QTest::newRow("long names apart at the end") << longName + "a" << longName + "b" << false;
        QTest::newRow("same frames through a sub-folder") << "sub/flight"
                                                          << "sub/./flight" << true;
    }
    // A second render of the frames one holds is refused, from any folder spelling; other names
    // are free, and the lock takes every name the frames can take.
    void lockExcludesTheSameFrames() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("sub"));
        RenderLock one, two;
        const QString folder = dir.path() + "/";
        QCOMPARE(one.take(folder, first).value_or(Error{}).reason, QString());
        QVERIFY(one.held());
        QTEST(bool(two.take(folder, second)), "refused");
        one.release();
        two.release();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), QStringList());
    }

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
        row("1080P", 59.94, {}, {1920, 1080}, "1080p 59.94");
        row("Custom", 60, {1000, 600}, {1000, 600}, "Custom 1000 x 600 60");
        row("custom", 29.97, {1280, 720}, {1280, 720}, "720p 29.97");
    }
    // Applied twice: a second choice changes nothing. The letter written decides what an older
    // reader makes of the file (test_project_file reads each kind back).
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
    }

    // A rate from an old file that no row has: the rows' rates are read back from the video files
    // in test_frame_writers.
    void exactRateOfAnOldFile() {
        const ExactRate r = exactRate(12.5);
        QCOMPARE(QPair(r.num, r.den), QPair(25, 2));
    }
};

QTEST_GUILESS_MAIN(TestRender)
#include "test_render.moc"

// The route's line on composed frames: a pattern that runs on through joints and stays still
// behind the head, a colour of its own for one leg, and the fading tail.
#include "animation/FrameMaker.h"
#include "project/ProjectKeys.h"
#include "support/AnimationSupport.h"
#include "support/Pixels.h"

#include <QGuiApplication>
#include <QtTest>

namespace {
const QRgb kRed = 0xff0000, kBlue = 0x0000ff, kMap = 0xdcdcdc; // as rgbAt gives them

// An L of legs of 84 and 45 pixels, and 80 more, lines 4 wide, small dots at the points.
void setUpL(Workspace& ws, double delay) {
    setUpRoute(ws, {{16, 30}, {100, 30}, {100, 75}, {180, 75}}, delay);
    ws.st.framewidth = 200;
    ws.st.frameheight = 100;
    ws.st.linethick = 4;
    ws.st.circlethick = 1;
    ws.st.circleradius = 0;
    ws.st.markersize = 2; // a way of travel's icon at the head stays off the line behind it
}

// The frame pixel at a length along the L.
QPoint alongL(int d) {
    return d <= 84 ? QPoint(16 + d, 30) : d <= 129 ? QPoint(100, 30 + d - 84) : QPoint(100 + d - 129, 75);
}

// Frame n; `changed`, when given, adds the pixels its log names as changed since version `seen`.
QImage frameOf(FrameMaker& maker, qint64 n, qint64* changed = nullptr, quint64* seen = nullptr) {
    QImage frame;
    maker.show(n, [&](const QImage& f, const ChangeLog* log) {
        frame = f.convertToFormat(QImage::Format_RGB32);
        std::vector<QRect> areas;
        if (changed && log && log->since(*seen, areas))
            for (const QRect& a : areas)
                *changed += qint64(a.width()) * a.height();
        if (seen && log) *seen = log->version();
    });
    return frame;
}

// Sets "key=value" pairs apart by ";" as a project file would.
void setKeys(ProjectState& st, const QString& keys) {
    for (const QString& pair : keys.split(';')) {
        const QStringList kv = pair.split('=');
        int slot = 0;
        const KeyRow* row = findKey(projectKeys(), kv[0], &slot);
        bool held = false;
        const std::optional<KeyValue> v = row ? readKeyValue(*row, kv[1], &held) : std::nullopt;
        QVERIFY2(v, qPrintable(pair));
        storeKeyValue(*row, st, slot, *v);
    }
}
} // namespace

class TestLineStyles : public QObject {
    Q_OBJECT
  private slots:
    void patternFollowsTheRoute_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("period"); // pixels from one mark to the next
        QTest::addColumn<int>("centre"); // of the first mark, along the route
        QTest::addColumn<int>("half");   // of a mark's length
        QTest::newRow("dashed, round caps") << "linestyle dashed" << 20 << 4 << 6;
        QTest::newRow("dashed as walking is") << "mode walk" << 20 << 4 << 6;
        QTest::newRow("dotted, set per leg") << "linestyle.1 dotted linestyle.2 dotted" << 8 << 0 << 2;
    }
    void patternFollowsTheRoute() {
        QFETCH(QString, keys);
        QFETCH(int, period);
        QFETCH(int, centre);
        QFETCH(int, half);
        Workspace ws;
        setUpL(ws, 25);
        const QStringList k = keys.split(' ');
        for (int i = 0; i + 1 < k.size(); i += 2) {
            if (k[i] == "linestyle") ws.st.linestyle = k[i + 1];
            if (k[i] == "mode") ws.st.mode = k[i + 1];
            if (k[i].startsWith("linestyle.")) ws.st.pointlinestyle[k[i].mid(10).toInt()] = k[i + 1];
        }
        FrameMaker maker(ws);
        const qint64 last = maker.frames(INT32_MAX) - 1;
        const QImage frame = frameOf(maker, last);
        // Centres of marks drawn and of gaps, a pixel clear of their antialiased edges, on both
        // legs: a pattern that began again at the joint would fail on the second.
        for (int d = 3; d < 127; ++d) {
            const int o = std::abs((d - centre + 10 * period + period / 2) % period - period / 2);
            if (std::abs(d - 84) < 3 || std::abs(o - half) < 1 + (half < 3)) continue; // edges, the joint
            const QRgb got = rgbAt(frame, alongL(d).x(), alongL(d).y());
            QVERIFY2(channelDistance(got, o < half ? kRed : kMap) < 60,
                     qPrintable(QString("at %1 along: %2").arg(d).arg(got, 6, 16)));
        }
        // Behind the head the next frame draws the same pixels.
        const qint64 n = maker.frames(INT32_MAX) * 3 / 5;
        const QImage before = frameOf(maker, n), after = frameOf(maker, n + 1);
        const QPointF head = maker.scene()->pose(n).head;
        QVERIFY(head.y() > 40 && head.x() == 100); // on the second leg
        for (int d = 0; alongL(d).y() < head.y() - 3; ++d)
            QCOMPARE(rgbAt(after, alongL(d).x(), alongL(d).y()), rgbAt(before, alongL(d).x(), alongL(d).y()));
    }

    // A frame drawn only where it differs from the one before is the frame drawn whole: nothing
    // is left behind of the head, the marker, the tail's fade or a glow. The last frame alone is
    // drawn from the bare map, its glow laid by Qt, which rounds a few levels apart.
    void stepsMatchWholeFrames_data() {
        QTest::addColumn<QString>("keys");
        QTest::newRow("glow, tail, dashes, a label")
            << "linestyle=dashed;glow=8;tail=0.5;tailfade=20;label.2=Oslo";
        QTest::newRow("icons, dots, casing")
            << "mode=train;linestyle.2=dotted;color.3=255;casing=0;casingwidth=2;"
               "markersize=16;circleradius=5";
    }
    void stepsMatchWholeFrames() {
        QFETCH(QString, keys);
        Workspace ws;
        setUpL(ws, 11); // the last step of each leg passes its point
        setKeys(ws.st, keys);
        FrameMaker steps(ws);
        const qint64 count = steps.frames(INT32_MAX);
        qint64 changed = 0, first = 0;
        quint64 seen = 0;
        for (qint64 n = 0; n < count; ++n) {
            const QImage stepped = frameOf(steps, n, n > 0 ? &changed : &first, &seen);
            FrameMaker alone(ws);
            alone.frames(INT32_MAX);
            const QImage whole = frameOf(alone, n);
            QVERIFY2(imageDistance(stepped, whole) <= 3,
                     qPrintable(QString("frame %1: %2").arg(n).arg(imageDistance(stepped, whole))));
        }
        // And the steps were drawn in parts: on this small frame, half its pixels at most.
        QVERIFY(changed < (count - 1) * 200 * 100 / 2);
    }

    void colourOfOneLeg_data() {
        QTest::addColumn<int>("leg");
        for (int leg : {1, 2, 3})
            QTest::addRow("color.%d", leg) << leg;
    }
    void colourOfOneLeg() {
        QFETCH(int, leg);
        Workspace ws;
        setUpL(ws, 10);
        ws.st.pointcolor[std::size_t(leg)] = rgb(0, 0, 255);
        ws.st.circleradius = 10;
        ws.st.circlethick = 3;
        FrameMaker maker(ws);
        const QImage frame = frameOf(maker, maker.frames(INT32_MAX) - 1);
        for (const int d : {40, 110, 170}) // the middle of each leg
            QCOMPARE(rgbAt(frame, alongL(d).x(), alongL(d).y()), d / 60 + 1 == leg ? kBlue : kRed);
        QCOMPARE(rgbAt(frame, 16, 20), kRed); // the circles keep the line's colour
    }

    void tailFadesOlderLine_data() {
        QTest::addColumn<double>("tail");
        QTest::addColumn<double>("fade");
        QTest::addColumn<int>("green"); // of the older line's middle, over a map grey of 220
        QTest::newRow("30 %") << 0.4 << 30.0 << 154;
        QTest::newRow("gone") << 0.4 << 0.0 << 220;
        QTest::newRow("no fade") << 0.4 << 100.0 << 0;
        QTest::newRow("no tail") << 0.0 << 30.0 << 0;
    }
    void tailFadesOlderLine() {
        QFETCH(double, tail);
        QFETCH(double, fade);
        QFETCH(int, green);
        Workspace ws;
        setUpL(ws, 20);
        ws.st.tail = tail;
        ws.st.tailfade = fade;
        ws.st.linestyle = "dotted"; // composed even without a tail
        ws.st.pointlinestyle[1] = ws.st.pointlinestyle[3] = "solid";
        FrameMaker maker(ws);
        const QImage frame =
            frameOf(maker, maker.frames(INT32_MAX) - 1); // the tail starts halfway along leg 3
        QVERIFY2(std::abs(qGreen(frame.pixel(40, 30)) - green) <= 3,
                 qPrintable(QString::number(qGreen(frame.pixel(40, 30)))));
        // The line of the last 0.4 s, near the head, stays whole.
        QCOMPARE(rgbAt(frame, 176, 75), kRed);
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TestLineStyles t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_line_styles.moc"

// The render: file names, frame pictures, the frame number limit and write failures.
#include "animation/Render.h"
#include "support/AnimationSupport.h"

#include <QtTest>

namespace {
bool isRed(QRgb c) {
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}
} // namespace

class TestRender : public QObject {
    Q_OBJECT
  private slots:
    void twoPointsGiveTheTourFrames();
    void onePointGivesThreeFiles();
    void everyRenderNumbersFromZero();
    void pauseLegDrawsNothingNew();
    void emptyRouteWritesNothing();
    void frameNumberLimit_data();
    void frameNumberLimit();
    void failingSinkStopsAtOnce_data();
    void failingSinkStopsAtOnce();
    void labelsCountTheFrames();
    void namesAreTakenAtTheStart();
};

void TestRender::twoPointsGiveTheTourFrames() {
    Workspace ws;
    setUpRoute(ws, {{20, 50}, {120, 50}}, 50);
    MemorySink sink;
    const RenderResult r = RenderAnimation(ws, sink);
    QVERIFY(!r.error);
    QVERIFY(!r.cutShort);
    QCOMPARE(r.frames, 54);
    QCOMPARE(sink.paths.first(), QString("/frames/tour0000.bmp"));
    QCOMPARE(sink.paths.last(), QString("/frames/tour0053.bmp"));
    const auto& f = sink.frames;
    QCOMPARE(f[0], testMapPicture().convertToFormat(QImage::Format_RGB32));
    // Frame 1: the dot and the circle of the first point, nothing more.
    QVERIFY(isRed(f[1].pixel(20, 50)));
    QVERIFY(isRed(f[1].pixel(30, 50)));
    QVERIFY(!isRed(f[1].pixel(35, 50)));
    // Frames 2..51: the line's end moves 2 px a frame; a round cap reaches 2.5 px beyond it.
    for (int n = 2; n <= 51; ++n) {
        const int end = 20 + 2 * (n - 1);
        QVERIFY2(isRed(f[n].pixel(end + 1, 50)), qPrintable(QString::number(n)));
        if (end + 4 > 32 && end + 4 < 108)
            QVERIFY2(!isRed(f[n].pixel(end + 4, 50)), qPrintable(QString::number(n)));
        QVERIFY(!isRed(f[n].pixel(120, 40))); // no second circle yet
    }
    QVERIFY(isRed(f[52].pixel(120, 40)));
    QVERIFY(isRed(f[52].pixel(130, 50)));
    QCOMPARE(f[53], f[52]);
}

void TestRender::onePointGivesThreeFiles() {
    Workspace ws;
    setUpRoute(ws, {{60, 40}}, 50);
    MemorySink sink;
    const RenderResult r = RenderAnimation(ws, sink);
    QCOMPARE(r.frames, 3);
    QCOMPARE(sink.paths,
             QStringList({"/frames/tour0000.bmp", "/frames/tour0001.bmp", "/frames/tour0002.bmp"}));
    QVERIFY(sink.frames[0] != sink.frames[1]);
    QCOMPARE(sink.frames[2], sink.frames[1]);
}

void TestRender::everyRenderNumbersFromZero() {
    Workspace ws;
    setUpRoute(ws, {{10, 10}, {40, 10}}, 4);
    MemorySink first, second;
    RenderAnimation(ws, first);
    QCOMPARE(ws.st.renderframe, 8);
    RenderAnimation(ws, second);
    QCOMPARE(second.paths, first.paths);
    QCOMPARE(second.paths.first(), QString("/frames/tour0000.bmp"));
}

void TestRender::pauseLegDrawsNothingNew() {
    Workspace ws;
    setUpRoute(ws, {{50, 50}, {50, 50}}, 50);
    MemorySink sink;
    const RenderResult r = RenderAnimation(ws, sink);
    QCOMPARE(r.frames, 54); // as many as any other leg with delay 50
    for (int n = 2; n <= 51; ++n)
        QCOMPARE(sink.frames[n], sink.frames[1]);
}

void TestRender::emptyRouteWritesNothing() {
    Workspace ws;
    setUpRoute(ws, {}, 50);
    MemorySink sink;
    const RenderResult r = RenderAnimation(ws, sink);
    QCOMPARE(r.frames, 0);
    QVERIFY(sink.paths.isEmpty());
    QVERIFY(r.error);
    QVERIFY(r.message().contains("no points"));
}

void TestRender::frameNumberLimit_data() {
    QTest::addColumn<double>("pause"); // a pause leg of this many steps: frames = steps + 4
    QTest::addColumn<bool>("cutShort");
    QTest::newRow("just fits") << 9996.0 << false;
    QTest::newRow("one over") << 9997.0 << true;
    QTest::newRow("far over") << 30000.0 << true;
}

void TestRender::frameNumberLimit() {
    QFETCH(double, pause);
    QFETCH(bool, cutShort);
    Workspace ws;
    setUpRoute(ws, {{50, 50}, {50, 50}}, pause);
    MemorySink sink(false);
    QString label;
    const RenderResult r = RenderAnimation(ws, sink, {[&](const QString& t) { label = t; }, {}});
    QCOMPARE(r.cutShort, cutShort);
    QVERIFY(!r.error);
    QCOMPARE(r.frames, 10000);
    QCOMPARE(sink.paths.last(), QString("/frames/tour9999.bmp"));
    QCOMPARE(ws.st.renderframe, 10000);
    QCOMPARE(label, cutShort ? QString("-**-") : QString("9999"));
    QCOMPARE(r.message().contains("9999"), cutShort);
}

void TestRender::failingSinkStopsAtOnce_data() {
    QTest::addColumn<int>("k");
    QTest::newRow("first frame") << 0;
    QTest::newRow("in the first leg") << 7;
    QTest::newRow("the last frame") << 53;
}

void TestRender::failingSinkStopsAtOnce() {
    QFETCH(int, k);
    Workspace ws;
    setUpRoute(ws, {{20, 50}, {120, 50}}, 50);
    FailingSink sink(k);
    const RenderResult r = RenderAnimation(ws, sink);
    QCOMPARE(r.frames, k);
    QCOMPARE(sink.paths.size(), k);
    QVERIFY(r.error);
    QCOMPARE(r.error->file, QString("/frames/tour%1.bmp").arg(k, 4, 10, QChar(u'0')));
    QVERIFY(r.message().contains("No space left"));
}

void TestRender::labelsCountTheFrames() {
    Workspace ws;
    setUpRoute(ws, {{20, 50}, {40, 50}}, 3);
    MemorySink sink;
    QStringList labels;
    qint64 lastWritten = -1, lastTotal = -1;
    RenderAnimation(ws, sink,
                    {[&](const QString& t) { labels << t; },
                     [&](qint64 w, qint64 t) {
                         lastWritten = w;
                         lastTotal = t;
                     }});
    QCOMPARE(labels, QStringList({"0000", "0001", "0002", "0003", "0004", "0005", "0006"}));
    QCOMPARE(lastWritten, 7);
    QCOMPARE(lastTotal, 7);
}

void TestRender::namesAreTakenAtTheStart() {
    Workspace ws;
    setUpRoute(ws, {{20, 50}, {40, 50}}, 3);
    MemorySink sink;
    // Another directory chosen, or a project opened, while the render runs.
    RenderAnimation(ws, sink,
                    {[&](const QString& t) {
                         if (t != "0003") return;
                         ws.st.renderpath = "/elsewhere/";
                         ws.st.rendername = "other";
                     },
                     {}});
    QCOMPARE(sink.paths.size(), 7);
    for (const QString& path : sink.paths)
        QVERIFY2(path.startsWith("/frames/tour"), qPrintable(path));
}

QTEST_GUILESS_MAIN(TestRender)
#include "test_render.moc"

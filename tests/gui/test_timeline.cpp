// The timeline under the map: each action on it is one undo step writing the key line it should,
// the playhead shows a frame exactly as the render writes it, its keys win over the window's
// own, and the in/out range renders just those frames.
#include "animation/AnimationCommands.h"
#include "animation/FrameCount.h"
#include "animation/Render.h"
#include "animation/RenderDialog.h"
#include "project/ProjectFile.h"
#include "project/ProjectText.h"
#include "shell/DirectoryList.h"
#include "shell/EditHistory.h"
#include "shell/MainWindow.h"
#include "support/AnimationSupport.h"
#include "support/ShownWindow.h"
#include "timeline/TimelineDock.h"
#include "timeline/Transport.h"

#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
// Three points a second apart at PAL, a leg of 25 steps and the frame reaching its point.
const QByteArray kProject = "format = p\ninterval = 1\nlistmax = 3\nselected = 1\n"
                            "0 = 100, 100, 0\n1 = 300, 100, 0\n2 = 300, 300, 0\n";
} // namespace

class TimelineTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    MainWindow* w = nullptr;
    TimelineDock* dock = nullptr;
    Timeline* tl = nullptr;

    QWidget* row(const char* name) { return dock->findChild<QWidget*>(name); }
    QWidget* body() { return row("timeline"); }
    void load(const QByteArray& extra) {
        LoadProjectText(w->workspace(), kProject + extra);
        w->history().startOver();
        tl->seek(0);
    }
    QStringList lines() { return QString::fromUtf8(formatProjectText(w->workspace().st)).split("\r\n"); }
    QPoint at(const char* rowName, qint64 frame) {
        return {tl->scale().x(frame), row(rowName)->height() / 2};
    }
    void drag(const char* rowName, qint64 from, qint64 to, Qt::KeyboardModifiers mods = {}) {
        QWidget* r = row(rowName);
        QTest::mousePress(r, Qt::LeftButton, mods, at(rowName, from));
        QMouseEvent move(QEvent::MouseMove, at(rowName, to), r->mapToGlobal(at(rowName, to)), Qt::NoButton,
                         Qt::LeftButton, mods);
        QApplication::sendEvent(r, &move);
        QTest::mouseRelease(r, Qt::LeftButton, mods, at(rowName, to));
    }
    const TimeSpan& span(int point, bool hold) {
        for (const TimeSpan& s : tl->spans().spans)
            if (s.point == point && s.hold == hold) return s;
        static const TimeSpan none;
        return none;
    }

  private slots:
    void init() {
        w = shownMainWindow(dir.path());
        QVERIFY(QTest::qWaitForWindowExposed(w));
        dock = w->findChild<TimelineDock*>("dockTimeline");
        QVERIFY(dock);
        tl = &dock->timeline();
        tl->scale().pixelsPerFrame = 4; // every frame of these projects on screen
    }
    void cleanup() { delete w; }

    // Closed, it comes back from View > Timeline, under the map.
    void closedAndShownAgain() {
        dock->close();
        QVERIFY(!dock->isVisible());
        w->findChild<QAction*>("mnuTimeline")->trigger();
        QVERIFY(dock->isVisible());
        QCOMPARE(w->dockWidgetArea(dock), Qt::BottomDockWidgetArea);
    }

    // Hours of frames are walked on a worker: the spans so far show at once, all of them soon after.
    void longWalksGoOn() {
        load("hold = 3600\n");
        const qint64 all = countFrames(w->workspace().st).frames;
        QVERIFY(tl->frames() < all);
        QTRY_COMPARE(tl->frames(), all);
        QCOMPARE(tl->spans().spans.back().end, all - 1); // the last picture once more follows
    }

    void actionsAreUndoSteps_data() {
        QTest::addColumn<QByteArray>("extra"); // project lines
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("amount");   // frames, or a value
        QTest::addColumn<QString>("line"); // written afterwards; empty: nothing changes
        QTest::addColumn<QString>("gone"); // not written afterwards
        QTest::addColumn<int>("made");     // undo steps
        QTest::newRow("leg end 25 frames later") << QByteArray() << "leg" << 25 << "interval.1 = 2"
                                                 << "" << 1;
        QTest::newRow("leg end 15 frames earlier") << QByteArray() << "leg" << -15 << "interval.1 = 0.4"
                                                   << "" << 1;
        QTest::newRow("leg of a speed does not drag") << QByteArray("timing = speed\n") << "leg" << 25 << ""
                                                      << "interval.1" << 0;
        QTest::newRow("leg of its own time under speed")
            << QByteArray("timing = speed\ninterval.1 = 1\n") << "leg" << 25 << "interval.1 = 2"
            << "" << 1;
        QTest::newRow("hold end") << QByteArray("hold.1 = 1\n") << "hold" << 10 << "hold.1 = 1.4"
                                  << "" << 1;
        QTest::newRow("Shift on a leg's end makes a hold")
            << QByteArray() << "shift-leg" << 5 << "hold.1 = 0.2"
            << "interval.1" << 1;
        QTest::newRow("Z keys the camera's zoom")
            << QByteArray("camera = follow\ncamerazoom = 2\n") << "Z" << 3 << "zoom.1 = 2"
            << "" << 1;
        QTest::newRow("key dragged to the next point")
            << QByteArray("camera = follow\nzoom.1 = 3\n") << "move" << 0 << "zoom.2 = 3"
            << "zoom.1" << 1;
        QTest::newRow("key given a value")
            << QByteArray("camera = follow\nzoom.1 = 3\n") << "value" << 150 << "zoom.1 = 1.5"
            << "" << 1;
        QTest::newRow("key deleted") << QByteArray("camera = follow\nzoom.1 = 3\n") << "delete" << 0 << ""
                                     << "zoom.1" << 1;
        QTest::newRow("I at the playhead") << QByteArray() << "I" << 10 << "renderfrom = 10"
                                           << "renderto" << 1;
        QTest::newRow("O before the in lets it go")
            << QByteArray("renderfrom = 30\n") << "O" << 20 << "renderto = 20"
            << "renderfrom" << 1;
        QTest::newRow("Alt+X clears") << QByteArray("renderfrom = 3\nrenderto = 9\n") << "clear" << 0 << ""
                                      << "renderfrom" << 1;
    }
    void actionsAreUndoSteps() {
        QFETCH(QByteArray, extra);
        QFETCH(QString, action);
        QFETCH(int, amount);
        QFETCH(QString, line);
        QFETCH(QString, gone);
        QFETCH(int, made);
        load(extra);
        const QByteArray before = formatProjectText(w->workspace().st);
        const int steps = w->history().stack().count();
        const qint64 arrival = tl->spans().arrival[1];
        body()->setFocus();
        if (action == "leg" || action == "shift-leg")
            drag("timelineSpans", span(1, false).end, span(1, false).end + amount,
                 action == "leg" ? Qt::NoModifier : Qt::ShiftModifier);
        else if (action == "hold")
            drag("timelineSpans", span(1, true).end, span(1, true).end + amount);
        else if (action == "move")
            drag("timelineKeys", arrival, tl->spans().arrival[2] - 2);
        else if (action == "value") {
            QTest::mouseDClick(row("timelineKeys"), Qt::LeftButton, {}, at("timelineKeys", arrival));
            auto* spin = dock->findChild<QDoubleSpinBox*>("spnZoomKey");
            QVERIFY(spin && spin->isVisible());
            spin->setValue(amount / 100.0);
            QTest::keyClick(spin, Qt::Key_Return);
        } else if (action == "delete") {
            QTest::mouseClick(row("timelineKeys"), Qt::LeftButton, {}, at("timelineKeys", arrival));
            QTest::keyClick(body(), Qt::Key_Delete);
        } else if (action == "clear") {
            QTest::keyClick(body(), Qt::Key_X, Qt::AltModifier);
        } else { // a key at a frame
            tl->seek(action == "Z" ? arrival + amount : amount);
            QTest::keyClick(body(), action.at(0).toLatin1());
        }
        const QStringList now = lines();
        QCOMPARE(w->history().stack().count(), steps + made);
        if (!line.isEmpty()) QVERIFY2(now.contains(line), qPrintable(now.join(" | ")));
        if (!gone.isEmpty()) QVERIFY2(!now.join("\n").contains("\n" + gone), qPrintable(now.join(" | ")));
        QCOMPARE(w->workspace().st.listmax, 3); // the Delete key deleted no point
        w->history().stack().undo();
        QCOMPARE(formatProjectText(w->workspace().st), before);
    }

    void scrubShowsTheRenderedFrame_data() {
        QTest::addColumn<QByteArray>("extra");
        QTest::addColumn<int>("frame"); // -1: the last
        QTest::newRow("fixed, the bare map") << QByteArray() << 0;
        QTest::newRow("fixed, mid leg") << QByteArray() << 37;
        QTest::newRow("fixed, the last") << QByteArray() << -1;
        QTest::newRow("follow, in the intro") << QByteArray("camera = follow\ncameraintro = 1\n") << 12;
        QTest::newRow("follow, keyed zoom") << QByteArray("camera = follow\nzoom.2 = 3\n") << 44;
    }
    // A press on the ruler shows the frame the render writes for the same number.
    void scrubShowsTheRenderedFrame() {
        QFETCH(QByteArray, extra);
        QFETCH(int, frame);
        load(extra);
        MemorySink rendered;
        QVERIFY(!RenderAnimation(w->workspace(), rendered).error);
        QCOMPARE(tl->frames(), qint64(rendered.frames.size()));
        const qint64 n = frame < 0 ? tl->last() : frame;
        tl->scrollTo(std::max(0, tl->scale().x(n) - 100));
        QTest::mousePress(row("timelineRuler"), Qt::LeftButton, {}, at("timelineRuler", n));
        QCOMPARE(tl->playhead(), n);
        const QImage* shown = w->findChild<AnimationCommands*>()->previewPicture();
        QVERIFY(shown);
        QCOMPARE(shown->convertToFormat(QImage::Format_RGB32), rendered.frames[std::size_t(n)]);
    }

    void keysOnTheTimeline_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("mods");
        QTest::addColumn<int>("playhead"); // -1: the last frame
        QTest::addColumn<int>("speed");    // of the transport afterwards
        QTest::newRow("Right") << 10 << int(Qt::Key_Right) << 0 << 11 << 0;
        QTest::newRow("Left") << 10 << int(Qt::Key_Left) << 0 << 9 << 0;
        QTest::newRow("Shift+Right, a second")
            << 10 << int(Qt::Key_Right) << int(Qt::ShiftModifier) << 35 << 0;
        QTest::newRow("Shift+Left at the start")
            << 10 << int(Qt::Key_Left) << int(Qt::ShiftModifier) << 0 << 0;
        QTest::newRow("End") << 10 << int(Qt::Key_End) << 0 << -1 << 0;
        QTest::newRow("Home") << 10 << int(Qt::Key_Home) << 0 << 0 << 0;
        QTest::newRow("L plays") << 10 << int(Qt::Key_L) << 0 << 10 << 1;
        QTest::newRow("J plays backwards") << 10 << int(Qt::Key_J) << 0 << 10 << -1;
    }
    // The keys move the playhead, not the selected point.
    void keysOnTheTimeline() {
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(int, mods);
        QFETCH(int, playhead);
        load({});
        tl->seek(start);
        body()->setFocus();
        QTest::keyClick(body(), Qt::Key(key), Qt::KeyboardModifiers(mods));
        QCOMPARE(tl->playhead(), playhead < 0 ? tl->last() : qint64(playhead));
        QTEST(dock->transport().speed(), "speed");
        QCOMPARE(w->workspace().st.pointx[1], qint16(300));
        dock->transport().pause();
    }

    void speedsDouble_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("speed");
        QTest::newRow("L L") << "LL" << 2;
        QTest::newRow("L L L L: 4x at most") << "LLLL" << 4;
        QTest::newRow("J J") << "JJ" << -2;
        QTest::newRow("J L: forwards again") << "JL" << 1;
        QTest::newRow("L K") << "LK" << 0;
        QTest::newRow("Space") << " " << 1;
    }
    void speedsDouble() {
        QFETCH(QString, keys);
        load({});
        tl->seek(20);
        body()->setFocus();
        for (QChar c : keys)
            QTest::keyClick(body(), c.toLatin1());
        QTEST(dock->transport().speed(), "speed");
        dock->transport().pause();
    }

    // I and O set the range the render dialog writes; the files keep their frame numbers and
    // hold the frames a whole render writes under them.
    void theRangeRendersThoseFrames() {
        load({});
        body()->setFocus();
        tl->seek(20);
        QTest::keyClick(body(), Qt::Key_I);
        tl->seek(24);
        QTest::keyClick(body(), Qt::Key_O);
        MemorySink whole;
        Workspace copy;
        copy.st = w->workspace().st;
        copy.st.renderfrom = copy.st.renderto = -1;
        copy.map.resize(w->workspace().map.width(), w->workspace().map.height());
        copy.picture = w->workspace().picture;
        QVERIFY(!RenderAnimation(copy, whole).error);
        auto* anim = w->findChild<AnimationCommands*>();
        QTest::mouseClick(w->findChild<QWidget*>("btnRender"), Qt::LeftButton);
        RenderDialog* d = anim->renderDialog();
        d->findChild<DirectoryList*>("Dir1")->setPath(dir.path());
        d->findChild<QLineEdit*>("txtName")->setText("part");
        QTest::mouseClick(d->findChild<QPushButton*>("btnRender"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!anim->rendering(), 20000);
        const QStringList files = QDir(dir.path()).entryList({"part*.bmp"}, QDir::Files, QDir::Name);
        QCOMPARE(files, QStringList({"part0020.bmp", "part0021.bmp", "part0022.bmp", "part0023.bmp",
                                     "part0024.bmp"}));
        for (int n = 20; n <= 24; ++n)
            QCOMPARE(QImage(dir.filePath(files[n - 20])).convertToFormat(QImage::Format_RGB32),
                     whole.frames[std::size_t(n)]);
    }
};

QTEST_MAIN(TimelineTest)
#include "test_timeline.moc"

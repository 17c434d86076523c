// The animation commands from the main window: the render dialog opening at `renderpath`,
// preview and render from the event loop, one animation at a time, and failures reported (a
// marker picture that cannot be used among them). The animation itself is checked in the core
// tests.
#include "animation/AnimationCommands.h"
#include "animation/FrameWriters.h"
#include "animation/RenderDialog.h"
#include "animation/RenderLock.h"
#include "animation/RenderTarget.h"
#include "mapview/RouteDrawing.h"
#include "shell/DirectoryList.h"
#include "shell/EditHistory.h"
#include "shell/MainWindow.h"
#include "support/AnimationSupport.h"
#include "support/Files.h"
#include "support/Route.h"
#include "support/ShownWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

class AnimationCommandsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    MainWindow* w = nullptr;
    AnimationCommands* anim = nullptr;

    QWidget* child(const QString& name) { return w->findChild<QWidget*>(name); }
    RenderDialog* openDialog() {
        QTest::mouseClick(child("btnRender"), Qt::LeftButton);
        return anim->renderDialog();
    }
    void clickPreview() { QTest::mouseClick(child("btnRoute"), Qt::LeftButton); }
    void finishPreview() { // the rest of the ticks without waiting for the video's pace
        while (anim->previewing())
            anim->timerRoute_Timer();
    }
    QLabel* mainLabel() { return w->findChild<QWidget*>("Picture1")->findChild<QLabel*>("lblFrame"); }
    void setRoute(const QString& route) { ::setRoute(w->workspace().st, route); }
    // Sets directory (unless empty) and name in the dialog and presses its Render button.
    void render(RenderDialog* d, const QString& outDir, const QString& name) {
        if (!outDir.isEmpty()) d->findChild<DirectoryList*>("Dir1")->setPath(outDir);
        d->findChild<QLineEdit*>("txtName")->setText(name);
        QTest::mouseClick(d->findChild<QPushButton*>("btnRender"), Qt::LeftButton);
    }
    QStringList files(const QString& pattern) {
        return QDir(dir.path()).entryList({pattern}, QDir::Files, QDir::Name);
    }

  private slots:
    void init() {
        w = shownMainWindow(dir.path());
        QVERIFY(QTest::qWaitForWindowExposed(w));
        anim = w->findChild<AnimationCommands*>();
        QVERIFY(anim);
    }
    void cleanup() { delete w; }

    void opensAtRenderpath_data() {
        QTest::addColumn<QString>("renderpath"); // %D is the folder of the project file
        QTest::addColumn<QString>("opensAt");
        QTest::newRow("as a project may hold it: no separator")
            << QString("%D/frames") << QString("%D/frames");
        QTest::newRow("Windows folder: the project's own") << QString("C:\\Frames\\") << QString("%D");
        QTest::newRow("none: the project's folder") << QString() << QString("%D");
        QTest::newRow("gone: the project's folder") << QString("%D/gone/") << QString("%D");
    }
    // The dialog opens with the project's render name, pressing Render with it is no edit, and
    // the end is told.
    void opensWithTheRenderName() {
        setRoute("20,50 120,50");
        w->workspace().st.rendername = "walk";
        w->history().markSaved();
        RenderDialog* d = openDialog();
        QCOMPARE(d->findChild<QLineEdit*>("txtName")->text(), QString("walk"));
        d->findChild<DirectoryList*>("Dir1")->setPath(dir.path());
        w->history().markSaved();
        QTest::mouseClick(d->findChild<QPushButton*>("btnRender"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!anim->rendering(), 20000);
        QCOMPARE(w->workspace().st.rendername, QString("walk"));
        QVERIFY(!w->history().unsaved());
        QVERIFY(QFile::exists(dir.filePath("walk0000.bmp")));
        // The window says what was written, and where.
        QMessageBox* box = nullptr;
        QTRY_VERIFY((box = w->findChild<QMessageBox*>("renderSummary")) && box->isVisible());
        QVERIFY2(box->text().contains("walk0000.bmp to walk") && box->text().contains(dir.path()),
                 qPrintable(box->text()));
    }

    void opensAtRenderpath() {
        QFETCH(QString, renderpath);
        QFETCH(QString, opensAt);
        renderpath.replace("%D", dir.path());
        opensAt.replace("%D", dir.path());
        QVERIFY(QDir().mkpath(dir.filePath("frames")));
        w->workspace().st.renderpath = renderpath;
        w->workspace().st.projectpath = dir.filePath("p.wsr");
        w->workspace().st.projectdir = dir.path() + '/';
        w->workspace().st.projectname = "p.wsr";
        RenderDialog* d = openDialog();
        d->Form_Activate();
        QCOMPARE(d->findChild<DirectoryList*>("Dir1")->path(), opensAt);
        QCOMPARE(d->findChild<QLineEdit*>("Drive1")->text(), opensAt);
        QCOMPARE(w->workspace().st.renderpath, renderpath);
    }

    // The timer drives the preview at the video's pace; preview and render end on the same
    // frame number, and the render runs from the event loop.
    void previewAndRenderFromTheEventLoop() {
        setRoute("20,50 120,50");
        w->btnPAL_Click(); // delay 50: frames 0000 to 0053
        clickPreview();
        QCOMPARE(anim->timerRoute()->interval(), 40);
        QTRY_VERIFY(mainLabel()->text().toInt() >= 3);
        finishPreview();
        QCOMPARE(mainLabel()->text(), QString("0053"));
        mainLabel()->clear();
        RenderDialog* d = openDialog();
        render(d, dir.path(), "tour");
        QVERIFY(anim->rendering()); // the click returned while the render runs
        // Edits while it runs (a point moved, the format, another map) change none of its frames.
        Workspace asWas;
        asWas.st = w->workspace().st;
        asWas.map.resize(w->workspace().map.width(), w->workspace().map.height());
        w->workspace().st.pointx[1] = 300;
        w->btnNTSC_Click();
        w->workspace().picture = QImage(50, 50, QImage::Format_RGB32);
        w->workspace().picture.fill(Qt::green);
        Redraw(w->workspace());
        QTRY_VERIFY_WITH_TIMEOUT(!anim->rendering(), 20000);
        asWas.st.rendername = "asWas";
        QVERIFY(!RenderAnimation(asWas, *makeFrameWriter(renderTargetFor(asWas)).sink).error);
        for (int n : {1, 30, 53})
            QCOMPARE(readFile(dir.filePath("tour" + frameText(n) + ".bmp")),
                     readFile(dir.filePath("asWas" + frameText(n) + ".bmp")));
        QCOMPARE(files("tour*.bmp").size(), 54);
        QCOMPARE(files("tour*.bmp").last(), QString("tour0053.bmp"));
        QCOMPARE(mainLabel()->text(), QString("0053"));
        QCOMPARE(d->findChild<QLabel*>("lblFrame")->text(), QString("0053"));
        QVERIFY(!d->isVisible());
        QCOMPARE(w->workspace().st.renderpath, dir.path() + "/");
    }

    void oneAnimationAtATime() {
        setRoute("20,50 400,50");
        clickPreview();
        QVERIFY(anim->previewing());
        RenderDialog* d = openDialog();
        render(d, dir.path(), "busy");
        QVERIFY(!anim->rendering());
        QVERIFY(w->workspace().st.rendername.isEmpty()); // Render did nothing at all
        finishPreview();
        render(d, dir.path(), "busy");
        QVERIFY(anim->rendering());
        clickPreview();
        QVERIFY(!anim->previewing());
        render(d, dir.path(), "again");
        QCOMPARE(w->workspace().st.rendername, QString("busy"));
        QTRY_VERIFY_WITH_TIMEOUT(!anim->rendering(), 20000);
        QCOMPARE(files("again*").size(), 0);
    }

    void stopOrCancelDuringAVideoRender_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("stays"); // the dialog stays open
        QTest::newRow("Stop keeps the frames so far") << "btnStop" << true;
        QTest::newRow("Cancel hides, the render goes on") << "btnCancel" << false;
    }
    // While the render runs the bar and the speed move; Stop ends it with a video file that
    // holds the frames the dialog reports, Cancel lets it run to the end.
    void stopOrCancelDuringAVideoRender() {
        QFETCH(QString, button);
        QFETCH(bool, stays);
        setRoute("20,50 400,50");
        w->workspace().st.delay = 400;
        RenderDialog* d = openDialog();
        auto* kind = d->findChild<QComboBox*>("cboKind");
        kind->setCurrentIndex(kind->findData("mp4"));
        render(d, dir.path(), "tour");
        auto* speed = d->findChild<QLabel*>("lblSpeed");
        QTRY_VERIFY(d->findChild<QProgressBar*>("prgRender")->value() > 0);
        QVERIFY(speed->text().contains("frames/s"));
        QTest::mouseClick(d->findChild<QPushButton*>(button), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!anim->rendering(), 60000);
        QCOMPARE(d->isVisible(), stays);
        QVERIFY(!d->findChild<QPushButton*>("btnStop")->isEnabled());
        QProcess probe;
        probe.start("ffprobe", {"-v", "error", "-count_frames", "-show_entries", "stream=nb_read_frames",
                                "-of", "csv=p=0", dir.filePath("tour.mp4")});
        QVERIFY(probe.waitForFinished(60000));
        const qint64 frames = probe.readAllStandardOutput().trimmed().toLongLong();
        QCOMPARE(frames, mainLabel()->text().toLongLong() + 1);
        QCOMPARE(frames < 400, stays);
        if (stays)
            QVERIFY(speed->text().startsWith(QString("Stopped: %1 frames kept in tour.mp4, ").arg(frames)));
    }

    void failureIsReported_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hindrance");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* tag, const char* name, const char* hindrance, const char* expected) {
            QTest::newRow(tag) << QString(name) << QString(hindrance) << QString(expected);
        };
        row("missing directory", "tour", "gone", "tour0000.bmp");
        row("another render writes there", "tour", "locked", "another render");
        row("name with a folder", "../tour", "", "holds a '/'");
        row("no name", "", "", "The frames need a name");
        // Refused on its count (counted away from the event loop) before the missing folder is found.
        row("more than a day, missing directory", "tour", "a day gone", "more than 2589408 frames");
        const char* noMarker = "did not start.\n\nthe marker picture %F/nope.png: the file does not exist";
        row("missing marker picture", "tour", "marker", noMarker);
        row("missing marker picture, preview", "tour", "marker preview", noMarker);
    }
    void failureIsReported() {
        QFETCH(QString, name);
        QFETCH(QString, hindrance);
        QFETCH(QString, expected);
        setRoute("20,50 120,50");
        QTemporaryDir fresh;
        const QString out = fresh.filePath("out");
        QVERIFY(QDir().mkpath(out));
        RenderDialog* d = openDialog();
        d->findChild<DirectoryList*>("Dir1")->setPath(out); // a directory that exists when chosen
        if (hindrance.endsWith("gone")) QVERIFY(QDir(out).removeRecursively());
        if (hindrance.startsWith("a day")) w->workspace().st.delay = 3e6;
        RenderLock other;
        if (hindrance == "locked") QVERIFY(!other.take(out + "/", name));
        if (hindrance.startsWith("marker")) {
            w->workspace().st.marker = "picture";
            w->workspace().st.markerpicture = fresh.filePath("nope.png");
        }
        if (hindrance == "marker preview")
            clickPreview();
        else
            render(d, {}, name);
        QTRY_VERIFY_WITH_TIMEOUT(!anim->rendering(), 20000);
        QVERIFY(!anim->previewing());
        QMessageBox* box = nullptr;
        QTRY_VERIFY((box = w->findChild<QMessageBox*>()) && box->isVisible());
        QVERIFY2(box->text().contains(expected.replace("%F", fresh.path())), qPrintable(box->text()));
        QCOMPARE(QDir(fresh.path()).entryList({"*.bmp"}) + QDir(out).entryList({"*.bmp"}), QStringList());
    }
};

QTEST_MAIN(AnimationCommandsTest)
#include "test_animation_commands.moc"

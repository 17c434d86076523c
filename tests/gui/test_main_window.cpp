// The main window: leaving with unsaved changes, the frame formats, the map window's size, Open
// Recent; the render dialog opening at `renderpath`, preview and render from the event loop, one
// animation at a time, and failures reported. The animation itself is checked in the core tests.
#include "animation/AnimationCommands.h"
#include "animation/RenderDialog.h"
#include "animation/RenderLock.h"
#include "mapview/MapView.h"
#include "project/ProjectCommands.h"
#include "project/RecentMenu.h"
#include "shell/DirectoryList.h"
#include "shell/MainWindow.h"
#include "support/Files.h"
#include "support/ModalCloser.h"
#include "support/Route.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QtTest>

class MainWindowTest : public QObject {
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
        QSettings("pathwright", "pathwright").clear();
        w = new MainWindow(dir.path());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        anim = w->findChild<AnimationCommands*>();
        QVERIFY(anim);
    }
    void cleanup() { delete w; }

    // Exit, the close control and Open ask Save, Discard or Cancel when there are unsaved changes
    // (a PAL click), and go on only when the changes were saved or let go. "saveas" answers the
    // Save As dialog that Save brings up for a project with no file ("-" cancels it); "fails"
    // puts a directory in the way of the save.
    void unsavedChangesAreAsked_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("saveas");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<bool>("goesOn");
        const auto row = [](const char* way, const char* answer, const char* saveas, bool fails, bool on) {
            QTest::addRow("%s %s %s%s", way, answer, saveas, fails ? " fails" : "")
                << way << answer << saveas << fails << on;
        };
        row("exit", "none", "", false, true);
        row("exit", "cancel", "", false, false);
        row("exit", "save", "", false, true);
        row("close", "discard", "", false, true);
        row("close", "save", "new", false, true);
        row("open", "cancel", "", false, false);
        row("open", "save", "", true, false);
        row("open", "save", "new", false, true);
        row("open", "save", "-", false, false);
    }
    void unsavedChangesAreAsked() {
        QFETCH(QString, way);
        QFETCH(QString, answer);
        QFETCH(QString, saveas);
        QFETCH(bool, fails);
        ModalCloser closer; // the message of a failed save
        QTemporaryDir rowDir;
        const QString home = rowDir.path() + '/';
        writeFile(home + "other.wsr", readFile(TEST_DATA_DIR "/tour.wsr"));
        ProjectCommands& project = w->projectCommands();
        w->workspace().st.projectdir = home; // where Save As starts
        if (saveas.isEmpty()) QVERIFY(project.saveProject(home, "tour.wsr", w));
        int asked = 0;
        project.setAsk([&](QWidget*, const QString&) {
            ++asked;
            return answer == "save"      ? QMessageBox::Save
                   : answer == "discard" ? QMessageBox::Discard
                                         : QMessageBox::Cancel;
        });
        if (answer != "none") QTest::mouseClick(child("btnPAL"), Qt::LeftButton);
        QCOMPARE(w->windowTitle().endsWith('*'), answer != "none");
        if (fails) QVERIFY(QFile::remove(home + "tour.wsr") && QDir(home).mkdir("tour.wsr"));
        QTimer::singleShot(0, w, [&] { // the Save As dialog, shown modal
            auto* saveAs = w->findChild<QDialog*>("frmSaveAs");
            if (!saveAs || !saveAs->isModal()) return;
            saveAs->findChild<QLineEdit*>("txtName")->setText(saveas);
            QTest::mouseClick(saveAs->findChild<QPushButton*>(saveas == "-" ? "btnCancel" : "btnSave"),
                              Qt::LeftButton);
        });
        const bool on = way == "exit"    ? w->mnuExit_Click()
                        : way == "close" ? w->close()
                                         : project.openProject(home, "other.wsr", w);
        QTEST(on, "goesOn");
        QCOMPARE(asked, answer == "none" ? 0 : 1);
        const QString saved = home + (saveas.isEmpty() ? "tour.wsr" : saveas + ".wsr");
        if (answer == "save") QCOMPARE(QFile::exists(saved) && readFile(saved).contains("format = p"), on);
        QCOMPARE(closer.texts.filter("was not saved").size(), fails ? 1 : 0);
    }

    // Each way of choosing a format sizes the frame; the map window shows all of it, pixel for
    // pixel when the screen has room and scaled to fit when not, and the main window stays on
    // the screen. The tool bar's drop-down names the format.
    void formatsShowWholeFrames_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QString>("label");
        QTest::newRow("PAL button") << "btnPAL" << QSize(786, 576) << "PAL 25";
        QTest::newRow("4K menu") << "fmt 4K UHD 29.97" << QSize(3840, 2160) << "4K UHD 29.97";
        QTest::newRow("Vertical menu") << "fmt Vertical 60" << QSize(1080, 1920) << "Vertical 60";
    }
    void formatsShowWholeFrames() {
        QFETCH(QString, control);
        QFETCH(QSize, frame);
        auto* map = w->findChild<MapView*>("frmImage");
        if (auto* action = w->findChild<QAction*>(control))
            action->trigger();
        else
            QTest::mouseClick(child(control), Qt::LeftButton);
        QCOMPARE(w->workspace().map.image().size(), frame);
        QTEST(w->findChild<QToolButton*>("btnFormat")->text(), "label");
        const QSize room = map->viewport()->size();
        const bool fits = frame.width() <= room.width() && frame.height() <= room.height();
        QCOMPARE(map->scale() == 1.0, fits);
        QVERIFY(frame.width() * map->scale() <= room.width() + 0.5);
        QVERIFY(frame.height() * map->scale() <= room.height() + 0.5);
        const QSize screen = w->screen()->availableGeometry().size();
        QCOMPARE(screen.boundedTo(w->frameGeometry().size()), w->frameGeometry().size());
    }

    // Open Recent lists the projects opened or saved, newest first, each once, eight at most; one
    // gone is taken off, with a message.
    void openRecent() {
        ModalCloser closer;
        const QString home = dir.path() + '/';
        for (const char* name : {"1", "2", "3", "4", "5", "6", "7", "b.wsr", "a.wsr", "b.wsr", "a.wsr"})
            QVERIFY(w->projectCommands().saveProject(home, name, w));
        auto* menu = w->findChild<RecentMenu*>("mnuOpenRecent");
        const auto shown = [menu] {
            emit menu->aboutToShow();
            QStringList out;
            for (QAction* a : menu->actions())
                out << a->text();
            return out;
        };
        QCOMPARE(shown(), QStringList({"&1 a.wsr", "&2 b.wsr", "&3 7.wsr", "&4 6.wsr", "&5 5.wsr", "&6 4.wsr",
                                       "&7 3.wsr", "&8 2.wsr"}));
        QVERIFY(QFile::remove(home + "a.wsr"));
        menu->openRecent(home + "a.wsr");
        QCOMPARE(closer.texts.filter("no longer there").size(), 1);
        QCOMPARE(shown().mid(0, 2), QStringList({"&1 b.wsr", "&2 7.wsr"}));
    }

    void opensAtRenderpath_data() {
        QTest::addColumn<QString>("renderpath"); // %D is the folder of the project file
        QTest::addColumn<QString>("opensAt");
        QTest::newRow("as a project may hold it: no separator")
            << QString("%D/frames") << QString("%D/frames");
        QTest::newRow("Windows folder: the project's own") << QString("C:\\Frames\\") << QString("%D");
    }
    void opensAtRenderpath() {
        QFETCH(QString, renderpath);
        QFETCH(QString, opensAt);
        renderpath.replace("%D", dir.path());
        opensAt.replace("%D", dir.path());
        QVERIFY(QDir().mkpath(dir.filePath("frames")));
        w->workspace().st.renderpath = renderpath;
        w->workspace().st.projectpath = dir.filePath("p.wsr");
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
        QTRY_VERIFY(w->workspace().st.framecount >= 3);
        finishPreview();
        QCOMPARE(mainLabel()->text(), QString("0053"));
        mainLabel()->clear();
        RenderDialog* d = openDialog();
        render(d, dir.path(), "tour");
        QVERIFY(anim->rendering()); // the click returned while the render runs
        QTRY_VERIFY_WITH_TIMEOUT(!anim->rendering(), 20000);
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
        // Refused on its count (counted away from the event loop) before the missing folder is found.
        row("more than a day, missing directory", "tour", "a day gone", "more than 2589408 frames");
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
        render(d, {}, name);
        QTRY_VERIFY_WITH_TIMEOUT(!anim->rendering(), 20000);
        QMessageBox* box = nullptr;
        QTRY_VERIFY((box = w->findChild<QMessageBox*>()) && box->isVisible());
        QVERIFY2(box->text().contains(expected), qPrintable(box->text()));
        QCOMPARE(QDir(fresh.path()).entryList({"*.bmp"}) + QDir(out).entryList({"*.bmp"}), QStringList());
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"

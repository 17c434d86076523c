// The main window: leaving with unsaved changes, the frame formats, the map window's size, Open
// Recent. Preview and render from the window are in test_animation_commands.
#include "mapview/MapView.h"
#include "project/ProjectCommands.h"
#include "project/RecentMenu.h"
#include "shell/MainWindow.h"
#include "support/Files.h"
#include "support/ModalCloser.h"
#include "support/ShownWindow.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QLabel>
#include <QtTest>

class MainWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    MainWindow* w = nullptr;

    QWidget* child(const QString& name) { return w->findChild<QWidget*>(name); }

  private slots:
    void init() {
        w = shownMainWindow(dir.path());
        QSettings("pathwright", "pathwright").setValue("ui/classicDialogs", true); // answered below
        QVERIFY(QTest::qWaitForWindowExposed(w));
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
            auto* folder = saveAs->findChild<QLineEdit*>("Drive1");
            folder->setText(home);
            QTest::keyClick(folder, Qt::Key_Return);
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
        // Opening one shows no frame of the project before it.
        w->setFrameText("0042");
        QVERIFY(w->projectCommands().openFile(home + "b.wsr"));
        QCOMPARE(w->findChild<QLabel*>("lblFrame")->text(), "Frame");
        // The same name in another folder: both show their folder.
        QVERIFY(QDir(home).mkdir("sub"));
        QVERIFY(w->projectCommands().saveProject(home + "sub/", "b.wsr", w));
        QCOMPARE(shown().mid(0, 2),
                 QStringList({"&1 b.wsr  (" + home + "sub)", "&2 b.wsr  (" + dir.path() + ")"}));
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"

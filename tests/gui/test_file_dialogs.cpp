// The file dialogs: Get Image's file list, Cancel and pictures that cannot be read; Open and
// Save As with their tentative choices, Cancel, opening by double-click and by button, saving
// again without a dialog, folders made where files are written, and what errors leave behind;
// the desktop's dialogs in their place unless the classic ones are preferred.
#include "mapview/GetImageDialog.h"
#include "mapview/MapPicture.h"
#include "project/OpenDialog.h"
#include "project/ProjectCommands.h"
#include "project/SaveAsDialog.h"
#include "shell/DirectoryList.h"
#include "shell/EditHistory.h"
#include "shell/MainWindow.h"
#include "support/Files.h"
#include "support/ModalCloser.h"
#include "support/Pixels.h"
#include "support/Route.h"
#include "support/TestSettings.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {
// What Get Image lists for the awkward names written by initTestCase.
const QStringList kListed = {"a.jpe",   "backup.old.gif",           "d.",  "good.png",
                             "Map.JPG", "several.dots.in.name.PNG", "x.p", "y.mp"};
} // namespace

class FileDialogsTest : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    // program directory, pictures, a directory of projects, a directory to browse
    QString home, pics, maps, other;
    MainWindow* w = nullptr;

    ProjectState& st() { return w->workspace().st; }
    void trigger(const char* name) { w->findChild<QAction*>(name)->trigger(); }
    QLabel* thumb() { return w->findChild<QLabel*>("imgThumb"); }
    void chooseDirectory(QDialog* dlg, const QString& path) {
        auto* box = dlg->findChild<QLineEdit*>("Drive1");
        box->setText(path);
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(dlg->isVisible()); // Enter changes directory, it does not press a button
    }
    template <class Dialog> Dialog* show(const char* action, const char* name, const QString& dir) {
        trigger(action);
        auto* dlg = w->findChild<Dialog*>(name);
        if (dlg && dlg->isVisible()) chooseDirectory(dlg, dir);
        return dlg && dlg->isVisible() ? dlg : nullptr;
    }
    GetImageDialog* getImage() {
        QTest::mouseClick(thumb(), Qt::LeftButton);
        auto* dlg = w->findChild<GetImageDialog*>("frmGetImage");
        return dlg && dlg->isVisible() ? dlg : nullptr;
    }
    QListWidget* list(QDialog* dlg) { return dlg->findChild<QListWidget*>("List1"); }
    DirectoryList* dirList(QDialog* dlg) { return dlg->findChild<DirectoryList*>("Dir1"); }
    QListWidgetItem* entry(QDialog* dlg, const QString& name) {
        const auto found = list(dlg)->findItems(name, Qt::MatchExactly);
        return found.size() == 1 ? found.first() : nullptr;
    }
    QStringList shown(QDialog* dlg) {
        QStringList out;
        for (int i = 0; i < list(dlg)->count(); ++i)
            out << list(dlg)->item(i)->text();
        return out;
    }
    void click(QDialog* dlg, const char* button) {
        QTest::mouseClick(dlg->findChild<QPushButton*>(button), Qt::LeftButton);
    }
    void openEntry(QDialog* dlg, const QString& name) {
        list(dlg)->setCurrentItem(entry(dlg, name));
        QVERIFY(list(dlg)->currentItem());
        click(dlg, "btnOpen");
    }
    QStringList projectFields() {
        return {st().projectdir, st().projectname, st().projectpath, w->windowTitle()};
    }
    QStringList opened(const QString& dir) {
        return {dir + "/", "tour.wsr", dir + "/tour.wsr", "Vantorel * Pathwright 1.1 - tour.wsr"};
    }

  private slots:
    void initTestCase() {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); // Qt's own dialog, which a test can answer
        home = tmp.path() + "/home";
        pics = tmp.path() + "/pics";
        maps = tmp.path() + "/maps";
        other = tmp.path() + "/other";
        for (const QString& d : {home, pics, maps})
            QVERIFY(QDir().mkpath(d));
        for (const char* n :
             {"Map.JPG", "a.jpe", "x.p", "y.mp", "d.", "backup.old.gif", "notes.txt", "README", "pic.tiff",
              ".secret.png", "several.dots.in.name.PNG", "photo.jpeg.bak"})
            writeFile(pics + '/' + n, "not really a picture");
        QImage green(30, 20, QImage::Format_RGB32);
        green.fill(Qt::green);
        QVERIFY(green.save(pics + "/good.png"));
        QVERIFY(QDir(pics).mkdir("sub.bmp")); // directories are not listed as files
        for (const char* n : {"a.wsr", "b.WSR", "c.r", "d.", "e.wsrx", "f", ".hidden.wsr"})
            writeFile(maps + '/' + n, "[h]\r\nlistmax = 0\r\n");
        QVERIFY(QDir(maps).mkdir("sub.wsr"));
        QVERIFY(green.save(maps + "/harbour.bmp", "BMP"));
        QByteArray tour = readFile(TEST_DATA_DIR "/tour.wsr");
        tour.replace("imagepath = C:\\Maps\\", "imagepath = " + maps.toUtf8() + "/");
        writeFile(maps + "/tour.wsr", tour.replace("renderpath = C:\\Frames\\", "renderpath = /tmp/"));
        writeFile(maps + "/odd.wsr", "[h]\r\nlistmax = 300\r\nimagename = gone.bmp\r\n");
    }
    void init() {
        QSettings("pathwright", "pathwright").setValue("ui/classicDialogs", true);
        QVERIFY(QDir().mkpath(other));
        w = new MainWindow(home);
        w->show();
    }
    void cleanup() {
        delete w;
        QDir(other).removeRecursively();
    }

    void getImageListsAwkwardNamesAndReachesEveryDirectory() {
        st().imagepath = maps + '/';
        GetImageDialog* dlg = getImage();
        QVERIFY(dlg);
        DirectoryList* dir = dirList(dlg);
        const QString imagepath = st().imagepath;
        QCOMPARE(dir->path() + '/', imagepath); // it opens in the map's folder, listed
        QCOMPARE(list(dlg)->count(), pictureFilesIn(imagepath).size());
        chooseDirectory(dlg, pics);
        QCOMPARE(shown(dlg), kListed);       // sorted without case, hidden files left out
        QCOMPARE(st().imagepath, imagepath); // browsing changes nothing
        const auto enter = [&](QListWidgetItem* item) {
            dir->setCurrentItem(item);
            QTest::keyClick(dir, Qt::Key_Return);
            QVERIFY(dlg->isVisible());
        };
        enter(dir->item(0)); // the root of the file system, with a single separator
        QCOMPARE(dir->path(), QString("/"));
        for (const QString& part : pics.split('/', Qt::SkipEmptyParts)) { // and down again
            const auto found = dir->findItems(part, Qt::MatchEndsWith);
            QVERIFY2(!found.isEmpty(), qPrintable(part));
            enter(found.last());
        }
        QCOMPARE(dir->path(), pics);
        QCOMPARE(shown(dlg), kListed);
    }

    void getImageCancelChangesNothing_data() {
        QTest::addColumn<int>("key"); // 0: a click on Cancel
        QTest::newRow("Cancel clicked") << 0;
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Enter in the file list (Cancel is the default)") << int(Qt::Key_Return);
    }
    // Browsing and leaving: the project and its undo history stay as they were; opened again,
    // the dialog starts in the map's folder again.
    void getImageCancelChangesNothing() {
        QFETCH(int, key);
        st().imagepath = maps + '/';
        st().imagename = "old.png";
        const QString imagepath = st().imagepath;
        const int steps = w->history().stack().count();
        GetImageDialog* dlg = getImage();
        QVERIFY(dlg);
        chooseDirectory(dlg, pics);
        list(dlg)->setCurrentRow(0);
        if (key)
            QTest::keyClick(list(dlg), Qt::Key(key));
        else
            click(dlg, "btnCancel");
        QVERIFY(!dlg->isVisible());
        QCOMPARE(st().imagepath, imagepath);
        QCOMPARE(st().imagename, QString("old.png"));
        QCOMPARE(w->history().stack().count(), steps);
        QTest::mouseClick(thumb(), Qt::LeftButton);
        QCOMPARE(dirList(dlg)->path() + '/', imagepath);
    }

    void aPictureShowsBareAndAnUnreadableOneLeavesIt() {
        Workspace& ws = w->workspace();
        setRoute(ws.st, "5,5");
        ModalCloser closer;
        GetImageDialog* dlg = getImage();
        QVERIFY(dlg);
        chooseDirectory(dlg, pics);
        list(dlg)->setCurrentItem(nullptr);
        click(dlg, "btnOpen");
        QTRY_COMPARE(closer.texts.size(), 1);
        QVERIFY(closer.texts.first().contains("No picture") && ws.st.imagename.isEmpty());
        openEntry(dlg, "good.png");
        QVERIFY(!dlg->isVisible());
        QCOMPARE(ws.st.imagename, QString("good.png"));
        QCOMPARE(ws.st.imagepath, pics + "/");            // the folder is taken with the picture
        QCOMPARE(rgbAt(ws.map.image(), 5, 5), 0xff0000u); // the route stays drawn over the new map
        const qint64 thumbKey = thumb()->pixmap().cacheKey();
        QVERIFY(!thumb()->pixmap().isNull());
        QTest::mouseClick(thumb(), Qt::LeftButton);
        openEntry(dlg, "Map.JPG");
        QTRY_COMPARE(closer.texts.size(), 2);
        QVERIFY2(closer.texts.last().contains("Map.JPG"), qPrintable(closer.texts.last()));
        QCOMPARE(ws.st.imagename, QString("good.png"));
        QCOMPARE(rgbAt(ws.map.image(), 5, 5), 0xff0000u);
        QCOMPARE(thumb()->pixmap().cacheKey(), thumbKey);
        QVERIFY(dlg->isVisible());
    }
    // The list holds the files whose name holds ".wsr" (no directories, no dot-files), in
    // directory order; clicking one and leaving with Cancel changes nothing.
    void openDialogListsProjectFilesThenCancelChangesNothing() {
        trigger("mnuOpen");
        auto* dlg = w->findChild<OpenDialog*>("frmOpen");
        QVERIFY(dlg && dlg->isVisible());
        // Without a project: the user's pictures or home, never the folder the program started in.
        QVERIFY(dirList(dlg)->path() != QDir::currentPath());
        QVERIFY(QDir::cleanPath(dirList(dlg)->path()).startsWith(QDir::homePath()));
        dlg->hide();
        QVERIFY(w->projectCommands().openFile(maps + "/tour.wsr"));
        const QStringList before = projectFields();
        trigger("mnuOpen"); // in the project's folder, its files listed at once
        QCOMPARE(dirList(dlg)->path(), maps);
        const QStringList projects{"a.wsr", "b.WSR", "c.r", "d.", "tour.wsr", "odd.wsr"};
        QStringList expected, shown;
        for (const QString& f : plainFilesIn(maps))
            if (projects.contains(f)) expected << f;
        for (int i = 0; i < list(dlg)->count(); ++i)
            shown << list(dlg)->item(i)->text();
        QCOMPARE(shown, expected);
        QCOMPARE(shown.size(), projects.size());
        QListWidgetItem* item = entry(dlg, "a.wsr");
        QTest::mouseClick(list(dlg)->viewport(), Qt::LeftButton, {},
                          list(dlg)->visualItemRect(item).center());
        QVERIFY(item->isSelected());
        click(dlg, "btnCancel");
        QVERIFY(!dlg->isVisible());
        QCOMPARE(projectFields(), before);
    }

    void doubleClickOpensAndCloses() {
        auto* dlg = show<OpenDialog>("mnuOpen", "frmOpen", maps);
        QVERIFY(dlg && entry(dlg, "tour.wsr"));
        const QPoint at = list(dlg)->visualItemRect(entry(dlg, "tour.wsr")).center();
        QTest::mouseClick(list(dlg)->viewport(), Qt::LeftButton, {}, at); // the press a double-click follows
        QVERIFY(dlg->isVisible());
        QTest::mouseDClick(list(dlg)->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(projectFields(), opened(maps));
        QCOMPARE(st().listmax, qint16(3));
    }

    // btnOpen: nothing chosen only says so; a file gone meanwhile is told and changes nothing;
    // a chosen file opens.
    void openButton() {
        ModalCloser closer;
        const QStringList before = projectFields();
        auto* dlg = show<OpenDialog>("mnuOpen", "frmOpen", maps);
        QVERIFY(dlg);
        list(dlg)->setCurrentItem(nullptr);
        click(dlg, "btnOpen");
        QTRY_COMPARE(closer.texts.size(), 1);
        QVERIFY2(closer.texts.last().contains("No project was chosen"), qPrintable(closer.texts.last()));
        writeFile(other + "/vanish.wsr", "[h]\r\nformat = p\r\n");
        chooseDirectory(dlg, other);
        list(dlg)->setCurrentItem(entry(dlg, "vanish.wsr"));
        QVERIFY(QFile::remove(other + "/vanish.wsr"));
        click(dlg, "btnOpen");
        QTRY_COMPARE(closer.texts.size(), 2);
        QVERIFY2(closer.texts.last().contains(other + "/vanish.wsr"), qPrintable(closer.texts.last()));
        QVERIFY(dlg->isVisible());
        QCOMPARE(projectFields(), before);
        chooseDirectory(dlg, maps);
        openEntry(dlg, "tour.wsr");
        QVERIFY(!dlg->isVisible());
        QCOMPARE(projectFields(), opened(maps));
    }

    // Held values are named in the one message; long labels are cut, and the window shows the
    // project at once.
    void notesAfterLoadingComeInOneMessage_data() {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QStringList>("named");
        QTest::newRow("held count, missing picture")
            << QByteArray("listmax = 300\r\nimagename = gone.bmp\r\n")
            << QStringList{"1 line(s) held", "line 2: listmax 300 was held to 100", "gone.bmp"};
        QByteArray labels = "listmax = 99\r\n";
        for (int i = 0; i < 99; ++i)
            labels += "label." + QByteArray::number(i) + " = " + QByteArray(40000, 'y') + "\r\n";
        QTest::newRow("99 labels of 40 KB")
            << labels << QStringList{"line 3: label.0 of 40000 characters was cut to 200", "and 94 more"};
    }
    void notesAfterLoadingComeInOneMessage() {
        QFETCH(QByteArray, lines);
        QFETCH(QStringList, named);
        QTemporaryDir dir;
        writeFile(dir.filePath("notes.wsr"), "[h]\r\n" + lines);
        ModalCloser closer;
        QVERIFY(w->projectCommands().openFile(dir.filePath("notes.wsr")));
        QTRY_COMPARE(closer.texts.size(), 1);
        for (const QString& n : named)
            QVERIFY2(closer.texts.first().contains(n), qPrintable(closer.texts.first()));
        QCOMPARE(st().projectname, QString("notes.wsr"));
        for (const QString& label : st().pointlabel)
            QVERIFY(label.size() <= kMaxLabelLength);
    }

    // The dialog starts in the directory of the project last opened; browsing and a typed name
    // left with Cancel change nothing, and it starts there again the next time.
    void saveAsStartsInTheProjectDirectoryAndCancelChangesNothing() {
        QVERIFY(w->projectCommands().openFile(maps + "/tour.wsr"));
        const QStringList before = projectFields();
        trigger("mnuSaveAs");
        auto* dlg = w->findChild<SaveAsDialog*>("frmSaveAs");
        QVERIFY(dlg && dlg->isVisible());
        QCOMPARE(dirList(dlg)->path(), maps);
        chooseDirectory(dlg, other);
        dlg->findChild<QLineEdit*>("txtName")->setText("new");
        dlg->Form_Activate(); // browsing survives re-activation while the project stays where it is
        QCOMPARE(dirList(dlg)->path(), other);
        click(dlg, "btnCancel");
        QVERIFY(!dlg->isVisible());
        QCOMPARE(projectFields(), before);
        QVERIFY(!QFile::exists(other + "/new.wsr"));
        trigger("mnuSaveAs");
        QCOMPARE(dirList(dlg)->path(), maps);
        QCOMPARE(dlg->findChild<QLineEdit*>("txtName")->text(), QString("new")); // the typed name stays
    }

    // Enter in the name box saves, and Save then writes without a dialog.
    void saveAsThenSaveWritesTheSameFileWithoutADialog() {
        auto* dlg = show<SaveAsDialog>("mnuSave", "frmSaveAs", other); // no name yet: the dialog
        QVERIFY(dlg);
        auto* name = dlg->findChild<QLineEdit*>("txtName");
        name->setText("tour");
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(projectFields(), opened(other));
        QVERIFY(readFile(other + "/tour.wsr").contains("listmax = 0\r\n"));
        st().listmax = 1;
        trigger("mnuSave");
        QVERIFY(!dlg->isVisible());
        QVERIFY(readFile(other + "/tour.wsr").contains("listmax = 1\r\n"));
    }

    // A typed folder that does not exist is offered to be made; No leaves the folder shown.
    void typedFolderIsOfferedToBeMade_data() {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("made");
        QTest::newRow("yes") << QMessageBox::Yes << true;
        QTest::newRow("no") << QMessageBox::No << false;
    }
    void typedFolderIsOfferedToBeMade() {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, made);
        ModalCloser closer;
        closer.answer = answer;
        auto* dlg = show<SaveAsDialog>("mnuSaveAs", "frmSaveAs", other);
        QVERIFY(dlg);
        const QString wanted = other + "/new/frames";
        chooseDirectory(dlg, wanted);
        QCOMPARE(closer.texts.size(), 1);
        QCOMPARE(QFileInfo(wanted).isDir(), made);
        QCOMPARE(dirList(dlg)->path(), made ? wanted : other);
    }

    // The desktop's dialogs, the classic ones not preferred: each does what its classic one does.
    void standardDialogs_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("fields"); // project folder and name, map folder and name
        QTest::newRow("open") << "mnuOpen"
                              << "%M/tour.wsr" << QStringList{"%M/", "tour.wsr", "%M/", "harbour.bmp"};
        QTest::newRow("save as, suffix added") << "mnuSaveAs"
                                               << "%O/trip" << QStringList{"%O/", "trip.wsr", "%H/", ""};
        QTest::newRow("image") << "mnuImage"
                               << "%M/harbour.bmp" << QStringList{"%H/", "", "%M/", "harbour.bmp"};
    }
    void standardDialogs() {
        QFETCH(QString, action);
        QFETCH(QString, file);
        QFETCH(QStringList, fields);
        QSettings("pathwright", "pathwright").setValue("ui/classicDialogs", false);
        ModalCloser closer; // the notes of a project opened
        file.replace("%M", maps).replace("%O", other);
        fields.replaceInStrings("%M", maps).replaceInStrings("%O", other).replaceInStrings("%H", home);
        bool answered = false;
        QTimer poll; // the desktop's dialog is answered once it shows
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dlg || dlg->objectName() != "stdFileDialog") return;
            auto* name = dlg->findChild<QLineEdit*>("fileNameEdit"); // typed as a user would
            name->setText(file);
            QTest::keyClick(name, Qt::Key_Return);
            answered = true;
        });
        poll.start(20);
        trigger(qPrintable(action));
        QVERIFY(answered);
        QCOMPARE((QStringList{st().projectdir, st().projectname, st().imagepath, st().imagename}), fields);
        QVERIFY(!w->history().unsaved() || action == "mnuImage");
        if (action == "mnuSaveAs") QVERIFY(QFile::exists(other + "/trip.wsr"));
    }

    void failedSaveKeepsNameCaptionAndDialog() {
        QVERIFY(QDir(other).mkdir("tour.wsr"));
        ModalCloser closer;
        const QStringList before = projectFields();
        auto* dlg = show<SaveAsDialog>("mnuSaveAs", "frmSaveAs", other);
        QVERIFY(dlg);
        dlg->findChild<QLineEdit*>("txtName")->setText("tour");
        click(dlg, "btnSave");
        QTRY_COMPARE(closer.texts.size(), 1);
        QVERIFY2(closer.texts.first().contains(other + "/tour.wsr"), qPrintable(closer.texts.first()));
        QVERIFY(dlg->isVisible());
        QCOMPARE(projectFields(), before);
    }
};

QTEST_MAIN(FileDialogsTest)
#include "test_file_dialogs.moc"

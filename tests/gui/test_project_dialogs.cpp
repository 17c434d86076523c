// The Open and Save As dialogs and the Save command: tentative choices, Cancel, opening by
// double-click and by button, saving again without a dialog, and what errors leave behind.
#include "mapview/MapPicture.h"
#include "project/OpenDialog.h"
#include "project/ProjectCommands.h"
#include "project/SaveAsDialog.h"
#include "shell/DirectoryList.h"
#include "shell/MainWindow.h"
#include "support/ModalCloser.h"
#include "support/Pixels.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {
QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
QStringList entries(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}
} // namespace

class ProjectDialogsTest : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    QString home, maps, other; // program directory, a directory of projects, a directory to browse
    MainWindow* w = nullptr;

    ProjectState& st() { return w->workspace().st; }
    void trigger(const char* name) { w->findChild<QAction*>(name)->trigger(); }
    void chooseDirectory(QDialog* dlg, const QString& path) {
        auto* box = dlg->findChild<QLineEdit*>("Drive1");
        box->setText(path);
        QTest::keyClick(box, Qt::Key_Return);
    }
    OpenDialog* showOpen(const QString& dir) {
        trigger("mnuOpen");
        auto* dlg = w->findChild<OpenDialog*>("frmOpen");
        if (dlg) chooseDirectory(dlg, dir);
        return dlg;
    }
    QListWidgetItem* entry(OpenDialog* dlg, const QString& name) {
        const auto found = dlg->findChild<QListWidget*>("List1")->findItems(name, Qt::MatchExactly);
        return found.size() == 1 ? found.first() : nullptr;
    }
    void click(QDialog* dlg, const char* button) {
        QTest::mouseClick(dlg->findChild<QPushButton*>(button), Qt::LeftButton);
    }
    QStringList projectFields() {
        return {st().projectdir, st().projectname, st().projectpath, w->windowTitle()};
    }

  private slots:
    void initTestCase() {
        home = tmp.path() + "/home";
        maps = tmp.path() + "/maps";
        other = tmp.path() + "/other";
        for (const QString& d : {home, maps, other})
            QVERIFY(QDir().mkpath(d));
        for (const char* n : {"a.wsr", "b.WSR", "c.r", "d.", "e.wsrx", "f", ".hidden.wsr"})
            writeFile(maps + '/' + n, "[h]\r\nlistmax = 0\r\n");
        QVERIFY(QDir(maps).mkdir("sub.wsr"));
        QImage img(40, 30, QImage::Format_RGB32);
        img.fill(Qt::green);
        QVERIFY(img.save(maps + "/harbour.bmp", "BMP"));
        QByteArray tour = readFile(TEST_DATA_DIR "/tour.wsr");
        tour.replace("imagepath = C:\\Maps\\", "imagepath = " + maps.toUtf8() + "/");
        QVERIFY(tour.contains(maps.toUtf8()));
        writeFile(maps + "/tour.wsr", tour);
        writeFile(maps + "/odd.wsr", "[h]\r\nlistmax = 300\r\nimagename = gone.bmp\r\n");
    }
    void init() {
        w = new MainWindow(home);
        w->show();
    }
    void cleanup() {
        delete w;
        for (const QString& f : QDir(other).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(other + '/' + f);
        QDir(other).removeRecursively();
        QDir().mkpath(other);
    }

    void openDialogListsProjectFilesInDirectoryOrder() {
        trigger("mnuOpen");
        auto* dlg = w->findChild<OpenDialog*>("frmOpen");
        QVERIFY(dlg && dlg->isVisible());
        QCOMPARE(dlg->windowTitle(), QString("Pathwright - File open"));
        QCOMPARE(dlg->findChild<DirectoryList*>("Dir1")->path(), QDir::currentPath());
        QCOMPARE(dlg->findChild<QListWidget*>("List1")->count(), 0);
        chooseDirectory(dlg, maps);
        QStringList expected;
        for (const QString& f : plainFilesIn(maps))
            if (QStringList({"a.wsr", "b.WSR", "c.r", "d.", "tour.wsr", "odd.wsr"}).contains(f))
                expected << f;
        QCOMPARE(expected.size(), 6);
        QCOMPARE(entries(dlg->findChild<QListWidget*>("List1")), expected);
    }

    void browsingAndClickingThenCancelChangesNothing() {
        const QStringList before = projectFields();
        OpenDialog* dlg = showOpen(maps);
        QVERIFY(dlg);
        QListWidgetItem* item = entry(dlg, "a.wsr");
        QVERIFY(item);
        auto* list = dlg->findChild<QListWidget*>("List1");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
        QVERIFY(item->isSelected());
        click(dlg, "btnCancel");
        QVERIFY(!dlg->isVisible());
        QCOMPARE(projectFields(), before);
        // Save then asks for a name instead of writing over the file only looked at.
        trigger("mnuSave");
        QVERIFY(w->findChild<SaveAsDialog*>("frmSaveAs")->isVisible());
        QCOMPARE(readFile(maps + "/a.wsr"), QByteArray("[h]\r\nlistmax = 0\r\n"));
    }

    void doubleClickOpensAndCloses() {
        OpenDialog* dlg = showOpen(maps);
        auto* list = dlg->findChild<QListWidget*>("List1");
        QListWidgetItem* item = entry(dlg, "tour.wsr");
        QVERIFY(item);
        const QPoint at = list->visualItemRect(item).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at); // the press a double-click follows
        QVERIFY(dlg->isVisible());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(projectFields(), QStringList({maps + "/", "tour.wsr", maps + "/tour.wsr",
                                               "Vantorel * Pathwright 1.1 - tour.wsr"}));
        QCOMPARE(st().listmax, qint16(3));
        QCOMPARE(st().delay, 50.0);
        QCOMPARE(rgbAt(w->workspace().map.image(), 39, 0), 0x00ff00u);
    }

    void clickThenOpenButtonOpens() {
        OpenDialog* dlg = showOpen(maps);
        dlg->findChild<QListWidget*>("List1")->setCurrentItem(entry(dlg, "tour.wsr"));
        click(dlg, "btnOpen");
        QVERIFY(!dlg->isVisible());
        QCOMPARE(st().projectname, QString("tour.wsr"));
    }

    void openButtonWithNothingChosenOnlySaysSo() {
        ModalCloser closer;
        const QStringList before = projectFields();
        OpenDialog* dlg = showOpen(maps);
        dlg->findChild<QListWidget*>("List1")->setCurrentItem(nullptr);
        click(dlg, "btnOpen");
        QTRY_COMPARE(closer.texts.size(), 1);
        QVERIFY2(closer.texts.first().contains("No project was chosen"), qPrintable(closer.texts.first()));
        QVERIFY(dlg->isVisible());
        QCOMPARE(projectFields(), before);
    }

    void fileGoneBeforeOpeningChangesNothing() {
        writeFile(other + "/vanish.wsr", "[h]\r\nformat = p\r\n");
        ModalCloser closer;
        const QStringList before = projectFields();
        OpenDialog* dlg = showOpen(other);
        dlg->findChild<QListWidget*>("List1")->setCurrentItem(entry(dlg, "vanish.wsr"));
        QVERIFY(QFile::remove(other + "/vanish.wsr"));
        click(dlg, "btnOpen");
        QTRY_COMPARE(closer.texts.size(), 1);
        QVERIFY2(closer.texts.first().contains(other + "/vanish.wsr"), qPrintable(closer.texts.first()));
        QVERIFY(dlg->isVisible());
        QCOMPARE(projectFields(), before);
        QCOMPARE(st().format, QChar(u'n'));
    }

    void notesAfterLoadingComeInOneMessage() {
        ModalCloser closer;
        QVERIFY(w->projectCommands().openFile(maps + "/odd.wsr"));
        QTRY_COMPARE(closer.texts.size(), 1);
        QVERIFY2(closer.texts.first().contains("1 line(s) held"), qPrintable(closer.texts.first()));
        QVERIFY2(closer.texts.first().contains("gone.bmp"), qPrintable(closer.texts.first()));
        QCOMPARE(st().listmax, qint16(100));
        QCOMPARE(st().projectname, QString("odd.wsr"));
    }

    void saveAsBrowsingThenCancelChangesNothing() {
        const QStringList before = projectFields();
        trigger("mnuSaveAs");
        auto* dlg = w->findChild<SaveAsDialog*>("frmSaveAs");
        QVERIFY(dlg && dlg->isVisible());
        QCOMPARE(dlg->windowTitle(), QString("Pathwright - Save project file"));
        auto* dir = dlg->findChild<DirectoryList*>("Dir1");
        QCOMPARE(withSeparator(dir->path()), st().projectdir);
        chooseDirectory(dlg, other);
        dlg->findChild<QLineEdit*>("txtName")->setText("tour");
        click(dlg, "btnCancel");
        QVERIFY(!dlg->isVisible());
        QCOMPARE(projectFields(), before);
        QVERIFY(!QFile::exists(other + "/tour.wsr"));
        // Shown again, it starts in the project directory and keeps the typed name.
        trigger("mnuSaveAs");
        QCOMPARE(withSeparator(dir->path()), st().projectdir);
        QCOMPARE(dlg->findChild<QLineEdit*>("txtName")->text(), QString("tour"));
    }

    void enterInTheNameBoxDoesNotSave() {
        trigger("mnuSaveAs");
        auto* dlg = w->findChild<SaveAsDialog*>("frmSaveAs");
        chooseDirectory(dlg, other);
        auto* name = dlg->findChild<QLineEdit*>("txtName");
        name->setText("tour");
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY(dlg->isVisible());
        QVERIFY(!QFile::exists(other + "/tour.wsr"));
    }

    void saveAsThenSaveWritesTheSameFileWithoutADialog() {
        trigger("mnuSave"); // no name yet: the dialog
        auto* dlg = w->findChild<SaveAsDialog*>("frmSaveAs");
        QVERIFY(dlg && dlg->isVisible());
        chooseDirectory(dlg, other);
        dlg->findChild<QLineEdit*>("txtName")->setText("tour");
        click(dlg, "btnSave");
        QVERIFY(!dlg->isVisible());
        QCOMPARE(projectFields(), QStringList({other + "/", "tour.wsr", other + "/tour.wsr",
                                               "Vantorel * Pathwright 1.1 - tour.wsr"}));
        QVERIFY(readFile(other + "/tour.wsr").contains("listmax = 0\r\n"));
        st().listmax = 1;
        trigger("mnuSave");
        QVERIFY(!dlg->isVisible());
        QVERIFY(readFile(other + "/tour.wsr").contains("listmax = 1\r\n"));
    }

    void saveDialogStartsWhereTheLastProjectWasOpened() {
        QVERIFY(w->projectCommands().openFile(maps + "/tour.wsr"));
        trigger("mnuSaveAs");
        auto* dlg = w->findChild<SaveAsDialog*>("frmSaveAs");
        QCOMPARE(dlg->findChild<DirectoryList*>("Dir1")->path(), maps);
        // Browsing survives re-activation while the project stays where it is ...
        chooseDirectory(dlg, other);
        dlg->Form_Activate();
        QCOMPARE(dlg->findChild<DirectoryList*>("Dir1")->path(), other);
        // ... but follows a project opened meanwhile.
        writeFile(home + "/h.wsr", "[h]\r\n");
        QVERIFY(w->projectCommands().openFile(home + "/h.wsr"));
        dlg->Form_Activate();
        QCOMPARE(dlg->findChild<DirectoryList*>("Dir1")->path(), home);
    }

    void failedSaveKeepsNameCaptionAndDialog() {
        QVERIFY(QDir(other).mkdir("tour.wsr"));
        ModalCloser closer;
        const QStringList before = projectFields();
        trigger("mnuSaveAs");
        auto* dlg = w->findChild<SaveAsDialog*>("frmSaveAs");
        chooseDirectory(dlg, other);
        dlg->findChild<QLineEdit*>("txtName")->setText("tour");
        click(dlg, "btnSave");
        QTRY_COMPARE(closer.texts.size(), 1);
        QVERIFY2(closer.texts.first().contains(other + "/tour.wsr"), qPrintable(closer.texts.first()));
        QVERIFY(dlg->isVisible());
        QCOMPARE(projectFields(), before);
    }

    void commandLineProjectOpens() {
        QVERIFY(w->projectCommands().openFile(maps + "/tour.wsr"));
        QCOMPARE(projectFields(), QStringList({maps + "/", "tour.wsr", maps + "/tour.wsr",
                                               "Vantorel * Pathwright 1.1 - tour.wsr"}));
        QCOMPARE(st().format, QChar(u'p'));
        ModalCloser closer;
        const QStringList before = projectFields();
        QVERIFY(!w->projectCommands().openFile(maps + "/missing.wsr"));
        QTRY_COMPARE(closer.texts.size(), 1);
        QCOMPARE(projectFields(), before);
        QCOMPARE(st().listmax, qint16(3));
    }
};

QTEST_MAIN(ProjectDialogsTest)
#include "test_project_dialogs.moc"

// The Get Image dialog: its file list, Cancel, and pictures that cannot be read.
#include "mapview/GetImageDialog.h"
#include "shell/DirectoryList.h"
#include "shell/MainWindow.h"
#include "support/Files.h"
#include "support/ModalCloser.h"
#include "support/Pixels.h"
#include "support/Route.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {
// What the list shows for the awkward names written by initTestCase.
const QStringList kListed = {"a.jpe",   "backup.old.gif",           "d.",  "good.png",
                             "Map.JPG", "several.dots.in.name.PNG", "x.p", "y.mp"};
} // namespace

class GetImageTest : public QObject {
    Q_OBJECT
    QTemporaryDir maps;
    MainWindow* w = nullptr;
    GetImageDialog* dlg = nullptr;
    DirectoryList* dir = nullptr;
    QListWidget* list = nullptr;

    void chooseDirectory(const QString& path) {
        auto* box = dlg->findChild<QLineEdit*>("Drive1");
        box->setText(path);
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(dlg->isVisible()); // Enter changes directory, it does not press Cancel
    }
    void enter(QListWidgetItem* item) {
        dir->setCurrentItem(item);
        QTest::keyClick(dir, Qt::Key_Return);
        QVERIFY(dlg->isVisible());
    }
    void openEntry(const QString& name) {
        const auto found = list->findItems(name, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        list->setCurrentItem(found.first());
        QTest::mouseClick(dlg->findChild<QPushButton*>("btnOpen"), Qt::LeftButton);
    }
    QStringList shown() const {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    QLabel* thumb() { return w->findChild<QLabel*>("imgThumb"); }

  private slots:
    void initTestCase() {
        for (const char* n :
             {"Map.JPG", "a.jpe", "x.p", "y.mp", "d.", "backup.old.gif", "notes.txt", "README", "pic.tiff",
              ".secret.png", "several.dots.in.name.PNG", "photo.jpeg.bak"})
            writeFile(maps.filePath(n), "not really a picture");
        QImage green(30, 20, QImage::Format_RGB32);
        green.fill(Qt::green);
        QVERIFY(green.save(maps.filePath("good.png")));
        QVERIFY(QDir(maps.path()).mkdir("sub.bmp")); // directories are not listed as files
    }
    void init() {
        w = new MainWindow(maps.path());
        w->show();
        QTest::mouseClick(thumb(), Qt::LeftButton);
        dlg = w->findChild<GetImageDialog*>("frmGetImage");
        QVERIFY(dlg && dlg->isVisible());
        dir = dlg->findChild<DirectoryList*>("Dir1");
        list = dlg->findChild<QListWidget*>("List1");
    }
    void cleanup() { delete w; }

    void listsAwkwardNamesAndReachesEveryDirectory() {
        QCOMPARE(dir->path(), QDir::currentPath());
        QCOMPARE(list->count(), 0);
        chooseDirectory(maps.path());
        QCOMPARE(shown(), kListed); // sorted without case, hidden files left out
        QCOMPARE(w->workspace().st.imagepath, maps.path() + "/");
        enter(dir->item(0)); // the root of the file system, with a single separator
        QCOMPARE(w->workspace().st.imagepath, QString("/"));
        for (const QString& part : maps.path().split('/', Qt::SkipEmptyParts)) { // and down again
            const auto found = dir->findItems(part, Qt::MatchEndsWith);
            QVERIFY2(!found.isEmpty(), qPrintable(part));
            enter(found.last());
        }
        QCOMPARE(dir->path(), maps.path());
        QCOMPARE(shown(), kListed);
    }

    void cancelKeepsTheNewDirectoryAndTheOldName_data() {
        QTest::addColumn<int>("key"); // 0: a click on Cancel
        QTest::newRow("Cancel clicked") << 0;
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Enter in the file list (Cancel is the default)") << int(Qt::Key_Return);
    }
    void cancelKeepsTheNewDirectoryAndTheOldName() {
        QFETCH(int, key);
        w->workspace().st.imagename = "old.png";
        chooseDirectory(maps.path());
        list->setCurrentRow(0);
        if (key)
            QTest::keyClick(list, Qt::Key(key));
        else
            QTest::mouseClick(dlg->findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(w->workspace().st.imagepath, maps.path() + "/");
        QCOMPARE(w->workspace().st.imagename, QString("old.png"));
        QTest::mouseClick(thumb(), Qt::LeftButton); // shown again, it keeps its directory and list
        QCOMPARE(dir->path(), maps.path());
        QCOMPARE(shown(), kListed);
    }

    void aPictureShowsBareAndAnUnreadableOneLeavesIt() {
        Workspace& ws = w->workspace();
        setRoute(ws.st, "5,5");
        ModalCloser closer;
        chooseDirectory(maps.path());
        list->setCurrentItem(nullptr);
        QTest::mouseClick(dlg->findChild<QPushButton*>("btnOpen"), Qt::LeftButton);
        QTRY_COMPARE(closer.texts.size(), 1);
        QVERIFY(closer.texts.first().contains("No picture") && ws.st.imagename.isEmpty());
        openEntry("good.png");
        QVERIFY(!dlg->isVisible());
        QCOMPARE(ws.st.imagename, QString("good.png"));
        QCOMPARE(rgbAt(ws.map.image(), 5, 5), 0xff0000u); // the route stays drawn over the new map
        const qint64 thumbKey = thumb()->pixmap().cacheKey();
        QVERIFY(!thumb()->pixmap().isNull());
        QTest::mouseClick(thumb(), Qt::LeftButton);
        openEntry("Map.JPG");
        QTRY_COMPARE(closer.texts.size(), 2);
        QVERIFY2(closer.texts.last().contains("Map.JPG"), qPrintable(closer.texts.last()));
        QCOMPARE(ws.st.imagename, QString("good.png"));
        QCOMPARE(rgbAt(ws.map.image(), 5, 5), 0xff0000u);
        QCOMPARE(thumb()->pixmap().cacheKey(), thumbKey);
        QVERIFY(dlg->isVisible());
    }
};

QTEST_MAIN(GetImageTest)
#include "test_get_image.moc"

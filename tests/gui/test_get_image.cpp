// The Get Image dialog: its file list, Cancel, and pictures that cannot be read.
#include "mapview/GetImageDialog.h"
#include "shell/DirectoryList.h"
#include "shell/MainWindow.h"
#include "support/ModalCloser.h"
#include "support/Pixels.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

namespace {
void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
void writePng(const QString& path, QColor c) {
    QImage img(30, 20, QImage::Format_RGB32);
    img.fill(c);
    QVERIFY(img.save(path, "PNG"));
}
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

  private slots:
    void initTestCase() {
        for (const char* n : {"Map.JPG", "a.jpe", "x.p", "notes.txt", "README", "pic.tiff", ".secret.png",
                              "several.dots.in.name.PNG", "photo.jpeg.bak"})
            write(maps.filePath(n), "not really a picture");
        writePng(maps.filePath("good.png"), Qt::green);
        QVERIFY(QDir(maps.path()).mkdir("sub.bmp"));
    }
    void init() {
        w = new MainWindow(maps.path());
        w->show();
        QTest::mouseClick(w->findChild<QWidget*>("imgThumb"), Qt::LeftButton);
        dlg = w->findChild<GetImageDialog*>("frmGetImage");
        QVERIFY(dlg && dlg->isVisible());
        dir = dlg->findChild<DirectoryList*>("Dir1");
        list = dlg->findChild<QListWidget*>("List1");
    }
    void cleanup() { delete w; }

    void firstShowingStartsInTheCurrentDirectoryWithAnEmptyList() {
        QCOMPARE(dlg->windowTitle(), QString("Pathwright - Get Image"));
        QVERIFY(dlg->windowIcon().cacheKey() != w->windowIcon().cacheKey()); // no icon of its own
        QCOMPARE(dir->path(), QDir::currentPath());
        QCOMPARE(list->count(), 0);
    }

    void listsPictureNamesSortedWithoutCase() {
        chooseDirectory(maps.path());
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->item(i)->text();
        QCOMPARE(shown, QStringList({"a.jpe", "good.png", "Map.JPG", "several.dots.in.name.PNG", "x.p"}));
        QCOMPARE(w->workspace().st.imagepath, maps.path() + "/");
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
        // Shown again, it keeps its directory and list.
        QTest::mouseClick(w->findChild<QWidget*>("imgThumb"), Qt::LeftButton);
        QCOMPARE(dir->path(), maps.path());
        QCOMPARE(list->count(), 5);
    }

    void choosingAPictureShowsItBareAndInTheThumbnail() {
        Workspace& ws = w->workspace();
        ws.st.pointx[0] = 5;
        ws.st.pointy[0] = 5;
        ws.st.listmax = 1;
        chooseDirectory(maps.path());
        openEntry("good.png");
        QVERIFY(!dlg->isVisible());
        QCOMPARE(ws.st.imagename, QString("good.png"));
        QCOMPARE(rgbAt(ws.map.image(), 5, 5), 0x00ff00u); // no redraw: the route waits
        QVERIFY(!w->findChild<QLabel*>("imgThumb")->pixmap().isNull());
        QTest::mouseClick(w->findChild<QWidget*>("btnRedraw"), Qt::LeftButton);
        QCOMPARE(rgbAt(ws.map.image(), 5, 5), 0xff0000u);
    }

    void unreadablePictureLeavesTheOldMapAndSaysWhy() {
        Workspace& ws = w->workspace();
        chooseDirectory(maps.path());
        openEntry("good.png");
        auto* thumb = w->findChild<QLabel*>("imgThumb");
        const qint64 thumbKey = thumb->pixmap().cacheKey();
        QTest::mouseClick(thumb, Qt::LeftButton);
        ModalCloser closer;
        openEntry("Map.JPG");
        QTRY_COMPARE(closer.texts.size(), 1);
        QVERIFY2(closer.texts.first().contains("Map.JPG"), qPrintable(closer.texts.first()));
        QCOMPARE(ws.st.imagename, QString("good.png"));
        QCOMPARE(rgbAt(ws.map.image(), 5, 5), 0x00ff00u);
        QCOMPARE(thumb->pixmap().cacheKey(), thumbKey);
        QVERIFY(dlg->isVisible());
    }

    void directoryListReachesTheRootAndBack() {
        chooseDirectory(maps.path());
        // The first entry is the root of the file system; its path gets a single separator.
        enter(dir->item(0));
        QCOMPARE(dir->path(), QString("/"));
        QCOMPARE(w->workspace().st.imagepath, QString("/"));
        // Subdirectories follow the chain: walk down to the map directory again.
        for (const QString& part : maps.path().split('/', Qt::SkipEmptyParts)) {
            const auto found = dir->findItems(part, Qt::MatchEndsWith);
            QVERIFY2(!found.isEmpty(), qPrintable(part));
            enter(found.last());
        }
        QCOMPARE(dir->path(), maps.path());
        QCOMPARE(list->count(), 5);
    }

    void thumbnailSqueezesATallPicture() {
        QTemporaryDir other;
        QImage tall(10, 200, QImage::Format_RGB32);
        tall.fill(Qt::red);
        for (int y = 100; y < 200; ++y)
            for (int x = 0; x < 10; ++x)
                tall.setPixel(x, y, qRgb(0, 0, 255));
        QVERIFY(tall.save(other.filePath("tall.png")));
        chooseDirectory(other.path());
        // A double-click on the entry opens it as Open does.
        const QRect at = list->visualItemRect(list->findItems("tall.png", Qt::MatchExactly).first());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at.center());
        QTRY_VERIFY(!dlg->isVisible());
        QCOMPARE(w->workspace().st.imagename, QString("tall.png"));
        QWidget* thumb = w->findChild<QWidget*>("imgThumb");
        const QImage shown = thumb->grab().toImage();
        // Stretched across the whole box, not letterboxed: both sides show the picture.
        for (int x : {3, shown.width() / 2, shown.width() - 4}) {
            QCOMPARE(rgbAt(shown, x, 5), 0xff0000u);
            QCOMPARE(rgbAt(shown, x, shown.height() - 6), 0x0000ffu);
        }
    }

    void resizeCommandWritesIntoTheUserDataDirectory_data() {
        QTest::addColumn<bool>("writable");
        QTest::newRow("writable") << true;
        QTest::newRow("cannot be created") << false;
    }
    void resizeCommandWritesIntoTheUserDataDirectory() {
        QFETCH(bool, writable);
        QTemporaryDir home;
        const QByteArray oldData = qgetenv("XDG_DATA_HOME");
        // A plain file where the data directory should be makes every directory below it fail.
        write(home.filePath("file"), "x");
        qputenv("XDG_DATA_HOME", QFile::encodeName(writable ? home.path() : home.filePath("file")));
        chooseDirectory(maps.path());
        openEntry("good.png");
        ModalCloser closer;
        auto* resize = w->findChild<QPushButton*>("btnResize");
        QVERIFY(!resize->isVisible()); // not reachable by the user; clicked here directly
        resize->click();
        const QString target = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        qputenv("XDG_DATA_HOME", oldData);
        Workspace& ws = w->workspace();
        QCOMPARE(ws.st.imagename, QString("good.png"));
        if (writable) {
            QVERIFY(target.startsWith(home.path()));
            QCOMPARE(QImage(target + "/pathwright.bmp").size(), QSize(654, 480));
            QCOMPARE(ws.picture.size(), QSize(654, 480)); // the map, stretched to the frame
            QCOMPARE(rgbAt(ws.map.image(), 600, 400), 0x00ff00u);
            QCOMPARE(closer.texts.size(), 0);
        } else {
            QTRY_COMPARE(closer.texts.size(), 1);
            QVERIFY2(closer.texts.first().contains("pathwright.bmp"), qPrintable(closer.texts.first()));
            QCOMPARE(ws.picture.size(), QSize(30, 20)); // the map as it was
        }
    }

    void openWithNothingSelectedSaysSo() {
        ModalCloser closer;
        chooseDirectory(maps.path());
        list->clearSelection();
        list->setCurrentItem(nullptr);
        QTest::mouseClick(dlg->findChild<QPushButton*>("btnOpen"), Qt::LeftButton);
        QTRY_COMPARE(closer.texts.size(), 1);
        QVERIFY(closer.texts.first().contains("No picture"));
        QVERIFY(w->workspace().st.imagename.isEmpty());
    }
};

QTEST_MAIN(GetImageTest)
#include "test_get_image.moc"

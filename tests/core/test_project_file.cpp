// Loading and saving project files on disk: names, failures that must not destroy or change
// anything, the preset and the map picture after reading.
#include "mapview/MapPicture.h"
#include "project/ProjectFile.h"
#include "project/ProjectText.h"
#include "shell/Startup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

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

void startUp(Workspace& ws, const QString& dir) {
    startUpBegin(ws, dir);
    startUpFinish(ws, 1.0);
}

void makeTour(ProjectState& st, const QString& dir) {
    applyProjectRead(st, parseProjectText(readFile(TEST_DATA_DIR "/tour.wsr")));
    st.projectdir = dir + '/';
    st.projectname = "tour";
}

void writePicture(const QString& path, QColor colour) {
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(colour);
    QVERIFY(img.save(path, "BMP"));
}

// Everything loading could change, to show that a failed load changed nothing.
QByteArray snapshot(Workspace& ws) {
    const ProjectState& st = ws.st;
    QByteArray s = formatProjectText(st);
    s += (st.projectdir + '|' + st.projectname + '|' + st.projectpath).toUtf8();
    s += QByteArray::number(st.delay) + QByteArray::number(ws.picture.cacheKey());
    s += QByteArray::number(qHashBits(ws.map.image().constBits(), ws.map.image().sizeInBytes()));
    return s;
}
} // namespace

class TestProjectFile : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void saveWritesWorkedExample();
    void saveNames_data();
    void saveNames();
    void failedSaveKeepsOldFileAndName_data();
    void failedSaveKeepsOldFileAndName();
    void loadWorkedExample();
    void unreadableFileChangesNothing_data();
    void unreadableFileChangesNothing();
    void loadDoesNotClearRoute();
    void presetAfterReading_data();
    void presetAfterReading();
    void mapPicture_data();
    void mapPicture();
    void oneNoteForSkippedAndHeldLines();

  private:
    std::unique_ptr<QTemporaryDir> tmp_;
    QString dir_;
};

void TestProjectFile::init() {
    tmp_ = std::make_unique<QTemporaryDir>();
    QVERIFY(tmp_->isValid());
    dir_ = tmp_->path();
}

void TestProjectFile::saveWritesWorkedExample() {
    Workspace ws;
    startUp(ws, dir_);
    makeTour(ws.st, dir_);
    QVERIFY(!SaveProject(ws));
    QCOMPARE(ws.st.projectname, QString("tour.wsr"));
    QCOMPARE(readFile(dir_ + "/tour.wsr"), readFile(TEST_DATA_DIR "/tour.wsr"));
    QCOMPARE(projectCaption(ws.st), QString("Vantorel * Pathwright 1.1 - tour.wsr"));
}

void TestProjectFile::saveNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("saved");
    QTest::newRow("extension added") << "tour"
                                     << "tour.wsr";
    QTest::newRow("upper-case extension kept") << "TOUR.WSR"
                                               << "TOUR.WSR";
    QTest::newRow("other extension") << "tour.txt"
                                     << "tour.txt.wsr";
    QTest::newRow("short name") << "ab"
                                << "ab.wsr";
    QTest::newRow("empty name") << ""
                                << ".wsr";
    QTest::newRow("blanks kept") << " my tour "
                                 << " my tour .wsr";
}

void TestProjectFile::saveNames() {
    QFETCH(QString, name);
    QFETCH(QString, saved);
    Workspace ws;
    startUp(ws, dir_);
    ws.st.projectname = name;
    writeFile(dir_ + '/' + saved, "old");
    QVERIFY(!SaveProject(ws));
    QCOMPARE(ws.st.projectname, saved);
    QVERIFY(readFile(dir_ + '/' + saved).startsWith("[Vantorel* Pathwright - version 1.1]\r\n"));
    QCOMPARE(QDir(dir_).entryList(QDir::Files | QDir::Hidden), QStringList{saved}); // no temporary left
}

void TestProjectFile::failedSaveKeepsOldFileAndName_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("name is a directory") << "directory";
    QTest::newRow("directory missing") << "missing";
    QTest::newRow("write-protected file") << "protected file";
    QTest::newRow("write-protected directory") << "protected directory";
    QTest::newRow("disk full") << "full";
    QTest::newRow("line break in a value") << "line break";
}

void TestProjectFile::failedSaveKeepsOldFileAndName() {
    QFETCH(QString, kind);
    if (kind.startsWith("protected") && geteuid() == 0) QSKIP("permissions do not bind the super-user");
    Workspace ws;
    startUp(ws, dir_);
    ws.st.projectname = "tour";
    const QString path = dir_ + "/tour.wsr";
    if (kind == "directory") QVERIFY(QDir(dir_).mkdir("tour.wsr"));
    if (kind == "missing") ws.st.projectdir = dir_ + "/nowhere/";
    if (kind.startsWith("protected") || kind == "line break") writeFile(path, "old project");
    if (kind == "line break") ws.st.imagename = "map\r\nlistmax = 0.png";
    if (kind == "protected file") QFile::setPermissions(path, QFile::ReadOwner);
    if (kind == "protected directory") QFile::setPermissions(dir_, QFile::ReadOwner | QFile::ExeOwner);
    // A file size limit makes writes fail as a full disk does.
    rlimit oldLimit{};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    if (kind == "full") {
        writeFile(path, "old project");
        ws.st.listmax = 100;
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = oldLimit;
        small.rlim_cur = 512;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    const MaybeError error = SaveProject(ws);
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    QFile::setPermissions(dir_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(error);
    QVERIFY(error->file.endsWith("tour.wsr"));
    QVERIFY(!error->reason.isEmpty());
    QCOMPARE(ws.st.projectname, QString("tour"));
    if (kind.startsWith("protected") || kind == "full" || kind == "line break")
        QCOMPARE(readFile(path), QByteArray("old project"));
    QVERIFY(QDir(dir_).entryList({"tour.wsr.*"}, QDir::Files | QDir::Hidden).isEmpty()); // no temporary left
    if (kind == "directory") QVERIFY(QFileInfo(path).isDir());
}

void TestProjectFile::loadWorkedExample() {
    Workspace ws;
    startUp(ws, dir_);
    QByteArray text = readFile(TEST_DATA_DIR "/tour.wsr");
    text.replace("imagepath = C:\\Maps\\", "imagepath = " + dir_.toUtf8() + "/maps/");
    QVERIFY(QDir(dir_).mkdir("maps"));
    writePicture(dir_ + "/maps/harbour.bmp", Qt::blue);
    writeFile(dir_ + "/tour.wsr", text);
    ws.st.projectpath = dir_ + "/tour.wsr";
    ws.st.projectname = "tour.wsr";
    const LoadReport report = LoadProject(ws);
    QVERIFY(!report.error);
    QCOMPARE(report.notes, QStringList());
    QCOMPARE(ws.st.delay, 50.0);
    QCOMPARE(ws.map.width(), 786);
    QCOMPARE(ws.map.height(), 576);
    QCOMPARE(ws.picture.size(), QSize(40, 30));
    QCOMPARE(ws.map.image().pixelColor(39, 0), QColor(Qt::blue)); // the route does not reach there
    QCOMPARE(ws.st.listmax, qint16(3));
    QCOMPARE(projectCaption(ws.st), QString("Vantorel * Pathwright 1.1 - tour.wsr"));
}

void TestProjectFile::unreadableFileChangesNothing_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << "missing";
    QTest::newRow("directory") << "directory";
    QTest::newRow("unreadable") << "unreadable";
}

void TestProjectFile::unreadableFileChangesNothing() {
    QFETCH(QString, kind);
    if (kind == "unreadable" && geteuid() == 0) QSKIP("permissions do not bind the super-user");
    Workspace ws;
    startUp(ws, dir_);
    writePicture(dir_ + "/map.bmp", Qt::green);
    QVERIFY(!loadMapPicture(ws, dir_ + "/map.bmp"));
    ws.st.listmax = 1;
    ws.st.pointx[0] = 9;
    const QString path = dir_ + "/bad.wsr";
    if (kind == "directory") QVERIFY(QDir(dir_).mkdir("bad.wsr"));
    if (kind == "unreadable") {
        writeFile(path, "format = p\r\nlistmax = 0\r\n");
        QFile::setPermissions(path, QFile::WriteOwner);
    }
    ws.st.projectpath = path;
    ws.st.projectname = "bad.wsr";
    const QByteArray before = snapshot(ws);
    const LoadReport report = LoadProject(ws);
    QVERIFY(report.error);
    QCOMPARE(report.error->file, path);
    QVERIFY(!report.error->reason.isEmpty());
    QCOMPARE(snapshot(ws), before);
}

void TestProjectFile::loadDoesNotClearRoute() {
    Workspace ws;
    startUp(ws, dir_);
    ws.st.listmax = 4;
    ws.st.pointx = {1, 2, 3, 4};
    ws.st.pointdist[3] = 7.5;
    writeFile(dir_ + "/p.wsr", "[h]\r\n1 = 50, 60, 0\r\n");
    ws.st.projectpath = dir_ + "/p.wsr";
    QVERIFY(!LoadProject(ws).error);
    QCOMPARE(ws.st.listmax, qint16(4));
    QCOMPARE(ws.st.pointx[1], qint16(50));
    QCOMPARE(ws.st.pointx[3], qint16(4));
    QCOMPARE(ws.st.pointdist[3], 7.5);
}

void TestProjectFile::presetAfterReading_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("fps");
    QTest::addColumn<double>("delay");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("mapWidth");
    QTest::newRow("PAL with interval")
        << QByteArray("interval = 1.5\r\nformat = p") << 25.0 << 37.5 << 786 << 786;
    QTest::newRow("fps overridden by NTSC")
        << QByteArray("fps = 50\r\nformat = n") << 29.97 << 59.94 << 654 << 654;
    QTest::newRow("upper-case letter: no preset")
        << QByteArray("format = P\r\nfps = 50\r\nframewidth = 400\r\ninterval = 3") << 50.0 << 59.94 << 400
        << 654;
    QTest::newRow("no interval: the old one") << QByteArray("format = p") << 25.0 << 50.0 << 786 << 786;
}

void TestProjectFile::presetAfterReading() {
    QFETCH(QByteArray, text);
    QFETCH(double, fps);
    QFETCH(double, delay);
    QFETCH(int, width);
    QFETCH(int, mapWidth);
    Workspace ws;
    startUp(ws, dir_);
    writeFile(dir_ + "/p.wsr", "[h]\r\n" + text + "\r\n");
    ws.st.projectpath = dir_ + "/p.wsr";
    QVERIFY(!LoadProject(ws).error);
    QCOMPARE(ws.st.fps, fps);
    QCOMPARE(ws.st.delay, delay);
    QCOMPARE(int(ws.st.framewidth), width);
    QCOMPARE(ws.map.width(), mapWidth);
}

void TestProjectFile::mapPicture_data() {
    QTest::addColumn<QString>("imagepath"); // "TMP" stands for the temporary directory
    QTest::addColumn<QString>("imagename");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("note");
    QTest::newRow("found") << "TMP/maps/"
                           << "m.bmp" << true << "";
    QTest::newRow("moved beside the project") << "/elsewhere/maps/"
                                              << "m.bmp" << true << "own directory";
    QTest::newRow("missing") << "TMP/maps/"
                             << "gone.bmp" << false << "plain background";
    QTest::newRow("not a picture") << "TMP/maps/"
                                   << "junk.bmp" << false << "plain background";
    QTest::newRow("no name") << "TMP/maps/"
                             << "" << false << "names no map picture";
}

void TestProjectFile::mapPicture() {
    QFETCH(QString, imagepath);
    QFETCH(QString, imagename);
    QFETCH(bool, loaded);
    QFETCH(QString, note);
    Workspace ws;
    startUp(ws, dir_);
    QVERIFY(QDir(dir_).mkdir("maps"));
    QVERIFY(QDir(dir_).mkdir("projects"));
    writePicture(dir_ + "/maps/m.bmp", Qt::blue);
    writePicture(dir_ + "/projects/m.bmp", Qt::green);
    writeFile(dir_ + "/maps/junk.bmp", "not a picture");
    writePicture(dir_ + "/old.bmp", Qt::red);
    QVERIFY(!loadMapPicture(ws, dir_ + "/old.bmp")); // what was shown before loading
    imagepath.replace("TMP", dir_);
    writeFile(dir_ + "/projects/p.wsr",
              ("[h]\r\nimagepath = " + imagepath + "\r\nimagename = " + imagename + "\r\nlistmax = 0\r\n")
                  .toUtf8());
    ws.st.projectpath = dir_ + "/projects/p.wsr";
    const LoadReport report = LoadProject(ws);
    QVERIFY(!report.error);
    QCOMPARE(ws.st.imagepath, imagepath); // kept as the file says
    QCOMPARE(!ws.picture.isNull(), loaded);
    const QColor corner = ws.map.image().pixelColor(1, 1);
    if (note.isEmpty()) {
        QCOMPARE(report.notes, QStringList());
    } else {
        QCOMPARE(report.notes.size(), 1);
        QVERIFY2(report.notes.first().contains(note), qPrintable(report.notes.first()));
    }
    if (!loaded) QVERIFY(corner != QColor(Qt::red)); // the old map is gone, background shows
    if (loaded) QCOMPARE(corner, QColor(note.isEmpty() ? Qt::blue : Qt::green));
}

void TestProjectFile::oneNoteForSkippedAndHeldLines() {
    Workspace ws;
    startUp(ws, dir_);
    writeFile(dir_ + "/p.wsr", "[h]\r\nformat = q\r\nlistmax = 300\r\ncolor = 1E12\r\n"
                               "100 = 1, 2, 3\r\n250 = 1, 2, 3\r\n5 = 70000, 1, 1\r\n");
    writePicture(dir_ + "/m.bmp", Qt::blue);
    writeFile(dir_ + "/p.wsr",
              readFile(dir_ + "/p.wsr") + "imagename = m.bmp\r\nimagepath = " + dir_.toUtf8() + "/\r\n");
    ws.st.projectpath = dir_ + "/p.wsr";
    const LoadReport report = LoadProject(ws);
    QVERIFY(!report.error);
    QCOMPARE(report.notes.size(), 1);
    QVERIFY2(report.notes.first().contains("2 point line"), qPrintable(report.notes.first()));
    QVERIFY2(report.notes.first().contains("3 line"), qPrintable(report.notes.first()));
    QCOMPARE(ws.st.listmax, qint16(100));
    QCOMPARE(ws.st.pointx[5], qint16(32767));
}

QTEST_GUILESS_MAIN(TestProjectFile)
#include "test_project_file.moc"

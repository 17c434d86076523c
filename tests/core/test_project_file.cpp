// Loading and saving project files on disk.
#include "mapview/MapPicture.h"
#include "project/ProjectFile.h"
#include "project/ProjectText.h"
#include "settings/VideoFormats.h"
#include "shell/Startup.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
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
    std::unique_ptr<QTemporaryDir> tmp_;
    QString dir_;
    std::unique_ptr<Workspace> ws;

    // Loads the text as `projectpath` (in the temporary directory unless named).
    LoadReport load(const QByteArray& text, QString path = {}) {
        if (path.isEmpty()) path = dir_ + "/p.wsr";
        writeFile(path, text);
        ws->st.projectpath = path;
        return LoadProject(*ws);
    }

  private slots:
    void init() {
        tmp_ = std::make_unique<QTemporaryDir>();
        QVERIFY(tmp_->isValid());
        dir_ = tmp_->path();
        ws = std::make_unique<Workspace>();
        startUpBegin(*ws, dir_);
        startUpFinish(*ws, 1.0);
    }

    // The worked example written to disk byte for byte, under each name rule.
    void saveNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("saved");
        QTest::newRow("extension added") << QString("tour") << "tour.wsr";
        QTest::newRow("upper-case extension kept") << QString("TOUR.WSR") << "TOUR.WSR";
        QTest::newRow("other extension") << QString("tour.txt") << "tour.txt.wsr";
        QTest::newRow("empty name") << QString() << ".wsr";
    }
    void saveNames() {
        QFETCH(QString, name);
        QFETCH(QString, saved);
        applyProjectRead(ws->st, parseProjectText(readFile(TEST_DATA_DIR "/tour.wsr")));
        ws->st.projectdir = dir_ + '/';
        ws->st.projectname = name;
        writeFile(dir_ + '/' + saved, "old");
        QVERIFY(!SaveProject(*ws));
        QCOMPARE(ws->st.projectname, saved);
        QCOMPARE(readFile(dir_ + '/' + saved), readFile(TEST_DATA_DIR "/tour.wsr"));
        QCOMPARE(QDir(dir_).entryList(QDir::Files | QDir::Hidden), QStringList{saved}); // no temporary left
    }

    // A failed save leaves the old file, the name and no temporary behind, and says why.
    void failedSaveKeepsOldFileAndName_data() {
        QTest::addColumn<QString>("kind");
        for (const char* kind :
             {"directory", "missing", "protected file", "protected directory", "full", "line break"})
            QTest::newRow(kind) << QString(kind);
    }
    void failedSaveKeepsOldFileAndName() {
        QFETCH(QString, kind);
        if (kind.startsWith("protected") && geteuid() == 0) QSKIP("permissions do not bind the super-user");
        ws->st.projectname = "tour";
        const QString path = dir_ + "/tour.wsr";
        const bool oldFile = kind.startsWith("protected") || kind == "full" || kind == "line break";
        if (oldFile) writeFile(path, "old project");
        if (kind == "directory") QVERIFY(QDir(dir_).mkdir("tour.wsr"));
        if (kind == "missing") ws->st.projectdir = dir_ + "/nowhere/";
        if (kind == "line break") ws->st.imagename = "map\r\nlistmax = 0.png";
        if (kind == "protected file") QFile::setPermissions(path, QFile::ReadOwner);
        if (kind == "protected directory") QFile::setPermissions(dir_, QFile::ReadOwner | QFile::ExeOwner);
        // A file size limit makes writes fail as a full disk does.
        rlimit oldLimit{};
        getrlimit(RLIMIT_FSIZE, &oldLimit);
        if (kind == "full") {
            ws->st.listmax = 100;
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit small = oldLimit;
            small.rlim_cur = 512;
            setrlimit(RLIMIT_FSIZE, &small);
        }
        const MaybeError error = SaveProject(*ws);
        setrlimit(RLIMIT_FSIZE, &oldLimit);
        QFile::setPermissions(dir_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(error);
        QVERIFY(error->file.endsWith("tour.wsr"));
        QVERIFY(!error->reason.isEmpty());
        QCOMPARE(ws->st.projectname, QString("tour"));
        if (oldFile) QCOMPARE(readFile(path), QByteArray("old project"));
        QVERIFY(
            QDir(dir_).entryList({"tour.wsr.*"}, QDir::Files | QDir::Hidden).isEmpty()); // no temporary left
        if (kind == "directory") QVERIFY(QFileInfo(path).isDir());
    }

    // A file that cannot be read leaves state, map and route as they were.
    void unreadableFileChangesNothing_data() {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"missing", "directory", "unreadable", "fifo", "too large"})
            QTest::newRow(kind) << QString(kind);
    }
    void unreadableFileChangesNothing() {
        QFETCH(QString, kind);
        if (kind == "unreadable" && geteuid() == 0) QSKIP("permissions do not bind the super-user");
        writePicture(dir_ + "/map.bmp", Qt::green);
        QVERIFY(!loadMapPicture(*ws, dir_ + "/map.bmp"));
        ws->st.listmax = 1;
        ws->st.pointx[0] = 9;
        const QString path = dir_ + "/bad.wsr";
        if (kind == "directory") QVERIFY(QDir(dir_).mkdir("bad.wsr"));
        if (kind == "fifo") QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (kind == "too large") writeFile(path, QByteArray(5 << 20, '\n'));
        if (kind == "unreadable") {
            writeFile(path, "format = p\r\nlistmax = 0\r\n");
            QFile::setPermissions(path, QFile::WriteOwner);
        }
        ws->st.projectpath = path;
        ws->st.projectname = "bad.wsr";
        const QByteArray before = snapshot(*ws);
        const LoadReport report = LoadProject(*ws);
        QVERIFY(report.error);
        QCOMPARE(report.error->file, path);
        QVERIFY(!report.error->reason.isEmpty());
        QCOMPARE(snapshot(*ws), before);
    }

    // The preset follows the exact letter read, after every line is read; the map is drawn once,
    // or not at all for a render.
    void presetAfterReading_data() {
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
            << QByteArray("format = P\r\nfps = 50\r\nframewidth = 400\r\ninterval = 3") << 50.0 << 59.94
            << 400 << 654;
        QTest::newRow("no interval: the old one") << QByteArray("format = p") << 25.0 << 50.0 << 786 << 786;
        QTest::newRow("custom") << QByteArray(
                                       "format = c\r\nframewidth = 1280\r\nframeheight = 720\r\nfps = 25")
                                << 25.0 << 50.0 << 1280 << 1280;
    }
    void presetAfterReading() {
        QFETCH(QByteArray, text);
        QSignalSpy redraws(&ws->events, &WorkspaceEvents::redrawing);
        QVERIFY(!load("[h]\r\n" + text + "\r\n").error);
        QCOMPARE(redraws.size(), 1); // shown: drawn once
        QVERIFY(!LoadProject(*ws, MapAfterLoad::LeaveToRender).error);
        QCOMPARE(redraws.size(), 1); // for a render: not drawn at all
        QTEST(ws->st.fps, "fps");
        QTEST(ws->st.delay, "delay");
        QTEST(int(ws->st.framewidth), "width");
        QTEST(ws->map.width(), "mapWidth");
    }

    // A picture that cannot be loaded leaves the background; one beside the project is used.
    void mapPicture_data() {
        QTest::addColumn<QString>("picture"); // imagepath & imagename; "TMP" is the temporary directory
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QString>("note");
        QTest::newRow("found") << "TMP/maps/m.bmp" << true << "";
        QTest::newRow("moved beside the project") << "/elsewhere/maps/m.bmp" << true << "own directory";
        QTest::newRow("missing") << "TMP/maps/gone.bmp" << false << "plain background";
        QTest::newRow("no name") << "TMP/maps/" << false << "names no map picture";
        QTest::newRow("name of a million characters")
            << "TMP/maps/" + QString(1000000, u'x') << false << "plain background";
    }
    void mapPicture() {
        QFETCH(QString, picture);
        QFETCH(bool, loaded);
        QFETCH(QString, note);
        QVERIFY(QDir(dir_).mkdir("maps"));
        QVERIFY(QDir(dir_).mkdir("projects"));
        writePicture(dir_ + "/maps/m.bmp", Qt::blue);
        writePicture(dir_ + "/projects/m.bmp", Qt::green);
        writePicture(dir_ + "/old.bmp", Qt::red);
        QVERIFY(!loadMapPicture(*ws, dir_ + "/old.bmp")); // what was shown before loading
        picture.replace("TMP", dir_);
        const QString imagepath = picture.left(picture.lastIndexOf('/') + 1);
        const QString imagename = picture.mid(imagepath.size());
        const LoadReport report =
            load(("[h]\r\nimagepath = " + imagepath + "\r\nimagename = " + imagename + "\r\nlistmax = 0\r\n")
                     .toUtf8(),
                 dir_ + "/projects/p.wsr");
        QVERIFY(!report.error);
        QCOMPARE(ws->st.imagepath, imagepath); // kept as the file says
        QCOMPARE(!ws->picture.isNull(), loaded);
        QCOMPARE(report.notes.size(), note.isEmpty() ? 0 : 1);
        if (!note.isEmpty()) QVERIFY2(report.notes.first().contains(note), qPrintable(report.notes.first()));
        QVERIFY(report.notes.join(' ').size() < 1000); // long names are shortened in the middle
        const QColor corner = ws->map.image().pixelColor(1, 1);
        if (!loaded) QVERIFY(corner != QColor(Qt::red)); // the old map is gone, background shows
        if (loaded) QCOMPARE(corner, QColor(note.isEmpty() ? Qt::blue : Qt::green));
    }

    // The letter c takes the frame size and rate read, held to the custom ranges and the listed
    // rates (the one note counts what was held), sizes the map and sets `delay`; a file in the
    // custom range writes back byte for byte.
    void customFormat_data() {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<double>("fps");
        QTest::addColumn<int>("held");
        const QString hd = "format = c\r\nframewidth = 1920\r\nframeheight = 1080\r\n";
        QTest::newRow("1080p 59.94") << hd + "fps = 59.94" << QSize(1920, 1080) << 59.94 << 0;
        QTest::newRow("rate a hair off") << hd + "fps = 29.970001" << QSize(1920, 1080) << 29.97 << 0;
        QTest::newRow("rate not listed") << hd + "fps = 27" << QSize(1920, 1080) << 25.0 << 1;
        QTest::newRow("odd sizes") << "format = c\r\nframewidth = 1001\r\nframeheight = 601\r\nfps = 30"
                                   << QSize(1000, 600) << 30.0 << 2;
        QTest::newRow("too large") << "format = c\r\nframewidth = 9000\r\nframeheight = 5000\r\nfps = 60"
                                   << QSize(7680, 4320) << 60.0 << 2;
    }
    void customFormat() {
        QFETCH(QString, lines);
        QFETCH(QSize, size);
        QFETCH(double, fps);
        QFETCH(int, held);
        const LoadReport report = load("[h]\r\ninterval = 2\r\n" + lines.toUtf8() + "\r\n");
        QCOMPARE(QSize(ws->st.framewidth, ws->st.frameheight), size);
        QCOMPARE(ws->map.image().size(), size);
        QCOMPARE(ws->st.fps, fps);
        QCOMPARE(ws->st.delay, 2 * fps);
        QCOMPARE(report.notes.filter("held").size(), held ? 1 : 0);
        if (held) QVERIFY(report.notes.filter(QString("%1 line(s) held").arg(held)).size() == 1);
        const QByteArray text = formatProjectText(ws->st);
        QCOMPARE(load(text).notes.filter("held").size(), 0);
        QCOMPARE(formatProjectText(ws->st), text);
    }

    // The one note names each value held: its line, its key, the value read and the value used;
    // many held lines make a short note.
    void heldValuesNamed_data() {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QString>("named");
        QByteArray many;
        for (int i = 0; i < 100000; ++i)
            many += "speed = 0\r\n";
        const std::pair<QByteArray, const char*> rows[] = {
            {"speed = 0", "line 2: speed 0 was held to 1"},
            {"hold = 1e9", "line 2: hold 1e9 was held to 3600"},
            {"4 = 40000, 1, 2", "line 2: point 4 40000, 1, 2 was held to 32767, 1, 2"},
            {"label.0 = " + QByteArray(4150000, 'x'), "line 2: label.0 of 4150000 characters was cut to 200"},
            {"format = c\r\nframewidth = 1001\r\nfps = 30", "line 3: framewidth 1001 was held to 1000"},
            {"hold = 1" + QByteArray(100000, '0'),
             "hold 100000000000000000000000... (100001 characters) was"},
            {many, "line 6: speed 0 was held to 1; and 99995 more"}};
        for (const auto& [lines, named] : rows)
            QTest::newRow(named) << lines << QString(named);
    }
    void heldValuesNamed() {
        QFETCH(QByteArray, lines);
        QFETCH(QString, named);
        const LoadReport report = load("[h]\r\n" + lines + "\r\n");
        const QStringList held = report.notes.filter(" held ");
        QCOMPARE(held.size(), 1);
        QVERIFY2(held.first().contains(named), qPrintable(held.first()));
        QVERIFY(held.first().size() < 1000);
    }

    // Skipped and held lines are counted in one note; nothing is written past the 100 slots.
    // Slots and the count the file does not name keep their values; the last line for a slot wins.
    void oneNoteForSkippedAndHeldLines() {
        writePicture(dir_ + "/m.bmp", Qt::blue);
        ws->st.listmax = 4;
        ws->st.pointx = {1, 2, 3, 4};
        ws->st.pointdist[3] = 7.5;
        const LoadReport report = load("[h]\r\nformat = q\r\ncolor = 1E12\r\n100 = 1, 2, 3\r\n"
                                       "250 = 1, 2, 3\r\n5 = 70000, 1, 1\r\n1 = 50, 60, 0\r\n2 = 4, 5, 6\r\n"
                                       "2 = 8, 9, 10\r\nimagename = m.bmp\r\nimagepath = " +
                                       dir_.toUtf8() + "/\r\n");
        QVERIFY(!report.error);
        QCOMPARE(report.notes.size(), 1);
        QVERIFY2(report.notes.first().contains("2 point line(s)"), qPrintable(report.notes.first()));
        QVERIFY2(report.notes.first().contains("2 line(s) held"), qPrintable(report.notes.first()));
        QCOMPARE(ws->st.listmax, qint16(4));
        QCOMPARE(ws->st.pointx, (std::array<qint16, kPointSlots>{1, 50, 8, 4, 0, 32767}));
        QCOMPARE(ws->st.pointdist[3], 7.5);
    }
};

QTEST_GUILESS_MAIN(TestProjectFile)
#include "test_project_file.moc"

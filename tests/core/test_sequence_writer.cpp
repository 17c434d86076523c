// Numbered frame files on disk: read back by Qt, PIL and ImageMagick, whole renders written by
// the threaded writer (opaque frames equal to the drawing, transparent ones equal to it once laid
// over the map), and folders or disks that cannot take a frame or a video.
#include "animation/FrameWriters.h"
#include "animation/Render.h"
#include "animation/SequenceWriter.h"
#include "mapview/Labels.h"
#include "support/AnimationSupport.h"
#include "support/Files.h"

#include <QtTest>
#include <chrono>
#include <csignal>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {
// A picture whose every pixel differs, so a swapped channel or row shows.
QImage gradient(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb((x * 37) & 255, (y * 53) & 255, (x + y * 7) & 255));
    return img;
}

QStringList filesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

const FrameFileType* fileType(const QString& kind) {
    return kind == "bmp" ? &kBmpFiles : kind == "png" ? &kPngFiles : &kPngAlphaFiles;
}

// The largest difference of a colour channel.
int channelDistance(QRgb a, QRgb b) {
    return std::max(
        {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}
} // namespace

class TestSequenceWriter : public QObject {
    Q_OBJECT
  private slots:
    void readersReadAFrame_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("program");  // none for Qt
        QTest::addColumn<QStringList>("args"); // print format, size and pixel (6, 4) of the file
        QTest::addColumn<QString>("format");
        for (int w : {1, 2, 3, 4, 5, 654}) // row padding differs for every width modulo 4
            QTest::newRow(qPrintable(QString("Qt, %1 wide").arg(w)))
                << "bmp" << w << QString() << QStringList() << QString();
        QTest::newRow("Qt, PNG") << "png" << 7 << QString() << QStringList() << QString();
        const QStringList pil{"-c", "import sys; from PIL import Image; im = Image.open(sys.argv[1]); "
                                    "print(im.format, *im.size, *im.convert('RGB').getpixel((6, 4)))"};
        const QStringList magick{"-format", "%m %w %h %[fx:int(255*p{6,4}.r)] "
                                            "%[fx:int(255*p{6,4}.g)] %[fx:int(255*p{6,4}.b)]"};
        QTest::newRow("PIL, BMP") << "bmp" << 7 << "/usr/bin/python3" << pil << "BMP";
        QTest::newRow("PIL, PNG") << "png" << 7 << "/usr/bin/python3" << pil << "PNG";
        QTest::newRow("ImageMagick, BMP")
            << "bmp" << 7 << "/usr/bin/identify" << magick << "BMP3"; // a BITMAPINFOHEADER file
        QTest::newRow("ImageMagick, PNG") << "png" << 7 << "/usr/bin/identify" << magick << "PNG";
    }
    // A frame from the writer opens in Qt and in other readers (Debian's python3-pil, imagemagick).
    void readersReadAFrame() {
        QFETCH(QString, kind);
        QFETCH(int, width);
        QFETCH(QString, program);
        QFETCH(QStringList, args);
        QFETCH(QString, format);
        if (!program.isEmpty() && !QFileInfo(program).isExecutable())
            QSKIP(qPrintable(program + " is missing"));
        QTemporaryDir dir;
        const QImage img = gradient(width, 5);
        SequenceWriter writer({dir.filePath("f"), fileType(kind)->suffix}, *fileType(kind), 1, 1);
        QVERIFY(!writer.put(img, 0) && !writer.finish());
        const QString path = dir.filePath("f0000." + kind);
        if (kind == "bmp") QCOMPARE(QFileInfo(path).size(), 54 + ((width * 3 + 3) / 4) * 4 * 5);
        if (program.isEmpty()) {
            QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB32), img);
            return;
        }
        QProcess p;
        p.start(program, args << path);
        QVERIFY(p.waitForFinished(30000));
        const QRgb c = img.pixel(6, 4);
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()).trimmed(),
                 QString("%1 7 5 %2 %3 %4").arg(format).arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c)));
    }

    void wholeRenderOnDisk_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("look"); // a turned marker and an outline
        for (const char* kind : {"bmp", "png", "png-alpha"})
            QTest::newRow(kind) << kind << false;
        QTest::newRow("bmp, look") << "bmp" << true;
        QTest::newRow("png, look") << "png" << true;
    }
    // Every frame on disk under its own name and no temporary file left. Opaque frames are the
    // frames drawn; a transparent frame laid over the map is the frame drawn within rounding and
    // is clear wherever the route left the map alone. The writer's buffers take only what
    // changed since they last held a frame: any change it missed shows here as a stale pixel.
    void wholeRenderOnDisk() {
        QFETCH(QString, kind);
        QFETCH(bool, look);
        QTemporaryDir dir;
        Workspace ws;
        setUpRoute(ws, {{20, 50}, {120, 50}, {30, 90}}, 12.5);
        if (look) { // quick legs: the marker leaps from frame to frame
            ws.st.delay = 1.5;
            ws.st.marker = "arrow";
            ws.st.markerturn = true;
            ws.st.casing = 0x202020;
            prepareLook(ws);
        }
        ws.st.renderpath = dir.path() + "/";
        ws.st.renderformat = kind;
        MemorySink memory;
        RenderAnimation(ws, memory);
        MadeWriter made = makeFrameWriter(renderTargetFor(ws));
        QVERIFY(made.sink);
        const RenderResult r = RenderAnimation(ws, *made.sink);
        QVERIFY(!r.error);
        QVERIFY(!ws.map.transparent());
        QCOMPARE(made.sink->written(), qint64(memory.frames.size()));
        const QStringList files = filesIn(dir.path());
        QCOMPARE(files.size(), memory.frames.size());
        const QString suffix = kind == "bmp" ? ".bmp" : ".png";
        QCOMPARE(made.sink->output().last, dir.filePath(files.last()));
        const QImage map = testMapPicture();
        for (std::size_t n = 0; n < memory.frames.size(); ++n) {
            QCOMPARE(files[int(n)], "tour" + frameText(qint64(n)) + suffix);
            const QImage file(dir.filePath(files[int(n)]));
            if (kind != "png-alpha") {
                QCOMPARE(file.convertToFormat(QImage::Format_RGB32), memory.frames[n]);
                continue;
            }
            QCOMPARE(file.format(), QImage::Format_ARGB32);
            QImage over = map.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QPainter(&over).drawImage(0, 0, file);
            for (int y = 0; y < map.height(); ++y)
                for (int x = 0; x < map.width(); ++x) {
                    const QRgb drawn = memory.frames[n].pixel(x, y);
                    QVERIFY2(channelDistance(over.pixel(x, y), drawn) <= 2,
                             qPrintable(QString("frame %1 at %2, %3").arg(n).arg(x).arg(y)));
                    if (drawn == map.pixel(x, y)) QCOMPARE(qAlpha(file.pixel(x, y)), 0);
                }
        }
    }

    void unwritableOutput_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<int>("fileLimit");   // bytes a process may write to one file, when full
        QTest::addColumn<QString>("failing"); // the file the error names
        for (const char* kind : {"bmp", "png"}) {
            const QString frame = QString("tour0000.") + kind;
            QTest::addRow("%s, missing directory", kind) << kind << "missing" << 0 << frame;
            QTest::addRow("%s, no permission", kind) << kind << "readonly" << 0 << frame;
            // Less than a frame: the write fails half-way, as a disk filling up does.
            QTest::addRow("%s, disk full mid-file", kind) << kind << "full" << 100 << frame;
        }
        QTest::newRow("mp4, missing directory") << QString("mp4") << "missing" << 0 << "tour.mp4";
        QTest::newRow("mp4, disk full") << QString("mp4") << "full" << 3000 << "tour.mp4";
        QTest::newRow("mov, disk full at the end") << QString("mov-alpha") << "full" << 60000 << "tour.mov";
    }
    // The render stops with the failing file's name and a reason, and nothing half-written stays
    // behind, under a final name or a temporary one.
    void unwritableOutput() {
        QFETCH(QString, kind);
        QFETCH(QString, problem);
        QFETCH(int, fileLimit);
        QFETCH(QString, failing);
        if (problem == "readonly" && geteuid() == 0) QSKIP("permissions do not bind the superuser");
        QTemporaryDir dir;
        const QString target = dir.filePath("out");
        if (problem != "missing") QVERIFY(QDir(dir.path()).mkdir("out"));
        if (problem == "readonly") QFile::setPermissions(target, QFile::ReadOwner | QFile::ExeOwner);
        Workspace ws;
        setUpRoute(ws, {{20, 50}, {120, 50}, {150, 90}}, 20);
        ws.st.renderpath = target + "/";
        ws.st.renderformat = kind;
        MadeWriter made = makeFrameWriter(renderTargetFor(ws));
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit small{rlim_t(fileLimit), saved.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);
        if (fileLimit) setrlimit(RLIMIT_FSIZE, &small);
        const RenderResult r = RenderAnimation(ws, *made.sink);
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(r.error);
        QCOMPARE(r.error->file, target + "/" + failing);
        QVERIFY(!r.error->reason.isEmpty());
        QCOMPARE(made.sink->written(), 0);
        QCOMPARE(r.frames, 0);
        QCOMPARE(filesIn(target), QStringList());
    }

    void hostileNames_data() {
        QTest::addColumn<QString>("prefix");    // the frames' names before their numbers
        QTest::addColumn<QString>("planted");   // a link to a file outside, under this name
        QTest::addColumn<QStringList>("files"); // in the folder afterwards
        QTest::newRow("NUL in the name") << QString::fromUtf8("victim\0", 7) << QString() << QStringList();
        QTest::newRow("link under the frame name") << "f"
                                                   << "f0000.bmp" << QStringList{"f0000.bmp"};
        QTest::newRow("link under a temporary name")
            << "f"
            << ".f0000.bmp.part" << QStringList{".f0000.bmp.part", "f0000.bmp"};
    }
    // Nothing standing in the folder redirects a frame, and a NUL never reaches the system.
    void hostileNames() {
        QFETCH(QString, prefix);
        QFETCH(QString, planted);
        QFETCH(QStringList, files);
        QTemporaryDir dir, outside;
        const QString victim = outside.filePath("victim");
        writeFile(victim, "keep");
        if (!planted.isEmpty()) QVERIFY(QFile::link(victim, dir.filePath(planted)));
        SequenceWriter writer({dir.filePath(prefix), ".bmp"}, kBmpFiles, 1, 1);
        const MaybeError e = writer.put(gradient(3, 2), 0) ? std::nullopt : writer.finish();
        QCOMPARE(bool(e), files.isEmpty());
        QCOMPARE(readFile(victim), QByteArray("keep"));
        QCOMPARE(filesIn(dir.path()), files);
        if (!e)
            QCOMPARE(QImage(dir.filePath("f0000.bmp")).convertToFormat(QImage::Format_RGB32), gradient(3, 2));
    }

    // Frame 5 fails slowly (a disk filling up) while the other worker goes on writing the frames
    // after it: the render ends with exactly frames 0 to 4 on disk, as a one-by-one render would.
    void laterFramesOfAFailureAreTakenBack() {
        QTemporaryDir dir;
        Workspace ws;
        setUpRoute(ws, {{20, 50}, {120, 50}}, 50);
        const QString failing = dir.filePath("tour0005.bmp");
        SequenceWriter writer({dir.filePath("tour"), ".bmp"}, kBmpFiles, 2, 4,
                              [&](const QString& path) -> MaybeError {
                                  if (path != failing) return std::nullopt;
                                  std::this_thread::sleep_for(std::chrono::milliseconds(300));
                                  return Error{path, "No space left on device"};
                              });
        const RenderResult r = RenderAnimation(ws, writer);
        QVERIFY(r.error);
        QCOMPARE(r.error->file, failing);
        QCOMPARE(r.frames, 5);
        QCOMPARE(writer.written(), 5);
        QCOMPARE(filesIn(dir.path()), QStringList({"tour0000.bmp", "tour0001.bmp", "tour0002.bmp",
                                                   "tour0003.bmp", "tour0004.bmp"}));
    }
};

QTEST_GUILESS_MAIN(TestSequenceWriter)
#include "test_sequence_writer.moc"

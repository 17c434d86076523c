// BMP frames on disk: read back by Qt, PIL and ImageMagick, whole renders written
// by the threaded writer, and directories or disks that cannot take a frame.
#include "animation/BmpFrameWriter.h"
#include "animation/Render.h"
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
} // namespace

class TestBmpWriter : public QObject {
    Q_OBJECT
  private slots:
    void readersReadAFrame_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("program");  // none for Qt
        QTest::addColumn<QStringList>("args"); // print format, size and pixel (6, 4) of the file
        QTest::addColumn<QString>("format");
        for (int w : {1, 2, 3, 4, 5, 654}) // row padding differs for every width modulo 4
            QTest::newRow(qPrintable(QString("Qt, %1 wide").arg(w)))
                << w << QString() << QStringList() << QString();
        QTest::newRow("PIL")
            << 7 << "/usr/bin/python3"
            << QStringList{"-c", "import sys; from PIL import Image; im = Image.open(sys.argv[1]); "
                                 "print(im.format, *im.size, *im.getpixel((6, 4)))"}
            << "BMP";
        QTest::newRow("ImageMagick") << 7 << "/usr/bin/identify"
                                     << QStringList{"-format",
                                                    "%m %w %h %[fx:int(255*p{6,4}.r)] "
                                                    "%[fx:int(255*p{6,4}.g)] %[fx:int(255*p{6,4}.b)]"}
                                     << "BMP3"; // a BITMAPINFOHEADER file
    }
    // A frame from the writer opens in Qt and in other readers (Debian's python3-pil, imagemagick).
    void readersReadAFrame() {
        QFETCH(int, width);
        QFETCH(QString, program);
        QFETCH(QStringList, args);
        QFETCH(QString, format);
        if (!program.isEmpty() && !QFileInfo(program).isExecutable())
            QSKIP(qPrintable(program + " is missing"));
        QTemporaryDir dir;
        const QImage img = gradient(width, 5);
        const QString path = dir.filePath("f0000.bmp");
        BmpFrameWriter writer({dir.filePath("f"), ".bmp"}, 1, 1);
        QVERIFY(!writer.put(img, 0) && !writer.finish());
        QCOMPARE(QFileInfo(path).size(), 54 + ((width * 3 + 3) / 4) * 4 * 5);
        if (program.isEmpty()) {
            QCOMPARE(QImage(path, "BMP").convertToFormat(QImage::Format_RGB32), img);
            return;
        }
        QProcess p;
        p.start(program, args << path);
        QVERIFY(p.waitForFinished(30000));
        const QRgb c = img.pixel(6, 4);
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()).trimmed(),
                 QString("%1 7 5 %2 %3 %4").arg(format).arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c)));
    }

    void threadedRenderWritesEveryFrame_data() {
        QTest::addColumn<BmpFrameWriter::Encoding>("encoding");
        QTest::newRow("encoded while copying") << BmpFrameWriter::Encoding::WhileCopying;
        QTest::newRow("encoded on the workers") << BmpFrameWriter::Encoding::OnWorkers;
    }
    // Every frame on disk under its own name, as Qt reads it equal to the frame drawn, and no
    // temporary file left.
    void threadedRenderWritesEveryFrame() {
        QFETCH(BmpFrameWriter::Encoding, encoding);
        QTemporaryDir dir;
        Workspace ws;
        setUpRoute(ws, {{20, 50}, {120, 50}, {30, 90}}, 12.5);
        ws.st.renderpath = dir.path() + "/";
        MemorySink memory;
        RenderAnimation(ws, memory);
        BmpFrameWriter writer({ws.st.renderpath + "tour", ".bmp"}, 3, 2, encoding);
        const RenderResult r = RenderAnimation(ws, writer);
        QVERIFY(!r.error);
        QCOMPARE(writer.written(), qint64(memory.frames.size()));
        const QStringList files = filesIn(dir.path());
        QCOMPARE(files.size(), memory.indices.size());
        QCOMPARE(files.last(), "tour" + frameText(memory.indices.last()) + ".bmp");
        for (std::size_t n = 0; n < memory.frames.size(); ++n)
            QCOMPARE(QImage(dir.filePath(files[n])).convertToFormat(QImage::Format_RGB32), memory.frames[n]);
    }

    void unwritableDirectory_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing directory") << "missing";
        QTest::newRow("no permission") << "readonly";
        // A file size limit below one frame fails a write half-way, as a disk filling up does.
        QTest::newRow("disk full mid-file") << "full";
    }
    // The first frame fails with its name and a reason, and nothing half-written stays behind,
    // under a frame name or a temporary one.
    void unwritableDirectory() {
        QFETCH(QString, kind);
        if (kind == "readonly" && geteuid() == 0) QSKIP("permissions do not bind the superuser");
        QTemporaryDir dir;
        const QString target = dir.filePath("out");
        if (kind == "readonly" || kind == "full") QVERIFY(QDir(dir.path()).mkdir("out"));
        if (kind == "readonly") QFile::setPermissions(target, QFile::ReadOwner | QFile::ExeOwner);
        Workspace ws;
        setUpRoute(ws, {{20, 50}, {120, 50}}, 50);
        ws.st.renderpath = target + "/";
        BmpFrameWriter writer({ws.st.renderpath + "tour", ".bmp"}, 2, 4);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit small{20000, saved.rlim_max}; // a frame of 200 x 100 is 60054 bytes
        std::signal(SIGXFSZ, SIG_IGN);
        if (kind == "full") setrlimit(RLIMIT_FSIZE, &small);
        const RenderResult r = RenderAnimation(ws, writer);
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(r.error);
        QCOMPARE(r.error->file, target + "/tour0000.bmp");
        QVERIFY(!r.error->reason.isEmpty());
        QCOMPARE(writer.written(), 0);
        QCOMPARE(r.frames, 0);
        QCOMPARE(filesIn(target), QStringList());
    }

    void hostileNames_data() {
        QTest::addColumn<QString>("name");      // the frame's name in the folder
        QTest::addColumn<QString>("planted");   // a link to a file outside, under this name
        QTest::addColumn<QStringList>("files"); // in the folder afterwards
        QTest::newRow("NUL in the name")
            << QString::fromUtf8("victim\0.bmp", 11) << QString() << QStringList();
        QTest::newRow("link under the frame name") << "f0.bmp"
                                                   << "f0.bmp" << QStringList{"f0.bmp"};
        QTest::newRow("link under a temporary name")
            << "f0.bmp"
            << ".f0.bmp.part" << QStringList{".f0.bmp.part", "f0.bmp"};
    }
    // Nothing standing in the folder redirects a frame, and a NUL never reaches the system.
    void hostileNames() {
        QFETCH(QString, name);
        QFETCH(QString, planted);
        QFETCH(QStringList, files);
        QTemporaryDir dir, outside;
        const QString victim = outside.filePath("victim");
        writeFile(victim, "keep");
        if (!planted.isEmpty()) QVERIFY(QFile::link(victim, dir.filePath(planted)));
        const MaybeError e = BmpFrameWriter::writeFile(dir.filePath(name), {'B', 'M'});
        QCOMPARE(bool(e), files.isEmpty());
        if (e) QVERIFY2(e->message().endsWith("/victim\\x00.bmp: " + e->reason), qPrintable(e->message()));
        QCOMPARE(readFile(victim), QByteArray("keep"));
        QCOMPARE(filesIn(dir.path()), files);
        if (!e) QCOMPARE(readFile(dir.filePath(name)), QByteArray("BM"));
    }

    // Frame 5 fails slowly (a disk filling up) while the other worker goes on writing the frames
    // after it: the render ends with exactly frames 0 to 4 on disk, as a one-by-one render would.
    void laterFramesOfAFailureAreTakenBack() {
        QTemporaryDir dir;
        Workspace ws;
        setUpRoute(ws, {{20, 50}, {120, 50}}, 50);
        ws.st.renderpath = dir.path() + "/";
        const QString failing = dir.filePath("tour0005.bmp");
        BmpFrameWriter writer({ws.st.renderpath + "tour", ".bmp"}, 2, 4,
                              BmpFrameWriter::Encoding::WhileCopying,
                              [&](const QString& path, const std::vector<char>& data) -> MaybeError {
                                  if (path != failing) return BmpFrameWriter::writeFile(path, data);
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

QTEST_GUILESS_MAIN(TestBmpWriter)
#include "test_bmp_writer.moc"

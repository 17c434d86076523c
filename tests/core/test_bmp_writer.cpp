// BMP frames on disk: the encoding read back by Qt, PIL and ImageMagick, whole renders written
// by the threaded writer, and directories that cannot take a frame.
#include "animation/BmpEncoding.h"
#include "animation/BmpFrameWriter.h"
#include "animation/Render.h"
#include "support/AnimationSupport.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
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

QString writeFrame(const QTemporaryDir& dir, const QImage& img) {
    BmpFrameWriter writer(1, 1);
    const QString path = dir.filePath("f0000.bmp");
    if (writer.put(img, path) || writer.finish()) return QString();
    return path;
}

// Runs a reader; its standard output, or a null string when the reader is not installed.
QString runReader(const QString& program, const QStringList& args) {
    if (!QFileInfo(program).isExecutable()) return QString();
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}
} // namespace

class TestBmpWriter : public QObject {
    Q_OBJECT
  private slots:
    void qtReadsTheEncoding_data();
    void qtReadsTheEncoding();
    void pilReadsTheFrames();
    void imageMagickReadsTheFrames();
    void threadedRenderWritesEveryFrame_data();
    void threadedRenderWritesEveryFrame();
    void unwritableDirectory_data();
    void unwritableDirectory();
    void laterFramesOfAFailureAreTakenBack();
};

void TestBmpWriter::qtReadsTheEncoding_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    // Row padding differs for every width modulo 4.
    for (int w : {1, 2, 3, 4, 5, 654})
        QTest::newRow(qPrintable(QString("%1 wide").arg(w))) << w << 3;
}

void TestBmpWriter::qtReadsTheEncoding() {
    QFETCH(int, width);
    QFETCH(int, height);
    const QImage img = gradient(width, height);
    const QByteArray bmp = encodeBmp(img);
    QCOMPARE(std::size_t(bmp.size()), bmpFileSize(width, height));
    QCOMPARE(std::size_t(bmp.size()), std::size_t(54 + ((width * 3 + 3) / 4) * 4 * height));
    QImage back;
    QVERIFY(back.loadFromData(bmp, "BMP"));
    QCOMPARE(back.convertToFormat(QImage::Format_RGB32), img);
}

void TestBmpWriter::pilReadsTheFrames() {
    QTemporaryDir dir;
    const QImage img = gradient(7, 5);
    const QString path = writeFrame(dir, img);
    QVERIFY(!path.isEmpty());
    const QString out = runReader("/usr/bin/python3",
                                  {"-c",
                                   "import sys; from PIL import Image; im = Image.open(sys.argv[1]); "
                                   "print(im.format, im.size[0], im.size[1], im.mode, *im.getpixel((6, 4)))",
                                   path});
    if (out.isNull()) QSKIP("python3 with PIL is not installed (Debian package python3-pil)");
    const QRgb c = img.pixel(6, 4);
    QCOMPARE(out, QString("BMP 7 5 RGB %1 %2 %3").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c)));
}

void TestBmpWriter::imageMagickReadsTheFrames() {
    QTemporaryDir dir;
    const QImage img = gradient(6, 4);
    const QString path = writeFrame(dir, img);
    QVERIFY(!path.isEmpty());
    const QString out = runReader("/usr/bin/identify", {"-format",
                                                        "%m %w %h %[fx:int(255*p{5,3}.r)] "
                                                        "%[fx:int(255*p{5,3}.g)] %[fx:int(255*p{5,3}.b)]",
                                                        path});
    if (out.isNull()) QSKIP("ImageMagick is not installed (Debian package imagemagick)");
    const QRgb c = img.pixel(5, 3);
    QCOMPARE(out, QString("BMP3 6 4 %1 %2 %3").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c)));
}

void TestBmpWriter::threadedRenderWritesEveryFrame_data() {
    QTest::addColumn<BmpFrameWriter::Encoding>("encoding");
    QTest::newRow("encoded while copying") << BmpFrameWriter::Encoding::WhileCopying;
    QTest::newRow("encoded on the workers") << BmpFrameWriter::Encoding::OnWorkers;
}

void TestBmpWriter::threadedRenderWritesEveryFrame() {
    QFETCH(BmpFrameWriter::Encoding, encoding);
    QTemporaryDir dir;
    Workspace ws;
    setUpRoute(ws, {{20, 50}, {120, 50}, {30, 90}}, 12.5);
    ws.st.renderpath = dir.path() + "/";
    MemorySink memory;
    RenderAnimation(ws, memory);
    BmpFrameWriter writer(3, 2, encoding);
    const RenderResult r = RenderAnimation(ws, writer);
    QVERIFY(!r.error);
    QCOMPARE(writer.written(), r.frames);
    const QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    QCOMPARE(qsizetype(files.size()), qsizetype(r.frames)); // no temporary files left
    for (qsizetype n = 0; n < files.size(); ++n) {
        QCOMPARE(files[n], QString("tour%1.bmp").arg(n, 4, 10, QChar(u'0')));
        QImage back(dir.filePath(files[n]));
        QCOMPARE(back.convertToFormat(QImage::Format_RGB32), memory.frames[std::size_t(n)]);
    }
}

void TestBmpWriter::unwritableDirectory_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing directory") << "missing";
    QTest::newRow("a file, not a directory") << "file";
    QTest::newRow("no permission") << "readonly";
    // A file size limit below one frame fails a write half-way, as a disk filling up does.
    QTest::newRow("disk full mid-file") << "full";
}

void TestBmpWriter::unwritableDirectory() {
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString target = dir.filePath("out");
    if (kind == "file") {
        QFile f(target);
        QVERIFY(f.open(QIODevice::WriteOnly));
    } else if (kind == "readonly") {
        if (geteuid() == 0) QSKIP("permissions do not bind the superuser");
        QVERIFY(QDir(dir.path()).mkdir("out"));
        QFile::setPermissions(target, QFile::ReadOwner | QFile::ExeOwner);
    } else if (kind == "full") {
        QVERIFY(QDir(dir.path()).mkdir("out"));
    }
    Workspace ws;
    setUpRoute(ws, {{20, 50}, {120, 50}}, 50);
    ws.st.renderpath = target + "/";
    BmpFrameWriter writer(2, 4);
    rlimit saved{};
    if (kind == "full") {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 20000; // a frame of 200 x 100 is 60054 bytes
        setrlimit(RLIMIT_FSIZE, &small);
    }
    const RenderResult r = RenderAnimation(ws, writer);
    if (kind == "full") setrlimit(RLIMIT_FSIZE, &saved);
    QVERIFY(r.error);
    QCOMPARE(r.error->file, target + "/tour0000.bmp");
    QVERIFY(!r.error->reason.isEmpty());
    QCOMPARE(writer.written(), 0);
    QCOMPARE(r.frames, 0);
    // Nothing half-written stays behind, under a frame name or a temporary one.
    if (kind != "missing" && kind != "file")
        QVERIFY(QDir(target).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

// Frame 5 fails slowly (a disk filling up) while the other worker goes on writing the frames
// after it: the render ends with exactly frames 0 to 4 on disk, as a one-by-one render would.
void TestBmpWriter::laterFramesOfAFailureAreTakenBack() {
    QTemporaryDir dir;
    Workspace ws;
    setUpRoute(ws, {{20, 50}, {120, 50}}, 50);
    ws.st.renderpath = dir.path() + "/";
    const QString failing = dir.filePath("tour0005.bmp");
    BmpFrameWriter writer(2, 4, BmpFrameWriter::Encoding::WhileCopying,
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
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             QStringList({"tour0000.bmp", "tour0001.bmp", "tour0002.bmp", "tour0003.bmp", "tour0004.bmp"}));
}

QTEST_GUILESS_MAIN(TestBmpWriter)
#include "test_bmp_writer.moc"

// Numbered frame files on disk: read back by Qt, PIL and ImageMagick, whole renders written by
// the threaded writer (opaque frames equal to the drawing, transparent ones equal to it once laid
// over the map), and folders or disks that cannot take a frame or a video. Video files as other
// programs see them (ffprobe, ffmpeg): codec, pixel format, exact rate, frame count, colour tags,
// pictures against the rendered frames, stops and limits.
#include "animation/FrameWriters.h"
#include "animation/GifPalette.h"
#include "animation/Render.h"
#include "animation/SequenceWriter.h"
#include "mapview/Labels.h"
#include "support/AnimationSupport.h"
#include "support/Files.h"
#include "support/Pixels.h"

#include "ProResSplice.h"
#include "VideoWriter.h"

#include <QImageReader>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <cmath>
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

// A ProRes frame's headers and slice table around stand-in slices, one slice a macroblock row
// (16 pixels wide): of each row, its size and the value of its bytes.
QByteArray proresFrame(const QList<QPair<int, int>>& rows, int width = 16) {
    QByteArray f(8 + 20 + 8, '\0'), table, data;
    f.replace(4, 4, "icpf");
    f[9] = 20;
    f[16] = char(width >> 8), f[17] = char(width), f[19] = char(16 * rows.size());
    for (const auto& [size, value] : rows) {
        table += QByteArray(1, '\0') + char(size);
        data += QByteArray(size, char(value));
    }
    const qsizetype picture = 8 + table.size() + data.size();
    f[28] = 8 << 3, f[31] = char(picture >> 8), f[32] = char(picture), f[34] = char(rows.size()),
    f[35] = 3 << 4;
    f += table + data;
    f[2] = char(f.size() >> 8), f[3] = char(f.size());
    return f;
}

QStringList filesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

const FrameFileType* fileType(const QString& kind) {
    return kind == "bmp" ? &kBmpFiles : kind == "png" ? &kPngFiles : &kPngAlphaFiles;
}

// "codec pixel-format rate colour-space range frames" of the first video stream.
QString probe(const QString& file) {
    QProcess p;
    p.start("ffprobe", {"-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                        "stream=codec_name,pix_fmt,r_frame_rate,nb_read_frames,color_space,color_range",
                        "-of", "default=nw=1", file});
    p.waitForFinished(60000);
    QMap<QString, QString> m;
    for (const QString& line : QString(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
        m[line.section('=', 0, 0)] = line.section('=', 1);
    return QStringList{m["codec_name"],  m["pix_fmt"],     m["r_frame_rate"],
                       m["color_space"], m["color_range"], m["nb_read_frames"]}
        .join(' ');
}

// Every frame decoded with the matrix the stream is tagged with, laid over `under`.
std::vector<QImage> decode(const QString& file, const QImage& under, const QString& space) {
    QProcess p;
    const QString matrix = space == "bt709" ? "bt709" : "bt601";
    const QSize size = under.size();
    p.start("ffmpeg", {"-v", "error", "-i", file, "-vf",
                       "scale=in_color_matrix=" + matrix + ":in_range=tv:out_range=pc,format=rgba", "-f",
                       "rawvideo", "-"});
    p.waitForFinished(60000);
    const QByteArray raw = p.readAllStandardOutput();
    const qsizetype bytes = qsizetype(size.width()) * size.height() * 4;
    std::vector<QImage> out;
    for (qsizetype at = 0; at + bytes <= raw.size(); at += bytes) {
        out.push_back(under.convertToFormat(QImage::Format_RGB32));
        QPainter(&out.back())
            .drawImage(0, 0,
                       QImage(reinterpret_cast<const uchar*>(raw.constData() + at), size.width(),
                              size.height(), QImage::Format_RGBA8888));
    }
    return out;
}

// Over the colour channels of two RGB32 pictures.
double psnr(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int i = 0; i < a.width() * 4; ++i)
            sum += i % 4 == 3 ? 0 : std::pow(double(a.constScanLine(y)[i]) - b.constScanLine(y)[i], 2);
    return sum == 0 ? 99 : 10 * std::log10(255.0 * 255 * a.width() * a.height() * 3 / sum);
}

// Saturated but smooth colours: 4:2:0 keeps them, a wrong matrix or range shifts them all.
QImage smoothColours(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            img.setPixel(x, y, qRgb(255 * x / size.width(), 255 * y / size.height(), 160));
    return img;
}
// The mean difference over the colour channels of two RGB32 pictures.
double meanError(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(qRed(a.pixel(x, y)) - qRed(b.pixel(x, y))) +
                   std::abs(qGreen(a.pixel(x, y)) - qGreen(b.pixel(x, y))) +
                   std::abs(qBlue(a.pixel(x, y)) - qBlue(b.pixel(x, y)));
    return sum / (3.0 * a.width() * a.height());
}

// The same over 4 x 4 averages: what a dithered picture looks like from a step away.
double blurredError(const QImage& a, const QImage& b) {
    const QSize small = a.size() / 4;
    return meanError(a.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                     b.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

// The packets' durations of a GIF as FFmpeg's demuxer reads them, in hundredths of a second.
QStringList gifDelays(const QString& file) {
    QProcess p;
    p.start("ffprobe", {"-v", "error", "-select_streams", "v:0", "-show_entries", "packet=duration", "-of",
                        "csv=p=0", file});
    p.waitForFinished(60000);
    return QString(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}
} // namespace

class TestFrameWriters : public QObject {
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
        QTest::addColumn<bool>("look");   // a turned marker and an outline
        QTest::addColumn<int>("threads"); // 0: the writer's own choice
        for (const char* kind : {"bmp", "png", "png-alpha"})
            QTest::newRow(kind) << kind << false << 0;
        QTest::newRow("bmp, look") << "bmp" << true << 0;
        QTest::newRow("png, look") << "png" << true << 0;
        QTest::newRow("png, five at once") << "png" << false << 5;
        QTest::newRow("png-alpha, three at once") << "png-alpha" << false << 3;
    }
    // Every frame on disk under its own name and no temporary file left. Opaque frames are the
    // frames drawn; a transparent frame laid over the map is the frame drawn within rounding and
    // is clear wherever the route left the map alone. The writer's buffers take only what
    // changed since they last held a frame: any change it missed shows here as a stale pixel.
    void wholeRenderOnDisk() {
        QFETCH(QString, kind);
        QFETCH(bool, look);
        QFETCH(int, threads);
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
        if (threads > 0)
            made.sink = std::make_unique<SequenceWriter>(NumberedFiles{dir.filePath("tour"), ".png"},
                                                         *fileType(kind), threads);
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

    void pngFramesOfChangedRows_data() {
        QTest::addColumn<bool>("alpha");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("threads");
        QTest::addColumn<QString>("changes"); // of each frame after the first: a few rows or all
        QTest::newRow("opaque") << false << QSize(700, 300) << 1 << "ffaaffffaf";
        QTest::newRow("alpha, two threads") << true << QSize(701, 299) << 2 << "ffffaaffffff";
        QTest::newRow("4K") << false << QSize(3840, 2160) << 1 << "ffaf";
    }
    // A frame written with the compressed rows kept from an earlier frame is the frame exactly,
    // whether few rows changed, every row, or a few again after every row did.
    void pngFramesOfChangedRows() {
        QFETCH(bool, alpha);
        QFETCH(QSize, size);
        QFETCH(int, threads);
        QFETCH(QString, changes);
        QTemporaryDir dir;
        const FrameFileType& type = alpha ? kPngAlphaFiles : kPngFiles;
        SequenceWriter writer({dir.filePath("f"), ".png"}, type, threads, threads + 1);
        // Straight alpha over full or no colour survives premultiplying exactly.
        QImage frame = gradient(size.width(), size.height()).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; alpha && y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                frame.setPixel(x, y,
                               qRgba(x & 1 ? 255 : 0, y & 1 ? 255 : 0, x & 4 ? 255 : 0, 1 + (x + y) % 255));
        std::vector<QImage> frames;
        for (int k = 0; k <= changes.size(); ++k) {
            QPainter p(&frame);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            const QColor c(k & 1 ? 255 : 0, 255, 0, alpha ? 20 + 19 * k : 255);
            if (k > 0 && changes[k - 1] == 'f') { // a head crossing two bands, and the last rows
                p.fillRect(9 * k, size.height() / 3 + 7 * k, 30, 20, c);
                p.fillRect(5 * k, size.height() - 3, 9, 3, c);
            }
            if (k > 0 && changes[k - 1] == 'a') p.fillRect(3 * k, 0, 2, size.height(), c);
            p.end();
            frames.push_back(frame);
            QVERIFY(!writer.put(frame.convertToFormat(type.layout), k));
        }
        QVERIFY(!writer.finish());
        for (std::size_t k = 0; k < frames.size(); ++k) {
            const QImage file(dir.filePath(QString("f%1.png").arg(frameText(qint64(k)))));
            QCOMPARE(file.convertToFormat(frames[k].format()), frames[k]);
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
        QTest::newRow("gif, disk full") << QString("gif") << "full" << 1000 << "tour.gif";
        QTest::newRow("webp, disk full at the end") << QString("webp") << "full" << 1000 << "tour.webp";
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

    void framesInFlightFitTheirBytes_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("alpha"); // PNG with alpha (4 bytes a pixel), else BMP (3)
        QTest::addColumn<int>("depth");
        QTest::addColumn<int>("held"); // frames taken while every worker is stuck
        QTest::newRow("1080p keeps its depth") << QSize(1920, 1080) << false << 4 << 4;
        QTest::newRow("4K at depth 12") << QSize(3840, 2160) << false << 12 << 10;
        QTest::newRow("8K") << QSize(7680, 4320) << false << 4 << 2;
        QTest::newRow("8K with alpha, never fewer than two") << QSize(7680, 4320) << true << 4 << 2;
    }
    // Large frames are held by bytes, not by count: 8K frames at the depth of a many-core
    // machine would take gigabytes.
    void framesInFlightFitTheirBytes() {
        QFETCH(QSize, size);
        QFETCH(bool, alpha);
        QFETCH(int, depth);
        QTemporaryDir dir;
        std::atomic<bool> go = false;
        SequenceWriter writer({dir.filePath("f"), ".bmp"}, alpha ? kPngAlphaFiles : kBmpFiles, depth, depth,
                              [&](const QString& path) -> MaybeError {
                                  while (!go)
                                      std::this_thread::sleep_for(std::chrono::milliseconds(5));
                                  return Error{path, "not written"};
                              });
        QImage frame(size, alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
        frame.fill(0);
        int taken = 0;
        while (taken < depth + 1 && writer.ready())
            QVERIFY(!writer.put(frame, taken++));
        go = true;
        QVERIFY(writer.finish());
        QTEST(taken, "held");
    }

    void filesHoldWhatTheyClaim_data() {
        QTest::addColumn<QString>("claim"); // kind, then what ffprobe finds but the frame count
        QTest::addColumn<QSize>("size");
        QTest::addColumn<double>("fps");
        QTest::addColumn<int>("stopAfter"); // frames before Stop; 0 for the whole render
        QTest::newRow("mp4 NTSC") << "mp4 h264 yuv420p 30000/1001 smpte170m tv" << QSize(654, 480) << 29.97
                                  << 0;
        QTest::newRow("mp4 PAL stopped")
            << "mp4 h264 yuv420p 25/1 bt470bg tv" << QSize(786, 576) << 25.0 << 5;
        QTest::newRow("mp4 720p") << "mp4 h264 yuv420p 60000/1001 bt709 tv" << QSize(1280, 720) << 59.94 << 0;
        QTest::newRow("mov alpha") << "mov-alpha prores yuva444p12le 24000/1001 smpte170m tv"
                                   << QSize(200, 100) << 23.976 << 0;
        QTest::newRow("mov stopped") << "mov prores yuv444p12le 50/1 bt709 tv" << QSize(1920, 1080) << 50.0
                                     << 1;
    }
    // A navy route over a smooth map: the file has the claimed codec, rate and colours and as
    // many frames as the BMP sequence (or as the render had when stopped), and each decoded
    // frame, laid over the bare map, is that BMP frame (PSNR).
    void filesHoldWhatTheyClaim() {
        QFETCH(QString, claim);
        QFETCH(QSize, size);
        QFETCH(double, fps);
        QFETCH(int, stopAfter);
        QTemporaryDir dir;
        Workspace ws, bmp;
        for (Workspace* w : {&ws, &bmp}) {
            setUpRoute(*w, {{20, 50}, {120, 50}, {150, 90}}, 4);
            w->st.color = rgb(0, 0, 128);
            w->st.fps = fps;
            w->map.resize(size.width(), size.height());
            w->picture = smoothColours(size);
        }
        MemorySink sequence;
        RenderAnimation(bmp, sequence);
        const QString kind = claim.section(' ', 0, 0);
        ws.st.renderpath = dir.path() + "/";
        ws.st.renderformat = kind;
        MadeWriter made = makeFrameWriter(renderTargetFor(ws));
        RenderRun run(ws, *made.sink);
        while (!run.done() && (stopAfter == 0 || run.frames() < stopAfter))
            run.advance(std::chrono::nanoseconds(0));
        run.stop();
        const RenderResult r = run.finish();
        QVERIFY2(!r.error, qPrintable(r.message()));
        QCOMPARE(r.frames, stopAfter ? stopAfter : qint64(sequence.frames.size()));
        const QString file = made.sink->output().first;
        QCOMPARE(file, dir.filePath("tour." + kind.left(3)));
        QCOMPARE(probe(file), QString("%1 %2").arg(claim.section(' ', 1)).arg(r.frames));
        const std::vector<QImage> decoded = decode(file, sequence.frames[0], claim.section(' ', 4, 4));
        QCOMPARE(qint64(decoded.size()), r.frames);
        for (std::size_t k = 0; k < decoded.size(); ++k)
            QVERIFY2(psnr(sequence.frames[k], decoded[k]) >= 40, qPrintable(QString("frame %1").arg(k)));
    }

    void animatedFiles_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<double>("fps");
        QTest::addColumn<double>("bound");               // mean error of a decoded frame; 4 x 4 averages: 1.5
        QTest::newRow("gif 15") << "gif" << 15.0 << 5.0; // dithered, but no bands
        QTest::newRow("gif 25") << "gif" << 25.0 << 5.0;
        QTest::newRow("webp 15") << "webp" << 15.0 << 3.0;
        QTest::newRow("webp NTSC") << "webp" << 29.97 << 3.0;
    }
    // A navy route over a smooth map (what a palette bands): as many frames as drawn, each
    // lasting its share of the exact time, and each decoded frame close to the frame drawn.
    void animatedFiles() {
        QFETCH(QString, kind);
        QFETCH(double, fps);
        QFETCH(double, bound);
        QTemporaryDir dir;
        Workspace ws;
        setUpRoute(ws, {{20, 50}, {120, 50}, {150, 90}}, 6);
        ws.st.color = rgb(0, 0, 128);
        ws.st.fps = fps;
        ws.picture = smoothColours({200, 100});
        MemorySink drawn;
        RenderAnimation(ws, drawn);
        ws.st.renderpath = dir.path() + "/";
        ws.st.renderformat = kind;
        MadeWriter made = makeFrameWriter(renderTargetFor(ws));
        QVERIFY(made.sink);
        const RenderResult r = RenderAnimation(ws, *made.sink);
        QVERIFY2(!r.error, qPrintable(r.message()));
        const QString file = dir.filePath("tour." + kind);
        QCOMPARE(filesIn(dir.path()), QStringList{"tour." + kind});
        const qint64 n = qint64(drawn.frames.size());
        const int unit = kind == "gif" ? 100 : 1000;
        auto start = [&](qint64 k) { return std::llround(k * unit / fps); };
        const QStringList delays = gifDelays(file);
        if (kind == "gif") QCOMPARE(delays.size(), n); // a WebP shows a repeated frame longer instead
        QImageReader reader(file);
        qint64 at = 0, k = 0; // the time decoded, the frame drawn
        for (int i = 0; i < reader.imageCount(); ++i) {
            const QImage frame = reader.read().convertToFormat(QImage::Format_RGB32);
            const int delay = kind == "gif" ? delays[i].toInt() : reader.nextImageDelay();
            QCOMPARE(at, start(k));
            for (; k < n && start(k) < at + delay; ++k) { // the drawn frames it stands for
                const QImage& want = drawn.frames[std::size_t(k)];
                QVERIFY2(meanError(frame, want) <= bound && blurredError(frame, want) <= 1.5,
                         qPrintable(QString("frame %1").arg(k)));
            }
            at += delay;
        }
        QCOMPARE(k, n);
        QCOMPARE(at, start(n));
    }

    void animatedLimits_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<double>("fps");
        QTest::addColumn<QString>("refused"); // empty: taken
        QTest::newRow("gif at 50") << "gif" << QSize(64, 32) << 50.0 << "";
        QTest::newRow("gif at 59.94") << "gif" << QSize(64, 32) << 59.94 << "50 frames a second";
        QTest::newRow("gif 65535 wide") << "gif" << QSize(65535, 2) << 15.0 << "";
        QTest::newRow("gif 65536 wide") << "gif" << QSize(65536, 2) << 15.0 << "65535 x 65535";
        QTest::newRow("webp at 60") << "webp" << QSize(64, 32) << 60.0 << "";
        QTest::newRow("webp 16384 high") << "webp" << QSize(2, 16384) << 15.0 << "16383 x 16383";
    }
    // Sizes and rates the file cannot show are refused before a file is made.
    void animatedLimits() {
        QFETCH(QString, kind);
        QFETCH(QSize, size);
        QFETCH(double, fps);
        QFETCH(QString, refused);
        QTemporaryDir dir;
        RenderTarget target{findOutputKind(kind), dir.path() + "/", "a", size.width(), size.height(), fps};
        const MadeWriter made = makeFrameWriter(target);
        QCOMPARE(bool(made.sink), refused.isEmpty());
        if (made.error) QVERIFY2(made.error->reason.contains(refused), qPrintable(made.error->message()));
        QCOMPARE(filesIn(dir.path()), QStringList());
    }

    // Colours that come after the first frame: the route's are held exactly, any other is
    // dithered to its colour seen from a step away; the map's pixels keep their indices.
    void gifPaletteTakesLaterColours() {
        const QImage first = smoothColours({160, 90});
        QImage later = first;
        QPainter(&later).fillRect(8, 8, 40, 20, QColor(250, 0, 200));   // the route's colour
        QPainter(&later).fillRect(80, 40, 40, 20, QColor(30, 200, 90)); // none known
        GifPalette palette({qRgb(250, 0, 200)});
        std::vector<uchar> a(160 * 90), b(160 * 90);
        palette.map(first, a.data(), 160);
        palette.map(later, b.data(), 160);
        QImage shown(160, 90, QImage::Format_RGB32);
        for (int y = 0; y < 90; ++y)
            for (int x = 0; x < 160; ++x) {
                shown.setPixel(x, y, palette.colours()[b[std::size_t(y * 160 + x)]]);
                if (later.pixel(x, y) == first.pixel(x, y)) QCOMPARE(b[y * 160 + x], a[y * 160 + x]);
            }
        QCOMPARE(shown.pixel(30, 20), qRgb(250, 0, 200));
        QVERIFY(blurredError(shown.copy(80, 40, 40, 20), later.copy(80, 40, 40, 20)) < 6); // nearest: 29
        QVERIFY(meanError(shown, later) < 8 && blurredError(shown, later) < 1.5);
    }

    void parallelProResIsTheSerialFile_data() {
        QTest::addColumn<int>("workers");
        QTest::addColumn<bool>("alpha");
        QTest::addColumn<int>("frames");
        QTest::addColumn<bool>("pairs"); // frames come twice, the second time with no change logged
        QTest::newRow("2 workers, alpha") << 2 << true << 9 << false;
        QTest::newRow("3 workers, opaque") << 3 << false << 10 << false;
        QTest::newRow("more workers than frames") << 7 << true << 4 << false;
        QTest::newRow("2 workers, repeated frames") << 2 << true << 11 << true;
        QTest::newRow("3 workers, repeated opaque frames") << 3 << false << 12 << true;
    }
    // Workers finish out of order and repeat packets of unchanged pictures: the file must still
    // be, byte for byte, that of one worker encoding every frame.
    void parallelProResIsTheSerialFile() {
        QFETCH(int, workers);
        QFETCH(bool, alpha);
        QFETCH(int, frames);
        QFETCH(bool, pairs);
        QTemporaryDir dir;
        QByteArray files[2];
        for (int pass = 0; pass < 2; ++pass) {
            VideoSettings s;
            s.codec = VideoSettings::Codec::ProRes;
            s.alpha = alpha;
            s.workers = pass ? workers : 1;
            const QString path = dir.filePath(QString("f%1.mov").arg(pass));
            VideoWriter writer(s, path, alpha);
            ChangeLog log;
            for (int k = 0; k < frames; ++k) {
                const int shown = pairs ? k / 2 : k;
                QImage frame = gradient(96, 64).convertToFormat(QImage::Format_ARGB32_Premultiplied);
                QPainter p(&frame);
                p.setCompositionMode(QPainter::CompositionMode_Source);
                p.fillRect(0, 0, 8 * shown, 6 * shown, QColor(200, 40, 0, 20 * shown)); // each its own
                p.end();
                if (!pairs || k % 2 == 0) log.add(frame.rect());
                QVERIFY(!writer.put(alpha ? frame : frame.convertToFormat(QImage::Format_RGB32), k,
                                    pass ? &log : nullptr));
            }
            QVERIFY(!writer.finish());
            QVERIFY(probe(path).endsWith(QString(" %1").arg(frames)));
            files[pass] = readFile(path);
        }
        QVERIFY(files[0] == files[1]);
    }

    void unchangedRowsKeepTheirSlices_data() {
        QTest::addColumn<bool>("alpha");
        QTest::addColumn<QString>("change"); // what moves from frame to frame
        QTest::addColumn<bool>("logged");    // the change log given to the writer
        QTest::addColumn<int>("spliced");    // frames made of the frame before
        QTest::newRow("one band, compared") << true << "band" << false << 8;
        QTest::newRow("one band, logged") << true << "band" << true << 8;
        QTest::newRow("two bands and the last, opaque") << false << "bands" << false << 8;
        QTest::newRow("every row") << true << "all" << false << 0;
    }
    // A frame made of the slices of the frame before and of its changed rows encoded alone is a
    // frame every decoder takes, the very frame encoded whole: the encoder's rows are
    // independent and the strips get the whole frame's bits a macroblock.
    void unchangedRowsKeepTheirSlices() {
        QFETCH(bool, alpha);
        QFETCH(QString, change);
        QFETCH(bool, logged);
        QFETCH(int, spliced);
        constexpr int kFrames = 9;
        const QSize size(200, 120); // partial macroblocks at the right and the bottom
        QTemporaryDir dir;
        QString paths[2];
        for (int pass = 0; pass < 2; ++pass) {
            const VideoSettings s{.codec = VideoSettings::Codec::ProRes,
                                  .alpha = alpha,
                                  .workers = 2,
                                  .reuseSlices = pass == 1};
            paths[pass] = dir.filePath(QString("f%1.mov").arg(pass));
            VideoWriter writer(s, paths[pass], alpha);
            ChangeLog log;
            QImage frame =
                gradient(size.width(), size.height()).convertToFormat(QImage::Format_ARGB32_Premultiplied);
            for (int k = 0; k < kFrames; ++k) {
                QPainter p(&frame);
                p.setCompositionMode(QPainter::CompositionMode_Source);
                const QColor c(200, 40 + 20 * k, 0, 60 + 20 * k);
                QRect area = change == "all" ? QRect(k, 0, 3, size.height()) : QRect(10 + 15 * k, 36, 12, 9);
                if (k > 0) p.fillRect(area, c);
                if (change == "bands" && k > 0) {
                    p.fillRect(5 * k, 2, 30, 4, c);
                    p.fillRect(8 * k, 114, 20, 6, c); // the last, short band
                    area = frame.rect();
                }
                p.end();
                log.add(area);
                QVERIFY(!writer.put(alpha ? frame : frame.convertToFormat(QImage::Format_RGB32), k,
                                    logged ? &log : nullptr));
            }
            QVERIFY(!writer.finish());
            QCOMPARE(writer.spliced(), pass ? spliced : 0);
            QVERIFY(probe(paths[pass]).endsWith(QString(" %1").arg(kFrames)));
        }
        QProcess check;
        check.start("ffmpeg", {"-v", "error", "-i", paths[1], "-f", "null", "-"});
        QVERIFY(check.waitForFinished(60000));
        QCOMPARE(check.readAllStandardError(), QByteArray());
        QVERIFY(readFile(paths[0]) == readFile(paths[1]));
    }

    void splicedFrames_data() {
        QTest::addColumn<QList<int>>("strips"); // first row, rows, width; one strip after another
        QTest::addColumn<int>("cut");           // bytes taken off the frame before
        QTest::addColumn<bool>("made");
        QTest::newRow("rows 1 and 3 to 4") << QList<int>{1, 1, 16, 3, 2, 16} << 0 << true;
        QTest::newRow("the frame before cut short") << QList<int>{1, 1, 16} << 1 << false;
        QTest::newRow("another width") << QList<int>{1, 1, 32} << 0 << false;
        QTest::newRow("past the last row") << QList<int>{4, 2, 16} << 0 << false;
        QTest::newRow("strips overlapping") << QList<int>{1, 2, 16, 2, 1, 16} << 0 << false;
    }
    // Frames are made only when every size in them agrees; the rows come from their strips.
    void splicedFrames() {
        QFETCH(QList<int>, strips);
        QFETCH(int, cut);
        QFETCH(bool, made);
        // Slices of sizes 2, 3, ... from a frame's or strip's first row; bytes of 100 + the row in
        // the whole frame in strips, of the row in the frame before.
        QList<QPair<int, int>> rows = {{2, 0}, {3, 1}, {4, 2}, {5, 3}, {6, 4}}, part;
        const QByteArray base = proresFrame(rows).chopped(cut);
        std::vector<QByteArray> parts;
        std::vector<ProResStrip> list;
        for (qsizetype i = 0; i < strips.size(); i += 3) {
            for (int r = 0; r < strips[i + 1]; ++r)
                part.append({2 + r, 100 + strips[i] + r});
            if (strips[i] + strips[i + 1] <= rows.size())
                std::copy(part.begin(), part.end(), &rows[strips[i]]);
            parts.push_back(proresFrame(std::exchange(part, {}), strips[i + 2]));
            list.push_back({strips[i], reinterpret_cast<const std::uint8_t*>(parts.back().constData()),
                            std::size_t(parts.back().size())}); // the bytes stay where they are
        }
        std::vector<std::uint8_t> out;
        QCOMPARE(spliceProRes(reinterpret_cast<const std::uint8_t*>(base.data()), std::size_t(base.size()),
                              list, out),
                 made);
        if (made)
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(out.data()), qsizetype(out.size())),
                     proresFrame(rows));
    }

    // Numbered files end at 9999; a video goes on.
    void noFrameLimit() {
        QTemporaryDir dir;
        Workspace ws;
        setUpRoute(ws, {{2, 2}, {30, 2}}, 10050);
        ws.map.resize(32, 16);
        ws.st.renderpath = dir.path() + "/";
        ws.st.renderformat = "mp4";
        MadeWriter made = makeFrameWriter(renderTargetFor(ws));
        const RenderResult r = RenderAnimation(ws, *made.sink);
        QVERIFY(!r.error && !r.cutShort);
        QVERIFY(r.frames > 10050);
        QVERIFY(probe(dir.filePath("tour.mp4")).endsWith(QString(" %1").arg(r.frames)));
    }
};

QTEST_GUILESS_MAIN(TestFrameWriters)
#include "test_frame_writers.moc"

// Video files as other programs see them (ffprobe, ffmpeg): codec, pixel format, exact rate,
// frame count, colour tags, pictures against the rendered frames, stops and limits. Failures are
// tried with every output kind in test_sequence_writer.
#include "animation/FrameWriters.h"
#include "animation/Render.h"
#include "support/AnimationSupport.h"

#include <QtTest>
#include <cmath>

namespace {
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

} // namespace

class TestVideoWriter : public QObject {
    Q_OBJECT
  private slots:
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
        while (!run.done() && (stopAfter == 0 || ws.st.renderframe < stopAfter))
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

QTEST_GUILESS_MAIN(TestVideoWriter)
#include "test_video_writer.moc"

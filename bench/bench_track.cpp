// A long recorded track: 100,000 points of a ride in GPX 1.1. Prints the time and peak memory of
// `pathwright --import` against gpxpy reading the same file (whole processes taking turns,
// medians; target: the program ten times faster), the track reader alone in this process, and
// 1080p BMP renders of the imported route against a 99-point straight route over the same map,
// with the fixed camera and following at zoom 2 (whole processes, medians; target: the track at
// least 0.8 of the straight route's frames per second).
//
// The render project is the track imported over a 1920 x 1080 map with a world file in degrees;
// the straight route runs over the same map in about as many frames. Beside each whole process,
// the frames alone as the program's summary times them: the difference is start-up and loading,
// where the track is read again.
//
// Peak memory is the child's own: under /usr/bin/time when present, since a child forked from
// this process starts with this process's memory counted in its peak.
//
// Usage: bench_track [ROUNDS]   (ROUNDS: 5; BENCH_KEEP set: the files are kept)
#include "BenchScene.h"
#include "ChildRun.h"
#include "RideTrack.h"
#include "animation/BmpEncoding.h"
#include "animation/FrameWalk.h"
#include "geo/Track.h"
#include "project/ProjectFile.h"
#include "project/ProjectText.h"
#include "shell/Startup.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int kPoints = 100000;
constexpr int kWidth = 1920, kHeight = 1080;
const char* const kGpxpy = "import gpxpy,sys; g=gpxpy.parse(open(sys.argv[1])); "
                           "print(sum(len(s.points) for t in g.tracks for s in t.segments))";

qint64 removeFiles(const QString& dir) {
    qint64 n = 0;
    for (QDirIterator it(dir, QDir::Files); it.hasNext(); ++n)
        QFile::remove(it.next());
    ::sync();
    return n;
}

// The imported project with its track dropped and 99 points on a straight line across the map,
// its legs timed to give as many frames as the track's route; the frames of both.
std::pair<qint64, qint64> writeStraight(const QString& trackProject, const QString& path) {
    Workspace ws;
    startUpBegin(ws, "/tmp");
    startUpFinish(ws, 1.0);
    ws.st.projectpath = trackProject;
    if (const LoadReport r = LoadProject(ws, MapAfterLoad::LeaveToRender); r.error)
        std::fprintf(stderr, "%s\n", qPrintable(r.error->message()));
    const qint64 trackFrames = plannedFrames(ws.st, 1 << 20);
    ProjectState st = ws.st;
    st.track.clear();
    st.route.reset();
    for (int i = 0; i < kPointSlots; ++i)
        clearPointExtras(st, i);
    st.listmax = 99;
    for (int i = 0; i < 99; ++i) {
        st.pointx[i] = qint16(100 + (kWidth - 200) * i / 98);
        st.pointy[i] = qint16(kHeight - 100 - (kHeight - 200) * i / 98);
    }
    auto retime = [&st](double factor) {
        st.interval *= factor;
        st.delay = st.interval * st.fps;
    };
    retime(double(ws.st.listmax - 1) / 98);
    for (int k = 0; k < 4; ++k) // legs round their frames: a few steps come closer
        retime(double(trackFrames) / double(std::max<qint64>(plannedFrames(st, 1 << 20), 1)));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(formatProjectText(st)) < 0)
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return {trackFrames, plannedFrames(st, 1 << 20)};
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const QByteArray program = QFile::encodeName(QCoreApplication::applicationDirPath() + "/../pathwright");
    QTemporaryDir tmp(QDir::tempPath() + "/bench_track-XXXXXX");
    tmp.setAutoRemove(qEnvironmentVariableIsEmpty("BENCH_KEEP"));
    const QString gpx = tmp.filePath("ride.gpx"), out = tmp.filePath("out"), peak = tmp.filePath("peak");
    const std::optional<RideBounds> bounds = writeRideGpx(gpx, kPoints);
    if (!bounds || !QDir().mkpath(out) || !QFileInfo(QString::fromLocal8Bit(program)).isExecutable()) {
        std::fprintf(stderr, "needs a writable %s and the program at %s\n", qPrintable(tmp.path()),
                     program.constData());
        return 1;
    }
    std::printf("%s: %d track points, %.1f MB; peak memory %s\n", qPrintable(gpx), kPoints,
                QFileInfo(gpx).size() / 1e6,
                ::access(kTime, X_OK) == 0 ? "by /usr/bin/time" : "by wait4 (counts this process's too)");

    // Import: the program against gpxpy, taking turns at going first.
    const QByteArray g = QFile::encodeName(gpx);
    const std::vector<QByteArray> sides[2] = {
        {program, "--import", g, "--save", QFile::encodeName(tmp.filePath("import.wsr"))},
        {"/usr/bin/python3", "-c", kGpxpy, g}};
    const char* expected[2] = {"along 100000 track points", "100000"};
    std::vector<double> seconds[2], cpu[2], peakMb[2];
    const bool gpxpy = runProcess({"/usr/bin/python3", "-c", "import gpxpy"}, peak).ok;
    for (int round = -1; round < rounds; ++round) // round -1 warms the caches
        for (int k = 0; k < 2; ++k) {
            const int who = (round + 2 + k) % 2;
            if (who == 1 && !gpxpy) continue;
            const Run r = runProcess(sides[who], peak);
            if (!r.ok || !r.said.contains(expected[who]))
                std::fprintf(stderr, "%s failed: %s\n", sides[who][0].constData(), r.said.constData());
            if (round < 0) continue;
            seconds[who].push_back(r.seconds);
            cpu[who].push_back(r.cpu);
            peakMb[who].push_back(r.peakMb);
        }
    std::printf("import, whole processes, medians of %d:\n", rounds);
    const char* names[2] = {"pathwright --import --save", "python3 gpxpy.parse"};
    for (int who = 0; who < (gpxpy ? 2 : 1); ++who)
        std::printf("  %-26s %7.3f s  CPU %7.3f s  peak %6.1f MB\n", names[who], median(seconds[who]),
                    median(cpu[who]), median(peakMb[who]));
    if (!gpxpy)
        std::printf("  python3-gpxpy is not installed: nothing to compare with\n");
    else
        std::printf(
            "  gpxpy / pathwright: %.1fx the time (target 10x), %.1fx the CPU time, %.1fx the memory\n",
            median(seconds[1]) / median(seconds[0]), median(cpu[1]) / median(cpu[0]),
            median(peakMb[1]) / median(peakMb[0]));
    {
        // The thread's processor time beside the wall time: on a shared machine the wall time also
        // counts waiting for a core.
        auto threadCpu = [] {
            timespec t{};
            clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
            return t.tv_sec + t.tv_nsec / 1e9;
        };
        std::vector<double> reads, readsCpu;
        qsizetype points = 0;
        for (int i = 0; i < rounds; ++i) {
            QElapsedTimer t;
            t.start();
            const double c0 = threadCpu();
            Error error;
            const std::optional<Track> track = readTrack(gpx, &error);
            readsCpu.push_back(threadCpu() - c0);
            reads.push_back(t.nsecsElapsed() / 1e9);
            points = track ? qsizetype(track->points.size()) : 0;
        }
        std::printf("  readTrack alone, in this process: %.3f s, CPU %.3f s (medians of %d; %lld points)\n",
                    median(reads), median(readsCpu), rounds, (long long)points);
    }
    // Renders: the imported track over a 1080p map laid over it, against a straight route.
    benchMap(kWidth, kHeight).save(tmp.filePath("map.png"));
    writeWorldFile(tmp.filePath("map.pgw"), *bounds, kWidth, kHeight);
    const QString projects[2] = {tmp.filePath("track.wsr"), tmp.filePath("straight.wsr")};
    if (!runProcess({program, "--import", g, "--map", QFile::encodeName(tmp.filePath("map.png")), "--save",
                     QFile::encodeName(projects[0])},
                    peak)
             .ok)
        std::fprintf(stderr, "cannot import %s over the map\n", qPrintable(gpx));
    const auto [trackFrames, straightFrames] = writeStraight(projects[0], projects[1]);
    const qint64 frames[2] = {trackFrames, straightFrames};
    const double needed =
        double(std::max(trackFrames, straightFrames)) * double(bmpFileSize(kWidth, kHeight));
    if (QStorageInfo(out).bytesAvailable() < needed * 1.1) {
        std::printf("renders skipped: %.1f GB free needed in %s\n", needed / 1e9, qPrintable(out));
        return 0;
    }
    std::printf("1080p BMP renders, whole processes, medians of %d (%lld and %lld frames):\n", rounds,
                (long long)trackFrames, (long long)straightFrames);
    for (const bool follow : {false, true}) {
        std::vector<double> fps[2], alone[2], cpu[2], peaks[2];
        for (int round = -1; round < rounds; ++round)
            for (int k = 0; k < 2; ++k) {
                const int who = (round + 2 + k) % 2;
                std::vector<QByteArray> args = {
                    program, "--render", QFile::encodeName(projects[who]), "--format",
                    "1080p", "--output", QFile::encodeName(out),           "--output-kind",
                    "bmp"};
                if (follow) args.insert(args.end(), {"--camera", "follow", "--zoom", "2"});
                const Run r = runProcess(args, peak);
                const qint64 files = removeFiles(out);
                if (!r.ok || files != frames[who])
                    std::fprintf(stderr, "%s: %lld files, not %lld\n", qPrintable(projects[who]),
                                 (long long)files, (long long)frames[who]);
                if (round < 0) continue;
                fps[who].push_back(files / r.seconds);
                alone[who].push_back(r.frames > 0 ? files / r.frames : 0);
                cpu[who].push_back(1000 * r.cpu / double(std::max<qint64>(files, 1)));
                peaks[who].push_back(r.peakMb);
            }
        std::printf("  %s:\n", follow ? "follow camera, zoom 2" : "fixed camera");
        const char* names[2] = {"track", "straight 99 points"};
        for (int who = 0; who < 2; ++who)
            std::printf("    %-18s %6.1f frames/s  (the frames alone %6.1f frames/s; CPU %5.2f ms a frame; "
                        "peak %5.1f MB)\n",
                        names[who], median(fps[who]), median(alone[who]), median(cpu[who]),
                        median(peaks[who]));
        std::printf("    track/straight %.2f (target 0.8); the frames alone %.2f\n",
                    median(fps[0]) / median(fps[1]), median(alone[0]) / median(alone[1]));
    }
    return 0;
}

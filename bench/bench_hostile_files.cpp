// Files far from a real project: time and peak memory of loading them, each in a child process
// of its own so that the peak belongs to that file alone. A 60 MB file of bare line feeds and
// one million point lines are refused at the size limit; the largest accepted files of line
// feeds and of point lines show the cost of reading what is accepted. Labels as long as a file
// can hold are loaded as the command line loads them (no drawing) and as the GUI does (one redraw).
#include "project/ProjectFile.h"
#include "shell/Startup.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
QByteArray pointLines(qint64 bytes) {
    QByteArray out;
    for (int i = 0; out.size() < bytes; ++i)
        out += QByteArray::number(i % 100) + " = " + QByteArray::number(i % 700) + ", 40, 0\r\n";
    out.truncate(bytes);
    return out;
}

// A two-point PAL route whose labels take `labels` lines of `length` characters each.
QByteArray longLabels(int labels, int length) {
    QByteArray out = "[h]\r\nformat = p\r\nlistmax = " + QByteArray::number(std::max(labels, 2)) + "\r\n";
    for (int i = 0; i < std::max(labels, 2); ++i)
        out += QByteArray::number(i) + " = " + QByteArray::number(20 + i % 10 * 70) + ", " +
               QByteArray::number(20 + i / 10 * 50) + ", 0\r\n";
    for (int i = 0; i < labels; ++i)
        out += "label." + QByteArray::number(i) + " = " + QByteArray(length, 'y') + "\r\n";
    return out;
}

// Loads the file in a child; prints seconds, peak resident memory, processor time (start-up
// included) and whether it was read.
void measure(const char* what, const QString& path, qint64 size, MapAfterLoad after) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        Workspace ws;
        startUpBegin(ws, "/tmp");
        startUpFinish(ws, 1.0);
        ws.st.projectpath = path;
        const auto start = std::chrono::steady_clock::now();
        const LoadReport r = LoadProject(ws, after);
        const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("  %-38s %6.1f MB %8.3f s  %-9s", what, size / 1e6, secs, r.error ? "refused" : "read");
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    rusage use{};
    wait4(child, &status, 0, &use);
    // The processor time too: on a busy machine the wall time mostly waits for a core.
    const double cpu =
        use.ru_utime.tv_sec + use.ru_stime.tv_sec + (use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
    std::printf(" peak %7.1f MB  cpu %6.3f s\n", use.ru_maxrss / 1024.0, cpu);
}
} // namespace

int main(int argc, char** argv) {
    // Labels need fonts, which the offscreen platform gives without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    // Made one at a time and let go before the child starts, so no child inherits them.
    const struct {
        const char* what;
        std::function<QByteArray()> bytes;
        MapAfterLoad after = MapAfterLoad::Redraw;
    } files[] = {
        {"an empty file (the floor)", [] { return QByteArray(); }},
        {"60 MB of line feeds", [] { return QByteArray(60'000'000, '\n'); }},
        {"one million point lines", [] { return pointLines(19'000'000); }},
        {"4 MiB of line feeds (the limit)", [] { return QByteArray(4 << 20, '\n'); }},
        {"4 MiB of point lines (the limit)", [] { return pointLines(4 << 20); }},
        {"a 4,150,000-character label, render", [] { return longLabels(1, 4'150'000); },
         MapAfterLoad::LeaveToRender},
        {"a 4,150,000-character label, shown", [] { return longLabels(1, 4'150'000); }},
        {"99 labels of 40 KB, render", [] { return longLabels(99, 40'000); }, MapAfterLoad::LeaveToRender},
        {"99 labels of 40 KB, shown", [] { return longLabels(99, 40'000); }},
    };
    std::printf("Loading hostile project files, each in its own process\n");
    for (const auto& f : files) {
        const QString path = dir.filePath("f.wsr");
        qint64 size = 0;
        {
            const QByteArray bytes = f.bytes();
            QFile out(path);
            if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) return 1;
            size = bytes.size();
        }
        measure(f.what, path, size, f.after);
    }
    return 0;
}

// Files far from a real project: time and peak memory of loading them, each in a child process
// of its own so that the peak belongs to that file alone. A 60 MB file of bare line feeds and
// one million point lines are refused at the size limit; the largest accepted files of line
// feeds and of point lines show the cost of reading what is accepted.
#include "project/ProjectFile.h"
#include "shell/Startup.h"

#include <QCoreApplication>
#include <QFile>
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

// Loads the file in a child; prints seconds, peak resident memory and whether it was read.
void measure(const char* what, const QString& path, qint64 size) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        Workspace ws;
        startUpBegin(ws, "/tmp");
        startUpFinish(ws, 1.0);
        ws.st.projectpath = path;
        const auto start = std::chrono::steady_clock::now();
        const LoadReport r = LoadProject(ws);
        const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("  %-34s %6.1f MB %8.3f s  %-9s", what, size / 1e6, secs, r.error ? "refused" : "read");
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    rusage use{};
    wait4(child, &status, 0, &use);
    std::printf(" peak %7.1f MB\n", use.ru_maxrss / 1024.0);
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    // Made one at a time and let go before the child starts, so no child inherits them.
    const struct {
        const char* what;
        std::function<QByteArray()> bytes;
    } files[] = {
        {"an empty file (the floor)", [] { return QByteArray(); }},
        {"60 MB of line feeds", [] { return QByteArray(60'000'000, '\n'); }},
        {"one million point lines", [] { return pointLines(19'000'000); }},
        {"4 MiB of line feeds (the limit)", [] { return QByteArray(4 << 20, '\n'); }},
        {"4 MiB of point lines (the limit)", [] { return pointLines(4 << 20); }},
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
        measure(f.what, path, size);
    }
    return 0;
}

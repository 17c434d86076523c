#pragma once
// A program run to its end as a user runs it, for the benchmarks that time whole processes:
// what it printed, its exit, wall and processor time, its peak memory by the kernel, and the
// time its own summary gives its frames ("rendered 406 frames ... 812 frames/s").

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

struct ChildRun {
    QByteArray said; // standard output
    double seconds = 0, cpu = 0;
    double frames = 0; // the frames alone, by the summary line; 0 without one
    long peakKb = 0;
    bool ok = false;
};

inline ChildRun runChild(std::vector<QByteArray> args) {
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    int out[2];
    if (::pipe(out) != 0) return {};
    QElapsedTimer t;
    t.start();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        dup2(out[1], STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    ::close(out[1]);
    ChildRun r;
    char buf[4096];
    for (ssize_t n; (n = ::read(out[0], buf, sizeof buf)) > 0;)
        r.said.append(buf, n);
    ::close(out[0]);
    int status = 0;
    rusage u{};
    wait4(pid, &status, 0, &u);
    r.seconds = t.nsecsElapsed() / 1e9;
    r.cpu = u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
    r.peakKb = u.ru_maxrss;
    r.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    const QRegularExpressionMatch m =
        QRegularExpression("rendered (\\d+) frames .* (\\d+) frames/s").match(QString::fromUtf8(r.said));
    if (m.hasMatch() && m.captured(2).toDouble() > 0)
        r.frames = m.captured(1).toDouble() / m.captured(2).toDouble();
    return r;
}

inline const char* const kTime = "/usr/bin/time";

struct Run {
    double seconds = 0, cpu = 0, peakMb = 0;
    double frames = 0; // a render's frames alone, by its summary ("rendered 369 frames ... 80 frames/s")
    QByteArray said;   // standard output
    bool ok = false;
};

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Runs a program to its end: wall and processor time, peak memory (by /usr/bin/time where it is
// there: the kernel's figure for a child forked from here would count this process's memory),
// what it printed.
inline Run runProcess(std::vector<QByteArray> args, const QString& peakFile) {
    const bool timed = ::access(kTime, X_OK) == 0;
    QFile::remove(peakFile); // no figure of the last run is taken for this one's
    if (timed) args.insert(args.begin(), {kTime, "-f", "%M", "-o", QFile::encodeName(peakFile)});
    const ChildRun c = runChild(std::move(args));
    Run r{c.seconds, c.cpu, 0, c.frames, c.said, c.ok};
    QFile peak(peakFile);
    r.peakMb =
        (timed && peak.open(QIODevice::ReadOnly) ? peak.readAll().trimmed().toDouble() : double(c.peakKb)) /
        1024;
    return r;
}

// The command-line renderer, run as the program itself with no display in its environment.
#include "animation/RenderLock.h"
#include "support/Files.h"

#include <QtTest>
#include <csignal>

namespace {
struct Run {
    int code = -1;
    QString out, err;
};

// The program (one level above the tests) run in the source tree, on a pseudo-terminal from
// util-linux's script when `terminal` is set.
Run pathwright(const QStringList& args, bool terminal = false, const QString& cwd = SOURCE_DIR) {
    const QString program = QCoreApplication::applicationDirPath() + "/../pathwright";
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(var);
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(cwd);
    if (terminal)
        p.start("/usr/bin/script", {"-qec", "'" + program + "' '" + args.join("' '") + "'", "/dev/null"});
    else
        p.start(program, args);
    if (!p.waitForFinished(120000)) return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}
// True once process `pid` holds a file open in `dir` besides the render lock: the video, which
// has no name until it is complete.
bool writesInto(qint64 pid, const QString& dir) {
    const QString fds = QString("/proc/%1/fd").arg(pid);
    for (const QString& fd : QDir(fds).entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        const QString target = QFileInfo(fds + "/" + fd).symLinkTarget();
        if (target.startsWith(dir + "/") && !target.endsWith(".lock") && !target.endsWith(".wsr")) return true;
    }
    return false;
}
} // namespace

class TestRenderCommand : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    const QString harbour = "examples/harbour/harbour.wsr";

  private slots:
    void answers_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("says"); // in standard output or standard error
        QTest::newRow("help") << QStringList{"--help"} << 0 << "--render <PROJECT.wsr>";
        QTest::newRow("no project value") << QStringList{"--render"} << 1 << "Missing value";
        QTest::newRow("stray argument") << QStringList{"--render", "a.wsr", "b"} << 1 << "usage";
        QTest::newRow("unknown option") << QStringList{"--render", "a.wsr", "--fast"} << 1 << "fast";
        QTest::newRow("missing project") << QStringList{"--render", "no/such.wsr"} << 2 << "no/such.wsr";
        QTest::newRow("unknown format")
            << QStringList{"--render", harbour, "--format", "8k"} << 1 << "the formats are";
        QTest::newRow("rate not listed")
            << QStringList{"--render", harbour, "--fps", "31"} << 1 << "23.976, 24, 25";
        QTest::newRow("odd size") << QStringList{"--render", harbour, "--size", "1001x600"} << 1
                                  << "both even";
        QTest::newRow("NTSC at 60") << QStringList{"--render", harbour, "--format", "ntsc", "--fps", "60"}
                                    << 1 << "NTSC runs at 29.97";
        QTest::newRow("output below a file")
            << QStringList{"--render", harbour, "--output", "README.md/x"} << 2 << "cannot create the folder";
        QVERIFY(QDir().mkpath(dir.filePath("blocked/harbour.mp4"))); // a folder where the video goes
        QTest::newRow("unwritable video")
            << QStringList{"--render", harbour, "--output", dir.filePath("blocked"), "--output-kind", "mp4"}
            << 2 << "cannot write the video file " + dir.filePath("blocked/harbour.mp4: ");
        QTest::newRow("unknown kind")
            << QStringList{"--render", harbour, "--output-kind", "gif"} << 1 << "unknown output kind \"gif\"";
        QTest::newRow("opaque kind made clear")
            << QStringList{"--render", harbour, "--output-kind", "mp4", "--transparent"} << 1
            << "--transparent works with png and mov, not with mp4";
        QTest::newRow("unknown quality")
            << QStringList{"--render", harbour, "--quality", "best"} << 1 << "unknown quality \"best\"";
    }
    void answers() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, says);
        const Run r = pathwright(args);
        QCOMPARE(r.code, code);
        QVERIFY2((r.out + r.err).contains(says), qPrintable(r.out + r.err));
    }

    void hostileValues_data() {
        QTest::addColumn<QString>("lines"); // renderpath and rendername lines; %D is the project's folder
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("says");
        QTest::addColumn<QString>("frames"); // the folder that holds the 3 frames, empty for none anywhere
        const QString tour = "renderpath = %D/\nrendername = tour\n";
        QTest::newRow("name climbing out of --output")
            << "rendername = ../../up/x\n"
            << QStringList{"--output", "%D/out"} << 1 << "folder separator"
            << "";
        QTest::newRow("--name climbing out of --output")
            << tour << QStringList{"--output", "%D/out", "--name", "../x"} << 1 << "folder separator"
            << "";
        QTest::newRow("Windows folder") << "renderpath = C:\\Frames\\\nrendername = tour\n"
                                        << QStringList() << 0 << "Windows folder"
                                        << "%D";
        QTest::newRow("--output made when missing")
            << tour << QStringList{"--output", "%D/new/er"} << 0 << "rendered 3 frames"
            << "%D/new/er";
        QTest::newRow("the project's own missing folder") << "renderpath = %D/none/\nrendername = tour\n"
                                                          << QStringList() << 2 << "No such file"
                                                          << "";
        QTest::newRow("another render holds the folder")
            << tour << QStringList{"--locked"} << 2 << "another render is writing"
            << "";
    }
    // Project values and options never put a frame outside the folder they name, nor mix renders.
    void hostileValues() {
        QFETCH(QString, lines);
        QFETCH(QStringList, args);
        QFETCH(QString, frames);
        QTemporaryDir work;
        const QString d = work.filePath("p");
        QVERIFY(QDir().mkpath(d + "/a/b"));
        RenderLock other;
        if (args.removeAll("--locked")) QVERIFY(!other.take(d + "/", "tour"));
        lines.replace("%D", d);
        writeFile(d + "/t.wsr", "format = p\nlistmax = 1\n0 = 10, 10, 0\n" + lines.toUtf8());
        args.replaceInStrings("%D", d);
        const Run r = pathwright(QStringList{"--render", d + "/t.wsr"} + args, false, d + "/a/b");
        QTEST(r.code, "code");
        QFETCH(QString, says);
        QVERIFY2((r.out + r.err).contains(says), qPrintable(r.out + r.err));
        frames.replace("%D", d);
        QDirIterator it(work.path(), {"*.bmp"}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        QStringList found;
        while (it.hasNext())
            found << it.next();
        QCOMPARE(found.size(), frames.isEmpty() ? 0 : 3);
        for (const QString& f : found)
            QCOMPARE(QFileInfo(f).absolutePath(), frames);
    }

    // The bundled example renders with no display; without a terminal there is no progress line.
    void rendersTheExampleProject() {
        const Run r = pathwright({"--render", harbour, "--output", dir.path(), "--name", "hb"});
        QCOMPARE(r.code, 0);
        const QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        // Seven points, PAL: 3 + 6 reached points + the steps of six legs, 50 each but one of 51.
        QCOMPARE(files.size(), 310);
        QCOMPARE(files.first(), QString("hb0000.bmp"));
        QCOMPARE(files.last(), QString("hb0309.bmp"));
        QVERIFY(r.out.contains("rendered 310 frames"));
        QCOMPARE(QImage(dir.filePath(files.last())).size(), QSize(786, 576)); // the PAL frame
        QVERIFY(!r.err.contains("\r"));
    }

    // Another format from the command line: its size in every frame, its rate in the frame count
    // (PAL's 25 frames per leg second become 60).
    void rendersInAnotherFormat() {
        const QString out = dir.filePath("custom");
        QVERIFY(QDir().mkpath(out));
        const Run r = pathwright({"--render", harbour, "--output", out, "--size", "16x16", "--fps", "60"});
        QCOMPARE(r.code, 0);
        const QStringList files = QDir(out).entryList(QDir::Files, QDir::Name);
        QVERIFY2(files.size() >= 3 + 6 + 6 * 120 && files.size() <= 3 + 6 + 6 * 121,
                 qPrintable(r.out + r.err));
        QCOMPARE(QImage(out + '/' + files.last()).size(), QSize(16, 16));
    }

    // On a terminal stderr carries the progress line, redrawn in place and ending at every frame
    // written.
    void progressLineOnATerminal() {
        if (!QFileInfo("/usr/bin/script").isExecutable()) QSKIP("script (util-linux) is not installed");
        const QString out = dir.filePath("tty");
        QVERIFY(QDir().mkpath(out));
        const Run r = pathwright({"--render", harbour, "--output", out, "--name", "tty"}, true);
        QCOMPARE(r.code, 0);
        const int frames = int(QDir(out).entryList(QDir::Files).size());
        QVERIFY(frames > 300);
        QVERIFY2(r.out.contains(QString("\rpathwright: %1 of %1 frames written, ").arg(frames)),
                 qPrintable(r.out));
        QVERIFY(r.out.contains(QString("rendered %1 frames").arg(frames)));
    }

    void signalFinishesTheVideo_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("named");
        QTest::newRow("Ctrl+C") << int(SIGINT) << "Ctrl+C (SIGINT)";
        QTest::newRow("SIGTERM") << int(SIGTERM) << "SIGTERM";
    }
    // A long render stopped by a signal leaves a video file that plays the frames the summary
    // counts, and says so in a non-zero exit.
    void signalFinishesTheVideo() {
        QFETCH(int, signal);
        QFETCH(QString, named);
        QTemporaryDir out;
        QFile project(out.filePath("long.wsr"));
        QFile example(SOURCE_DIR "/" + harbour);
        QVERIFY(project.open(QIODevice::WriteOnly) && example.open(QIODevice::ReadOnly));
        project.write(example.readAll()
                          .replace("interval = 2", "interval = 2000")
                          .replace("imagepath = examples", "imagepath = " SOURCE_DIR "/examples"));
        project.close();
        QProcess p;
        p.start(QCoreApplication::applicationDirPath() + "/../pathwright",
                {"--render", project.fileName(), "--output", out.path(), "--name", "long", "--output-kind",
                 "mp4"});
        QTRY_VERIFY_WITH_TIMEOUT(writesInto(p.processId(), out.path()), 20000);
        QTest::qWait(300);
        ::kill(pid_t(p.processId()), signal);
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 4);
        const QString said = p.readAllStandardOutput() + p.readAllStandardError();
        const QString frames = QRegularExpression("rendered (\\d+) frames to ").match(said).captured(1);
        QVERIFY2(said.contains(QString("stopped by %1 after %2 frames").arg(named, frames)),
                 qPrintable(said));
        QProcess probe;
        probe.start("ffprobe", {"-v", "error", "-count_frames", "-show_entries", "stream=nb_read_frames",
                                "-of", "csv=p=0", out.filePath("long.mp4")});
        QVERIFY(probe.waitForFinished(60000));
        QCOMPARE(probe.readAllStandardOutput().trimmed(), frames.toUtf8());
    }
};

QTEST_GUILESS_MAIN(TestRenderCommand)
#include "test_render_command.moc"

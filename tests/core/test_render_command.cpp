// The command-line renderer, run as the program itself with no display in its environment.
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {
struct Run {
    int code = -1;
    QString out, err;
};

Run run(const QString& program, const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(var);
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(SOURCE_DIR);
    p.start(program, args);
    if (!p.waitForFinished(120000)) return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

Run pathwright(const QStringList& args) {
    // Tests live in the build's tests directory, the program one level up.
    return run(QCoreApplication::applicationDirPath() + "/../pathwright", args);
}
} // namespace

class TestRenderCommand : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

  private slots:
    void answers_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("says"); // in standard output or standard error
        QTest::newRow("help") << QStringList{"--help"} << 0 << "--render <PROJECT.wsr>";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "pathwright 1.1";
        QTest::newRow("no project value") << QStringList{"--render"} << 1 << "Missing value";
        QTest::newRow("stray argument") << QStringList{"--render", "a.wsr", "b"} << 1 << "usage";
        QTest::newRow("unknown option") << QStringList{"--render", "a.wsr", "--fast"} << 1 << "fast";
        QTest::newRow("missing project") << QStringList{"--render", "no/such.wsr"} << 2 << "no/such.wsr";
    }
    void answers() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, says);
        const Run r = pathwright(args);
        QCOMPARE(r.code, code);
        QVERIFY2((r.out + r.err).contains(says), qPrintable(r.out + r.err));
    }

    void rendersTheExampleProject() {
        const Run r =
            pathwright({"--render", "examples/harbour/harbour.wsr", "--output", dir.path(), "--name", "hb"});
        if (r.err.contains("cannot be read yet")) QSKIP("the project file reader is not in this build yet");
        QCOMPARE(r.code, 0);
        const QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        // Seven points, PAL: 3 + 6 reached points + the steps of six legs (50 or 51 each).
        QVERIFY2(files.size() >= 3 + 6 + 6 * 50 && files.size() <= 3 + 6 + 6 * 51, qPrintable(r.out + r.err));
        QCOMPARE(files.first(), QString("hb0000.bmp"));
        QCOMPARE(files.last(), QString("hb%1.bmp").arg(files.size() - 1, 4, 10, QChar(u'0')));
        QVERIFY(r.out.contains(QString("rendered %1 frames").arg(files.size())));
        const QImage last(dir.filePath(files.last()));
        QCOMPARE(last.size(), QSize(786, 576));            // the PAL frame
        QVERIFY(r.err.isEmpty() || !r.err.contains("\r")); // no progress line without a terminal
    }

    // On a terminal (a pseudo-terminal from util-linux's script) stderr carries the progress
    // line, redrawn in place and ending at every frame written.
    void progressLineOnATerminal() {
        if (!QFileInfo("/usr/bin/script").isExecutable()) QSKIP("script (util-linux) is not installed");
        const QString program = QCoreApplication::applicationDirPath() + "/../pathwright";
        const QString out = dir.filePath("tty");
        QVERIFY(QDir().mkpath(out));
        const Run r = run("/usr/bin/script", {"-qec",
                                              QString("'%1' --render examples/harbour/harbour.wsr --output "
                                                      "'%2' --name tty")
                                                  .arg(program, out),
                                              "/dev/null"});
        QCOMPARE(r.code, 0);
        const int frames = int(QDir(out).entryList(QDir::Files).size());
        QVERIFY(frames > 300);
        QVERIFY2(r.out.contains(QString("\rpathwright: %1 of %1 frames written, ").arg(frames)),
                 qPrintable(r.out));
        QVERIFY(r.out.contains(QString("rendered %1 frames").arg(frames)));
    }

    void unwritableOutputFails() {
        const Run r =
            pathwright({"--render", "examples/harbour/harbour.wsr", "--output", dir.filePath("none/deeper")});
        if (r.err.contains("cannot be read yet")) QSKIP("the project file reader is not in this build yet");
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(dir.filePath("none/deeper/harbour0000.bmp")), qPrintable(r.err));
        QVERIFY(r.err.contains("No such file or directory"));
    }
};

QTEST_GUILESS_MAIN(TestRenderCommand)
#include "test_render_command.moc"

// Starting the desktop program where it cannot open a window: one clear line, no toolkit trace,
// and from `make run` before anything is built.
#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

namespace {
// A display number that no X server on this machine answers to.
QString deadDisplay() {
    int n = 4321;
    while (QFileInfo::exists(QString("/tmp/.X11-unix/X%1").arg(n)))
        ++n;
    return QString(":%1").arg(n);
}
} // namespace

class ProgramStartTest : public QObject {
    Q_OBJECT
  private slots:
    void saysWhyInOneLine_data() {
        QTest::addColumn<QString>("command"); // the program, or the script behind `make run`
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("says");
        const QString none, noDisplay = "no display found", noWindow = "cannot open a window";
        QTest::newRow("no display at all") << "program" << none << none << noDisplay;
        QTest::newRow("run script, no display") << "run.sh" << none << none << noDisplay;
        QTest::newRow("make run, no display: nothing built") << "make" << none << none << noDisplay;
        QTest::newRow("display that does not answer") << "program" << deadDisplay() << none << noWindow;
        QTest::newRow("unknown platform") << "program" << none << "nonsense" << noWindow;
    }
    void saysWhyInOneLine() {
        QFETCH(QString, command);
        QFETCH(QString, display);
        QFETCH(QString, platform);
        QFETCH(QString, says);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(var);
        if (!display.isEmpty()) env.insert("DISPLAY", display);
        if (!platform.isEmpty()) env.insert("QT_QPA_PLATFORM", platform);
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(SOURCE_DIR);
        // Tests live in the build's tests directory, the program one level up.
        const QString program = QCoreApplication::applicationDirPath() + "/../pathwright";
        QTemporaryDir build; // where `make run` would build
        if (command == "program")
            p.start(program, {});
        else if (command == "make")
            p.start("make", {"-s", "run", "BUILD=" + build.filePath("b")});
        else
            p.start("bash", {"scripts/run.sh", program, "examples/harbour/harbour.wsr"});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit); // not an abort
        QCOMPARE(p.exitCode(), command == "make" ? 2 : 1);
        QVERIFY(!QFileInfo::exists(build.filePath("b")));
        const QString err = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
        QVERIFY2(!err.contains('\n') && err.contains(says), qPrintable(err));
        QVERIFY(p.readAllStandardOutput().isEmpty());
    }
};

QTEST_GUILESS_MAIN(ProgramStartTest)
#include "test_program_start.moc"

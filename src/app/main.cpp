// The program: the desktop tool, or the command-line renderer with --render.

#include "shell/MainWindow.h"
#include "project/ProjectCommands.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <cstdio>

namespace {
bool haveDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}
}  // namespace

int main(int argc, char* argv[]) {
    if (!haveDisplay()) {
        std::fprintf(stderr, "pathwright: no display found; run it on a desktop or under xvfb-run "
                             "(pathwright --render renders without one)\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("pathwright");
    QApplication::setApplicationVersion(PATHWRIGHT_VERSION);
    QCommandLineParser parser;
    parser.setApplicationDescription("Draws an animated route over a map and renders it as video frames.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("project", "A project file (.wsr) to open.", "[PROJECT.wsr]");
    parser.process(app);

    MainWindow w(QCoreApplication::applicationDirPath());
    w.show();
    const QStringList args = parser.positionalArguments();
    if (!args.isEmpty()) w.projectCommands().openFile(QDir::current().absoluteFilePath(args.first()));
    return app.exec();
}

#include "CommandLine.h"

#include "shell/Startup.h"

#include <QFileInfo>

void say(FILE* to, const QString& text) {
    std::fprintf(to, "pathwright: %s\n", qPrintable(text));
}

QGuiApplication& commandLineApplication(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int args = argc;
    QGuiApplication& app = *new QGuiApplication(args, argv);
    QCoreApplication::setApplicationName("pathwright");
    QCoreApplication::setApplicationVersion(PATHWRIGHT_VERSION);
    return app;
}

void startWorkspaceFor(Workspace& ws, const QString& path) {
    startUpBegin(ws, QCoreApplication::applicationDirPath());
    startUpFinish(ws, 1.0);
    const QFileInfo project(path);
    ws.st.projectpath = project.absoluteFilePath();
    ws.st.projectname = project.fileName();
}

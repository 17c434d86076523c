#include "CommandLine.h"

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

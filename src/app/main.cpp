// The program: the desktop tool, or the command-line renderer with --render.

#include "ImportCommand.h"
#include "RenderCommand.h"
#include "project/ProjectCommands.h"
#include "shell/MainWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

namespace {
bool haveDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// While the window system is being reached, the platform plugin's complaints are kept back, and
// a display that cannot be opened (a stale DISPLAY, a server that went away) is said in one
// line instead of the toolkit's trace and an abort.
QString platformComplaint;
void startupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        const QString why = platformComplaint.isEmpty() ? message : platformComplaint;
        std::fprintf(stderr, "pathwright: cannot open a window (%s); run it on a desktop or under xvfb-run\n",
                     qPrintable(why.trimmed()));
        std::_Exit(1);
    }
    if (context.category && QByteArray(context.category).startsWith("qt.qpa")) {
        if (platformComplaint.isEmpty()) platformComplaint = message;
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

// A translation for the user's language, if one was installed (share/pathwright/translations under
// the prefix) or put beside the program; without one the texts stay English. Qt's own texts (the
// buttons of message boxes, the file dialogs) follow in the same language where Debian's
// qt6-translations-l10n has it.
void installTranslation(QApplication& app, QTranslator& translator, QTranslator& qtTexts) {
    const QString bin = QCoreApplication::applicationDirPath();
    for (const QString& dir : {bin + "/../share/pathwright/translations", bin + "/translations"}) {
        if (translator.load(QLocale(), "pathwright", "_", dir, ".qm")) {
            app.installTranslator(&translator);
            const QString qtDir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
            if (qtTexts.load(QLocale(translator.language()), "qtbase", "_", qtDir, ".qm"))
                app.installTranslator(&qtTexts);
            return;
        }
    }
}
} // namespace

int main(int argc, char* argv[]) {
    // The command line (--render, --import, --help, --version) needs no display.
    // The command line's application goes before the program ends, and with it the font caches
    // it holds, which Qt frees only then.
    const auto ended = [](int code) {
        delete QCoreApplication::instance();
        return code;
    };
    if (wantsImport(argc, argv)) return ended(runImportCommand(argc, argv));
    if (wantsCommandLine(argc, argv)) return ended(runRenderCommand(argc, argv));
    if (!haveDisplay()) {
        std::fprintf(stderr, "pathwright: no display found; run it on a desktop or under xvfb-run "
                             "(pathwright --render renders without one)\n");
        return 1;
    }
    qInstallMessageHandler(startupMessages);
    QApplication app(argc, argv);
    qInstallMessageHandler(nullptr);
    QTranslator translator, qtTexts;
    installTranslation(app, translator, qtTexts);
    QApplication::setApplicationName("pathwright");
    QApplication::setApplicationVersion(PATHWRIGHT_VERSION);
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "main", "Draws an animated route over a map and renders it as video frames."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        "project", QCoreApplication::translate("main", "A project file (.wsr) to open."), "[PROJECT.wsr]");
    parser.process(app);

    MainWindow w(QCoreApplication::applicationDirPath());
    w.show();
    const QStringList args = parser.positionalArguments();
    if (!args.isEmpty()) w.projectCommands().openFile(QDir::current().absoluteFilePath(args.first()));
    return app.exec();
}

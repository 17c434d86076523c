#include "RenderCommand.h"

#include "animation/FrameWriters.h"
#include "animation/Render.h"
#include "project/ProjectFile.h"
#include "shell/Startup.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {
void say(FILE* to, const QString& text) {
    std::fprintf(to, "pathwright: %s\n", qPrintable(text));
}

// A progress line, redrawn in place at most ten times a second.
class ProgressLine {
  public:
    ProgressLine() : on_(isatty(STDERR_FILENO)) { clock_.start(); }
    void show(qint64 written, qint64 total, bool force = false) {
        total_ = total;
        if (!on_ || (!force && clock_.elapsed() - last_ < 100)) return;
        last_ = clock_.elapsed();
        const double secs = clock_.nsecsElapsed() / 1e9;
        std::fprintf(stderr, "\rpathwright: %lld of %lld frames written, %.0f frames/s   ",
                     (long long)written, (long long)total, secs > 0 ? written / secs : 0.0);
        std::fflush(stderr);
        shown_ = true;
    }
    // The last figures once more, so the line ends at the final count (of the planned total:
    // a render that stopped early shows how far it got).
    void end(qint64 written) {
        show(written, total_, true);
        if (shown_) std::fputc('\n', stderr);
    }
    double seconds() const { return clock_.nsecsElapsed() / 1e9; }

  private:
    bool on_;
    bool shown_ = false;
    qint64 total_ = 0;
    qint64 last_ = -1000;
    QElapsedTimer clock_;
};
} // namespace

bool wantsCommandLine(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        for (const char* opt : {"--render", "--help", "-h", "--help-all", "--version", "-v"})
            if (std::strcmp(a, opt) == 0 || (std::strncmp(a, "--render=", 9) == 0)) return true;
    }
    return false;
}

int runRenderCommand(int argc, char** argv) {
    // Rendering draws into images only (no text): no window system is loaded at all.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("pathwright");
    QCoreApplication::setApplicationVersion(PATHWRIGHT_VERSION);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Draws an animated route over a map and renders it as video frames.\n\n"
        "  pathwright [PROJECT.wsr]      open the program (needs a display)\n"
        "  pathwright --render PROJECT.wsr [--output DIR] [--name BASE]\n"
        "                                render the project's frames without a display\n\n"
        "Frames are written as DIR/BASE0000.bmp, BASE0001.bmp, ... (24-bit BMP), by default into the\n"
        "project's render directory under its render name. Exit status: 0 done, 1 wrong arguments,\n"
        "2 the project could not be read or a frame could not be written, 3 the animation was cut\n"
        "short at frame 9999.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption render("render", "Render the frames of the project file PROJECT.wsr.",
                                    "PROJECT.wsr");
    const QCommandLineOption output(
        "output", "Write the frames into DIR instead of the project's render directory.", "DIR");
    const QCommandLineOption name(
        "name", "Name the frames BASE0000.bmp and on instead of the project's render name.", "BASE");
    parser.addOptions({render, output, name});
    parser.process(app); // --help and --version print and exit here
    if (!parser.isSet(render) || !parser.positionalArguments().isEmpty()) {
        say(stderr, "usage: pathwright --render PROJECT.wsr [--output DIR] [--name BASE] (see --help)");
        return 1;
    }

    Workspace ws;
    startUpBegin(ws, QCoreApplication::applicationDirPath());
    startUpFinish(ws, 1.0);
    const QFileInfo project(parser.value(render));
    ws.st.projectpath = project.absoluteFilePath();
    ws.st.projectname = project.fileName();
    const LoadReport loaded = LoadProject(ws);
    if (loaded.error) {
        say(stderr, "cannot read the project: " + loaded.error->message());
        return 2;
    }
    for (const QString& note : loaded.notes)
        say(stderr, note);
    if (parser.isSet(output)) ws.st.renderpath = withSeparator(QDir(parser.value(output)).absolutePath());
    if (parser.isSet(name)) ws.st.rendername = parser.value(name);

    MadeWriter made = makeFrameWriter(renderTargetFor(ws));
    if (made.error) {
        say(stderr, made.error->message());
        return 2;
    }
    FrameSink& writer = *made.sink;
    ProgressLine progress;
    const RenderResult result =
        RenderAnimation(ws, writer, {{}, [&](qint64 done, qint64 total) { progress.show(done, total); }});
    progress.end(writer.written());
    if (result.error) {
        if (result.error->file.isEmpty()) {
            say(stderr, result.message());
        } else {
            say(stderr, QString("cannot write frame %1: %2").arg(result.error->file, result.error->reason));
            say(stderr, QString("the render stopped; the %1 frames before it were written "
                                "(--output DIR writes the frames elsewhere)")
                            .arg(result.frames));
        }
        return 2;
    }
    const double secs = progress.seconds();
    const SinkOutput out = writer.output();
    say(stdout, QString("rendered %1 frames (%2 to %3) in %4 s, %5 frames/s")
                    .arg(result.frames)
                    .arg(out.first, QFileInfo(out.last).fileName())
                    .arg(secs, 0, 'f', 2)
                    .arg(secs > 0 ? result.frames / secs : 0.0, 0, 'f', 0));
    if (result.cutShort) {
        say(stderr, result.message());
        return 3;
    }
    return 0;
}

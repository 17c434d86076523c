#include "RenderCommand.h"

#include "CommandLine.h"
#include "RenderReport.h"

#include "CameraOptions.h"
#include "FormatOptions.h"
#include "FrameCommand.h"
#include "MapOptions.h"
#include "OutputOptions.h"
#include "PresetOptions.h"
#include "ProgressLine.h"
#include "RangeOptions.h"
#include "RenderHelp.h"
#include "StopSignals.h"
#include "animation/FrameTiles.h"
#include "animation/FrameWriters.h"
#include "animation/Render.h"
#include "animation/RenderFolder.h"
#include "animation/RenderLock.h"
#include "animation/RenderTarget.h"
#include "geo/MapGeo.h"
#include "project/ProjectFile.h"
#include "tiles/MapAccessSettings.h"
#include "tiles/MapSources.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSettings>
#include <cstdio>
#include <cstring>

bool wantsCommandLine(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        for (const char* opt : {"--render", "--help", "-h", "--help-all", "--version", "-v"})
            if (std::strcmp(a, opt) == 0 || (std::strncmp(a, "--render=", 9) == 0)) return true;
    }
    return false;
}

namespace {
// Runs the render to its end or to a stop signal.
RenderResult renderUntilStopped(Workspace& ws, FrameSink& writer, Marker marker, ProgressLine& progress,
                                const StopSignals& stops, qint64 frames) {
    RenderRun run(ws, writer, std::move(marker),
                  {{}, [&](qint64 done, qint64 total) { progress.show(done, total, writer.output()); }},
                  frames);
    while (run.advance(std::chrono::milliseconds(50)))
        if (stops.caught()) run.stop();
    // Finishing a large video takes seconds: the line says so, and that more signals wait.
    if (stops.caught())
        progress.finishing(StopSignals::name(stops.caught()), writer.written(), writer.output());
    RenderResult result = run.finish();
    progress.end(writer.written(), writer.output());
    return result;
}

} // namespace

int runRenderCommand(int argc, char** argv) {
    QGuiApplication& app = commandLineApplication(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(renderHelp());
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption render("render", "Render the frames of the project file PROJECT.wsr.",
                                    "PROJECT.wsr");
    const QCommandLineOption output(
        "output", "Write the frames into DIR instead of the project's render directory.", "DIR");
    const QCommandLineOption name(
        "name", "Name the output BASE0000.bmp and on (or BASE.mp4) instead of the project's render name.",
        "BASE");
    const QCommandLineOption kind(
        "output-kind",
        "What to write: " + kindWords().join(", ") +
            " (numbered BMP or PNG files, an MP4 or MOV video file, an animated GIF or WebP).",
        "KIND");
    const QCommandLineOption transparent(
        "transparent", "Only the route, on a transparent background (png and mov), to lay over other video.");
    const QCommandLineOption quality("quality", "Video quality: high, standard (the default) or small.",
                                     "QUALITY");
    const QCommandLineOption frame("frame", "Write frame N alone as the PNG picture --output FILE.png.", "N");
    const QCommandLineOption track("track", "Render with the track FILE instead of the project's own.",
                                   "FILE");
    const FormatOptions formats;
    const CameraOptions cameras;
    const MapOptions maps;
    const RangeOptions ranges;
    const PresetOptions presets;
    parser.addOptions({render, output, name, kind, transparent, quality, frame, track, presets.preset});
    parser.addOptions(formats.all());
    parser.addOptions(cameras.all());
    parser.addOptions(maps.all());
    parser.addOptions(ranges.all());
    parser.process(app); // --help and --version print and exit here
    if (!parser.isSet(render) || !parser.positionalArguments().isEmpty()) {
        say(stderr, "usage: pathwright --render PROJECT.wsr [--output DIR] [--name BASE] (see --help)");
        return 1;
    }

    Workspace ws;
    startWorkspaceFor(ws, parser.value(render));
    {
        // The user's API keys and tile cache folder, as the window keeps them; servers beyond the
        // built-in ones still need --allow-host here.
        QSettings settings("pathwright", "pathwright");
        const MapAccess saved = readMapAccess(settings);
        ws.access.apiKeys = saved.apiKeys;
        ws.access.cacheDir = saved.cacheDir;
    }
    maps.applyAccess(parser, ws.access);
    // The render starts from the bare map: drawing the whole route now would be thrown away.
    const LoadReport loaded = LoadProject(ws, MapAfterLoad::LeaveToRender);
    if (loaded.error) {
        say(stderr, "cannot read the project: " + loaded.error->message());
        return 2;
    }
    for (const QString& note : loaded.notes)
        say(stderr, note);
    if (parser.isSet(name)) ws.st.rendername = parser.value(name);
    if (parser.isSet(track)) {
        ws.st.track = QFileInfo(parser.value(track)).absoluteFilePath();
        if (MaybeError e = reloadTrack(ws)) {
            say(stderr, "cannot read the track: " + e->message());
            return 2;
        }
        refreshRoute(ws);
    }
    QStringList mapNotes;
    for (const std::optional<QString>& wrong :
         {maps.apply(parser, ws, mapNotes), presets.apply(parser, ws), formats.apply(parser, ws),
          cameras.apply(parser, ws.st), ranges.apply(parser, ws.st)})
        if (wrong) {
            say(stderr, *wrong);
            return 1;
        }
    for (const QString& note : mapNotes)
        say(stderr, note);
    if (!mapSourceLoaded(ws)) {
        say(stderr, "cannot render: the project's map cannot be drawn (" + ws.st.mapsource + ")");
        return 2;
    }
    bool frameNumber = false;
    const qint64 oneFrame = parser.value(frame).toLongLong(&frameNumber);
    if (parser.isSet(frame) && (!frameNumber || !parser.isSet(output))) {
        say(stderr, "--frame N takes a frame number and --output FILE.png");
        return 1;
    }
    // The marker picture is read before anything is written, so that one that cannot be used
    // stops the render with its own reason rather than as a failed write.
    Error badMarker;
    std::optional<Marker> marker = renderMarker(ws.st, &badMarker);
    if (!marker) {
        say(stderr, "cannot render: " + badMarker.message());
        return 2;
    }
    // Counted before anything is written: a render of more than a day is refused at once. Signals
    // are caught from here on, so that the count can be abandoned and none leaves a lock behind.
    const StopSignals stops;
    const FrameCount count = countFrames(ws.st, [&] { return stops.caught() != 0; });
    if (count.abandoned) {
        say(stderr, QString("stopped by %1 before the first frame").arg(StopSignals::name(stops.caught())));
        return 4;
    }
    if (count.error) {
        say(stderr, count.error->message());
        return 2;
    }
    if (const std::optional<QString> wrong = RangeOptions::check(ws, count.frames);
        wrong && !parser.isSet(frame)) {
        say(stderr, *wrong);
        return 1;
    }
    if (const auto warning = presets.lengthWarning(parser, count.frames / std::max(1.0, ws.st.fps)))
        say(stderr, *warning); // a warning, not a cut
    if (parser.isSet(frame))
        return writeOneFrame(ws, std::move(*marker), count.frames, oneFrame, parser.value(output));
    if (parser.isSet(output)) {
        // --output promises DIR: a name reaching into another folder is refused before anything is written.
        if (ws.st.rendername.contains(u'/')) {
            say(stderr, "the frame name " + shown(ws.st.rendername) +
                            " holds a folder separator; with --output every frame is written into DIR "
                            "(give --name BASE without a '/')");
            return 1;
        }
        const QString dir = QDir(parser.value(output)).absolutePath();
        if (!QDir().mkpath(dir)) {
            say(stderr, "cannot create the folder " + shown(dir));
            return 2;
        }
        ws.st.renderpath = withSeparator(dir);
    } else {
        ws.st.renderpath = renderFolder(ws.st);
    }
    RenderLock lock;
    if (MaybeError e = lock.take(ws.st.renderpath, ws.st.rendername)) {
        say(stderr, "cannot render: " + e->message());
        return 2;
    }

    // Every tile the frames show is at hand before anything is written.
    ProgressLine progress;
    if (MaybeError e = fetchRenderTiles(ws, [&](int done, int wanted) {
            progress.tiles(done, wanted);
            return !stops.caught();
        })) {
        progress.lineDone();
        say(stderr, "cannot draw the map: " + e->message());
        return stops.caught() ? 4 : 2;
    }
    progress.lineDone();
    RenderTarget target = renderTargetFor(ws);
    if (const QString wrong = chooseOutput(parser, kind, transparent, quality, target); !wrong.isEmpty()) {
        say(stderr, wrong);
        return 1;
    }
    MadeWriter made = makeFrameWriter(target);
    if (made.error) {
        say(stderr, made.error->message());
        return 2;
    }
    const RenderResult result =
        renderUntilStopped(ws, *made.sink, std::move(*marker), progress, stops, count.frames);
    return report(result, *made.sink, target, progress.seconds(), stops.caught());
}

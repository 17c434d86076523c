#include "ImportCommand.h"

#include "CommandLine.h"
#include "geo/MapGeo.h"
#include "geo/TrackImport.h"
#include "mapview/PictureFile.h"
#include "project/ProjectFile.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>

bool wantsImport(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--import") == 0 || std::strncmp(argv[i], "--import=", 9) == 0) return true;
    return false;
}

int runImportCommand(int argc, char** argv) {
    QGuiApplication& app = commandLineApplication(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Makes a new project from a track file (GPX, KML, KMZ, GeoJSON, TCX, or "
        "what gpsbabel reads): route points at its start, named waypoints, stops "
        "and end, the legs following the track.");
    parser.addHelpOption();
    const QCommandLineOption import("import", "The track file.", "TRACK");
    const QCommandLineOption map(
        "map", "A map picture with coordinates (a world file beside it, or GeoTIFF).", "PICTURE");
    const QCommandLineOption save("save", "The project file to write.", "PROJECT.wsr");
    parser.addOptions({import, map, save});
    parser.process(app);
    if (!parser.isSet(save) || parser.value(import).isEmpty() || !parser.positionalArguments().isEmpty()) {
        say(stderr, "usage: pathwright --import TRACK [--map PICTURE] --save PROJECT.wsr");
        return 1;
    }
    Workspace ws;
    startWorkspaceFor(ws, parser.value(save));
    const QFileInfo project(parser.value(save));
    ws.st.projectdir = withSeparator(project.absolutePath());
    // Frames go beside the project, named after it.
    ws.st.renderpath = ws.st.projectdir;
    ws.st.rendername = project.completeBaseName();
    QStringList notes;
    if (parser.isSet(map)) {
        const QFileInfo picture(parser.value(map));
        Error error;
        ws.picture = readPicture(picture.absoluteFilePath(), &error);
        if (ws.picture.isNull()) {
            say(stderr, "cannot read the map: " + error.message());
            return 2;
        }
        ws.st.imagepath = withSeparator(picture.absolutePath());
        ws.st.imagename = picture.fileName();
        reloadGeography(ws, picture.absoluteFilePath(), notes);
    }
    if (MaybeError e = importTrack(ws, QFileInfo(parser.value(import)).absoluteFilePath(), notes)) {
        say(stderr, "cannot import the track: " + e->message());
        return 2;
    }
    for (const QString& note : notes)
        say(stderr, note);
    if (MaybeError e = SaveProject(ws)) {
        say(stderr, "cannot save the project: " + e->message());
        return 2;
    }
    say(stdout, QString("wrote %1: %2 route points along %3 track points%4")
                    .arg(shown(ws.st.projectdir + ws.st.projectname))
                    .arg(ws.st.listmax)
                    .arg(ws.geo.track ? qint64(ws.geo.track->points.size()) : 0)
                    .arg(ws.st.mapsource == QLatin1String("world") ? ", on the built-in world map" : ""));
    return 0;
}

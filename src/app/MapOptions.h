#pragma once
// The command line's map options: another map source for one render (--map-source, --tile-url,
// --mbtiles), and the user's own rules for tiles (--offline, --allow-host, --tile-cache), which no
// project file can set.

#include "shell/Workspace.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <optional>

struct MapOptions {
    QCommandLineOption source{"map-source", "Draw the map from SOURCE: picture, tiles, mbtiles or world.",
                              "SOURCE"};
    QCommandLineOption url{"tile-url", "Web map tiles from the address template URL ({z}/{x}/{y}).", "URL"};
    QCommandLineOption package{"mbtiles", "Web map tiles from the MBTiles package FILE.", "FILE"};
    QCommandLineOption offline{"offline", "Take tiles from the cache only; never use the network."};
    QCommandLineOption allowHost{"allow-host", "Let the render fetch tiles from HOST (repeatable).", "HOST"};
    QCommandLineOption cache{"tile-cache", "Keep downloaded tiles in DIR instead of the user's cache.",
                             "DIR"};

    QList<QCommandLineOption> all() const { return {source, url, package, offline, allowHost, cache}; }
    // The user's rules, before the project is loaded.
    void applyAccess(const QCommandLineParser& parser, MapAccess& access) const;
    // Another map for the loaded project, loaded at once; a message saying what is wrong otherwise.
    std::optional<QString> apply(const QCommandLineParser& parser, Workspace& ws, QStringList& notes) const;
};

#pragma once
// The command line's choice of camera: --camera MODE and --zoom Z render a project with another
// camera without editing it, as --format does with the video format.

#include "shell/Workspace.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <optional>

struct CameraOptions {
    QCommandLineOption camera{"camera", "Render with the camera MODE: fixed, map, route, follow or leg.",
                              "MODE"};
    QCommandLineOption zoom{"zoom", "Frame pixels per map pixel for --camera follow (0.01 to 64).", "Z"};

    QList<QCommandLineOption> all() const { return {camera, zoom}; }
    // Applies the options given to the loaded project; a message saying what is valid otherwise.
    std::optional<QString> apply(const QCommandLineParser& parser, ProjectState& st) const;
};

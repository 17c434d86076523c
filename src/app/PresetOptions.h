#pragma once
// The command line's export preset: --preset NAME sets the format, rate, output kind and quality
// of a place the video is made for; --format, --fps, --output-kind and --quality still override it.

#include "shell/Workspace.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <optional>

struct PresetOptions {
    QCommandLineOption preset{"preset", "Render for a place: format, rate, kind and quality (see below).",
                              "NAME"};

    // The presets, for --help.
    static QString help();
    // Applies the preset given; a message naming the presets when the name is none of them.
    std::optional<QString> apply(const QCommandLineParser& parser, Workspace& ws) const;
    // A warning when the animation, `seconds` long, is longer than the preset's place takes.
    std::optional<QString> lengthWarning(const QCommandLineParser& parser, double seconds) const;
};

#pragma once
// The command line's choice of video format: --format NAME, --fps RATE, --size WxH render a
// project in another format without editing it.

#include "shell/Workspace.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <optional>

struct FormatOptions {
    QCommandLineOption format{"format", "Render in the video format NAME (see below).", "NAME"};
    QCommandLineOption fps{"fps", "Render at RATE frames per second (see below).", "RATE"};
    QCommandLineOption size{"size", "Render a custom frame size, e.g. 1000x600 (even, 16-7680 x 16-4320).",
                            "WxH"};

    QList<QCommandLineOption> all() const { return {format, fps, size}; }
    // The formats and rates, for --help.
    static QString help();
    // Applies the options given to the loaded project; a message saying what is valid when a
    // name, rate or size is not in the table.
    std::optional<QString> apply(const QCommandLineParser& parser, Workspace& ws) const;
};

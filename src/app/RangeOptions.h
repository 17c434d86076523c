#pragma once
// The command line's render range: --from N and --to N render frames N to M of the animation
// (both inclusive, in its own frame numbers) instead of the project's `renderfrom` / `renderto`.

#include "shell/Workspace.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <optional>

struct RangeOptions {
    QCommandLineOption from{"from", "Render from frame N on (numbered files keep their frame numbers).", "N"};
    QCommandLineOption to{"to", "Render up to frame N, inclusive.", "N"};

    QList<QCommandLineOption> all() const { return {from, to}; }
    // Sets the range given; a message when a value is not a frame number.
    std::optional<QString> apply(const QCommandLineParser& parser, ProjectState& st) const;
    // A message when the range asks for frames the animation, `walkFrames` frames of walk, lacks.
    static std::optional<QString> check(const Workspace& ws, qint64 walkFrames);
};

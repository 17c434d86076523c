#pragma once
// A failure the core reports to its caller: which file, and why. The GUI shows it in a
// message box; the command line prints it and exits non-zero.

#include <QString>
#include <optional>

// A path or value as a message shows it: control characters as \xNN, so a name cannot break
// the message's lines, and the middle left out beyond a few hundred characters, so a
// hostile name cannot flood the screen.
QString shown(const QString& text);

struct Error {
    QString file;
    QString reason;
    QString message() const { return file.isEmpty() ? reason : shown(file) + ": " + reason; }
};

using MaybeError = std::optional<Error>;

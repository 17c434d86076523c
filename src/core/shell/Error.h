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
    Error() = default;
    Error(QString file, QString reason, QString what = QString())
        : file(std::move(file)), reason(std::move(reason)), what(std::move(what)) {}
    QString file;
    QString reason;
    QString what; // what the file is to the program ("the marker picture"), said before its name
    QString message() const {
        if (file.isEmpty()) return reason;
        return (what.isEmpty() ? QString() : what + u' ') + shown(file) + ": " + reason;
    }
};

using MaybeError = std::optional<Error>;

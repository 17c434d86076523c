#pragma once
// A failure the core reports to its caller: which file, and why. The GUI shows it in a
// message box; the command line prints it and exits non-zero.

#include <QString>
#include <optional>

struct Error {
    QString file;
    QString reason;
    QString message() const { return file.isEmpty() ? reason : file + ": " + reason; }
};

using MaybeError = std::optional<Error>;

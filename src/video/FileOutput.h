#pragma once
// A file the container writes through instead of a URL, so the file stays the caller's: the
// bytes written so far and the system's reason when a write or seek failed.

#include "shell/Error.h"

#include <QtGlobal>
#include <atomic>

struct AVIOContext;

struct FileOutput {
    int fd = -1;
    int ioErrno = 0;
    std::atomic<qint64> bytes = 0;
};

// An I/O context writing to `out`, with a buffer of `bufferSize` bytes of its own; null when out
// of memory. Free it with closeFileOutput.
AVIOContext* openFileOutput(FileOutput& out, int bufferSize);
void closeFileOutput(AVIOContext*& io);

// Why a step of encoding into `file` failed: the system's reason when the file did, else FFmpeg's
// for `averror`, as "the <what> could not be encoded (...)".
Error encodingError(const QString& file, const FileOutput& out, int averror, const char* what);

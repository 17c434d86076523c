#pragma once
// The kinds of numbered frame file: how a frame is held until it is written and how it becomes
// a file. Writing runs on the sequence writer's threads.

#include <QImage>
#include <QString>
#include <sys/uio.h>
#include <vector>

struct FileWritten {
    qint64 bytes = 0;
    QString failure; // why the file could not be written; empty when it was
};

struct FrameFileType {
    const char* suffix;
    QImage::Format layout; // frames are copied in this layout, row padding included
    bool bottomUp;         // ... with the last row first, as the file keeps them
    bool transparent;      // frames show only what the route draws
    // Writes the whole file of `frame` to `fd`; `scratch` belongs to the calling thread.
    FileWritten (*write)(int fd, QImage& frame, std::vector<char>& scratch);
};

// 24-bit BMP: the header and the frame's rows, kept bottom-up, in one system call.
extern const FrameFileType kBmpFiles;
// 8-bit RGB and straight-alpha RGBA PNG, fast compression, no row filters.
extern const FrameFileType kPngFiles;
extern const FrameFileType kPngAlphaFiles;

// Write all of it, again after an interruption or a short write; errno when they cannot.
bool writeVectors(int fd, iovec* v, int count);
bool writeAll(int fd, const char* data, std::size_t size);

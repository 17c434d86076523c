#pragma once
// Output files in folders that other people may write to. A file is written without a name
// (or, where the file system cannot do that, under a fresh hidden name created so that
// nothing already standing there is opened, followed or reused) and takes its final name once
// complete: a symbolic link planted under any name never redirects the bytes, and a link
// under the final name is replaced while its target stays as it was. A failure removes only
// what this created.
//
//   SafeFile f(path);
//   if (MaybeError e = f.open()) return e;
//   ... f.write(data, size), or writev()/an encoder on f.fd() then f.failed(errno) ...
//   return f.commit();
//
// Paths holding a NUL are refused: the system would see only the part before it.

#include "Error.h"

#include <QByteArray>
#include <cstddef>

// An error naming `path` when it cannot reach a system call whole (empty, or holding a NUL).
MaybeError refuseUnsafePath(const QString& path);

// The system's text for an errno value (thread-safe).
QString systemReason(int err);

class SafeFile {
  public:
    explicit SafeFile(QString path);
    ~SafeFile(); // an uncommitted file is discarded
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Creates the file; mode as for open(2), less the umask.
    MaybeError open(int mode = 0666);
    // The open file, for writes of the caller's own (-1 when not open).
    int fd() const { return fd_; }
    const QString& path() const { return path_; }

    // Writes all of `size` bytes, retrying short writes.
    MaybeError write(const void* data, std::size_t size);
    // Closes, checks the close and gives the file its final name; on failure discards.
    MaybeError commit();
    // Closes and removes the unfinished file.
    void discard();
    // Discards and gives the error for `err` under the final name (for callers writing via fd()).
    Error failed(int err);

  private:
    MaybeError openNamed(const QByteArray& final, int mode);

    QString path_;
    QByteArray temp_; // the hidden name, when the file has one
    int fd_ = -1;
};

// One whole file written safely.
MaybeError writeFileSafely(const QString& path, const void* data, std::size_t size);

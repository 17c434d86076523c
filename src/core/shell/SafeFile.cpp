#include "SafeFile.h"

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {
// Room for ".", the suffix and ".part" within the 255 bytes a file name may take.
constexpr qsizetype kKeptNameBytes = 200;

QByteArray tempNameFor(const QByteArray& final) {
    const qsizetype slash = final.lastIndexOf('/');
    const QByteArray dir = final.left(slash + 1);
    const QByteArray name = final.mid(slash + 1).left(kKeptNameBytes);
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    QByteArray unique(10, '0');
    for (char& c : unique)
        c = digits[QRandomGenerator::global()->bounded(int(sizeof digits - 1))];
    return dir + '.' + name + '.' + unique + ".part";
}

// Runs `make` on fresh hidden names beside `final` until one is free: the name it made, or
// empty with errno telling why not.
template <class Make> QByteArray freshName(const QByteArray& final, Make make) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray temp = tempNameFor(final);
        if (make(temp)) return temp;
        if (errno != EEXIST) return {};
    }
    errno = EEXIST;
    return {};
}

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : path.left(slash + 1);
}

// An unnamed file is named through its descriptor's entry under /proc.
bool canNameLater() {
    static const bool proc = ::access("/proc/self/fd", X_OK) == 0;
    return proc;
}
} // namespace

MaybeError refuseUnsafePath(const QString& path) {
    if (path.isEmpty()) return Error{path, "no file name was given"};
    if (path.contains(QChar(u'\0')))
        return Error{path, "the name holds a NUL character, which no file name can hold"};
    return std::nullopt;
}

QString systemReason(int err) {
    char buf[256];
    // The GNU strerror_r returns the text (thread-safe, unlike strerror).
    return QString::fromLocal8Bit(strerror_r(err, buf, sizeof buf));
}

SafeFile::SafeFile(QString path) : path_(std::move(path)) {}

SafeFile::~SafeFile() {
    discard();
}

MaybeError SafeFile::open(int mode) {
    if (MaybeError e = refuseUnsafePath(path_)) return e;
    discard();
    const QByteArray final = QFile::encodeName(path_);
    // Best, a file without a name until it is complete: no name to plant anything under, and a
    // failure or a crash leaves nothing behind. It takes one folder operation, not two.
    if (canNameLater()) {
        fd_ = ::open(folderOf(final).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
        if (fd_ >= 0) return std::nullopt;
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return Error{path_, systemReason(errno)};
    }
    return openNamed(final, mode);
}

// O_EXCL refuses anything standing under the name, a link included.
MaybeError SafeFile::openNamed(const QByteArray& final, int mode) {
    temp_ = freshName(final, [&](const QByteArray& temp) {
        fd_ = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        return fd_ >= 0;
    });
    if (temp_.isEmpty()) return Error{path_, systemReason(errno)};
    return std::nullopt;
}

MaybeError SafeFile::write(const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd_, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return failed(errno);
        if (n == 0) return failed(ENOSPC);
        p += n;
        size -= std::size_t(n);
    }
    return std::nullopt;
}

MaybeError SafeFile::commit() {
    if (fd_ < 0) return Error{path_, systemReason(EBADF)};
    const QByteArray final = QFile::encodeName(path_);
    if (temp_.isEmpty()) {
        // The unnamed file takes its final name, unless something stands there (an earlier
        // render's frame, a planted link): then a fresh hidden name, renamed over it below.
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd_);
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, final.constData(), AT_SYMLINK_FOLLOW) == 0) {
            const int fd = std::exchange(fd_, -1);
            if (::close(fd) == 0) return std::nullopt;
            const int err = errno;
            ::unlink(final.constData());
            return failed(err);
        }
        if (errno != EEXIST) return failed(errno);
        temp_ = freshName(final, [&](const QByteArray& temp) {
            return ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, temp.constData(), AT_SYMLINK_FOLLOW) == 0;
        });
        if (temp_.isEmpty()) return failed(errno);
    }
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0) return failed(errno);
    if (::rename(temp_.constData(), final.constData()) != 0) return failed(errno);
    temp_.clear();
    return std::nullopt;
}

void SafeFile::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.isEmpty()) ::unlink(temp_.constData());
    temp_.clear();
}

Error SafeFile::failed(int err) {
    discard();
    return Error{path_, systemReason(err)};
}

MaybeError writeFileSafely(const QString& path, const void* data, std::size_t size) {
    SafeFile file(path);
    if (MaybeError e = file.open()) return e;
    if (MaybeError e = file.write(data, size)) return e;
    return file.commit();
}

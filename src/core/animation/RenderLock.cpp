#include "RenderLock.h"

#include "shell/SafeFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

QString RenderLock::lockPath(const QString& folder, const QString& base) {
    // Named by a hash of the file part of the name, in the folder the frames go to: a short
    // name, so any name the frames or the video can take, the lock can take too.
    const qsizetype slash = base.lastIndexOf(u'/');
    const QByteArray hash =
        QCryptographicHash::hash(QFile::encodeName(base.mid(slash + 1)), QCryptographicHash::Sha256);
    return folder + base.left(slash + 1) + QStringLiteral(".pathwright-") +
           QString::fromLatin1(hash.toHex().left(32)) + QStringLiteral(".lock");
}

MaybeError RenderLock::take(const QString& folder, const QString& base) {
    release();
    const QString path = lockPath(folder, base);
    if (MaybeError e = refuseUnsafePath(path)) return e;
    const QByteArray name = QFile::encodeName(path);
    // The holder removes the file when done: a lock taken on a file that was removed meanwhile
    // guards nothing, so it is taken again on the new one.
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Never follows a link, and never waits on a FIFO planted under the name.
        const int fd =
            ::open(name.constData(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
        if (fd < 0) {
            if (errno == ENOENT || errno == ENOTDIR || errno == EACCES || errno == EROFS) return std::nullopt;
            return Error{path, "the render's lock file cannot be made (" + systemReason(errno) + ")"};
        }
        struct stat opened {
        }, named{};
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(fd);
            return Error{path, "the render's lock file is not an ordinary file"};
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int err = errno;
            ::close(fd);
            if (err == EWOULDBLOCK)
                return Error{path, "another render is writing these frames now; wait until it has "
                                   "finished, or choose another folder or name"};
            return Error{path, "the render's lock cannot be taken (" + systemReason(err) + ")"};
        }
        if (::lstat(name.constData(), &named) == 0 && named.st_dev == opened.st_dev &&
            named.st_ino == opened.st_ino) {
            fd_ = fd;
            path_ = name;
            return std::nullopt;
        }
        ::close(fd);
    }
    return Error{path, "the render's lock cannot be taken (the lock file keeps changing)"};
}

void RenderLock::release() {
    if (fd_ < 0) return;
    // Removed while still locked, so the next render never locks a file about to vanish.
    ::unlink(path_.constData());
    ::close(fd_);
    fd_ = -1;
    path_.clear();
}

#include "OrdinaryFile.h"

#include "SafeFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

OpenedKind openOrdinaryFile(const QString& path, QFile& file, QString* reason) {
    auto fail = [&](OpenedKind kind, const QString& why) {
        if (reason) *reason = why;
        return kind;
    };
    if (refuseUnsafePath(path)) return fail(OpenedKind::Missing, systemReason(ENOENT));
    // Non-blocking, so that opening a FIFO with no writer returns at once.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        return fail(err == ENOENT || err == ENOTDIR ? OpenedKind::Missing : OpenedKind::Unreadable,
                    systemReason(err));
    }
    struct stat st {};
    const bool known = ::fstat(fd, &st) == 0;
    if (!known || !S_ISREG(st.st_mode)) {
        ::close(fd);
        if (known && S_ISDIR(st.st_mode)) return fail(OpenedKind::Directory, systemReason(EISDIR));
        return fail(OpenedKind::NotOrdinary, "not an ordinary file");
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(OpenedKind::Unreadable, file.errorString());
    }
    return OpenedKind::Ordinary;
}

#include "OrdinaryFile.h"

#include "SafeFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

MaybeError openOrdinaryFile(const QString& path, QFile& file, const QString& what) {
    auto fail = [&](const QString& reason) { return Error{path, reason}; };
    const QString missing = QStringLiteral("the file does not exist");
    if (refuseUnsafePath(path)) return fail(missing);
    // Non-blocking, so that opening a FIFO with no writer returns at once.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        if (err == ENOENT || err == ENOTDIR) return fail(missing);
        return fail("the file cannot be opened (" + systemReason(err) + ")");
    }
    struct stat st {};
    const bool known = ::fstat(fd, &st) == 0;
    if (!known || !S_ISREG(st.st_mode)) {
        ::close(fd);
        if (known && S_ISDIR(st.st_mode)) return fail("this is a directory, not a " + what);
        return fail("this is not an ordinary file, so it is not read as a " + what);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail("the file cannot be opened (" + file.errorString() + ")");
    }
    return std::nullopt;
}

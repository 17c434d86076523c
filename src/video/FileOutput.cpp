#include "FileOutput.h"

#include "shell/SafeFile.h"

extern "C" {
#include <libavformat/avio.h>
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {
int writeAll(void* opaque, uint8_t* data, int size) {
    auto* out = static_cast<FileOutput*>(opaque);
    for (int left = size; left > 0;) {
        const ssize_t n = ::write(out->fd, data, std::size_t(left));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            out->ioErrno = n < 0 ? errno : ENOSPC;
            return AVERROR(out->ioErrno);
        }
        data += n;
        left -= int(n);
        out->bytes += n;
    }
    return size;
}

int64_t seekTo(void* opaque, int64_t offset, int whence) {
    auto* out = static_cast<FileOutput*>(opaque);
    if (whence & AVSEEK_SIZE) {
        struct stat s {};
        return ::fstat(out->fd, &s) == 0 ? int64_t(s.st_size) : AVERROR(errno);
    }
    const off_t at = ::lseek(out->fd, offset, whence & ~AVSEEK_FORCE);
    if (at < 0) {
        out->ioErrno = errno;
        return AVERROR(out->ioErrno);
    }
    return at;
}
} // namespace

AVIOContext* openFileOutput(FileOutput& out, int bufferSize) {
    auto* buffer = static_cast<unsigned char*>(av_malloc(std::size_t(bufferSize)));
    AVIOContext* io =
        buffer ? avio_alloc_context(buffer, bufferSize, 1, &out, nullptr, &writeAll, &seekTo) : nullptr;
    if (!io) av_free(buffer);
    return io;
}

void closeFileOutput(AVIOContext*& io) {
    if (io) av_freep(&io->buffer);
    avio_context_free(&io);
}

Error encodingError(const QString& file, const FileOutput& out, int averror, const char* what) {
    if (out.ioErrno != 0) return Error{file, systemReason(out.ioErrno)};
    char buf[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(averror, buf, sizeof buf);
    return Error{file, QStringLiteral("the %1 could not be encoded (%2)").arg(what, QString::fromUtf8(buf))};
}

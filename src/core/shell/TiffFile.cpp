#include "TiffFile.h"

#include "Error.h"

#include <algorithm>
#include <cstdio>
#include <geotiff/xtiffio.h>
#include <mutex>
#include <tiffio.h>

bool looksLikeTiff(const QByteArray& head) {
    for (const char* magic : {"II*\0", "MM\0*", "II+\0", "MM\0+"})
        if (head.startsWith(QByteArray::fromRawData(magic, 4))) return true;
    return false;
}

namespace {
QFile& fileOf(thandle_t h) {
    return *static_cast<QFile*>(h);
}

tmsize_t readFrom(thandle_t h, void* buffer, tmsize_t size) {
    const qint64 got = fileOf(h).read(static_cast<char*>(buffer), size);
    return got < 0 ? -1 : tmsize_t(got);
}

tmsize_t noWriting(thandle_t, void*, tmsize_t) {
    return -1;
}

toff_t seekIn(thandle_t h, toff_t offset, int whence) {
    QFile& f = fileOf(h);
    // A move back comes as an offset wrapped round; as a signed number it is negative again.
    const qint64 by = qint64(offset);
    qint64 to = by;
    if (whence == SEEK_CUR)
        to = f.pos() + by;
    else if (whence == SEEK_END)
        to = f.size() + by;
    else if (whence != SEEK_SET)
        return toff_t(-1);
    if (to < 0 || !f.seek(to)) return toff_t(-1);
    return toff_t(to);
}

int leaveOpen(thandle_t) {
    return 0;
}

toff_t sizeOf(thandle_t h) {
    return toff_t(fileOf(h).size());
}

int noMapping(thandle_t, void**, toff_t*) {
    return 0;
}

void noUnmapping(thandle_t, void*, toff_t) {}

int ignore(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}
} // namespace

int TiffFile::keep(TIFF*, void* self, const char*, const char* format, va_list args) {
    auto* t = static_cast<TiffFile*>(self);
    if (t->complaint_.isEmpty()) {
        char text[512];
        std::vsnprintf(text, sizeof text, format, args);
        t->complaint_ = QString::fromUtf8(text);
    }
    return 1; // handled: nothing is printed
}

TiffFile::TiffFile(QFile& file, qint64 maxAllocation) : file_(file) {
    // Process-wide settings, made once before any file is opened: messages of files opened
    // without a handler of their own go nowhere either, and libgeotiff's tags are known to all.
    static std::once_flag settled;
    std::call_once(settled, [] {
        TIFFSetErrorHandler(nullptr);
        TIFFSetWarningHandler(nullptr);
        XTIFFInitialize();
    });
    if (!file_.seek(0)) return;
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options) return;
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, tmsize_t(std::max<qint64>(maxAllocation, 1)));
    TIFFOpenOptionsSetErrorHandlerExtR(options, keep, this);
    TIFFOpenOptionsSetWarningHandlerExtR(options, ignore, nullptr);
    // "m": read through the procedures here, never a mapping of the file.
    tiff_ = TIFFClientOpenExt("TIFF", "rm", &file_, readFrom, noWriting, seekIn, leaveOpen, sizeOf, noMapping,
                              noUnmapping, options);
    TIFFOpenOptionsFree(options);
}

TiffFile::~TiffFile() {
    if (tiff_) TIFFClose(tiff_);
}

QString TiffFile::complaint(const QString& otherwise) const {
    return complaint_.isEmpty() ? otherwise : shown(complaint_);
}

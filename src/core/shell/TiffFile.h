#pragma once
// TIFF files read by libtiff from a file already opened (and checked) here. libtiff's complaints
// are kept for the error returned, never printed, and each of its allocations is bounded. GeoTIFF
// tags are read as the numbers they hold.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdarg>

struct tiff;

// True when `head` (the file's first bytes) starts as TIFF or BigTIFF does, in either byte order.
bool looksLikeTiff(const QByteArray& head);

class TiffFile {
  public:
    // Reads the TIFF in `file` from its start, which must stay open while this lives. No single
    // allocation of libtiff's may take more than `maxAllocation` bytes.
    TiffFile(QFile& file, qint64 maxAllocation);
    ~TiffFile();
    TiffFile(const TiffFile&) = delete;
    TiffFile& operator=(const TiffFile&) = delete;

    // Null when the file is not a TIFF libtiff can open.
    tiff* handle() const { return tiff_; }
    // libtiff's first complaint since opening, or `otherwise` when it made none.
    QString complaint(const QString& otherwise) const;

  private:
    static int keep(tiff*, void* self, const char* module, const char* format, va_list args);
    QFile& file_;
    tiff* tiff_ = nullptr;
    QString complaint_;
};

#pragma once
// TIFF maps, decoded by libtiff (Qt's own reader may not be there): the first picture in the
// file, in any layout libtiff turns into 8-bit colour: grey, palette, RGB, CMYK, YCbCr, 8 or 16
// bits a sample, in strips or tiles. Its size is known before any memory is taken for its pixels.

#include "shell/TiffFile.h"

#include <QImage>

class TiffPicture {
  public:
    // Opens the TIFF in `file`, which must stay open while this lives; no single allocation of
    // libtiff's takes more than `maxAllocation` bytes.
    TiffPicture(QFile& file, qint64 maxAllocation);

    // Why the picture cannot be read; empty while it can.
    const QString& error() const { return error_; }
    QSize size() const { return size_; }
    // What read() gives: RGB32, or premultiplied ARGB32 when the picture has alpha.
    QImage::Format format() const {
        return alpha_ ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    }
    // What libtiff holds beside the pixels while it decodes: about one strip or tile.
    qint64 workingBytes() const { return working_; }
    // The picture, in memory taken only now; null with error() set when it fails.
    QImage read();

  private:
    TiffFile tiff_;
    QSize size_;
    bool alpha_ = false;
    qint64 working_ = 0;
    QString error_;
};

#include "TiffDecoding.h"

#include "shell/Error.h"
#include "shell/LargeImage.h"

#include <climits>
#include <tiffio.h>

TiffPicture::TiffPicture(QFile& file, qint64 maxAllocation) : tiff_(file, maxAllocation) {
    TIFF* t = tiff_.handle();
    if (!t) {
        error_ = "the TIFF file cannot be read (" + tiff_.complaint("libtiff cannot open it") + ")";
        return;
    }
    uint32_t width = 0, height = 0;
    if (!TIFFGetField(t, TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(t, TIFFTAG_IMAGELENGTH, &height) ||
        width == 0 || height == 0) {
        error_ = "the TIFF file gives no size for its picture";
        return;
    }
    // Sizes beyond an int are refused by the caller's limits all the same.
    size_ = QSize(int(std::min<uint32_t>(width, INT_MAX)), int(std::min<uint32_t>(height, INT_MAX)));
    char why[1024] = "";
    TIFFRGBAImage layout;
    if (!TIFFRGBAImageOK(t, why) || !TIFFRGBAImageBegin(&layout, t, 1, why)) {
        error_ = "libtiff cannot turn this TIFF picture into colours (" + shown(QString::fromUtf8(why)) + ")";
        return;
    }
    alpha_ = layout.alpha != 0;
    TIFFRGBAImageEnd(&layout);
    uint16_t samples = 1, planes = PLANARCONFIG_CONTIG;
    TIFFGetFieldDefaulted(t, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(t, TIFFTAG_PLANARCONFIG, &planes);
    const uint64_t piece = TIFFIsTiled(t) ? TIFFTileSize64(t) : TIFFStripSize64(t);
    const uint64_t pieces = planes == PLANARCONFIG_SEPARATE ? samples : 1;
    working_ = qint64(std::min<uint64_t>(piece, uint64_t(LLONG_MAX) / 65536) * pieces);
}

QImage TiffPicture::read() {
    if (!error_.isEmpty()) return QImage();
    QImage img = largeImage(size_, format());
    if (img.isNull() || img.bytesPerLine() != qsizetype(size_.width()) * 4) {
        error_ = "there is not enough memory for the picture";
        return QImage();
    }
    auto* pixels = reinterpret_cast<uint32_t*>(img.bits());
    if (!TIFFReadRGBAImageOriented(tiff_.handle(), uint32_t(size_.width()), uint32_t(size_.height()), pixels,
                                   ORIENTATION_TOPLEFT, 1)) {
        error_ = "the TIFF picture cannot be read (" + tiff_.complaint("its data is damaged") + ")";
        return QImage();
    }
    // libtiff puts red in the low byte, Qt blue; alpha comes premultiplied, as drawn.
    const qsizetype count = qsizetype(size_.width()) * size_.height();
    for (qsizetype i = 0; i < count; ++i) {
        const uint32_t p = pixels[i];
        pixels[i] = (p & 0xff00ff00u) | (p & 0xffu) << 16 | (p >> 16 & 0xffu);
    }
    return img;
}

#pragma once
// Reading picture files (maps and marker pictures), the kind told by the content whatever the
// name says, within limits on what the picture may cost.

#include "shell/Error.h"

#include <QImage>

// The largest map picture: a camera that moves shows any part of it.
constexpr int kMaxMapSide = 16384;
// The most memory one picture may take at any moment of its reading: its pixels as decoded and,
// when they come in another layout, the converted copy beside them. This holds a 16384 x 16384
// picture at 4 bytes a pixel.
constexpr qint64 kPictureMemoryLimit = qint64(kMaxMapSide) * kMaxMapSide * 4;

struct PictureLimits {
    qint64 memory = kPictureMemoryLimit;
    qint64 fileBytes = 0;   // the file's size at most; 0 for any
    int side = kMaxMapSide; // the longer side in pixels at most; 0 for any
};

// The picture in RGB32, or premultiplied ARGB32 when it has alpha: the layouts the map surface
// draws and the thumbnail scales without a converted copy of the whole picture. A picture that
// cannot be read or is beyond the limits gives an error naming the file and no image.
QImage readPicture(const QString& path, Error* error, const PictureLimits& limits = {});

// What a picture of that size and decoded layout costs while it is read and brought into one of
// the layouts above, in bytes.
qint64 pictureCost(QSize size, QImage::Format decoded);

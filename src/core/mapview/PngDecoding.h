#pragma once
// Most map pictures are plain PNG files: 8 bits a channel, colour with or without alpha, not
// interlaced. Those are decoded here, with libdeflate inflating the pixels several times faster
// than zlib does for the general reader: a 1080p map takes a few milliseconds instead of 25, which
// is a large part of a short command-line render. Every other file, and anything irregular in
// one, is left to the general reader, which then decides and words the error.

#include <QImage>

// The picture in `png` (the whole file) as the general reader gives it, in RGB32, or with alpha
// premultiplied as it is drawn; a null picture when the file is not of that plain kind, is not
// well formed, or its buffer would take more than `maxBytes`.
QImage decodePlainPng(const uchar* png, qsizetype size, qint64 maxBytes);

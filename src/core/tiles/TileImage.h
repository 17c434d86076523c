#pragma once
// A tile's bytes as they came from a server or a package, checked before they are decoded: a
// tile is a PNG, JPEG or WebP picture of at most 4 MiB and 1024 x 1024 pixels.

#include "shell/Error.h"

#include <QByteArray>
#include <QImage>

constexpr qint64 kMaxTileBytes = 4 << 20;
constexpr int kMaxTileSide = 1024;

// The tile in RGB32 (or premultiplied ARGB32 when it has alpha); null with the reason in `why`
// when the bytes are too many, not a picture of those kinds, or too large.
QImage decodeTile(const QByteArray& bytes, QString* why);
// The same checks without decoding the pixels: what a cache may store.
bool plausibleTile(const QByteArray& bytes, QString* why);

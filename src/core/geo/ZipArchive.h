#pragma once
// A small ZIP reader for archives that carry a document and its pictures (KMZ): the central
// directory, and an entry stored or deflated, held in memory. Zip64, archives split over several
// files and encrypted entries are refused; no name is ever used as a path, but an archive with a
// name that would leave it is refused as made to harm.

#include "shell/Error.h"

#include <QByteArray>
#include <QIODevice>
#include <optional>
#include <vector>

// An archive declaring more than this inflated in all, or more entries, is refused before any
// entry is read.
constexpr qint64 kMaxZipInflatedBytes = qint64(256) << 20;
constexpr int kMaxZipEntries = 1000;

struct ZipEntry {
    QString name;
    quint16 flags = 0, method = 0;
    quint32 crc = 0;
    qint64 packedSize = 0, size = 0, headerOffset = 0;
};

struct ZipDirectory {
    std::vector<ZipEntry> entries;
    qint64 offset = 0; // where the directory begins: every entry's data lies before it
};

// The directory of the archive in `in` (random access), with every size checked against the
// file's size and the limits above. Errors name `file`.
std::optional<ZipDirectory> readZipDirectory(QIODevice& in, const QString& file, Error* error);

// One entry's bytes, inflated to exactly its declared size and checked against its CRC.
std::optional<QByteArray> readZipEntry(QIODevice& in, const ZipDirectory& directory, const ZipEntry& entry,
                                       const QString& file, Error* error);

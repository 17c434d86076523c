#include "ZipArchive.h"

#include <cctype>
#include <libdeflate.h>
#include <memory>

namespace {
constexpr quint32 kEndSignature = 0x06054b50, kCentralSignature = 0x02014b50, kLocalSignature = 0x04034b50;
constexpr qint64 kEndSize = 22, kCentralSize = 46, kLocalSize = 30, kMaxCommentSize = 0xffff;
// A thousand entries with long names take well under a megabyte.
constexpr qint64 kMaxDirectoryBytes = qint64(16) << 20;
// Deflate cannot inflate more than 1032 times (a 258-byte match in two bits); a size beyond that
// is a lie, refused before its buffer is made.
constexpr qint64 kMaxDeflateRatio = 1032;

quint16 le16(const char* p) {
    return quint16(uchar(p[0]) | uchar(p[1]) << 8);
}
quint32 le32(const char* p) {
    return quint32(le16(p)) | quint32(le16(p + 2)) << 16;
}

std::nullopt_t refuse(const QString& file, const QString& reason, Error* error) {
    if (error) *error = {file, reason};
    return std::nullopt;
}

// `n` bytes at `at`, where the caller has checked that `n` is bounded.
bool readAt(QIODevice& in, qint64 at, qint64 n, QByteArray& out) {
    if (at < 0 || n < 0 || n > in.size() - at || !in.seek(at)) return false;
    out = in.read(n);
    return out.size() == n;
}

bool staysInside(const QByteArray& name) {
    if (name.isEmpty() || name.startsWith('/') || name.contains('\\') || name.contains('\0')) return false;
    if (name.size() >= 2 && name[1] == ':' && std::isalpha(uchar(name[0]))) return false; // C:
    for (const QByteArray& part : name.split('/'))
        if (part == "..") return false;
    return true;
}

QString named(const ZipEntry& e) {
    return "the entry " + shown(e.name);
}

struct DecompressorFree {
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};
} // namespace

std::optional<ZipDirectory> readZipDirectory(QIODevice& in, const QString& file, Error* error) {
    const qint64 size = in.size();
    const QString cut = "the file is not a complete ZIP archive: ";
    // The end record closes the file, after a comment of up to 64 KiB.
    const qint64 tailSize = std::min(size, kEndSize + kMaxCommentSize);
    QByteArray tail;
    if (in.isSequential() || size < kEndSize || !readAt(in, size - tailSize, tailSize, tail))
        return refuse(file, cut + "it is too short or cannot be read", error);
    qint64 end = tailSize - kEndSize;
    while (end >= 0 && !(le32(tail.data() + end) == kEndSignature &&
                         end + kEndSize + le16(tail.data() + end + 20) <= tailSize))
        --end;
    if (end < 0) return refuse(file, cut + "its directory is missing (cut short?)", error);
    const char* e = tail.constData() + end;
    const quint32 count = le16(e + 10), dirSize = le32(e + 12), dirOffset = le32(e + 16);
    if (le16(e + 4) != 0 || le16(e + 6) != 0 || le16(e + 8) != count)
        return refuse(file, "the archive is split over several files", error);
    if (count == 0xffff || dirSize == 0xffffffff || dirOffset == 0xffffffff)
        return refuse(file, "the archive is in the Zip64 form, which no KMZ file needs", error);
    if (count > quint32(kMaxZipEntries))
        return refuse(
            file,
            QString("the archive holds %1 entries, more than the %2 read").arg(count).arg(kMaxZipEntries),
            error);
    const qint64 endAt = size - tailSize + end;
    if (dirSize > kMaxDirectoryBytes)
        return refuse(file,
                      QString("the archive's directory is larger than %1 MiB").arg(kMaxDirectoryBytes >> 20),
                      error);
    QByteArray dir;
    if (qint64(dirOffset) + dirSize > endAt || !readAt(in, dirOffset, dirSize, dir))
        return refuse(file, cut + "its directory lies outside the file", error);

    ZipDirectory d;
    d.offset = dirOffset;
    qint64 at = 0, inflated = 0;
    for (quint32 i = 0; i < count; ++i) {
        const char* r = dir.constData() + at;
        if (dir.size() - at < kCentralSize || le32(r) != kCentralSignature)
            return refuse(file, cut + "its directory is damaged", error);
        const qint64 nameSize = le16(r + 28),
                     recordSize = kCentralSize + nameSize + le16(r + 30) + le16(r + 32);
        if (dir.size() - at < recordSize) return refuse(file, cut + "its directory is damaged", error);
        const QByteArray name(r + kCentralSize, nameSize);
        ZipEntry entry{QString::fromUtf8(name),
                       le16(r + 8),
                       le16(r + 10),
                       le32(r + 16),
                       le32(r + 20),
                       le32(r + 24),
                       le32(r + 42)};
        if (!staysInside(name))
            return refuse(file, named(entry) + " has a name that would leave the archive; it was not read",
                          error);
        if (entry.packedSize == 0xffffffff || entry.size == 0xffffffff)
            return refuse(file, "the archive is in the Zip64 form, which no KMZ file needs", error);
        if (entry.headerOffset + kLocalSize + nameSize + entry.packedSize > d.offset)
            return refuse(file, cut + named(entry) + " lies outside the file", error);
        inflated += entry.size;
        if (inflated > kMaxZipInflatedBytes)
            return refuse(file,
                          QString("the archive would inflate to more than %1 MiB; it was not read")
                              .arg(kMaxZipInflatedBytes >> 20),
                          error);
        d.entries.push_back(std::move(entry));
        at += recordSize;
    }
    return d;
}

std::optional<QByteArray> readZipEntry(QIODevice& in, const ZipDirectory& directory, const ZipEntry& entry,
                                       const QString& file, Error* error) {
    if (entry.flags & 1) return refuse(file, named(entry) + " is encrypted", error);
    if (entry.method != 0 && entry.method != 8)
        return refuse(file,
                      named(entry) + QString(" is compressed by a method (%1) not read").arg(entry.method),
                      error);
    if ((entry.method == 0 && entry.packedSize != entry.size) ||
        (entry.method == 8 && entry.size > entry.packedSize * kMaxDeflateRatio))
        return refuse(file, named(entry) + " declares a size its data cannot have; the archive is damaged",
                      error);
    QByteArray local, packed;
    if (!readAt(in, entry.headerOffset, kLocalSize, local) || le32(local.constData()) != kLocalSignature)
        return refuse(file, named(entry) + " is not where the directory says; the archive is damaged", error);
    const qint64 dataAt =
        entry.headerOffset + kLocalSize + le16(local.constData() + 26) + le16(local.constData() + 28);
    if (dataAt + entry.packedSize > directory.offset || !readAt(in, dataAt, entry.packedSize, packed))
        return refuse(file, named(entry) + " lies outside the file; the archive is damaged", error);

    QByteArray out;
    if (entry.method == 0) {
        out = std::move(packed);
    } else {
        std::unique_ptr<libdeflate_decompressor, DecompressorFree> d(libdeflate_alloc_decompressor());
        out = QByteArray(entry.size, Qt::Uninitialized);
        if (!d || out.size() != entry.size) return refuse(file, "not enough memory to inflate it", error);
        switch (libdeflate_deflate_decompress(d.get(), packed.constData(), std::size_t(packed.size()),
                                              out.data(), std::size_t(out.size()), nullptr)) {
        case LIBDEFLATE_SUCCESS:
            break;
        case LIBDEFLATE_INSUFFICIENT_SPACE:
            return refuse(file,
                          named(entry) + QString(" inflates to more than the %1 bytes the archive declares; "
                                                 "it was not read")
                                             .arg(entry.size),
                          error);
        case LIBDEFLATE_SHORT_OUTPUT:
            return refuse(file, named(entry) + " inflates to less than the archive declares; it is damaged",
                          error);
        default:
            return refuse(file, named(entry) + "'s compressed data is damaged", error);
        }
    }
    if (libdeflate_crc32(0, out.constData(), std::size_t(out.size())) != entry.crc)
        return refuse(file, named(entry) + " fails its checksum; the archive is damaged", error);
    return out;
}

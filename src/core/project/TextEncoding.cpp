#include "TextEncoding.h"

#include <QStringDecoder>

namespace {
// Code points of the bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
} // namespace

QString fromWindows1252(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *dst++ = QChar(b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : char16_t(b));
    }
    return out;
}

QString decodeProjectText(QByteArrayView bytes, bool* windows1252) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (windows1252) *windows1252 = utf8.hasError();
    if (!utf8.hasError()) return text;
    return fromWindows1252(bytes);
}

QByteArray encodeProjectText(const QString& text, bool windows1252) {
    if (!windows1252) return text.toUtf8();
    QByteArray out(text.size(), Qt::Uninitialized);
    char* dst = out.data();
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        int byte = u < 0x80 || (u >= 0xA0 && u < 0x100) ? int(u) : -1;
        for (int i = 0; byte < 0 && i < 32; ++i)
            if (kHighControls[i] == u) byte = 0x80 + i;
        if (byte < 0) return text.toUtf8(); // a character the code page lacks
        *dst++ = char(byte);
    }
    // Bytes that also make valid UTF-8 (such as "Ã©") would be read back as UTF-8, and differently.
    return QByteArrayView(out).isValidUtf8() ? text.toUtf8() : out;
}

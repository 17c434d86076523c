#pragma once
// The text encoding of project files. Files from the original program are in the Windows
// Western code page; files we write are UTF-8 (plain ASCII whenever the text allows).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Valid UTF-8 is read as UTF-8 (a leading byte-order mark dropped), anything else as Windows-1252.
QString decodeProjectText(QByteArrayView bytes);

// Windows-1252; the five bytes that code page leaves undefined keep their own code points.
QString fromWindows1252(QByteArrayView bytes);

inline QByteArray encodeProjectText(const QString& text) {
    return text.toUtf8();
}

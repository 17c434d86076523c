#pragma once
// The text encoding of project files. Files from older programs are in the Windows Western code
// page, and are written back in it, so that 8-bit readers keep reading them; other files are
// UTF-8 (plain ASCII whenever the text allows).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Valid UTF-8 is read as UTF-8 (a leading byte-order mark dropped), anything else as
// Windows-1252, which `windows1252` tells.
QString decodeProjectText(QByteArrayView bytes, bool* windows1252 = nullptr);

// Windows-1252; the five bytes that code page leaves undefined keep their own code points.
QString fromWindows1252(QByteArrayView bytes);

// Windows-1252 when asked for and every character has a byte there; UTF-8 otherwise.
QByteArray encodeProjectText(const QString& text, bool windows1252);

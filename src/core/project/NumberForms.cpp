// The integer, double and print forms of numbers the writer uses.
#include "NumberText.h"

#include <charconv>

namespace {
// The digits of |v| (or the 15-digit double form) into buf; returns the length.
int absDigits(char* buf, qint64 v) {
    const quint64 mag = v < 0 ? 0 - quint64(v) : quint64(v);
    return int(std::to_chars(buf, buf + 24, mag).ptr - buf);
}

int doubleDigits(char* buf, double v) {
    if (v == 0.0) { // also -0
        buf[0] = '0';
        return 1;
    }
    const auto res = std::to_chars(buf, buf + 40, v, std::chars_format::general, 15);
    for (char* c = buf; c != res.ptr; ++c)
        if (*c == 'e') *c = 'E';
    return int(res.ptr - buf);
}

void appendSigned(QString& out, bool negative, const char* digits, int n) {
    out += negative ? u'-' : u' ';
    out += QLatin1String(digits, n);
    out += u' ';
}
} // namespace

QString integerForm(qint64 v) {
    return QString::number(v);
}

QString doubleForm(double v) {
    char buf[40];
    return QString::fromLatin1(buf, doubleDigits(buf, v));
}

void appendPrintForm(QString& out, qint64 v) {
    char buf[24];
    appendSigned(out, v < 0, buf, absDigits(buf, v));
}

void appendPrintForm(QString& out, double v) {
    char buf[40];
    appendSigned(out, v < 0, buf, doubleDigits(buf, v < 0 ? -v : v));
}

QString printForm(qint64 v) {
    QString s;
    appendPrintForm(s, v);
    return s;
}

QString printForm(double v) {
    QString s;
    appendPrintForm(s, v);
    return s;
}

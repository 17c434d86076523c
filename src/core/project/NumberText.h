#pragma once
// Numbers as project files spell them: one reading rule for every number read from text, and
// the integer, double and print forms the writer uses. All of it ignores the user's locale.

#include <QString>
#include <QStringView>

struct NumberRead {
    double value = 0.0; // may be infinite when the text spells a number beyond a double
    bool found = false; // the text begins with a number (after blanks and tabs)
    bool whole = false; // ... and nothing but blanks and tabs follows it
};

// The leading number of the text: blanks and tabs are skipped anywhere; an optional sign,
// digits, an optional period with digits, an optional exponent (E or D, sign, digits); or
// "&H" hexadecimal / "&O" octal digits. Anything else ends the number (a comma, say); text
// without a leading number reads as 0.
NumberRead readNumber(QStringView text);

// A number stored in a field: rounded half to even, then held to the field's range. `held`
// is set (never cleared) when the value had to be held.
qint16 toInt16(double v, bool* held = nullptr);
qint32 toInt32(double v, bool* held = nullptr);
// A double field keeps the value unless it is infinite, which is held to the largest double.
double toFinite(double v, bool* held = nullptr);

// "480", "-1": the digits with a leading minus for negative values.
QString integerForm(qint64 v);
// At most 15 significant digits, "." as the separator, no trailing zeros or period, a 0
// before the period of values below 1: 29.97 -> "29.97", 2 -> "2", 0.1*3 -> "0.3". Values
// that need an exponent get one ("1E-05", "1E+20").
QString doubleForm(double v);
// A sign column and a trailing blank: 120 -> " 120 ", -3 -> "-3 ", 0.5 -> " 0.5 ".
QString printForm(qint64 v);
QString printForm(double v);
// The same forms appended to a text, without temporaries (the writer's inner loop).
void appendPrintForm(QString& out, qint64 v);
void appendPrintForm(QString& out, double v);

// The number reading rule and how read numbers are stored in fields.
#include "NumberText.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {
// A cursor over the text that steps over blanks and tabs wherever they occur.
struct Cursor {
    QStringView text;
    qsizetype pos = 0;

    char16_t peek() {
        while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t'))
            ++pos;
        return pos < text.size() ? text[pos].unicode() : u'\0';
    }
    void next() { ++pos; }
    bool atEnd() { return peek() == u'\0' && pos >= text.size(); }
};

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

int digitValue(char16_t c) {
    if (isDigit(c)) return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return 99;
}

// strtod in the "C" locale, whatever the process's LC_NUMERIC says.
double cStrtod(const std::string& s) {
    static locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtod_l(s.c_str(), nullptr, c);
}

NumberRead readRadix(Cursor& cur, int radix) {
    NumberRead r;
    for (int d; (d = digitValue(cur.peek())) < radix; cur.next()) {
        r.value = r.value * radix + d;
        r.found = true;
    }
    return r;
}

NumberRead readDecimal(Cursor& cur) {
    NumberRead r;
    std::string s; // the number with blanks and tabs removed, in strtod's own syntax
    if (cur.peek() == u'+' || cur.peek() == u'-') {
        s += char(cur.peek());
        cur.next();
    }
    for (; isDigit(cur.peek()); cur.next())
        s += char(cur.peek()), r.found = true;
    if (cur.peek() == u'.') {
        cur.next();
        s += '.';
        for (; isDigit(cur.peek()); cur.next())
            s += char(cur.peek()), r.found = true;
    }
    if (!r.found) return {};
    const char16_t e = cur.peek();
    if (e == u'e' || e == u'E' || e == u'd' || e == u'D') {
        // The exponent belongs to the number only when digits follow it.
        Cursor ahead = cur;
        ahead.next();
        std::string exp = "e";
        if (ahead.peek() == u'+' || ahead.peek() == u'-') {
            exp += char(ahead.peek());
            ahead.next();
        }
        bool digits = false;
        for (; isDigit(ahead.peek()); ahead.next())
            exp += char(ahead.peek()), digits = true;
        if (digits) {
            s += exp;
            cur = ahead;
        }
    }
    r.value = cStrtod(s);
    return r;
}
} // namespace

NumberRead readNumber(QStringView text) {
    Cursor cur{text};
    NumberRead r;
    if (cur.peek() == u'&') {
        Cursor ahead = cur;
        ahead.next();
        const char16_t p = ahead.peek();
        if (p == u'h' || p == u'H' || p == u'o' || p == u'O') {
            ahead.next();
            cur = ahead;
            r = readRadix(cur, (p == u'h' || p == u'H') ? 16 : 8);
        }
    } else {
        r = readDecimal(cur);
    }
    r.whole = r.found && cur.atEnd();
    if (!r.found) r.value = 0.0;
    return r;
}

namespace {
template <typename Int> Int toInt(double v, bool* held, double lo, double hi) {
    const double r = std::nearbyint(v); // the default rounding mode rounds ties to even
    if (r >= lo && r <= hi) return Int(r);
    if (held) *held = true;
    return (r < lo) ? Int(lo) : Int(hi); // NaN, which no reading produces, goes to the top
}
} // namespace

qint16 toInt16(double v, bool* held) {
    return toInt<qint16>(v, held, -32768.0, 32767.0);
}

qint32 toInt32(double v, bool* held) {
    return toInt<qint32>(v, held, -2147483648.0, 2147483647.0);
}

double toFinite(double v, bool* held) {
    if (std::isfinite(v)) return v;
    if (held) *held = true;
    return v < 0 ? -DBL_MAX : DBL_MAX;
}

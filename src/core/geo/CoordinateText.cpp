#include "CoordinateText.h"

#include <QLocale>
#include <cmath>

namespace {
enum class Axis { None, Latitude, Longitude };

struct Part {
    double degrees = 0;
    Axis axis = Axis::None;
};

// Reads one coordinate at a time from the text, moving past what it took.
class Reader {
  public:
    explicit Reader(QStringView text) : s_(text) {}

    bool atEnd() {
        skipBlanks();
        return i_ == s_.size();
    }

    // Skips one comma or semicolon between the two coordinates, if there is one.
    void separator() {
        skipBlanks();
        if (i_ < s_.size() && (s_[i_] == u',' || s_[i_] == u';')) ++i_;
    }

    // [letter] [sign] degrees [° [minutes ′ [seconds ″]]] [letter]
    std::optional<Part> part() {
        Part p;
        int hemisphere = letter(p.axis);
        skipBlanks();
        bool negative = false;
        if (i_ < s_.size() && (s_[i_] == u'-' || s_[i_] == u'\u2212' || s_[i_] == u'+'))
            negative = s_[i_++] != u'+';
        std::optional<double> value = number();
        if (!value) return std::nullopt;
        skipBlanks();
        if (take(u"°º")) {
            // Minutes and seconds only after a degree sign, so that "48 2" stays two numbers.
            if (std::optional<double> minutes = marked(u"'\u2032\u2019")) {
                if (*minutes >= 60) return std::nullopt;
                *value += *minutes / 60;
                if (std::optional<double> seconds = marked(u"\"\u2033\u201d")) {
                    if (*seconds >= 60) return std::nullopt;
                    *value += *seconds / 3600;
                }
            }
        }
        if (hemisphere == 0) hemisphere = letter(p.axis);
        if (hemisphere < 0 && negative) return std::nullopt;
        p.degrees = (negative || hemisphere < 0) ? -*value : *value;
        return p;
    }

  private:
    void skipBlanks() {
        while (i_ < s_.size() && s_[i_].isSpace())
            ++i_;
    }

    bool take(QStringView among) {
        if (i_ < s_.size() && among.contains(s_[i_])) {
            ++i_;
            return true;
        }
        return false;
    }

    // A hemisphere letter: +1 north or east, -1 south or west, 0 for none (nothing taken).
    int letter(Axis& axis) {
        skipBlanks();
        if (i_ == s_.size()) return 0;
        const char16_t c = s_[i_].toUpper().unicode();
        const qsizetype at = QStringView(u"NSEW").indexOf(QChar(c));
        if (at < 0) return 0;
        ++i_;
        axis = at < 2 ? Axis::Latitude : Axis::Longitude;
        return at % 2 == 0 ? 1 : -1;
    }

    // Digits with at most one decimal point; no exponent, so that "e" stays a letter.
    std::optional<double> number() {
        const qsizetype start = i_;
        bool point = false, digits = false;
        for (; i_ < s_.size(); ++i_) {
            if (s_[i_] >= u'0' && s_[i_] <= u'9')
                digits = true;
            else if (s_[i_] == u'.' && !point)
                point = true;
            else
                break;
        }
        if (!digits || i_ - start > 32) return std::nullopt;
        bool ok = false;
        const double v = QLocale::c().toDouble(s_.sliced(start, i_ - start), &ok);
        return ok ? std::optional(v) : std::nullopt;
    }

    // A number followed by one of the marks (minutes or seconds); nothing is taken without the mark.
    std::optional<double> marked(QStringView marks) {
        const qsizetype start = i_;
        skipBlanks();
        std::optional<double> v = number();
        skipBlanks();
        if (v && take(marks)) return v;
        // Two apostrophes stand for a seconds sign.
        if (v && marks.contains(u'"') && s_.sliced(i_).startsWith(u"''")) {
            i_ += 2;
            return v;
        }
        i_ = start;
        return std::nullopt;
    }

    QStringView s_;
    qsizetype i_ = 0;
};

QString degreesText(double v, int decimals, char positive, char negative) {
    const QString digits = QString::number(std::abs(v), 'f', decimals);
    // A value that rounds to zero is not called south or west.
    const bool zero = QLocale::c().toDouble(digits) == 0;
    return digits + QStringLiteral("° ") + QLatin1Char(v < 0 && !zero ? negative : positive);
}
} // namespace

std::optional<LatLon> parseLatLon(QStringView text) {
    Reader in(text);
    const std::optional<Part> first = in.part();
    if (!first) return std::nullopt;
    in.separator();
    const std::optional<Part> second = in.part();
    if (!second || !in.atEnd()) return std::nullopt;
    if (first->axis != Axis::None && first->axis == second->axis) return std::nullopt;
    const bool swapped = first->axis == Axis::Longitude || second->axis == Axis::Latitude;
    const LatLon at =
        swapped ? LatLon{second->degrees, first->degrees} : LatLon{first->degrees, second->degrees};
    if (!validLatLon(at)) return std::nullopt;
    return at;
}

QString latitudeText(double lat, int decimals) {
    return degreesText(lat, decimals, 'N', 'S');
}

QString longitudeText(double lon, int decimals) {
    return degreesText(lon, decimals, 'E', 'W');
}

QString latLonText(LatLon at, int decimals) {
    return latitudeText(at.lat, decimals) + QStringLiteral(", ") + longitudeText(at.lon, decimals);
}

// Reading, storing and spelling the value of one key row, whatever its kind and field.
#include "NumberText.h"
#include "ProjectKeys.h"

#include <QStringList>
#include <cmath>
#include <limits>
#include <type_traits>

namespace {
template <class T> struct FieldType {};
template <class T> struct FieldType<StateField<T>> { using type = T; };
template <class T> struct FieldType<PointField<T>> { using type = T; };

// The field of a row at a slot (per-point fields) or itself.
template <class F, class State> auto& fieldAt(F field, State& st, int slot) {
    if constexpr (std::is_same_v<F, StateField<typename FieldType<F>::type>>)
        return st.*field;
    else
        return (st.*field)[slot];
}

// The whole numbers a field of type T can hold.
void fieldRange(const KeyField& field, double* lo, double* hi) {
    std::visit(
        [&](auto f) {
            using T = typename FieldType<decltype(f)>::type;
            if constexpr (std::is_integral_v<T>) {
                *lo = std::max(*lo, double(std::numeric_limits<T>::min()));
                *hi = std::min(*hi, double(std::numeric_limits<T>::max()));
            }
        },
        field);
}

// The one-character field keeps the first character; half of a surrogate pair cannot stand alone.
QChar firstLetter(QStringView value) {
    if (value.isEmpty()) return u' ';
    return value[0].isSurrogate() ? QChar(QChar::ReplacementCharacter) : value[0];
}

// Control characters in a name would reach file names and system calls (a NUL ends a path there).
bool hasControl(QStringView text) {
    for (QChar c : text)
        if (c.unicode() < 32 || c.unicode() == 127) return true;
    return false;
}

// "48.8566, 2.3522": exactly the field's count of finite numbers; latitudes and longitudes on the earth.
std::optional<KeyValue> readCoordinates(const KeyField& field, QStringView text) {
    const bool control = std::holds_alternative<PointField<GeoControl>>(field);
    const int count = control ? GeoControl::kCount : GeoPoint::kCount;
    std::array<double, 4> v{};
    int n = 0;
    for (QStringView part : text.split(u',')) {
        const NumberRead r = readNumber(part);
        if (n == count || !r.found || !r.whole || !std::isfinite(r.value)) return std::nullopt;
        v[n++] = r.value;
    }
    if (n != count) return std::nullopt;
    const double lat = v[count - 2], lon = v[count - 1];
    if (!(std::abs(lat) <= 90 && std::abs(lon) <= 180)) return std::nullopt;
    return v;
}

double held(double v, double lo, double hi, bool* wasHeld) {
    if (v >= lo && v <= hi) return v;
    *wasHeld = true;
    return v < lo ? lo : hi;
}
} // namespace

std::optional<KeyValue> readKeyValue(const KeyRow& row, QStringView text, bool* wasHeld) {
    double lo = row.min, hi = row.max;
    switch (row.kind) {
    case KeyKind::Letter:
        return firstLetter(text);
    case KeyKind::Text:
        if (hasControl(text)) return std::nullopt;
        if (text.size() > hi) {
            qsizetype n = qsizetype(hi);
            if (n > 0 && text[n - 1].isHighSurrogate()) --n; // never half a pair
            text = text.first(n);
            *wasHeld = true;
        }
        return text.toString();
    case KeyKind::Word:
        for (const char* w : row.words)
            if (text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0) return QString::fromLatin1(w);
        return std::nullopt;
    case KeyKind::Coordinates:
        if (text.isEmpty()) return std::array<double, 4>{qQNaN(), qQNaN(), qQNaN(), qQNaN()};
        return readCoordinates(row.field, text);
    case KeyKind::Number:
        return held(toFinite(readNumber(text).value, wasHeld), lo, hi, wasHeld);
    case KeyKind::Colour:
        lo = std::max(lo, 0.0);
        hi = std::min(hi, double(0xFFFFFF));
        break;
    case KeyKind::Whole:
        break;
    }
    fieldRange(row.field, &lo, &hi);
    // The default rounding mode rounds ties to even; NaN, which no reading produces, goes to the top.
    const double r = std::nearbyint(readNumber(text).value);
    return qint64(held(r, lo, hi, wasHeld));
}

void storeKeyValue(const KeyRow& row, ProjectState& st, int slot, const KeyValue& v) {
    std::visit(
        [&](auto f) {
            auto& target = fieldAt(f, st, slot);
            using T = std::remove_reference_t<decltype(target)>;
            std::visit(
                [&](const auto& value) {
                    if constexpr (std::is_constructible_v<T, decltype(value)>) target = T(value);
                },
                v);
        },
        row.field);
}

QString keyValueText(const KeyValue& v) {
    return std::visit(
        [](const auto& value) -> QString {
            using T = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<T, QString>)
                return value;
            else if constexpr (std::is_same_v<T, QChar>)
                return QString(value);
            else if constexpr (std::is_same_v<T, double>)
                return doubleForm(value);
            else if constexpr (std::is_same_v<T, std::array<double, 4>>)
                return QString(); // spelled by the row, which knows how many it holds
            else
                return integerForm(value);
        },
        v);
}

QString keyValueText(const KeyRow& row, const ProjectState& st, int slot) {
    return std::visit(
        [&](auto f) {
            const auto& value = fieldAt(f, st, slot);
            using T = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<T, GeoPoint> || std::is_same_v<T, GeoControl>) {
                if (!value.set()) return QString();
                QStringList parts;
                for (int i = 0; i < T::kCount; ++i)
                    parts << doubleForm(value.values()[i]);
                return parts.join(QLatin1String(", "));
            } else if constexpr (std::is_integral_v<T>)
                return keyValueText(KeyValue(qint64(value)));
            else
                return keyValueText(KeyValue(value));
        },
        row.field);
}

QString defaultText(const KeyRow& row) {
    ProjectState st;
    bool ignored = false;
    if (const std::optional<KeyValue> v = readKeyValue(row, QString::fromLatin1(row.def), &ignored))
        storeKeyValue(row, st, 0, *v);
    return keyValueText(row, st, 0);
}

void resetNewKeys(ProjectState& st, KeyTable keys) {
    for (const KeyRow& row : keys) {
        if (row.standard) continue;
        bool ignored = false;
        std::optional<KeyValue> v = readKeyValue(row, QString::fromLatin1(row.def), &ignored);
        // No word is a default too (a point's own line: as all legs); a file read or an undo
        // would otherwise keep the word the point had before.
        if (!v && row.kind == KeyKind::Word && *row.def == '\0') v = QString();
        if (!v) continue;
        for (int slot = 0; slot < (row.perPoint() ? kPointSlots : 1); ++slot)
            storeKeyValue(row, st, slot, *v);
    }
}

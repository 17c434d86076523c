#pragma once
// The one table of project keys. Each row names a key line, the kind of its value and the
// state field it fills; reading, staging, applying and writing all walk this table, so a new
// setting is one row here plus its field in ProjectState.

#include "shell/ProjectState.h"

#include <QString>
#include <QStringView>
#include <cfloat>
#include <optional>
#include <span>
#include <variant>

enum class KeyKind {
    Letter,      // one character: the first of the value, a blank for an empty value
    Number,      // a double held to [min, max]
    Whole,       // rounded half to even, held to [min, max] and to the field's own range
    Colour,      // red + 256*green + 65536*blue, written as a whole number
    Text,        // the value as written, cut to `max` characters; a control character refuses the line
    Word,        // one of the row's words, any case; another word refuses the line
    Coordinates, // numbers separated by commas, as many as the field holds; latitudes and
                 // longitudes off the earth, or a missing or extra number, refuse the line
};

template <class T> using StateField = T ProjectState::*;
template <class T> using PointField = std::array<T, kPointSlots> ProjectState::*;
// Per-point fields are written "key.I" for each route point I.
using KeyField = std::variant<StateField<QChar>, StateField<double>, StateField<qint16>, StateField<qint32>,
                              StateField<bool>, StateField<QString>, StateField<GeoPoint>, PointField<double>,
                              PointField<qint16>, PointField<qint32>, PointField<bool>, PointField<QString>,
                              PointField<GeoPoint>, PointField<GeoControl>>;

// A value read from a key line and checked against its row, waiting to be applied.
using KeyValue = std::variant<QChar, double, qint64, QString, std::array<double, 4>>;

struct KeyRow {
    const char* name; // lower case ASCII beginning with a letter
    KeyKind kind;
    KeyField field;
    // The sixteen lines every file carries: always written, in place, and left as they are
    // when a file does not name them. Any other row is written after the point lines only
    // when it differs from its default, and a file without its line means the default.
    bool standard = false;
    double min = -DBL_MAX, max = DBL_MAX; // Number, Whole; Text: max is the longest length
    const char* def = "";                 // the default as a file would spell it
    std::span<const char* const> words = {};

    bool perPoint() const { return field.index() >= 7; }
    // Control points are numbered on their own: their lines do not follow the route's points.
    bool ownSlots() const { return std::holds_alternative<PointField<GeoControl>>(field); }
};

using KeyTable = std::span<const KeyRow>;
KeyTable projectKeys();

// The row whose key is `key` (any case) and, for per-point rows, the slot its ".I" names
// (-1 when that slot lies outside 0..99); nullptr for a key no row knows.
const KeyRow* findKey(KeyTable keys, QStringView key, int* slot);

// The value text read for a row; nullopt refuses the line. `held` is set when a number had
// to be held to the row's range, or a text cut to its longest length.
std::optional<KeyValue> readKeyValue(const KeyRow& row, QStringView text, bool* held);
void storeKeyValue(const KeyRow& row, ProjectState& st, int slot, const KeyValue& v);
// The value as the file spells it.
QString keyValueText(const KeyRow& row, const ProjectState& st, int slot);
QString keyValueText(const KeyValue& v);
QString defaultText(const KeyRow& row);
// Every row that is not standard back to its default (start-up, and before a file is applied).
void resetNewKeys(ProjectState& st, KeyTable keys = projectKeys());

// Only blanks are trimmed: a tab is part of a key or value.
QStringView trimBlanks(QStringView s);

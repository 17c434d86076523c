// Reading the ".wsr" text: lenient, line by line, into a staged result.
#include "NumberText.h"
#include "ProjectText.h"
#include "TextEncoding.h"

#include <cmath>

namespace {
double number(QStringView text) {
    return readNumber(text).value;
}

// A key line: staged under its row and slot when a row knows the key and takes the value.
void storeKeyLine(KeyTable keys, int line, QStringView key, QStringView value, ProjectRead& r) {
    int slot = 0;
    const KeyRow* row = findKey(keys, key, &slot);
    if (!row) return;
    if (slot < 0) {
        ++r.skippedLines;
        return;
    }
    bool held = false;
    std::optional<KeyValue> v = readKeyValue(*row, value, &held);
    if (!v) {
        ++r.refusedLines;
        return;
    }
    if (held) {
        const QString name = row->perPoint() ? QString("%1.%2").arg(row->name).arg(slot) : row->name;
        if (row->kind == KeyKind::Text)
            noteHeld(r, {line, name, QString::number(value.size()),
                         QString::number(std::get<QString>(*v).size()), true});
        else
            noteHeld(r, {line, name, shortValue(value), keyValueText(*v)});
    }
    r.keys[{int(row - keys.data()), slot}] = {std::move(*v), line};
}

// A point line is keyed by a number above 0, or by a key that is wholly the number 0. A key
// that is wholly a negative number names no slot either; it is counted with the skipped lines.
void storePoint(int line, QStringView key, QStringView value, ProjectRead& r) {
    const NumberRead k = readNumber(key);
    const bool negative = k.whole && k.value < 0;
    if (!(k.value > 0 || (k.whole && k.value == 0) || negative)) return;
    const qsizetype c1 = value.indexOf(u',');
    const qsizetype c2 = c1 < 0 ? -1 : value.indexOf(u',', c1 + 1);
    if (c2 < 0) return;
    const QStringView x = trimBlanks(value.first(c1));
    const QStringView y = trimBlanks(value.sliced(c1 + 1, c2 - c1 - 1));
    const QStringView d = trimBlanks(value.sliced(c2 + 1));
    if (x.isEmpty() || y.isEmpty() || d.isEmpty()) return;
    const double slot = std::nearbyint(k.value);
    if (negative || !(slot >= 0 && slot < kPointSlots)) {
        ++r.skippedLines;
        return;
    }
    bool held = false;
    const PointLine p{toInt16(number(x), &held), toInt16(number(y), &held), toFinite(number(d), &held)};
    r.points[int(slot)] = p;
    if (held)
        noteHeld(r, {line, QString("point %1").arg(int(slot)), shortValue(value),
                     QString("%1, %2, %3").arg(p.x).arg(p.y).arg(doubleForm(p.dist))});
}

void readLine(KeyTable keys, int number, QStringView line, ProjectRead& r) {
    line = trimBlanks(line);
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) return; // the header, empty lines, anything without a key
    const QStringView key = trimBlanks(line.first(eq));
    const QStringView value = trimBlanks(line.sliced(eq + 1));
    storeKeyLine(keys, number, key, value, r);
    storePoint(number, key, value, r);
}
} // namespace

// Lines end at CR (an LF right after it belongs to it) and at a lone LF. Each line is read
// where it stands: no list of all lines is built, so a file of bare line feeds costs no memory.
ProjectRead parseProjectText(QByteArrayView bytes, KeyTable keys) {
    ProjectRead r;
    const QString text = decodeProjectText(bytes, &r.windows1252);
    const QStringView all(text);
    int line = 0;
    for (qsizetype start = 0; start < all.size();) {
        qsizetype end = start;
        while (end < all.size() && all[end] != u'\r' && all[end] != u'\n')
            ++end;
        readLine(keys, ++line, all.sliced(start, end - start), r);
        if (end + 1 < all.size() && all[end] == u'\r' && all[end + 1] == u'\n') ++end;
        start = end + 1;
    }
    return r;
}

void noteHeld(ProjectRead& read, HeldValue held) {
    ++read.heldLines;
    if (read.held.size() < kHeldNamed) read.held << std::move(held);
}

QString shortValue(QStringView text) {
    constexpr qsizetype kShown = 24;
    if (text.size() <= kShown + 8) return text.toString();
    return text.first(kShown).toString() + QString("... (%1 characters)").arg(text.size());
}

int lineOfKey(const ProjectRead& read, const char* name, KeyTable keys) {
    for (const auto& [at, staged] : read.keys)
        if (!keys[at.first].perPoint() && qstrcmp(keys[at.first].name, name) == 0) return staged.line;
    return 0;
}

void applyProjectRead(ProjectState& st, const ProjectRead& r, KeyTable keys) {
    resetNewKeys(st, keys);
    for (const auto& [at, staged] : r.keys)
        storeKeyValue(keys[at.first], st, at.second, staged.value);
    st.windows1252 = r.windows1252;
    for (int i = 0; i < kPointSlots; ++i) {
        if (!r.points[i]) continue;
        st.pointx[i] = r.points[i]->x;
        st.pointy[i] = r.points[i]->y;
        st.pointdist[i] = r.points[i]->dist;
    }
}

// Reading the ".wsr" text: lenient, line by line, into a staged result.
#include "NumberText.h"
#include "ProjectText.h"
#include "TextEncoding.h"

#include <cmath>

namespace {
enum Key {
    kFormat, kFps, kFrameheight, kFramewidth, kImagepath, kImagename, kRenderpath, kRendername,
    kInterval, kColor, kLinethick, kCirclethick, kCircleradius, kSelected, kSelcolor, kListmax, kKeyCount
};
const char* const kKeyNames[kKeyCount] = {
    "format",   "fps",   "frameheight", "framewidth",  "imagepath",    "imagename", "renderpath", "rendername",
    "interval", "color", "linethick",   "circlethick", "circleradius", "selected",  "selcolor",   "listmax",
};

// Only blanks are trimmed: a tab is part of a key or value.
QStringView trimBlanks(QStringView s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s[b] == u' ') ++b;
    while (e > b && s[e - 1] == u' ') --e;
    return s.sliced(b, e - b);
}

// Keys are ASCII; folding only A..Z keeps letters such as the Kelvin sign from posing as "k".
int keyIndex(QStringView key) {
    char buf[16];
    if (key.size() >= qsizetype(sizeof buf)) return -1;
    for (qsizetype i = 0; i < key.size(); ++i) {
        const char16_t c = key[i].unicode();
        if (c >= 0x80) return -1;
        buf[i] = char(c >= u'A' && c <= u'Z' ? c + 32 : c);
    }
    buf[key.size()] = '\0';
    for (int k = 0; k < kKeyCount; ++k)
        if (qstrcmp(buf, kKeyNames[k]) == 0) return k;
    return -1;
}

// The one-character field keeps the first character; half of a surrogate pair cannot stand alone.
QChar firstLetter(QStringView value) {
    if (value.isEmpty()) return u' ';
    return value[0].isSurrogate() ? QChar(QChar::ReplacementCharacter) : value[0];
}

double number(QStringView text) { return readNumber(text).value; }

void storeKey(int key, QStringView value, ProjectRead& r) {
    bool held = false;
    switch (key) {
    case kFormat: r.format = firstLetter(value); break;
    case kFps: r.fps = toFinite(number(value), &held); break;
    case kInterval: r.interval = toFinite(number(value), &held); break;
    case kFrameheight: r.frameheight = toInt16(number(value), &held); break;
    case kFramewidth: r.framewidth = toInt16(number(value), &held); break;
    case kLinethick: r.linethick = toInt16(number(value), &held); break;
    case kCirclethick: r.circlethick = toInt16(number(value), &held); break;
    case kCircleradius: r.circleradius = toInt16(number(value), &held); break;
    case kSelected: r.selected = toInt16(number(value), &held); break;
    case kColor: r.color = toInt32(number(value), &held); break;
    case kSelcolor: r.selcolor = toInt32(number(value), &held); break;
    case kImagepath: r.imagepath = value.toString(); break;
    case kImagename: r.imagename = value.toString(); break;
    case kRenderpath: r.renderpath = value.toString(); break;
    case kRendername: r.rendername = value.toString(); break;
    case kListmax: {
        const qint16 n = toInt16(number(value), &held);
        r.listmax = qint16(qBound(0, int(n), kPointSlots));
        held = held || *r.listmax != n;
        break;
    }
    default: return;
    }
    if (held) ++r.heldLines;
}

// A point line is keyed by a number above 0, or by a key that is wholly the number 0. A key
// that is wholly a negative number names no slot either; it is counted with the skipped lines.
void storePoint(QStringView key, QStringView value, ProjectRead& r) {
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
    r.points[int(slot)] = PointLine{toInt16(number(x), &held), toInt16(number(y), &held),
                                    toFinite(number(d), &held)};
    if (held) ++r.heldLines;
}
}  // namespace

QList<QStringView> splitLines(QStringView text) {
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') continue;
        lines.append(text.sliced(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.append(text.sliced(start));
    return lines;
}

ProjectRead parseProjectText(QByteArrayView bytes) {
    const QString text = decodeProjectText(bytes);
    ProjectRead r;
    for (QStringView line : splitLines(text)) {
        line = trimBlanks(line);
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0) continue;  // the header, empty lines, anything without a key
        const QStringView key = trimBlanks(line.first(eq));
        const QStringView value = trimBlanks(line.sliced(eq + 1));
        storeKey(keyIndex(key), value, r);
        storePoint(key, value, r);
    }
    return r;
}

void applyProjectRead(ProjectState& st, const ProjectRead& r) {
    auto take = [](auto& field, const auto& staged) {
        if (staged) field = *staged;
    };
    take(st.format, r.format);
    take(st.fps, r.fps);
    take(st.frameheight, r.frameheight);
    take(st.framewidth, r.framewidth);
    take(st.imagepath, r.imagepath);
    take(st.imagename, r.imagename);
    take(st.renderpath, r.renderpath);
    take(st.rendername, r.rendername);
    take(st.interval, r.interval);
    take(st.color, r.color);
    take(st.linethick, r.linethick);
    take(st.circlethick, r.circlethick);
    take(st.circleradius, r.circleradius);
    take(st.selected, r.selected);
    take(st.selcolor, r.selcolor);
    take(st.listmax, r.listmax);
    for (int i = 0; i < kPointSlots; ++i) {
        if (!r.points[i]) continue;
        st.pointx[i] = r.points[i]->x;
        st.pointy[i] = r.points[i]->y;
        st.pointdist[i] = r.points[i]->dist;
    }
}

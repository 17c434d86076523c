// The sixteen key lines of a project file: matching a key and storing its value.
#include "ProjectKeys.h"
#include "NumberText.h"

// Only blanks are trimmed: a tab is part of a key or value.
QStringView trimBlanks(QStringView s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s[b] == u' ')
        ++b;
    while (e > b && s[e - 1] == u' ')
        --e;
    return s.sliced(b, e - b);
}

namespace {
enum Key {
    kFormat,
    kFps,
    kFrameheight,
    kFramewidth,
    kImagepath,
    kImagename,
    kRenderpath,
    kRendername,
    kInterval,
    kColor,
    kLinethick,
    kCirclethick,
    kCircleradius,
    kSelected,
    kSelcolor,
    kListmax,
    kKeyCount
};
const char* const kKeyNames[kKeyCount] = {
    "format",       "fps",        "frameheight", "framewidth", "imagepath", "imagename",
    "renderpath",   "rendername", "interval",    "color",      "linethick", "circlethick",
    "circleradius", "selected",   "selcolor",    "listmax",
};

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

double number(QStringView text) {
    return readNumber(text).value;
}
} // namespace

void storeKeyLine(QStringView keyText, QStringView value, ProjectRead& r) {
    const int key = keyIndex(keyText);
    bool held = false;
    switch (key) {
    case kFormat:
        r.format = firstLetter(value);
        break;
    case kFps:
        r.fps = toFinite(number(value), &held);
        break;
    case kInterval:
        r.interval = toFinite(number(value), &held);
        break;
    case kFrameheight:
        r.frameheight = toInt16(number(value), &held);
        break;
    case kFramewidth:
        r.framewidth = toInt16(number(value), &held);
        break;
    case kLinethick:
        r.linethick = toInt16(number(value), &held);
        break;
    case kCirclethick:
        r.circlethick = toInt16(number(value), &held);
        break;
    case kCircleradius:
        r.circleradius = toInt16(number(value), &held);
        break;
    case kSelected:
        r.selected = toInt16(number(value), &held);
        break;
    case kColor:
        r.color = toInt32(number(value), &held);
        break;
    case kSelcolor:
        r.selcolor = toInt32(number(value), &held);
        break;
    case kImagepath:
        r.imagepath = value.toString();
        break;
    case kImagename:
        r.imagename = value.toString();
        break;
    case kRenderpath:
        r.renderpath = value.toString();
        break;
    case kRendername:
        r.rendername = value.toString();
        break;
    case kListmax: {
        const qint16 n = toInt16(number(value), &held);
        r.listmax = qint16(qBound(0, int(n), kPointSlots));
        held = held || *r.listmax != n;
        break;
    }
    default:
        return;
    }
    if (held) ++r.heldLines;
}

#include "PointValues.h"

#include "NumberText.h"
#include "ProjectKeys.h"
#include "geo/CoordinateText.h"

#include <cmath>

namespace {
const KeyRow& row(const char* key) {
    int slot = 0;
    const KeyRow* r = findKey(projectKeys(), QString::fromLatin1(key), &slot);
    Q_ASSERT(r);
    return *r;
}

// Found once: the panel asks for every point's values on each change.
const KeyRow& rowOf(PointValue v) {
    static const KeyRow& label = row("label.0");
    static const KeyRow& hold = row("hold.0");
    static const KeyRow& legTime = row("interval.0");
    static const KeyRow& path = row("path.0");
    static const KeyRow& mode = row("mode.0");
    static const KeyRow& lineStyle = row("linestyle.0");
    static const KeyRow& geo = row("geo.0");
    switch (v) {
    case PointValue::Label:
        return label;
    case PointValue::Hold:
        return hold;
    case PointValue::LegTime:
        return legTime;
    case PointValue::Path:
        return path;
    case PointValue::Mode:
        return mode;
    case PointValue::LineStyle:
        return lineStyle;
    case PointValue::Coordinates:
        break;
    }
    return geo;
}

bool isSeconds(PointValue v) {
    return v == PointValue::Hold || v == PointValue::LegTime;
}

bool isWord(PointValue v) {
    return v == PointValue::Path || v == PointValue::Mode || v == PointValue::LineStyle;
}

bool inRoute(const ProjectState& st, int i) {
    return i >= 0 && i < std::min<int>(st.listmax, kPointSlots);
}
} // namespace

double maxPointSeconds() {
    return rowOf(PointValue::Hold).max;
}

const QStringList& pointPathWords() {
    return pointWords(PointValue::Path);
}

const QStringList& pointWords(PointValue v) {
    static const auto wordsOf = [](PointValue of) {
        QStringList w{QString()};
        for (const char* word : rowOf(of).words)
            w << QString::fromLatin1(word);
        return w;
    };
    static const QStringList path = wordsOf(PointValue::Path), mode = wordsOf(PointValue::Mode),
                             lineStyle = wordsOf(PointValue::LineStyle), none;
    return v == PointValue::Path        ? path
           : v == PointValue::Mode      ? mode
           : v == PointValue::LineStyle ? lineStyle
                                        : none;
}

bool pointValueApplies(PointValue v, int i) {
    return i >= 0 && i < kPointSlots && (i > 0 || (v != PointValue::LegTime && !isWord(v)));
}

QString pointValueText(const ProjectState& st, int i, PointValue v) {
    if (!inRoute(st, i) || !pointValueApplies(v, i)) return QString();
    if (isSeconds(v) && (v == PointValue::Hold ? st.pointhold[i] : st.pointinterval[i]) < 0) return QString();
    if (v == PointValue::Coordinates) {
        const GeoPoint& g = st.pointgeo[i];
        return g.set() ? latLonText({g.lat, g.lon}) : QString();
    }
    return keyValueText(rowOf(v), st, i);
}

bool setPointSeconds(ProjectState& st, int i, PointValue v, double seconds) {
    if (!isSeconds(v) || !inRoute(st, i) || !pointValueApplies(v, i) || std::isnan(seconds) ||
        seconds > maxPointSeconds())
        return false;
    (v == PointValue::Hold ? st.pointhold : st.pointinterval)[i] = seconds < 0 ? -1 : seconds;
    return true;
}

std::optional<GeoPoint> typedCoordinates(QStringView text) {
    text = trimBlanks(text);
    if (text.isEmpty()) return GeoPoint();
    const std::optional<LatLon> at = parseLatLon(text);
    if (!at) return std::nullopt;
    return GeoPoint(at->lat, at->lon);
}

bool setPointValue(ProjectState& st, int i, PointValue v, QStringView text) {
    if (!inRoute(st, i) || !pointValueApplies(v, i)) return false;
    text = trimBlanks(text);
    if (isSeconds(v)) {
        if (text.isEmpty()) return setPointSeconds(st, i, v, -1);
        // Only a whole number of seconds from zero up: a file's reading would take "5x" as 5.
        const NumberRead n = readNumber(text);
        return n.found && n.whole && n.value >= 0 && setPointSeconds(st, i, v, n.value);
    }
    if (v == PointValue::Coordinates) {
        const std::optional<GeoPoint> at = typedCoordinates(text);
        if (at) st.pointgeo[i] = *at;
        return at.has_value();
    }
    if (isWord(v) && text.isEmpty()) {
        storeKeyValue(rowOf(v), st, i, QString());
        return true;
    }
    bool held = false;
    const std::optional<KeyValue> value = readKeyValue(rowOf(v), text, &held);
    if (!value) return false;
    storeKeyValue(rowOf(v), st, i, *value);
    return true;
}

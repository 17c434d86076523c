// The table of project keys, in the order the file carries them.
#include "ProjectKeys.h"

#include "animation/RenderTarget.h"
#include "animation/TravelLook.h"
#include "tiles/TileProviders.h"

namespace {
using K = KeyKind;
using S = ProjectState;

const char* const kTimings[] = {"leg", "speed", "gps"};
const char* const kEasings[] = {"linear", "smooth"};
const char* const kMarkers[] = {"none", "dot", "arrow", "picture"};
const char* const kCameras[] = {"fixed", "map", "route", "follow", "leg"};
const char* const kPaths[] = {"straight", "arc"};
const char* const kSpeedUnits[] = {"px", "kmh"};
const char* const kMapSources[] = {"picture", "tiles", "mbtiles", "world"};
const char* const kStyleScales[] = {"pixels", "frame"};
const char* const kTitlePositions[] = {"center", "bottom"};
const char* const kCounters[] = {"none", "km", "mi"};

const KeyRow kKeys[] = {
    {"format", K::Letter, &S::format, true},
    {"fps", K::Number, &S::fps, true},
    {"frameheight", K::Whole, &S::frameheight, true},
    {"framewidth", K::Whole, &S::framewidth, true},
    {"imagepath", K::Text, &S::imagepath, true},
    {"imagename", K::Text, &S::imagename, true},
    {"renderpath", K::Text, &S::renderpath, true},
    {"rendername", K::Text, &S::rendername, true},
    {"interval", K::Number, &S::interval, true, 0, 3600},
    {"color", K::Whole, &S::color, true},
    {"linethick", K::Whole, &S::linethick, true},
    {"circlethick", K::Whole, &S::circlethick, true},
    {"circleradius", K::Whole, &S::circleradius, true},
    {"selected", K::Whole, &S::selected, true},
    {"selcolor", K::Whole, &S::selcolor, true},
    {"listmax", K::Whole, &S::listmax, true, 0, kPointSlots},
    // New settings follow the sixteen, each one row with its default.
    {"hold", K::Number, &S::hold, false, 0, 3600, "0"},
    {"hold", K::Number, &S::pointhold, false, -1, 3600, "-1"},
    {"interval", K::Number, &S::pointinterval, false, -1, 3600, "-1"},
    {"timing", K::Word, &S::timing, false, 0, 0, "leg", kTimings},
    {"speed", K::Number, &S::speed, false, 1, 100000, "100"},
    {"easing", K::Word, &S::easing, false, 0, 0, "linear", kEasings},
    {"marker", K::Word, &S::marker, false, 0, 0, "none", kMarkers},
    {"markersize", K::Whole, &S::markersize, false, 2, 512, "24"},
    {"markercolor", K::Colour, &S::markercolor, false, 0, 0xFFFFFF, "16777215"},
    {"markerpicture", K::Text, &S::markerpicture},
    {"markerturn", K::Whole, &S::markerturn, false, 0, 1, "0"},
    {"label", K::Text, &S::pointlabel, false, -DBL_MAX, kMaxLabelLength},
    {"labelsize", K::Whole, &S::labelsize, false, 4, 200, "16"},
    {"labelcolor", K::Colour, &S::labelcolor, false, 0, 0xFFFFFF, "16777215"},
    {"casing", K::Whole, &S::casing, false, -1, 0xFFFFFF, "-1"},
    {"casingwidth", K::Whole, &S::casingwidth, false, 1, 64, "2"},
    {"renderformat", K::Word, &S::renderformat, false, -DBL_MAX, DBL_MAX, "bmp", outputKindIds()},
    {"renderquality", K::Word, &S::renderquality, false, -DBL_MAX, DBL_MAX, "standard", qualityIds()},
    {"camera", K::Word, &S::camera, false, 0, 0, "fixed", kCameras},
    {"camerazoom", K::Number, &S::camerazoom, false, 0.01, 64, "1"},
    {"zoom", K::Number, &S::pointzoom, false, -1, 64, "-1"},
    {"cameramargin", K::Number, &S::cameramargin, false, 0, 45, "10"},
    {"cameraintro", K::Number, &S::cameraintro, false, 0, 3600, "0"},
    {"cameraoutro", K::Number, &S::cameraoutro, false, 0, 3600, "0"},
    {"camerasmooth", K::Number, &S::camerasmooth, false, 0, 60, "0.5"},
    {"camerarotate", K::Whole, &S::camerarotate, false, 0, 1, "0"},
    {"geo", K::Coordinates, &S::pointgeo},
    {"georef", K::Coordinates, &S::georef},
    {"track", K::Text, &S::track, false, -DBL_MAX, 4096},
    {"trackstop", K::Number, &S::trackstop, false, 1, 86400, "120"},
    {"timescale", K::Number, &S::timescale, false, 0.001, 1e6, "60"},
    {"path", K::Word, &S::path, false, 0, 0, "straight", kPaths},
    {"path", K::Word, &S::pointpath, false, 0, 0, "", kPaths},
    {"arcbend", K::Number, &S::arcbend, false, -1, 1, "0.2"},
    {"speedunit", K::Word, &S::speedunit, false, 0, 0, "px", kSpeedUnits},
    {"mapsource", K::Word, &S::mapsource, false, 0, 0, "picture", kMapSources},
    {"tileprovider", K::Word, &S::tileprovider, false, 0, 0, "osm", tileProviderIds()},
    {"tileurl", K::Text, &S::tileurl, false, -DBL_MAX, 2048},
    {"tilesize", K::Whole, &S::tilesize, false, 256, 512, "256"},
    {"tileattribution", K::Text, &S::tileattribution, false, -DBL_MAX, 512},
    {"mbtiles", K::Text, &S::mbtiles, false, -DBL_MAX, 4096},
    {"tilenorthwest", K::Coordinates, &S::tilenorthwest},
    {"tilesoutheast", K::Coordinates, &S::tilesoutheast},
    {"renderfrom", K::Whole, &S::renderfrom, false, -1, INT32_MAX, "-1"},
    {"renderto", K::Whole, &S::renderto, false, -1, INT32_MAX, "-1"},
    {"mode", K::Word, &S::mode, false, 0, 0, "none", travelModeIds()},
    {"mode", K::Word, &S::pointmode, false, 0, 0, "", travelModeIds()},
    {"linestyle", K::Word, &S::linestyle, false, 0, 0, "solid", lineStyleIds()},
    {"linestyle", K::Word, &S::pointlinestyle, false, 0, 0, "", lineStyleIds()},
    {"color", K::Whole, &S::pointcolor, false, -1, 0xFFFFFF, "-1"},
    {"glow", K::Whole, &S::glow, false, 0, 256, "0"},
    {"tail", K::Number, &S::tail, false, 0, 3600, "0"},
    {"tailfade", K::Number, &S::tailfade, false, 0, 100, "30"},
    {"stylescale", K::Word, &S::stylescale, false, 0, 0, "pixels", kStyleScales},
    {"title", K::Text, &S::titletext, false, -DBL_MAX, 200},
    {"subtitle", K::Text, &S::subtitletext, false, -DBL_MAX, 200},
    {"titletime", K::Number, &S::titletime, false, 0, 60, "3"},
    {"titleposition", K::Word, &S::titleposition, false, 0, 0, "center", kTitlePositions},
    {"counter", K::Word, &S::counter, false, 0, 0, "none", kCounters},
    {"font", K::Text, &S::font, false, -DBL_MAX, 100},
};

// Keys are ASCII; folding only A..Z keeps letters such as the Kelvin sign from posing as "k".
bool sameKey(QStringView key, const char* name) {
    qsizetype i = 0;
    for (; name[i] != '\0'; ++i) {
        if (i == key.size()) return false;
        const char16_t c = key[i].unicode();
        if ((c >= u'A' && c <= u'Z' ? c + 32 : c) != char16_t(uchar(name[i]))) return false;
    }
    return i == key.size();
}

// The slot of a ".I" suffix: decimal digits only; -1 for a slot outside 0..99.
std::optional<int> slotOf(QStringView digits) {
    if (digits.isEmpty()) return std::nullopt;
    int slot = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9') return std::nullopt;
        slot = slot >= kPointSlots ? kPointSlots : slot * 10 + (c.unicode() - u'0');
    }
    return slot < kPointSlots ? slot : -1;
}
} // namespace

KeyTable projectKeys() {
    return kKeys;
}

const KeyRow* findKey(KeyTable keys, QStringView key, int* slot) {
    const qsizetype dot = key.indexOf(u'.');
    const QStringView name = dot < 0 ? key : key.first(dot);
    for (const KeyRow& row : keys) {
        if (row.perPoint() != (dot >= 0) || !sameKey(name, row.name)) continue;
        *slot = 0;
        if (dot < 0) return &row;
        const std::optional<int> s = slotOf(key.sliced(dot + 1));
        if (!s) return nullptr;
        *slot = *s;
        return &row;
    }
    return nullptr;
}

QStringView trimBlanks(QStringView s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s[b] == u' ')
        ++b;
    while (e > b && s[e - 1] == u' ')
        --e;
    return s.sliced(b, e - b);
}

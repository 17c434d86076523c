#pragma once
// The one record of program state. Every procedure reads and writes its fields directly;
// a fresh value-initialised record is the state before start-up (numbers 0, strings empty),
// except the settings of the render output and of the animation's timing and look at the end,
// which start at their defaults: those leave the program as it always was.

#include <QChar>
#include <QString>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>

constexpr int kPointSlots = 100;     // route slots 0..99; listmax never exceeds this
constexpr int kMousePointLimit = 99; // clicking fills at most slots 0..98
// A point's label keeps at most this many characters (UTF-16 units): a longer one is cut where
// it is read or typed, so drawing a label costs little whatever a file holds.
constexpr int kMaxLabelLength = 200;

// Colours are red + 256*green + 65536*blue, red in the low byte.
constexpr qint32 rgb(int r, int g, int b) {
    return r + 256 * g + 65536 * b;
}

template <class T> constexpr std::array<T, kPointSlots> filledSlots(T v) {
    std::array<T, kPointSlots> a{};
    a.fill(v);
    return a;
}

// A route point placed by latitude and longitude (WGS 84 degrees); unset while NaN.
struct GeoPoint {
    double lat = std::nan(""), lon = std::nan("");
    GeoPoint() = default;
    GeoPoint(double la, double lo) : lat(la), lon(lo) {}
    explicit GeoPoint(const std::array<double, 4>& v) : lat(v[0]), lon(v[1]) {}
    bool set() const { return !std::isnan(lat) && !std::isnan(lon); }
    std::array<double, 4> values() const { return {lat, lon, 0, 0}; }
    static constexpr int kCount = 2;
};

// A control point of a scanned map: a map pixel and the coordinates it stands for; unset while NaN.
struct GeoControl {
    double px = std::nan(""), py = std::nan(""), lat = std::nan(""), lon = std::nan("");
    GeoControl() = default;
    GeoControl(double x, double y, double la, double lo) : px(x), py(y), lat(la), lon(lo) {}
    explicit GeoControl(const std::array<double, 4>& v) : px(v[0]), py(v[1]), lat(v[2]), lon(v[3]) {}
    bool set() const { return !std::isnan(px) && !std::isnan(py) && !std::isnan(lat) && !std::isnan(lon); }
    std::array<double, 4> values() const { return {px, py, lat, lon}; }
    static constexpr int kCount = 4;
};

class RouteShape;

struct ProjectState {
    QString version;
    QString title;
    qint16 frameheight = 0;
    qint16 framewidth = 0;
    QChar format = u' ';
    std::array<qint16, kPointSlots> pointx{};
    std::array<qint16, kPointSlots> pointy{};
    std::array<double, kPointSlots> pointdist{};
    qint16 listmax = 0;
    QString projectdir;
    QString imagepath;
    QString imagename;
    QString renderpath;
    QString rendername;
    qint32 framecount = 0;
    QString projectname;
    QString projectpath;
    double sizeratio = 0.0;
    QChar editmode = u' ';
    qint32 color = 0;
    qint32 selcolor = 0;
    qint16 selected = 0;
    qint16 linethick = 0;
    qint16 circlethick = 0;
    qint16 circleradius = 0;
    double curx = 0, cury = 0;
    double targetx = 0, targety = 0;
    double remainx = 0, remainy = 0;
    double stepx = 0, stepy = 0;
    QString legdir;
    QString curdir;
    bool waiting = false;
    double fps = 0.0;
    double interval = 0.0;
    double delay = 0.0;
    qint32 renderframe = 0;
    // Render output kind and quality ids, at their defaults (an unknown id renders as the default).
    QString renderformat = QStringLiteral("bmp");
    QString renderquality = QStringLiteral("standard");
    // The frames a render writes, first and last inclusive; below zero: from the start, to the end.
    qint32 renderfrom = -1;
    qint32 renderto = -1;

    // Timing: a pause at reached points, legs of their own time or of one speed, eased legs.
    // A per-point value below zero means "as the default".
    double hold = 0; // seconds at every reached point
    std::array<double, kPointSlots> pointhold = filledSlots(-1.0);
    std::array<double, kPointSlots> pointinterval = filledSlots(-1.0); // the leg ending at the point
    QString timing = QStringLiteral("leg");                            // or "speed"
    double speed = 100;                                                // frame pixels per second
    QString easing = QStringLiteral("linear");                         // or "smooth"
    // Look: a marker at the head, labels at the points, an outline along the line.
    QString marker = QStringLiteral("none"); // "dot", "arrow" or "picture"
    qint16 markersize = 24;
    qint32 markercolor = rgb(255, 255, 255);
    QString markerpicture;
    bool markerturn = false;
    std::array<QString, kPointSlots> pointlabel;
    qint16 labelsize = 16;
    qint32 labelcolor = rgb(255, 255, 255);
    qint32 casing = -1; // the outline's colour; below zero: none
    qint16 casingwidth = 2;
    // Camera: how the frame looks at the map. "fixed" is the map at 1:1 from the top-left corner;
    // "map", "route", "follow" and "leg" compose each frame from the scene.
    QString camera = QStringLiteral("fixed");
    double camerazoom = 1;                                         // frame pixels per map pixel, for follow
    std::array<double, kPointSlots> pointzoom = filledSlots(-1.0); // the zoom on reaching the point
    double cameramargin = 10;                                      // per cent of the frame kept free
    double cameraintro = 0, cameraoutro = 0;                       // seconds before and after the walk
    double camerasmooth = 0.5; // seconds the camera's path is smoothed over
    bool camerarotate = false; // the direction of travel points up
    // Geography: points by latitude and longitude, control points of a scanned map, a recorded
    // track the legs follow, legs along great circles or arcs, and timing from the track's clock.
    std::array<GeoPoint, kPointSlots> pointgeo{};
    std::array<GeoControl, kPointSlots> georef{}; // slots are control points, not route points
    QString track;                                // a track file, relative to the project file
    double trackstop = 120;                       // seconds still that make a stop
    double timescale = 60;                        // recorded seconds per animated second
    QString path = QStringLiteral("straight");    // or "arc"
    std::array<QString, kPointSlots> pointpath;   // the leg ending at the point; empty: as `path`
    double arcbend = 0.2;                         // an arc's bulge on a map without coordinates
    QString speedunit = QStringLiteral("px");     // or "kmh"
    // Where the map comes from: the picture, web map tiles, an offline tile package or the
    // built-in picture of the whole earth. A tiled map shows the area between two corners.
    QString mapsource = QStringLiteral("picture");
    QString tileprovider = QStringLiteral("osm"); // a built-in server, unless `tileurl` names one
    QString tileurl;                              // a template with {z}, {x}, {y}
    qint32 tilesize = 256;                        // or 512
    QString tileattribution;                      // the credit, for a server not built in
    QString mbtiles;                              // a package, relative to the project file
    GeoPoint tilenorthwest, tilesoutheast;        // unset: the whole earth
    // The look of a travel film: a way of travel for each leg (its icon, line and speed), line
    // styles and colours per leg, a glow, a fading tail, sizes that follow the frame's height, a
    // title card, a distance counter and the font of every text.
    QString mode = QStringLiteral("none");           // walk, bike, car, bus, train, boat, plane
    std::array<QString, kPointSlots> pointmode;      // the leg ending at the point; empty: as `mode`
    QString linestyle = QStringLiteral("solid");     // or "dashed", "dotted"
    std::array<QString, kPointSlots> pointlinestyle; // empty: the mode's, else `linestyle`
    std::array<qint32, kPointSlots> pointcolor = filledSlots<qint32>(-1); // below zero: `color`
    qint16 glow = 0;                                  // pixels of soft light under the line
    double tail = 0;                                  // seconds of line fully drawn; 0: all of it
    double tailfade = 30;                             // per cent the older line fades to
    QString stylescale = QStringLiteral("pixels");    // or "frame": sizes are of a 1080-line frame
    QString titletext, subtitletext;                  // the title card's lines
    double titletime = 3;                             // seconds the card shows at the start
    QString titleposition = QStringLiteral("center"); // or "bottom"
    QString counter = QStringLiteral("none");         // "km" or "mi": the distance travelled so far
    QString font;                                     // a font family; empty: the platform's sans
    // The legs' lines as the loaded map and track make them; null while every leg is straight.
    std::shared_ptr<const RouteShape> route;
    bool windows1252 = false; // the project file was read as Windows-1252, and is written so
};

// What a route point carries besides its position travels with it when points are reordered
// or deleted; a slot freed or newly filled starts at the defaults.
void swapPointExtras(ProjectState& st, int a, int b);
void clearPointExtras(ProjectState& st, int i);

// One-character fields keep the first character of a text, or a blank for the empty text.
inline QChar firstCharOrBlank(const QString& text) {
    return text.isEmpty() ? QChar(u' ') : text.front();
}

// A camera other than the fixed one composes each frame from the map, and the editor shows the whole map.
inline bool cameraMoves(const ProjectState& st) {
    return st.camera != QLatin1String("fixed");
}

// Appends the directory separator when a directory text does not end in one.
QString withSeparator(const QString& dir);

// A file a project names (a track, a tile package): relative to the project file's folder unless
// absolute; empty stays empty.
QString besideProject(const ProjectState& st, const QString& name);

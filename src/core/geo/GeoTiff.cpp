#include "GeoTiff.h"

#include "shell/OrdinaryFile.h"
#include "shell/TiffFile.h"

#include <cmath>
#include <geotiff/geo_normalize.h>
#include <geotiff/geotiff.h>
#include <geotiff/geovalues.h>
#include <geotiff/xtiffio.h>
#include <memory>
#include <proj.h>
#include <span>

namespace {
// Tags take a few hundred bytes; no allocation libtiff makes while reading them may take more.
constexpr qint64 kMaxTagAllocation = qint64(16) << 20;

void quiet(GTIF*, int, const char*, ...) {}

struct KeysFree {
    void operator()(GTIF* g) const { GTIFFree(g); }
};
struct ContextFree {
    void operator()(PJ_CONTEXT* c) const { proj_context_destroy(c); }
};
struct DefinitionFree {
    void operator()(GTIFDefn* d) const { GTIFFreeDefn(d); }
};

// The numbers a tag holds, when it holds them as doubles; libtiff keeps them while the file is open.
std::span<const double> doubles(TIFF* tiff, uint32_t tag) {
    const TIFFField* field = TIFFFindField(tiff, tag, TIFF_ANY);
    if (!field || TIFFFieldDataType(field) != TIFF_DOUBLE || !TIFFFieldPassCount(field)) return {};
    const double* data = nullptr;
    if (TIFFFieldReadCount(field) == TIFF_VARIABLE2) {
        uint32_t count = 0;
        return TIFFGetField(tiff, tag, &count, &data) && data ? std::span(data, count)
                                                              : std::span<const double>();
    }
    uint16_t count = 0;
    return TIFFGetField(tiff, tag, &count, &data) && data ? std::span(data, count)
                                                          : std::span<const double>();
}

// Pixel coordinates to the model's. A GeoTIFF's raster coordinates put whole numbers on pixels'
// corners when its pixels are areas, on their centres when they are points; ours name centres.
std::optional<QTransform> placement(std::span<const double> tie, std::span<const double> scale,
                                    std::span<const double> matrix, bool pixelIsPoint, QString* why) {
    const double shift = pixelIsPoint ? 0.0 : 0.5;
    QTransform t;
    if (matrix.size() == 16) {
        const std::span<const double> m = matrix;
        t = QTransform(m[0], m[4], m[1], m[5], m[3] + shift * (m[0] + m[1]), m[7] + shift * (m[4] + m[5]));
    } else if (!matrix.empty()) {
        *why = QString("its transformation matrix holds %1 numbers, not 16").arg(matrix.size());
        return std::nullopt;
    } else if (tie.size() % 6 != 0) {
        *why = "its tie points are not in sixes of numbers";
        return std::nullopt;
    } else if (scale.size() < 2) {
        *why = scale.empty() ? "it has tie points but no pixel scale (placing a picture by tie points "
                               "alone is not supported)"
                             : "its pixel scale holds fewer than two numbers";
        return std::nullopt;
    } else {
        // The first tie point with the scale places the whole picture; y grows down the rows.
        const double i = tie[0], j = tie[1], x = tie[3], y = tie[4], sx = scale[0], sy = scale[1];
        if (sx == 0 || sy == 0) {
            *why = "its pixel scale is zero";
            return std::nullopt;
        }
        t = QTransform(sx, 0, 0, -sy, x + (shift - i) * sx, y - (shift - j) * sy);
    }
    for (const double v : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()})
        if (!std::isfinite(v)) {
            *why = "its placement holds a number that is not finite";
            return std::nullopt;
        }
    return t;
}

std::optional<CoordinateSystem> systemOf(GTIFDefn& d, QString* why) {
    const int code = d.Model == ModelTypeProjected ? d.PCS : d.Model == ModelTypeGeographic ? d.GCS : -1;
    if (code < 0) {
        *why = "its GeoKeys place it in neither a geographic nor a projected system";
        return std::nullopt;
    }
    if (code > 0 && code != KvUserDefined)
        return coordinateSystemFromName("EPSG:" + QString::number(code), why);
    // A system defined key by key, which libgeotiff can spell for PROJ.
    char* text = GTIFGetProj4Defn(&d);
    const QString definition = text ? QString::fromUtf8(text).trimmed() : QString();
    GTIFFreeMemory(text);
    if (!definition.startsWith("+proj=")) {
        *why = "its GeoKeys define a coordinate system that cannot be worked out";
        return std::nullopt;
    }
    return coordinateSystemFromName(definition + " +type=crs", why);
}
} // namespace

std::optional<Georeference> readGeoTiff(const QString& path, Error* error) {
    Error ignored;
    Error& e = error ? *error : ignored;
    e = Error();
    auto fail = [&](const QString& reason) {
        e = {path, reason};
        return std::nullopt;
    };
    QFile file;
    if (MaybeError opened = openOrdinaryFile(path, file, QStringLiteral("picture file"))) {
        e = *opened;
        return std::nullopt;
    }
    if (!looksLikeTiff(file.peek(4))) return std::nullopt;
    const TiffFile tiff(file, kMaxTagAllocation);
    if (!tiff.handle())
        return fail("the TIFF file cannot be read (" + tiff.complaint("libtiff cannot open it") + ")");
    const std::span<const double> tie = doubles(tiff.handle(), TIFFTAG_GEOTIEPOINTS),
                                  scale = doubles(tiff.handle(), TIFFTAG_GEOPIXELSCALE),
                                  matrix = doubles(tiff.handle(), TIFFTAG_GEOTRANSMATRIX);
    if (tie.empty() && matrix.empty()) return std::nullopt;

    // libgeotiff looks EPSG codes up through PROJ, in a context of its own that prints nothing.
    const std::unique_ptr<PJ_CONTEXT, ContextFree> projContext(proj_context_create());
    if (projContext) proj_log_level(projContext.get(), PJ_LOG_NONE);
    const std::unique_ptr<GTIF, KeysFree> keys(GTIFNewEx(tiff.handle(), quiet, nullptr));
    if (!keys || !projContext) return fail("its GeoTIFF keys cannot be read");
    GTIFAttachPROJContext(keys.get(), projContext.get());
    int versions[3] = {}, keyCount = 0;
    GTIFDirectoryInfo(keys.get(), versions, &keyCount);
    // Placed without saying in which system: a world file beside it may still tell.
    if (keyCount <= 0) return std::nullopt;
    const std::unique_ptr<GTIFDefn, DefinitionFree> definition(GTIFAllocDefn());
    if (!definition || !GTIFGetDefn(keys.get(), definition.get()))
        return fail("its GeoKeys name no coordinate system that can be worked out");
    unsigned short raster = RasterPixelIsArea;
    GTIFKeyGetSHORT(keys.get(), GTRasterTypeGeoKey, &raster, 0, 1);

    QString why;
    const std::optional<QTransform> t = placement(tie, scale, matrix, raster == RasterPixelIsPoint, &why);
    if (!t) return fail(why);
    const std::optional<CoordinateSystem> system = systemOf(*definition, &why);
    if (!system) return fail(why);
    const std::optional<Georeference> g = Georeference::make(*system, *t);
    if (!g)
        return fail("its placement does not map the picture onto the earth (rows and columns in one line)");
    return g;
}

#pragma once
// Where on earth a map picture is, looked up when it is loaded: in its own GeoTIFF tags, or in a
// world file beside it (with the .prj that says its coordinate system).

#include "Georeference.h"

#include <QStringList>

enum class GeoreferenceSource { GeoTiffTags, WorldFile };

struct FoundGeoreference {
    Georeference georeference;
    GeoreferenceSource source = GeoreferenceSource::WorldFile;
    QString file;    // the picture itself for GeoTIFF tags, else the world file
    QString prjFile; // the .prj read with the world file; empty when there was none
    // For the note shown on loading, such as "world file map.pgw with map.prj (WGS 84 / UTM zone 32N)".
    QString description() const;
};

// In order: the GeoTIFF tags of a TIFF picture (told by its content, whatever its name); then the
// first world file of worldFileNames() present beside the picture (matched without regard to
// case), in the coordinate system of the .prj with the picture's base name when there is one, else
// in degrees or Web Mercator as its numbers suggest (see readWorldFile). Null with `*error` cleared
// to Error{} when there is none; null with an error naming the file when one that is there is
// broken, or its .prj is, or the picture cannot be opened.
std::optional<FoundGeoreference> findGeoreference(const QString& picturePath, QSize pictureSize,
                                                  Error* error);

// The world files tried beside a picture of that name, in order: for "map.png", "map.pgw" (the
// extension's first and last letters and a w), "map.pngw", then "map.jgw", "map.tfw", "map.bpw",
// "map.gfw" and "map.wld".
QStringList worldFileNames(const QString& pictureFileName);

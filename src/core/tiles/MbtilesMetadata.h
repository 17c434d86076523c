#pragma once
// The values of a package's metadata table, checked one by one: each gives nothing with the
// reason in `why` when the text is not what the package format allows.

#include "MbtilesFile.h"

#include <QString>
#include <optional>

// "west,south,east,north" in degrees, on the earth, west before east and south before north.
std::optional<GeoBounds> parseMbtilesBounds(const QString& text, QString* why);
// "lon,lat" or "lon,lat,level".
std::optional<MbtilesCenter> parseMbtilesCenter(const QString& text, QString* why);
// A whole number of 0 to TileKey::kMaxLevel.
std::optional<int> parseMbtilesLevel(const QString& text, QString* why);
// "png", "jpg" (or "jpeg") and "webp"; vector tiles and everything else refused.
std::optional<QString> parseMbtilesFormat(const QString& text, QString* why);
// The text of an attribution that may carry HTML: tags dropped, the common entities read,
// control characters and runs of spaces made one space, and at most a few hundred characters.
QString plainMbtilesText(const QString& html);

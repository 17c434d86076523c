#pragma once
// Latitude and longitude as people type, paste and read them: "48.8566, 2.3522",
// "48.8566 2.3522", "48.8566° N 2.3522° E", "N 48° 51.4' E 2° 21'", "48°51'24\"N 2°21'8\"E".
// Hemisphere letters may stand before or after a number and put it in its place, so
// "2.3522 E, 48.8566 N" is read too; without letters the latitude comes first.

#include "WebMercator.h"

#include <QString>
#include <QStringView>
#include <optional>

// Null for text that is not two coordinates on the earth (a latitude beyond ±90, a longitude
// beyond ±180, minutes or seconds of 60 or more, a sign and a southern or western letter
// together, two letters of one axis, anything left over).
std::optional<LatLon> parseLatLon(QStringView text);

// "48.85661° N", "2.35222° W": degrees with `decimals` places (five: about a metre).
QString latitudeText(double lat, int decimals = 5);
QString longitudeText(double lon, int decimals = 5);
// "48.85661° N, 2.35222° E", which parseLatLon reads back.
QString latLonText(LatLon at, int decimals = 5);
